// The sample's Arbiters' Heritage placed by one battle set on the sample
// village against the party, in process with the game's `rand` from 1: the
// head's four-stage chain under hits, the subordinate's broken by one, and
// the head's blow from idle, two of them against golden pictures.
#include <string>
#include <vector>

#include "battle/enemy/BossKinds.h"
#include "session/EnemySlot.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class HeritageBattleTest : public BattleVillageTest {
 protected:
  HeritageBattleTest() : BattleVillageTest("HeritageBattle", PrepareSampleParty) {}
  ~HeritageBattleTest() override { CSkillMgr::GetInstance().Free(); }

  // The head, the subordinate and the illusion about the scene spot, the
  // party fallen in and the three faded in.
  bool SetUp3() {
    if (!StartBattleOf({{"아비터스_헤리티지_두목", "head"},
                        {"아비터스_헤리티지_부하", "subordinate"},
                        {"아비터스_헤리티지_환영", "illusion"}},
                       3)) {
      return false;
    }
    auto it = Context().m_battleEnemies.begin();
    m_head = dynamic_cast<CBattleArbitersHeritage01*>(*it++);
    m_subordinate = dynamic_cast<CBattleArbitersHeritage02*>(*it++);
    m_illusion = dynamic_cast<CBattleArbitersHeritage03*>(*it);
    m_member = dynamic_cast<CBattleActor*>(CSession::GetInstance().GetPartyActor(0));
    Tick(78);
    return m_head != nullptr && m_subordinate != nullptr && m_illusion != nullptr && m_member != nullptr;
  }
  // Ordered the skill at the first member.
  void Order(CBattleEnemy& enemy, const char* skill) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, CSkillMgr::GetInstance().Find(skill), 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), 10, 1);
  }

  CBattleArbitersHeritage01* m_head = nullptr;
  CBattleArbitersHeritage02* m_subordinate = nullptr;
  CBattleArbitersHeritage03* m_illusion = nullptr;
  CBattleActor* m_member = nullptr;
};

TEST_F(HeritageBattleTest, TheHeadsFourfoldSlashRunsItsChainAndHitsCostItNothing) {
  ASSERT_TRUE(SetUp3());
  EXPECT_EQ(CSkillMgr::GetInstance().Find("사연참"), 22);
  const int32_t hp = m_head->m_slot->hp;
  Order(*m_head, "사연참");
  int tick = 0;
  const std::vector<int32_t> codes = Codes(*m_head, 400, [&] {
    const int32_t c = m_head->m_actionCode;
    if (++tick % 4 == 0 && (c == kActSpecialHit2 || (c >= kActSkillHit1 && c <= kActSkillHit3))) {
      m_head->OnMessage(m_member, kMsgHit, 5, 0, 0);
    }
  });
  const std::vector<int32_t> chain = {kActSpecialApproach2, kActSpecialHit2, kActSkillHit1,
                                      kActSkillHit2,        kActSkillHit3,   kActWalkBack};
  ASSERT_GE(codes.size(), chain.size());
  EXPECT_EQ(std::vector<int32_t>(codes.begin(), codes.begin() + static_cast<long>(chain.size())), chain);
  EXPECT_EQ(m_head->m_slot->hp, hp);
}

TEST_F(HeritageBattleTest, TheHeadLungesMidChainWithItsTrail) {
  ASSERT_TRUE(SetUp3());
  Order(*m_head, "사연참");
  ASSERT_GT(TickUntil(*m_head, kActSkillHit1, 400), 0);
  Tick(10);
  ASSERT_EQ(m_head->m_actionCode, kActSkillHit1);
  EXPECT_EQ(m_head->m_afterimage, 1);
  EXPECT_EQ(Shot("heritage_head_chain"), "");
}

TEST_F(HeritageBattleTest, ASingleHitBreaksTheSubordinatesChain) {
  ASSERT_TRUE(SetUp3());
  const int32_t hp = m_subordinate->m_slot->hp;
  Order(*m_subordinate, "사연참");
  ASSERT_GT(TickUntil(*m_subordinate, kActSkillHit1, 400), 0);
  m_subordinate->OnMessage(m_member, kMsgHit, 5, 0, 0);
  EXPECT_EQ(m_subordinate->m_actionCode, kActDamageLight);
  EXPECT_LT(m_subordinate->m_slot->hp, hp);
  ASSERT_GT(TickUntil(*m_subordinate, kActIdle, 80), 0);
}

// Idle with the member in reach and 35 in its gauge, the head strikes at
// once and keeps 15.
TEST_F(HeritageBattleTest, TheHeadStrikesAMemberInReachFromIdle) {
  ASSERT_TRUE(SetUp3());
  // Faded in with a gauge to spend, it may have struck already.
  if (m_head->m_actionCode != kActIdle) {
    ASSERT_GT(TickUntil(*m_head, kActIdle, 200), 0);
  }
  m_member->m_pos = m_head->m_pos + Vec3{8.0f, 0.0f, 0.0f};
  m_member->m_pos.y = Context().GetStandHeight(m_member->m_pos);
  m_member->SetAction(kActIdle);
  m_head->m_timeGauge = 35.0f;
  m_head->UpdateAction(kActIdle);
  EXPECT_EQ(m_head->m_actionCode, kActAttack);
  EXPECT_EQ(m_head->m_target, m_member);
  EXPECT_EQ(m_head->m_timeGauge, 15.0f);
  Tick(9);  // the blow's frame
  EXPECT_EQ(Shot("heritage_head_idle_strike"), "");
}

}  // namespace
