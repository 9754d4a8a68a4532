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
#include <utility>
#include <vector>

#include "battle/enemy/BattleHedgehog.h"
#include "battle/enemy/BattleSkeleton.h"
#include "battle/enemy/BattleSpider.h"
#include "battle/enemy/BattleTorture.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/SingleSpecialKinds.h"
#include "engine/ActRes.h"
#include "platform/Random.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleTestSheets.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"

namespace {

// A party member that only records what it is told.
class CTarget : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* /*sender*/, int /*code*/, intptr_t, intptr_t, intptr_t) override {}
};

// A kind whose calls out are written down in place of being made.
template <class Kind>
class Traced : public Kind {
 public:
  void SetAction(int32_t code) override {
    Note("set " + std::to_string(code));
    Kind::SetAction(code);
  }
  void StartSpecial(int32_t effect, int32_t pause) override {
    Note("start " + std::to_string(effect) + "/" + std::to_string(pause));
  }
  void Resolve(EnemyResolve how) override {
    if (how == EnemyResolve::kWeapon) {
      Note("weapon");
    } else if (how == EnemyResolve::kSpecial) {
      Note(this->m_useSpecial ? "skill" : "magic");
    }
  }
  void Note(const std::string& what) { notes.push_back(what); }
  std::vector<std::string> notes;
};

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
    // One approach and one strike, some with a second strike in place.
    {"시무르그", typeid(CBattleSimurgh), false, CBattleSimurgh::kSpec},
    {"가루다", typeid(CBattleGaruda), false, CBattleGaruda::kSpec},
    {"아이언스콜피온", typeid(CBattleIronScorpion), false, CBattleIronScorpion::kSpec},
    {"마스터오브데저트", typeid(CBattleMasterofDesert), false, CBattleMasterofDesert::kSpec},
    {"사라만다", typeid(CBattleSaramanda), false, CBattleSaramanda::kSpec},
    {"스켈블러드", typeid(CBattleSkelBrood), false, CBattleSkelBrood::kSpec},
    {"켈베로스마스터", typeid(CBattleKelberosMaster), false, CBattleKelberosMaster::kSpec},
    {"만드레이크", typeid(CBattleMadrake), false, CBattleMadrake::kSpec},
    {"기간테스", typeid(CBattleGigantes), false, CBattleGigantes::kSpec},
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
  // The boar's charge ends in its gore, the spider's crouch in its pounce;
  // the slime's split waits for its hit handling.
  const std::set<std::pair<std::string, int32_t>> enteredByOwnMachine = {
      {"멧돼지", kActSpecialHit}, {"독거미", kActPounce}, {"리퀴드제리", kActSplit}};
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
    // Every row is entered by the base, a block or the hit handling, or by
    // a machine of the kind's own.
    for (const EnemyRow& row : k.spec.rows) {
      const bool reached = base.count(row.code) != 0 || own.count(row.code) != 0 ||
                           row.code == kActDamageLight || row.code == kActDying ||
                           NextCodes(k.spec).count(row.code) != 0 ||
                           enteredByOwnMachine.count({k.name, row.code}) != 0;
      EXPECT_TRUE(reached) << row.code << " has a row nothing enters";
    }
  }
}

class EnemyKindsTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  // Twenty-four actions of three frames, the second a hit frame; the
  // special sheets alike; skills 0-70 with the distance 10.
  EnemyKindsTest() {
    using battletest::SquareMotion;
    const std::string spr = battletest::SquareSprite();
    const std::vector<ActAction> actions(24, ActAction{{SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string act = slvtools::BuildAct(0x201, actions, {"attacktime.atk"});
    Write("data/sprite/beast.spr", spr);
    Write("data/sprite/beast.act", act);
    for (const char* special : {"괴물형/전투/구루_특수", "인간형/전투/그랜파_특수"}) {
      Write(std::string("data/sprite/몬스터/") + special + ".spr", spr);
      Write(std::string("data/sprite/몬스터/") + special + ".act", act);
    }
    std::string skills;
    for (int i = 0; i <= 70; ++i) skills += "#skill < s" + std::to_string(i) + " > < >\n#duration 10\n#end\n";
    Write("data/diary/skill.txt", skills);
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    session.Init();
    PlayerData& sizz = session.players[0];
    sizz.engname = "sizz";
    sizz.battlePtr = &m_target;
    session.partyIds[0] = 0;
    session.partyCount = session.battlePartyCount = 1;
    m_target.m_battleId = {0, 1};
    m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
    SetUpSlot();
  }
  void SetUpSlot() {
    session.partyIds[0] = 0;
    session.partyCount = session.battlePartyCount = 1;
    EnemySlot& s = session.enemies[0];
    s.name = "beast";
    s.sprName = "beast.spr";
    s.actName = "beast.act";
    s.hp = s.maxhp = 300;
    s.reach = 100;
    s.level = 3;
    session.enemyCount = 1;
  }
  ~EnemyKindsTest() override {
    platform::ClearQueuedRand();
    CSkillMgr::GetInstance().Free();
    session.Init();
  }

  template <class T>
  T& Bind(T& enemy) {
    enemy.m_sprName = "beast.spr";
    enemy.m_actName = "beast.act";
    enemy.GetSprite();
    enemy.m_slot = &session.enemies[0];
    enemy.m_battleId = {0, 0};
    session.enemies[0].actor = &enemy;
    enemy.m_target = &m_target;
    enemy.SetAction(kActIdle);
    return enemy;
  }

  // The ticks in which something was called, as "tick:call,call".
  template <class T>
  std::string Run(Traced<T>& enemy, int ticks, const std::function<void(int)>& each = {}) {
    std::string out;
    for (int t = 1; t <= ticks; ++t) {
      enemy.notes.clear();
      const std::string sheet = enemy.m_actName;
      const int32_t trail = enemy.m_afterimage != 0 ? enemy.m_afterimageLength : 0;
      if (each) each(t);
      enemy.OnProcess();
      const int32_t trailAfter = enemy.m_afterimage != 0 ? enemy.m_afterimageLength : 0;
      if (trailAfter != trail) enemy.Note("trail " + std::to_string(trailAfter));
      if (enemy.m_actName != sheet) enemy.Note(enemy.m_actName == "beast.act" ? "normal sheet" : "special sheet");
      if (enemy.notes.empty()) continue;
      out += (out.empty() ? "" : " ") + std::to_string(t) + ":";
      for (size_t i = 0; i < enemy.notes.size(); ++i) out += (i == 0 ? "" : ",") + enemy.notes[i];
    }
    return out;
  }

  // The calls of a kind entering `code` with the special chosen.
  template <class Kind>
  std::string Order(Traced<Kind>& enemy, int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    Bind(enemy);
    enemy.m_chosenIndex = index;
    enemy.m_useSpecial = skill;
    enemy.SetAction(code);
    return Run(enemy, ticks);
  }
  template <class Kind>
  std::string Order(int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    Traced<Kind> enemy;
    return Order(enemy, index, skill, ticks, code);
  }

  CSession& session = CSession::GetInstance();
  CTarget m_target;
};

// A hit mid-strike plays the reel from the normal sheet in the same tick.
void HitMidStrike(CBattleEnemy& enemy, CBattleActor& by, int32_t strike) {
  ASSERT_EQ(enemy.m_actionCode, strike);
  ASSERT_NE(enemy.m_actName, "beast.act");
  enemy.m_hitGuardTicks = 0;
  enemy.m_hitStopTicks = 0;
  enemy.OnMessage(&by, kMsgHit, 1, 0, 0);
  EXPECT_EQ(enemy.m_actionCode, kActDamageLight);
  EXPECT_EQ(enemy.m_actName, "beast.act");
  EXPECT_EQ(enemy.m_sprName, "beast.spr");
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
  HitMidStrike(guru, m_target, kActSpecialHit);
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
  const int indexes[] = {-1, 2, 5, 28, 39, 41, 47, 60, 74, 81, 89, 99};
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

namespace {

// The single-special kinds, with the special sheets they strike on.
class SingleSpecialKindsTest : public EnemyKindsTest {
 protected:
  // Each special strike shows the blow on its first and third of four frames.
  SingleSpecialKindsTest() {
    using battletest::SquareMotion;
    const std::string spr = battletest::SquareSprite();
    const std::vector<ActAction> actions(4, ActAction{{SquareMotion(0), SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string act = slvtools::BuildAct(0x201, actions, {"attacktime.atk"});
    for (const char* name : {"시무르그", "가루다", "사라만다", "켈베로스마스터", "만드레이크"}) {
      const std::string stem = std::string("data/sprite/몬스터/괴물형/전투/") + name + "_특수";
      Write(stem + ".spr", spr);
      Write(stem + ".act", act);
    }
  }

  // The codes a special passes through to its end code, its flourishes and
  // resolutions: "10073 10065 start 1011/30 skill 10003".
  template <class Kind>
  std::string Course(int32_t index) {
    Traced<Kind> enemy;
    Bind(enemy);
    enemy.m_chosenIndex = index;
    enemy.m_useSpecial = true;
    enemy.SetAction(kActSpecialSkill);
    std::string out;
    for (int t = 0; t < 200; ++t) {
      enemy.notes.clear();
      enemy.OnProcess();
      for (const std::string& note : enemy.notes) {
        out += (out.empty() ? "" : " ") + (note.rfind("set ", 0) == 0 ? note.substr(4) : note);
        if (note == "set 10003" || note == "set 10000") return out;
      }
    }
    return out + " ...";
  }
};

}  // namespace

// Every kind for the special its table routes and for any other.
TEST_F(SingleSpecialKindsTest, EachKindRoutesTheChosenSpecialToItsStrikeAndEndCode) {
  const std::string walk = "10073 10065 start 1011/30 skill skill 10003";
  const std::string here = "10066 start 1011/30 skill skill ";
  struct Route {
    const char* what;
    std::string course;
    std::string expected;
  };
  const Route routes[] = {
      {"simurgh 74", Course<CBattleSimurgh>(74), here + "10003"},
      {"simurgh other", Course<CBattleSimurgh>(5), walk},
      {"garuda", Course<CBattleGaruda>(60), walk},
      {"garuda, no skill record to walk up to", Course<CBattleGaruda>(74), "10073 10000"},
      // Its strikes are on the normal sheet: one blow each.
      {"iron scorpion 41", Course<CBattleIronScorpion>(41), "10066 start 1011/30 skill 10000"},
      {"iron scorpion other", Course<CBattleIronScorpion>(60), "10073 10065 start 1011/30 skill 10003"},
      {"master of desert", Course<CBattleMasterofDesert>(1), "10073 10065 start 1011/30 skill 10003"},
      {"saramanda 74", Course<CBattleSaramanda>(74), here + "10000"},
      {"saramanda other", Course<CBattleSaramanda>(1), "10073 10065 start 1011/30 skill 10003"},
      {"skel brood", Course<CBattleSkelBrood>(5), "10073 10065 start 1011/30 skill 10003"},
      {"kelberos master 89", Course<CBattleKelberosMaster>(89), "10066 start 1011/30 skill 10000"},
      {"kelberos master other", Course<CBattleKelberosMaster>(60), walk},
      {"madrake 81", Course<CBattleMadrake>(81), here + "10000"},
      {"madrake other", Course<CBattleMadrake>(7), walk},
      {"gigantes", Course<CBattleGigantes>(8), "10073 10065 start 1011/30 skill 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.course, r.expected) << r.what;
}

// Her second strike flourishes but leaves no after-image, and she stays.
TEST_F(SingleSpecialKindsTest, SaramandasStrikeInPlaceFlourishesWithoutAfterImageAndStays) {
  EXPECT_EQ(Order<CBattleSaramanda>(74, false, 33),
            "1:set 10066,special sheet 2:start 1011/30,magic 17:magic 33:set 10000,normal sheet");
}

// The gigantes walks up at 1.5 through the same approach as every kind.
TEST_F(SingleSpecialKindsTest, GigantesApproachesAtOneAndAHalfThroughTheSharedApproach) {
  Traced<CBattleGigantes> gigantes;
  Bind(gigantes);
  gigantes.m_chosenIndex = 5;
  gigantes.m_useSpecial = true;
  gigantes.SetAction(kActSpecialSkill);
  float walking = 0.0f;
  // 22 units at 1.5 a tick.
  EXPECT_EQ(Run(gigantes, 45,
                [&](int t) {
                  if (t == 5) walking = std::hypot(gigantes.m_velocity.x, gigantes.m_velocity.z);
                }),
            "1:set 10073 2:trail 30 17:set 10065,trail 0 18:start 1011/30,trail 20 25:skill 41:set 10003,trail 0");
  EXPECT_FLOAT_EQ(walking, session.ScaleByBonus(1.5f, 0, false));
}

// Special 74: no walk, the blow weighed on each hit frame, the walk back; a
// hit mid-strike puts the normal sheet back in the same tick.
TEST_F(SingleSpecialKindsTest, TheSimurghStrikesWhereItStandsOnEachHitFrameAndAHitRestoresTheNormalSheet) {
  Traced<CBattleSimurgh> simurgh;
  Bind(simurgh);
  simurgh.m_pos = Vec3{0.0f, 0.0f, 0.0f};
  EXPECT_EQ(Order(simurgh, 74, true, 33),
            "1:set 10066,special sheet 2:start 1011/30,skill,trail 20 17:skill 33:set 10003,trail 0,normal sheet");
  EXPECT_EQ(simurgh.m_pos.x, 0.0f);
  EXPECT_EQ(simurgh.m_pos.z, 0.0f);

  simurgh.SetAction(kActSpecialSkill);
  Run(simurgh, 5);
  HitMidStrike(simurgh, m_target, kActSpecialHit2);
}
