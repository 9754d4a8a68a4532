// The enemy kinds made by their names, their specs checked against
// themselves, the calls one tick of each variant makes, the shared bodies'
// edges, the bar figures, and every kind soaked in random orders and hits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "battle/enemy/BattleEarthElementel.h"
#include "battle/enemy/BattleHedgehog.h"
#include "battle/enemy/BattleSkeleton.h"
#include "battle/enemy/BattleSpider.h"
#include "battle/enemy/BattleTorture.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyKindsSecond.h"
#include "platform/Random.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

struct KindCase {
  const char* name;
  const std::type_info& type;
  bool flying;
  const EnemyKindSpec& spec;
};

const KindCase kKinds[] = {
    {"크리피모스", typeid(CBattleDragonFly), true, CBattleDragonFly::kSpec},
    {"멧돼지", typeid(CBattleWildBoar), false, CBattleWildBoar::kSpec},
    {"고슴도치", typeid(CBattleHedgehog), false, CBattleHedgehog::kSpec},
    {"독거미", typeid(CBattleSpider), false, CBattleSpider::kSpec},
    {"리퀴드제리", typeid(CBattleSlime), false, CBattleSlime::kSpec},
    {"검은고양이", typeid(CBattleBlackCat), false, CBattleBlackCat::kSpec},
    {"고문관1", typeid(CBattleTorture1), false, CBattleTorture1::kSpec},
    {"고문관2", typeid(CBattleTorture2), false, CBattleTorture2::kSpec},
    {"고문관3", typeid(CBattleTorture3), false, CBattleTorture3::kSpec},
    {"고문관4", typeid(CBattleTorture4), false, CBattleTorture4::kSpec},
    {"구루", typeid(CBattleGuru), false, CBattleGuru::kSpec},
    {"그랜파", typeid(CBattleGrandFathter), false, CBattleGrandFathter::kSpec},
    {"버닝뱀프", typeid(CBattleBurningVampire), false, CBattleBurningVampire::kSpec},
    {"버닝소드", typeid(CBattleBurningSword), true, CBattleBurningSword::kSpec},
    {"스노우퀸", typeid(CBattleSnowQueen), false, CBattleSnowQueen::kSpec},
    {"켈베로스나이트", typeid(CBattleKelberosKnight), false, CBattleKelberosKnight::kSpec},
    {"프린세스아이린", typeid(CBattlePrincessAirin), false, CBattlePrincessAirin::kSpec},
    {"파워스톤", typeid(CBattlePowerStone), true, CBattlePowerStone::kSpec},
    {"길티기어", typeid(CBattleGirtiGear), false, CBattleGirtiGear::kSpec},
    {"레이스", typeid(CBattleWraith), false, CBattleWraith::kSpec},
    {"불박쥐", typeid(CBattleFireBat), true, CBattleFireBat::kSpec},
    {"세스", typeid(CBattleSeaSu), false, CBattleSeaSu::kSpec},
    {"스노우맨", typeid(CBattleSnowMan), false, CBattleSnowMan::kSpec},
    {"아메바", typeid(CBattleAmoeba), false, CBattleAmoeba::kSpec},
    {"스켈레톤", typeid(CBattleSkeleton), false, CBattleSkeleton::kSpec},
    {"실프", typeid(CBattleSilpe), true, CBattleSilpe::kSpec},
    {"아이스고렘", typeid(CBattleIceGolem), false, CBattleIceGolem::kSpec},
    {"아져", typeid(CBattleAjer), true, CBattleAjer::kSpec},
    {"에어리언길란", typeid(CBattleAlienGilan), false, CBattleAlienGilan::kSpec},
    {"운디네", typeid(CBattleUndinea), false, CBattleUndinea::kSpec},
    {"윌오브위스퍼", typeid(CBattleWiloWesper), true, CBattleWiloWesper::kSpec},
    {"이블로드", typeid(CBattleEvilLode), false, CBattleEvilLode::kSpec},
    {"리치", typeid(CBattleRich), true, CBattleRich::kSpec},
    {"바운드우먼비", typeid(CBattleBoundUnManBe), true, CBattleBoundUnManBe::kSpec},
    {"세인트스피릿츠", typeid(CBattleSaintSpirit), false, CBattleSaintSpirit::kSpec},
    {"세인트스피릿츠해골", typeid(CBattleSaintSpiritSkeleton), true, CBattleSaintSpiritSkeleton::kSpec},
    {"이프리트", typeid(CBattleEprite), false, CBattleEprite::kSpec},
    {"인큐버스", typeid(CBattleInqubus), true, CBattleInqubus::kSpec},
    {"일렉트릭아머", typeid(CBattleElectnikArmor), false, CBattleElectnikArmor::kSpec},
    {"토네이도", typeid(CBattleTornado), false, CBattleTornado::kSpec},
    {"크레이고렘", typeid(CBattleCrayGolem), false, CBattleCrayGolem::kSpec},
    {"트위스트", typeid(CBattleTwist), false, CBattleTwist::kSpec},
    {"페인로이드", typeid(CBattlePainLoid), false, CBattlePainLoid::kSpec},
    {"페인오브글로리", typeid(CBattlePainOfGlory), false, CBattlePainOfGlory::kSpec},
    {"페일소프트", typeid(CBattleFailSoft), false, CBattleFailSoft::kSpec},
    {"펜텀", typeid(CBattlePhantom), true, CBattlePhantom::kSpec},
    {"프레임제이드", typeid(CBattleFrameJead), true, CBattleFrameJead::kSpec},
    {"포이즌아메바", typeid(CBattlePoisonAmoeba), false, CBattlePoisonAmoeba::kSpec},
    {"에디스네일", typeid(CBattleSnail), false, CBattleSnail::kSpec},
    {"하비레이디", typeid(CBattleHaveyLady), true, CBattleHaveyLady::kSpec},
    {"헐크", typeid(CBattleHulke), false, CBattleHulke::kSpec},
    {"홀리라이트", typeid(CBattleHolyLight), false, CBattleHolyLight::kSpec},
    {"가가무", typeid(CBattleGagaMu), false, CBattleGagaMu::kSpec},
    {"어스엘레멘탈", typeid(CBattleEarthElementel), false, CBattleEarthElementel::kSpec},
};

