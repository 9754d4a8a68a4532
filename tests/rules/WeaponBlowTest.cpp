// Weapon blows delivered to recording participants: the reach test, the
// deliveries and digits of each weapon, the splash, the parry, the
// reflections and the growing armour.
#include <gtest/gtest.h>

#include <vector>

#include "battle/BattleObject.h"
#include "rules/Condition.h"
#include "tests/rules/RecordingActor.h"
#include "tests/rules/WeaponFixture.h"

namespace {

using platform::QueueRand;

using rulestest::CRecorder;
using rulestest::Digit;
using rulestest::Message;

class WeaponBlowTest : public WeaponFixture {
 protected:
  void SetUp() override {
    WeaponFixture::SetUp();
    for (int p = 0; p < 3; ++p) {
      Member(p).battlePtr = &members[p];
      members[p].m_battleId = {p, 1};
      members[p].m_pos = {static_cast<float>(p), 0.0f, 0.0f};
      members[p].m_actionCode = kActIdle;
      PlayerData& m = Member(p);
      m.lvl = 10;
      m.strength = m.vitality = m.agility = m.luck = 0;
    }
    Member(1).luck = 2;  // a member's sure blow on member 1
    for (int e = 0; e < 3; ++e) {
      Enemy(e).actor = &foes[e];
      foes[e].m_battleId = {e, 0};
      foes[e].m_pos = {static_cast<float>(e), 0.0f, 3.0f};
      foes[e].m_actionCode = kActIdle;
      Enemy(e).name = "스켈레톤";
      Enemy(e).level = 10;
      Enemy(e).reach = 50;
    }
    // A member's sure blow of 900: attack 1000, no defence, a gap of -2.
    Member(0).lvl = 10, Member(0).strength = 1000;
    Enemy(0).luck = 2;
    for (const char* weapon : {"롱소드", "집행인의검", "진압봉", "테일핑", "브레이크블레이드", "트리플대거", "아홉꼬리고양이", "클리버"}) {
      SetAttr(weapon, 24, 50);  // a reach of 5
    }
    Wield("롱소드");
  }
  void TearDown() override {
    for (int p = 0; p < 3; ++p) Member(p).battlePtr = nullptr;
    for (EnemySlot& e : session.enemies) e.actor = nullptr;
    WeaponFixture::TearDown();
  }
  void Wield(const char* weapon) { Member(0).weapon = Id(weapon); }
  // The member's blow on enemy 0, its spread drawn as 0.
  void Strike(std::initializer_list<int> rolls = {0}) {
    members[0].m_target = &foes[0];
    QueueRand(rolls);
    session.ResolveWeaponAttack(0, true, 1.0f);
  }
  // Enemy 0's sure blow of 240 on member 0, its spread drawn as 0.
  void BeStruck(std::initializer_list<int> rolls = {0}) {
    Enemy(0).luck = 3, Enemy(0).phyAtk = 1000;
    foes[0].m_target = &members[0];
    QueueRand(rolls);
    session.ResolveWeaponAttack(0, false, 1.0f);
  }

