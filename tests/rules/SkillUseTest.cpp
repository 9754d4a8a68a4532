// Skills in battle on recording participants: where the skill objects go,
// the hit and outcome rows on a scripted rand, theft and pickpocket with
// their texts, the cures, recalls, arrow hits, learning and the damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "battle/SpawnedBattleObjects.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/SkillMgr.h"
#include "tests/field/BattleFixture.h"
#include "tests/rules/RecordingActor.h"

namespace {

using battletest::BattleFixture;
using platform::QueueRand;

using rulestest::CRecorder;
using rulestest::Digit;
using rulestest::Message;

constexpr char kBloodletting[] = "사혈_삼릉침술(瀉血_三稜針術)";
// Skills of the table whose ids no rule names: by target type.
constexpr int kOwnSide = 9, kOtherSide = 10, kGround = 11, kNoPlace = 12, kSingle = 14, kBleed = 13, kPlus = 15;
constexpr int kNoDamage = 16, kEarth = 17;

class SkillUseTest : public BattleFixture {
 protected:
  SkillUseTest() : BattleFixture("map\n") {}

  void SetUp() override {
    std::string skills;
    for (int i = 0; i < 190; ++i) {
      const std::string name = i == kBleed ? kBloodletting : "s" + std::to_string(i);
      const int type = i == kOwnSide ? 1 : i == kOtherSide ? 3 : i == kGround ? 4 : i == kNoPlace ? 7 : 0;
      skills += "#skill < " + name + " > < >\n#targettype " + std::to_string(type) + "\n#power " +
                (i == kPlus ? "+20" : "100") + "\n#classtype " + (i == kNoDamage ? "2" : "0") + "\n#attr " + (i == kEarth ? "3" : "0") + "\n#end\n";
    }
    m_dir.Write("game/data/diary/skill.txt", skills);
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += Item("empty" + std::to_string(i), emptyKinds[i]);
    for (const char* name : {"크로나임", "디스말", "휘옐", "에르케쉐테르", "수술장갑"}) items += Item(name, 6);
    m_dir.Write("game/data/diary/item.txt", items);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    SetParty({0, 1, 2});
    session.battlePartyCount = 3;
    for (int p = 0; p < 3; ++p) {
      PlayerData& m = Member(p);
      m.battlePtr = &members[p];
      m.strength = 5;  // a skill's damage of 4 on an enemy, drawing nothing
      m.vitality = 0;
      m.lvl = 10;
      m.hp = m.maxhp = 100;
      m.weapon = m.armor = m.shield = m.helmet = m.shoes = m.acc1 = m.acc2 = m.acc3 = -1;
      members[p].m_battleId = {p, 1};
      members[p].m_actionCode = kActIdle;
      members[p].m_pos = {static_cast<float>(p), 0.0f, 0.0f};
    }
    for (EnemySlot& slot : session.enemies) slot = EnemySlot{};
    for (int e = 0; e < 3; ++e) {
      EnemySlot& slot = Enemy(e);
      slot.actor = &foes[e];
      slot.name = "스켈레톤";
      slot.hp = slot.maxhp = 100;
      slot.level = 10;
      slot.phyAtk = 5;  // 1 on a member
      foes[e].m_battleId = {e, 0};
      foes[e].m_actionCode = kActIdle;
      foes[e].m_pos = {static_cast<float>(e), 30.0f, 20.0f};
    }
    session.enemyCount = 3;
    platform::ClearQueuedRand();
  }
  void TearDown() override {
    platform::ClearQueuedRand();
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& slot : session.enemies) slot.actor = nullptr;
    CSkillMgr::GetInstance().Free();
    CItemMgr::GetInstance().Free();
  }