TEST(EnemyKindRegistry, EachNameMakesItsOwnClassOnItsBaseAndAnUnknownNameNothing) {
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    CActor* made = CreateActorByName(k.name);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(typeid(*made) == k.type);
    EXPECT_TRUE(made->IsKindOf(k.type));
    EXPECT_FALSE(made->IsKindOf(typeid(CBattleGroundEnemy)));
    EXPECT_FALSE(made->IsKindOf(typeid(CBattleFlyingEnemy)));
    EXPECT_EQ(dynamic_cast<CBattleFlyingEnemy*>(made) != nullptr, k.flying);
    EXPECT_EQ(dynamic_cast<CBattleGroundEnemy*>(made) != nullptr, !k.flying);
    EXPECT_STREQ(k.spec.name, k.name);
    delete made;
  }
  EXPECT_EQ(CreateActorByName("없는괴물"), nullptr);
}

// The codes a kind's blocks handle per tick, the shared body's included.
std::set<int32_t> TickCodes(const EnemyKindSpec& spec) {
  std::set<int32_t> codes;
  for (const EnemyRoute& r : spec.routes) codes.insert(r.code);
  for (const EnemyApproach& a : spec.approaches) codes.insert(a.code);
  for (const EnemyStrike& s : spec.strikes) codes.insert(s.code);
  if (spec.body == EnemyBody::kSpecialApproach) codes.insert({kActSpecialSkill, kActSpecialApproach, kActSpecialHit});
  if (spec.body == EnemyBody::kSpecialInPlace) codes.insert({kActSpecialSkill, kActSpecialHit});
  return codes;
}

