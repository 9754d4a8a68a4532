// The sample's Koren Maltby and old man placed by one battle set on the
// sample village against the party, in process with the game's `rand`
// from 1: Koren's charge sweeping the member it passes and running through
// its target, his walked-up cut, the old man's cast and skill, each one's
// blow from idle; two scenes against golden pictures.
#include <functional>
#include <string>
#include <vector>

#include "battle/SpawnedBattleObjects.h"
#include "battle/enemy/MoreBossKinds.h"
#include "session/EnemySlot.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class KorenOldManBattleTest : public BattleVillageTest {
 protected:
  KorenOldManBattleTest() : BattleVillageTest("KorenOldManBattle", PrepareSampleParty) {}
  ~KorenOldManBattleTest() override {
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
  }

  // Koren and the old man about the scene spot, the party fallen in and
  // the two faded in; then everyone placed: Koren on the spot, the old man
  // well off, the first member 60 east of Koren and the second beside the
  // way, both idle.
  bool SetUp2() {
    if (!StartBattleOf({{"코렌_몰트비", "koren"}, {"노인1", "oldman"}}, 2)) return false;
    auto it = Context().m_battleEnemies.begin();
    m_koren = dynamic_cast<CBattleKorenMaltby*>(*it++);
    m_old = dynamic_cast<CBattleOldMan1*>(*it);
    CSession& session = CSession::GetInstance();
    m_first = dynamic_cast<CBattleActor*>(session.GetPartyActor(0));
    m_second = dynamic_cast<CBattleActor*>(session.GetPartyActor(1));
    if (m_koren == nullptr || m_old == nullptr || m_first == nullptr || m_second == nullptr) return false;
    Tick(78);
    const Vec3 at = m_koren->m_pos;
    Place(*m_koren, at);
    Place(*m_old, at + Vec3{-30.0f, 0.0f, 40.0f});
    Place(*m_first, at + Vec3{60.0f, 0.0f, 0.0f});
    Place(*m_second, at + Vec3{18.0f, 0.0f, 9.0f});
    for (CBattleEnemy* e : {static_cast<CBattleEnemy*>(m_koren), static_cast<CBattleEnemy*>(m_old)}) {
      e->m_timeGauge = 0.0f;
      e->m_gaugeRunning = 0;
      e->SetAction(kActIdle);
    }
    return true;
  }
  void Place(CBattleActor& actor, const Vec3& at) {
    actor.m_pos = at;
    actor.m_pos.y = Context().GetStandHeight(actor.m_pos);
    actor.m_velocity = Vec3{};
    actor.SetAction(kActIdle);
  }
  // Ordered at the first member: kind 10 a skill, 9 a magic.
  void Order(CBattleEnemy& enemy, int32_t index, int kind) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_first), kind, 1);
  }
  // Hit and barrier points: a blow takes the barrier first.
  static int32_t Points(int member) {
    const PlayerData& p = *CSession::GetInstance().GetPartyMember(member);
    return p.hp + p.shp;
  }

  CBattleKorenMaltby* m_koren = nullptr;
  CBattleOldMan1* m_old = nullptr;
  CBattleActor* m_first = nullptr;
  CBattleActor* m_second = nullptr;
};

// Ordered the gale charge: the member beside the way is struck in passing,
// the target once as the run through starts; the run lasts its 61 ticks,
// locked, and ends where it took Koren. Then the shadow raid, walked up to.
TEST_F(KorenOldManBattleTest, KorensChargeSweepsThePassedMemberAndRunsThroughItsTarget) {
  ASSERT_TRUE(SetUp2());
  EXPECT_EQ(CSkillMgr::GetInstance().Find("질풍돌격"), 68);
  EXPECT_EQ(CSkillMgr::GetInstance().Find("그림자습격"), 27);
  const int32_t first = Points(0), second = Points(1), own = m_koren->m_slot->hp;
  Order(*m_koren, 68, 10);
  int run = 0;
  int firstStruckAt = -1, secondStruckAt = -1;
  float runFrom = 0.0f;
  const std::vector<int32_t> codes = Codes(*m_koren, 200, [&] {
    // The barrier grows back: each blow is seen as it lands.
    if (firstStruckAt < 0 && Points(0) < first) firstStruckAt = m_koren->m_actionCode;
    if (secondStruckAt < 0 && Points(1) < second) secondStruckAt = m_koren->m_actionCode;
    if (m_koren->m_actionCode != kActSpecialHit3) return;
    if (run++ == 0) runFrom = m_koren->m_pos.x;
    if (run > 1 && run % 5 == 0) m_koren->OnMessage(m_first, kMsgHit, 5, 0, 0);
  });
  // The order picks in its own first tick.
  const std::vector<int32_t> expected = {kActSpecialApproach3, kActSpecialHit3, kActIdle};
  ASSERT_GE(codes.size(), expected.size());
  EXPECT_EQ(std::vector<int32_t>(codes.begin(), codes.begin() + 3), expected);
  EXPECT_EQ(run, 61);
  EXPECT_EQ(secondStruckAt, kActSpecialApproach3);
  EXPECT_EQ(firstStruckAt, kActSpecialHit3);
  EXPECT_EQ(m_koren->m_slot->hp, own);
  EXPECT_GT(m_koren->m_pos.x - runFrom, 55.0f);  // on past where the target stood

  Place(*m_first, m_koren->m_pos + Vec3{30.0f, 0.0f, 0.0f});
  m_koren->m_timeGauge = 0.0f;
  Order(*m_koren, 27, 10);
  const std::vector<int32_t> cut = Codes(*m_koren, 120);
  const std::vector<int32_t> walked = {kActSpecialApproach, kActSpecialHit, kActWalkBack};
  ASSERT_GE(cut.size(), walked.size());
  EXPECT_EQ(std::vector<int32_t>(cut.begin(), cut.begin() + 3), walked);
}

