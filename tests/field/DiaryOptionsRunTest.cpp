// The field menu's diaries and options in the sample village, headless: the
// village recorded a sword, shoes, a potion, the imp and two scraps. F2 and
// the diary tab show the item diary; then the monster diary; the scrap
// diary, whose first page marks an unknown scrap, on "모두보기"; the
// options page; and key layout 2 chosen there, the menu closed, the space
// bar makes the leader jump.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// Pointer moves are relative; opening the menu puts the pointer at
// (320, 240). Then: the diary tab (10, 150); the monster and scrap page
// icons (258, 20) and (334, 20); "모두보기" (520, 405); "Options" (60, 120);
// the key spin's up arrow, just above its point (387, 284); the close
// button (622, 18); back to
// the middle, where the pointer turns nothing.
TEST(DiaryOptionsRun, DiariesOptionsAndAKeyLayoutThatTakesEffect) {
  testsupport::SampleGameRun run;
  const auto click = [](int pass) {
    return std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  };
  const auto result = run.Run("490 key f2 down\n492 key f2 up\n"
                              "500 mouse move -310 -90\n" + click(502) + run.Shot(512, "item") + testsupport::TextCheck(513, "diary_item") +
                              "515 mouse move 248 -130\n" + click(517) + run.Shot(525, "monster") +
                              // The pointer off the "Monster" icon's label while the texts are checked.
                              "526 mouse move -254 280\n" + testsupport::TextCheck(527, "diary_monster") +
                              "529 mouse move 330 -280\n" + click(530) +
                              "534 mouse move 186 385\n" + click(536) + run.Shot(545, "scrap") + testsupport::TextCheck(546, "diary_scrap") +
                              "548 mouse move -460 -285\n" + click(550) + run.Shot(558, "options") + testsupport::TextCheck(559, "menu_options") +
                              "561 mouse move 327 164\n" + click(563) +
                              "570 mouse move 235 -266\n" + click(572) +
                              "576 mouse move -302 222\n"
                              "590 key space down\n591 key space up\n" + run.Shot(596, "jump") + "610 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* shot : {"item", "monster", "scrap", "options", "jump"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("diary_options_") + shot), "") << shot;
  }
  for (const char* check : {"diary_item", "diary_monster", "diary_scrap", "menu_options"}) {
    EXPECT_EQ(run.UnreadTexts(check), "") << check;
  }
}

}  // namespace
