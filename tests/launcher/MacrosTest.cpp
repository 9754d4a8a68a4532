#include <gtest/gtest.h>

#include "launcher/Macros.h"
#include "launcher/Probes.h"
#include "platform/Music.h"
#include "tests/launcher/LauncherFolder.h"

namespace {

using launchertest::LauncherFolderTest;
using launchertest::MessageBoxes;

class MacrosTest : public LauncherFolderTest {
 protected:
  MacrosTest() { platform::SetDiscMountFolders({(m_dir / "media").string()}); }
  ~MacrosTest() override {
    platform::SetDiscMountFolders({});
    ::unsetenv("SLV_WINDIR");
  }
  std::string Disc(const std::string& label) {
    const auto folder = m_dir / "media" / label;
    std::filesystem::create_directories(folder);
    return folder.string();
  }
};

TEST_F(MacrosTest, DiscsAreFoundByLabelWithoutRegardToCase) {
  Disc("Other");
  const std::string four = Disc("slv_disc4");
  EXPECT_EQ(FindDiscDrive(4), four);
  EXPECT_EQ(FindDiscDrive(1), "");
  const std::string dvd = Disc("SLV_DVD");
  EXPECT_EQ(FindDiscDrive(1), dvd);  // the DVD holds every disc
}

TEST_F(MacrosTest, EachMacroIsReplacedAndTheRestKept) {
  const std::string disc = Disc("SLV_DISC4");
  Install(m_dir / "game");
  ::setenv("SLV_WINDIR", "/opt/win", 1);
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"%DISK4\\movie\\vendrel.avi", disc + "\\movie\\vendrel.avi"},
      {"%GAMEDIR\\slvexe", (m_dir / "game").string() + "/\\slvexe"},
      {"%WINDIR\\dxdiag", "/opt/win\\dxdiag"},
      {"100% sure %WINDIR", "100% sure /opt/win"},  // a "%" of no macro stays
      {"%DISKx %", "%DISKx %"},
      {"plain", "plain"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_TRUE(ExpandMacros(c.text, &out)) << c.text;
    EXPECT_EQ(out, c.expected);
  }
  ::unsetenv("SLV_WINDIR");
  std::string out;
  EXPECT_TRUE(ExpandMacros("%WINDIR", &out));
  EXPECT_EQ(out, "/usr/bin");
}

TEST_F(MacrosTest, WithoutAnInstalledFolderGamedirCancels) {
  std::string out;
  EXPECT_FALSE(ExpandMacros("%GAMEDIR\\slvexe", &out));
}

TEST_F(MacrosTest, AMissingDiscIsAskedForUntilItIsThere) {
  MessageBoxes boxes({true, true, true});
  std::string disc;
  boxes.onAsk = [&](size_t count) {
    if (count == 2) disc = Disc("SLV_DISC0");
  };
  std::string out;
  EXPECT_TRUE(ExpandMacros("%DISK0\\disk1\\setup", &out));
  EXPECT_EQ(out, disc + "\\disk1\\setup");
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].text, "0 번 디스크를 넣어주세요.");
  EXPECT_EQ(boxes.boxes[0].caption, "알림");
  EXPECT_TRUE(boxes.boxes[0].okCancel);
}

TEST_F(MacrosTest, CancellingTheDiscRequestEndsTheExpansion) {
  MessageBoxes boxes({true, false});
  std::string out;
  EXPECT_FALSE(ExpandMacros("%DISK2\\x", &out));
  EXPECT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "2 번 디스크를 넣어주세요.");
}

}  // namespace
