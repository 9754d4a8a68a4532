// The sample's succubus and wind elemental in a meadow battle, fixed seed:
// the set of the simurgh's battle with one of them in its place. Each
// special it is ordered runs its strike where it stands and back to idle,
// resolved on it; hits during the elemental's locked strikes cost nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "battle/ActionCode.h"
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
    size_t placed = 0;  // skill objects the strike put on the field
  };
  // `kind` 10 a skill, 9 a magic; `hit` strikes the enemy on every tick.
  Course Order(CBattleEnemy& enemy, int32_t index, int32_t kind = 10, bool hit = false) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&Member(0)), kind, 0);
    Course course;
    course.codes.push_back(enemy.m_actionCode);
    const size_t objects = m_map.Context().m_battleObjects.size();
    for (int t = 0; t < 400 && course.codes.back() != kActIdle; ++t) {
      Tick();
      if (hit && enemy.m_tickCount > 1 && enemy.m_actionCode != kActIdle && enemy.m_actionCode != kActWalkBack) {
        enemy.OnMessage(&Member(0), kMsgHit, 5, 0, 0);
      }
      if (enemy.m_actionCode != course.codes.back()) course.codes.push_back(enemy.m_actionCode);
    }
    course.placed = m_map.Context().m_battleObjects.size() - objects;
    return course;
  }
};

}  // namespace

TEST_F(SampleSuccubusElementalBattleTest, EachSpecialStrikesWhereItStandsAndResolvesOnTheMember) {
  platform::Srand(1);
  CBattleEnemy* succubus = EnterAndSettle("서큐버스");
  ASSERT_NE(succubus, nullptr);
  EXPECT_TRUE(succubus->IsKindOf(typeid(CBattleSacubus)));
  EXPECT_EQ(session.enemies[0].ability[0], 51);
  EXPECT_EQ(session.enemies[0].ability[1], 63);
  struct Case {
    int32_t index;
    int32_t strike;
  };
  const Case cases[] = {{51, kActSpecialHit3}, {63, kActSpecialHit2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    const Course course = Order(*succubus, c.index);
    EXPECT_EQ(course.codes, (std::vector<int32_t>{kActSpecialSkill, c.strike, kActWalkBack, kActIdle}));
    EXPECT_GT(course.placed, 0u);
  }
}

TEST_F(SampleSuccubusElementalBattleTest, TheWindElementalsSkillAndMagicStrikeWhereItStandsAndHitsCostNothing) {
  platform::Srand(1);
  CBattleEnemy* elemental = EnterAndSettle("윈드엘레멘탈");
  ASSERT_NE(elemental, nullptr);
  EXPECT_TRUE(elemental->IsKindOf(typeid(CBattleWindElementel)));
  const int32_t hp = session.enemies[0].hp;
  const Course skill = Order(*elemental, CSkillMgr::GetInstance().Find("질풍돌격"), 10, true);
  EXPECT_EQ(skill.codes, (std::vector<int32_t>{kActSpecialSkill, kActSpecialHit, kActWalkBack, kActIdle}));
  EXPECT_GT(skill.placed, 0u);
  const Course magic = Order(*elemental, CMagicMgr::GetInstance().Find("파이어볼"), 9, true);
  EXPECT_EQ(magic.codes, (std::vector<int32_t>{kActCastMagic, kActSpecialHit2, kActIdle}));
  EXPECT_GT(magic.placed, 0u);
  EXPECT_EQ(session.enemies[0].hp, hp);
}