  static std::string Item(const std::string& name, int kind) {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param 0\n#end\n";
  }
  PlayerData& Member(int n) { return *session.GetPartyMember(n); }
  EnemySlot& Enemy(int n) { return session.enemies[static_cast<size_t>(n)]; }
  CRecorder& Side(int n, bool party) { return party ? members[n] : foes[n]; }
  template <class T>
  std::vector<T*> Objects() {
    std::vector<T*> out;
    for (CActor* a : Context().m_battleObjects) {
      if (auto* object = dynamic_cast<T*>(a)) out.push_back(object);
    }
    return out;
  }
  std::vector<CBattleSkill*> Skills() { return Objects<CBattleSkill>(); }
  std::vector<CBattleRecall*> Recalls() { return Objects<CBattleRecall>(); }
  // The user's chosen skill on its target, as the skill command leaves it.
  size_t Resolve(int user, bool party, int skill, CBattleActor* target) {
    Side(user, party).m_chosenIndex = skill;
    Side(user, party).m_target = target;
    const size_t before = Skills().size();
    session.ResolveSkill(user, party);
    return Skills().size() - before;
  }
  // Applies the skill on exactly these draws.
  void Apply(int user, bool userIsParty, int target, bool targetIsParty, int skill, std::vector<int> draws = {}) {
    platform::ClearQueuedRand();
    for (int v : draws) QueueRand({v});
    QueueRand({kSentinel});
    EXPECT_EQ(session.ApplySkillEffect(user, userIsParty, target, targetIsParty, skill, &object, 0), 0);
    EXPECT_EQ(platform::Rand(), kSentinel) << "skill " << skill << ": not the draws scripted";
    platform::ClearQueuedRand();
  }
  static constexpr int kSentinel = 4242;

  CSession& session = CSession::GetInstance();
  CRecorder members[3];
  CRecorder foes[3];
  CBattleSkill object;
};

TEST_F(SkillUseTest, ObjectsByTargetTypeAndAnEnemysExtraOne) {
  EXPECT_EQ(Resolve(0, true, kSingle, &foes[1]), 1u);
  EXPECT_EQ(Skills().back()->m_target, &foes[1]);
  EXPECT_EQ(Skills().back()->m_pos.y, foes[1].m_pos.y);
  EXPECT_EQ(m_frame.m_caption, "s14");
  EXPECT_EQ(Resolve(0, false, kSingle, &members[1]), 2u);
  EXPECT_EQ(Resolve(0, true, kOwnSide, &foes[1]), 3u);
  EXPECT_EQ(Resolve(0, true, kOtherSide, &foes[1]), 3u);
  EXPECT_EQ(Resolve(0, false, kOtherSide, &members[1]), 4u);  // the party, and the extra one
  EXPECT_EQ(Resolve(0, true, kNoPlace, &foes[1]), 0u);
  members[0].m_targetX = 4.0f, members[0].m_targetZ = -6.0f;
  EXPECT_EQ(Resolve(0, true, kGround, &foes[1]), 1u);
  EXPECT_EQ(Skills().back()->m_pos.x, 4.0f);
  EXPECT_EQ(Skills().back()->m_pos.z, -6.0f);
  // Nothing outside the table, nor without a target where one is needed.
  m_frame.m_caption.clear();
  EXPECT_EQ(Resolve(0, true, -1, &foes[1]), 0u);
  EXPECT_EQ(Resolve(0, true, 190, &foes[1]), 0u);
  EXPECT_EQ(m_frame.m_caption, "");
  EXPECT_EQ(Resolve(0, true, kSingle, nullptr), 0u);
  EXPECT_EQ(Resolve(0, false, kSingle, nullptr), 0u);
  EXPECT_EQ(Resolve(0, true, 148, nullptr), 0u);
  EXPECT_EQ(Resolve(0, false, 72, nullptr), 0u);
}

