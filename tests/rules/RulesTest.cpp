// The inventory, condition, learning and targeting rules on the session.
#include <gtest/gtest.h>

#include "field/SelvarinActor.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "tests/session/SessionFixture.h"

namespace {

using RulesTest = SessionTest;

TEST_F(RulesTest, CountsStayWithin0To255) {
  session.AddItem(kRing, 250);
  session.AddItem(kRing, 10);
  EXPECT_EQ(session.GetItemCount(kRing), 255);
  session.RemoveItem(kRing, 5);
  session.inventoryChanged = 0;
  session.AddItem(kRing, 0);
  EXPECT_EQ(session.inventoryChanged, 1);
  session.AddItem(kRing, 10);
  session.AddItem(kRing, -5);  // at 255 nothing changes, whatever the amount
  EXPECT_EQ(session.GetItemCount(kRing), 255);
  session.RemoveItem(kRing, 5);
  EXPECT_EQ(session.GetItemCount(kRing), 250);
  session.SetItemCount(kRing, 300);  // stored as given, read back within 0..255
  EXPECT_EQ(session.inventory[kRing], 300);
  session.RemoveItem(kRing, 1);
  EXPECT_EQ(session.inventory[kRing], 299);
  EXPECT_EQ(session.GetItemCount(kRing), 255);
  session.AddItem(3, 5);  // the empty items are never counted
  EXPECT_EQ(session.GetItemCount(3), 0);
  session.inventory[kRing2] = -4;
  session.RemoveItem(kRing2, 1);
  EXPECT_EQ(session.GetItemCount(kRing2), 0);
  session.inventory[kRing2] = 300;
  EXPECT_EQ(session.GetItemCount(kRing2), 255);
  EXPECT_EQ(session.inventory[kRing2], 255);
  for (int item : {-1, 1000}) {
    session.AddItem(item, 1), session.RemoveItem(item, 1), session.SetItemCount(item, 1);
    EXPECT_EQ(session.GetItemCount(item), 0);
    EXPECT_EQ(session.CountItemOwned(item), 0);
  }
}

TEST_F(RulesTest, TheSupplyLimit) {
  for (int p = 0; p < 3; ++p) Member(p).capacity = 3;
  session.SetItemCount(kLightCharm, 3);  // weighs 1 however many
  session.SetItemCount(kBuckler, 8);
  EXPECT_EQ(session.GetPartyCapacity(), 9);
  EXPECT_EQ(session.GetCarriedVolume(), 9);
  EXPECT_FALSE(session.IsOverSupplyLimit());
  session.AddItem(kBuckler, 1);
  EXPECT_TRUE(session.IsOverSupplyLimit());
  session.inventoryChanged = 0;
  session.RemoveItem(kBuckler, 5);
  session.inventoryChanged = 0;  // until a change is flagged, the last answer stands
  EXPECT_TRUE(session.IsOverSupplyLimit());
  session.scriptVariables.Set("_disablesupplylimit", 1);
  EXPECT_FALSE(session.IsOverSupplyLimit());
}

TEST_F(RulesTest, TheHoldingStore) {
  session.gold = 500;
  session.SetItemCount(kRing, 200);
  session.SaveState();
  EXPECT_EQ(session.gold, 0);
  EXPECT_EQ(session.GetItemCount(kRing), 0);
  session.SetItemCount(kRing, 100);
  session.gold = 7;
  session.JoinState();
  EXPECT_EQ(session.gold, 507);
  EXPECT_EQ(session.inventory[kRing], 300);  // clamped on the next read
  EXPECT_EQ(session.GetItemCount(kRing), 255);
  EXPECT_EQ(session.heldGold, 0);
}

TEST_F(RulesTest, ConditionsBlockCascadeAndRaiseHooks) {
  PlayerData& sizz = Member(0);
  session.SetCondition(sizz, kPoison1, true);
  EXPECT_EQ(sizz.stateid, 1);
  EXPECT_EQ(session.hooks.Get("__conditionsizzPOISON1"), 1);
  session.SetCondition(sizz, kPoison3, false);  // clears every poison
  EXPECT_EQ(sizz.stateid, 0);
  EXPECT_EQ(session.hooks.Get("__conditionsizzNOTHING"), 1);

  session.SetCondition(sizz, kCurse, true);
  session.SetCondition(sizz, kPoison2, true);
  session.hooks.Clear();
  session.SetCondition(sizz, kPoison2, false);  // the next higher condition held
  EXPECT_EQ(session.hooks.Get("__conditionsizzCURSE"), 1);
  EXPECT_FALSE(session.hooks.Contains("__conditionsizzNOTHING"));

  sizz.hp = sizz.shp = 40;
  session.SetCondition(sizz, kDying, true);
  EXPECT_EQ(sizz.hp, 0);
  EXPECT_EQ(sizz.shp, 0);
  session.SetCondition(sizz, kDying, false);
  EXPECT_EQ(sizz.stateid, 0);
  EXPECT_EQ(sizz.hp, 1);

  session.SetItemCount(kHeadphones, 1);
  session.Equip(0, kHeadphones);
  session.hooks.Clear();
  session.SetCondition(sizz, kPanic, true);
  EXPECT_EQ(sizz.stateid, 0);
  EXPECT_EQ(session.hooks.Size(), 0u);
  EXPECT_STREQ(kConditionNames[ConditionIndex(kDying)], "DYING");
}

TEST_F(RulesTest, EnemiesOfAttribute8CannotBePoisoned) {
  EnemySlot& enemy = session.enemies[0];
  enemy.name = "slime";
  enemy.attr = 8;
  session.SetEnemyCondition(enemy, kPoison2, true);
  EXPECT_EQ(enemy.stateid, 0);
  session.SetEnemyCondition(enemy, kCurse, true);
  EXPECT_EQ(enemy.stateid, kCurse);
  EXPECT_EQ(session.hooks.Get("__conditionslimeCURSE"), 1);
}

TEST_F(RulesTest, LearningSetsTheFlagOrSaysWhy) {
  testsupport::DebugLogCapture log;
  session.players[0].ismagicman = 1;
  session.AddMagic(0, "Fire");
  EXPECT_EQ(session.players[0].magicFlags[0], 1);
  session.AddMagic(1, "Fire");
  EXPECT_TRUE(log.Contains("매직맨이 아닙니다"));
  session.AddMagic(0, "Ice");
  EXPECT_TRUE(log.Contains("이플레이어가 가질수있는 마법이 아닙니다."));
  session.AddSkill(1, "Basic");
  EXPECT_EQ(session.players[1].magicFlags[1], 1);
  session.AddSkill(1, "Kick");
  EXPECT_TRUE(log.Contains("이플레이어가 가질수있는 스킬이 아닙니다."));
  session.AddSkill(0, "Basic");  // a magic user holds no skills
  EXPECT_EQ(session.players[0].magicFlags[1], 0);
  session.AddMagic(-1, "Fire"), session.AddSkill(32, "Basic");
}

TEST_F(RulesTest, ARandomLiveMember) {
  CSelvarinActor actors[3];
  for (int p = 0; p < 3; ++p) Member(p).battlePtr = &actors[p];
  actors[0].m_actionCode = 10027;  // fallen
  session.battlePartyCount = 3;
  platform::Srand(1);
  const int r = platform::Rand() % 3;  // 41 % 3 = 2: past the two live members
  platform::Srand(1);
  PlayerData* picked = session.PickRandomPartyMember();
  EXPECT_EQ(r, 2);
  EXPECT_EQ(picked, &Member(1));  // the first live member
  platform::Srand(3);
  const int r3 = platform::Rand() % 3;
  platform::Srand(3);
  EXPECT_EQ(session.PickRandomPartyMember(), r3 == 0 ? &Member(1) : &Member(r3 == 1 ? 2 : 1));
  actors[1].m_actionCode = actors[2].m_actionCode = 10027;
  EXPECT_EQ(session.PickRandomPartyMember(), nullptr);
  for (int p = 0; p < 3; ++p) Member(p).battlePtr = nullptr;
}

}  // namespace
