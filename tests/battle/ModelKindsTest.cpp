// The model kinds on a small model of nine actions: made by name, the
// model action each code binds with its draws, the specials chosen by
// name, approaches, strikes, chains, the lunge and the cast, and every
// kind soaked in random orders and hits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "battle/enemy/ModelBeastKinds.h"
#include "battle/enemy/ModelKnightKinds.h"
#include "battle/enemy/ModelNamedKinds.h"
#include "battle/enemy/ModelPlainKinds.h"
#include "engine/RmaRes.h"
#include "session/MagicMgr.h"
#include "tests/battle/EnemyKindsFixture.h"
#include "tools/lib/ModelSource.h"

using namespace enemytest;

namespace {

namespace modelkindstest {
// Actions 0-8 of four frames each, an event on the second; action 3 spans
// frames 0-20 for the lunge and action 5 frames 100-105 for the three blows.
constexpr const char* kModel = R"(kind rsx
frames 110
texture cube.bmp 200 200 200 150 150 150
node body
box -2 -2 -2 2 2 2
action 0 0 3 1
action 1 4 7 5
action 2 32 35 33
action 3 0 20 18
action 4 36 39 37
action 5 100 105 101 102 103 104
action 6 40 43 41
action 7 44 47 45
action 8 48 51 49
)";

// Skills by index: the names the kinds know, and two near misses.
const char* const kSkills[] = {"망자의_노래", "사신의_미소", "드릴_레이저", "성스러운_빛", "3연타",
                               "숄더_챠지",  "레이지_마인드", "아무것도"};
}  // namespace modelkindstest
constexpr int kSongOfTheDead = 0, kReapersSmile = 1, kDrillLaser = 2, kHolyLight = 3, kThreeBlows = 4,
              kShoulderCharge = 5, kRageMind = 6, kNothing = 7, kLonger = 8, kShorter = 9, kNoRecord = 500;

class ModelKindsTest : public EnemyKindsTest {
 protected:
  ModelKindsTest() {
    std::vector<slvtools::DataFile> files;
    std::string error;
    EXPECT_TRUE(slvtools::BuildModelSource(modelkindstest::kModel, "kinds.rsx", &files, &error)) << error;
    for (slvtools::DataFile& file : files) {
      std::replace(file.name.begin(), file.name.end(), '\\', '/');
      Write("data/" + file.name, file.bytes);
    }
    const std::string song = modelkindstest::kSkills[kSongOfTheDead];
    std::string skills;
    for (const std::string& name : std::vector<std::string>(std::begin(modelkindstest::kSkills), std::end(modelkindstest::kSkills))) {
      skills += "#skill < " + name + " > < >\n#end\n";
    }
    skills += "#skill < " + song + "_ > < >\n#end\n";
    skills += "#skill < " + song.substr(0, song.size() - 1) + " > < >\n#end\n";
    Write("data/diary/skill.txt", skills);
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    Write("data/diary/magic.txt", "#magic < 화이어_샤워 > < >\n#end\n#magic < 얼음 > < >\n#end\n");
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  }
  ~ModelKindsTest() override { CMagicMgr::GetInstance().Free(); }

  // The fixture's binding, with the model text: the sheet it also names
  // goes unused.
  template <class T>
  T& Bind3d(T& enemy) {
    enemy.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("kinds.rma");
    return Bind(enemy);
  }
  template <class Kind>
  std::string Ordered(Traced<Kind>& enemy, int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    enemy.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("kinds.rma");
    return Order(enemy, index, skill, ticks, code);
  }
  template <class Kind>
  std::string Ordered(int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    Traced<Kind> enemy;
    return Ordered(enemy, index, skill, ticks, code);
  }
};

