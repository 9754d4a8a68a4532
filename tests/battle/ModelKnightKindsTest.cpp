// The boxes, blades, knights and the kinds without specials on a small
// model whose strikes span the frames their hard blows are named on: made
// by name, the rows they bind, the names they answer, the frame of the hard
// blow, the apostles' lunge and silent lock, the knight's leap, and the
// walk back on the attack's last frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <typeinfo>
#include <vector>

#include "battle/enemy/ModelKnightKinds.h"
#include "battle/enemy/ModelPlainKinds.h"
#include "engine/RmaRes.h"
#include "session/MagicMgr.h"
#include "tests/battle/EnemyKindsFixture.h"
#include "tools/lib/ModelSource.h"

using namespace enemytest;

namespace {

namespace modelknightkindstest {
// Action 2 spans frames 86-108, action 3 frames 94-121, action 6 frames
// 126-130, each with events around the frames the kinds strike hard on;
// action 5 is the lunge's 31 frames.
constexpr const char* kModel = R"(kind rsx
frames 131
texture cube.bmp 200 200 200 150 150 150
node body
box -2 -2 -2 2 2 2
action 0 0 3 1
action 1 4 7 5
action 2 86 108 88 89 90 96 97 98 105 106 107
action 3 94 121 95 96 97 118 119 120
action 4 36 39 37
action 5 0 30 20
action 6 126 130 127 128 129
action 7 44 47 45
action 8 48 51 49
action 9 52 55 53
)";
}  // namespace modelknightkindstest

const char* const kSkills[] = {"사신의_미소", "매우_불결한_입김", "사신의_인도", "헬_인비테이션", "칼춤",
                               "불꽃_베기",   "불꽃_찌르기",     "아침이슬",   "프리징_아이",   "소울_슬래쉬",
                               "작살_찌르기", "깊게_찌르기",     "성스러운_빛", "매베기",       "일렉트릭_레이저",
                               "바람_몰아치기", "아무것도"};
const char* const kMagics[] = {"화이어_샤워", "메테오_스트라이크", "피닉스", "노바_스톰", "라바_에마네이션", "얼음"};

int Skill(const std::string& name) {
  return static_cast<int>(std::find(std::begin(kSkills), std::end(kSkills), name) - std::begin(kSkills));
}
int Magic(const std::string& name) {
  return static_cast<int>(std::find(std::begin(kMagics), std::end(kMagics), name) - std::begin(kMagics));
}

class ModelKnightKindsTest : public EnemyKindsTest {
 protected:
  ModelKnightKindsTest() {
    std::vector<slvtools::DataFile> files;
    std::string error;
    EXPECT_TRUE(slvtools::BuildModelSource(modelknightkindstest::kModel, "knights.rsx", &files, &error)) << error;
    for (slvtools::DataFile& file : files) {
      std::replace(file.name.begin(), file.name.end(), '\\', '/');
      Write("data/" + file.name, file.bytes);
    }
    std::string skills, magics;
    for (const char* name : kSkills) skills += std::string("#skill < ") + name + " > < >\n#end\n";
    for (const char* name : kMagics) magics += std::string("#magic < ") + name + " > < >\n#end\n";
    Write("data/diary/skill.txt", skills);
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    Write("data/diary/magic.txt", magics);
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  }
  ~ModelKnightKindsTest() override { CMagicMgr::GetInstance().Free(); }

  template <class T>
  T& Bind3d(T& enemy) {
    enemy.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("knights.rma");
    return Bind(enemy);
  }
  // Each resolution of a strike as "model frame:hitKind ", to its end.
  template <class Kind>
  std::string HardBlows(int32_t code) {
    HitKindNoted<Kind> enemy;
    Bind3d(enemy);
    enemy.m_useSpecial = true;
    enemy.SetAction(code);
    std::string kinds;
    for (int t = 0; t < 200 && enemy.m_actionCode == code; ++t) {
      enemy.notes.clear();
      enemy.OnProcess();
      for (const std::string& n : enemy.notes) {
        if (n.rfind("kind ", 0) == 0) kinds += std::to_string(enemy.m_modelFrame) + ":" + n.substr(5) + " ";
      }
    }
    EXPECT_EQ(enemy.m_actionCode, kActIdle);
    return kinds;
  }
  template <class Kind>
  std::string Ordered(int32_t index, bool skill, int ticks, int32_t code = kActSpecialSkill) {
    Traced<Kind> enemy;
    enemy.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("knights.rma");
    return Order(enemy, index, skill, ticks, code);
  }
};

