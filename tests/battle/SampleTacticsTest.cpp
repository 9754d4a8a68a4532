// The sample's tactics in the village's wolf battle with its two skeletons:
// the four presets, and the skeleton balanced when whole, guarding under
// attack below half and keeping its ground below a quarter.
#include <gtest/gtest.h>

#include "battle/BattleObject.h"
#include "engine/FileStream.h"
#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/SampleBattleFixture.h"

namespace {

class SampleTacticsTest : public testsupport::SampleBattleFixture {
 protected:
  ~SampleTacticsTest() override { platform::ClearQueuedRand(); }

  // The wolf's battle entered; the first skeleton's slot.
  int EnterSkeletonBattle() {
    if (!EnterWolfBattle()) return -1;
    for (int s = 0; s < CSession::kMaxEnemies; ++s) {
      if (session.enemies[static_cast<size_t>(s)].name == "스켈레톤") return s;
    }
    return -1;
  }

};

TEST_F(SampleTacticsTest, ThePresetsFitTheirNamesAndTheSkeletonGuardsWhenHurtAndHoldsItsGround) {
  // 열혈공격, 공격우선, 도망우선, 공격지원: whole, then hurt below a quarter.
  PlayerData& leader = *session.GetPartyMember(0);
  const int whole[] = {1, 1, 2, 3}, low[] = {1, 2, 4, 2};
  for (int id = 1; id <= 4; ++id) {
    SCOPED_TRACE(id);
    leader.tacticsId = id;
    leader.shp = 0;
    leader.hp = leader.maxhp;
    leader.maxshp = 0;
    EXPECT_EQ(session.ChooseTactic(0, true), whole[id - 1]);
    leader.hp = leader.maxhp / 5;
    EXPECT_EQ(session.ChooseTactic(0, true), low[id - 1]);
  }
  leader.tacticsId = 0;

  const int slot = EnterSkeletonBattle();
  ASSERT_GE(slot, 0);
  ASSERT_EQ(m_frame.m_mode, kModeBattle);
  EnemySlot& skeleton = session.enemies[static_cast<size_t>(slot)];
  auto* actor = dynamic_cast<CBattleActor*>(skeleton.actor);
  ASSERT_NE(actor, nullptr);
  EXPECT_EQ(skeleton.type, 2);
  for (int32_t entry : skeleton.ability) EXPECT_EQ(entry, -1);
  const auto band = [&](int percent) {
    skeleton.shp = 0;
    skeleton.hp = (skeleton.maxhp + skeleton.maxshp) * percent / 100;
  };
  band(100);
  EXPECT_EQ(session.ChooseTactic(slot, false), 0);
  band(40);
  EXPECT_EQ(session.ChooseTactic(slot, false), 2);
  // Under a member's blow it guards whatever the roll.
  auto* member = dynamic_cast<CBattleActor*>(session.GetBattleActor(0, true));
  ASSERT_NE(member, nullptr);
  member->m_target = actor;
  member->m_actionCode = kActApproach;
  platform::QueueRand({9, 1});
  session.RunTactics(slot, false);
  EXPECT_EQ(session.tacticDecision.kind, 1);
  member->m_actionCode = kActIdle;
  // Below a quarter it keeps its place near the station; 56 off it leaves.
  band(20);
  session.RunTactics(slot, false);
  EXPECT_EQ(session.tacticDecision.kind, 2);
  EXPECT_FLOAT_EQ(session.tacticDecision.x, actor->m_pos.x);
  EXPECT_FLOAT_EQ(session.tacticDecision.z, actor->m_pos.z);
  float x = 0.0f, z = 0.0f;
  m_map.Context().GetStationPoint(&x, &z);
  actor->m_pos.x = x + 56.0f;
  actor->m_pos.z = z;
  EXPECT_TRUE(session.IsAwayFromStation(slot));
  session.RunTactics(slot, false);
  EXPECT_EQ(session.tacticDecision.kind, 4);
  actor->m_pos.x = x - 55.0f;
  EXPECT_FALSE(session.IsAwayFromStation(slot));
}

}  // namespace