namespace modelkindstest {
struct KindCase {
  const char* name;
  const std::type_info& type;
  int32_t fadeStep;
};
const KindCase kKinds[] = {
    {"늑대인간", typeid(CBattleWolfMan3d), 3},   {"스핑크스", typeid(CBattleSphinx3d), 2},
    {"황충", typeid(CBattleHwangChung3d), 3},    {"가고일", typeid(CBattleGagoile3d), 1},
    {"고렘", typeid(CBattleGorem3d), 2},         {"러커", typeid(CBattleLurker3d), 2},
    {"괴물거북", typeid(CBattleTuttle3d), 2},    {"지네", typeid(CBattleCentipede3d), 2},
    {"티아마스", typeid(CBattleTiamath3d), 2},   {"가디안", typeid(CBattleGardian3d), 2},
    {"메시아", typeid(CBattleMessiah3d), 2},     {"비요른3", typeid(CBattleBiyolen33d), 3},
    {"비요른1", typeid(CBattleBiyolen13d), 3},   {"비요른2", typeid(CBattleBiyolen23d), 3},
    {"산양", typeid(CBattleGoat3d), 3},          {"비홀더", typeid(CBattleBeholder3d), 1},
    {"저주받은_상자", typeid(CBattleTreasureBox3d), 2}, {"미믹", typeid(CBattleTreasureBox2_3d), 3},
    {"제노사", typeid(CBattleCrazyKnifeMonster3d), 3}, {"유령검", typeid(CBattleGhostKnife3d), 2},
    {"사도_창", typeid(CBattleSpearEvil3d), 1},     {"사도_칼", typeid(CBattleKnifeEvil3d), 1},
    {"유령기사_칼", typeid(CBattleGhostKnifeKnight3d), 1}, {"유령기사_창", typeid(CBattleGhostSpearKnight3d), 1},
    {"아르테미스", typeid(CBattleHammer), 3},       {"와일드버팔로", typeid(CBattleRhinoceros), 3},
    {"발러스", typeid(CBattleSeaHorse), 3},         {"미디안", typeid(CBattleWaterElf), 3},
    {"라케시스", typeid(CBattleLakesis), 3},
};

CBattleGroundEnemy3d* Make(const char* name) { return dynamic_cast<CBattleGroundEnemy3d*>(CreateActorByName(name)); }
}  // namespace modelkindstest

}  // namespace

TEST_F(ModelKindsTest, EveryKindIsMadeByItsNameWithItsFadeStep) {
  for (const modelkindstest::KindCase& k : modelkindstest::kKinds) {
    SCOPED_TRACE(k.name);
    CActor* made = CreateActorByName(k.name);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(typeid(*made) == k.type);
    EXPECT_TRUE(made->IsKindOf(k.type));
    auto* enemy = dynamic_cast<CBattleGroundEnemy3d*>(made);
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(enemy->m_fadeStep, k.fadeStep);
    EXPECT_FLOAT_EQ(enemy->m_speed, k.type == typeid(CBattleLurker3d) ? 2.0f : 0.0f);
    delete made;
  }
}

