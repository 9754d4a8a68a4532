// The save and load screens: play times, saving new and over a slot,
// deleting, a refused load and a failed save.
#include "ui/UISaveMode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/AppShell.h"
#include "engine/FrameMgr.h"
#include "tests/session/SessionFixture.h"
#include "ui/UIDesktop.h"
#include "ui/UILoadMode.h"
#include "ui/UISaveBox.h"

namespace {

namespace fs = std::filesystem;

TEST(PlayTimeTextTest, HoursMinutesOrSeconds) {
  const struct {
    int seconds;
    const char* text;
  } cases[] = {{59, "59초"}, {5, " 5초"}, {60, "1분 0초"}, {3599, "59분59초"}, {3660, "1시간 1분"}, {7322, "2시간 2분"}};
  for (const auto& c : cases) EXPECT_EQ(PlayTimeText(c.seconds), c.text) << c.seconds;
}

class SaveModeTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    g_uiOriginX = g_uiOriginY = 0;
    m_oldDataPath = g_dataPath;
    g_dataPath = (m_dir / "game").string() + "\\data\\";
    Write("data/Name.txt", "village 마을 광장\n");
    session.placeName = "village";
  }
  void TearDown() override {
    m_desktop.reset();
    g_dataPath = m_oldDataPath;
  }

  template <class Mode>
  Mode& Open() {
    m_desktop = std::make_unique<UIDesktop>();
    auto* mode = new Mode;
    m_desktop->AddChild(mode);
    m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
    return *mode;
  }
  UISaveListPanel& List() { return *static_cast<UISaveMode*>(m_desktop->m_children.front())->m_list; }
  void Choose(int row) { List().m_box->Notify(List().m_box, 14, row, 0); }
  // A button of the slot list: 28 the first, 29 "Delete".
  void Press(int code) { List().Notify(List().m_buttons[0], 23, code, 0); }
  void AnswerYes() {
    UIMessage& box = m_desktop->m_messageBox;
    ASSERT_TRUE(box.IsShown());
    box.Show(0);
    box.Notify(&box, 28, 0, 0);
  }
  std::string Message() const { return m_desktop->m_messageBox.IsShown() ? m_desktop->m_messageBox.m_text : ""; }
  std::vector<std::string> Rows() { return List().m_box->m_texts; }
  fs::path SaveDir() const { return m_dir / "game" / "Save"; }

  std::unique_ptr<UIDesktop> m_desktop;
  std::string m_oldDataPath;
};

TEST_F(SaveModeTest, NewOverwriteAndDeleteFromTheList) {
  Open<UISaveMode>();
  EXPECT_EQ(Rows(), std::vector<std::string>{"N E W   S A V E"});
  session.playTime = 59;
  Press(28);
  EXPECT_EQ(Message(), "새로 GAME을 저장 하겠습니까?");
  AnswerYes();
  session.playTime = 3660;
  session.placeName = "nowhere";  // no entry: the key shows
  Choose(0);
  Press(28);
  AnswerYes();
  ASSERT_EQ(Rows(), (std::vector<std::string>{"N E W   S A V E", "nowhere", "마을 광장 "}));
  EXPECT_EQ(List().m_box->m_times, (std::vector<int>{-1, 3660, 59}));
  EXPECT_TRUE(fs::exists(SaveDir() / "index.sav"));
  EXPECT_TRUE(fs::exists(SaveDir() / "59.sav"));

  // Over the older slot: its files go, the list keeps two.
  session.playTime = 4000;
  session.placeName = "village";
  Choose(2);
  Press(28);
  EXPECT_EQ(Message(), "이 GAME에 덮어 쓰겠습니까?");
  AnswerYes();
  EXPECT_EQ(List().m_box->m_times, (std::vector<int>{-1, 3660, 4000}));
  EXPECT_FALSE(fs::exists(SaveDir() / "59.sav"));

  Choose(0);
  Press(29);
  EXPECT_EQ(Message(), "선택된 GAME이 없습니다");
  m_desktop->m_messageBox.Show(0);
  Choose(1);
  Press(29);
  EXPECT_EQ(Message(), "이 GAME을 지우시겠습니까?");
  AnswerYes();
  EXPECT_EQ(List().m_box->m_times, (std::vector<int>{-1, 4000}));
  EXPECT_FALSE(fs::exists(SaveDir() / "3660.sav"));
  EXPECT_TRUE(m_desktop->IsOpen());
}

TEST_F(SaveModeTest, AFailedSaveSaysSoAndKeepsTheList) {
  fs::create_directories(m_dir / "game");
  std::ofstream(SaveDir()) << "a file where the folder would be";
  Open<UISaveMode>();
  Press(28);
  AnswerYes();
  EXPECT_EQ(Message(), "GAME을 저장하지 못했습니다");
  EXPECT_EQ(Rows(), std::vector<std::string>{"N E W   S A V E"});
}

TEST_F(SaveModeTest, TheLoadScreenReadsBeforeItClosesAndRefusesADamagedSave) {
  Open<UILoadMode>();
  EXPECT_EQ(Message(), "저장된 GAME이 없습니다");
  m_desktop->m_messageBox.Show(0);
  Press(28);
  EXPECT_EQ(Message(), "선택된 GAME이 없습니다");

  // Two slots; the newer one cut short.
  for (int time : {100, 200}) {
    session.playTime = time;
    session.gold = time;
    CSaveList list;
    list.ReadIndex();
    ASSERT_TRUE(list.Save(nullptr, true));
    ASSERT_EQ(list.WriteIndex(), 1);
  }
  fs::resize_file(SaveDir() / "200.sav", 40);
  session.gold = 7;
  Open<UILoadMode>();
  ASSERT_EQ(Rows().size(), 2u);  // no new row
  Choose(0);
  Press(28);
  EXPECT_EQ(Message(), "이 GAME을 읽겠습니까?");
  AnswerYes();
  EXPECT_EQ(Message(), "잘못된 형식의 세이브 파일입니다");
  EXPECT_TRUE(m_desktop->IsOpen());
  EXPECT_EQ(session.gold, 7);

  m_desktop->m_messageBox.Show(0);
  Choose(1);
  Press(28);
  AnswerYes();
  EXPECT_FALSE(m_desktop->IsOpen());
  EXPECT_EQ(session.gold, 100);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "village");
}

}  // namespace
