// The character forms on a flat map, bound to a record: orders and routes
// by form, the run-ins and blows of each form's chains traced tick by tick,
// poses, missing sheets and what a special move ignores.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <typeinfo>
#include <vector>

#include "battle/BattleCharacters.h"
#include "engine/ActRes.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

using battleform::Resolve;

namespace battleformtest {
class CEnemyProbe : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject*, int, intptr_t, intptr_t, intptr_t) override {}
};
}  // namespace battleformtest

// What a form did, tick by tick: the codes it entered and its blows with
// their strength.
struct Step {
  int tick;
  std::string what;
};

template <class Form>
class CTraced : public Form {
 public:
  void SetAction(int32_t code) override {
    steps.push_back({ticks, "set " + std::to_string(code)});
    Form::SetAction(code);
  }
  bool Tick() {
    ++ticks;
    return this->OnProcess();
  }
  // Ticks until the code is entered (or the limit passes).
  bool RunUntil(int32_t code, int limit = 2000) {
    for (int i = 0; i < limit && this->m_actionCode != code; ++i) Tick();
    return this->m_actionCode == code;
  }
  std::vector<std::string> What() const {
    std::vector<std::string> out;
    for (const Step& s : steps) out.push_back(s.what);
    return out;
  }
  std::vector<Step> steps;
  int ticks = 0;

 protected:
  void ResolveBlow(Resolve kind, float reach) override {
    static const char* const kNames[] = {"none", "skill", "weapon", "magic", "arrow"};
    std::string what = std::string(kNames[static_cast<int>(kind)]) + " " + std::to_string(this->m_hitKind);
    if (kind == Resolve::kWeapon) what += " reach " + std::to_string(static_cast<int>(reach));
    if (this->m_chosenIndex >= 90 && this->m_chosenIndex < 100) what += " #" + std::to_string(this->m_chosenIndex);
    steps.push_back({ticks, what});
  }
};

using Strings = std::vector<std::string>;

namespace battleformtest {
enum Item { kSword = 7, kDagger, kBagnak, kKaiser, kStaff, kSpear, kRod, kHalberd };

std::string ItemBlock(const std::string& name, int kind, const std::string& params) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param " + params + "\n#end\n";
}
}  // namespace battleformtest

std::string Weapon(const std::string& name, int weaponClass) {
  return battleformtest::ItemBlock(name, 0, "0 0 0 0 0 0 " + std::to_string(weaponClass) + " 0 0 3.0 0");
}

constexpr int kFlashArrowSkill = 128;
constexpr int kBrionacSkill = 152;
constexpr int kFireMagic = 0, kPlainMagic = 1;

class BattleFormTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  BattleFormTest() {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += battleformtest::ItemBlock("empty" + std::to_string(i), emptyKinds[i], "0");
    items += Weapon("sword", 0) + Weapon("dagger", 1) + Weapon("바그낙", 5) + Weapon("카이저너클", 5) + Weapon("staff", 3) +
             Weapon("spear", 7) + Weapon("rod", 8) + Weapon("halberd", 9);
    Write("data/diary/item.txt", items);
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    std::string skills;
    for (int i = 0; i < 200; ++i) {
      const std::string name = i == kFlashArrowSkill ? "플래쉬_애로우" : i == kBrionacSkill ? "브류낙" : "s" + std::to_string(i);
      skills += "#skill < " + name + " > < >\n#end\n";
    }
    Write("data/diary/skill.txt", skills);
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    Write("data/diary/magic.txt", "#magic < fire > < >\n#attr 1\n#end\n#magic < plain > < >\n#attr 0\n#end\n");
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    WriteSheet("fighter");
    session.Init();
    PlayerData& record = session.players[0];
    record.engname = "kreutzer";
    record.hp = record.maxhp = 80;
    record.shp = record.maxshp = 20;
    record.weapon = battleformtest::kSword;
    record.cp = 100;
    record.battlesprname = "fighter.spr";
    record.battleactname = "fighter.act";
    session.partyIds[0] = 0;
    session.partyCount = 1;
    session.battlePartyCount = 1;
    enemy.m_pos = {0.0f, 0.0f, 30.0f};
    enemy.m_battleId = {0, 0};
    enemy.SetAction(kActIdle);
    session.enemies[0].actor = &enemy;
    session.enemyCount = 1;
    platform::Srand(1);
  }
  ~BattleFormTest() override {
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& s : session.enemies) s.actor = nullptr;
    platform::ClearQueuedRand();
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    session.Init();
  }

  // 32 actions of 16 frames; frames 2 and 13 are hit frames.
  void WriteSheet(const std::string& stem) {
    slvtools::SprWriter spr(0x200);
    spr.SetColor(1, 255, 0, 0);
    spr.AddImage(2, 2, std::vector<uint8_t>(4, 1));
    Write("data/sprite/" + stem + ".spr", spr.Build());
    ActMotion motion;
    motion.layers.push_back(ActLayer{});
    ActMotion hit = motion;
    hit.eventIndex = 0;
    ActAction action;
    for (int f = 0; f < 16; ++f) action.motions.push_back(f == 2 || f == 13 ? hit : motion);
    Write("data/sprite/" + stem + ".act", slvtools::BuildAct(0x201, std::vector<ActAction>(32, action), {"attacktime.atk"}));
  }
  void WriteMove(const std::string& name) { WriteSheet("주연급/전투/특수동작/" + name); }

  template <class Form>
  void Bind(CTraced<Form>& member) {
    PlayerData& record = session.players[0];
    member.m_record = &record;
    record.battlePtr = &member;
    member.m_battleId = {0, 1};
    member.m_target = &enemy;
    member.SetAction(kActIdle);
    member.steps.clear();
  }
  std::vector<FrameMessage> Sent(int code) {
    std::vector<FrameMessage> out;
    for (const FrameMessage& m : Frame().messages) {
      if (m.code == code) out.push_back(m);
    }
    return out;
  }

  CSession& session = CSession::GetInstance();
  battleformtest::CEnemyProbe enemy;
};

