// The field menu in the sample village, headless under scripted input: F2
// with the pointer on the strength label opens the leader's status page
// with its help line; a right press on the leader opens the member pop-up,
// whose "아래로 내리기" moves the leader down the party; the diary tab's
// "Exit" asks its question and "NO" stays; the close button goes back to
// the field. Each stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// Opening the menu puts the pointer in the middle (320, 240). Then, on the
// 640 x 480 grid: F2, and the pointer to (190, 218) over "완력"; to the
// leader's icon (60, 70) and a right press, which opens the pop-up at
// (75, 80); its second entry at (85, 105); the diary tab of the strip at
// (10, 160); "Exit" at (60, 160); "NO" at (345, 185); the close button at
// (622, 18).
TEST(FieldMenuRun, StatusHelpPopUpReorderExitQuestionAndClose) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(
      "490 key f2 down\n492 key f2 up\n"
      "500 mouse move -130 -22\n" +
      run.Shot(510, "status") + testsupport::TextCheck(511, "menu_status") +
      "515 mouse move -130 -148\n"
      "517 mouse right down\n518 mouse right up\n" +
      run.Shot(525, "popup") + testsupport::TextCheck(526, "menu_member") +
      "530 mouse move 25 35\n"
      "532 mouse left down\n533 mouse left up\n"
      "540 mouse move -75 55\n"
      "542 mouse left down\n543 mouse left up\n"
      "550 mouse move 50 0\n"
      "552 mouse left down\n553 mouse left up\n" +
      run.Shot(560, "exit") + testsupport::TextCheck(561, "menu_exit") +
      "565 mouse move 285 25\n"
      "567 mouse left down\n568 mouse left up\n"
      "575 mouse move 277 -167\n"
      "577 mouse left down\n578 mouse left up\n" +
      run.Shot(600, "field") + "610 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* shot : {"status", "popup", "exit", "field"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("field_menu_") + shot), "") << shot;
  }
  for (const char* check : {"menu_status", "menu_member", "menu_exit"}) EXPECT_EQ(run.UnreadTexts(check), "") << check;
}

// Choosing the second member in the party column shows that member's
// status page alone: none of the first member's texts are left under it.
TEST(FieldMenuRun, ChoosingAnotherMemberDrawsOnlyThatMembersPage) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(
      "490 key f2 down\n492 key f2 up\n"
      "500 mouse move -260 -130\n"
      "502 mouse left down\n503 mouse left up\n"
      "510 mouse move 0 330\n" +
      testsupport::TextCheck(516, "menu_status_switched") + "520 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(run.UnreadTexts("menu_status_switched"), "");
}

}  // namespace
