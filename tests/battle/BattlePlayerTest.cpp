// A party member in battle on a flat map, bound to its record: the hits it
// takes by the damage against its hit and barrier maxima, guarding, the
// gauge and the turn, orders, the knock-down chains, falling and the
// scarab's revival, and the character classes by registration name.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "battle/BattleCharacters.h"
#include "effect/SelvarinEffect.h"
#include "engine/ActRes.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

// An enemy that records what it is told.
class CEnemyProbe : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t, intptr_t) override {
    heard.push_back({code, static_cast<int32_t>(value0)});
  }
  struct Heard {
    int code;
    int32_t value;
    bool operator==(const Heard&) const = default;
  };
  std::vector<Heard> heard;
};

// A member that remembers the actions it enters and on which tick of the
// run.
class CMemberProbe : public CBattlePlayer {
 public:
  void SetAction(int32_t code) override {
    entered.push_back({code, ticks});
    CBattlePlayer::SetAction(code);
  }
  bool Tick() {
    ++ticks;
    return OnProcess();
  }
  struct Entered {
    int32_t code, tick;
  };
  std::vector<Entered> entered;
  int ticks = 0;
};

enum Item { kSword = 7, kWoodenShield, kOddShield, kScarab, kPShirt, kItems };

std::string ItemBlock(const std::string& name, int kind, const std::string& params) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param " + params + "\n#end\n";
}

class BattlePlayerTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  BattlePlayerTest() {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += ItemBlock("empty" + std::to_string(i), emptyKinds[i], "0");
    items += ItemBlock("sword", 0, "0 0 0 0 0 0 0 0 0 3.0 0");
    items += ItemBlock("우든쉴드", 1, "0");
    items += ItemBlock("냄비뚜껑", 1, "0");
    items += ItemBlock("스카라베", 6, "0");
    items += ItemBlock("P-셔츠", 2, "0");
    Write("data/diary/item.txt", items);
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    session.Init();
    PlayerData& record = session.players[0];
    record.engname = "sizz";
    record.hp = record.maxhp = 80;
    record.shp = record.maxshp = 20;
    record.weapon = kSword;
    record.shield = kWoodenShield;
    record.resetMark = 1;
    session.partyIds[0] = 0;
    session.partyCount = 1;
    session.battlePartyCount = 1;
    Bind(member, 0);
    enemy.m_pos = {0.0f, 0.0f, 10.0f};
    enemy.m_battleId = {0, 0};
    enemy.SetAction(kActIdle);
    session.enemies[0].actor = &enemy;
    session.enemyCount = 1;
    platform::Srand(1);
  }
  ~BattlePlayerTest() override {
    Context().m_battleParty.clear();
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& s : session.enemies) s.actor = nullptr;
    platform::ClearQueuedRand();
    session.Init();
  }

  void Bind(CBattlePlayer& actor, int position) {
    PlayerData& record = session.players[static_cast<size_t>(position)];
    actor.m_record = &record;
    record.battlePtr = &actor;
    actor.m_battleId = {position, 1};
    actor.m_timeGauge = 0.0f;
    actor.SetAction(kActIdle);
  }
  // Sheets with four actions of four frames, the third a hit frame.
  void WriteSheets() {
    slvtools::SprWriter spr(0x200);
    spr.SetColor(1, 255, 0, 0);
    spr.AddImage(2, 2, std::vector<uint8_t>(4, 1));
    Write("data/sprite/fighter.spr", spr.Build());
    ActMotion motion;
    motion.layers.push_back(ActLayer{});
    ActMotion hit = motion;
    hit.eventIndex = 0;
    const ActAction four{{motion, motion, hit, motion}};
    Write("data/sprite/fighter.act", slvtools::BuildAct(0x201, {four, four, four, four}, {"attacktime.atk"}));
    session.players[0].battlesprname = "fighter.spr";
    session.players[0].battleactname = "fighter.act";
  }
  std::vector<FrameMessage> Sent(int code) const {
    std::vector<FrameMessage> out;
    for (const FrameMessage& m : const_cast<BattlePlayerTest*>(this)->Frame().messages) {
      if (m.code == code) out.push_back(m);
    }
    return out;
  }

  CSession& session = CSession::GetInstance();
  CMemberProbe member;
  CEnemyProbe enemy;
};