// Where the blocks send the enemy on.
std::set<int32_t> NextCodes(const EnemyKindSpec& spec) {
  std::set<int32_t> codes;
  for (const EnemyRoute& r : spec.routes) {
    codes.insert(r.otherwise);
    for (const EnemyRouteCase& c : r.cases) codes.insert(c.code);
  }
  for (const EnemyApproach& a : spec.approaches) codes.insert(a.next);
  for (const EnemyStrike& s : spec.strikes) codes.insert(s.end);
  if (spec.body == EnemyBody::kSpecialApproach) codes.insert({kActSpecialApproach, kActSpecialHit, kActWalkBack});
  if (spec.body == EnemyBody::kSpecialInPlace) codes.insert({kActSpecialHit, kActIdle});
  return codes;
}

TEST(EnemyKindSpecs, EveryCodeABlockRunsOrNamesHasARowOrTheBasesAnswer) {
  // The base enters and runs these itself.
  const std::set<int32_t> base = {kActIdle, kActApproach, kActAttack, kActWalkBack};
  // The wild boar, hedgehog and spider run these in their own UpdateAction.
  const std::set<int32_t> own = {kActDig, kActRunUp, kActCharge, kActCurl, kActCrouch};
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    for (int32_t code : TickCodes(k.spec)) {
      if (code == kActSpecialSkill || code == kActCastMagic) continue;  // orders pick on at once
      EXPECT_NE(k.spec.FindRow(code), nullptr) << code;
    }
    for (int32_t code : NextCodes(k.spec)) {
      const bool known = k.spec.FindRow(code) != nullptr || base.count(code) != 0;
      EXPECT_TRUE(known) << code;
      if (own.count(code) == 0 && base.count(code) == 0 && code != kActIdle) {
        EXPECT_TRUE(TickCodes(k.spec).count(code) != 0) << code << " has a row but nothing runs it";
      }
    }
  }
}


// Ordered its special with the target 22 units off: the walk, the strike on
// its special sheet, and a hit that puts the normal sheet back at once.
TEST_F(EnemyKindsTest, TheGuruWalksUpStrikesOnItsSpecialSheetAndAHitBringsTheNormalSheetBack) {
  Traced<CBattleGuru> guru;
  const std::string trace = Order(guru, 5, true, 60);
  // The order picks on the first tick, the walk's after-image from the
  // second; 22 units at 0.7 a tick; the hit frame 8 ticks into the strike.
  EXPECT_EQ(trace,
            "1:set 10073 2:trail 30 34:set 10065,trail 0,special sheet 35:start 1011/30,trail 20 42:skill "
            "58:set 10003,trail 0,normal sheet");
  guru.SetAction(kActSpecialSkill);
  Run(guru, 23);
  ASSERT_EQ(guru.m_actionCode, kActSpecialHit);
  ASSERT_NE(guru.m_actName, "beast.act");
  guru.m_hitGuardTicks = 0;
  guru.m_hitStopTicks = 0;
  guru.OnMessage(&m_target, kMsgHit, 1, 0, 0);
  EXPECT_EQ(guru.m_actionCode, kActDamageLight);
  EXPECT_EQ(guru.m_actName, "beast.act");
  EXPECT_EQ(guru.m_sprName, "beast.spr");
  EXPECT_EQ(guru.m_inAir, 1);  // the hit's lift is kept
  EXPECT_EQ(guru.m_velocity.y, -1.5f);
  EXPECT_EQ(guru.m_staggered, 0);
}

}  // namespace