TEST_F(SkillUseTest, PatternsOfTheirOwn) {
  ASSERT_EQ(Resolve(0, true, 148, &foes[2]), 7u);
  const float offsets[7][2] = {{-20, 40}, {0, 40}, {10, 20}, {0, 10}, {0, -10}, {-5, -30}, {0, -50}};
  for (int i = 0; i < 7; ++i) {
    const CBattleSkill* s = Skills()[static_cast<size_t>(i)];
    EXPECT_EQ(s->m_index, i);
    EXPECT_EQ(s->m_pos.x, foes[2].m_pos.x + offsets[i][0]);
    EXPECT_EQ(s->m_pos.y, foes[2].m_pos.y - 10.0f);
    EXPECT_EQ(s->m_pos.z, foes[2].m_pos.z + offsets[i][1]);
  }
  ASSERT_EQ(Resolve(0, true, 137, &foes[2]), 5u);
  EXPECT_EQ(Skills().back()->m_index, 40);
  EXPECT_EQ(Skills().back()->m_pos.x, members[0].m_pos.x);

  // 160 draws x, z, delay, then the object is made (an actor draws one):
  // 0 -> -45, 30 -> -15, 31 -> +16, 60 -> +45.
  QueueRand({0, 31, 29, 7, 30, 60, 0});
  const size_t first = Skills().size();
  ASSERT_EQ(Resolve(0, true, 160, &foes[2]), 15u);
  const std::vector<CBattleSkill*> all = Skills();
  const Vec3 t = foes[2].m_pos;
  EXPECT_EQ(all[first]->m_pos.x - t.x, -45.0f);
  EXPECT_EQ(all[first]->m_pos.z - t.z, 16.0f);
  EXPECT_EQ(all[first]->m_index, 29);
  EXPECT_EQ(all[first + 1]->m_pos.x - t.x, -15.0f);
  EXPECT_EQ(all[first + 1]->m_pos.z - t.z, 45.0f);
  EXPECT_EQ(all[first + 1]->m_pos.y, t.y - 5.0f);
  for (size_t i = first; i < all.size(); ++i) {
    const float dx = std::fabs(all[i]->m_pos.x - t.x);
    EXPECT_TRUE(dx >= 15.0f && dx <= 45.0f) << dx;
    EXPECT_TRUE(all[i]->m_index >= 0 && all[i]->m_index < 30);
  }

  ASSERT_EQ(Resolve(1, false, 72, &members[0]), 17u);  // sixteen, and one on the target
  EXPECT_EQ(Skills()[Skills().size() - 2]->m_index, 15);
  m_frame.m_caption.clear();
  ASSERT_EQ(Resolve(1, false, 184, &members[0]), 9u);
  EXPECT_EQ(m_frame.m_caption, "");  // 184 shows no name
  for (size_t i = Skills().size() - 9; i < Skills().size() - 1; ++i) {
    EXPECT_LE(std::fabs(Skills()[i]->m_pos.x - members[0].m_pos.x), 15.0f);
    EXPECT_LT(Skills()[i]->m_index, 10);
  }
}

TEST_F(SkillUseTest, ARemovedTargetTakesOnlyTheBloodletting) {
  members[1].m_actionCode = kActRemoved;
  foes[1].m_actionCode = kActRemoved;
  EXPECT_EQ(Resolve(0, true, kSingle, &members[1]), 0u);
  EXPECT_EQ(Resolve(0, true, kBleed, &members[1]), 1u);
  EXPECT_EQ(Resolve(0, true, kBleed, &foes[1]), 0u);
  EXPECT_EQ(Resolve(0, false, kBleed, &foes[1]), 0u);
  // The outcome, too: the member's removed member still takes it.
  members[0].m_target = &members[1];
  Apply(0, true, 1, true, kSingle);
  EXPECT_TRUE(members[1].messages.empty());
  Apply(0, true, 1, true, kBleed);
  EXPECT_EQ(members[1].messages.size(), 1u);
}

TEST_F(SkillUseTest, RecallsOnTheGround) {
  members[0].m_targetX = 2.0f, members[0].m_targetZ = 3.0f;
  EXPECT_EQ(Resolve(0, true, 176, &foes[0]), 0u);
  ASSERT_EQ(Recalls().size(), 5u);
  EXPECT_EQ(Recalls()[4]->m_pos.x, 12.0f);
  EXPECT_EQ(Recalls()[4]->m_pos.z, 13.0f);
  // The summoner is its target too.
  EXPECT_EQ(Recalls()[0]->m_summonerId, 0);
  EXPECT_EQ(Recalls()[0]->m_summonerIsParty, 1);
  EXPECT_EQ(Recalls()[0]->m_targetId, 0);
  EXPECT_EQ(Recalls()[0]->m_targetIsParty, 1);
  EXPECT_EQ(Recalls()[0]->m_recallId, 0);
  session.LaunchRecall(0, true, 5);
  float cx = 0.0f, cz = 0.0f;
  Context().GetStationPoint(&cx, &cz);
  ASSERT_EQ(Recalls().size(), 6u);
  EXPECT_EQ(Recalls()[5]->m_pos.x, cx);
  session.LaunchRecall(0, true, 3);
  EXPECT_EQ(Recalls()[6]->m_pos.x, 2.0f);
  // No actor, a removed target or no such recall: none.
  session.LaunchRecall(5, false, 1);
  session.LaunchRecall(0, true, 7);
  members[0].m_target = &foes[0];
  foes[0].m_actionCode = kActRemoved;
  session.LaunchRecall(0, true, 1);
  EXPECT_EQ(Recalls().size(), 7u);
}

