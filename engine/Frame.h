#pragma once
// A frame is one screen of the program; it owns a view (how the scene is
// looked at and drawn) and a context (what is in the scene).
#include <cstdint>
#include <list>
#include <string>

#include "engine/Object.h"

class CActor;

class CView : public CObject {
  SLV_OBJECT(CView)
 public:
  virtual void Init();
  virtual void Exit() {}
  virtual void Update() {}
  // Code 0 sets the first view parameter, code 1 the second.
  virtual void OnMessage(CObject* sender, int code, intptr_t value, intptr_t value1, intptr_t value2);

  int32_t m_param0 = 0;
  int32_t m_param1 = 0;
};

class CContext : public CObject {
  SLV_OBJECT(CContext)
 public:
  ~CContext() override;
  virtual void Init() {}
  // Deletes every actor in list order, then empties the list.
  virtual void Clear();

  std::list<CActor*> m_actors;  // owned
};

class CFrame : public CObject {
  SLV_OBJECT(CFrame)
 public:
  ~CFrame() override;
  // Loads the frame's resource list, then initialises context and view.
  virtual void Init();
  // The base has no loop: it quits the frame manager at once.
  virtual void Run();
  virtual void Exit();
  virtual void OnMessage(CObject* sender, int type, intptr_t value0, intptr_t value1,
                         intptr_t value2) {}
  // The frame's loop ends at its next test.
  void Stop() { m_running = 0; }

  CView* m_pView = nullptr;        // owned
  CContext* m_pContext = nullptr;  // owned
  int32_t m_running = 0;
  std::string m_name;
};
