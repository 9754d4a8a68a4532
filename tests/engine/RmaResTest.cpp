#include "engine/RmaRes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"

namespace {

// Model texts in data\model\.
class RmaResTest : public GameFolderTest {
 protected:
  ~RmaResTest() override { CResMgr::GetInstance().UnloadResources(); }
  void Load(const std::string& text) {
    Write("data/model/m.rma", text);
    SetResDirectory("\\model\\");
    ASSERT_TRUE(m_rma.Load("m.rma"));
  }
  CRmaRes m_rma;
};

TEST_F(RmaResTest, OneActionLineGrowsTheTableWithUndefinedActions) {
  Load("#action 5 0 10\n");
  EXPECT_EQ(m_rma.GetActionCount(), 6);
  EXPECT_FALSE(m_rma.HasAction(3));
  EXPECT_TRUE(m_rma.HasAction(5));
  EXPECT_FALSE(m_rma.HasAction(-1));
  EXPECT_FALSE(m_rma.HasAction(6));
  EXPECT_EQ(m_rma.GetActionStartFrame(5), 0);
  EXPECT_EQ(m_rma.GetActionEndFrame(5), 10);
  // Defined before any model: no model name. Undefined: frames -1, no name.
  EXPECT_EQ(m_rma.GetActionModelName(5), "");
  for (int i : {3, -1, 6, 1 << 30}) {
    EXPECT_EQ(m_rma.GetActionModelName(i), "") << i;
    EXPECT_EQ(m_rma.GetActionStartFrame(i), -1) << i;
    EXPECT_EQ(m_rma.GetActionEndFrame(i), -1) << i;
    int position = 7;
    EXPECT_FALSE(m_rma.IsActionEventFrame(i, 0, &position)) << i;
    EXPECT_EQ(position, -1);
  }
  // Nothing else in the file: the defaults.
  EXPECT_EQ(m_rma.m_interiorZoom, 1.0f);
  EXPECT_EQ(m_rma.m_shadowZoom, 1.0f);
  EXPECT_EQ(m_rma.m_interiorOffsetX, 0);
  EXPECT_EQ(m_rma.m_interiorOffsetY, 0);
  EXPECT_EQ(m_rma.m_interiorFrames[0], 0);
  EXPECT_EQ(m_rma.m_interiorFrames[1], 0);
}

TEST_F(RmaResTest, ActionsTakeTheModelNamedLastBeforeThem) {
  Load("// a model with two parts\n"
       "#rsxname body.rsx\n"
       "#action 0 0 9\n"
       "#action 2 10 19\n"
       "\n"
       "#rsxname \"arm left.rsx\"\n"
       "#action 1 0 4 // waving\n"
       "#action 0 5 8\n");
  EXPECT_EQ(m_rma.m_modelNames, (std::vector<std::string>{"body.rsx", "arm left.rsx"}));
  EXPECT_EQ(m_rma.GetActionModelName(2), "body.rsx");
  EXPECT_EQ(m_rma.GetActionModelName(1), "arm left.rsx");
  // Redefined after the second name: its frames and model.
  EXPECT_EQ(m_rma.GetActionModelName(0), "arm left.rsx");
  EXPECT_EQ(m_rma.GetActionStartFrame(0), 5);
  EXPECT_EQ(m_rma.GetActionEndFrame(0), 8);
}

TEST_F(RmaResTest, EventFramesAreTheTokensFromTheFifthOn) {
  Load("#rsxname a.rsx\n#action 2 0 20 5 12\n#action 3 0 20\n");
  int position = -1;
  EXPECT_TRUE(m_rma.IsActionEventFrame(2, 12, &position));
  EXPECT_EQ(position, 1);
  EXPECT_TRUE(m_rma.IsActionEventFrame(2, 5, &position));
  EXPECT_EQ(position, 0);
  EXPECT_FALSE(m_rma.IsActionEventFrame(2, 20, &position));
  EXPECT_EQ(position, -1);
  EXPECT_FALSE(m_rma.IsActionEventFrame(3, 0));
}

TEST_F(RmaResTest, SettingsAndBadLines) {
  testsupport::DebugLogCapture log;
  Load("#interiorzoom 1.5\n"
       "#shadowzoom 0.25\n"
       "#interioroffsetx -3\n"
       "#interioroffsety 7\n"
       "#interiorframes 4 9\n"
       "#Action 1 0 1\n"        // keywords compare with case
       "\"\" 1 2\n"             // an empty quoted keyword
       "#action -1 0 1\n"       // before the table
       "#action 10000 0 1\n"    // a table without bound
       "#action 2147483647 0 1\n"
       "#action 1 0 1\n"
       "#action 1 2 3\n");
  EXPECT_EQ(m_rma.m_interiorZoom, 1.5f);
  EXPECT_EQ(m_rma.m_shadowZoom, 0.25f);
  EXPECT_EQ(m_rma.m_interiorOffsetX, -3);
  EXPECT_EQ(m_rma.m_interiorOffsetY, 7);
  EXPECT_EQ(m_rma.m_interiorFrames[0], 4);
  EXPECT_EQ(m_rma.m_interiorFrames[1], 9);
  EXPECT_EQ(m_rma.GetActionCount(), 2);
  EXPECT_EQ(m_rma.GetActionStartFrame(1), 2);
  EXPECT_TRUE(log.Contains("#Action"));
  EXPECT_TRUE(log.Contains("-1"));
  EXPECT_TRUE(log.Contains("10000"));
  EXPECT_TRUE(log.Contains("redefined"));
}

TEST_F(RmaResTest, TheResourceManagerLoadsModelTextsFromTheModelFolder) {
  Write("data/model/Tree.rma", "#rsxname tree.rsx\n#action 0 0 3\n");
  const auto* rma = dynamic_cast<CRmaRes*>(CResMgr::GetInstance().GetRes("Tree.rma"));
  ASSERT_NE(rma, nullptr);
  EXPECT_TRUE(rma->HasAction(0));
  EXPECT_EQ(rma->GetActionModelName(0), "tree.rsx");
}

TEST_F(RmaResTest, AMissingFileLeavesTheResourceEmpty) {
  SetResDirectory("\\model\\");
  EXPECT_FALSE(m_rma.Load("none.rma"));
  EXPECT_EQ(m_rma.GetActionCount(), 0);
  EXPECT_TRUE(m_rma.m_modelNames.empty());
}

}  // namespace
