// The sample village's inn headless under scripted input: the apples
// stored in the inn's chest, the second member sent to the inn and
// kreutzer brought back by the innkeeper, the healing spell cast from the
// field menu's magic page, kreutzer's skill page, and the tactics chosen,
// each stage checked against its golden screenshot and its texts against
// the screen table.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/SampleGameRun.h"

namespace {

// The pointer to (x, y) of the 640 x 480 view: to the corner, then across.
std::string Point(int pass, int x, int y) {
  return std::to_string(pass) + " mouse move -4000 -4000\n" + std::to_string(pass + 1) + " mouse move " +
         std::to_string(x) + " " + std::to_string(y) + "\n";
}

// The pointer to (x, y), then a press and release.
std::string Click(int pass, int x, int y, const char* button = "left") {
  return Point(pass, x, y) + std::to_string(pass + 3) + " mouse " + button + " down\n" + std::to_string(pass + 4) +
         " mouse " + button + " up\n";
}

TEST(InnPagesRun, StoreSwapMembersCastHealingAndChooseTactics) {
  testsupport::SampleGameRun run;
  std::string events;
  // Down to the inn's chest; the action key opens the item box. The
  // apples' row of the party's list, its menu, "5개 보관" (both go).
  events += "480 key down down\n500 key down up\n505 key 17 down\n506 key 17 up\n";
  events += Click(570, 400, 227) + Click(580, 400, 227, "right") + Click(600, 425, 242);
  events += run.Shot(615, "stored") + Point(616, 310, 60) + testsupport::TextCheck(618, "item_box") +
            Click(620, 595, 112);
  // Up to the path and east to the innkeeper: maria to the inn by two
  // clicks on her card, kreutzer back by two on his; then "Close".
  events += "645 key up down\n653 key up up\n660 key right down\n700 key right up\n705 key 17 down\n706 key 17 up\n";
  events += Click(750, 170, 430) + Click(760, 170, 430) + Click(780, 80, 200) + Click(790, 80, 200);
  events += run.Shot(800, "party") + Point(801, 310, 60) + testsupport::TextCheck(803, "party") +
            Click(805, 580, 112) + run.Shot(812, "followers");
  // F2 at once, before the wolf roaming by the inn reaches the party (the
  // field stands still under the menu); the magic page, "힐링" and its
  // menu's "마법 사용", kreutzer in the picker.
  events += "815 key f2 down\n817 key f2 up\n" + Click(845, 410, 25);
  events += Click(865, 200, 132) + Click(875, 200, 132, "right") + Click(890, 225, 147) + Click(905, 290, 190);
  events += run.Shot(920, "healed") + testsupport::TextCheck(921, "menu_magic");
  // kreutzer's icon in the member column: he uses skills, so the page
  // turns to his skills.
  events += Click(923, 70, 110) + testsupport::TextCheck(930, "menu_skill");
  // The tactics tab: "공격우선" for the leader, " 커스텀" for kreutzer and a
  // right click on his list.
  events += Click(935, 10, 240) + Click(945, 250, 172) + Click(955, 400, 232) + Click(965, 400, 232, "right");
  events += run.Shot(980, "tactics") + Point(981, 600, 300) + testsupport::TextCheck(983, "menu_tactics") + "990 close\n";
  const auto result = run.Run(events);
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  for (const char* shot : {"stored", "party", "followers", "healed", "tactics"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("inn_pages_") + shot), "") << shot;
  }
  for (const char* check : {"item_box", "party", "menu_magic", "menu_skill", "menu_tactics"}) {
    EXPECT_EQ(run.UnreadTexts(check), "") << check;
  }
}

}  // namespace