TEST_F(KorenOldManBattleTest, KorenMidChargeWithHisTrail) {
  ASSERT_TRUE(SetUp2());
  Order(*m_koren, 68, 10);
  ASSERT_GT(TickUntil(*m_koren, kActSpecialApproach3, 5), 0);
  Tick(14);
  ASSERT_EQ(m_koren->m_actionCode, kActSpecialApproach3);
  EXPECT_EQ(m_koren->m_afterimage, 1);
  EXPECT_EQ(Shot("koren_charge"), "");
}

// The old man's magic is cast where he stands on row 16, the scene dimmed,
// and sends the spell at the member; hits during it cost him nothing. His
// skill walks up to the charge's distance and strikes.
TEST_F(KorenOldManBattleTest, TheOldManCastsInPlaceOnRowSixteenAndWalksUpForHisSkill) {
  ASSERT_TRUE(SetUp2());
  // The old man in the middle of the scene in Koren's place.
  const Vec3 middle = m_koren->m_pos;
  Place(*m_koren, middle + Vec3{-30.0f, 0.0f, 40.0f});
  Place(*m_old, middle);
  Place(*m_first, m_old->m_pos + Vec3{40.0f, 0.0f, 0.0f});
  const int32_t own = m_old->m_slot->hp;
  const Vec3 stood = m_old->m_pos;
  Order(*m_old, CMagicMgr::GetInstance().Find("파이어볼"), 9);
  ASSERT_GT(TickUntil(*m_old, kActSpecialHit2, 3), 0);
  EXPECT_EQ(m_old->m_actionBase, 16);
  Tick(6);
  EXPECT_EQ(Shot("oldman_cast"), "");
  int aimed = 0;
  const std::vector<int32_t> cast = Codes(*m_old, 40, [&] {
    for (CObject* o : Context().m_battleObjects) {
      const auto* magic = dynamic_cast<const CBattleMagic*>(o);
      if (magic != nullptr && magic->m_user == m_old && magic->m_target == m_first) ++aimed;
    }
    if (m_old->m_actionCode == kActSpecialHit2 && m_old->m_tickCount > 0) m_old->OnMessage(m_first, kMsgHit, 5, 0, 0);
  });
  EXPECT_EQ(cast.front(), kActSpecialHit2);
  EXPECT_EQ(cast.back(), kActIdle);
  EXPECT_EQ(m_old->m_slot->hp, own);
  EXPECT_GT(aimed, 0);  // the spell goes out at the member
  EXPECT_EQ(m_old->m_pos.x, stood.x);
  EXPECT_EQ(m_old->m_pos.z, stood.z);

  m_old->m_timeGauge = 0.0f;
  Place(*m_first, m_old->m_pos + Vec3{40.0f, 0.0f, 0.0f});
  Order(*m_old, CSkillMgr::GetInstance().Find("돌진"), 10);
  const std::vector<int32_t> skill = Codes(*m_old, 120);
  const std::vector<int32_t> walked = {kActSpecialApproach, kActSpecialHit, kActWalkBack};
  ASSERT_GE(skill.size(), walked.size());
  EXPECT_EQ(std::vector<int32_t>(skill.begin(), skill.begin() + 3), walked);
}

// A member comes within reach of each while 20 stands in its gauge: a blow
// at once, paid for with the 20.
TEST_F(KorenOldManBattleTest, EachStrikesAMemberInReachFromIdle) {
  ASSERT_TRUE(SetUp2());
  for (CBattleEnemy* enemy : {static_cast<CBattleEnemy*>(m_koren), static_cast<CBattleEnemy*>(m_old)}) {
    Place(*m_second, enemy->m_pos + Vec3{6.0f, 0.0f, 0.0f});
    enemy->m_timeGauge = 20.0f;
    enemy->UpdateAction(kActIdle);
    EXPECT_EQ(enemy->m_actionCode, kActAttack);
    EXPECT_EQ(enemy->m_target, m_second);
    EXPECT_EQ(enemy->m_timeGauge, 0.0f);
    ASSERT_GT(TickUntil(*enemy, kActWalkBack, 60), 0);
  }
}

}  // namespace
