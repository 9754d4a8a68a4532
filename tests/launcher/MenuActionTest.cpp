// What a click on a hot spot does, against a recording opener and stub
// programs.
#include <gtest/gtest.h>

#include "launcher/MenuHotSpot.h"
#include "tests/launcher/LauncherFolder.h"

namespace {

using launchertest::LauncherFolderTest;
using launchertest::MessageBoxes;

class MenuActionTest : public LauncherFolderTest {
 protected:
  MenuActionTest() { InstallRecordingOpener(); }
  static bool Click(const std::string& action) { return MenuHotSpot(0, 0, 1, 1, action, true).Click(); }
  std::string Opened() { return WaitForFile(m_dir / "opened.txt"); }
};

TEST_F(MenuActionTest, ExecStartsTheProgramInItsOwnFolderAndCloses) {
  const auto game = m_dir / "Game Folder";
  Install(game);
  Script("Game Folder/SlvExe", "pwd > started.txt\n");
  MessageBoxes boxes;
  // The script's separators and case are the original system's.
  EXPECT_TRUE(Click("exec::%GAMEDIR\\slvexe"));
  EXPECT_EQ(WaitForFile(game / "started.txt"), game.string() + "\n");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MenuActionTest, ExecOfAProgramThatCannotStartSaysSoAndStays) {
  Install(m_dir / "game");
  MessageBoxes boxes;
  EXPECT_FALSE(Click("exec::%GAMEDIR\\slvexe"));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "알림");
  EXPECT_EQ(boxes.boxes[0].text, "프로그램을 실행할 수 없습니다.\n" + (m_dir / "game").string() + "/\\slvexe");
  EXPECT_FALSE(boxes.boxes[0].okCancel);
}

TEST_F(MenuActionTest, ExecCancelledStaysAndRunsNothing) {
  MessageBoxes boxes({false});
  EXPECT_FALSE(Click("exec::%DISK0\\disk1\\setup"));
  EXPECT_EQ(boxes.boxes.size(), 1u);  // the disc request only
}

TEST_F(MenuActionTest, LinksAndDocumentsGoToTheDesktopsOpenerAndStay) {
  Install(m_dir / "game");
  Script("game/manual/index.htm", "");
  EXPECT_FALSE(Click("url::http://www.example.com/"));
  EXPECT_EQ(Opened(), "http://www.example.com/\n");
  std::filesystem::remove(m_dir / "opened.txt");
  EXPECT_FALSE(Click("open::%GAMEDIR\\Manual\\index.htm"));
  EXPECT_EQ(Opened(), (m_dir / "game/manual/index.htm").string() + "\n");
}

TEST_F(MenuActionTest, WithoutABrowserALinkDoesNothing) {
  std::filesystem::remove(m_dir / "bin/xdg-open");
  EXPECT_FALSE(Click("url::http://www.example.com/"));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(std::filesystem::exists(m_dir / "opened.txt"));
}

TEST_F(MenuActionTest, ADocumentThatCannotBeOpenedIsSaidAndTheLauncherStays) {
  Install(m_dir / "game");
  Script("game/manual/index.htm", "");
  const struct {
    const char* what;
    std::function<void()> opener;
  } cases[] = {
      {"no opener", [&] { std::filesystem::remove(m_dir / "bin/xdg-open"); }},
      {"an opener that cannot start",
       [&] {
         const auto opener = m_dir.Write("bin/xdg-open", "#!/no/such/interpreter\n");
         std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
       }},
  };
  for (const auto& c : cases) {
    c.opener();
    MessageBoxes boxes;
    EXPECT_FALSE(Click("open::%GAMEDIR\\manual\\index.htm")) << c.what;
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.what;
    EXPECT_EQ(boxes.boxes[0].caption, "알림");
    EXPECT_EQ(boxes.boxes[0].text, "문서를 열 수 없습니다.\n" + (m_dir / "game").string() + "/\\manual\\index.htm");
    EXPECT_FALSE(boxes.boxes[0].okCancel);
  }
}

TEST_F(MenuActionTest, ExitClosesSetUpStaysAndOtherTextsAreShown) {
  MessageBoxes boxes;
  EXPECT_TRUE(Click("exit"));
  EXPECT_TRUE(Click("exit now"));  // the first four bytes decide
  EXPECT_FALSE(Click("hwconfig"));
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(Click("launch"));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "launch");
  EXPECT_EQ(boxes.boxes[0].caption, "click");
}

}  // namespace