// Call traces of the variants: one kind for each.
TEST_F(EnemyKindsTest, EachVariantCallsOutInItsOrder) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      // Her special sheet is not in the data: she strikes on her normal one.
      {"snow queen: start before the strike, idle at the end", Order<CBattleSnowQueen>(3, false, 30),
       "1:start 1011/30,set 10065 2:trail 30 9:magic 25:set 10000,trail 0"},
      {"guilty gear 60: approach, then the pushing strike", Order<CBattleGirtiGear>(60, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"guilty gear other: in place on the special sheet", Order<CBattleGirtiGear>(7, true, 30),
       "1:set 10065 2:start 1011/30 9:skill 25:set 10000"},
      {"black cat 47: the strike where it stands", Order<CBattleBlackCat>(47, true, 25),
       "1:set 10066 2:start 1011/30,trail 20 9:skill 25:set 10003,trail 0"},
      {"power stone: the blow carries it on", Order<CBattlePowerStone>(0, false, 30, kActAttack),
       "8:weapon 24:set 10003"},
      {"fire bat: no after-image", Order<CBattleFireBat>(2, false, 60),
       "1:set 10073 34:set 10065 35:start 1011/30 42:magic 58:set 10003"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;

  Traced<CBattleBlackCat> cat;
  Bind(cat);
  cat.m_chosenIndex = 28;
  cat.SetAction(kActSpecialSkill);
  Run(cat, 50);
  EXPECT_EQ(cat.m_hitKind, 1);  // set before its 10065 resolves
}

// The approach meets D − D × 0.2 in floats: 8.0 for D = 10, not 8.01; an
// index without a skill record goes idle.
TEST_F(EnemyKindsTest, TheApproachArrivesAtFourFifthsOfTheSkillDistanceAndAnUnknownSkillIdles) {
  struct Case {
    float distance;
    int32_t index;
    int32_t after;
  };
  const Case cases[] = {
      {8.0f, 5, kActSpecialHit}, {8.01f, 5, kActSpecialApproach}, {8.0f, 99, kActIdle}, {8.0f, -1, kActIdle}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.distance << " " << c.index);
    CBattleGuru guru;
    Bind(guru);
    m_target.m_pos = Vec3{c.distance, 0.0f, 0.0f};
    guru.m_chosenIndex = c.index;
    guru.SetAction(kActSpecialApproach);
    guru.UpdateAction(kActSpecialApproach);
    EXPECT_EQ(guru.m_actionCode, c.after);
  }
  CBattleGuru lonely;
  Bind(lonely);
  lonely.m_target = nullptr;
  lonely.m_chosenIndex = 5;
  lonely.SetAction(kActSpecialApproach);
  lonely.UpdateAction(kActSpecialApproach);
  EXPECT_EQ(lonely.m_actionCode, kActIdle);
}

TEST_F(EnemyKindsTest, OwnRowsKeepTheHitsLiftAndTheNamesOfAReleasedSlotTheRestIsTheBases) {
  CBattleGuru guru;
  Bind(guru);
  guru.m_inAir = 1;
  guru.m_velocity.y = -1.5f;
  guru.m_gravityFactor = 0.1f;
  guru.SetAction(kActDamageLight);
  EXPECT_EQ(guru.m_inAir, 1);
  EXPECT_EQ(guru.m_velocity.y, -1.5f);
  EXPECT_EQ(guru.m_gravityFactor, 0.1f);
  EXPECT_EQ(guru.m_resumeAction, kActIdle);  // nothing saved
  guru.SetAction(kActWalkToPoint);  // the base's: its prologue grounds it
  EXPECT_EQ(guru.m_inAir, 0);
  EXPECT_EQ(guru.m_gravityFactor, 1.0f);

  guru.m_actName = "shown.act";
  guru.m_sprName = "shown.spr";
  guru.m_slot = nullptr;
  guru.SetAction(kActIdle);
  EXPECT_EQ(guru.m_actName, "shown.act");
  EXPECT_EQ(guru.m_sprName, "shown.spr");

  CBattlePowerStone stone;
  Bind(stone);
  stone.SetAction(kActPetrified);  // the flying base's: the fall starts
  EXPECT_EQ(stone.m_fallTimer, CBattleFlyingEnemy::kKnockDownFall);
}