TEST_F(BattlePlayerTest, HitsByDamageAgainstHitAndBarrierMaxima) {
  // The maxima add up to 100: reactions at 10, 20 and 40; a guard below 30.
  struct Case {
    const char* what;
    int code;
    int32_t p, q, style;
    int32_t action, hp, shp, stateid;  // before
    int32_t reaction;
    float knockBack, vy;
    int32_t hpAfter, shpAfter, cpAfter;
    std::vector<CEnemyProbe::Heard> reply;
  };
  const Case cases[] = {
      {"light", kMsgHit, 9, 0, 0, kActIdle, 80, 20, 0, kActDamageLight, -1.8f, -1.3f, 80, 11, 30, {{kMsgHitConfirmed, 9}}},
      {"medium", kMsgHit, 10, 0, 0, kActIdle, 80, 20, 0, kActDamage, -2.0f, -1.6f, 80, 10, 30, {{kMsgHitConfirmed, 10}}},
      {"strong", kMsgHit, 39, 0, 0, kActIdle, 80, 20, 0, kActDamageStrong, -2.15f, -1.9f, 61, 0, 30,
       {{kMsgHitConfirmed, 39}}},
      {"heavy", kMsgHit, 40, 0, 0, kActIdle, 80, 20, 0, kActDamageHeavy, -2.3f, -2.1f, 60, 0, 30, {{kMsgHitConfirmed, 40}}},
      {"style 1 stops the push", kMsgHit, 9, 0, 1, kActIdle, 80, 20, 0, kActDamageLight, 0.0f, -1.3f, 80, 11, 30,
       {{kMsgHitConfirmed, 9}}},
      {"style 2 throws", kMsgHit, 9, 0, 2, kActIdle, 80, 20, 0, kActDamageLight, -5.0f, -1.3f, 80, 11, 30,
       {{kMsgHitConfirmed, 9}}},
      {"magic is never guarded", kMsgMagicHit, 9, 0, 1, kActDefend, 80, 20, 0, kActDamageLight, -1.8f, -1.3f, 80, 11,
       30, {{kMsgHitConfirmed, 9}}},
      {"guarded below 30 %", kMsgHit, 29, 0, 0, kActDefend, 80, 20, 0, kActGuard, -1.0f, -0.5f, 80, 20, 20,
       {{kMsgRecoil, 0}}},
      {"half taken from 30 %", kMsgHit, 30, 0, 0, kActDefend, 80, 20, 0, kActGuardPushed, -2.0f, -1.2f, 80, 5, 30,
       {{kMsgHitConfirmed, 30}}},
      {"half at 40 % pushes back", kMsgHit, 81, 0, 0, kActGuard, 80, 20, 0, kActGuardPushedBack, -2.1f, -2.1f, 60, 0,
       30, {{kMsgHitConfirmed, 81}}},
      {"exactly the barrier", kMsgHit, 20, 0, 0, kActIdle, 80, 20, 0, kActDamageStrong, -2.15f, -1.9f, 80, 0, 30,
       {{kMsgHitConfirmed, 20}}},
      {"no barrier", kMsgHit, 12, 0, 0, kActIdle, 80, 0, 0, kActDamage, -2.0f, -1.6f, 68, 0, 30, {{kMsgHitConfirmed, 12}}},
      {"undead keeps one", kMsgHit, 50, 0, 0, kActIdle, 5, 0, kUndead, kActDamageHeavy, -2.3f, -2.1f, 1, 0, 30,
       {{kMsgHitConfirmed, 50}}},
      {"the fall", kMsgHit, 50, 0, 0, kActIdle, 5, 0, 0, kActDying, -2.3f, -2.1f, 0, 0, 30, {{kMsgHitConfirmed, 50}}},
      {"two parts: barrier emptied exactly", kMsgHitTwoParts, 20, 5, 0, kActIdle, 80, 20, 0, kActDamageStrong, -2.15f, -1.9f,
       80, 0, 30, {{kMsgHitConfirmed, 25}}},
      {"two parts: shortfall and hp part", kMsgHitTwoParts, 25, 5, 0, kActIdle, 80, 20, 0, kActDamageStrong, -2.15f,
       -1.9f, 70, 0, 30, {{kMsgHitConfirmed, 30}}},
      {"two parts, no barrier", kMsgHitTwoParts, 3, 4, 0, kActIdle, 80, 0, 0, kActDamageLight, -1.8f, -1.3f, 73, 0, 30,
       {{kMsgHitConfirmed, 7}}},
      {"two parts guarded in halves", kMsgHitTwoParts, 20, 20, 0, kActDefend, 80, 20, 0, kActGuardPushed, -2.0f, -1.2f,
       70, 10, 30, {{kMsgHitConfirmed, 40}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlayerData& record = session.players[0];
    record.hp = c.hp;
    record.shp = c.shp;
    record.stateid = static_cast<int32_t>(c.stateid | kPanic);
    record.cp = 0;
    member.m_hitGuardTicks = 0;
    member.SetAction(c.action);
    enemy.heard.clear();
    member.OnMessage(&enemy, c.code, c.p, c.q, c.style);
    EXPECT_EQ(member.m_actionCode, c.reaction);
    if (c.reaction != kActDying) {
      EXPECT_FLOAT_EQ(member.m_knockBack, c.knockBack);
      EXPECT_FLOAT_EQ(member.m_velocity.y, c.vy);
    }
    EXPECT_EQ(record.hp, c.hpAfter);
    EXPECT_EQ(record.shp, c.shpAfter);
    EXPECT_EQ(record.cp, c.cpAfter);
    EXPECT_EQ(enemy.heard, c.reply);
    // A guarded blow leaves the panic; every other one takes it away.
    EXPECT_EQ((record.stateid & kPanic) != 0, c.reaction == kActGuard);
  }

  // The hit-stop of each kind, and a magic hit shakes.
  member.m_hitGuardTicks = 0;
  member.SetAction(kActIdle);
  member.OnMessage(&enemy, kMsgHit, 1, 0, 2);
  EXPECT_EQ(member.m_hitStopTicks, 0);
  member.m_hitGuardTicks = 0;
  member.OnMessage(&enemy, kMsgMagicHit, 1, 0, 0);
  EXPECT_EQ(member.m_hitStopTicks, 30);
  EXPECT_EQ(member.m_shakeTicks, 30);
  // While the hit guard runs, and in a terminal action, blows do nothing.
  const int32_t hp = session.players[0].hp;
  member.OnMessage(&enemy, kMsgHit, 50, 0, 0);
  member.m_hitGuardTicks = 0;
  member.SetAction(kActRemoved);
  member.OnMessage(&enemy, kMsgHit, 50, 0, 0);
  EXPECT_EQ(session.players[0].hp, hp);
}

TEST_F(BattlePlayerTest, AGuardShowsTheShieldsEffectAndABlowWithoutSenderTurnsNobody) {
  member.SetAction(kActDefend);
  member.OnMessage(&enemy, kMsgHit, 5, 0, 0);
  std::vector<EffectId> effects;
  for (const CSelvarinEffect* e : member.m_effects) effects.push_back(e->GetEffectId());
  EXPECT_EQ(effects, (std::vector<EffectId>{1044, 206}));
  EXPECT_EQ(member.m_target, &enemy);

  // A shield the table does not know only sounds.
  session.players[0].shield = kOddShield;
  member.m_effects.clear();
  member.GuardWithShield();
  EXPECT_TRUE(member.m_effects.empty());

  // A script's blow: no facing, no reply, no new target; the guard holds.
  member.m_target = nullptr;
  member.m_hitGuardTicks = 0;
  member.SetAction(kActDefend);
  member.m_angle = 33.0f;
  member.OnMessage(nullptr, kMsgHit, 5, 0, 0);
  EXPECT_EQ(member.m_actionCode, kActGuard);
  EXPECT_EQ(member.m_target, nullptr);
  member.m_hitGuardTicks = 0;
  member.SetAction(kActIdle);
  member.OnMessage(nullptr, kMsgHit, 50, 0, 0);
  EXPECT_FLOAT_EQ(member.m_angle, 33.0f);
  Context().FreeEffects();
}

TEST_F(BattlePlayerTest, TheGaugeRaisesOneHookPerTurnAndAskForTheTurnFromIdle) {
  session.enemies[0].actor = nullptr;  // nobody to strike back at
  member.SetAction(kActDefend);
  member.m_timeGauge = 99.5f;
  member.Tick();  // 99.85: the hook goes up a tick early
  EXPECT_EQ(session.hooks.Get("__turnsizz1"), 1);
  EXPECT_TRUE(Sent(9).empty());
  member.Tick();  // full while defending: idle, no request yet
  EXPECT_EQ(member.m_timeGauge, 100.0f);
  EXPECT_EQ(member.m_actionCode, kActIdle);
  EXPECT_TRUE(Sent(9).empty());
  member.Tick();
  member.Tick();
  ASSERT_EQ(Sent(9).size(), 2U);  // every tick until ordered
  EXPECT_EQ(Sent(9)[0].sender, &member);
  EXPECT_EQ(Sent(9)[0].a, 0);
  EXPECT_EQ(Sent(9)[0].b, 1);
  EXPECT_EQ(member.m_turnCount, 1);

  // Hit-stop freezes the whole tick.
  member.SetAction(kActIdle);
  member.m_timeGauge = 10.0f;
  member.m_hitStopTicks = 2;
  const int32_t tick = member.m_tickCount;
  member.Tick();
  member.Tick();
  EXPECT_EQ(member.m_timeGauge, 10.0f);
  EXPECT_EQ(member.m_tickCount, tick);
  member.Tick();
  EXPECT_FLOAT_EQ(member.m_timeGauge, 10.35f);
}

TEST_F(BattlePlayerTest, Orders) {
  PlayerData& record = session.players[0];
  // The flag of a special attack at a full gauge.
  record.cp = 100;
  member.m_timeGauge = 80.0f;
  member.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&enemy), 0, 1);
  EXPECT_EQ(member.m_actionCode, kActApproach);
  EXPECT_EQ(member.m_target, &enemy);
  EXPECT_EQ(member.m_timeGauge, 0.0f);
  EXPECT_EQ(record.cp, 0);
  ASSERT_EQ(Sent(3).size(), 1U);
  EXPECT_STREQ(reinterpret_cast<const char*>(Sent(3)[0].a), "필살공격");

  // Defend from half a gauge.
  member.OnMessage(nullptr, kMsgOrder, 0, 1, 0);
  EXPECT_EQ(member.m_actionCode, kActDefend);
  EXPECT_EQ(member.m_timeGauge, 50.0f);

  // Leaving and the like do nothing here.
  for (int kind : {4, 5}) {
    member.SetAction(kActDefend);
    member.OnMessage(nullptr, kMsgOrder, 0, kind, 0);
    EXPECT_EQ(member.m_actionCode, kActDefend);
  }

  // No weapon: idle, and the caption says so.
  record.weapon = kEmptyWeapon;
  member.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(&enemy), 0, 0);
  EXPECT_EQ(member.m_actionCode, kActIdle);
  ASSERT_EQ(Sent(3).size(), 2U);
  EXPECT_STREQ(reinterpret_cast<const char*>(Sent(3)[1].a), "장착된 무기가 없습니다");
}

