// Skill objects on recording participants: start effects, the reach test,
// sweeps, dashes and their arrival, the endings, and every id run through.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "battle/SpawnedBattleObjects.h"
#include "effect/SelvarinEffect.h"
#include "session/SkillMgr.h"
#include "tests/field/BattleFixture.h"
#include "tests/rules/RecordingActor.h"

namespace {

using battletest::BattleFixture;
using rulestest::CRecorder;

constexpr int kReach = 10;
constexpr int kGeneral = 5, kSplashGeneral = 6;

// Keeps the receivers it applied to, whatever the skill's outcome shows.
class CCountingSkill : public CBattleSkill {
 public:
  using CBattleSkill::ApplyTo;
  void ApplyTo(int32_t id, int32_t isParty) override {
    applied.push_back({id, isParty});
    CBattleSkill::ApplyTo(id, isParty);
  }
  int AppliedTo(int32_t id, int32_t isParty) const {
    return static_cast<int>(std::count(applied.begin(), applied.end(), std::pair{id, isParty}));
  }
  std::vector<std::pair<int32_t, int32_t>> applied;
};

class BattleSkillTest : public BattleFixture {
 protected:
  BattleSkillTest() : BattleFixture("map\n") {}

  void SetUp() override {
    std::string skills;
    for (int i = 0; i < 200; ++i) {
      skills += "#skill < s" + std::to_string(i) + " > < >\n#targettype 0\n#power 100\n#classtype 0\n#duration " +
                std::to_string(kReach) + "\n#splash " + (i == kSplashGeneral ? "1" : "0") + "\n#end\n";
    }
    m_dir.Write("game/data/diary/skill.txt", skills);
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    SetParty({0, 1});
    session.battlePartyCount = 2;
    for (int p = 0; p < 2; ++p) {
      PlayerData& m = *session.GetPartyMember(p);
      m.battlePtr = &members[p];
      m.strength = 5;
      m.hp = m.maxhp = 100;
      m.weapon = m.armor = m.shield = m.helmet = m.shoes = m.acc1 = m.acc2 = m.acc3 = -1;
      members[p].m_battleId = {p, 1};
      members[p].m_actionCode = kActIdle;
      members[p].m_pos = {static_cast<float>(40 * p), 0.0f, 0.0f};
    }
    for (EnemySlot& slot : session.enemies) slot = EnemySlot{};
    for (int e = 0; e < 3; ++e) {
      EnemySlot& slot = session.enemies[static_cast<size_t>(e)];
      slot.actor = &foes[e];
      slot.name = "스켈레톤";
      slot.hp = slot.maxhp = 1000;
      slot.level = 10;
      foes[e].m_battleId = {e, 0};
      foes[e].m_actionCode = kActIdle;
      foes[e].m_pos = {0.0f, 0.0f, 200.0f + 100.0f * static_cast<float>(e)};
    }
    session.enemyCount = 3;
  }
  void TearDown() override {
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& slot : session.enemies) slot.actor = nullptr;
    CSkillMgr::GetInstance().Free();
  }

  // A member's skill on an enemy; the object stays the fixture's to delete.
  CCountingSkill& Make(int skill, CRecorder& target, CRecorder& user) {
    auto object = std::make_unique<CCountingSkill>();
    object->Init(&user, &target, skill);
    m_objects.push_back(std::move(object));
    return *m_objects.back();
  }
  CCountingSkill& Make(int skill, CRecorder& target) { return Make(skill, target, members[0]); }
  // Ticks until the object ends (or 1200 ticks); the ticks it ran.
  static int RunOut(CBattleSkill& object, const std::function<void()>& each = {}) {
    int ticks = 0;
    while (ticks < 1200) {
      ++ticks;
      if (!object.OnProcess()) break;
      if (each) each();
    }
    return ticks;
  }
  static int Count(const CRecorder& r, int code, const CObject* sender) {
    return static_cast<int>(std::count_if(r.messages.begin(), r.messages.end(),
                                          [&](const rulestest::Message& m) { return m.code == code && m.sender == sender; }));
  }
  static std::vector<int> EffectsOn(const CSelvarinActor& a) {
    std::vector<int> ids;
    for (const CSelvarinEffect* e : a.m_effects) ids.push_back(e->GetEffectId());
    return ids;
  }