TEST_F(SkillUseTest, TheHitRows) {
  members[0].m_hitKind = 7;
  Apply(0, true, 0, false, kSingle);
  EXPECT_EQ(foes[0].messages, (std::vector<Message>{{kMsgHit, 4, 0, 7, &object}}));
  EXPECT_EQ(foes[0].digits, (std::vector<Digit>{{4, 0, 0, 0}}));
  EXPECT_EQ(session.hooks.Get("__skillattack스켈레톤s14"), 1);
  foes[0].m_actionCode = kActGuard;
  Apply(0, true, 0, false, 27);
  EXPECT_EQ(foes[0].messages.back().code, kActKnockedDown);
  EXPECT_EQ(foes[0].digits.size(), 1u);  // guarding: no number
  Apply(0, true, 0, false, 47, {99});
  EXPECT_EQ(foes[0].actions.back(), kActDamageHeavy);
  Apply(0, true, 0, false, 186, {2});
  EXPECT_EQ(foes[0].actions.size(), 1u);
  Apply(0, true, 0, false, 186, {3});
  EXPECT_EQ(foes[0].actions.size(), 2u);
  // A skill that does no damage, or a target that keeps hits off.
  foes[1].messages.clear();
  Apply(0, true, 1, false, kNoDamage);
  foes[1].m_hitGuardTicks = 3;
  Apply(0, true, 1, false, kSingle);
  EXPECT_TRUE(foes[1].messages.empty());
  // 26: the enemy user regains n + 1.
  Enemy(2).hp = 50;
  Apply(2, false, 0, true, 26);
  EXPECT_EQ(Enemy(2).hp, 52);
  // A status passes through untouched; an id outside the table does nothing.
  EXPECT_EQ(session.ApplySkillEffect(0, true, 0, false, kSingle, &object, 5), 5);
  Apply(0, true, 2, false, 400);
  Apply(0, true, 2, false, -1);
  EXPECT_TRUE(foes[2].messages.empty());
}

TEST_F(SkillUseTest, FinishingBlowsSpareBossesAndKinds) {
  struct Case {
    int skill;
    const char* name;
    int kind, hp;
    bool finished;
  };
  const Case cases[] = {
      {134, "스켈레톤", 2, 39, true},  {134, "스켈레톤", 3, 40, false}, {134, "스켈레톤", 1, 1, false},
      {134, "베루낙", 2, 1, false},    {159, "스켈레톤", 3, 90, true},  {159, "스켈레톤", 4, 90, false},
      {159, "제노사", 0, 90, false},   {139, "스켈레톤", 0, 90, true},  {139, "노인7", 1, 90, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.skill << " " << c.kind << " " << c.hp);
    Enemy(0).name = c.name, Enemy(0).type = c.kind, Enemy(0).hp = c.hp;
    foes[0].actions.clear();
    Apply(0, true, 0, false, c.skill);
    EXPECT_EQ(foes[0].actions, c.finished ? std::vector<int32_t>{kActDying} : std::vector<int32_t>{});
  }
  Member(1).hp = 39;
  Apply(0, false, 1, true, 134);
  EXPECT_EQ(members[1].actions, (std::vector<int32_t>{kActDying}));
  Member(1).hp = 40;
  Apply(0, false, 1, true, 134);
  EXPECT_EQ(members[1].actions.size(), 1u);
  // 145: an undead-attribute enemy falls, anyone else is struck.
  Enemy(1).attr = 6;
  Apply(0, true, 1, false, 145);
  EXPECT_EQ(foes[1].actions, (std::vector<int32_t>{kActDying}));
  Apply(0, true, 2, false, 145);
  EXPECT_EQ(foes[2].messages.back().code, kMsgHit);
}

