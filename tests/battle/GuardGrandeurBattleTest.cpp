// The sample's golden guard and Grandeur placed by one battle set on the
// sample village against the party, in process with the game's `rand`
// from 1: the guard's routes and its sliding chain, Grandeur's specials
// and blows struck where he stands, hits his locks shut out, and his blow
// from idle; two scenes against golden pictures.
#include <string>
#include <vector>

#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/EnemyKindsFourth.h"
#include "render/TextureMgr.h"
#include "session/EnemySlot.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class GuardGrandeurBattleTest : public BattleVillageTest {
 protected:
  GuardGrandeurBattleTest() : BattleVillageTest("GuardGrandeurBattle", PrepareSampleParty) {}
  ~GuardGrandeurBattleTest() override { CSkillMgr::GetInstance().Free(); }

  // Both about the scene spot, the party fallen in and the two faded in;
  // Grandeur's gauge held empty so that he waits for his orders.
  bool SetUp2() {
    if (!StartBattleOf({{"골든가드", "guard"}, {"그랑데", "grandeur"}}, 2)) return false;
    auto it = Context().m_battleEnemies.begin();
    m_guard = dynamic_cast<CBattleGoldenGuard*>(*it++);
    m_grandeur = dynamic_cast<CBattleGrandeur*>(*it);
    m_member = dynamic_cast<CBattleActor*>(CSession::GetInstance().GetPartyActor(0));
    if (m_guard == nullptr || m_grandeur == nullptr || m_member == nullptr) return false;
    for (int t = 0; t < 78; ++t) {
      HoldGauges();
      Tick(1);
    }
    return true;
  }
  void HoldGauges() {
    m_guard->m_timeGauge = 0.0f;
    m_grandeur->m_timeGauge = 0.0f;
  }
  // Ordered the special `index` (or, with sub-kind 0, a blow) at the first
  // member.
  void Order(CBattleEnemy& enemy, int32_t index, intptr_t kind = 10) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), kind, 1);
  }

  // What one order did: the codes entered in turn, the hit kind the enemy
  // struck with in each tick that resolved (the skill's objects appear),
  // and the points the member lost.
  struct Course {
    std::vector<int32_t> codes;
    std::vector<int32_t> hitKinds;
    int32_t lost = 0;
  };
  Course Follow(CBattleEnemy& enemy, int ticks, const std::function<void(int)>& each = {}) {
    Course c;
    const int32_t before = MemberPoints();
    for (int t = 0; t < ticks; ++t) {
      HoldGauges();
      if (each) each(t);
      const size_t objects = Context().m_battleObjects.size();
      Tick(1);
      if (Context().m_battleObjects.size() > objects) c.hitKinds.push_back(enemy.m_hitKind);
      if (c.codes.empty() || c.codes.back() != enemy.m_actionCode) c.codes.push_back(enemy.m_actionCode);
      if (enemy.m_actionCode == kActIdle && t > 0) break;
    }
    c.lost = before - MemberPoints();
    return c;
  }
  // Hit points and barrier together: a blow takes the barrier first.
  int32_t MemberPoints() const {
    const PlayerData* member = CSession::GetInstance().GetPartyMember(0);
    return member->hp + member->shp;
  }
  int TickUntil(const CBattleEnemy& enemy, int32_t code, int limit) {
    for (int t = 1; t <= limit; ++t) {
      HoldGauges();
      Tick(1);
      if (enemy.m_actionCode == code) return t;
    }
    return -1;
  }
  // Full hit points again and standing, so that every order finds it.
  void Restore() {
    PlayerData* member = CSession::GetInstance().GetPartyMember(0);
    member->hp = member->maxhp;
    member->shp = member->maxshp;
    m_member->SetAction(kActIdle);
  }

  CBattleGoldenGuard* m_guard = nullptr;
  CBattleGrandeur* m_grandeur = nullptr;
  CBattleActor* m_member = nullptr;
};

// Each of the guard's five routes enters its own run; the sample's rush and
// fourfold slash run to their ends, the chain hitting as it slides, and the
// earth cleave, a special it does not name, its strong blow from the
// special sheet.
TEST_F(GuardGrandeurBattleTest, TheGuardsRoutesRunToTheirEnds) {
  ASSERT_TRUE(SetUp2());
  ASSERT_EQ(CSkillMgr::GetInstance().Find("황금돌진"), 20);
  ASSERT_EQ(CSkillMgr::GetInstance().Find("사연참"), 22);
  ASSERT_EQ(CSkillMgr::GetInstance().Find("대지가르기"), 8);
  for (const auto& [index, code] :
       {std::pair{17, kActSpecialApproach}, std::pair{27, kActSpecialApproach4}, std::pair{30, kActSpecialApproach5}}) {
    Order(*m_guard, index);
    Tick(1);  // the order picks its run at once
    EXPECT_EQ(m_guard->m_actionCode, code) << index;
    m_guard->SetAction(kActIdle);
  }

  Restore();
  Order(*m_guard, 20);
  Course rush = Follow(*m_guard, 400);
  EXPECT_EQ(rush.codes, (std::vector<int32_t>{kActSpecialApproach2, kActSpecialHit2, kActWalkBack, kActIdle}));
  EXPECT_EQ(rush.hitKinds, (std::vector<int32_t>{0}));
  EXPECT_GT(rush.lost, 0);

  Restore();
  Order(*m_guard, 22);
  Course chain = Follow(*m_guard, 400);
  EXPECT_EQ(chain.codes, (std::vector<int32_t>{kActSpecialApproach3, kActSpecialHit3, kActSkillHit1, kActSkillHit2,
                                               kActSkillHit3, kActWalkBack, kActIdle}));
  EXPECT_EQ(chain.hitKinds.size(), 4u);

  Restore();
  Order(*m_guard, 8);
  Course cleave = Follow(*m_guard, 400);
  EXPECT_EQ(cleave.codes, (std::vector<int32_t>{kActSpecialApproach, kActSpecialHit, kActIdle}));
  EXPECT_EQ(cleave.hitKinds, (std::vector<int32_t>{2}));
  EXPECT_GT(cleave.lost, 0);
}