TEST_F(EnemyKindsTest, TheHedgehogIdlesOnTheRowItsDrawPicks) {
  CBattleHedgehog hedgehog;
  Bind(hedgehog);
  platform::QueueRand({4});
  hedgehog.SetAction(kActIdle);
  EXPECT_EQ(hedgehog.m_actionBase, 20);
  platform::QueueRand({7});
  hedgehog.SetAction(kActIdle);
  EXPECT_EQ(hedgehog.m_actionBase, 0);
}

// The wild boar: the dig, the run-up from twice the reach, the charge to
// the gore; its leap lands before its blow is weighed.
TEST_F(EnemyKindsTest, TheWildBoarDigsRunsUpChargesAndGoresAndItsLeapLandsFirst) {
  session.enemies[0].reach = 50;  // 5 units
  m_target.m_pos = Vec3{40.0f, 0.0f, 0.0f};
  Traced<CBattleWildBoar> boar;
  const std::string trace = Order(boar, 2, true, 200);
  // The dig past tick 95; the run-up until twice the reach; the charge
  // until 0.8 of it; the gore resolves as it ends.
  EXPECT_EQ(trace,
            "1:set 10086 97:set 10089 98:trail 30 123:set 10087,trail 0 124:trail 30 128:set 10065,trail 0 "
            "129:start 1011/30,trail 20 152:skill,set 10003,trail 0 153:set 10000");
  EXPECT_EQ(boar.m_gravityFactor, 1.0f);

  Traced<CBattleWildBoar> leaper;
  Bind(leaper);
  leaper.SetAction(kActAttack);
  EXPECT_EQ(leaper.m_velocity.y, -1.7f);
  EXPECT_EQ(Run(leaper, 24), "24:set 10003,weapon");
}

TEST_F(EnemyKindsTest, ABoarThatLosesItsTargetMidChargeIdlesAndResolvesNothing) {
  Traced<CBattleWildBoar> boar;
  Bind(boar);
  boar.SetAction(kActCharge);
  EXPECT_EQ(Run(boar, 5, [&](int t) {
              if (t == 3) boar.m_target = nullptr;
            }),
            "1:trail 30 3:set 10000,trail 0");
}

TEST_F(EnemyKindsTest, AGroundedHedgehogRollingHopsOnTheNextTick) {
  CBattleHedgehog hedgehog;
  Bind(hedgehog);
  m_target.m_pos = Vec3{60.0f, 0.0f, 0.0f};
  hedgehog.SetAction(kActCharge);
  EXPECT_EQ(hedgehog.m_velocity.y, -1.0f);
  hedgehog.m_inAir = 0;
  hedgehog.m_velocity.y = 0.0f;
  hedgehog.UpdateAction(kActCharge);
  EXPECT_EQ(hedgehog.m_inAir, 1);
  EXPECT_EQ(hedgehog.m_velocity.y, -1.0f);
}

// The spider's pounce ends past tick 22 or once it is down, whichever first.
TEST_F(EnemyKindsTest, TheSpiderCrouchesThenPouncesUntilItLandsOrTick22) {
  session.enemies[0].reach = 50;
  m_target.m_pos = Vec3{3.0f, 0.0f, 0.0f};
  Traced<CBattleSpider> spider;
  Bind(spider);
  spider.SetAction(kActApproach);
  const std::string trace = Run(spider, 60);
  // Landed 14 ticks into the pounce.
  EXPECT_EQ(trace, "1:set 10090 13:set 10029 21:weapon 27:set 10003");

  struct Case {
    bool landed;
    int32_t tick;
    int32_t after;
  };
  for (const Case& c : {Case{false, 22, kActPounce}, Case{false, 23, kActWalkBack}, Case{true, 5, kActWalkBack}}) {
    spider.SetAction(kActPounce);
    spider.m_tickCount = c.tick;
    spider.m_inAir = c.landed ? 0 : 1;
    spider.UpdateAction(kActPounce);
    EXPECT_EQ(spider.m_actionCode, c.after) << c.tick;
  }
}