TEST_F(BattleFormTest, SecondFormsDeriveFromTheirFirst) {
  struct Case {
    const char* name;
    bool (*derives)(CActor*);
  };
  const Case cases[] = {
      {"battlesizz2", [](CActor* a) { return dynamic_cast<CBattleSizz*>(a) != nullptr; }},
      {"battlemaria2", [](CActor* a) { return dynamic_cast<CBattleMaria*>(a) != nullptr; }},
      {"battleelluard2", [](CActor* a) { return dynamic_cast<CBattleElluard*>(a) != nullptr; }},
      {"battleai", [](CActor* a) { return dynamic_cast<CBattlePlayer*>(a) != nullptr; }},
      {"battlekreutzer", [](CActor* a) { return dynamic_cast<CBattlePlayer*>(a) != nullptr; }},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CActor> made(CreateActorByName(c.name));
    EXPECT_TRUE(c.derives(made.get())) << c.name;
  }
}

TEST_F(BattleFormTest, OrdersByFormKindAndFlag) {
  struct Case {
    const char* name;
    int kind, flag;
    int32_t action, guard, cp;
  };
  const Case cases[] = {
      {"battlekreutzer", 10, 0, kActSpecialSkill, 60, 100}, {"battlekreutzer", 0, 1, kActApproach, 0, 0},
      {"battlemaria2", 10, 0, kActSpecialSkill, 60, 100},   {"battlesizz", 9, 0, kActSkillMove1, 60, 100},
      {"battlesizz", 10, 0, kActIdle, 0, 100},              {"battlesizz2", 9, 0, kActSkillMove3, 60, 100},
      {"battlesizz2", 0, 1, kActSpecialSkill, 0, 0},        {"battlesizz2", 0, 0, kActApproach, 0, 100},
      {"battleai", 9, 0, kActSkillMove3, 0, 100},           {"battleai", 0, 1, kActSpecialSkill, 0, 0},
      {"battleai", 1, 0, kActDefend, 0, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " kind " + std::to_string(c.kind) + " flag " + std::to_string(c.flag));
    std::unique_ptr<CActor> made(CreateActorByName(c.name));
    auto& member = dynamic_cast<CBattlePlayer&>(*made);
    session.players[0].cp = 100;
    member.m_record = &session.players[0];
    member.m_battleId = {0, 1};
    member.m_timeGauge = 80.0f;
    member.SetAction(kActIdle);
    member.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&enemy), c.kind, c.flag);
    EXPECT_EQ(member.m_actionCode, c.action);
    EXPECT_EQ(member.m_hitGuardTicks, c.guard);
    EXPECT_EQ(session.players[0].cp, c.cp);
    EXPECT_EQ(member.m_target, &enemy);
    if (c.action != kActDefend) {
      EXPECT_EQ(member.m_timeGauge, 0.0f);
    }
  }
}

