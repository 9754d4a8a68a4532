// The sample's succubus and wind elemental in a meadow battle, fixed seed:
// the set of the simurgh's battle with one of them in its place. Each
// order runs its strike where the enemy stands and back to idle, resolved
// on the member; hits during the elemental's locked strikes cost nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "battle/ActionCode.h"
#include "battle/SpawnedBattleObjects.h"
#include "battle/enemy/LeighrantzElementKinds.h"
#include "battle/enemy/OwnActionKinds.h"
#include "field/FieldEnemy.h"
#include "tests/support/SampleBattleFixture.h"

namespace {

class SampleSuccubusElementalBattleTest : public testsupport::SampleBattleFixture {
 protected:
  SampleSuccubusElementalBattleTest() : SampleBattleFixture("meadow") {}

  CBattleEnemy* EnterAndSettle(const char* monster) {
    auto* field = dynamic_cast<CFieldEnemy*>(m_map.Context().FindActorByName("simurgh"));
    if (field == nullptr) return nullptr;
    m_frame.OnMessage(field, 0, 0, field->m_battleLine, field->m_eventLine);
    m_frame.m_battleSet.enemies[0].name = monster;
    m_frame.m_battleSet.enemyCount = 1;
    m_frame.RunGamePass();
    if (m_frame.m_mode != kModeBattle || session.enemyCount != 1) return nullptr;
    for (int p = 0; p < session.battlePartyCount; ++p) {
      PlayerData& member = *session.GetPartyMember(p);
      member.shp = member.maxshp = 0;
    }
    for (int t = 0; t < 200 && !AllIdle(); ++t) Tick();
    return AllIdle() ? dynamic_cast<CBattleEnemy*>(session.enemies[0].actor) : nullptr;
  }

  struct Course {
    std::vector<int32_t> codes;
    size_t placed = 0;  // the skill objects its resolutions put on the field
    int32_t lost = 0;   // the first member's hit points
  };
  // The enemy ticked from its order (or its blow from idle) until it is
  // idle again; `hit` strikes it on every tick it is not idle or walking
  // back.
  Course Follow(CBattleEnemy& enemy, bool hit = false) {
    Course course;
    const int32_t hp = session.GetPartyMember(0)->hp;
    const size_t objects = SkillObjects();
    course.codes.push_back(enemy.m_actionCode);
    for (int t = 0; t < 400 && course.codes.back() != kActIdle; ++t) {
      Tick();
      if (hit && enemy.m_tickCount > 1 && enemy.m_actionCode != kActIdle && enemy.m_actionCode != kActWalkBack) {
        enemy.OnMessage(&Member(0), kMsgHit, 5, 0, 0);
      }
      if (enemy.m_actionCode != course.codes.back()) course.codes.push_back(enemy.m_actionCode);
    }
    course.placed = SkillObjects() - objects;
    course.lost = hp - session.GetPartyMember(0)->hp;
    return course;
  }
  // `kind` 10 a skill, 9 a magic, at the first member.
  Course Order(CBattleEnemy& enemy, int32_t index, int32_t kind, bool hit = false) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&Member(0)), kind, 0);
    return Follow(enemy, hit);
  }
  // Raised by each skill's or magic's resolution on its target.
  int32_t Resolved(const char* hook, const char* name) {
    return session.hooks.Get(hook + session.GetPartyMember(0)->engname + name);
  }
  size_t SkillObjects() {
    size_t n = 0;
    for (const CActor* object : m_map.Context().m_battleObjects) {
      n += dynamic_cast<const CBattleSkill*>(object) != nullptr ? 1 : 0;
    }
    return n;
  }
};

}  // namespace

// The three picks and an index it does not name, each resolved once, from
// where it stands (no approach), on the member 13 away: within the reach of
// its records. By the rules the three picks strike no blow (what they bring
// are conditions); the charge it borrows does.
TEST_F(SampleSuccubusElementalBattleTest, EachSpecialStrikesWhereItStandsAndResolvesOnTheMember) {
  platform::Srand(1);
  CBattleEnemy* succubus = EnterAndSettle("서큐버스");
  ASSERT_NE(succubus, nullptr);
  EXPECT_TRUE(succubus->IsKindOf(typeid(CBattleSacubus)));
  struct Case {
    const char* skill;
    int32_t index;
    int32_t strike;
    bool blow;
  };
  const Case cases[] = {
      {"유혹의입맞춤", 51, kActSpecialHit3, false},
      {"몽마의춤", 63, kActSpecialHit2, false},
      {"몽환의손짓", 70, kActSpecialHit, false},
      {"질풍돌격", 68, kActSpecialHit3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    ASSERT_EQ(CSkillMgr::GetInstance().Find(c.skill), c.index);
    session.hooks.Clear();
    const Course course = Order(*succubus, c.index, 10);
    EXPECT_EQ(course.codes, (std::vector<int32_t>{kActSpecialSkill, c.strike, kActWalkBack, kActIdle}));
    EXPECT_EQ(course.placed, 2u);  // one resolution: on the target, and the enemy's one more there
    EXPECT_EQ(Resolved("__skillattack", c.skill), 1);
    EXPECT_EQ(course.lost > 0, c.blow);
  }
}

// The fireball the sample names is, by the rules, a change of the target's
// attack rate: resolved on the member, it costs no hit points.
TEST_F(SampleSuccubusElementalBattleTest, TheWindElementalStrikesWhereItStandsAndHitsInItsStrikesCostNothing) {
  platform::Srand(1);
  CBattleEnemy* elemental = EnterAndSettle("윈드엘레멘탈");
  ASSERT_NE(elemental, nullptr);
  EXPECT_TRUE(elemental->IsKindOf(typeid(CBattleWindElementel)));
  const int32_t hp = session.enemies[0].hp;

  session.hooks.Clear();
  const Course skill = Order(*elemental, CSkillMgr::GetInstance().Find("질풍돌격"), 10, true);
  EXPECT_EQ(skill.codes, (std::vector<int32_t>{kActSpecialSkill, kActSpecialHit, kActWalkBack, kActIdle}));
  EXPECT_EQ(skill.placed, 2u);
  EXPECT_EQ(Resolved("__skillattack", "질풍돌격"), 1);
  EXPECT_GT(skill.lost, 0);

  const Course magic = Order(*elemental, CMagicMgr::GetInstance().Find("파이어볼"), 9, true);
  EXPECT_EQ(magic.codes, (std::vector<int32_t>{kActCastMagic, kActSpecialHit2, kActIdle}));
  EXPECT_EQ(Resolved("__magicattack", "파이어볼"), 1);
  EXPECT_EQ(magic.lost, 0);
  EXPECT_EQ(session.enemies[0].hp, hp);

  // Idle, the member in its reach and a paid blow in its gauge: the blow
  // from where it stands.
  Member(0).m_pos = elemental->m_pos + Vec3{8.0f, 0.0f, 0.0f};
  Member(0).SetAction(kActIdle);
  elemental->m_timeGauge = 30.0f;
  Tick();
  const Course blow = Follow(*elemental);
  EXPECT_EQ(blow.codes, (std::vector<int32_t>{kActAttack, kActWalkBack, kActIdle}));
  EXPECT_GT(blow.lost, 0);
}
