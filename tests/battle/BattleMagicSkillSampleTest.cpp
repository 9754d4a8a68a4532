// Spells and skills on the sample village's battle, placed by the rules as
// an order places them and played out tick by tick, against golden
// pictures: the fire arrows in flight and their digits, the ground spike at
// full lift and the ground after it, the meteors landing, the flood at its
// height; the sinking rush, the enemy's star dance and the leap slash.
#include <string>
#include <vector>

#include "battle/BattleMagicSpike.h"
#include "battle/BattlePlayer.h"
#include "battle/SpawnedBattleObjects.h"
#include "field/BattleSet.h"
#include "render/3dGround.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

void PrepareParty() {
  EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  CSession& session = CSession::GetInstance();
  session.Init();
  for (int p = 0; p < session.partyCount; ++p) session.RefreshMember(p);
}

class BattleMagicSkillSampleTest : public BattleVillageTest {
 protected:
  BattleMagicSkillSampleTest() : BattleVillageTest("BattleMagicSkillSample", PrepareParty) {}
  ~BattleMagicSkillSampleTest() override {
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
  }

  // Two skeletons before the party, south-east of the elder, settled.
  bool SetUpBattle() {
    // The water's frame and wave run on with every drawing in the process.
    C3dGround::s_waterCounter = 0;
    C3dGround::s_wavePhase = 0;
    if (!StartSkeletonBattle(2)) return false;
    Tick(80);
    return true;
  }
  CSession& Session() { return CSession::GetInstance(); }
  CBattleActor* Member(int p) { return dynamic_cast<CBattleActor*>(Session().GetPartyMember(p)->battlePtr); }
  CBattleActor* Skeleton(int e) { return dynamic_cast<CBattleActor*>(Session().enemies[static_cast<size_t>(e)].actor); }
  // The party's magic user.
  int MagicUser() {
    for (int p = 0; p < Session().partyCount; ++p) {
      if (Session().GetPartyMember(p)->ismagicman != 0) return p;
    }
    return -1;
  }
  // An order as its messages leave it: the index, the target and the
  // ground point.
  static void Order(CBattleActor* actor, int index, CBattleActor* target, const Vec3& point) {
    actor->m_chosenIndex = index;
    actor->m_target = target;
    actor->m_targetX = point.x;
    actor->m_targetZ = point.z;
  }
  // The magic user's order, then the rule places the spell.
  void Cast(int magic, CBattleActor* target, const Vec3& point) {
    const int p = MagicUser();
    ASSERT_GE(p, 0);
    ASSERT_NE(Member(p), nullptr);
    Order(Member(p), magic, target, point);
    Session().ResolveMagic(p, true);
  }
  void UseSkill(CBattleActor* user, int position, bool isParty, int skill, CBattleActor* target, const Vec3& point) {
    ASSERT_NE(user, nullptr);
    Order(user, skill, target, point);
    Session().ResolveSkill(position, isParty);
  }
  template <class T>
  int Count() const {
    int n = 0;
    for (CActor* a : m_frame.GetContext()->m_battleObjects) n += dynamic_cast<T*>(a) != nullptr ? 1 : 0;
    return n;
  }
};

TEST_F(BattleMagicSkillSampleTest, FireArrowsFlyAtBothSkeletonsAndShowTheirDigits) {
  ASSERT_TRUE(SetUpBattle());
  ASSERT_EQ(CMagicMgr::GetInstance().GetMagicTypeInfo(34)->name, "불화살");
  const int32_t hp = Session().enemies[0].hp;
  Cast(34, Skeleton(0), Skeleton(0)->m_pos);
  EXPECT_EQ(Count<CBattleMagic>(), 2);
  Tick(18);
  EXPECT_EQ(Shot("magic_fire_arrows_flying"), "");
  Tick(20);
  EXPECT_LT(Session().enemies[0].hp, hp);
  EXPECT_EQ(Shot("magic_fire_arrows_digits"), "");
}

TEST_F(BattleMagicSkillSampleTest, TheSpikeLiftsTheGroundAndPutsItBack) {
  ASSERT_TRUE(SetUpBattle());
  const Vec3 at = Skeleton(1)->m_pos;
  C3dGround& ground = *Context().m_pGround;
  const int c = static_cast<int>(static_cast<float>(ground.Width() / 2) + at.x / static_cast<float>(ground.CellSize()));
  const int r = static_cast<int>(static_cast<float>(ground.Height() / 2) + at.z / static_cast<float>(ground.CellSize()));
  const float rest = ground.GetCell(c, r)->height[3];
  Cast(20, Skeleton(1), at);
  Tick(22);  // placed and raised at its first tick, full after twenty more
  EXPECT_EQ(ground.GetCell(c, r)->height[3], rest - 23.0f);
  EXPECT_EQ(Shot("magic_spike_lifted"), "");
  int sinking = 0;
  for (; Count<CBattleMagicSpike>() != 0 && sinking < 100; ++sinking) Tick(1);
  EXPECT_EQ(sinking, 31);  // held to its 40th tick, then eleven down
  EXPECT_EQ(ground.GetCell(c, r)->height[3], rest);
  Tick(60);
  EXPECT_EQ(Shot("magic_spike_ground_restored"), "");
}