TEST_F(BattleFormTest, TheChosenSkillOrTheWeaponRoutesTheSpecialSkill) {
  struct Case {
    const char* name;
    int32_t skill;
    int weapon;
    int32_t next;
  };
  const Case cases[] = {
      {"battlekreutzer", 109, battleformtest::kSword, kActSpecialApproach},  {"battlekreutzer", 110, battleformtest::kSword, kActSpecialApproach2},
      {"battlekreutzer", 131, battleformtest::kSword, kActSpecialApproach3}, {"battlekreutzer", 175, battleformtest::kSword, kActSpecialApproach3},
      {"battlekreutzer", 141, battleformtest::kSword, kActDig},              {"battlekreutzer", 170, battleformtest::kSword, kActSkillHit2},
      {"battlekreutzer", 183, battleformtest::kSword, kActSkillHit3},        {"battlekreutzer", 5, battleformtest::kSword, kActApproach},
      {"battlemaria", 0, battleformtest::kSword, kActAttackStart},           {"battlemaria", 97, battleformtest::kSword, kActSpecialApproach},
      {"battlemaria", 131, battleformtest::kSword, kActSkillHit2},           {"battlemaria", 133, battleformtest::kSword, kActApproach},
      {"battlemaria2", 0, battleformtest::kSword, kActApproach},             {"battlemaria2", 99, battleformtest::kSword, kActSpecialApproach5},
      {"battlemaria2", 100, battleformtest::kSword, kActSpecialApproach4},   {"battlemaria2", 145, battleformtest::kSword, kActSpecialApproach3},
      {"battlesizz2", 109, battleformtest::kSword, kActSpecialHit2},         {"battlesizz2", 109, battleformtest::kDagger, kActSpecialHit},
      {"battlesizz2", 109, battleformtest::kStaff, kActAttack},              {"battleai", 5, battleformtest::kBagnak, kActSpecialApproach},
      {"battleai", 5, battleformtest::kKaiser, kActSpecialApproach2},        {"battleai", 5, battleformtest::kSword, kActAttack},
      {"battleai", 5, 2, kActAttack},
      {"battleelluard", 101, battleformtest::kSword, kActSpecialApproach},  {"battleelluard", 102, battleformtest::kSword, kActSpecialApproach2},
      {"battleelluard", 150, battleformtest::kSword, kActSpecialApproach5}, {"battleelluard", 151, battleformtest::kSword, kActSpecialApproach4},
      {"battleelluard", 131, battleformtest::kSword, kActSkillHit2},        {"battleelluard", 5, battleformtest::kSword, kActApproach},
      {"battleelluard2", 132, battleformtest::kSword, kActSpecialApproach3}, {"battletenzi", 153, battleformtest::kSpear, kActSkillMove1},
      {"battletenzi", 152, battleformtest::kSpear, kActSpecialApproach4},   {"battletenzi", 155, battleformtest::kSpear, kActSkillApproach},
      {"battletenzi", 156, battleformtest::kSpear, kActDig},                {"battletenzi", 158, battleformtest::kSpear, kActSkillHit2},
      {"battletenzi", 159, battleformtest::kSpear, kActSkillHit3},          {"battleceline", 107, battleformtest::kSword, kActSkillHit1},
      {"battleceline", 161, battleformtest::kSword, kActSpecialHit},        {"battleceline", 175, battleformtest::kSword, kActDig},
      {"battleceline", 165, battleformtest::kSword, kActSpecialHit5},       {"battleceline", 170, battleformtest::kSword, kActSkillHit2},
      {"battlecarrot", 120, battleformtest::kSword, kActSpecialApproach5},  {"battlecarrot", 125, battleformtest::kSword, kActSpecialApproach2},
      {"battlecarrot", 134, battleformtest::kSword, kActSpecialApproach4},  {"battlepeach", 111, battleformtest::kSword, kActSpecialApproach5},
      {"battlepeach", 113, battleformtest::kSword, kActSpecialHit},         {"battlepeach", 120, battleformtest::kSword, kActSpecialApproach2},
      {"battlepeach", 175, battleformtest::kSword, kActSpecialApproach2},   {"battlepeach", 135, battleformtest::kSword, kActSpecialApproach4},
      {"battlepeach", 124, battleformtest::kSword, kActSpecialApproach3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " skill " + std::to_string(c.skill) + " weapon " + std::to_string(c.weapon));
    std::unique_ptr<CActor> made(CreateActorByName(c.name));
    auto& member = dynamic_cast<CBattlePlayer&>(*made);
    session.players[0].weapon = c.weapon;
    member.m_record = &session.players[0];
    member.m_battleId = {0, 1};
    member.m_target = &enemy;
    member.m_chosenIndex = c.skill;
    member.SetAction(kActSpecialSkill);
    member.UpdateAction(kActSpecialSkill);
    EXPECT_EQ(member.m_actionCode, c.next);
  }
}

// How near each form's run-in must come, the goal standing at `distance`
// (the target there, or the walk point).
TEST_F(BattleFormTest, EachRunInStrikesFromItsOwnReach) {
  struct Case {
    const char* name;
    int32_t approach, skill;
    float distance;
    int32_t after;  // the code after the first tick
  };
  const Case cases[] = {
      {"battleelluard", kActSpecialApproach, 101, 19.0f, kActSpecialHit},
      {"battleelluard", kActSpecialApproach, 101, 21.0f, kActSpecialApproach},
      {"battleelluard", kActSpecialApproach3, 127, 32.0f, kActSpecialHit3},
      {"battleelluard2", kActSpecialApproach3, 132, 32.0f, kActSpecialHit3},
      {"battleelluard", kActSpecialApproach3, 144, 32.0f, kActSpecialApproach3},
      {"battleelluard", kActSpecialApproach3, 144, 9.0f, kActSpecialHit3},
      {"battleelluard", kActSpecialApproach4, 151, 29.0f, kActSpecialHit4},
      {"battleelluard", kActSpecialApproach2, 102, 9.0f, kActSpecialHit2},
      {"battleelluard", kActSpecialApproach5, 150, 9.0f, kActSpecialHit5},
      {"battletenzi", kActSpecialApproach4, kBrionacSkill, 39.0f, kActSpecialHit4},
      {"battletenzi", kActSpecialApproach4, 154, 39.0f, kActSpecialApproach4},
      {"battletenzi", kActSpecialApproach3, 105, 29.0f, kActSpecialHit3},
      {"battletenzi", kActSpecialApproach2, 104, 9.0f, kActSpecialHit2},
      {"battletenzi", kActDig, 156, 12.0f, kActDig},
      {"battletenzi", kActDig, 156, 9.0f, kActCharge},
      {"battleceline", kActSpecialApproach4, 164, 19.0f, kActSpecialHit4},
      {"battleceline", kActDig, 175, 19.0f, kActDig},
      {"battleceline", kActDig, 175, 9.0f, kActSpecialHit4},
      {"battlecarrot", kActSpecialApproach2, 125, 29.0f, kActSpecialHit2},
      {"battlecarrot", kActSpecialApproach5, 120, 9.0f, kActSpecialHit5},
      {"battlepeach", kActSpecialApproach5, 111, 4.0f, kActSpecialHit5},
      {"battlepeach", kActSpecialApproach5, 111, 6.0f, kActSpecialApproach5},
      {"battlepeach", kActSpecialApproach2, 120, 9.0f, kActSpecialHit2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.approach) + " skill " + std::to_string(c.skill) +
                 " at " + std::to_string(c.distance));
    std::unique_ptr<CActor> made(CreateActorByName(c.name));
    auto& member = dynamic_cast<CBattlePlayer&>(*made);
    session.players[0].weapon = battleformtest::kSpear;
    member.m_record = &session.players[0];
    member.m_battleId = {0, 1};
    enemy.m_pos = {0.0f, 0.0f, c.distance};
    member.m_target = &enemy;
    member.m_targetX = 0.0f;
    member.m_targetZ = c.distance;
    member.m_chosenIndex = c.skill;
    member.SetAction(c.approach);
    member.OnProcess();
    EXPECT_EQ(member.m_actionCode, c.after);
  }
}