TEST_F(BattlePlayerTest, KnockDownChainsAndResumingAfterALightBlow) {
  session.enemies[0].actor = nullptr;
  member.SetAction(kActKnockedUp);
  for (int i = 0; i < 500 && member.m_actionCode != kActIdle; ++i) member.Tick();
  std::vector<int32_t> codes;
  for (const auto& e : member.entered) codes.push_back(e.code);
  const std::vector<int32_t> chain{kActIdle, kActKnockedUp, kActLying, kActGettingUp, kActDazed, kActIdle};
  ASSERT_EQ(codes, chain);
  const auto& e = member.entered;
  EXPECT_EQ(e[3].tick - e[2].tick, 60);
  EXPECT_EQ(e[4].tick - e[3].tick, 15);
  EXPECT_EQ(e[5].tick - e[4].tick, 300);

  // A bump in the air pushes off.
  member.SetAction(kActKnockedUp);
  member.m_bumped = 1;
  member.UpdateAction(kActKnockedUp);
  EXPECT_EQ(member.m_actionCode, kActPushOff);

  // A light blow goes back to what was saved, at its tick...
  member.SetAction(kActDefend);
  member.m_tickCount = 7;
  member.SetAction(kActDamageLight);
  for (int i = 0; i < 20; ++i) member.Tick();
  EXPECT_EQ(member.m_actionCode, kActDefend);
  EXPECT_EQ(member.m_tickCount, 7);
  // ...unless that was a state a member does not go back into...
  member.SetAction(kActStunned);
  member.SetAction(kActDamageLight);
  for (int i = 0; i < 20; ++i) member.Tick();
  EXPECT_EQ(member.m_actionCode, kActIdle);
  // ...and a blow in the middle of a fall lands.
  member.SetAction(kActDamage);
  member.SetAction(kActDamageLight);
  member.Tick();
  EXPECT_EQ(member.m_actionCode, kActLanding);
}