  CRecorder members[3];
  CRecorder foes[3];
};

TEST_F(WeaponBlowTest, ReachDecoysAndTheHook) {
  Strike();
  EXPECT_EQ(foes[0].messages, (std::vector<Message>{{kMsgHit, 900, 0, 0, &members[0]}}));
  EXPECT_EQ(foes[0].digits, (std::vector<Digit>{{900, 0, 0, 0}}));
  EXPECT_EQ(session.hooks.Get("__itemattack스켈레톤롱소드"), 1);

  // Out of reach by distance or by the flag: a miss, and still the hook.
  session.hooks.Set("__itemattack스켈레톤롱소드", 0);
  foes[0].messages.clear();
  foes[0].m_pos.z = 5.1f;
  Strike({});
  foes[0].m_pos.z = 3.0f;
  foes[0].m_outOfReach = 1;
  Strike({});
  EXPECT_EQ(members[0].Codes(), (std::vector<int>{kMsgMissed, kMsgMissed}));
  EXPECT_TRUE(foes[0].messages.empty());
  EXPECT_EQ(session.hooks.Get("__itemattack스켈레톤롱소드"), 1);

  // A removed target ends it, without the hook.
  session.hooks.Set("__itemattack스켈레톤롱소드", 0);
  foes[0].m_actionCode = kActRemoved;
  Strike({});
  EXPECT_EQ(members[0].messages.size(), 2u);
  EXPECT_EQ(session.hooks.Get("__itemattack스켈레톤롱소드"), 0);

  // A decoy takes the bare attack; an enemy also heeds the second flag.
  foes[0].m_actionCode = kActIdle;
  foes[0].m_isDecoy = 1;
  foes[0].m_outOfReach = 0;
  Strike({});
  EXPECT_EQ(foes[0].messages.back(), (Message{kMsgHit, 1000, 0, 0, &members[0]}));
  members[1].m_secondDirectHit = 1;
  members[1].m_actionCode = kActGuard;
  Enemy(0).phyAtk = 70;
  foes[0].m_target = &members[1];
  session.ResolveWeaponAttack(0, false, 1.0f);
  EXPECT_EQ(members[1].messages, (std::vector<Message>{{kMsgHit, 70, 0, 0, &foes[0]}}));
  EXPECT_TRUE(members[1].digits.empty());  // guarding: no digits
}

TEST_F(WeaponBlowTest, DeliveriesByWeapon) {
  struct Case {
    const char* weapon;
    std::vector<Message> expected;
  };
  members[0].m_attackStyle = 1;
  members[0].m_hitKind = 7;
  CObject* me = &members[0];
  const Case cases[] = {
      {"집행인의검", {{kMsgHitTwoParts, 720, 180, 0, me}}},
      {"진압봉", {{kMsgHitTwoParts, 0, 900, 0, me}}},
      {"테일핑", {{kMsgHit, 900, 1, 7, me}, {kMsgKill, 0, 0, 0, me}}},
      {"브레이크블레이드", {{kMsgHit, 900, 3, 7, me}}},
  };
  for (const Case& c : cases) {
    foes[0].messages.clear();
    Wield(c.weapon);
    Strike();
    EXPECT_EQ(foes[0].messages, c.expected) << c.weapon;
  }
  Enemy(0).name = "베루낙";  // a boss outlives the 테일핑
  foes[0].messages.clear();
  Wield("테일핑");
  Strike();
  EXPECT_EQ(foes[0].Codes(), (std::vector<int>{kMsgHit}));
  // The split reaches a member too.
  Wield("집행인의검");
  members[0].m_target = &members[1];
  QueueRand({0});
  session.ResolveWeaponAttack(0, true, 1.0f);
  EXPECT_EQ(members[1].messages, (std::vector<Message>{{kMsgHitTwoParts, 720, 180, 0, me}}));
}

TEST_F(WeaponBlowTest, DigitsOfTheSeveralNumberWeapons) {
  Wield("트리플대거");
  Strike();
  EXPECT_EQ(foes[0].digits, (std::vector<Digit>{{297, 0, 0, 0}, {270, 0, -4, 2}, {270, 0, 4, 2}}));
  foes[0].digits.clear();
  Wield("아홉꼬리고양이");
  Strike();
  const std::vector<Digit> nine = {{81, 0, -6, 8},  {90, 0, -6, 6}, {99, 0, -5, 4}, {117, 0, -3, 2}, {126, 0, 0, 0},
                                   {117, 0, 3, 2},  {99, 0, 5, 4},  {90, 0, 6, 6},  {81, 0, 6, 8}};
  EXPECT_EQ(foes[0].digits, nine);
  EXPECT_EQ(foes[0].messages.back().a, 900);  // the blow itself is whole
  // On a member: the dagger's three in the enemies' colour, the cat's one.
  members[0].m_target = &members[1];
  QueueRand({0});
  session.ResolveWeaponAttack(0, true, 1.0f);
  EXPECT_EQ(members[1].digits, (std::vector<Digit>{{900, 1, 0, 0}}));
  Wield("트리플대거");
  QueueRand({0});
  session.ResolveWeaponAttack(0, true, 1.0f);
  EXPECT_EQ(members[1].digits.size(), 4u);
  EXPECT_EQ(members[1].digits[1], (Digit{297, 0, 0, 0}));
}

TEST_F(WeaponBlowTest, AttackKindTwoHalvesAndMostlyForgetsTheCritical) {
  members[0].m_attackStyle = 2;
  Member(0).cp = 60;
  Enemy(0).luck = 0;  // a gap of 0: a critical below 5
  Strike({0, 0, 0, 1});  // roll, bonus 0, spread 0, then 1 of 3: a plain hit
  EXPECT_EQ(foes[0].messages.back().a, 675);  // (1500 - 150) / 2
  EXPECT_EQ(Member(0).cp, 60);
  EXPECT_EQ(members[0].Codes(), std::vector<int>{});
  EXPECT_EQ(session.lastHitResult, 1);
  Strike({0, 0, 0, 0});
  EXPECT_EQ(Member(0).cp, 0);
  EXPECT_EQ(members[0].Codes(), std::vector<int>{kMsgCritical});
}

TEST_F(WeaponBlowTest, SplashReachesEnemiesInThePlainReach) {
  Wield("진압봉");
  session.splashWeapon = {Id("진압봉"), 0};
  foes[1].m_pos = {1.0f, 0.0f, 2.0f};  // within 5
  foes[2].m_pos = {0.0f, 0.0f, 5.5f};  // beyond 5, within the factor's 6
  Enemy(2).luck = Enemy(1).luck = 2;
  members[0].m_target = &foes[0];
  QueueRand({0, 3});
  session.ResolveWeaponAttack(0, true, 1.2f);
  // s: a second damage of 900 + 3 against the main target, two thirds, split 0/100.
  EXPECT_EQ(foes[1].messages, (std::vector<Message>{{kMsgHitTwoParts, 0, 602, 0, &members[0]}}));
  EXPECT_EQ(foes[1].digits, (std::vector<Digit>{{900, 0, 0, 0}}));
  EXPECT_TRUE(foes[2].messages.empty());
}

TEST_F(WeaponBlowTest, WeaponEffectsAfterTheDigitsOrWithout) {
  Wield("클리버");
  Member(0).hp = 50, Member(0).maxhp = 100;
  foes[0].m_actionCode = kActDefend;  // digits skipped, the second table still runs
  Strike();
  EXPECT_EQ(Member(0).hp, 100);
  EXPECT_TRUE(foes[0].digits.empty());

  Member(0).weapon = Id("스트로판드");
  SetAttr("스트로판드", 24, 50);
  Strike();
  EXPECT_EQ(Enemy(0).stateid, 0);  // a condition of the first table: not on a guard
  foes[0].m_actionCode = kActIdle;
  Strike();
  EXPECT_EQ(Enemy(0).stateid, static_cast<int>(kPoison1));

  Member(0).weapon = Id("워메이스");
  SetAttr("워메이스", 24, 50);
  Enemy(0).shp = 500, Enemy(0).maxshp = 1000;
  Strike();
  EXPECT_EQ(Enemy(0).shp, 50);
  Member(0).weapon = Id("보형용해머");
  SetAttr("보형용해머", 24, 50);
  Strike({0, 1});  // below half, but 1 of 5 fails
  EXPECT_EQ(Enemy(0).shp, 50);
  Strike({0, 0});
  EXPECT_EQ(Enemy(0).shp, 0);

  // Attribute 5 against the undead kills.
  SetAttr("롱소드", 9, 5);
  Wield("롱소드");
  Enemy(0).stateid = kUndead;
  foes[0].messages.clear();
  Strike();
  EXPECT_EQ(foes[0].Codes(), (std::vector<int>{kMsgHit, kMsgKill}));
}

TEST_F(WeaponBlowTest, TheParryAndItsOutOfReachFlag) {
  Member(0).weapon = Id("소드브레이커");
  Member(0).cp = 10;
  BeStruck({0, 0, 5});  // spread 0, parried, a turn of -35
  EXPECT_TRUE(members[0].messages.empty());
  EXPECT_EQ(members[0].actions, std::vector<int32_t>{kActGuard});
  EXPECT_EQ(members[0].m_target, &foes[0]);
  EXPECT_EQ(foes[0].messages, (std::vector<Message>{{kMsgRecoil, 0, 0, 0, &members[0]}}));
  EXPECT_EQ(Member(0).cp, 30);
  EXPECT_EQ(members[0].m_outOfReach, 1);
  EXPECT_NEAR(members[0].m_angle, 180.0f - 35.0f, 0.01f);  // facing the foe, then turned
  members[0].UpdateFrame();
  EXPECT_EQ(members[0].m_outOfReach, 1);  // still guarding
  members[0].m_actionCode = kActIdle;
  members[0].UpdateFrame();
  EXPECT_EQ(members[0].m_outOfReach, 0);

  // Not parried: the blow lands.
  foes[0].messages.clear();
  BeStruck({0, 1});
  EXPECT_EQ(members[0].messages, (std::vector<Message>{{kMsgHit, 240, 0, 0, &foes[0]}}));
  EXPECT_EQ(members[0].digits, (std::vector<Digit>{{240, 1, 0, 0}}));
}

TEST_F(WeaponBlowTest, ReflectionsAndTheStruckMembersGear) {
  foes[0].m_hitKind = 4;
  Member(0).armor = Id("리플렉서");
  BeStruck();
  EXPECT_EQ(foes[0].messages, (std::vector<Message>{{kMsgHit, 48, 0, 4, &members[0]}}));
  EXPECT_EQ(foes[0].digits, (std::vector<Digit>{{48, 0, 0, 0}}));
  foes[0].messages.clear();
  Member(0).armor = Id("연위갑");
  BeStruck();
  EXPECT_EQ(foes[0].messages, (std::vector<Message>{{kMsgHit, 240, 0, 4, &members[0]}}));

  // Guarding: no digits, no reflection; the poison shield answers.
  foes[0].messages.clear();
  members[0].digits.clear();
  members[0].m_actionCode = kActDefend;
  Member(0).shield = Id("포이즌가드");
  Enemy(0).type = 4;
  BeStruck();
  EXPECT_EQ(Enemy(0).stateid, 0);
  Enemy(0).type = 1;
  BeStruck();
  EXPECT_EQ(Enemy(0).stateid, static_cast<int>(kPoison2));
  EXPECT_TRUE(foes[0].messages.empty());
  EXPECT_TRUE(members[0].digits.empty());

  members[0].m_actionCode = kActIdle;
  Member(0).shoes = Id("본게이터");
  Enemy(0).type = 3;
  BeStruck({0});
  EXPECT_NE(Enemy(0).stateid & kCurse, 0);
}

TEST_F(WeaponBlowTest, TheGrowingArmourStopsAtItsCaps) {
  Member(0).armor = Id("아답터블아머");
  SetAttr("아답터블아머", 1, 395);
  SetAttr("아답터블아머", 6, 10);
  struct Case {
    int def, bar, defAfter, barAfter;
  };
  const Case cases[] = {
      {0, 0, 3, 3},          // growing
      {47, 1887, 50, 1890},  // 395 + 5 and 10 + 189: within
      {57, 1907, 50, 1900},  // past 400 and 200: held at the caps
  };
  for (const Case& c : cases) {
    session.scriptVariables.Set("__아답터블아머DEF", c.def);
    session.scriptVariables.Set("__아답터블아머BAR", c.bar);
    BeStruck();
    EXPECT_EQ(session.scriptVariables.Get("__아답터블아머DEF"), c.defAfter) << c.def;
    EXPECT_EQ(session.scriptVariables.Get("__아답터블아머BAR"), c.barAfter) << c.bar;
  }
  EXPECT_EQ(Member(0).maxshp, 10 + 190);  // recalculated
}

TEST_F(WeaponBlowTest, EnemyOnEnemy) {
  Enemy(0).phyAtk = 1000, Enemy(0).luck = 0;
  Enemy(1).luck = 0;
  foes[0].m_hitKind = 2;
  foes[0].m_target = &foes[1];
  QueueRand({4});  // a gap of 0: 4 is a miss below 5
  session.ResolveWeaponAttack(0, false, 1.0f);
  EXPECT_EQ(foes[0].Codes(), std::vector<int>{kMsgMissed});
  QueueRand({5, 0});
  session.ResolveWeaponAttack(0, false, 1.0f);
  EXPECT_EQ(foes[1].messages, (std::vector<Message>{{kMsgHit, 900, 0, 2, &foes[0]}}));
  EXPECT_EQ(foes[1].digits, (std::vector<Digit>{{900, 0, 0, 0}}));
}

}  // namespace