TEST_F(BattleFormTest, ElluardsBurstHopsRunsAndLandsAfterTick130) {
  for (const auto& [name, sheet] : {std::pair{"battleelluard", "옥시피틀버스트_엘류어드1"},
                                    {"battleelluard2", "옥시피틀버스트_엘류어드2"}}) {
    SCOPED_TRACE(name);
    WriteMove(sheet);
    std::unique_ptr<CActor> made(CreateActorByName(name));
    auto& elluard = dynamic_cast<CBattlePlayer&>(*made);
    session.players[0].battlePtr = &elluard;
    elluard.m_record = &session.players[0];
    elluard.m_battleId = {0, 1};
    elluard.m_target = &enemy;
    elluard.m_pos = {0.0f, 0.0f, 0.0f};
    elluard.m_chosenIndex = 101;
    elluard.SetAction(kActSpecialSkill);
    for (int i = 0; i < 200 && elluard.m_actionCode != kActSpecialHit; ++i) elluard.OnProcess();
    ASSERT_EQ(elluard.m_actionCode, kActSpecialHit);
    EXPECT_EQ(elluard.m_actName, std::string("주연급\\전투\\특수동작\\") + sheet + ".act");
    float highest = 0.0f;
    int ticks = 0;
    for (; ticks < 300 && elluard.m_actionCode == kActSpecialHit; ++ticks) {
      elluard.OnProcess();
      highest = std::min(highest, elluard.m_pos.y);
    }
    EXPECT_EQ(ticks, 131);
    EXPECT_EQ(elluard.m_actionCode, kActIdle);
    EXPECT_LT(highest, -5.0f);  // up is negative
    EXPECT_FLOAT_EQ(elluard.m_gravityFactor, 1.0f);
    EXPECT_EQ(elluard.m_inAir, 0);
    EXPECT_FLOAT_EQ(elluard.m_velocity.y, 0.0f);
    session.players[0].battlePtr = nullptr;
  }
}

TEST_F(BattleFormTest, ElluardsTraceOfTheBurst) {
  CTraced<CBattleElluard> elluard;
  Bind(elluard);
  elluard.m_chosenIndex = 101;
  elluard.SetAction(kActSpecialSkill);
  ASSERT_TRUE(elluard.RunUntil(kActIdle));
  EXPECT_EQ(elluard.What(), (Strings{"set 10018", "set 10073", "set 10065", "skill 2", "skill 2", "set 10000"}));
  ASSERT_EQ(Sent(10).size(), 1u);
  EXPECT_EQ(Sent(10)[0].a, 30);
}

// The dashing skills run through their blow; the storm rises to the walk
// point and shows itself only at tick 65.
TEST_F(BattleFormTest, ElluardsDashesRunThroughAndHisStormStartsLate) {
  for (const auto& [skill, runs] : {std::pair{127, true}, {144, false}}) {
    SCOPED_TRACE(skill);
    CTraced<CBattleElluard> elluard;
    Bind(elluard);
    elluard.m_chosenIndex = skill;
    elluard.SetAction(kActSpecialHit3);
    for (int i = 0; i < 20; ++i) elluard.Tick();
    EXPECT_EQ(elluard.m_actionCode, kActSpecialHit3);
    EXPECT_EQ(elluard.m_pos.z > 1.0f, runs);
    session.players[0].battlePtr = nullptr;
  }
  CTraced<CBattleElluard> elluard;
  Bind(elluard);
  elluard.m_targetX = 0.0f;
  elluard.m_targetZ = -40.0f;
  Frame().messages.clear();
  elluard.SetAction(kActSpecialHit4);
  for (int i = 0; i < 64; ++i) elluard.Tick();
  EXPECT_TRUE(Sent(10).empty());
  EXPECT_LT(elluard.m_pos.y, 0.0f);
  EXPECT_LT(elluard.m_pos.z, 0.0f);
  elluard.Tick();
  EXPECT_EQ(Sent(10).size(), 1u);
  ASSERT_TRUE(elluard.RunUntil(kActIdle));
  EXPECT_EQ(elluard.steps.back().tick, 181);
  EXPECT_EQ(elluard.m_inAir, 0);
}

