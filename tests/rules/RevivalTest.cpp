// The scarab's revival against the battle's list of party actors, the
// special gauge and the arrow's guards.
#include <gtest/gtest.h>

#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "tests/field/BattleFixture.h"

namespace {

using battletest::CTestBattlePlayer;

class RevivalTest : public battletest::BattleFixture {
 protected:
  RevivalTest() : BattleFixture("map\n") {}
  void SetUp() override {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += Block("empty" + std::to_string(i), emptyKinds[i]);
    items += Block("스카라베", 6) + Block("P-셔츠", 2);
    m_dir.Write("game/data/diary/item.txt", items);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    scarab = CItemMgr::GetInstance().Find("스카라베");
    SetParty({0, 1, 2, 3});
    for (int p = 0; p < 4; ++p) {
      session.players[static_cast<size_t>(p)].battlePtr = &actors[p];
      actors[p].m_battleId = {p, 1};
    }
  }
  void TearDown() override {
    Context().m_battleParty.clear();
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
  }
  static std::string Block(const std::string& name, int kind) {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#end\n";
  }
  // Member 0 fallen with a scarab on each ring finger; `listed` members in
  // the battle's list.
  void Fall(size_t listed) {
    PlayerData& sizz = session.players[0];
    sizz.hp = 0;
    sizz.stateid = kDying;
    sizz.acc2 = sizz.acc3 = scarab;
    actors[0].m_actionCode = kActRemoved;
    Context().m_battleParty.clear();
    for (size_t n = 0; n < listed; ++n) Context().m_battleParty.push_back(&actors[1 + n % 3]);
  }

  CSession& session = CSession::GetInstance();
  CTestBattlePlayer actors[4];
  int scarab = -1;
};

TEST_F(RevivalTest, AScarabRevivesBesideThreeButNotFour) {
  Fall(4);
  session.TryAutoRevive(0, true);
  EXPECT_EQ(session.players[0].hp, 0);
  EXPECT_EQ(session.players[0].acc2, scarab);

  Fall(3);
  session.TryAutoRevive(0, false);  // an enemy slot: nothing
  EXPECT_EQ(session.players[0].hp, 0);
  session.TryAutoRevive(0, true);
  EXPECT_EQ(session.players[0].hp, 1);
  EXPECT_EQ(actors[0].m_actionCode, kActLying);
  EXPECT_EQ(session.players[0].stateid & kDying, 0);
  EXPECT_EQ(Context().m_battleParty.size(), 4u);
  EXPECT_EQ(Context().m_battleParty.back(), &actors[0]);
  EXPECT_EQ(session.players[0].acc2, kEmptyAcc23);
  EXPECT_EQ(session.players[0].acc3, kEmptyAcc23);
  EXPECT_EQ(session.GetItemCount(scarab), 2);  // both worn ones back
}

TEST_F(RevivalTest, TheGaugeAndTheArrowsGuards) {
  PlayerData& sizz = session.players[0];
  sizz.cp = 50;
  session.AddSpecialGauge(0, 20);
  EXPECT_EQ(sizz.cp, 70);
  sizz.armor = CItemMgr::GetInstance().Find("P-셔츠");
  session.AddSpecialGauge(0, 20);
  EXPECT_EQ(sizz.cp, 100);  // 110, capped

  // A removed target takes nothing; no actor only logs.
  actors[1].m_target = &actors[2];
  actors[2].m_actionCode = kActRemoved;
  session.LaunchBullet(1, true);
  EXPECT_TRUE(actors[2].finishing.messages.empty());
  session.players[1].battlePtr = nullptr;
  session.LaunchBullet(1, true);
}

}  // namespace