CBattleGroundEnemy3d* Make(const char* name) { return dynamic_cast<CBattleGroundEnemy3d*>(CreateActorByName(name)); }

}  // namespace

TEST_F(ModelKnightKindsTest, EveryKindIsMadeByItsNameWithItsDrawingAndFade) {
  struct Case {
    const char* name;
    const std::type_info& type;
    int32_t fadeStep, drawMode, altAlpha;
  };
  const Case cases[] = {
      {"저주받은_상자", typeid(CBattleTreasureBox3d), 2, 0, 255},
      {"미믹", typeid(CBattleTreasureBox2_3d), 3, 0, 255},
      {"제노사", typeid(CBattleCrazyKnifeMonster3d), 3, 0, 255},
      {"유령검", typeid(CBattleGhostKnife3d), 2, 0, 255},
      {"사도_창", typeid(CBattleSpearEvil3d), 1, 2, 64},
      {"사도_칼", typeid(CBattleKnifeEvil3d), 1, 1, 64},
      {"유령기사_칼", typeid(CBattleGhostKnifeKnight3d), 1, 0, 255},
      {"유령기사_창", typeid(CBattleGhostSpearKnight3d), 1, 0, 255},
      {"아르테미스", typeid(CBattleHammer), 3, 0, 255},
      {"와일드버팔로", typeid(CBattleRhinoceros), 3, 0, 255},
      {"발러스", typeid(CBattleSeaHorse), 3, 0, 255},
      {"미디안", typeid(CBattleWaterElf), 3, 0, 255},
      {"라케시스", typeid(CBattleLakesis), 3, 0, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CActor* made = CreateActorByName(c.name);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(typeid(*made) == c.type);
    EXPECT_TRUE(made->IsKindOf(c.type));
    auto* enemy = dynamic_cast<CBattleGroundEnemy3d*>(made);
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(enemy->m_fadeStep, c.fadeStep);
    EXPECT_EQ(enemy->m_drawMode, c.drawMode);
    EXPECT_EQ(enemy->m_altAlpha, c.altAlpha);
    delete made;
  }
}

// The model action each code binds, with the draws a row makes: the
// knife knight's pick, the jittered return point, the attack's hit lock;
// the kinds without specials keep their return point, and none binds 10003.
TEST_F(ModelKnightKindsTest, SetActionBindsTheRows) {
  struct Case {
    const char* kind;
    int32_t code;
    int d0, d1, d2;  // the draws queued
    int32_t action, delay, mode;
    int32_t hitLock;       // -1: untouched
    float returnX = 1.0f;  // after 10001; 1: untouched
  };
  const Case cases[] = {
      {"저주받은_상자", kActDying, 0, 0, 0, 4, 5, 0, -1},
      {"미믹", kActSpecialHit, 0, 0, 0, 2, 2, 0, -1},
      {"미믹", kActApproach, 3, 17, 0, 1, 2, 2, -1, 107.0f},
      {"제노사", kActIdle, 0, 0, 0, 0, 3, 3, -1},
      {"제노사", kActFadeIn, 0, 0, 0, 0, 3, 3, -1},
      {"제노사", kActAttack, 4, 0, 0, 6, 5, 0, 9},
      {"제노사", kActSpecialApproach3, 0, 0, 0, 1, 2, 2, -1},
      {"유령검", kActDamage, 0, 0, 0, 3, 1, 0, -1},
      {"사도_창", kActWander, 0, 0, 0, 8, 1, 2, -1},
      {"사도_창", kActSpecialApproach, 0, 0, 0, 5, 1, 0, -1},
      {"사도_칼", kActWalkBack, 0, 0, 0, 3, 2, 2, -1},
      {"유령기사_칼", kActAttack, 1, 14, 0, 4, 3, 0, 19},
      {"유령기사_칼", kActAttack, 0, 0, 0, 3, 3, 0, 5},
      {"유령기사_창", kActAttack, 0, 0, 0, 2, 3, 0, 5},
      {"유령기사_창", kActSpecialHit3, 0, 0, 0, 4, 2, 0, -1},
      {"아르테미스", kActAttack, 2, 0, 0, 3, 1, 0, 7},
      {"와일드버팔로", kActApproach, 5, 5, 0, 1, 1, 2, -1},
      {"발러스", kActDying, 0, 0, 0, 1, 2, 0, -1},
      {"미디안", kActSpecialHit, 0, 0, 0, 3, 1, 0, -1},
      {"라케시스", kActWalkToPoint, 0, 0, 0, 1, 2, 0, -1},
      {"라케시스", kActDamageLight, 0, 0, 0, 3, 3, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.code));
    CBattleGroundEnemy3d* enemy = Make(c.kind);
    ASSERT_NE(enemy, nullptr);
    Bind3d(*enemy);
    enemy->SetModelAction(7, 1, 2);
    enemy->m_pos = Vec3{100.0f, 3.0f, 200.0f};
    enemy->m_returnPoint = Vec3{1.0f, 1.0f, 1.0f};
    enemy->m_hitGuardTicks = -1;
    platform::QueueRand({c.d0, c.d1, c.d2});
    enemy->SetAction(c.code);
    EXPECT_EQ(enemy->m_action, c.action);
    EXPECT_EQ(enemy->m_frameDuration, c.delay);
    EXPECT_EQ(enemy->m_playMode, c.mode);
    EXPECT_EQ(enemy->m_hitGuardTicks, c.hitLock);
    EXPECT_EQ(enemy->m_returnPoint.x, c.returnX);
    platform::ClearQueuedRand();
    delete enemy;
  }
  // No row for 10003: the model plays on.
  for (const char* kind : {"아르테미스", "와일드버팔로", "발러스", "미디안", "라케시스"}) {
    CBattleGroundEnemy3d* enemy = Make(kind);
    Bind3d(*enemy);
    enemy->SetModelAction(9, 4, 0);
    enemy->SetAction(kActWalkBack);
    EXPECT_EQ(enemy->m_action, 9) << kind;
    EXPECT_EQ(enemy->m_actionCode, kActWalkBack) << kind;
    delete enemy;
  }
}