TEST_F(BattleFormTest, TenzisKickUpPausesFiftyThenStrikesHarderFromTick30) {
  session.players[0].weapon = battleformtest::kSpear;
  CTraced<CBattleTenzi> tenzi;
  Bind(tenzi);
  tenzi.m_chosenIndex = 153;
  tenzi.SetAction(kActSpecialSkill);
  ASSERT_TRUE(tenzi.RunUntil(kActIdle));
  EXPECT_EQ(tenzi.What(), (Strings{"set 10018", "set 10023", "set 10025", "skill 1", "skill 2", "set 10000"}));
  EXPECT_EQ(tenzi.steps[2].tick - tenzi.steps[1].tick, 64);
  EXPECT_LT(tenzi.steps[3].tick - tenzi.steps[2].tick, 30);
  EXPECT_GE(tenzi.steps[4].tick - tenzi.steps[2].tick, 30);
  ASSERT_EQ(Sent(10).size(), 1u);
  EXPECT_EQ(Sent(10)[0].a, 50);
}

TEST_F(BattleFormTest, TenzisBrionacStrikesAgainEveryFifthTick) {
  session.players[0].weapon = battleformtest::kSpear;
  for (const auto& [skill, blows] : {std::pair{kBrionacSkill, Strings{"2", "5", "10", "13", "15"}},
                                     {154, Strings{"2", "13"}}}) {
    SCOPED_TRACE(skill);
    CTraced<CBattleTenzi> tenzi;
    Bind(tenzi);
    tenzi.m_chosenIndex = skill;
    tenzi.SetAction(kActSpecialHit4);
    ASSERT_TRUE(tenzi.RunUntil(kActWalkBack));
    Strings ticks;
    for (const Step& s : tenzi.steps) {
      if (s.what == "skill 2") ticks.push_back(std::to_string(s.tick));
    }
    EXPECT_EQ(ticks, blows);
    session.players[0].battlePtr = nullptr;
  }
}

TEST_F(BattleFormTest, TenzisSheetsFollowHisWeaponsClass) {
  for (const char* move : {"도립축_창", "도립축_봉", "도립축_폴암"}) WriteMove(move);
  for (const char* pose : {"텐지_창", "텐지_봉", "텐지_헬버드"}) WriteSheet(std::string("주연급/승리포즈/") + pose);
  struct Case {
    int weapon;
    const char* move;
    const char* pose;
  };
  const Case cases[] = {{battleformtest::kSpear, "도립축_창", "텐지_창"}, {battleformtest::kRod, "도립축_봉", "텐지_봉"}, {battleformtest::kHalberd, "도립축_폴암", "텐지_헬버드"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.move);
    session.players[0].weapon = c.weapon;
    CTraced<CBattleTenzi> tenzi;
    Bind(tenzi);
    tenzi.SetAction(kActSpecialHit);
    EXPECT_EQ(tenzi.m_actName, std::string("주연급\\전투\\특수동작\\") + c.move + ".act");
    EXPECT_EQ(tenzi.m_sprName, std::string("주연급\\전투\\특수동작\\") + c.move + ".spr");
    tenzi.SetAction(kActVictory);
    EXPECT_EQ(tenzi.m_actName, std::string("주연급\\승리포즈\\") + c.pose + ".act");
    session.players[0].battlePtr = nullptr;
  }
}

// Without a spear, rod or polearm his moves play on his own sheet and end,
// and he can be hit again.
TEST_F(BattleFormTest, TenziWithoutHisWeaponsSaysSoAndHisMoveStillEnds) {
  WriteMove("도립축_창");
  for (int weapon : {static_cast<int>(battleformtest::kStaff), -1}) {
    SCOPED_TRACE(weapon);
    session.players[0].weapon = weapon;
    CTraced<CBattleTenzi> tenzi;
    Bind(tenzi);
    testsupport::DebugLogCapture log;
    tenzi.SetAction(kActSpecialHit);
    EXPECT_TRUE(log.Contains("Hey.!! Hey.. Hey.. dont' use skill!! of TENZI"));
    EXPECT_EQ(tenzi.m_actName, "fighter.act");
    EXPECT_EQ(tenzi.m_actionCode, kActSpecialHit);
    ASSERT_TRUE(tenzi.RunUntil(kActWalkBack, 200));
    for (int i = 0; i < 4; ++i) tenzi.Tick();
    EXPECT_EQ(tenzi.m_hitGuardTicks, 0);
    tenzi.SetAction(kActVictory);
    EXPECT_EQ(tenzi.m_actName, "fighter.act");
    session.players[0].battlePtr = nullptr;
  }
}

TEST_F(BattleFormTest, CelineLoosesAnArrowOnTheHitFrame) {
  CTraced<CBattleCeline> celine;
  Bind(celine);
  celine.SetAction(kActAttack);
  ASSERT_TRUE(celine.RunUntil(kActWalkBack));
  ASSERT_EQ(celine.steps.size(), 4u);
  EXPECT_EQ(celine.steps[1].what, "arrow 0");
  EXPECT_EQ(celine.steps[2].what, "arrow 0");
}

TEST_F(BattleFormTest, CelinesStandingShotAimsWithoutRunningThenShootsAgain) {
  CTraced<CBattleCeline> celine;
  Bind(celine);
  celine.m_chosenIndex = 163;
  celine.SetAction(kActSpecialSkill);
  ASSERT_TRUE(celine.RunUntil(kActIdle));
  EXPECT_EQ(celine.What(), (Strings{"set 10018", "set 10075", "skill 1", "skill 1", "set 10067", "skill 2", "skill 2",
                                    "set 10000"}));
  EXPECT_FLOAT_EQ(celine.m_pos.x, 0.0f);
  EXPECT_FLOAT_EQ(celine.m_pos.z, 0.0f);
  // Choosing the skill shows her, with the battle's short pause.
  ASSERT_EQ(Sent(10).size(), 1u);
  EXPECT_EQ(Sent(10)[0].a, 30);
}