// Every kind in the battle's object list for 3000 ticks of seeded random
// orders (every special index the routes name and others), hits of each
// sort, and its target deleted and replaced; the enemy is made whole again
// when it falls, so that every machine keeps running.
TEST_F(EnemyKindsTest, EveryKindSurvivesRandomOrdersHitsAndLostTargets) {
  std::mt19937 draw(76);
  const int kinds[] = {0, 9, 10, 10, 10};
  const int hits[] = {kMsgHit, kMsgMagicHit, kMsgHitWithNumber, kMsgHitTwoParts};
  const int indexes[] = {-1, 2, 4, 5, 8, 11, 13, 25, 26, 27, 28, 37, 39, 40, 41, 47, 54, 59, 60, 67, 81, 89, 99};
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.name);
    auto* enemy = dynamic_cast<CBattleEnemy*>(CreateActorByName(k.name));
    ASSERT_NE(enemy, nullptr);
    Bind(*enemy);
    Context().m_battleObjects.remove(&m_target);
    auto* target = new CTarget;
    target->m_battleId = {0, 1};
    target->m_pos = Vec3{30.0f, 0.0f, 0.0f};
    session.players[0].battlePtr = target;
    enemy->m_target = target;
    Context().m_battleObjects.push_back(target);
    Context().m_battleObjects.push_back(enemy);
    Context().m_battleEnemies.push_back(enemy);
    std::set<int32_t> seen;
    // Each block entered in turn as well, so that none waits on luck.
    std::vector<int32_t> blocks = {kActSpecialSkill, kActCastMagic, kActAttack};
    for (int32_t code : TickCodes(k.spec)) blocks.push_back(code);
    for (int32_t code : {kActDig, kActRunUp, kActCharge, kActCurl, kActCrouch, kActPounce}) {
      if (k.spec.FindRow(code) != nullptr) blocks.push_back(code);
    }
    for (int t = 0; t < 3000 && session.enemies[0].actor == enemy; ++t) {
      seen.insert(enemy->m_actionCode);
      if (t % 100 == 0) enemy->SetAction(blocks[static_cast<size_t>(t / 100) % blocks.size()]);
      const unsigned roll = draw() % 1000;
      const bool idle = enemy->m_actionCode == kActIdle;
      if (roll < 3 || (idle && roll < 50)) {
        enemy->OnMessage(&m_target, kMsgChosenIndex, indexes[draw() % std::size(indexes)], 0, 0);
        enemy->OnMessage(&m_target, kMsgOrder, reinterpret_cast<intptr_t>(target), kinds[draw() % std::size(kinds)], 0);
      } else if (roll < 55) {
        enemy->OnMessage(target, hits[draw() % std::size(hits)], 3, 1, static_cast<intptr_t>(draw() % 3));
      } else if (roll < 57 && target != nullptr) {
        Context().m_battleObjects.remove(target);
        delete target;  // lets go of every pointer at it
        target = nullptr;
        session.players[0].battlePtr = nullptr;
      } else if (roll < 90 && target == nullptr) {
        target = new CTarget;
        target->m_battleId = {0, 1};
        target->m_pos = Vec3{static_cast<float>(draw() % 60) - 30.0f, 0.0f, 20.0f};
        session.players[0].battlePtr = target;
        Context().m_battleObjects.push_back(target);
      }
      if (session.enemies[0].hp < 50) session.enemies[0].hp = 300;
      Context().UpdateBattleObjects();
    }
    EXPECT_GE(seen.size(), 6u);
    EXPECT_TRUE(std::isfinite(enemy->m_pos.x) && std::isfinite(enemy->m_pos.y) && std::isfinite(enemy->m_pos.z));
    Context().ReturnFromBattle();
    session.enemies[0] = EnemySlot{};
    SetUpSlot();
  }
}
