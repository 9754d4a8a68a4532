// The character forms on a flat map, bound to a record: orders and routes
// by form, the run-ins and blows of each form's chains traced tick by tick,
// poses, missing sheets and what a special move ignores.
#include <gtest/gtest.h>

#include <memory>
#include <string>
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

class CEnemyProbe : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject*, int, intptr_t, intptr_t, intptr_t) override {}
};

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

enum Item { kSword = 7, kDagger, kBagnak, kKaiser, kStaff };

std::string ItemBlock(const std::string& name, int kind, const std::string& params) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param " + params + "\n#end\n";
}

std::string Weapon(const std::string& name, int weaponClass) {
  return ItemBlock(name, 0, "0 0 0 0 0 0 " + std::to_string(weaponClass) + " 0 0 3.0 0");
}

constexpr int kFlashArrowSkill = 128;
constexpr int kFireMagic = 0, kPlainMagic = 1;

class BattleFormTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  BattleFormTest() {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += ItemBlock("empty" + std::to_string(i), emptyKinds[i], "0");
    items += Weapon("sword", 0) + Weapon("dagger", 1) + Weapon("바그낙", 5) + Weapon("카이저너클", 5) + Weapon("staff", 3);
    Write("data/diary/item.txt", items);
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    std::string skills;
    for (int i = 0; i < 200; ++i) {
      skills += "#skill < " + (i == kFlashArrowSkill ? std::string("플래쉬_애로우") : "s" + std::to_string(i)) +
                " > < >\n#end\n";
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
    record.weapon = kSword;
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
  CEnemyProbe enemy;
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
      {"battlekreutzer", 109, kSword, kActSpecialApproach},  {"battlekreutzer", 110, kSword, kActSpecialApproach2},
      {"battlekreutzer", 131, kSword, kActSpecialApproach3}, {"battlekreutzer", 175, kSword, kActSpecialApproach3},
      {"battlekreutzer", 141, kSword, kActDig},              {"battlekreutzer", 170, kSword, kActSkillHit2},
      {"battlekreutzer", 183, kSword, kActSkillHit3},        {"battlekreutzer", 5, kSword, kActApproach},
      {"battlemaria", 0, kSword, kActAttackStart},           {"battlemaria", 97, kSword, kActSpecialApproach},
      {"battlemaria", 131, kSword, kActSkillHit2},           {"battlemaria", 133, kSword, kActApproach},
      {"battlemaria2", 0, kSword, kActApproach},             {"battlemaria2", 99, kSword, kActSpecialApproach5},
      {"battlemaria2", 100, kSword, kActSpecialApproach4},   {"battlemaria2", 145, kSword, kActSpecialApproach3},
      {"battlesizz2", 109, kSword, kActSpecialHit2},         {"battlesizz2", 109, kDagger, kActSpecialHit},
      {"battlesizz2", 109, kStaff, kActAttack},              {"battleai", 5, kBagnak, kActSpecialApproach},
      {"battleai", 5, kKaiser, kActSpecialApproach2},        {"battleai", 5, kSword, kActAttack},
      {"battleai", 5, 2, kActAttack},
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
  session.players[0].weapon = kBagnak;
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