// The model action each code binds, on a fixed sequence of draws: the pick
// first, then the return point (z, then x), then the hit lock.
TEST_F(ModelKindsTest, SetActionBindsTheRowAndDrawsInOrder) {
  struct Case {
    const char* kind;
    int32_t code;
    int d0, d1;  // the draws queued
    int32_t action, delay, mode;
    int32_t hitLock;  // -1: untouched
    float returnDx, returnDz;
    bool ownReturn = false;
  };
  const Case cases[] = {
      {"스핑크스", kActIdle, 0, 0, 0, 2, 2, -1, 0, 0},
      {"스핑크스", kActAttack, 1, 14, 3, 2, 0, 19, 0, 0},
      {"스핑크스", kActAttack, 0, 0, 2, 2, 0, 5, 0, 0},
      {"스핑크스", kActSpecialHit, 1, 0, 3, 2, 0, -1, 0, 0},
      {"고렘", kActAttack, 2, 3, 4, 2, 0, 8, 0, 0},
      {"고렘", kActAttack, 3, 3, 5, 3, 0, 8, 0, 0},
      {"메시아", kActSpecialHit, 3, 0, 5, 2, 0, -1, 0, 0},
      {"비요른1", kActApproach, 3, 17, 1, 2, 2, -1, 7, -7},
      {"비요른1", kActApproach, 19, 0, 1, 2, 2, -1, -10, 9},
      {"비요른2", kActSpecialHit, 1, 0, 3, 2, 0, -1, 0, 0},
      {"괴물거북", kActApproach, 0, 0, 1, 2, 2, -1, 0, 0, true},
      {"지네", kActIdle, 0, 0, 0, 3, 3, -1, 0, 0},
      {"비홀더", kActIdle, 0, 0, 0, 5, 2, -1, 0, 0},
      {"가디안", kActFadeIn, 0, 0, 1, 2, 0, -1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.code));
    CBattleGroundEnemy3d* enemy = modelkindstest::Make(c.kind);
    ASSERT_NE(enemy, nullptr);
    Bind3d(*enemy);
    enemy->m_pos = Vec3{100.0f, 3.0f, 200.0f};
    enemy->m_returnPoint = Vec3{1.0f, 1.0f, 1.0f};
    enemy->m_hitGuardTicks = -1;
    enemy->m_drawShadow = 1;
    platform::QueueRand({c.d0, c.d1});
    enemy->SetAction(c.code);
    EXPECT_EQ(enemy->m_action, c.action);
    EXPECT_EQ(enemy->m_frameDuration, c.delay);
    EXPECT_EQ(enemy->m_playMode, c.mode);
    EXPECT_EQ(enemy->m_hitGuardTicks, c.hitLock);
    EXPECT_EQ(enemy->m_drawShadow, 0);
    EXPECT_EQ(enemy->m_actionCode, c.code);
    if (c.ownReturn) {
      EXPECT_EQ(enemy->m_returnPoint.y, 3.0f);
      EXPECT_EQ(enemy->m_returnPoint.x, 100.0f);
    } else if (c.code == kActApproach) {
      EXPECT_EQ(enemy->m_returnPoint.x, 100.0f + c.returnDx);
      EXPECT_EQ(enemy->m_returnPoint.y, 0.0f);
      EXPECT_EQ(enemy->m_returnPoint.z, 200.0f + c.returnDz);
    }
    platform::ClearQueuedRand();
    delete enemy;
  }
}

TEST_F(ModelKindsTest, HitsAreAbsorbedByTheRowsAndTheGargoyleDiesTwice) {
  struct Case {
    const char* kind;
    int32_t code;
    float gauge, knockBack;
    bool reacts;
  };
  const Case cases[] = {
      {"스핑크스", kActDamageLight, 65.0f, 1.0f, true}, {"스핑크스", kActDamage, 65.0f, 1.0f, true},
      {"늑대인간", kActDamageLight, 60.0f, 3.0f, true}, {"늑대인간", kActDamage, 50.0f, 30.0f, false},
      {"러커", kActDamage, 60.0f, 15.0f, true},       {"비홀더", kActDamage, 60.0f, 6.0f, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.code));
    CBattleGroundEnemy3d* enemy = modelkindstest::Make(c.kind);
    Bind3d(*enemy);
    enemy->SetModelAction(7, 1, 2);
    enemy->m_tickCount = 33;
    enemy->m_timeGauge = 50.0f;
    enemy->m_knockBack = 30.0f;
    enemy->m_resumeAction = kActWalkBack;
    platform::QueueRand({0, 0});
    enemy->SetAction(c.code);
    EXPECT_FLOAT_EQ(enemy->m_timeGauge, c.gauge);
    EXPECT_FLOAT_EQ(enemy->m_knockBack, c.knockBack);
    EXPECT_EQ(enemy->m_resumeAction, c.reacts ? kActIdle : kActWalkBack);
    if (c.reacts) {
      EXPECT_EQ(enemy->m_resumeTick, 33);
    }
    EXPECT_EQ(enemy->m_action == 7, !c.reacts);  // no row: the model plays on
    platform::ClearQueuedRand();
    delete enemy;
  }
  // A hard hit on the idle wolf-man: its idle model action loops on, and
  // the reaction still ends after the base's 35 ticks.
  CBattleGroundEnemy3d* wolf = modelkindstest::Make("늑대인간");
  Bind3d(*wolf);
  wolf->SetAction(kActDamage);
  int idleAt = 0;
  for (int t = 1; t <= 60 && idleAt == 0; ++t) {
    wolf->OnProcess();
    if (wolf->m_actionCode == kActIdle) idleAt = t;
  }
  EXPECT_EQ(idleAt, 36);
  delete wolf;
  for (const auto& [kind, entries] : {std::pair{"가고일", 2}, std::pair{"비홀더", 1}}) {
    CBattleGroundEnemy3d* enemy = modelkindstest::Make(kind);
    Bind3d(*enemy);
    enemy->SetAction(kActDying);
    EXPECT_EQ(enemy->m_deathCount, entries) << kind;
    delete enemy;
  }
}

