#include "engine/FrameMgr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/AppShell.h"
#include "engine/Frame.h"

namespace {

std::vector<std::string> g_calls;

// A frame that records its calls; what its Run does is set per test.
class CRecFrame : public CFrame {
  SLV_OBJECT(CRecFrame)
 public:
  static inline std::function<void(CRecFrame&)> s_onRun;
  static inline int s_runs = 0;
  void Init() override {
    g_calls.push_back("init " + m_name);
    CFrame::Init();
  }
  void Run() override {
    g_calls.push_back("run " + m_name);
    ++s_runs;
    if (s_onRun) s_onRun(*this);
  }
  void Exit() override {
    g_calls.push_back("exit " + m_name);
    CFrame::Exit();
  }
};
class COtherFrame : public CRecFrame {
  SLV_OBJECT(COtherFrame)
};
SLV_REGISTER_CLASS(CRecFrame);
SLV_REGISTER_CLASS(COtherFrame);

class FrameMgrTest : public ::testing::Test {
 protected:
  FrameMgrTest() : m_mgr(CFrameMgr::GetInstance()) {
    m_mgr.DestroyAll();
    g_calls.clear();
    g_quitRequested = 0;
    CRecFrame::s_runs = 0;
    CRecFrame::s_onRun = nullptr;
    m_mgr.RegisterFrame<CRecFrame, CView, CContext>("rec");
    m_mgr.SetDefaultFrameType("rec");
  }
  ~FrameMgrTest() override {
    CRecFrame::s_onRun = nullptr;
    m_mgr.DestroyAll();
    g_quitRequested = 0;
  }
  // Ends the manager's loop after n runs by naming a frame of a type that
  // does not exist.
  static void StopAfter(int n) {
    CRecFrame::s_onRun = [n](CRecFrame&) {
      if (CRecFrame::s_runs >= n) g_quitRequested = 1;
    };
  }
  CFrameMgr& m_mgr;
};

TEST_F(FrameMgrTest, ChangingToTheRunningFrameRestartsIt) {
  CRecFrame::s_onRun = [](CRecFrame& f) {
    if (CRecFrame::s_runs == 1) {
      CFrameMgr::GetInstance().ChangeFrame("a");
      EXPECT_EQ(f.m_running, 0);
    } else {
      g_quitRequested = 1;
    }
  };
  m_mgr.Run("a");
  EXPECT_EQ(g_calls, (std::vector<std::string>{"init a", "run a", "exit a", "init a", "run a"}));
}

TEST_F(FrameMgrTest, ARunThatReturnsWithoutAChangeRunsTheSameFrameAgain) {
  StopAfter(3);
  m_mgr.Run("a");
  EXPECT_EQ(g_calls, (std::vector<std::string>{"init a", "run a", "exit a", "init a", "run a",
                                               "exit a", "init a", "run a"}));
}

TEST_F(FrameMgrTest, ClosingTheWindowDuringAFrameSkipsItsExit) {
  StopAfter(1);
  m_mgr.Run("a");
  EXPECT_EQ(g_calls, (std::vector<std::string>{"init a", "run a"}));
}

TEST_F(FrameMgrTest, AnUnknownMapNameIsBuiltWithTheDefaultTypeAndRunsNext) {
  CRecFrame::s_onRun = [](CRecFrame& f) {
    if (f.m_name == "a") {
      CFrameMgr::GetInstance().ChangeFrame("newmap");
      EXPECT_NE(CFrameMgr::GetInstance().FindFrame("newmap"), nullptr);
    } else {
      g_quitRequested = 1;
    }
  };
  m_mgr.Run("a");
  EXPECT_EQ(g_calls, (std::vector<std::string>{"init a", "run a", "exit a", "init newmap", "run newmap"}));
}

TEST_F(FrameMgrTest, RegisteringANameAgainUsesTheNewClasses) {
  m_mgr.RegisterFrame<COtherFrame, CView, CContext>("rec");
  CFrame* f = m_mgr.CreateFrame("rec", "x");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->IsKindOf(typeid(COtherFrame)));
  EXPECT_NE(f->m_pView, nullptr);
  EXPECT_NE(f->m_pContext, nullptr);
  EXPECT_EQ(f->m_name, "x");
}

TEST_F(FrameMgrTest, AnUnregisteredTypeBuildsNoFrameAndTheLoopEnds) {
  EXPECT_EQ(m_mgr.CreateFrame("nosuch", "x"), nullptr);
  CRecFrame::s_onRun = [](CRecFrame&) {
    CFrameMgr::GetInstance().SetDefaultFrameType("nosuch");
    CFrameMgr::GetInstance().ChangeFrame("elsewhere");
  };
  m_mgr.Run("a");
  EXPECT_EQ(g_calls, (std::vector<std::string>{"init a", "run a", "exit a"}));
  EXPECT_EQ(g_pCurrentFrame, nullptr);
}

TEST_F(FrameMgrTest, TheBaseRunQuitsTheManagerForGood) {
  // Quitting cannot be undone in a process: run it in a child.
  const auto quitForGood = [this] {
    m_mgr.RegisterFrame<CFrame, CView, CContext>("plain");
    m_mgr.CreateFrame("plain", "p");
    m_mgr.Run("p");
    m_mgr.Run("p");  // nothing runs once the manager has quit
    std::exit(m_mgr.IsRunning() ? 1 : 0);
  };
  EXPECT_EXIT(quitForGood(), ::testing::ExitedWithCode(0), "");
}

TEST(View, MessagesZeroAndOneSetTheParameters) {
  CView view;
  view.OnMessage(nullptr, 0, 5, 0, 0);
  view.OnMessage(nullptr, 1, 9, 0, 0);
  view.OnMessage(nullptr, 2, 11, 0, 0);
  EXPECT_EQ(view.m_param0, 5);
  EXPECT_EQ(view.m_param1, 9);
  view.Init();
  EXPECT_EQ(view.m_param0, 0);
  EXPECT_EQ(view.m_param1, 0);
}

}  // namespace
