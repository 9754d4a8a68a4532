// Screens over the field headless under scripted input. The inn's item box
// and party screens: after a press on a row or a right click on a member's
// card, a click on the middle of the "Close" button (its label, right of
// where the button's reach used to end) leaves the screen, and so does F1
// from the party screen; the party screen's three views against their
// golden screenshots. The field menu's party tab: choosing another member on
// each page draws the same page, pixel for pixel, as opening the menu on
// that member.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/GoldenImage.h"
#include "tests/support/SampleGameRun.h"

namespace {
namespace screenscloseandredrawruntest {

// Input-script lines, each a number of passes after the one before.
struct Script {
  explicit Script(int first) : pass(first) {}
  void At(int passes, const std::string& event) {
    pass += passes;
    text += std::to_string(pass) + " " + event + "\n";
  }
  // The pointer to (x, y) of the 640 x 480 view: to the corner, then across.
  void Point(int x, int y) {
    At(1, "mouse move -4000 -4000");
    At(1, "mouse move " + std::to_string(x) + " " + std::to_string(y));
  }
  void Click(int x, int y, const std::string& button = "left") {
    Point(x, y);
    At(2, "mouse " + button + " down");
    At(1, "mouse " + button + " up");
  }
  void Key(const std::string& key) {
    At(2, "key " + key + " down");
    At(2, "key " + key + " up");
  }
  // Once the icons have stopped swelling.
  void Shot(const std::string& name, int passes = 15) { At(passes, "screenshot @" + name + ".ppm"); }

  int pass;
  std::string text;
};

testsupport::RgbImage Image(const testsupport::TempDir& dir, const std::string& shot) {
  testsupport::RgbImage image;
  testsupport::ReadPpm(dir / (shot + ".ppm"), &image);
  return image;
}

// The share of the pixels in (x0, y0)-(x1, y1) that two shots have alike.
double Alike(const testsupport::RgbImage& a, const testsupport::RgbImage& b, int x0, int y0, int x1, int y1) {
  if (a.width != b.width || a.height != b.height || a.width < x1 || a.height < y1) return -1.0;
  int same = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(a.width) + static_cast<size_t>(x)) * 3;
      same += a.rgb[at] == b.rgb[at] && a.rgb[at + 1] == b.rgb[at + 1] && a.rgb[at + 2] == b.rgb[at + 2] ? 1 : 0;
    }
  }
  return static_cast<double>(same) / ((x1 - x0) * (y1 - y0));
}

// The panels' area of the item box and party screens.
double PanelsAlike(const testsupport::TempDir& dir, const std::string& a, const std::string& b) {
  return Alike(Image(dir, a), Image(dir, b), 30, 110, 590, 470);
}

// The middle of both inn screens' "Close" button.
constexpr int kCloseX = 591, kCloseY = 115;

}  // namespace screenscloseandredrawruntest

using screenscloseandredrawruntest::kCloseX;
using screenscloseandredrawruntest::kCloseY;
using screenscloseandredrawruntest::PanelsAlike;
using screenscloseandredrawruntest::Script;

