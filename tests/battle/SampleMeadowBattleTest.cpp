// The sample meadow's field enemies each start the battle of their
// monsters. The simurgh in its battle, fixed seed: ordered each of its routes (the chosen index, then the order of
// kind 10), then left to its tactics when its gauge fills. Each run is
// followed code by code to idle, with the blows that land on the member and
// the hit points it loses. The members hold still (their gauges kept empty)
// and carry no barrier, so every blow comes off their hit points.
#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "battle/ActionCode.h"
#include "battle/SpawnedBattleObjects.h"
#include "battle/enemy/BattleEnemy.h"
#include "battle/enemy/SingleStrikeKinds.h"
#include "field/BattleSet.h"
#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "platform/Random.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/SampleBattleFixture.h"

namespace {
constexpr unsigned kSeed = 10;  // the tactics' choice: the charge

class SampleMeadowBattleTest : public testsupport::SampleBattleFixture {
 protected:
  SampleMeadowBattleTest() : SampleBattleFixture("meadow") {}

  // What one special did, from its order to idle.
  struct Course {
    std::vector<int32_t> codes;
    std::vector<int32_t> blows;  // hit points lost, blow by blow
    bool stayed = true;          // where it stood until it walked back
  };

  CBattleEnemy* EnterAndSettle() {
    if (!EnterFieldBattle("simurgh") || session.enemyCount != 1) return nullptr;
    auto* simurgh = dynamic_cast<CBattleEnemy*>(session.enemies[0].actor);
    if (simurgh == nullptr) return nullptr;
    for (int p = 0; p < session.battlePartyCount; ++p) {
      PlayerData& member = *session.GetPartyMember(p);
      member.shp = member.maxshp = 0;
    }
    // The members walk in and the simurgh fades in.
    for (int t = 0; t < 200 && !AllIdle(); ++t) Tick();
    return AllIdle() ? simurgh : nullptr;
  }

  // Ticks from an order until the simurgh is idle again; `victim`'s hit
  // points are followed.
  Course Follow(const CBattleEnemy& simurgh, const PlayerData& victim) {
    Course course;
    course.codes.push_back(simurgh.m_actionCode);
    const Vec3 stood = simurgh.m_pos;
    int32_t hp = victim.hp;
    for (int t = 0; t < 400 && course.codes.back() != kActIdle; ++t) {
      Tick();
      if (simurgh.m_actionCode != course.codes.back()) course.codes.push_back(simurgh.m_actionCode);
      if (course.codes.back() == kActSpecialHit2 && (simurgh.m_pos.x != stood.x || simurgh.m_pos.z != stood.z)) {
        course.stayed = false;
      }
      if (victim.hp != hp) course.blows.push_back(hp - victim.hp);
      hp = victim.hp;
    }
    return course;
  }
  Course Order(CBattleEnemy& simurgh, const char* skill) {
    simurgh.OnMessage(nullptr, kMsgChosenIndex, CSkillMgr::GetInstance().Find(skill), 0, 0);
    simurgh.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&Member(0)), 10, 0);
    return Follow(simurgh, *session.GetPartyMember(0));
  }
};