// The chosen name against the kind's list, after the close-up of the
// special order; magic orders without one. Names of the other box, and
// orders a kind has no list for, go idle.
TEST_F(ModelKnightKindsTest, TheChosenNameDecidesTheCode) {
  struct Case {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const char* const start = "1:start 1011/30,set ";
  const Case cases[] = {
      {"cursed box, its own", Ordered<CBattleTreasureBox3d>(Skill("사신의_미소"), true, 1), "10065"},
      {"cursed box, the mimic's", Ordered<CBattleTreasureBox3d>(Skill("사신의_인도"), true, 1), "10000"},
      {"mimic, its own", Ordered<CBattleTreasureBox2_3d>(Skill("헬_인비테이션"), true, 1), "10065"},
      {"mimic, the cursed box's", Ordered<CBattleTreasureBox2_3d>(Skill("사신의_미소"), true, 1), "10000"},
      {"xenosa, third", Ordered<CBattleCrazyKnifeMonster3d>(Skill("불꽃_찌르기"), true, 1), "10075"},
      {"xenosa, morning dew", Ordered<CBattleCrazyKnifeMonster3d>(Skill("아침이슬"), true, 1), "10065"},
      {"ghost blade, at once", Ordered<CBattleGhostKnife3d>(Skill("프리징_아이"), true, 1), "10066"},
      {"ghost blade, second", Ordered<CBattleGhostKnife3d>(Skill("소울_슬래쉬"), true, 1), "10074"},
      {"spear apostle, lunge", Ordered<CBattleSpearEvil3d>(Skill("작살_찌르기"), true, 1), "10073"},
      {"knife apostle, approach", Ordered<CBattleKnifeEvil3d>(Skill("소울_슬래쉬"), true, 1), "10073"},
      {"knife knight, at once", Ordered<CBattleGhostKnifeKnight3d>(Skill("일렉트릭_레이저"), true, 1), "10066"},
      {"spear knight, at once", Ordered<CBattleGhostSpearKnight3d>(Skill("일렉트릭_레이저"), true, 1), "10067"},
      {"spear knight, wind", Ordered<CBattleGhostSpearKnight3d>(Skill("바람_몰아치기"), true, 1), "10074"},
      {"spear knight, thrust", Ordered<CBattleGhostSpearKnight3d>(Skill("깊게_찌르기"), true, 1), "10073"},
      {"spear knight, unknown", Ordered<CBattleGhostSpearKnight3d>(Skill("아무것도"), true, 1), "10000"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.trace, start + std::string(c.expected)) << c.what;
  const Case magics[] = {
      {"xenosa, fire shower", Ordered<CBattleCrazyKnifeMonster3d>(Magic("화이어_샤워"), false, 1, kActCastMagic),
       "1:set 10065"},
      {"xenosa, other", Ordered<CBattleCrazyKnifeMonster3d>(Magic("얼음"), false, 1, kActCastMagic), "1:set 10000"},
      {"spear apostle, phoenix", Ordered<CBattleSpearEvil3d>(Magic("피닉스"), false, 1, kActCastMagic), "1:set 10065"},
      {"knife apostle, lava", Ordered<CBattleKnifeEvil3d>(Magic("라바_에마네이션"), false, 1, kActCastMagic),
       "1:set 10065"},
      {"knife apostle, other", Ordered<CBattleKnifeEvil3d>(Magic("피닉스"), false, 1, kActCastMagic), "1:set 10000"},
      {"water elf, nova", Ordered<CBattleWaterElf>(Magic("노바_스톰"), false, 1, kActCastMagic), "1:set 10065"},
      {"water elf, other", Ordered<CBattleWaterElf>(Magic("화이어_샤워"), false, 1, kActCastMagic), "1:set 10000"},
      {"water elf, no record", Ordered<CBattleWaterElf>(500, false, 1, kActCastMagic), "1:set 10000"},
      {"ghost blade, no magic", Ordered<CBattleGhostKnife3d>(Magic("노바_스톰"), false, 1, kActCastMagic),
       "1:set 10000"},
      // Orders these kinds have no handler for run on in the base, which
      // leaves them there.
      {"rhinoceros, no specials", Ordered<CBattleRhinoceros>(Skill("칼춤"), true, 3), ""},
      {"rhinoceros, no magic", Ordered<CBattleRhinoceros>(Magic("노바_스톰"), false, 3, kActCastMagic), ""},
      {"water elf, no specials", Ordered<CBattleWaterElf>(Skill("칼춤"), true, 3), ""},
  };
  for (const Case& c : magics) EXPECT_EQ(c.trace, c.expected) << c.what;
}

// "1 with 2 on frame n": the hard blow only on the ticks that show n.
TEST_F(ModelKnightKindsTest, TheHardBlowLandsOnlyOnItsFrame) {
  struct Case {
    const char* what;
    std::string kinds;  // model frame:hitKind of each resolution
    const char* expected;
  };
  const Case cases[] = {
      {"xenosa 10066", HardBlows<CBattleCrazyKnifeMonster3d>(kActSpecialHit2),
       "88:1 89:1 90:1 96:1 97:2 98:1 105:1 106:1 107:1 "},
      {"xenosa 10067", HardBlows<CBattleCrazyKnifeMonster3d>(kActSpecialHit3), "95:1 96:1 97:1 118:1 119:2 120:1 "},
      {"xenosa 10068", HardBlows<CBattleCrazyKnifeMonster3d>(kActSpecialHit4), "127:2 128:2 129:2 "},
      {"ghost blade", HardBlows<CBattleGhostKnife3d>(kActSpecialHit), "88:1 89:2 90:1 96:1 97:1 98:1 105:1 106:1 107:1 "},
      {"spear apostle", HardBlows<CBattleSpearEvil3d>(kActSpecialHit2), "127:1 128:2 129:1 "},
      {"knife knight", HardBlows<CBattleGhostKnifeKnight3d>(kActSpecialHit), "95:1 96:2 97:1 118:1 119:1 120:1 "},
      {"spear knight", HardBlows<CBattleGhostSpearKnight3d>(kActSpecialHit),
       "88:1 89:1 90:1 96:1 97:1 98:1 105:1 106:2 107:1 "},
      {"knife apostle", HardBlows<CBattleKnifeEvil3d>(kActSpecialHit2), "37:2 "},
  };
  for (const Case& c : cases) EXPECT_EQ(c.kinds, c.expected) << c.what;
}

// The model frame shown when the kind goes idle.
class IdleFrameNoted : public Traced<CBattleSpearEvil3d> {
 public:
  void SetAction(int32_t code) override {
    if (code == kActIdle) idleFrame = m_modelFrame;
    Traced<CBattleSpearEvil3d>::SetAction(code);
  }
  int32_t idleFrame = -1;
};

// From 50 units the spear apostle dashes from model frame 12, strikes once
// and ends at frame 27; within 10 units it no longer sets its speed.
TEST_F(ModelKnightKindsTest, TheSpearApostlesLungeDashesFromFrame12AndEndsAt27) {
  IdleFrameNoted apostle;
  Bind3d(apostle);
  m_target.m_pos = Vec3{50.0f, 0.0f, 0.0f};
  apostle.m_useSpecial = true;
  apostle.SetAction(kActSpecialApproach);
  EXPECT_TRUE(apostle.m_specialFlag);
  int firstDash = -1, strikes = 0;
  for (int t = 1; t <= 60 && apostle.m_actionCode == kActSpecialApproach; ++t) {
    apostle.notes.clear();
    apostle.OnProcess();
    if (firstDash < 0 && std::hypot(apostle.m_velocity.x, apostle.m_velocity.z) > 0.0f) firstDash = apostle.m_modelFrame;
    strikes += static_cast<int>(std::count(apostle.notes.begin(), apostle.notes.end(), "skill"));
  }
  EXPECT_EQ(firstDash, 12);
  EXPECT_EQ(strikes, 1);
  EXPECT_EQ(apostle.idleFrame, 27);
  EXPECT_FALSE(apostle.m_specialFlag);

  for (const auto& [distance, sets] : {std::pair{9.5f, false}, std::pair{10.5f, true}}) {
    Traced<CBattleSpearEvil3d> near;
    Bind3d(near);
    m_target.m_pos = Vec3{distance, 0.0f, 0.0f};
    near.SetAction(kActSpecialApproach);
    near.m_modelFrame = 14;
    near.m_velocity = Vec3{};
    near.UpdateAction(kActSpecialApproach);
    EXPECT_EQ(std::hypot(near.m_velocity.x, near.m_velocity.z) > 0.0f, sets) << distance;
  }
}

// The knife apostle's magic order ignores hits for 50 ticks, with neither
// the special's effect nor its close-up.
TEST_F(ModelKnightKindsTest, TheKnifeApostlesMagicLocksSilently) {
  Traced<CBattleKnifeEvil3d> apostle;
  apostle.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("knights.rma");
  EXPECT_EQ(Order(apostle, Magic("노바_스톰"), false, 1, kActCastMagic), "1:set 10065");
  EXPECT_EQ(apostle.m_hitGuardTicks, 50);
  apostle.OnMessage(&m_target, kMsgHit, 1, 0, 0);
  EXPECT_EQ(apostle.m_actionCode, kActSpecialHit);
  Traced<CBattleKnifeEvil3d> other;
  other.m_actionTable = apostle.m_actionTable;
  EXPECT_EQ(Order(other, Magic("얼음"), false, 1, kActCastMagic), "1:set 10000");
  EXPECT_EQ(other.m_hitGuardTicks, 50);
}

// The wind takes off 4 units farther out than a 0.4 approach, flies on
// along its heading, and strikes only once it has landed.
TEST_F(ModelKnightKindsTest, TheSpearKnightLeapsFromFartherAndStrikesOnceLanded) {
  const float reach = session.GetAttackReach(0, false);
  for (const auto& [code, distance, leaps] :
       {std::tuple{kActSpecialApproach2, 0.4f * reach + 3.0f, true},
        std::tuple{kActSpecialApproach, 0.4f * reach + 3.0f, false}}) {
    Traced<CBattleGhostSpearKnight3d> near;
    Bind3d(near);
    m_target.m_pos = Vec3{distance, 0.0f, 0.0f};
    near.SetAction(code);
    near.notes.clear();
    near.UpdateAction(code);
    EXPECT_EQ(!near.notes.empty(), leaps) << code;
  }

  Traced<CBattleGhostSpearKnight3d> knight;
  Bind3d(knight);
  m_target.m_pos = Vec3{40.0f, 0.0f, 0.0f};
  knight.m_angle = 90.0f;
  knight.m_useSpecial = true;
  knight.SetAction(kActSpecialHit2);
  EXPECT_NE(knight.m_inAir, 0);
  EXPECT_FLOAT_EQ(knight.m_velocity.y, -3.7f);
  const float leapSpeed = session.ScaleByBonus(0.5f, 0, false);
  int landed = -1, firstBlow = -1, idle = -1;
  float highest = 0.0f;
  for (int t = 1; t <= 120 && idle < 0; ++t) {
    knight.notes.clear();
    knight.OnProcess();
    highest = std::min(highest, knight.m_pos.y);
    if (knight.m_inAir != 0) {
      EXPECT_FLOAT_EQ(knight.m_angle, 90.0f);
      EXPECT_FLOAT_EQ(std::hypot(knight.m_velocity.x, knight.m_velocity.z), leapSpeed);
    }
    if (knight.m_inAir == 0 && landed < 0) landed = t;
    if (firstBlow < 0 && std::count(knight.notes.begin(), knight.notes.end(), "skill") != 0) firstBlow = t;
    if (knight.m_actionCode == kActIdle) idle = t;
  }
  EXPECT_LT(highest, -20.0f);
  EXPECT_GT(landed, 20);
  EXPECT_GT(firstBlow, landed);  // the take-off's event frames pass in the air
  EXPECT_GT(idle, firstBlow);
}

// The plain attacks of the two kinds without an attack action end; the
// kinds without a walk-back row walk back on the attack's last frame, and
// Lachesis reels on action 3 at delay 3, once, then idles.
TEST_F(ModelKnightKindsTest, PlainAttacksEndAndWalkBackOnTheirLastFrame) {
  for (const char* kind : {"제노사", "유령기사_창"}) {
    CBattleGroundEnemy3d* enemy = Make(kind);
    Bind3d(*enemy);
    enemy->SetAction(kActSpecialApproach);  // a looping model action the attack must not play on
    enemy->SetAction(kActAttack);
    for (int t = 0; t < 100 && enemy->m_actionCode == kActAttack; ++t) enemy->OnProcess();
    EXPECT_EQ(enemy->m_actionCode, kActIdle) << kind;
    delete enemy;
  }
  // The buffalo turned back as its attack plays: the attack plays on to its
  // last frame and holds it.
  Traced<CBattleRhinoceros> buffalo;
  Bind3d(buffalo);
  buffalo.OnProcess();  // its first tick takes the return point
  buffalo.m_returnPoint = Vec3{-300.0f, 0.0f, 0.0f};
  buffalo.SetAction(kActAttack);
  for (int t = 0; t < 30; ++t) buffalo.OnProcess();
  buffalo.SetAction(kActWalkBack);
  std::vector<int32_t> frames;
  for (int t = 0; t < 34; ++t) {
    buffalo.OnProcess();
    frames.push_back(buffalo.m_modelFrame);
  }
  EXPECT_EQ(buffalo.m_actionCode, kActWalkBack);
  EXPECT_EQ(buffalo.m_action, 3);
  EXPECT_EQ(frames.front(), 109);
  EXPECT_EQ(frames[30], 121);
  EXPECT_EQ(frames.back(), 121);
  EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));

  Traced<CBattleLakesis> lakesis;
  Bind3d(lakesis);
  lakesis.SetAction(kActDamageLight);
  EXPECT_EQ(lakesis.m_action, 3);
  EXPECT_EQ(lakesis.m_frameDuration, 3);
  EXPECT_EQ(lakesis.m_playMode, 0);
  int idleAt = 0;
  for (int t = 1; t <= 100 && idleAt == 0; ++t) {
    lakesis.OnProcess();
    if (lakesis.m_actionCode == kActIdle) idleAt = t;
  }
  EXPECT_EQ(idleAt, 28 * 3);  // frames 94-121, three ticks each
}