TEST_F(BattleFormTest, CarrotsSplitArmourLeapsAndLands) {
  CTraced<CBattleCarrot> carrot;
  Bind(carrot);
  carrot.m_chosenIndex = 126;
  carrot.SetAction(kActSpecialSkill);
  ASSERT_TRUE(carrot.RunUntil(kActSkillHit1));
  carrot.Tick();
  EXPECT_FLOAT_EQ(carrot.m_gravityFactor, 1.5f);
  EXPECT_EQ(carrot.m_inAir, 1);
  ASSERT_TRUE(carrot.RunUntil(kActWalkBack));
  EXPECT_EQ(carrot.What(), (Strings{"set 10018", "set 10075", "set 10067", "set 10070", "skill 2", "skill 2",
                                    "set 10003"}));
  EXPECT_FLOAT_EQ(carrot.m_gravityFactor, 1.0f);
  EXPECT_EQ(carrot.m_inAir, 0);
}

TEST_F(BattleFormTest, PeachsQuickSkillsStrikeAtOnce) {
  CTraced<CBattlePeach> peach;
  Bind(peach);
  peach.m_chosenIndex = 112;
  peach.SetAction(kActSpecialSkill);
  ASSERT_TRUE(peach.RunUntil(kActWalkBack));
  EXPECT_EQ(peach.What(), (Strings{"set 10018", "set 10065", "skill 1", "skill 2", "set 10003"}));
  EXPECT_FLOAT_EQ(peach.m_pos.z, 0.0f);

  // The back flasher: a light blow, then the run-through.
  peach.steps.clear();
  peach.SetAction(kActSpecialHit5);
  ASSERT_TRUE(peach.RunUntil(kActWalkBack));
  EXPECT_EQ(peach.What(), (Strings{"set 10069", "skill 1", "skill 1", "set 10070", "skill 1", "skill 1", "set 10003"}));
  EXPECT_GT(peach.m_pos.z, 0.0f);
}

TEST_F(BattleFormTest, KreutzersLotusRunsInAndStrikesHarderFromTick50) {
  WriteMove("연화설");
  CTraced<CBattleKreutzer> kreutzer;
  Bind(kreutzer);
  kreutzer.m_chosenIndex = 109;
  kreutzer.SetAction(kActSpecialSkill);
  ASSERT_TRUE(kreutzer.RunUntil(kActSpecialHit));
  EXPECT_LT(kreutzer.DistanceXZ(enemy.m_pos.x, enemy.m_pos.z), 10.0f);
  EXPECT_NE(kreutzer.m_actName.find("연화설"), std::string::npos);
  // A blow during the move is ignored.
  kreutzer.Tick();
  EXPECT_EQ(kreutzer.m_hitGuardTicks, 3);
  kreutzer.OnMessage(&enemy, kMsgHit, 50, 0, 0);
  EXPECT_EQ(kreutzer.m_actionCode, kActSpecialHit);
  EXPECT_EQ(session.players[0].hp, 80);
  const int started = kreutzer.ticks;
  ASSERT_TRUE(kreutzer.RunUntil(kActWalkBack));
  EXPECT_EQ(kreutzer.What(), (Strings{"set 10018", "set 10073", "set 10065", "skill 1", "skill 2", "set 10003"}));
  EXPECT_LT(kreutzer.steps[3].tick - started, 50);
  EXPECT_GE(kreutzer.steps[4].tick - started, 49);
  // The special start: the trail, and the battle's pause of 30.
  ASSERT_EQ(Sent(10).size(), 1u);
  EXPECT_EQ(Sent(10)[0].a, 30);
}

TEST_F(BattleFormTest, KreutzersRunToTheWalkPointGivesUpIntoItsStrike) {
  CTraced<CBattleKreutzer> kreutzer;
  Bind(kreutzer);
  kreutzer.m_targetX = 5000.0f;
  kreutzer.m_targetZ = 5000.0f;
  kreutzer.m_chosenIndex = 110;
  kreutzer.SetAction(kActSpecialSkill);
  ASSERT_TRUE(kreutzer.RunUntil(kActIdle));
  EXPECT_EQ(kreutzer.What(), (Strings{"set 10018", "set 10074", "set 10025", "set 10066", "skill 2", "skill 2",
                                      "set 10000"}));
  EXPECT_EQ(kreutzer.steps[2].tick, 302);
}