  CSession& session = CSession::GetInstance();
  CRecorder members[2];
  CRecorder foes[3];
  std::vector<std::unique_ptr<CCountingSkill>> m_objects;
};

TEST_F(BattleSkillTest, TheReachTestMeasuresFromTheUserAndTheGeneralScheduleHitsOnce) {
  struct Case {
    const char* what;
    int skill;
    float targetZ;
    int misses, hitsOnTarget, hitsOnSecond;
  };
  const Case cases[] = {
      {"out of reach", kGeneral, 10.5f, 1, 0, 0},
      {"at the reach", kGeneral, 10.0f, 0, 1, 0},
      {"splash sweeps the side", kSplashGeneral, 5.0f, 0, 1, 1},
      {"188 applies twice", 188, 5.0f, 0, 2, 0},
      {"77 sweeps instead of applying", 77, 5.0f, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (CRecorder& f : foes) f.messages.clear();
    members[0].messages.clear();
    foes[0].m_pos = {0.0f, 0.0f, c.targetZ};
    foes[1].m_pos = {1.0f, 0.0f, c.targetZ};
    CBattleSkill& object = Make(c.skill, foes[0]);
    object.m_pos = {100.0f, 0.0f, 100.0f};  // the object's own place does not count
    EXPECT_EQ(RunOut(object), 1001);
    EXPECT_EQ(Count(members[0], kMsgMissed, &object), c.misses);
    EXPECT_EQ(Count(foes[0], kMsgHit, &object), c.hitsOnTarget);
    EXPECT_EQ(Count(foes[1], kMsgHit, &object), c.hitsOnSecond);
    foes[1].m_pos = {0.0f, 0.0f, 300.0f};
  }
}

TEST_F(BattleSkillTest, DashesArriveByDistanceOrAfterTheirTickLimit) {
  struct Case {
    const char* what;
    int skill;
    float startZ, recede;
    int ticks;
  };
  const Case cases[] = {
      // 54: 2 a tick, arriving within 10 (3-D): 100 - 2 x 45 = 10 at tick 44.
      {"54 by distance", 54, 100.0f, 0.0f, 45},
      {"54 against a receding target runs tick 121", 54, 100.0f, 3.0f, 122},
      // 163: 3 a tick, arriving below 5: 30 - 3 x 9 = 3 at tick 8.
      {"163 below 5", 163, 30.0f, 0.0f, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    foes[0].messages.clear();
    foes[0].m_pos = {0.0f, 0.0f, c.startZ};
    CBattleSkill& object = Make(c.skill, foes[0]);
    EXPECT_EQ(RunOut(object, [&] { foes[0].m_pos.z += c.recede; }), c.ticks);
    EXPECT_EQ(Count(foes[0], kMsgHit, &object), 1);
  }
}

TEST_F(BattleSkillTest, TheSinkingDashStartsLowAndSinksWithEachStep) {
  foes[0].m_pos = {0.0f, 0.0f, 100.0f};
  CBattleSkill& object = Make(185, foes[0]);
  ASSERT_TRUE(object.OnProcess());
  EXPECT_FLOAT_EQ(object.m_pos.y, -14.5f);
  EXPECT_NEAR(object.m_pos.z, 2.0f, 1e-4f);
  EXPECT_EQ(EffectsOn(object), std::vector<int>{2000});
}

TEST_F(BattleSkillTest, EnemyLoopsReachTheDyingThatSweepsLeaveOut) {
  for (int e = 0; e < 3; ++e) foes[e].m_pos = {static_cast<float>(e), 0.0f, 5.0f};
  foes[1].m_actionCode = kActDying;
  for (const int skill : {143, 110}) {
    for (CRecorder& f : foes) f.messages.clear();
    CBattleSkill& object = Make(skill, foes[0]);
    object.m_pos = {0.0f, 0.0f, 5.0f};
    RunOut(object);
    EXPECT_EQ(Count(foes[1], kMsgHit, &object), skill == 143 ? 1 : 0) << skill;
    EXPECT_EQ(Count(foes[2], kMsgHit, &object), 1) << skill;
  }
}

TEST_F(BattleSkillTest, StartEffectsShowOnTheTargetOrOnTheObject) {
  struct Case {
    int skill;
    std::vector<int> onObject, onTarget;
  };
  const Case cases[] = {
      {10, {}, {1018, 1018}}, {11, {}, {1018, 1018, 1018}}, {19, {1055, 1054}, {}},
      {20, {1055, 1054}, {1017}}, {113, {1016}, {}}, {kGeneral, {}, {}},
  };
  for (const Case& c : cases) {
    CRecorder target;
    CBattleSkill& object = Make(c.skill, target);
    EXPECT_EQ(EffectsOn(object), c.onObject) << c.skill;
    EXPECT_EQ(EffectsOn(target), c.onTarget) << c.skill;
  }
  CBattleSkill& moved = Make(41, foes[0]);
  ASSERT_EQ(foes[0].messages.size(), 1u);
  EXPECT_EQ(foes[0].messages[0], (rulestest::Message{kMsgEmotion, 3, 0, 0, &moved}));
}

// 161 lifts its user and shoots the target's fire arrows from the user's
// new place; the target's own walk point stays.
TEST_F(BattleSkillTest, TheRaisedUsersArrowsStartWhereItStands) {
  members[0].m_pos = {10.0f, -2.0f, 20.0f};
  foes[0].m_targetX = foes[0].m_targetZ = 77.0f;
  CBattleSkill& object = Make(161, foes[0]);
  ASSERT_TRUE(object.OnProcess());
  EXPECT_EQ(members[0].m_pos.y, -9.0f);
  ASSERT_EQ(EffectsOn(foes[0]), std::vector<int>({228}));
  const Vec3 from = foes[0].m_effects.back()->m_startPoint;
  EXPECT_EQ(std::vector<float>({from.x, from.y, from.z}), std::vector<float>({10.0f, -9.0f, 20.0f}));
  EXPECT_EQ(foes[0].m_targetX, 77.0f);
  EXPECT_EQ(foes[0].m_targetZ, 77.0f);
}

TEST_F(BattleSkillTest, TheObjectEndsWithoutItsUserTargetOrDecoy) {
  foes[0].m_pos = {0.0f, 0.0f, 5.0f};
  CBattleSkill& userGone = Make(75, foes[0]);
  EXPECT_TRUE(userGone.OnProcess());
  session.GetPartyMember(0)->battlePtr = nullptr;
  EXPECT_FALSE(userGone.OnProcess());

  CBattleSkill& targetGone = Make(154, foes[0], members[1]);
  EXPECT_TRUE(targetGone.OnProcess());
  session.enemies[0].actor = nullptr;
  EXPECT_FALSE(targetGone.OnProcess());

  // A skill with no record ends at its first tick, applying nothing.
  CCountingSkill& unknown = Make(250, foes[0]);
  EXPECT_FALSE(unknown.OnProcess());
  EXPECT_TRUE(unknown.applied.empty());

  foes[2].m_isDecoy = 1;
  CBattleSkill& noDecoy = Make(kGeneral, foes[2], members[1]);
  EXPECT_FALSE(noDecoy.OnProcess());
  EXPECT_EQ(Count(foes[2], kMsgHit, &noDecoy), 0);
}

TEST_F(BattleSkillTest, EverySkillIdRunsToItsEnd) {
  for (int e = 0; e < 3; ++e) foes[e].m_pos = {static_cast<float>(4 * e), 0.0f, 20.0f};
  for (int skill = 0; skill < 200; ++skill) {
    CBattleSkill& object = Make(skill, foes[0]);
    const bool stays = skill == 75 || skill == 154 || skill == 157;
    EXPECT_EQ(RunOut(object) > 1001, stays) << skill;
  }
}

TEST_F(BattleSkillTest, HopsSweepOnlyOnTheWalkPointUntilTick120) {
  struct Case {
    int skill;
    float offWalkPoint;
    int firstSweepTick;
  };
  const Case cases[] = {
      {106, 0.0f, 20},  // multiples of 20 above 10
      {106, 0.01f, 140},
      {114, 0.0f, 0},
      {114, 0.01f, 40},  // its sweeps past tick 30 run regardless
  };
  for (const Case& c : cases) {
    members[0].m_targetX = 50.0f + c.offWalkPoint;
    members[0].m_targetZ = 50.0f;
    foes[2].m_pos = {50.0f, 0.0f, 50.0f};
    CCountingSkill& object = Make(c.skill, foes[0]);
    object.m_pos = {50.0f, 0.0f, 50.0f};
    int tick = 0;
    for (; tick <= 1000 && object.AppliedTo(2, 0) == 0; ++tick) object.OnProcess();
    EXPECT_EQ(tick - 1, c.firstSweepTick) << c.skill << " " << c.offWalkPoint;
    foes[2].m_pos = {0.0f, 0.0f, 400.0f};
  }
}

TEST_F(BattleSkillTest, SweepsAndAppliesOfTheRestOfTheTable) {
  foes[0].m_pos = {0.0f, 0.0f, 600.0f};
  CCountingSkill& leap = Make(112, foes[0]);
  leap.m_pos = {0.0f, 0.0f, 0.0f};
  EXPECT_EQ(RunOut(leap), 1001);
  // 3 a tick cannot cover 600 in 121 ticks: it counts as arrived from tick 121.
  EXPECT_EQ(leap.AppliedTo(0, 0), 1000 - 121 + 1);

  // 59 dashes at member 1, sweeping the party side on its way, never
  // applying on its own: it arrives at 10, just outside its sweep.
  foes[0].m_pos = {40.0f, 0.0f, 100.0f};
  members[0].m_pos = {40.0f, 0.0f, 50.0f};
  CCountingSkill& sweeper = Make(59, members[1], foes[0]);
  RunOut(sweeper);
  EXPECT_EQ(sweeper.AppliedTo(1, 1), 0);
  EXPECT_GE(sweeper.AppliedTo(0, 1), 1);
  EXPECT_EQ(static_cast<int>(sweeper.applied.size()), sweeper.AppliedTo(0, 1));

  // Late dashes with no tick limit end unapplied far from their target.
  foes[0].m_pos = {0.0f, 0.0f, 2000.0f};
  for (const auto& [skill, ticks] : {std::pair{137, 501}, std::pair{148, 301}}) {
    CCountingSkill& object = Make(skill, foes[0]);
    EXPECT_EQ(RunOut(object), ticks) << skill;
    EXPECT_TRUE(object.applied.empty()) << skill;
  }
  // 137 arrives within 12.5: 2.5 a tick from 31 + 12.5 = 43.5 away.
  foes[0].m_pos = {0.0f, 0.0f, 29.0f};
  CCountingSkill& circling = Make(137, foes[0]);
  circling.m_pos = {0.0f, 0.0f, 0.0f};
  EXPECT_EQ(RunOut(circling), 32 + 12);
  EXPECT_EQ(circling.AppliedTo(0, 0), 1);
}

TEST_F(BattleSkillTest, FrameMessagesCarryTheirValuesInTheOrderSent) {
  foes[0].m_pos = {0.0f, 0.0f, 5.0f};
  Make(22, foes[0]).OnProcess();  // 14 (10), then 13 (2, 12, 4)
  EXPECT_EQ(m_frame.m_timedEffect.value, 10);
  EXPECT_EQ(m_frame.m_flashes[0].value, 2);
  EXPECT_EQ(m_frame.m_flashes[0].length, 12);
  Make(74, foes[0]).OnProcess();  // 4 (1, 1, 1)
  EXPECT_EQ(m_frame.m_battleValues, (std::array<int32_t, 3>{1, 1, 1}));
}

TEST_F(BattleSkillTest, StarSpiralAndFanStepsFollowTheirFormulas) {
  foes[0].m_pos = {0.0f, 0.0f, 100.0f};
  struct Case {
    int skill, number, ticks;
    float x, z;
  };
  // Worked by hand: ground direction a steps x -= d sin a, z += d cos a;
  // forward along heading h steps x += d sin h, z -= d cos h.
  const float s45 = 0.70710678f;
  const float rad = 3.14159265f / 180.0f;
  const Case cases[] = {
      {72, 0, 11, -7.0f * std::sin(22.5f * rad), 7.0f * std::cos(22.5f * rad)},      // one step, at tick 10
      {72, 14, 16, -14.0f * std::sin(337.5f * rad), 14.0f * std::cos(337.5f * rad)},  // two, at 15 x 22.5
      {80, 0, 1, -5.0f * s45, 5.0f * s45},                                            // 45 degrees, 5 at tick 0
      {80, 0, 6, -5.0f * s45 - 5.0f * std::sin(25.0f * rad), 5.0f * s45 + 5.0f * std::cos(25.0f * rad)},
      // Facing the target (heading 180), the first step turned by -1.5 degrees.
      {58, 0, 1, 5.0f * std::sin(178.5f * rad), -5.0f * std::cos(178.5f * rad)},
      {58, 0, 6, 5.0f * std::sin(178.5f * rad), -5.0f * std::cos(178.5f * rad) + 5.0f},
      // 83: every fourth tick 5 x (tick / 4) forward, turned by (number - 2) x 5 x (tick / 4).
      {83, 2, 5, 0.0f, 5.0f},
      {83, 3, 5, 5.0f * std::sin(185.0f * rad), -5.0f * std::cos(185.0f * rad)},
      // 137 circles out 0.5 a tick on ticks n + 1 to n + 29 along (n / 10) x 72 degrees.
      {137, 0, 30, 0.0f, -14.5f},
      {137, 10, 40, 14.5f * std::sin(72.0f * rad), -14.5f * std::cos(72.0f * rad)},
  };
  for (const Case& c : cases) {
    CBattleSkill& object = Make(c.skill, foes[0]);
    object.m_pos = {0.0f, 0.0f, 0.0f};
    object.m_index = c.number;
    for (int i = 0; i < c.ticks; ++i) ASSERT_TRUE(object.OnProcess());
    EXPECT_NEAR(object.m_pos.x, c.x, 1e-3f) << c.skill << " at " << c.ticks;
    EXPECT_NEAR(object.m_pos.z, c.z, 1e-3f) << c.skill << " at " << c.ticks;
  }
  // 31 starts at height -10 and swings by 10 sin(9 x its ground distance
  // from the user, in radians): number 0 goes down, others up.
  for (const int number : {0, 1}) {
    CBattleSkill& wave = Make(31, foes[0]);
    wave.m_index = number;
    ASSERT_TRUE(wave.OnProcess());
    EXPECT_NEAR(wave.m_pos.z, 1.5f, 1e-4f);
    EXPECT_NEAR(wave.m_pos.y, -10.0f + (number == 0 ? -10.0f : 10.0f) * std::sin(13.5f), 1e-3f);
  }
}

}  // namespace
