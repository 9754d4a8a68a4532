// The sample's ghost spear knight and Midian the water elf in a meadow
// battle, fixed seed: the set of the simurgh's battle with one of them in
// its place. Each order is followed code by code to idle, with what it put
// on the field and the hit points the member lost; the leap lands before
// its strike resolves.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "battle/ActionCode.h"
#include "battle/BattlePhase.h"
#include "battle/enemy/ModelKnightKinds.h"
#include "battle/enemy/ModelPlainKinds.h"
#include "field/FieldEnemy.h"
#include "session/EnemySlot.h"
#include "session/MagicMgr.h"
#include "session/SkillMgr.h"
#include "tests/support/SampleBattleFixture.h"

namespace {

namespace sampleghostknightelfbattletest {
constexpr intptr_t kSkillOrder = 10, kMagicOrder = 9, kAttackOrder = 0;
}  // namespace sampleghostknightelfbattletest
// The codes of a named order: the order, the two walks up and the three
// strikes.
constexpr int32_t kNamed = 10018, kWalkUp = 10073, kLeapWalkUp = 10074;
constexpr int32_t kStrike = 10065, kLeap = 10066, kLaser = 10067;

class SampleGhostKnightElfBattleTest : public testsupport::SampleBattleFixture {
 protected:
  SampleGhostKnightElfBattleTest() : SampleBattleFixture("meadow") {}

  // The simurgh's battle entered with `monsters` for its set.
  bool Enter(std::initializer_list<const char*> monsters) {
    auto* field = dynamic_cast<CFieldEnemy*>(m_map.Context().FindActorByName("simurgh"));
    if (field == nullptr) return false;
    m_frame.OnMessage(field, 0, 0, field->m_battleLine, field->m_eventLine);
    m_frame.m_battleSet.enemyCount = 0;
    for (const char* monster : monsters) m_frame.m_battleSet.enemies[m_frame.m_battleSet.enemyCount++] = {monster, "m"};
    m_frame.RunGamePass();
    return m_frame.m_mode == kModeBattle && session.enemyCount == static_cast<int>(monsters.size());
  }
  CBattleEnemy3d* EnterAndSettle(const char* monster) {
    if (!Enter({monster})) return nullptr;
    for (int p = 0; p < session.battlePartyCount; ++p) {
      PlayerData& member = *session.GetPartyMember(p);
      member.shp = member.maxshp = 0;  // every blow comes off the hit points
    }
    for (int t = 0; t < 200 && !AllIdle(); ++t) Tick();
    return AllIdle() ? Enemy() : nullptr;
  }

  struct Course {
    std::vector<int32_t> codes;
    std::vector<int32_t> resolvedOn;  // the model frame of each resolution (its name shown)
    int32_t lost = 0;                 // the member's hit points
    int landed = -1;                  // the tick its leap came down
    int firstResolved = -1;           // the tick of its first resolution
    bool pauseAsked = false;          // the close-up
  };
  Course Order(CBattleEnemy3d& enemy, int32_t index, intptr_t kind) {
    const PlayerData& victim = *session.GetPartyMember(0);
    const int32_t hp = victim.hp;
    m_frame.m_battlePhase = kPhaseRunning;
    m_frame.m_caption.clear();
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&Member(0)), kind, 0);
    Course course;
    course.codes.push_back(enemy.m_actionCode);
    bool flew = false;
    for (int t = 1; t <= 600 && course.codes.back() != kActIdle; ++t) {
      Tick();
      course.pauseAsked = course.pauseAsked || m_frame.m_battlePhase == kPhasePause;
      if (enemy.m_inAir != 0) flew = true;
      if (flew && enemy.m_inAir == 0 && course.landed < 0) course.landed = t;
      if (!m_frame.m_caption.empty()) {
        course.resolvedOn.push_back(enemy.m_modelFrame);
        if (course.firstResolved < 0) course.firstResolved = t;
        m_frame.m_caption.clear();
      }
      if (enemy.m_actionCode != course.codes.back()) course.codes.push_back(enemy.m_actionCode);
    }
    for (int t = 0; t < 100; ++t) Tick();  // what it placed plays out
    course.lost = hp - victim.hp;
    return course;
  }
  CBattleEnemy3d* Enemy() { return dynamic_cast<CBattleEnemy3d*>(session.enemies[0].actor); }
};

}  // namespace