// Every form's own tables hold together: each route and each run-in ends
// in a blow the form itself has a row and a sheet for.
TEST(BattleFormTables, EveryRouteReachesItsOwnStrike) {
  using namespace battleform;
  // Only a second form leans on another: its own first form.
  const std::tuple<const char*, const Form*, const Form*> forms[] = {
      {"sizz", &kSizz, nullptr},          {"sizz2", &kSizz2, &kSizz},
      {"maria", &kMaria, nullptr},        {"maria2", &kMaria2, &kMaria},
      {"elluard", &kElluard, nullptr},    {"elluard2", &kElluard2, &kElluard},
      {"ai", &kAi, nullptr},              {"tenzi", &kTenzi, nullptr},
      {"celine", &kCeline, nullptr},      {"carrot", &kCarrot, nullptr},
      {"peach", &kPeach, nullptr},        {"kreutzer", &kKreutzer, nullptr},
  };
  for (const auto& [name, form, first] : forms) {
    SCOPED_TRACE(name);
    EXPECT_EQ(form->base, first);
    const auto animated = [form = form](int32_t code) {
      return std::ranges::any_of(form->rows, [code](const OwnRow& r) { return r.code == code; });
    };
    const auto approach = [form = form](int32_t code) -> const ApproachRow* {
      for (const Form* f = form; f != nullptr; f = f->base) {
        for (const ApproachRow& r : f->approaches) {
          if (r.code == code) return &r;
        }
      }
      return nullptr;
    };
    const auto hit = [form = form](int32_t code) -> const HitRow* {
      for (const Form* f = form; f != nullptr; f = f->base) {
        for (const HitRow& r : f->hits) {
          if (r.code == code) return &r;
        }
      }
      return nullptr;
    };
    for (const ApproachRow& r : form->approaches) {
      EXPECT_TRUE(animated(r.code)) << r.code;
      EXPECT_TRUE(animated(r.hitCode)) << r.code << " -> " << r.hitCode;
    }
    std::vector<RouteRow> routes(form->route.begin(), form->route.end());
    routes.insert(routes.end(), form->groups.begin(), form->groups.end());
    for (const RouteRow& route : routes) {
      int32_t code = route.code;
      SCOPED_TRACE("route to " + std::to_string(code));
      bool struck = false;
      for (int step = 0; step < 4 && !struck; ++step) {
        EXPECT_TRUE(animated(code)) << code;
        if (const ApproachRow* run = approach(code)) code = run->hitCode;
        const HitRow* row = hit(code);
        ASSERT_NE(row, nullptr) << code;
        EXPECT_TRUE(animated(code)) << code;
        struck = row->resolve != Resolve::kNone || row->repeatEvery > 0;
        if (!struck && row->end == End::kNext) code = row->next;
      }
      EXPECT_TRUE(struck);
    }
  }
}

TEST_F(BattleFormTest, MariasOwnRunsLeadToTheirOwnBlows) {
  struct Case {
    int32_t skill;
    bool second;
    Strings codes;  // the codes entered, blows left out
  };
  const Case cases[] = {
      {98, false, {"set 10018", "set 10074", "set 10066", "set 10003"}},
      {97, false, {"set 10018", "set 10073", "set 10065", "set 10003"}},
      {98, true, {"set 10018", "set 10074", "set 10066", "set 10003"}},
      {99, true, {"set 10018", "set 10077", "set 10069", "set 10003"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.skill) + (c.second ? " second form" : ""));
    CTraced<CBattleMaria> maria;
    CTraced<CBattleMaria2> maria2;
    CBattleCharacter& self = c.second ? static_cast<CBattleCharacter&>(maria2) : maria;
    auto steps = [&] { return c.second ? maria2.What() : maria.What(); };
    if (c.second) {
      Bind(maria2);
    } else {
      Bind(maria);
    }
    self.m_targetX = enemy.m_pos.x;
    self.m_targetZ = enemy.m_pos.z;
    self.m_chosenIndex = c.skill;
    self.SetAction(kActSpecialSkill);
    for (int i = 0; i < 2000 && self.m_actionCode != kActWalkBack; ++i) self.OnProcess();
    Strings codes, blows;
    for (const std::string& s : steps()) (s.rfind("set", 0) == 0 ? codes : blows).push_back(s);
    EXPECT_EQ(codes, c.codes);
    EXPECT_FALSE(blows.empty());
  }
}

TEST_F(BattleFormTest, TheFlashArrowFiresWithoutRunningAndStaysPut) {
  CTraced<CBattleMaria> maria;
  Bind(maria);
  maria.m_chosenIndex = kFlashArrowSkill;
  maria.SetAction(kActSpecialSkill);
  ASSERT_TRUE(maria.RunUntil(kActIdle));
  EXPECT_EQ(maria.What(), (Strings{"set 10018", "set 10075", "set 10067", "skill 1", "skill 2", "set 10000"}));
  EXPECT_FLOAT_EQ(maria.m_pos.x, 0.0f);
  EXPECT_FLOAT_EQ(maria.m_pos.z, 0.0f);
}

TEST_F(BattleFormTest, SizzGathersShowsTheElementAndCastsAtFrame2) {
  struct Case {
    int32_t magic;
    std::vector<intptr_t> effects;  // message 12
  };
  const Case cases[] = {{kFireMagic, {241}}, {kPlainMagic, {}}, {77, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.magic);
    Frame().messages.clear();
    CTraced<CBattleSizz> sizz;
    Bind(sizz);
    sizz.OnMessage(nullptr, kMsgChosenIndex, c.magic, 0, 0);
    sizz.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&enemy), 9, 0);
    EXPECT_EQ(sizz.m_hitGuardTicks, 60);
    testsupport::DebugLogCapture log;
    ASSERT_TRUE(sizz.RunUntil(kActIdle));
    EXPECT_EQ(sizz.What(), (Strings{"set 10023", "set 10025", "magic 0", "set 10000"}));
    // Frame 2 of the cast, at a delay of 7.
    EXPECT_EQ(sizz.steps[2].tick - sizz.steps[1].tick, 14);
    ASSERT_FALSE(Sent(10).empty());
    EXPECT_EQ(Sent(10)[0].a, 100);
    std::vector<intptr_t> effects;
    for (const FrameMessage& m : Sent(12)) effects.push_back(m.a);
    EXPECT_EQ(effects, c.effects);
    EXPECT_TRUE(log.Contains("마법_시즈1"));  // no such sheet: the own sheet plays
    session.players[0].battlePtr = nullptr;
    Context().FreeEffects();
  }
}