TEST_F(BattlePlayerTest, AFallenMemberLeavesAndTheScarabRevivesIt) {
  PlayerData& record = session.players[0];
  record.acc2 = kScarab;
  record.hp = 0;
  member.SetAction(kActDefeated);
  EXPECT_NE(record.stateid & kDying, 0);
  for (int i = 1; i < 24; ++i) ASSERT_TRUE(member.Tick()) << i;
  EXPECT_FALSE(member.Tick());
  EXPECT_EQ(member.m_actionCode, kActRemoved);
  for (int i = 1; i < 600; ++i) member.Tick();
  EXPECT_EQ(member.m_actionCode, kActRemoved);
  member.Tick();
  EXPECT_EQ(member.m_actionCode, kActLying);
  EXPECT_EQ(record.hp, 1);
  EXPECT_EQ(record.stateid & kDying, 0);
  EXPECT_EQ(record.acc2, kEmptyAcc23);
  EXPECT_EQ(session.GetItemCount(kScarab), 1);
  EXPECT_EQ(Context().m_battleParty.size(), 1U);

  // Without the scarab nothing happens.
  member.SetAction(kActRemoved);
  for (int i = 0; i < 600; ++i) member.Tick();
  EXPECT_EQ(member.m_actionCode, kActRemoved);
}