TEST(ScreensCloseAndRedrawRun, CloseAndF1LeaveTheInnScreensAfterPressesOnRowsAndCards) {
  testsupport::TempDir dir;
  // Down to the inn's chest; the action key opens the item box; the apples'
  // row of the party's list chosen, then "Close".
  Script s(480);
  s.At(0, "key down down");
  s.At(20, "key down up");
  s.Key("17");
  s.At(60, "mouse move 0 0");
  s.Click(400, 227);
  s.Shot("box");
  s.Click(kCloseX, kCloseY);
  s.Shot("box_closed");
  // Up to the path and east to the innkeeper: a right click on maria's card
  // (the points view), another (the stats view), then "Close".
  s.At(20, "key up down");
  s.At(8, "key up up");
  s.At(7, "key right down");
  s.At(40, "key right up");
  s.Key("17");
  s.At(40, "mouse move 0 0");
  s.Shot("names", 1);
  s.Click(170, 430, "right");
  s.Point(600, 300);  // off the cards
  s.Shot("points");
  s.Click(170, 430, "right");
  s.Point(600, 300);
  s.Shot("stats");
  s.Click(kCloseX, kCloseY);
  s.Shot("party_closed");
  // The innkeeper again: a right click on kreutzer's card, then F1.
  s.Key("17");
  s.At(20, "mouse move 0 0");
  s.Click(80, 200, "right");
  s.Shot("again");
  s.Key("f1");
  s.Shot("party_left");
  s.At(5, "close");
  const auto result = testsupport::RunSampleGame(dir, testsupport::NewGameScript() + s.text);
  ASSERT_FALSE(result.timedOut);
  EXPECT_LT(PanelsAlike(dir, "box", "box_closed"), 0.5);
  for (const char* view : {"names", "points", "stats"}) {
    EXPECT_EQ(testsupport::CompareShot(dir, view, std::string("party_screen_") + view), "") << view;
  }
  EXPECT_LT(PanelsAlike(dir, "stats", "party_closed"), 0.5);
  EXPECT_LT(PanelsAlike(dir, "again", "party_left"), 0.5);
}

TEST(ScreensCloseAndRedrawRun, ChoosingAMemberDrawsThePageThatOpeningTheMenuOnHimDraws) {
  testsupport::TempDir dir;
  // The field menu on the four members the elder's answer leaves, the
  // pointer where it lights nothing; the pages of the party tab, the last
  // being the magic page of a magic user and the skill page of the others.
  auto member = [](int m) { return 62 + 48 * m; };
  auto page = [](int p) { return 180 + 76 * p; };
  auto shot = [](Script& s, const std::string& kind, int p, int m) {
    s.Point(145, 470);
    s.Shot(kind + "_" + std::to_string(p) + "_" + std::to_string(m), 30);
  };
  Script s(720);
  s.Key("f2");
  s.At(10, "mouse move 0 0");
  for (int p = 0; p < 4; ++p) {
    s.Click(page(p), 25);
    shot(s, "open", p, 0);
  }
  // From sizz on each page to every other member and back.
  for (int p = 0; p < 4; ++p) {
    s.Click(70, member(0));
    s.Click(page(p), 25);
    for (int m : {1, 2, 3, 0}) {
      s.Click(70, member(m));
      shot(s, "switch", p, m);
    }
  }
  // Each other member moved to the top ("위로 올리기"), the menu closed and
  // opened again on him.
  for (int m = 1; m < 4; ++m) {
    for (int k = m; k > 0; --k) {
      s.Click(70, member(k), "right");
      s.Click(95, member(k) + 15);
    }
    s.Click(622, 18);
    s.At(3, "mouse move 0 0");
    s.Key("f2");
    for (int p = 0; p < 4; ++p) {
      s.Click(page(p == 3 ? 4 : p), 25);
      shot(s, "open", p, m);
    }
  }
  s.At(5, "close");
  const auto result =
      testsupport::RunSampleGame(dir, testsupport::NewGameScript() + testsupport::ElderThirdAnswerScript() + s.text);
  ASSERT_FALSE(result.timedOut);
  for (int p = 0; p < 4; ++p) {
    for (int m = 0; m < 4; ++m) {
      const std::string which = std::to_string(p) + "_" + std::to_string(m);
      // The page strip and the desk, right of the member column.
      const testsupport::RgbImage opened = screenscloseandredrawruntest::Image(dir, "open_" + which);
      EXPECT_EQ(screenscloseandredrawruntest::Alike(opened, screenscloseandredrawruntest::Image(dir, "switch_" + which),
                                                    150, 0, 640, 432),
                1.0)
          << "page " << p << ", member " << m;
    }
  }
  // The member's own status page: its name and picture, not sizz's.
  EXPECT_LT(screenscloseandredrawruntest::Alike(screenscloseandredrawruntest::Image(dir, "open_0_0"),
                                                screenscloseandredrawruntest::Image(dir, "open_0_1"), 154, 38, 630, 430),
            0.9);
}

}  // namespace