TEST_F(BattleFormTest, Sizz2sLongSwordBlowGoesOnToItsSecondSkill) {
  CTraced<CBattleSizz2> sizz;
  Bind(sizz);
  sizz.SetAction(kActSpecialSkill);
  ASSERT_TRUE(sizz.RunUntil(kActWalkBack));
  EXPECT_EQ(sizz.What(), (Strings{"set 10018", "set 10066", "set 10068", "skill 2 #95", "skill 2 #95",
                                  "set 10003"}));
}

TEST_F(BattleFormTest, AisGhostWindStrikesNearThenFar) {
  CTraced<CBattleAi> ai;
  session.players[0].weapon = battleformtest::kBagnak;
  Bind(ai);
  ai.SetAction(kActSpecialSkill);
  ASSERT_TRUE(ai.RunUntil(kActWalkBack));
  EXPECT_EQ(ai.What(), (Strings{"set 10018", "set 10073", "set 10065", "weapon 1 reach 1", "weapon 1 reach 1",
                                "set 10068", "weapon 2 reach 100", "weapon 2 reach 100", "set 10003"}));
  const std::vector<FrameMessage> captions = Sent(3);
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_STREQ(reinterpret_cast<const char*>(captions[0].a), "귀곡풍(鬼哭風)");
}

TEST_F(BattleFormTest, MariasDirtThrowRunsInOrGivesUpWithHalfAGauge) {
  CTraced<CBattleMaria> maria;
  Bind(maria);
  maria.m_chosenIndex = 0;
  maria.SetAction(kActSpecialSkill);
  ASSERT_TRUE(maria.RunUntil(kActWalkBack));
  EXPECT_EQ(maria.What(), (Strings{"set 10018", "set 10085", "set 10086", "set 10087", "skill 0", "set 10003"}));
  EXPECT_EQ(maria.steps[2].tick - maria.steps[1].tick, 51);
  EXPECT_EQ(maria.steps[4].tick - maria.steps[3].tick, 20);
  EXPECT_EQ(maria.m_afterimage, 0);

  // Out of reach, stuck at the map's edge: idle with half a gauge.
  enemy.m_pos = {0.0f, 0.0f, 5000.0f};
  maria.steps.clear();
  maria.SetAction(kActDig);
  ASSERT_TRUE(maria.RunUntil(kActIdle));
  EXPECT_GT(maria.m_bumpTicks, 55);
  EXPECT_LT(maria.steps.back().tick - maria.steps.front().tick, 600);
  EXPECT_FLOAT_EQ(maria.m_timeGauge, 50.0f);
}

TEST_F(BattleFormTest, EveryCodeSwitchesTheTrailOffAndClearsTheStrength) {
  CTraced<CBattleKreutzer> kreutzer;
  Bind(kreutzer);
  for (int32_t code : {kActSpecialHit, kActSpecialHit, kActIdle, kActDefend}) {
    kreutzer.SetAfterimage(1, 20, 0);
    kreutzer.m_hitStrength = 2;
    kreutzer.SetAction(code);
    EXPECT_EQ(kreutzer.m_afterimage, 0) << code;
    EXPECT_EQ(kreutzer.m_afterimageLength, 10);
    EXPECT_EQ(kreutzer.m_afterimageColour, static_cast<int32_t>(0x88FFFFFFu));
    EXPECT_EQ(kreutzer.m_hitStrength, 0);
  }
}

TEST_F(BattleFormTest, AnEvenRandPicksTheSecondPose) {
  WriteSheet("주연급/승리포즈/시즈1_1");
  WriteSheet("주연급/승리포즈/시즈1_2");
  CTraced<CBattleSizz> sizz;
  Bind(sizz);
  for (const auto& [draw, pose] : {std::pair{3, "시즈1_1"}, {4, "시즈1_2"}}) {
    platform::QueueRand({draw});
    sizz.OnMessage(nullptr, kMsgVictory, 0, 0, 0);
    EXPECT_EQ(sizz.m_actionCode, kActVictory);
    EXPECT_EQ(sizz.m_actName, std::string("주연급\\승리포즈\\") + pose + ".act");
  }
}

TEST_F(BattleFormTest, AMissingSpecialSheetPlaysOnTheOwnSheetAndEnds) {
  CTraced<CBattleKreutzer> kreutzer;
  Bind(kreutzer);
  testsupport::DebugLogCapture log;
  kreutzer.SetAction(kActSpecialHit);
  EXPECT_TRUE(log.Contains("연화설"));
  EXPECT_EQ(kreutzer.m_actName, "fighter.act");
  ASSERT_TRUE(kreutzer.RunUntil(kActWalkBack, 200));
  // Hittable again once it has ended.
  for (int i = 0; i < 4; ++i) kreutzer.Tick();
  EXPECT_EQ(kreutzer.m_hitGuardTicks, 0);
}

TEST_F(BattleFormTest, ASpecialMoveWithoutATargetGoesIdle) {
  CTraced<CBattleKreutzer> kreutzer;
  Bind(kreutzer);
  kreutzer.SetAction(kActSpecialHit);
  kreutzer.m_target = nullptr;
  kreutzer.Tick();
  EXPECT_EQ(kreutzer.m_actionCode, kActIdle);
}

}  // namespace