// 74 strikes at once where it stands and walks back; any other special
// walks up with its trail first. Each strike lands its two hit frames, a
// point each (an enemy's skill on a member is a third of its power).
TEST_F(SampleMeadowBattleTest, EachOrderedRouteRunsItsCodesAndTheMemberLosesItsBlows) {
  CBattleEnemy* simurgh = EnterAndSettle();
  ASSERT_NE(simurgh, nullptr);
  EXPECT_TRUE(simurgh->IsKindOf(typeid(CBattleSimurgh)));
  EXPECT_EQ(session.enemies[0].ability[0], 74);
  EXPECT_EQ(session.enemies[0].ability[1], CSkillMgr::GetInstance().Find("돌진"));
  const int32_t hp = session.GetPartyMember(0)->hp;

  const Course storm = Order(*simurgh, "깃털폭풍");
  EXPECT_EQ(storm.codes, (std::vector<int32_t>{kActSpecialSkill, kActSpecialHit2, kActWalkBack, kActIdle}));
  EXPECT_TRUE(storm.stayed);
  EXPECT_EQ(storm.blows, (std::vector<int32_t>{1, 1}));

  const Course charge = Order(*simurgh, "돌진");
  EXPECT_EQ(charge.codes,
            (std::vector<int32_t>{kActSpecialSkill, kActSpecialApproach, kActSpecialHit, kActWalkBack, kActIdle}));
  EXPECT_EQ(charge.blows, (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(session.GetPartyMember(0)->hp, hp - 4);
}

// Its turn: the frame runs its tactics and orders it. At this seed they
// choose a special and aim it at a member (a blow at one of the other side).
TEST_F(SampleMeadowBattleTest, TheTacticsOrderItsSpecialAtAMember) {
  CBattleEnemy* simurgh = EnterAndSettle();
  ASSERT_NE(simurgh, nullptr);
  platform::Srand(kSeed);
  m_frame.IssueBattleOrder(0, 0);
  ASSERT_EQ(session.tacticDecision.kind, 10);
  ASSERT_EQ(session.tacticDecision.index, CSkillMgr::GetInstance().Find("돌진"));
  ASSERT_EQ(simurgh->m_target, session.tacticDecision.target);
  const CBattleActor* target = simurgh->m_target;
  ASSERT_NE(target, nullptr);
  ASSERT_EQ(target->m_battleId[1], 1) << "a member, not one of its own side";
  const int victim = target->m_battleId[0];
  const Course course = Follow(*simurgh, *session.GetPartyMember(victim));
  EXPECT_EQ(course.codes,
            (std::vector<int32_t>{kActSpecialSkill, kActSpecialApproach, kActSpecialHit, kActWalkBack, kActIdle}));
  EXPECT_EQ(course.blows, (std::vector<int32_t>{1, 1}));
}

struct FieldBattle {
  const char* enemy;
  std::vector<std::string> monsters;
};
void PrintTo(const FieldBattle& battle, std::ostream* out) { *out << battle.enemy; }

class MeadowFieldBattleTest : public testsupport::SampleBattleFixture, public ::testing::WithParamInterface<FieldBattle> {
 protected:
  MeadowFieldBattleTest() : SampleBattleFixture("meadow") {}
};

// Touched, each makes its monsters in the order its set names them, each
// as its own kind.
TEST_P(MeadowFieldBattleTest, ItsTouchStartsTheBattleOfItsMonsters) {
  const FieldBattle& battle = GetParam();
  ASSERT_TRUE(EnterFieldBattle(battle.enemy));
  ASSERT_EQ(session.enemyCount, static_cast<int32_t>(battle.monsters.size()));
  for (size_t i = 0; i < battle.monsters.size(); ++i) {
    const EnemySlot& slot = session.enemies[i];
    EXPECT_EQ(slot.name, battle.monsters[i]);
    EXPECT_NE(dynamic_cast<CBattleEnemy*>(slot.actor), nullptr) << i;
  }
}

// Whatever special the tactics pick for one of them, they aim it at a
// member, and its skill objects land on the party's side: a blow's target
// type is the other side's.
TEST_P(MeadowFieldBattleTest, TheirSpecialsAimAtAMemberAndLandOnTheParty) {
  ASSERT_TRUE(EnterFieldBattle(GetParam().enemy));
  auto& objects = m_map.Context().m_battleObjects;
  for (int slot = 0; slot < session.enemyCount; ++slot) {
    const EnemySlot& enemy = session.enemies[static_cast<size_t>(slot)];
    auto* actor = dynamic_cast<CBattleEnemy*>(enemy.actor);
    ASSERT_NE(actor, nullptr);
    for (size_t entry = 0; entry < enemy.ability.size() && enemy.ability[entry] >= 0; ++entry) {
      SCOPED_TRACE(testing::Message() << "slot " << slot << " special " << enemy.ability[entry]);
      if (enemy.abilityIsMagic[entry] != 0) continue;  // the elder's fire ball aims as every spell does
      session.tacticDecision = {};
      session.tacticDecision.kind = 10;
      session.tacticDecision.index = enemy.ability[entry];
      session.ChooseSpecialTarget(slot, false);
      ASSERT_NE(session.tacticDecision.target, nullptr);
      EXPECT_EQ(session.tacticDecision.target->m_battleId[1], 1);
      actor->m_target = session.tacticDecision.target;
      actor->m_chosenIndex = enemy.ability[entry];
      const size_t before = objects.size();
      session.ResolveSkill(slot, false);
      ASSERT_GT(objects.size(), before);
      for (auto it = std::next(objects.begin(), static_cast<std::ptrdiff_t>(before)); it != objects.end(); ++it) {
        const auto* placed = dynamic_cast<const CBattleSkill*>(*it);
        ASSERT_NE(placed, nullptr);
        EXPECT_EQ(placed->m_targetIsParty, 1);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Meadow, MeadowFieldBattleTest,
                         ::testing::Values(FieldBattle{"tornado", {"토네이도", "리퀴드제리", "어스엘레멘탈"}},
                                           FieldBattle{"ninja", {"닌자", "스켈나이트"}},
                                           FieldBattle{"simurgh", {"시무르그"}},
                                           FieldBattle{"heritage",
                                                       {"아비터스_헤리티지_두목", "아비터스_헤리티지_부하",
                                                        "아비터스_헤리티지_환영"}},
                                           FieldBattle{"boar", {"멧돼지", "구루"}},
                                           FieldBattle{"assassin", {"어세신", "저스티스오브데스"}},
                                           FieldBattle{"elder", {"장로", "데빌소드", "데빌소드"}},
                                           FieldBattle{"koren", {"코렌_몰트비", "노인1"}},
                                           FieldBattle{"guard", {"골든가드", "그랑데"}},
                                           FieldBattle{"succubus", {"윈드엘레멘탈", "서큐버스"}},
                                           FieldBattle{"spearknight", {"유령기사_창", "미디안"}}),
                         [](const ::testing::TestParamInfo<FieldBattle>& run) { return std::string(run.param.enemy); });

// The arbiter's heritage waits alone at the far end.
TEST_F(SampleMeadowBattleTest, TheHeritageAtTheFarEndNamesItsThree) {
  auto* heritage = dynamic_cast<CFieldEnemy*>(m_map.Context().FindActorByName("heritage"));
  ASSERT_NE(heritage, nullptr);
  EXPECT_GT(heritage->m_pos.z, 140.0f);
  BattleSet set;
  ASSERT_NE(m_map.Context().m_script, nullptr);
  ReadBattleSet(*m_map.Context().m_script, heritage->m_battleLine, set);
  ASSERT_EQ(set.enemyCount, 3);
  EXPECT_EQ(set.enemies[0].name, "아비터스_헤리티지_두목");
  EXPECT_EQ(set.enemies[1].name, "아비터스_헤리티지_부하");
  EXPECT_EQ(set.enemies[2].name, "아비터스_헤리티지_환영");
}

}  // namespace
