#pragma once
// What the effect suites share: an owner that records the messages it gets,
// and a running game frame whose field context holds the effect list.
#include <functional>
#include <vector>

#include "engine/FrameMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"

namespace effecttest {

// A number that builds nothing, given a long life: a holder for the
// primitives a test makes itself.
inline constexpr int kQuietEffect = 209;
inline constexpr int kQuietLifetime = 1000;

// The codes land in a vector the test owns, so they can be read after the
// owner is gone.
class CRecordingOwner : public CSelvarinActor {
 public:
  explicit CRecordingOwner(std::vector<int>* codes) : m_codes(codes) {}
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    m_codes->push_back(code);
    CSelvarinActor::OnMessage(sender, code, a, b, c);
  }
  bool OnProcess() override { return tick ? tick() : true; }

  std::function<bool()> tick;

 private:
  std::vector<int>* m_codes;
};

// A game frame with no map: its context is the current field context.
class FieldFrame {
 public:
  FieldFrame() {
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    m_frame.m_name = "effects";
    m_frame.Init();
  }
  ~FieldFrame() {
    Context().FreeEffects();
    g_pCurrentFrame = nullptr;
  }
  FieldFrame(const FieldFrame&) = delete;
  FieldFrame& operator=(const FieldFrame&) = delete;

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  CSelvarinView& View() { return *m_frame.GetView(); }

 private:
  CSelvarinFrame m_frame;
};

}  // namespace effecttest