// The special's name against the kind's list: the first equal in full
// decides, after the close-up; anything else goes idle, and orders a kind
// has no list for go idle at once.
TEST_F(ModelKindsTest, TheChosenNameDecidesTheSpecial) {
  struct Case {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Case cases[] = {
      {"sphinx, first name", Ordered<CBattleSphinx3d>(kSongOfTheDead, true, 1), "1:start 1011/30,set 10065"},
      {"sphinx, second name", Ordered<CBattleSphinx3d>(kReapersSmile, true, 1), "1:start 1011/30,set 10065"},
      {"a byte longer", Ordered<CBattleSphinx3d>(kLonger, true, 1), "1:start 1011/30,set 10000"},
      {"a byte shorter", Ordered<CBattleSphinx3d>(kShorter, true, 1), "1:start 1011/30,set 10000"},
      {"no record", Ordered<CBattleSphinx3d>(kNoRecord, true, 1), "1:start 1011/30,set 10000"},
      {"goat, unknown name", Ordered<CBattleGoat3d>(kNothing, true, 1), "1:start 1011/30,set 10000"},
      {"goat, its name", Ordered<CBattleGoat3d>(kRageMind, true, 1), "1:start 1011/30,set 10065"},
      {"messiah, second of four", Ordered<CBattleMessiah3d>(kHolyLight, true, 1), "1:start 1011/30,set 10066"},
      {"centipede, a fourth name", Ordered<CBattleCentipede3d>(kHolyLight, true, 1), "1:start 1011/30,set 10065"},
      {"wolf-man, in its order", Ordered<CBattleWolfMan3d>(kThreeBlows, true, 1), "1:start 1011/30,set 10074"},
      {"hwang chung, in its order", Ordered<CBattleHwangChung3d>(kThreeBlows, true, 1), "1:start 1011/30,set 10073"},
      {"magic by name, no close-up", Ordered<CBattleCentipede3d>(0, false, 1, kActCastMagic), "1:set 10065"},
      {"magic, other name", Ordered<CBattleCentipede3d>(1, false, 1, kActCastMagic), "1:set 10000"},
      {"magic, no list", Ordered<CBattleSphinx3d>(0, false, 1, kActCastMagic), "1:set 10000"},
      {"golem, no list", Ordered<CBattleGorem3d>(kSongOfTheDead, true, 1), "1:set 10000"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.trace, c.expected) << c.what;
  // The special's hit lock comes with the close-up.
  Traced<CBattleSphinx3d> sphinx;
  Ordered(sphinx, kSongOfTheDead, true, 1);
  EXPECT_EQ(sphinx.m_hitGuardTicks, 80);
}

// Tiamat answers seven draws in ten with a plain approach, no close-up;
// its drill laser goes on with the model action the special started.
TEST_F(ModelKindsTest, TiamatApproachesOnSevenDrawsInTenAndDrillsOnTheSpecialsModelAction) {
  for (int draw = 0; draw < 10; ++draw) {
    Traced<CBattleTiamath3d> tiamat;
    Bind3d(tiamat);
    tiamat.m_chosenIndex = kDrillLaser;
    tiamat.SetAction(kActSpecialSkill);
    platform::QueueRand({draw, 0, 0});
    EXPECT_EQ(Run(tiamat, 1), draw >= 3 ? "1:set 10001" : "1:start 1011/30,set 10065") << draw;
    if (draw < 3) {
      EXPECT_EQ(tiamat.m_action, 1);
    }
    platform::ClearQueuedRand();
  }
}

// From 1000 units the approach walks on at 1.25 and gives up on tick 601;
// blocked, on the tick the count reaches 56, even with the strike set.
TEST_F(ModelKindsTest, TheSpecialApproachGivesUpAfterSixHundredTicksOrFiftySixBlocked) {
  Traced<CBattleWolfMan3d> wolf;
  Bind3d(wolf);
  m_target.m_pos = Vec3{1000.0f, 0.0f, 0.0f};
  wolf.m_timeGauge = 0.0f;
  wolf.m_gaugeRunning = 0;
  wolf.SetAction(kActSpecialApproach);
  int idleAt = 0;
  for (int t = 1; t <= 700 && idleAt == 0; ++t) {
    wolf.m_pos = Vec3{};
    wolf.OnProcess();
    if (wolf.m_actionCode == kActIdle) idleAt = t;
    if (t == 10) {
      EXPECT_FLOAT_EQ(std::hypot(wolf.m_velocity.x, wolf.m_velocity.z), session.ScaleByBonus(1.25f, 0, false));
    }
  }
  EXPECT_EQ(idleAt, 601);
  EXPECT_FLOAT_EQ(wolf.m_timeGauge, 50.0f);

  // Near enough for 0.5 of the reach but not 0.4: the charge's approach strikes.
  const float reach = session.GetAttackReach(0, false);
  for (const auto& [code, next] : {std::pair{kActSpecialApproach, "set 10065"}, std::pair{kActSpecialApproach2, ""}}) {
    Traced<CBattleWolfMan3d> near;
    Bind3d(near);
    m_target.m_pos = Vec3{0.45f * reach, 0.0f, 0.0f};
    near.SetAction(code);
    near.notes.clear();
    near.UpdateAction(code);
    EXPECT_EQ(near.notes.empty() ? "" : near.notes.front(), std::string(next)) << code;
    near.SetAction(code);
    near.m_bumpTicks = 56;
    near.notes.clear();
    near.UpdateAction(code);
    EXPECT_EQ(near.notes.back(), "set 10000") << code;
  }
}

// The three blows pass 1 up to model frame 102 and 2 after it.
TEST_F(ModelKindsTest, TheWolfMansThreeBlowsKnockHardOnlyAfterFrame102) {
  Traced<CBattleWolfMan3d> wolf;
  Bind3d(wolf);
  wolf.m_useSpecial = true;
  wolf.SetAction(kActSpecialHit2);
  std::string kinds;
  for (int t = 0; t < 40 && wolf.m_actionCode == kActSpecialHit2; ++t) {
    wolf.notes.clear();
    wolf.OnProcess();
    if (std::count(wolf.notes.begin(), wolf.notes.end(), "skill") != 0) {
      kinds += std::to_string(wolf.m_modelFrame) + ":" + std::to_string(wolf.m_hitKind) + " ";
    }
  }
  EXPECT_EQ(kinds, "101:1 102:1 103:2 104:2 ");
  EXPECT_EQ(wolf.m_actionCode, kActIdle);

  // The charge runs along its heading and never turns to the target.
  Traced<CBattleWolfMan3d> charging;
  Bind3d(charging);
  m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
  charging.m_angle = 90.0f;
  charging.m_useSpecial = false;
  charging.SetAction(kActSpecialHit);
  std::string course;
  for (int t = 1; t <= 30 && charging.m_actionCode == kActSpecialHit; ++t) {
    EXPECT_FLOAT_EQ(charging.m_angle, 90.0f);
    course = Run(charging, 1).empty() ? course : course + std::to_string(t) + " ";
  }
  EXPECT_EQ(course, "3 12 ");  // the blow on the event frame, then idle
  EXPECT_EQ(charging.m_actionCode, kActIdle);
}

TEST_F(ModelKindsTest, HwangChungChainsThreeBlowsAndLungesOnce) {
  Traced<CBattleHwangChung3d> chain;
  Bind3d(chain);
  chain.m_useSpecial = true;
  chain.SetAction(kActSpecialHit);
  std::string course;
  for (int t = 0; t < 40 && chain.m_actionCode != kActIdle; ++t) {
    chain.notes.clear();
    chain.OnProcess();
    for (const std::string& n : chain.notes) course += n + (n == "skill" ? "/" + std::to_string(chain.m_hitKind) : "") + " ";
  }
  EXPECT_EQ(course, "skill/1 set 10068 skill/1 set 10069 skill/2 set 10000 ");
  chain.m_target = nullptr;
  chain.SetAction(kActSpecialHit4);
  chain.UpdateAction(kActSpecialHit4);
  EXPECT_EQ(chain.m_actionCode, kActIdle);

  // No speed before frame 9, then 4.5 while farther than 20; one blow, when
  // near enough and late enough; from afar frame 15 comes first, and
  // without a target the blow lands on no one.
  struct Lunge {
    float distance;
    bool target;
    const char* log;
  };
  const Lunge lunges[] = {
      {5.0f, true, "8:0 9:0 10:skill 15:set 10000 "},
      {30.0f, true, "8:0 9:+ 15:set 10000 "},
      {50.0f, true, "8:0 9:+ 15:set 10000 "},
      {5.0f, false, "8:0 9:0 15:set 10000 "},
  };
  for (const Lunge& c : lunges) {
    SCOPED_TRACE(c.log);
    Traced<CBattleHwangChung3d> lunge;
    Bind3d(lunge);
    m_target.m_pos = Vec3{c.distance, 0.0f, 0.0f};
    if (!c.target) lunge.m_target = nullptr;
    lunge.m_useSpecial = true;
    lunge.SetAction(kActSpecialApproach2);
    EXPECT_TRUE(lunge.m_specialFlag);
    std::string log;
    for (int t = 1; t <= 30 && lunge.m_actionCode != kActIdle; ++t) {
      lunge.notes.clear();
      lunge.OnProcess();
      const float speed = std::hypot(lunge.m_velocity.x, lunge.m_velocity.z);
      if (lunge.m_modelFrame == 8 || lunge.m_modelFrame == 9) {
        log += std::to_string(lunge.m_modelFrame) + (speed > 0.0f ? ":+ " : ":0 ");
      }
      for (const std::string& n : lunge.notes) log += std::to_string(t) + ":" + n + " ";
    }
    EXPECT_EQ(log, c.log);
  }
}

// Whatever the order chose, the lurker casts magic 22, as a magic, at
// where its target stands.
TEST_F(ModelKindsTest, TheLurkerCastsMagic22AtItsTargetWithTheSkillFlagSet) {
  Traced<CBattleLurker3d> lurker;
  m_target.m_pos = Vec3{12.0f, 0.0f, -7.0f};
  EXPECT_EQ(Ordered(lurker, kSongOfTheDead, true, 10), "1:start 1011/30 2:magic 8:set 10000");
  EXPECT_EQ(lurker.m_chosenIndex, 22);
  EXPECT_FLOAT_EQ(lurker.m_targetX, 12.0f);
  EXPECT_FLOAT_EQ(lurker.m_targetZ, -7.0f);
}

// The messiah follows each weapon attack with skill 54.
TEST_F(ModelKindsTest, TheMessiahFollowsItsWeaponAttackWithSkill54) {
  Traced<CBattleMessiah3d> messiah;
  Bind3d(messiah);
  messiah.m_useSpecial = false;
  platform::QueueRand({0, 0, 2});
  messiah.SetAction(kActAttack);
  EXPECT_EQ(Chain(Run(messiah, 20)), "weapon 10065 skill 10000");
  EXPECT_EQ(messiah.m_chosenIndex, 54);
  EXPECT_TRUE(messiah.m_useSpecial);
}

TEST_F(ModelKindsTest, AnEntranceEndsForTheKindsThatSaySo) {
  for (const auto& [kind, ends] : {std::pair{"가디안", true}, std::pair{"고렘", true}, std::pair{"스핑크스", false}}) {
    CBattleGroundEnemy3d* enemy = modelkindstest::Make(kind);
    Bind3d(*enemy);
    enemy->SetAction(kActFadeIn);
    for (int t = 0; t < 40; ++t) enemy->OnProcess();
    EXPECT_EQ(enemy->m_actionCode == kActIdle, ends) << kind;
    delete enemy;
  }
}

// Every kind, given seeded orders and hits and losing its target now and
// then, keeps its model action inside the model and never leaves an order
// it cannot carry out standing.
TEST_F(ModelKindsTest, EveryKindSurvivesSeededOrdersHitsAndLostTargets) {
  std::mt19937 draw(87);
  const int orders[] = {kActSpecialSkill, kActCastMagic, kActApproach, kActAttack, kActIdle};
  const int hits[] = {kMsgHit, kMsgMagicHit, kMsgHitWithNumber};
  platform::Srand(87);
  for (const modelkindstest::KindCase& k : modelkindstest::kKinds) {
    SCOPED_TRACE(k.name);
    CBattleGroundEnemy3d* enemy = modelkindstest::Make(k.name);
    Bind3d(*enemy);
    session.enemies[0].hp = session.enemies[0].maxhp = 100000;
    const bool castsItsOwn = k.type == typeid(CBattleLurker3d);
    // These kinds leave an order they have no handler for to the base, and stay in it.
    static constexpr std::string_view kStaying[] = {"가디안",   "메시아", "비요른3",      "비요른1", "비요른2", "산양",
                                                    "비홀더",   "아르테미스", "와일드버팔로", "발러스", "미디안", "라케시스"};
    const bool staysInOrders = std::find(std::begin(kStaying), std::end(kStaying), std::string_view(k.name)) != std::end(kStaying);
    int standing = 0;
    for (int t = 0; t < 3000; ++t) {
      const uint32_t roll = draw() % 100;
      if (roll < 3 && enemy->m_actionCode == kActIdle) {
        enemy->m_chosenIndex = static_cast<int32_t>(draw() % 12);
        enemy->m_useSpecial = draw() % 2 == 0;
        enemy->SetAction(orders[draw() % std::size(orders)]);
      } else if (roll < 5) {
        const int32_t damage = 1;
        enemy->OnMessage(&m_target, hits[draw() % std::size(hits)], damage, static_cast<intptr_t>(draw() % 3), 0);
      } else if (roll < 6) {
        enemy->m_target = enemy->m_target == nullptr ? &m_target : nullptr;
      }
      m_target.m_pos = Vec3{static_cast<float>(draw() % 80), 0.0f, 0.0f};
      ASSERT_TRUE(enemy->OnProcess());
      const bool order = enemy->m_actionCode == kActCastMagic || (enemy->m_actionCode == kActSpecialSkill && !castsItsOwn);
      standing = order && !staysInOrders ? standing + 1 : 0;
      ASSERT_LT(standing, 30) << t;  // only a hit's stop holds an order
      if (enemy->m_actionCode == kActDamageLight || enemy->m_actionCode == kActDamage) {
        ASSERT_LE(enemy->m_tickCount, 70) << t;  // the longest reaction of the model: action 3 at delay 3, 63
      }
      ASSERT_LE(enemy->m_modelFrame, 110);
    }
    delete enemy;
  }
}
