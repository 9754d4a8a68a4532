#pragma once
// Holds the kinds of frames by name and the frames built so far, and runs one
// frame at a time until the program quits.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class CFrame;

// A registered kind of frame: the classes of its frame, view and context.
struct FrameType {
  const std::type_info* frameClass;
  const std::type_info* viewClass;
  const std::type_info* contextClass;
};

class CFrameMgr {
 public:
  static CFrameMgr& GetInstance();
  ~CFrameMgr();

  // Registering a name again replaces its entry.
  void RegisterFrame(const std::string& typeName, const std::type_info& frameClass,
                     const std::type_info& viewClass, const std::type_info& contextClass);
  template <class Frame, class View, class Context>
  void RegisterFrame(const std::string& typeName) {
    RegisterFrame(typeName, typeid(Frame), typeid(View), typeid(Context));
  }
  // Builds a frame of a registered type; null (logged) for an unknown type.
  CFrame* CreateFrame(const std::string& typeName, const std::string& instanceName);
  void SetDefaultFrameType(const std::string& typeName);
  // Stops the current frame; the named one (built with the default type when
  // it was never built) runs when the current frame's Run returns.
  void ChangeFrame(const std::string& name);
  void Quit();
  void Run(const std::string& startName);
  void DestroyAll();

  CFrame* FindFrame(const std::string& name) const;
  const std::string& NextName() const { return m_nextName; }
  bool IsRunning() const { return m_running != 0; }

 private:
  CFrameMgr() = default;

  std::map<std::string, FrameType> m_types;
  std::map<std::string, std::unique_ptr<CFrame>> m_frames;
  // Frames replaced in m_frames while they ran; freed with the rest.
  std::vector<std::unique_ptr<CFrame>> m_replaced;
  std::string m_nextName;
  std::string m_defaultType;
  int32_t m_running = 1;
};

// The frame being run.
extern CFrame* g_pCurrentFrame;