TEST_F(SkillUseTest, ConditionRollsInTheirOrder) {
  struct Case {
    int skill;
    std::vector<int> draws;
    uint32_t bits;
  };
  const Case cases[] = {
      {3, {14}, kPoison1},  // 15 %: 14 succeeds, 15 fails
      {3, {15}, 0},
      {187, {69}, kPoison2},
      {50, {9, 4, 5}, kPoison1 | kCurse},
      {65, {19}, kDying},  // the else roll is not drawn
      {65, {20, 19}, kPoison2},
      {65, {20, 20}, 0},
      {106, {}, kPanic},  // sure: no draw
      {112, {}, kPoison1},
      {48, {9, 9}, kCurse | kPanic},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "skill " << c.skill);
    Enemy(0).stateid = 0;
    Apply(0, true, 0, false, c.skill, c.draws);
    EXPECT_EQ(static_cast<uint32_t>(Enemy(0).stateid), c.bits);
  }
  Enemy(0).type = 4;  // 112 only on the smaller kinds
  Enemy(0).stateid = 0;
  Apply(0, true, 0, false, 112);
  EXPECT_EQ(Enemy(0).stateid, 0);
  // 73 drains the level, then poisons.
  Apply(0, false, 1, true, 73, {49, 49});
  EXPECT_EQ(Member(1).lvl, 70);
  EXPECT_EQ(Member(1).stateid, static_cast<int32_t>(kPoison1));
  Apply(0, true, 1, false, 73, {49, 50});
  EXPECT_EQ(Enemy(1).level, 7);
  Enemy(2).name = "베루낙";
  Apply(0, true, 2, false, 73, {0, 99});
  EXPECT_EQ(Enemy(2).level, 10);
}

TEST_F(SkillUseTest, OutcomesOnHpGaugesAndStats) {
  // 135 heals a quarter, twice with the gloves; on an enemy only of kind 2-3.
  Member(1).hp = 10;
  Apply(0, true, 1, true, 135);
  EXPECT_EQ(Member(1).hp, 35);
  Member(1).acc2 = CItemMgr::GetInstance().Find("수술장갑");
  Apply(0, true, 1, true, 135);
  EXPECT_EQ(Member(1).hp, 85);
  Apply(0, true, 1, true, 135);
  EXPECT_EQ(Member(1).hp, 100);
  Enemy(0).hp = 10, Enemy(0).type = 1;
  Apply(0, true, 0, false, 135);
  EXPECT_EQ(Enemy(0).hp, 10);
  // 138 empties BP; a small enemy loses its maximum too.
  Member(2).shp = Member(2).maxshp = 30;
  Apply(0, false, 2, true, 138);
  EXPECT_EQ(Member(2).shp, 0);
  EXPECT_EQ(Member(2).maxshp, 30);
  Enemy(1).shp = Enemy(1).maxshp = 30, Enemy(1).type = 2;
  Apply(0, true, 1, false, 138);
  EXPECT_EQ(Enemy(1).maxshp, 0);
  // 52 and 162 on the gauges.
  for (CRecorder& f : foes) f.m_timeGauge = 80.0f;
  Apply(0, true, 0, false, 52);
  EXPECT_FLOAT_EQ(foes[0].m_timeGauge, 24.0f);
  Enemy(2).hp = 0;
  Apply(0, true, 1, false, 162);
  EXPECT_EQ(foes[0].m_timeGauge, 0.0f);
  EXPECT_EQ(foes[1].m_timeGauge, 0.0f);
  EXPECT_EQ(foes[2].m_timeGauge, 80.0f);  // not live
  // 64 on an enemy: attack x 2, defence x 70 %.
  Enemy(1).phyAtk = 10, Enemy(1).phyDef = 10;
  Apply(0, true, 1, false, 64);
  EXPECT_EQ(Enemy(1).phyAtk, 20);
  EXPECT_EQ(Enemy(1).phyDef, 7);
  // 89 heals 30 % of the current HP.
  Enemy(1).hp = 50;
  Apply(0, true, 1, false, 89);
  EXPECT_EQ(Enemy(1).hp, 65);
}

