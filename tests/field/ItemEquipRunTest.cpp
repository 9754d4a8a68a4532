// The field menu's item and equipment pages in the sample village, headless
// under scripted input: F2 and the item page with the leader's header; bread
// used on the second member from the item menu and the member picker; the
// old key's letter read in the long box; on the equipment page the second
// member with the great sword chosen (fit marks and comparison), the sword
// put on with a second click, then taken off with two clicks on its slot;
// F1 back to the field. Each stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/SampleGameRun.h"

namespace {

// Absolute places on the 640 x 480 grid made into the script's relative
// moves; the pointer stands in the middle when the village is ready.
class Pointer {
 public:
  std::string To(int pass, int x, int y) {
    const std::string line =
        std::to_string(pass) + " mouse move " + std::to_string(x - m_x) + " " + std::to_string(y - m_y) + "\n";
    m_x = x;
    m_y = y;
    return line;
  }
  static std::string Press(int pass, const char* button) {
    return std::to_string(pass) + " mouse " + button + " down\n" + std::to_string(pass + 1) + " mouse " + button +
           " up\n";
  }
  std::string Click(int pass, int x, int y, const char* button = "left") {
    return To(pass, x, y) + Press(pass + 2, button);
  }

 private:
  int m_x = 320, m_y = 240;
};

TEST(ItemEquipRun, UseReadEquipAndTakeOff) {
  testsupport::SampleGameRun run;
  Pointer p;
  std::string events = "490 key f2 down\n492 key f2 up\n";
  events += p.Click(500, 258, 20);              // the "Item" page
  events += p.To(508, 200, 130) + run.Shot(515, "item") + testsupport::TextCheck(516, "menu_item");  // over the bread
  events += p.Click(518, 200, 130, "right");    // its menu
  events += p.Click(525, 225, 148);             // "사용하기": the picker
  events += p.Click(532, 290, 190) + run.Shot(542, "used");  // the second member
  events += p.Click(545, 400, 170, "right");    // the old key's menu
  events += p.Click(552, 425, 188) + run.Shot(565, "read") + testsupport::TextCheck(566, "menu_read");  // "읽기"
  events += p.Click(570, 322, 425);             // OK
  events += p.Click(578, 334, 20);              // the "Equip" page
  events += p.Click(586, 60, 110);              // the second member
  events += p.Click(594, 200, 180) + run.Shot(605, "compare") + testsupport::TextCheck(606, "menu_equip");  // the great sword
  events += Pointer::Press(610, "left") + run.Shot(620, "equipped");
  events += p.Click(625, 200, 91) + Pointer::Press(632, "left") + run.Shot(640, "takenoff");
  events += "645 key f1 down\n647 key f1 up\n" + run.Shot(660, "closed") + "670 close\n";
  const auto result = run.Run(events);
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* shot : {"item", "used", "read", "compare", "equipped", "takenoff", "closed"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("item_equip_") + shot), "") << shot;
  }
  for (const char* check : {"menu_item", "menu_read", "menu_equip"}) EXPECT_EQ(run.UnreadTexts(check), "") << check;
}

}  // namespace
