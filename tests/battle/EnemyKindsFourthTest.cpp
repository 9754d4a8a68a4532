// The kinds from the jack-a-lantern to the dragons and the bosses from
// Verunak to Grandeur: every route to its end, the blocks they add, and
// their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/EnemyKindsFourth.h"
#include "session/EnemySlot.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

// Every route from the order to its end, the default branches included;
// each strike resolves once per hit frame, or once as its row ends.
TEST_F(EnemyKindsTest, TheFourthGroupRoutesEachOrderToItsEnd) {
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  constexpr int32_t kCast = kActCastMagic;
  constexpr int32_t kBlow = kActApproach;
  const Route routes[] = {
      {"jack any", Chain(Order<CBattleJackALantern>(5, true, 250)), "10075 10067 skill 10000"},
      {"jack cast", Chain(Order<CBattleJackALantern>(5, false, 250, kCast)), "10065 magic 10000"},
      {"poltergeist 50", Chain(Order<CBattlePoltergeist>(50, true, 250)), "10065 skill 10000"},
      {"poltergeist 51", Chain(Order<CBattlePoltergeist>(51, true, 250)), "10067 skill 10000"},
      {"poltergeist 43", Chain(Order<CBattlePoltergeist>(43, true, 250)), "10074 10066 skill 10000"},
      {"poltergeist other", Chain(Order<CBattlePoltergeist>(5, false, 250)), "10074 10066 magic 10000"},
      {"asura 27", Chain(Order<CBattleAsura>(27, true, 250)), "10074 10066 skill 10003"},
      {"asura 89", Chain(Order<CBattleAsura>(89, true, 250)), "10065 skill 10003"},
      {"asura other", Chain(Order<CBattleAsura>(5, true, 250)), "10075 10067 skill 10003"},
      {"asura blow", Chain(Order<CBattleAsura>(0, false, 250, kBlow)), "10002 weapon 10003"},
      {"savage warrior 56", Chain(Order<CBattleSavageWarrior>(56, true, 250)), "10075 10067 skill 10003"},
      {"savage warrior 64", Chain(Order<CBattleSavageWarrior>(64, true, 250)), "10074 10066 skill 10003"},
      {"savage warrior 85", Chain(Order<CBattleSavageWarrior>(85, true, 250)), "10065 skill 10000"},
      {"savage warrior other", Chain(Order<CBattleSavageWarrior>(5, true, 250)), "10075 10067 skill 10003"},
      {"leviathan 90", Chain(Order<CBattleLeviathan>(90, true, 250)), "10066 skill 10003"},
      {"leviathan 94", Chain(Order<CBattleLeviathan>(94, true, 250)), "10067 skill 10003"},
      {"leviathan other", Chain(Order<CBattleLeviathan>(5, true, 250)), "10065 skill 10003"},
      {"lilith 51", Chain(Order<CBattleLilith>(51, true, 250)), "10067 skill 10000"},
      {"lilith 66", Chain(Order<CBattleLilith>(66, true, 250)), "10065 skill 10000"},
      {"lilith other", Chain(Order<CBattleLilith>(5, true, 250)), "10074 10066 skill 10003"},
      {"amon any", Chain(Order<CBattleAmon>(5, true, 250)), "10074 10066 skill 10003"},
      {"amon cast", Chain(Order<CBattleAmon>(5, false, 250, kCast)), "10065 magic 10000"},
      {"skel master 89", Chain(Order<CBattleSkelMaster>(89, true, 250)), "10066 skill 10000"},
      {"skel master other", Chain(Order<CBattleSkelMaster>(5, true, 250)), "10065 skill 10000"},
      {"golden guard 17", Chain(Order<CBattleGoldenGuard>(17, true, 250)), "10073 10065 skill 10000"},
      {"golden guard 20", Chain(Order<CBattleGoldenGuard>(20, true, 250)), "10074 10066 skill 10003"},
      {"golden guard 22", Chain(Order<CBattleGoldenGuard>(22, true, 250)),
       "10075 10067 skill 10070 skill 10071 skill 10072 skill 10003"},
      {"golden guard 27", Chain(Order<CBattleGoldenGuard>(27, true, 250)), "10076 10068 skill 10003"},
      {"golden guard 30", Chain(Order<CBattleGoldenGuard>(30, true, 250)), "10077 10069 skill 10003"},
      {"golden guard other", Chain(Order<CBattleGoldenGuard>(5, true, 250)), "10073 10065 skill 10000"},
      {"belial 23", Chain(Order<CBattleBelial>(23, true, 250)), "10073 10065 skill 10069 skill 10070 skill 10003"},
      {"belial 24", Chain(Order<CBattleBelial>(24, true, 250)), "10074 10066 skill 10003"},
      {"belial 56", Chain(Order<CBattleBelial>(56, true, 250)), "10076 10068 skill 10003"},
      {"belial 85", Chain(Order<CBattleBelial>(85, true, 250)), "10067 skill 10000"},
      {"belial other", Chain(Order<CBattleBelial>(5, true, 250)), "10076 10068 skill 10003"},
      {"gold dragon", Chain(Order<CBattleGoldDragon>(5, true, 250)), "10073 10065 skill 10003"},
      {"white dragon cast", Chain(Order<CBattleWhiteDragon>(5, false, 250, kCast)), "10066 magic 10000"},
      {"verunak blow", Chain(Order<CBattleVerunak>(0, false, 250, kBlow)), "10002 10074 10066 skill 10003"},
      {"verunak 89", Chain(Order<CBattleVerunak>(89, true, 250)), "10065 skill 10003"},
      {"verunak other", Chain(Order<CBattleVerunak>(5, true, 250)), "10074 10066 skill 10003"},
      {"verunak cast", Chain(Order<CBattleVerunak>(5, false, 250, kCast)), "10067 magic 10000"},
      {"ovrel 16", Chain(Order<CBattleOvrelTimbane>(16, true, 250)), "10075 10067 skill 10003"},
      {"ovrel 23", Chain(Order<CBattleOvrelTimbane>(23, true, 250)), "10074 10066 skill 10070 skill 10071 skill 10003"},
      {"ovrel 36", Chain(Order<CBattleOvrelTimbane>(36, true, 250)), "10076 10068 skill 10003"},
      {"ovrel 57", Chain(Order<CBattleOvrelTimbane>(57, true, 250)), "10077 10069 skill 10003"},
      {"ovrel 76", Chain(Order<CBattleOvrelTimbane>(76, true, 250)), "10073 10065 skill 10003"},
      {"ovrel other", Chain(Order<CBattleOvrelTimbane>(5, true, 250)), "10077 10069 skill 10003"},
      {"grandeur 5", Chain(Order<CBattleGrandeur>(5, true, 250)), "10065 skill 10000"},
      {"grandeur 8", Chain(Order<CBattleGrandeur>(8, true, 250)), "10066 skill 10000"},
      {"grandeur 21", Chain(Order<CBattleGrandeur>(21, true, 250)), "10067 skill 10000"},
      {"grandeur 43", Chain(Order<CBattleGrandeur>(43, true, 250)), "10068 skill 10000"},
      {"grandeur 89", Chain(Order<CBattleGrandeur>(89, true, 250)), "10069 skill 10000"},
      {"grandeur other", Chain(Order<CBattleGrandeur>(5, true, 250)), "10065 skill 10000"},
      {"grandeur blow (the base resolves it)", Chain(Order<CBattleGrandeur>(0, false, 250, kBlow)), "10002 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}

// The blocks the group adds, traced: the poltergeist's walk to its third
// blow, Ovrel's hard knock on every hit frame, and Verunak's blow turned
// into his special 32 as a skill, walked up to and landing as it ends.
TEST_F(EnemyKindsTest, TheFourthGroupsNewBlocksCallOutInTheirOrder) {
  HitKindNoted<CBattleOvrelTimbane> ovrel;
  Traced<CBattleVerunak> verunak;
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      {"poltergeist walks to its third blow", Order<CBattlePoltergeist>(43, true, 80),
       "1:start 1011/30,set 10074 2:trail 30 34:set 10066,trail 0 35:trail 20 "
       "42:skill 58:set 10000,trail 0"},
      {"ovrel knocks hard whatever the frame says", Order(ovrel, 16, true, 80),
       "1:set 10075 2:trail 30 34:set 10067,trail 0 35:start 1011/30,trail 20 "
       "42:skill,kind 2 58:set 10003,trail 0"},
      {"verunak's blow", Order(verunak, 0, false, 80, kActAttack),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 "
       "58:skill,set 10003,trail 0"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;
  EXPECT_EQ(verunak.m_chosenIndex, 32);
}

// From its first link, the golden guard slides through its four links,
// each turned at the target on its first tick only, though the target
// steps aside, and each carried at 0.5; only the first flourishes.
TEST_F(EnemyKindsTest, TheGoldenGuardsChainFlourishesOnceAndSlidesOnTheHeadingEachLinkTook) {
  Traced<CBattleGoldenGuard> guard;
  Bind(guard);
  guard.m_chosenIndex = 22;
  guard.m_useSpecial = true;
  guard.SetAction(kActSpecialHit3);
  int32_t link = kActSpecialHit3;
  float heading = 0.0f;
  int turns = 0, slides = 0;
  const std::string trace = Run(guard, 100, [&](int t) {
    const int32_t code = guard.m_actionCode;
    const bool chained = code == kActSpecialHit3 || (code >= kActSkillHit1 && code <= kActSkillHit3);
    if (chained && code == link && guard.m_tickCount > 1) {
      if (guard.m_angle != heading) ++turns;
      const float speed = std::hypot(guard.m_velocity.x, guard.m_velocity.z);
      if (std::abs(speed - session.ScaleByBonus(0.5f, 0, false)) < 1e-4f) ++slides;
    }
    if (code != link) link = code;
    heading = guard.m_angle;
    m_target.m_pos.z = static_cast<float>(t % 5) * 4.0f;
  });
  EXPECT_EQ(trace,
            "1:start 1011/30,trail 20 8:skill 24:set 10070,trail 0 "
            "25:trail 20 32:skill 48:set 10071,trail 0 "
            "49:trail 20 56:skill 72:set 10072,trail 0 73:trail 20 "
            "80:skill 96:set 10003,trail 0");
  EXPECT_EQ(turns, 0);
  EXPECT_GT(slides, 80);
}

// The edges, each in a few lines: Asura's close-in is below 40, not at it,
// and its push is set once; the eternal burn plays at 6 on whatever sheet
// it shows; Ovrel pays 20 from idle only with 20; Grandeur strikes from
// where he stands and walks off to the base's return point.
TEST_F(EnemyKindsTest, TheFourthGroupsEdges) {
  for (const float distance : {39.9f, 40.0f}) {
    CBattleAsura asura;
    Bind(asura);
    m_target.m_pos = Vec3{distance, 0.0f, 0.0f};
    asura.SetAction(kActApproach);
    asura.UpdateAction(kActApproach);
    EXPECT_EQ(asura.m_actionCode, distance < 40.0f ? kActAttack : kActApproach) << distance;
  }

  // The push: one tick's step along the heading it had, however it turns.
  CBattleAsura asura;
  Bind(asura);
  m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
  asura.SetAction(kActSpecialHit3);
  asura.OnProcess();
  EXPECT_FLOAT_EQ(asura.m_velocity.x, session.ScaleByBonus(0.7f, 0, false));
  m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
  for (int t = 0; t < 10; ++t) asura.OnProcess();
  EXPECT_NE(asura.m_angle, 90.0f);
  EXPECT_FLOAT_EQ(asura.m_pos.x, session.ScaleByBonus(0.7f, 0, false));
  EXPECT_NEAR(asura.m_pos.z, 0.0f, 1e-5f);

  CBattleEternalBurn burn;
  Bind(burn);
  burn.m_actName = "own.act";
  for (int32_t code : {kActIdle, kActApproach, kActAttack, kActWalkBack, kActDamageLight}) {
    burn.SetAction(code);
    EXPECT_EQ(burn.m_frameDuration, 6) << code;
    EXPECT_EQ(burn.m_actName, "own.act") << code;
  }

  m_target.SetAction(kActIdle);
  m_target.m_pos = Vec3{5.0f, 0.0f, 5.0f};
  for (const float gauge : {19.9f, 20.0f}) {
    CBattleOvrelTimbane ovrel;
    Bind(ovrel);
    ovrel.m_timeGauge = gauge;
    ovrel.UpdateAction(kActIdle);
    EXPECT_EQ(ovrel.m_actionCode, gauge < 20.0f ? kActIdle : kActAttack) << gauge;
    EXPECT_FLOAT_EQ(ovrel.m_timeGauge, gauge < 20.0f ? 19.9f : 0.0f);
  }

  CBattleGrandeur grandeur;
  Bind(grandeur);
  m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
  grandeur.SetAction(kActApproach);
  grandeur.OnProcess();
  EXPECT_EQ(grandeur.m_actionCode, kActAttack);
  for (int t = 0; t < 40 && grandeur.m_actionCode == kActAttack; ++t) grandeur.OnProcess();
  ASSERT_EQ(grandeur.m_actionCode, kActWalkBack);
  EXPECT_EQ(grandeur.m_pos.x, 0.0f);
  EXPECT_EQ(grandeur.m_returnPoint.x, -60.0f);
  for (int t = 0; t < 10; ++t) grandeur.OnProcess();
  EXPECT_LT(grandeur.m_pos.x, -3.0f);
}

// Hits that the locks shut out cost nothing: Verunak's special order holds
// them off for 60 ticks of his long walk, Grandeur's strikes while they
// run; a hit he does take turns Grandeur 11 degrees.
TEST_F(EnemyKindsTest, TheBossesLocksShutHitsOut) {
  CBattleVerunak verunak;
  Bind(verunak);
  m_target.m_pos = Vec3{100.0f, 0.0f, 0.0f};
  verunak.m_chosenIndex = 5;
  verunak.m_useSpecial = true;
  verunak.SetAction(kActSpecialSkill);
  int firstHurt = 0;
  for (int t = 1; t <= 80 && firstHurt == 0; ++t) {
    verunak.OnProcess();
    verunak.m_hitStopTicks = 0;
    verunak.OnMessage(&m_target, kMsgHit, 5, 0, 0);
    if (session.enemies[0].hp < 300) firstHurt = t;
  }
  EXPECT_EQ(firstHurt, 61);  // sixty hits dropped, the order's tick's first

  session.enemies[0].hp = 300;
  m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
  CBattleGrandeur grandeur;
  Bind(grandeur);
  grandeur.SetAction(kActSpecialHit2);
  for (int t = 0; t < 20; ++t) {
    grandeur.OnProcess();
    grandeur.OnMessage(&m_target, kMsgHit, 5, 0, 0);
  }
  EXPECT_EQ(grandeur.m_actionCode, kActSpecialHit2);
  EXPECT_EQ(session.enemies[0].hp, 300);

  grandeur.SetAction(kActIdle);
  grandeur.m_hitGuardTicks = 0;
  grandeur.m_angle = 90.0f;
  grandeur.OnMessage(&m_target, kMsgHit, 5, 0, 0);
  EXPECT_EQ(session.enemies[0].hp, 295);
  EXPECT_EQ(grandeur.m_angle, 101.0f);
}

// The three bosses take hits through the one hit-immune handling; the
// group's other kinds through the base's.
TEST(EnemyKindRegistry, TheFourthGroupsBossesAloneAreHitImmune) {
  for (const char* name : {"베루낙", "오브렐_팀베인", "그랑데", "골든가드", "아수라", "블랙드래곤", "이터널_번"}) {
    CActor* made = CreateActorByName(name);
    ASSERT_NE(made, nullptr) << name;
    const bool boss = dynamic_cast<CBattleVerunak*>(made) != nullptr ||
                      dynamic_cast<CBattleOvrelTimbane*>(made) != nullptr ||
                      dynamic_cast<CBattleGrandeur*>(made) != nullptr;
    EXPECT_EQ(dynamic_cast<CBattleHitImmuneEnemy*>(made) != nullptr, boss) << name;
    delete made;
  }
}

// A link, a strike or an approach whose target is gone idles the next tick
// unresolved; Verunak's blow with no record of his special 32 idles too.
TEST_F(EnemyKindsTest, TheFourthGroupIdlesUnresolvedWithoutATargetOrASkillRecord) {
  // Each the code it is in, then what it called on the tick it lost its target.
  const auto lose = [&](auto& enemy, int32_t code) {
    Bind(enemy);
    enemy.SetAction(code);
    enemy.m_target = nullptr;
    enemy.notes.clear();
    enemy.OnProcess();
    EXPECT_EQ(enemy.m_actionCode, kActIdle) << code;
    return enemy.notes;
  };
  const std::vector<std::string> idled = {"set 10000"};
  Traced<CBattleGoldenGuard> guard;
  EXPECT_EQ(lose(guard, kActSkillHit2), idled);
  Traced<CBattleVerunak> verunak;
  EXPECT_EQ(lose(verunak, kActSpecialHit3), idled);
  Traced<CBattleAsura> asura;
  EXPECT_EQ(lose(asura, kActSpecialApproach3), idled);
  // A chain's first link without its target: no flourish either.
  Traced<CBattleGoldenGuard> guardHead;
  EXPECT_EQ(lose(guardHead, kActSpecialHit3), idled);
  Traced<CBattleBelial> belial;
  EXPECT_EQ(lose(belial, kActSpecialHit), idled);
  Traced<CBattleOvrelTimbane> ovrel;
  EXPECT_EQ(lose(ovrel, kActSpecialHit2), idled);

  CSkillMgr::GetInstance().Free();
  Traced<CBattleVerunak> unrecorded;
  EXPECT_EQ(Order(unrecorded, 0, false, 5, kActAttack), "1:set 10074 2:set 10000");
  EXPECT_EQ(unrecorded.m_chosenIndex, 32);
}