TEST_F(SkillUseTest, TheSidesHpSumsAndTheUndeadAfterwards) {
  // 100 x 3 against 100 x 3: nobody.
  Apply(0, true, 0, false, 154);
  for (int n = 0; n < 3; ++n) EXPECT_EQ(Member(n).stateid | Enemy(n).stateid, 0);
  Enemy(2).hp = 99;
  Apply(0, true, 0, false, 154);
  EXPECT_EQ(Enemy(0).stateid, static_cast<int32_t>(kDying));
  EXPECT_EQ(Member(0).stateid, 0);
  // Step 6: a restored undead falls DYING; a holy user's skill kills it.
  Member(1).stateid = kUndead;
  Apply(0, true, 1, true, 89);
  EXPECT_NE(Member(1).stateid & kDying, 0);
  Enemy(1).stateid = kUndead;
  Enemy(2).attr = 5;
  Apply(2, false, 1, false, 113);
  EXPECT_EQ(foes[1].messages.back().code, kMsgKill);
}

TEST_F(SkillUseTest, TheftAndPickpocketInEveryBranch) {
  struct Case {
    int skill;
    bool party;  // the target's side
    int gold, money, kind;
    std::vector<int> draws;
    int goldAfter;
    std::string text;
  };
  const Case cases[] = {
      {124, true, 1000, 0, 0, {10}, 900, "적에게 100길드를 빼았겼습니다."},
      {124, true, 3, 0, 0, {24}, 3, ""},
      {124, false, 1000, 1000, 0, {49}, 1490, "적에게서 490길드를 가져왔습니다."},
      {124, false, 999000, 5000, 0, {40}, 999999, "적에게서 2000길드를 가져왔지만, 1001길드를 흘렸습니다."},
      {124, false, 1000, 100000000, 0, {49}, 999999, "적에게서 49000000길드를 가져왔지만, 48001001길드를 흘렸습니다."},
      {124, false, 1000, 1, 0, {49}, 1000, ""},
      {124, false, 1000, 0, 3, {9}, 1000, "적에게서 에르케쉐테르을 훔쳐왔습니다."},
      {124, false, 1000, 0, 3, {4}, 1000, "적에게서 디스말을 훔쳐왔습니다."},
      {76, true, 1000, 0, 0, {19}, 810, "적에게 190길드를 빼았겼습니다."},
      {76, true, 1000, 0, 0, {0}, 1000, "소매치기 실패"},
      {76, false, 1000, 0, 0, {39}, 1390, "적에게서 390길드를 가져왔습니다."},
      {76, false, 999000, 0, 0, {39}, 999999, "적에게서 389610길드를 가져왔습니다."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    session.gold = c.gold;
    Enemy(0).money = c.money, Enemy(0).type = c.kind;
    m_frame.m_caption.clear();
    if (c.party) {
      Apply(0, false, 0, true, c.skill, c.draws);
    } else {
      Apply(0, true, 0, false, c.skill, c.draws);
    }
    EXPECT_EQ(session.gold, c.goldAfter);
    EXPECT_EQ(m_frame.m_caption, c.text);
  }
  EXPECT_EQ(session.GetItemCount(CItemMgr::GetInstance().Find("디스말")), 1);
  EXPECT_EQ(session.GetItemCount(CItemMgr::GetInstance().Find("에르케쉐테르")), 1);
}

TEST_F(SkillUseTest, CureCodes) {
  struct Case {
    int code;
    bool party;
    int32_t before, after;
  };
  const Case cases[] = {
      {113, true, kPoison1 | kPoison3 | kPanic, kPanic}, {116, false, kStone | kCurse, kCurse},
      {117, true, kPanic, 0},                            {118, false, kCurse, 0},
      {121, true, kUndead | kCurse, kCurse},             {123, true, kDying, 0},
      {123, false, kDying, kDying},                      {119, true, kUndead, kUndead | kDying},
      {114, true, kPanic, kPanic},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    int32_t& bits = c.party ? Member(1).stateid : Enemy(1).stateid;
    bits = c.before;
    session.UseSkillOnParty(1, c.party, c.code);
    EXPECT_EQ(bits, c.after);
  }
  Member(2).hp = 1, Member(2).shp = 0, Member(2).maxshp = 9;
  session.UseSkillOnParty(2, true, 119);
  EXPECT_EQ(Member(2).hp, 100);
  EXPECT_EQ(Member(2).shp, 9);
  session.UseSkillOnParty(9, true, 119);  // nobody there
}

TEST_F(SkillUseTest, ArrowHits) {
  CBattleBullet arrow;
  Member(0).cp = 50;
  Member(0).luck = 0;
  // At a decoy: nothing, not even a draw.
  QueueRand({kSentinel});
  session.ResolveBulletHit(0, true, 0, false, 999, &arrow, true);
  EXPECT_EQ(platform::Rand(), kSentinel);
  EXPECT_TRUE(members[0].messages.empty());
  // A miss goes to the shooter; a hit resets a member's gauge and strikes
  // from the arrow.
  for (int tries = 0; tries < 200 && (members[0].messages.empty() || foes[0].messages.empty()); ++tries) {
    Member(0).cp = 50;
    session.ResolveBulletHit(0, true, 0, false, 999, &arrow, false);
    if (session.lastHitResult == 0) {
      EXPECT_EQ(members[0].messages.back().code, kMsgMissed);
      EXPECT_EQ(Member(0).cp, 50);
    } else {
      EXPECT_EQ(foes[0].messages.back().sender, &arrow);
      EXPECT_EQ(foes[0].messages.back().code, kMsgHit);
      EXPECT_EQ(Member(0).cp, 0);
    }
  }
  EXPECT_FALSE(foes[0].messages.empty());
}

TEST_F(SkillUseTest, LearningAndForgetting) {
  PlayerData& p = session.players[1];
  p.ismagicman = 0;
  session.AddSkill(1, "s20");
  EXPECT_EQ(p.magicFlags[20], 1);
  session.RemoveSkill(1, "s20");
  EXPECT_EQ(p.magicFlags[20], 0);
  session.AddSkill(1, "없는스킬");
  session.RemoveSkill(1, "없는스킬");
  p.magicFlags[21] = 1;
  p.ismagicman = 2;  // any non-zero flag holds no skills
  session.AddSkill(1, "s20");
  session.RemoveSkill(1, "s21");
  EXPECT_EQ(p.magicFlags[20], 0);
  EXPECT_EQ(p.magicFlags[21], 1);
}

TEST_F(SkillUseTest, SkillDamage) {
  Member(0).strength = 100;
  Enemy(0).phyDef = 0;
  // The power's "+" adds to the strength, otherwise it is a percentage.
  EXPECT_EQ(session.GetSkillPower(0, true, kPlus), 120);
  EXPECT_EQ(session.GetSkillPower(0, true, kSingle), 100);
  // The plain form: 120 from the power alone; + 11 of 12, - 24.
  for (int n = 0; n < 3; ++n) foes[n].m_pos.y = members[n].m_pos.y = 0.0f;
  QueueRand({11});
  EXPECT_EQ(session.ComputeSkillDamagePlain(0, true, 0, false, kPlus), 107);
  QueueRand({0});
  EXPECT_EQ(session.ComputeSkillDamagePlain(0, true, 0, false, kPlus), 96);
  // An enemy user: a third, on an enemy times three again.
  Enemy(1).phyAtk = 60;
  QueueRand({0});
  EXPECT_EQ(session.ComputeSkillDamagePlain(1, false, 0, true, kSingle), 20 - 4);
  QueueRand({5});
  EXPECT_EQ(session.ComputeSkillDamagePlain(1, false, 0, false, kSingle), 60 + 5 - 12);
  // The attribute-3 guard halves a skill of attribute 3 on its member.
  const int a = CSession::ApplyAttributeFactor(60, 3, session.GetDefenceAttribute(0, true));
  const auto spread0 = [](int d) { return std::max(d - d / 5, 1); };
  QueueRand({0});
  EXPECT_EQ(session.ComputeSkillDamagePlain(1, false, 0, true, kEarth), spread0(a / 3));
  Member(0).battleValues[0] = 1;
  QueueRand({0});
  EXPECT_EQ(session.ComputeSkillDamagePlain(1, false, 0, true, kEarth), spread0(a / 2 / 3));
  platform::ClearQueuedRand();
  // Under 10 nothing is drawn; 0 becomes 1.
  Enemy(1).phyAtk = 9;
  QueueRand({kSentinel});
  EXPECT_EQ(session.ComputeSkillDamagePlain(1, false, 0, false, kSingle), 8);
  EXPECT_EQ(platform::Rand(), kSentinel);
  Enemy(1).phyAtk = 0;
  EXPECT_EQ(session.ComputeSkillDamagePlain(1, false, 0, false, kSingle), 1);
}

}  // namespace
