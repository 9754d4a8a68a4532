// The least weapon attack: the reach test and the blow for the base damage;
// the base damage formula, the attack reach and the nearest party member.
#include <gtest/gtest.h>

#include <vector>

#include "battle/BattleObject.h"
#include "platform/Random.h"
#include "tests/field/RecordingFrame.h"
#include "tests/session/SessionFixture.h"

namespace {

namespace weaponattacktest {
// A participant that records what it is told.
class CRecorder : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    got.push_back({sender, code, a, b, c});
  }
  std::vector<FrameMessage> got;
};
}  // namespace weaponattacktest

class WeaponAttackTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    session.battlePartyCount = 2;
    for (int p = 0; p < 2; ++p) {
      Member(p).battlePtr = &m_members[p];
      m_members[p].m_battleId = {p, 1};
    }
    EnemySlot& slot = session.enemies[0];
    slot.actor = &m_enemy;
    slot.reach = 150;
    slot.phyAtk = 100;
    slot.phyDef = 50;
    slot.level = 6;
    m_enemy.m_battleId = {0, 0};
  }
  void TearDown() override {
    platform::ClearQueuedRand();
    session.Init();
  }

  weaponattacktest::CRecorder m_enemy;
  weaponattacktest::CRecorder m_members[2];
};

TEST_F(WeaponAttackTest, TheBaseDamageBySidesAndLevels) {
  struct Case {
    const char* what;
    int attack, attackerLevel, defence, targetLevel;
    bool attackerIsParty, targetIsParty;
    int damage;
  };
  const Case cases[] = {
      {"same side: attack less defence", 30, 5, 12, 5, true, true, 18},
      {"party on a stronger enemy", 100, 3, 50, 5, true, false, 82},   // 90 - 2 x 90 / 22
      {"party on a weaker enemy", 100, 5, 50, 3, true, false, 98},     // 90 + 2 x 90 / 22
      {"enemy above its target", 100, 6, 90, 3, false, true, 65},      // (90 - 3 x 90 / 33) x 0.8
      {"enemy below its target", 100, 3, 90, 7, false, true, 64},      // (90 - 4 x 90 / 40) x 0.8
      {"nothing left: 1 to 5", 10, 1, 12, 1, false, false, 3},         // rand 7 % 5 + 1
      {"no overflow", 2000000000, 1, 0, 1, true, false, 2000000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::QueueRand({7});
    EXPECT_EQ(session.BaseDamage(c.attack, c.attackerLevel, c.defence, c.targetLevel, c.attackerIsParty,
                                 c.targetIsParty),
              c.damage);
    platform::ClearQueuedRand();
  }
}

TEST_F(WeaponAttackTest, ReachInTenthsAndTheNearestLivePartyMember) {
  EXPECT_FLOAT_EQ(session.GetAttackReach(0, false), 15.0f);
  EXPECT_EQ(session.GetAttackReach(7, false), 0.0f);
  Member(0).weapon = kSword;  // its reach is 1.0 in the table
  EXPECT_FLOAT_EQ(session.GetAttackReach(0, true), 10.0f);

  m_members[0].m_pos = Vec3{10.0f, 0.0f, 0.0f};
  m_members[1].m_pos = Vec3{0.0f, 0.0f, -10.0f};
  EXPECT_EQ(session.FindNearestPartyMember(0, false), &m_members[0]);  // a tie: the first
  m_members[1].m_pos.z = -5.0f;
  EXPECT_EQ(session.FindNearestPartyMember(0, false), &m_members[1]);
  m_members[1].m_actionCode = kActRemoved;
  EXPECT_EQ(session.FindNearestPartyMember(0, false), &m_members[0]);
  session.enemies[0].actor = nullptr;
  EXPECT_EQ(session.FindNearestPartyMember(0, false), nullptr);
}

TEST_F(WeaponAttackTest, ABlowNeedsATargetInReachAndCarriesTheBaseDamage) {
  Member(0).vitality = 90;
  Member(0).lvl = 3;
  m_members[0].m_pos = Vec3{20.0f, 0.0f, 0.0f};
  session.ResolveWeaponAttack(0, false, 1.0f);  // no target
  m_enemy.m_target = &m_members[0];
  m_members[0].m_actionCode = kActRemoved;
  session.ResolveWeaponAttack(0, false, 1.0f);
  EXPECT_TRUE(m_members[0].got.empty());
  EXPECT_TRUE(m_enemy.got.empty());

  m_members[0].m_actionCode = kActIdle;
  session.ResolveWeaponAttack(0, false, 1.0f);  // 20 is not below 15
  ASSERT_EQ(m_enemy.got.size(), 1u);
  EXPECT_EQ(m_enemy.got[0].code, kMsgMissed);
  m_members[0].m_outOfReach = 1;
  session.ResolveWeaponAttack(0, false, 2.0f);
  EXPECT_EQ(m_enemy.got.size(), 2u);
  EXPECT_TRUE(m_members[0].got.empty());

  m_members[0].m_outOfReach = 0;
  m_enemy.m_attackStyle = 2;
  m_enemy.m_hitKind = 1;
  session.ResolveWeaponAttack(0, false, 2.0f);
  ASSERT_EQ(m_members[0].got.size(), 1u);
  const FrameMessage& hit = m_members[0].got[0];
  EXPECT_EQ(hit.sender, &m_enemy);
  EXPECT_EQ(hit.code, kMsgHit);
  // Base damage 65 (enemy level 6 on level 3, defence 90), less a tenth, plus
  // a spread below 13, a third for an enemy's blow; an enemy's blow carries
  // attack kind 0.
  EXPECT_GE(hit.a, (65 - 6) / 3);
  EXPECT_LE(hit.a, (65 - 6 + 12) / 3);
  EXPECT_EQ(hit.b, 0);
  EXPECT_EQ(hit.c, 1);

  // A member's blow: strength against the enemy's defence.
  Member(1).weapon = kSword;
  Member(1).strength = 100;
  Member(1).lvl = 5;
  m_members[1].m_target = &m_enemy;
  m_members[1].m_pos = Vec3{5.0f, 0.0f, 0.0f};
  session.ResolveWeaponAttack(1, true, 1.0f);
  ASSERT_EQ(m_enemy.got.size(), 3u);
  EXPECT_EQ(m_enemy.got[2].code, kMsgHit);
  // Base damage 86 (90 - 1 x 90 / 22), less a tenth, plus a spread below 17.
  EXPECT_GE(m_enemy.got[2].a, 86 - 8);
  EXPECT_LE(m_enemy.got[2].a, 86 - 8 + 16);
}

}  // namespace
