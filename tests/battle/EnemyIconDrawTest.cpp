// The enemy kinds' figures on the time-gauge bar, drawn and measured: the
// shared icon sheet's action k, and the own-sheet figure with each kind's
// variant (its current scale, no bar zoom, drawn lower).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/EnemyKinds.h"
#include "engine/ActRes.h"
#include "tests/battle/BattleTestSheets.h"
#include "tests/battle/BattleVillageTest.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

// The icon sheet's action k is a white bar 8 wide and 10 + 4k high, its
// bottom on the anchor.
std::string IconPack() {
  slvtools::SprWriter spr(0x200);
  spr.SetColor(1, 255, 255, 255);
  std::vector<ActAction> actions;
  for (int k = 0; k < 5; ++k) {
    const int h = 10 + 4 * k;
    spr.AddImage(8, h, std::vector<uint8_t>(static_cast<size_t>(8 * h), 1));
    ActMotion motion;
    ActLayer layer;
    layer.y = -h / 2;
    layer.sprite = k;
    layer.color[3] = 255;
    motion.layers.push_back(layer);
    actions.push_back(ActAction{{motion}});
  }
  slvtools::PackWriter pack;
  pack.AddStored("data/sprite/몬스터/battleChar.spr", spr.Build());
  pack.AddStored("data/sprite/몬스터/battleChar.act", slvtools::BuildAct(0x200, actions));
  return pack.Build();
}


class EnemyIconDrawTest : public BattleVillageTest {
 protected:
  EnemyIconDrawTest() : BattleVillageTest("EnemyIcons", {}, IconPack()) {}
};

TEST_F(EnemyIconDrawTest, SheetIconsTakeTheirActionAndOwnFiguresTheirKindsVariant) {
  CBattleSlime slime;      // sheet icon 4
  CBattleWildBoar boar;    // sheet icon 0
  CBattleGuru guru;        // own figure, bar zoom
  CBattlePrincessAirin airin;
  CBattleBlackCat cat;
  CBattleFireBat bat;
  for (CBattleEnemy* e : std::vector<CBattleEnemy*>{&slime, &boar, &guru, &airin, &cat, &bat}) {
    e->m_actName = "몬스터\\battleChar.act";  // its action 0 serves as an own figure
    e->m_sprName = "몬스터\\battleChar.spr";
    e->m_barZoom = 2.0f;
  }
  struct Case {
    const char* what;
    CBattleEnemy* enemy;
    bool current;
    float height;  // expected
    int bottom;    // expected, relative to the anchor
  };
  const Case cases[] = {
      {"slime", &slime, false, 26.0f, 0},         {"slime current", &slime, true, 39.0f, 0},
      {"boar", &boar, false, 10.0f, 0},           {"guru zoomed", &guru, false, 20.0f, 0},
      {"guru current", &guru, true, 30.0f, 0},    {"airin current", &airin, true, 26.0f, 0},
      {"cat unzoomed", &cat, false, 10.0f, 0},    {"cat current", &cat, true, 15.0f, 0},
      {"bat lower", &bat, false, 20.0f, 40},
  };
  const int anchorY = 200;
  CRC& rc = Rc();
  rc.Clear(true);
  ASSERT_TRUE(rc.BeginScene());
  int x = 40;
  for (const Case& c : cases) {
    c.enemy->DrawBattleChar(rc, x, anchorY, c.current);
    x += 60;
  }
  rc.EndScene();
  rc.Flip();
  const testsupport::RgbImage image = testsupport::PresentedImage();
  x = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const battletest::Band band = battletest::Measure(image, x - 25, x + 25);
    EXPECT_NEAR(band.Height(), c.height, 1.5f);
    EXPECT_NEAR(band.bottom - anchorY, c.bottom, 1.5f);
    EXPECT_EQ(band.green, !c.current);  // red multiplied in
    x += 60;
  }
}

}  // namespace