TEST_F(BattleMagicSkillSampleTest, MeteorsFallOnTheBattlefield) {
  ASSERT_TRUE(SetUpBattle());
  Cast(31, Skeleton(0), Skeleton(0)->m_pos);
  EXPECT_EQ(Count<CBattleMagic>(), 70);
  Tick(100);
  EXPECT_EQ(Shot("magic_meteors_landing"), "");
}

TEST_F(BattleMagicSkillSampleTest, TheFloodStandsAtItsHeightAndDrainsAway) {
  ASSERT_TRUE(SetUpBattle());
  const float rest = Context().m_waterLevel;
  Cast(15, Skeleton(0), Skeleton(0)->m_pos);
  ASSERT_EQ(Count<CBattleMagic>(), 1);
  Tick(700);
  EXPECT_LT(Context().m_waterLevel, rest);
  EXPECT_EQ(Shot("magic_flood_height"), "");
  Tick(1200);
  EXPECT_EQ(Context().m_waterLevel, rest);
  EXPECT_EQ(Count<CBattleMagic>(), 0);
}

TEST_F(BattleMagicSkillSampleTest, TheSinkingRushDivesAtTheSkeleton) {
  ASSERT_TRUE(SetUpBattle());
  const int p = MagicUser() == 0 ? 1 : 0;
  UseSkill(Member(p), p, true, 185, Skeleton(1), Skeleton(1)->m_pos);
  ASSERT_EQ(Count<CBattleSkill>(), 1);
  int ticks = 0;
  for (; Count<CBattleSkill>() != 0 && ticks < 200; ++ticks) Tick(1);
  EXPECT_LT(ticks, 120);  // arrived, not timed out
  Tick(4);
  EXPECT_EQ(Shot("skill_sinking_rush"), "");
}

TEST_F(BattleMagicSkillSampleTest, AnEnemysStarDanceSpreadsSixteenLights) {
  ASSERT_TRUE(SetUpBattle());
  UseSkill(Skeleton(0), 0, false, 72, Member(0), Member(0)->m_pos);
  EXPECT_EQ(Count<CBattleSkill>(), 17);  // the star and the enemy's one on its target
  Tick(56);
  EXPECT_EQ(Shot("skill_star_dance"), "");
}

TEST_F(BattleMagicSkillSampleTest, TheLeapSlashHopsOntoItsPoint) {
  ASSERT_TRUE(SetUpBattle());
  const int p = MagicUser() == 0 ? 1 : 0;
  const Vec3 point = Skeleton(1)->m_pos;
  UseSkill(Member(p), p, true, 106, Skeleton(1), point);
  ASSERT_EQ(Count<CBattleSkill>(), 1);
  Tick(20);
  EXPECT_EQ(Shot("skill_leap_slash"), "");
}

// A guarding skeleton or member turns a skill's blow aside and answers its
// sender; the skill objects end and are deleted while both go on fighting,
// and nothing of theirs is left pointing at an ended object (the sanitizer
// build reads every pointer they keep).
TEST_F(BattleMagicSkillSampleTest, AGuardedSkillHitLeavesNothingPointingAtTheEndedObject) {
  ASSERT_TRUE(SetUpBattle());
  const int p = MagicUser() == 0 ? 1 : 0;
  struct Case {
    CBattleActor* user;
    int position;
    bool isParty;
    CBattleActor* target;
  };
  const Case cases[] = {{Member(p), p, true, Skeleton(1)}, {Skeleton(0), 0, false, Member(p)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.isParty);
    ASSERT_NE(c.target, nullptr);
    const int32_t cp = Session().GetPartyMember(p)->cp;
    UseSkill(c.user, c.position, c.isParty, 185, c.target, c.target->m_pos);
    std::vector<const void*> objects;
    for (CActor* a : Context().m_battleObjects) {
      if (dynamic_cast<CBattleSkill*>(a) != nullptr) objects.push_back(a);
    }
    ASSERT_FALSE(objects.empty());
    int ticks = 0;
    for (; Count<CBattleSkill>() != 0 && ticks < 300; ++ticks) {
      if (c.target->m_actionCode != kActGuard) c.target->SetAction(kActGuard);
      Tick(1);
    }
    EXPECT_LT(ticks, 300);
    // The guarding member's gauge shows the blow it turned aside.
    if (!c.isParty) {
      EXPECT_GT(Session().GetPartyMember(p)->cp, cp);
    }
    Tick(60);
    for (CBattleActor* fighter : {c.user, c.target}) {
      for (const void* gone : objects) {
        EXPECT_NE(static_cast<const void*>(fighter->m_target), gone);
        EXPECT_NE(static_cast<const void*>(fighter->m_decoy), gone);
      }
    }
  }
}

}  // namespace