TEST_F(BattlePlayerTest, TheSpecialGaugeAndTheEnemyPickers) {
  PlayerData& record = session.players[0];
  record.cp = 90;
  session.AddSpecialGauge(0, 5);
  EXPECT_EQ(record.cp, 95);
  record.armor = kPShirt;
  session.AddSpecialGauge(0, 3);
  EXPECT_EQ(record.cp, 100);  // twice, capped

  // An idle enemy in reach is found only with the idle-target option.
  ASSERT_FLOAT_EQ(session.GetAttackReach(0, true), 30.0f);
  EXPECT_EQ(session.FindEnemyInReach(0), &enemy);
  record.resetMark = 0;
  EXPECT_EQ(session.FindEnemyInReach(0), nullptr);
  // A busy enemy only while it is open.
  enemy.SetAction(kActAttack);
  EXPECT_EQ(session.FindEnemyInReach(0), nullptr);
  enemy.m_openFlag = 1;
  EXPECT_EQ(session.FindEnemyInReach(0), &enemy);
  enemy.m_pos = {0.0f, 0.0f, 31.0f};
  EXPECT_EQ(session.FindEnemyInReach(0), nullptr);

  // The only live enemy, asking for another, gets itself; a dying one is
  // nobody's target, and the nearest skips it.
  EXPECT_EQ(session.PickRandomEnemy(0, false), &enemy);
  CEnemyProbe second;
  second.m_pos = {0.0f, 0.0f, 50.0f};
  session.enemies[3].actor = &second;
  session.enemyCount = 2;
  EXPECT_EQ(session.PickRandomEnemy(0, false), &second);
  EXPECT_EQ(session.FindNearestEnemy(0, true), &enemy);
  EXPECT_EQ(session.FindNearestEnemy(0, false), &second);
  enemy.SetAction(kActDying);
  EXPECT_EQ(session.FindNearestEnemy(0, true), &second);
  EXPECT_EQ(session.PickRandomEnemy(0, true), &second);
  session.enemies[3].actor = nullptr;
}