// The set the meadow's field enemy brings: both made by name, the knight's
// three skills and the elf's spell linked from their records.
TEST_F(SampleGhostKnightElfBattleTest, BothComeInOneSetWithTheirAbilitiesLinked) {
  ASSERT_TRUE(Enter({"유령기사_창", "미디안"}));
  EXPECT_TRUE(session.enemies[0].actor->IsKindOf(typeid(CBattleGhostSpearKnight3d)));
  EXPECT_TRUE(session.enemies[1].actor->IsKindOf(typeid(CBattleWaterElf)));
  CSkillMgr& skills = CSkillMgr::GetInstance();
  const EnemySlot& knight = session.enemies[0];
  EXPECT_EQ(knight.ability[0], skills.Find("깊게_찌르기"));
  EXPECT_EQ(knight.ability[1], skills.Find("바람_몰아치기"));
  EXPECT_EQ(knight.ability[2], skills.Find("일렉트릭_레이저"));
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(knight.abilityIsMagic[k], 0) << k;
    const SkillTypeInfo* record = skills.GetSkillTypeInfo(knight.ability[k]);
    ASSERT_NE(record, nullptr) << k;
    EXPECT_EQ(record->targetType, 2) << k;  // a blow at one of the other side
    EXPECT_EQ(record->classType, 0) << k;   // that does damage
  }
  EXPECT_EQ(session.enemies[1].ability[0], CMagicMgr::GetInstance().Find("노바_스톰"));
  EXPECT_NE(session.enemies[1].abilityIsMagic[0], 0);
}

// Each name strikes (walking up, leaping, or where it stands) and resolves
// on its event frames, the thrust hard on 106, and the member loses hit
// points; a name it lacks goes idle after the close-up; the plain attack,
// played on its thrust's action, ends.
TEST_F(SampleGhostKnightElfBattleTest, TheKnightsThreeNamesStrikeAnOtherGoesIdleAndItsAttackEnds) {
  platform::Srand(1);
  CBattleEnemy3d* knight = EnterAndSettle("유령기사_창");
  ASSERT_NE(knight, nullptr);
  EXPECT_TRUE(knight->IsKindOf(typeid(CBattleGhostSpearKnight3d)));
  CSkillMgr& skills = CSkillMgr::GetInstance();
  struct Case {
    const char* name;
    intptr_t kind;
    std::vector<int32_t> codes;
    std::vector<int32_t> resolvedOn;
    int32_t lost;
    bool pause;
  };
  const Case cases[] = {
      {"깊게_찌르기", sampleghostknightelfbattletest::kSkillOrder, {kNamed, kWalkUp, kStrike, kActIdle}, {98, 106}, 2, true},
      {"바람_몰아치기", sampleghostknightelfbattletest::kSkillOrder, {kNamed, kLeapWalkUp, kLeap, kActIdle}, {64, 68}, 1, true},
      {"일렉트릭_레이저", sampleghostknightelfbattletest::kSkillOrder, {kNamed, kLaser, kActIdle}, {84, 86}, 1, true},
      {"돌진", sampleghostknightelfbattletest::kSkillOrder, {kNamed, kActIdle}, {}, 0, true},
      {"", sampleghostknightelfbattletest::kAttackOrder, {kActAttackStart, kActApproach, kActAttack, kActIdle}, {}, 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Course course = Order(*knight, *c.name != 0 ? skills.Find(c.name) : 0, c.kind);
    EXPECT_EQ(course.codes, c.codes);
    EXPECT_EQ(course.resolvedOn, c.resolvedOn);
    EXPECT_EQ(course.lost, c.lost);
    EXPECT_EQ(course.pauseAsked, c.pause);
  }
}

// The leap comes down before its strike resolves.
TEST_F(SampleGhostKnightElfBattleTest, TheKnightsLeapLandsBeforeItsStrike) {
  platform::Srand(1);
  CBattleEnemy3d* knight = EnterAndSettle("유령기사_창");
  ASSERT_NE(knight, nullptr);
  const Course leap = Order(*knight, CSkillMgr::GetInstance().Find("바람_몰아치기"), sampleghostknightelfbattletest::kSkillOrder);
  ASSERT_GT(leap.landed, 0);
  EXPECT_GT(leap.firstResolved, leap.landed);
}

// "노바_스톰" is cast where she stands, on the cast's two event frames, and
// costs the member hit points; any other spell goes idle at once.
TEST_F(SampleGhostKnightElfBattleTest, TheElfCastsNovaStormAndNoOtherSpell) {
  platform::Srand(1);
  CBattleEnemy3d* elf = EnterAndSettle("미디안");
  ASSERT_NE(elf, nullptr);
  EXPECT_TRUE(elf->IsKindOf(typeid(CBattleWaterElf)));
  CMagicMgr& magics = CMagicMgr::GetInstance();

  const Course nova = Order(*elf, magics.Find("노바_스톰"), sampleghostknightelfbattletest::kMagicOrder);
  EXPECT_EQ(nova.codes, (std::vector<int32_t>{kActCastMagic, kStrike, kActIdle}));
  EXPECT_EQ(nova.resolvedOn, (std::vector<int32_t>{108, 116}));
  EXPECT_EQ(nova.lost, 2);

  const Course other = Order(*elf, magics.Find("파이어볼"), sampleghostknightelfbattletest::kMagicOrder);
  EXPECT_EQ(other.codes, (std::vector<int32_t>{kActCastMagic, kActIdle}));
  EXPECT_TRUE(other.resolvedOn.empty());
  EXPECT_EQ(other.lost, 0);
}