TEST_F(GuardGrandeurBattleTest, TheGuardSlidesThroughItsChainsThirdLinkWithItsTrail) {
  ASSERT_TRUE(SetUp2());
  Order(*m_guard, 22);
  ASSERT_GT(TickUntil(*m_guard, kActSkillHit2, 400), 0);
  HoldGauges();
  Tick(10);
  ASSERT_EQ(m_guard->m_actionCode, kActSkillHit2);
  EXPECT_EQ(m_guard->m_afterimage, 1);
  EXPECT_EQ(Shot("golden_guard_chain"), "");
}

// Grandeur strikes every special and his blow where he stands, at the
// member in his reach; hits in his locked strikes cost him nothing.
TEST_F(GuardGrandeurBattleTest, GrandeurStrikesWhereHeStandsAndHitsInHisStrikesCostHimNothing) {
  ASSERT_TRUE(SetUp2());
  ASSERT_EQ(CSkillMgr::GetInstance().Find("대지의분노"), 89);
  const Vec3 at = m_grandeur->m_pos;
  m_member->m_pos = at + Vec3{8.0f, 0.0f, 0.0f};  // within his reach
  m_member->m_pos.y = Context().GetStandHeight(m_member->m_pos);
  const int32_t hp = m_grandeur->m_slot->hp;
  const auto hitInStrikes = [&](int t) {
    const int32_t c = m_grandeur->m_actionCode;
    if (t % 4 == 3 && c >= kActSpecialHit && c <= kActSpecialHit5 && m_grandeur->m_tickCount > 1) {
      m_grandeur->OnMessage(m_member, kMsgHit, 5, 0, 0);
    }
  };
  for (const auto& [index, code] : {std::pair{8, kActSpecialHit2}, std::pair{89, kActSpecialHit5}}) {
    Restore();
    Order(*m_grandeur, index);
    Course c = Follow(*m_grandeur, 200, hitInStrikes);
    EXPECT_EQ(c.codes, (std::vector<int32_t>{code, kActIdle})) << index;
    EXPECT_EQ(c.hitKinds.size(), 1u) << index;
    // The wrath of the earth, by the rules, hurts nobody.
    EXPECT_EQ(c.lost > 0, index == 8) << index;
    EXPECT_EQ(m_grandeur->m_pos.x, at.x);
    EXPECT_EQ(m_grandeur->m_pos.z, at.z);
  }
  EXPECT_EQ(m_grandeur->m_slot->hp, hp);

  Restore();
  Order(*m_grandeur, 0, 0);
  Course blow = Follow(*m_grandeur, 200);
  EXPECT_EQ(blow.codes, (std::vector<int32_t>{kActApproach, kActAttack, kActWalkBack, kActIdle}));
  EXPECT_GT(blow.lost, 0);
}

// The flourish pauses the battle on him; the scene is shot as the battle
// mode's pause leaves it, dimmed to its floor.
TEST_F(GuardGrandeurBattleTest, GrandeursWrathOfTheEarthInTheDimmedScene) {
  ASSERT_TRUE(SetUp2());
  Order(*m_grandeur, 89);
  ASSERT_GT(TickUntil(*m_grandeur, kActSpecialHit5, 10), 0);
  HoldGauges();
  Tick(9);
  ASSERT_EQ(m_grandeur->m_actionCode, kActSpecialHit5);
  EXPECT_EQ(m_grandeur->m_afterimage, 0);
  EXPECT_EQ(m_frame.m_battlePhase, 7);  // paused by the flourish
  EXPECT_EQ(m_frame.m_pauseLength, 30);
  g_brightnessFactor = 0.3f;
  const std::string shot = Shot("grandeur_wrath");
  g_brightnessFactor = 1.0f;
  EXPECT_EQ(shot, "");
}

// Idle with the member in reach and 30 in his gauge, Grandeur strikes at
// once and keeps 10; the blow, where he stands, costs the member points.
TEST_F(GuardGrandeurBattleTest, GrandeurStrikesAMemberInReachFromIdle) {
  ASSERT_TRUE(SetUp2());
  Restore();
  m_member->m_pos = m_grandeur->m_pos + Vec3{8.0f, 0.0f, 0.0f};
  m_member->m_pos.y = Context().GetStandHeight(m_member->m_pos);
  const Vec3 at = m_grandeur->m_pos;
  m_grandeur->m_timeGauge = 30.0f;
  m_grandeur->UpdateAction(kActIdle);
  EXPECT_EQ(m_grandeur->m_actionCode, kActAttack);
  EXPECT_EQ(m_grandeur->m_target, m_member);
  EXPECT_EQ(m_grandeur->m_timeGauge, 10.0f);
  const int32_t before = MemberPoints();
  m_guard->m_timeGauge = 0.0f;
  Tick(12);
  EXPECT_EQ(m_grandeur->m_actionCode, kActAttack);
  EXPECT_EQ(m_grandeur->m_pos.x, at.x);
  EXPECT_EQ(m_grandeur->m_pos.z, at.z);
  EXPECT_LT(MemberPoints(), before);
}

}  // namespace