TEST_F(BattlePlayerTest, EachCharacterClassByItsNameAndItsStrikeEndsByAttackMode) {
  struct Case {
    const char* name;
    const std::type_info& type;
    int32_t menuIndex;
  };
  const Case cases[] = {
      {"battlesizz", typeid(CBattleSizz), 0},         {"battlesizz2", typeid(CBattleSizz2), 0},
      {"battlemaria", typeid(CBattleMaria), 1},       {"battlemaria2", typeid(CBattleMaria2), 1},
      {"battleelluard", typeid(CBattleElluard), 2},   {"battleelluard2", typeid(CBattleElluard2), 2},
      {"battleai", typeid(CBattleAi), 8},             {"battletenzi", typeid(CBattleTenzi), 3},
      {"battleceline", typeid(CBattleCeline), 4},     {"battlecarrot", typeid(CBattleCarrot), 5},
      {"battlepeach", typeid(CBattlePeach), 6},       {"battlekreutzer", typeid(CBattleKreutzer), 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<CActor> actor(CreateActorByName(c.name));
    ASSERT_NE(actor, nullptr);
    EXPECT_EQ(typeid(*actor), c.type);
    EXPECT_EQ(dynamic_cast<CBattlePlayer&>(*actor).m_menuIndex, c.menuIndex);
  }
  EXPECT_NE(dynamic_cast<CBattleSizz*>(std::unique_ptr<CActor>(CreateActorByName("battlesizz2")).get()), nullptr);

  // The strike hits on its hit frame and ends by the attack mode; the bow
  // user's arrow, this near, strikes on its first flight tick.
  WriteSheets();
  enemy.m_pos = {0.0f, 0.0f, 5.0f};
  for (const char* name : {"battlekreutzer", "battleceline"}) {
    for (const auto& [mode, end] : {std::pair{0, kActWalkBack}, {1, kActIdle}, {2, kActDefend}}) {
      SCOPED_TRACE(std::string(name) + " mode " + std::to_string(mode));
      std::unique_ptr<CActor> made(CreateActorByName(name));
      auto& fighter = dynamic_cast<CBattlePlayer&>(*made);
      Bind(fighter, 0);
      fighter.m_target = &enemy;
      fighter.m_attackMode = mode;
      fighter.SetAction(kActAttack);
      enemy.heard.clear();
      for (int i = 0; i < 100 && fighter.m_actionCode == kActAttack; ++i) fighter.OnProcess();
      EXPECT_EQ(fighter.m_actionCode, end);
      Context().UpdateBattleObjects();
      ASSERT_FALSE(enemy.heard.empty());
      EXPECT_EQ(enemy.heard[0].code, kMsgHit);
      session.players[0].battlePtr = nullptr;
      Context().FreeEffects();
    }
  }
  // Without a target the strike stops at once.
  std::unique_ptr<CActor> made(CreateActorByName("battlesizz"));
  auto& alone = dynamic_cast<CBattlePlayer&>(*made);
  Bind(alone, 0);
  alone.SetAction(kActAttack);
  alone.m_target = nullptr;
  alone.UpdateAction(kActAttack);
  EXPECT_EQ(alone.m_actionCode, kActIdle);
  session.players[0].battlePtr = &member;
}

}  // namespace
