// The hit roll, the damage formula and its factors, and the worn items that
// change them.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "rules/Condition.h"
#include "tests/rules/WeaponFixture.h"

namespace {

using platform::QueueRand;
using platform::Rand;

// A value no roll returns: left in the queue, it shows that nothing drew.
constexpr int kUntouched = 31999;

using DamageTest = WeaponFixture;

TEST_F(DamageTest, BaseDamageBySides) {
  struct Case {
    int attack, attackerLevel, defence, targetLevel;
    bool attackerIsParty, targetIsParty;
    int expected;
  };
  const Case cases[] = {
      {100, 5, 30, 9, true, true, 70},     {100, 5, 30, 9, false, false, 70},
      {100, 10, 50, 12, true, false, 82},  {100, 12, 50, 10, true, false, 98},  // a higher attacker gains
      {100, 15, 90, 10, false, true, 61},  {100, 10, 90, 15, false, true, 63},  // a gap costs either way
  };
  for (const Case& c : cases) {
    EXPECT_EQ(session.BaseDamage(c.attack, c.attackerLevel, c.defence, c.targetLevel, c.attackerIsParty, c.targetIsParty),
              c.expected)
        << c.attack << " " << c.attackerLevel << " " << c.defence << " " << c.targetLevel;
  }
  QueueRand({7, 3});  // nothing left: 1-5
  EXPECT_EQ(session.BaseDamage(10, 1, 50, 1, true, true), 3);
  EXPECT_EQ(session.BaseDamage(0, 1, 0, 1, false, true), 4);
  // The extremes stay defined and within 1..INT_MAX.
  EXPECT_EQ(session.BaseDamage(INT_MAX, 1, INT_MIN, 1, true, true), INT_MAX);
  for (bool party : {true, false}) {
    const int d = session.BaseDamage(INT_MAX, INT_MIN, INT_MIN, INT_MAX, party, !party);
    EXPECT_GE(d, 1);
    EXPECT_GE(session.BaseDamage(INT_MIN, INT_MAX, INT_MAX, INT_MIN, party, !party), 1);
  }
}

TEST_F(DamageTest, AttributeAndHeightFactors) {
  struct Case {
    int attack, defence, expected;
  };
  const Case cases[] = {{1, 3, 200}, {3, 1, 10}, {4, 1, 200}, {5, 2, 150}, {7, 8, 50}, {2, 8, 70},
                        {6, 0, 100}, {1, -1, 100}, {1, 9, 100}, {0, 3, 100}, {8, 3, 100}};
  for (const Case& c : cases) EXPECT_EQ(CSession::ApplyAttributeFactor(100, c.attack, c.defence), c.expected) << c.attack << "/" << c.defence;
  EXPECT_EQ(CSession::ApplyAttributeFactor(INT_MAX, 1, 3), INT_MAX);
  EXPECT_EQ(CSession::ApplyAttributeFactor(INT_MIN, 1, 3), INT_MIN);

  EXPECT_EQ(CSession::ApplyHeightFactor(100, 10.0f, 0.0f), 110);
  EXPECT_EQ(CSession::ApplyHeightFactor(100, 0.0f, 10.0f), 90);
  EXPECT_EQ(CSession::ApplyHeightFactor(100, 9.9f, 0.0f), 100);
  EXPECT_EQ(CSession::ApplyHeightFactor(100, 0.0f, 9.9f), 100);
  EXPECT_EQ(CSession::ApplyHeightFactor20(100, 25.0f, 5.0f), 120);
  EXPECT_EQ(CSession::ApplyHeightFactor20(100, -5.0f, 5.0f), 80);
  EXPECT_EQ(CSession::ApplyHeightFactor(INT_MAX, 10.0f, 0.0f), INT_MAX);
}

TEST_F(DamageTest, HitBandsForBothSides) {
  struct Case {
    int diff, roll, expected;  // roll -1: nothing is drawn
  };
  const Case party[] = {{-21, 19, 0}, {-21, 20, 1}, {-16, 14, 0}, {-16, 15, 1}, {-1, -1, 1}, {0, 4, 2}, {0, 5, 1},
                        {5, 9, 2},    {6, 14, 2},   {6, 15, 1},   {20, 29, 2},  {21, 39, 2}, {21, 40, 1}};
  const Case enemy[] = {{-21, 39, 0}, {-21, 40, 1}, {-1, 9, 0}, {-1, 10, 1}, {0, 4, 0},
                        {0, 5, 1},    {5, -1, 1},   {6, 4, 2},  {21, 19, 2}, {21, 20, 1}};
  Member(0).lvl = 10;
  for (const Case& c : party) {
    Enemy(0).level = 10 - c.diff;
    if (c.roll >= 0) QueueRand({c.roll});
    QueueRand({kUntouched});
    EXPECT_EQ(session.RollHit(0, true, 0, false), c.expected) << "party, gap " << c.diff << " roll " << c.roll;
    EXPECT_EQ(Rand(), kUntouched);
  }
  for (const Case& c : enemy) {
    Enemy(0).level = 10 + c.diff;
    if (c.roll >= 0) QueueRand({c.roll});
    QueueRand({kUntouched});
    EXPECT_EQ(session.RollHit(0, false, 0, true), c.expected) << "enemy, gap " << c.diff << " roll " << c.roll;
    EXPECT_EQ(Rand(), kUntouched);
  }
}

TEST_F(DamageTest, AccuracyCountsStatsWeaponAndCurse) {
  PlayerData& sizz = Member(0);
  sizz.lvl = 10, sizz.agility = 5, sizz.luck = 5;
  SetAttr("롱소드", 5, 10);
  sizz.weapon = Id("롱소드");
  Enemy(0).level = 20, Enemy(0).luck = 10;
  QueueRand({4});  // 30 against 30: a gap of 0
  EXPECT_EQ(session.RollHit(0, true, 0, false), 2);
  sizz.stateid = kCurse;  // 15 against 30
  QueueRand({9});
  EXPECT_EQ(session.RollHit(0, true, 0, false), 0);
  Enemy(0).stateid = kCurse;  // 15 against 15
  QueueRand({4});
  EXPECT_EQ(session.RollHit(0, true, 0, false), 2);
}

TEST_F(DamageTest, DecidingWeaponsAndTheGauge) {
  PlayerData& sizz = Member(0);
  sizz.weapon = Id("레이피어");
  sizz.cp = 100;
  QueueRand({1, kUntouched});
  EXPECT_EQ(session.RollHit(0, true, 0, false), 2);
  EXPECT_EQ(Rand(), kUntouched);
  EXPECT_EQ(sizz.cp, 100);  // the weapon decided: the gauge stays
  QueueRand({0, 50});       // undecided: gap 0 rolls on
  EXPECT_EQ(session.RollHit(0, true, 0, false), 1);
  EXPECT_EQ(sizz.cp, 0);

  sizz.weapon = Id("링휩");
  QueueRand({0});
  EXPECT_EQ(session.RollHit(0, true, 0, false), 0);
  sizz.cp = 99;
  QueueRand({1, 3});
  EXPECT_EQ(session.RollHit(0, true, 0, false), 2);
  EXPECT_EQ(sizz.cp, 99);
}

TEST_F(DamageTest, TheTargetsDodges) {
  PlayerData& sizz = Member(0);
  Enemy(0).level = 5;  // a gap of 5: an enemy's sure hit, no draw of its own
  sizz.armor = Id("펠류시드가브");
  QueueRand({0});
  EXPECT_EQ(session.RollHit(0, false, 0, true), 0);
  QueueRand({1});
  EXPECT_EQ(session.RollHit(0, false, 0, true), 1);
  sizz.armor = kEmptyArmor;
  // The pair in both places is a chance in each.
  sizz.acc2 = sizz.acc3 = Id("프로텍트링");
  ASSERT_TRUE(CItemMgr::GetInstance().IsDoubleAccessory(sizz.acc2));
  QueueRand({5, 0});  // the second place's chance
  EXPECT_EQ(session.RollHit(0, false, 0, true), 0);
  QueueRand({5, 5, kUntouched});
  EXPECT_EQ(session.RollHit(0, false, 0, true), 1);
  EXPECT_EQ(Rand(), kUntouched);
  sizz.acc2 = sizz.acc3 = kEmptyAcc23;
  sizz.acc1 = Id("녹색의망토");
  Enemy(0).type = 2;  // not a kind the cloak knows
  QueueRand({kUntouched});
  EXPECT_EQ(session.RollHit(0, false, 0, true), 1);
  EXPECT_EQ(Rand(), kUntouched);
  Enemy(0).type = 1;
  QueueRand({0});
  EXPECT_EQ(session.RollHit(0, false, 0, true), 0);
}

TEST_F(DamageTest, PlainBlowsOfEachSide) {
  Member(0).lvl = 10, Member(0).strength = 50;
  Enemy(0).level = 12, Enemy(0).phyDef = 20;
  QueueRand({5});  // B 104 x 20 / 100, D 44, spread 5 of 8
  EXPECT_EQ(session.ComputeDamage(0, true, 0, false), 45);

  Enemy(0).level = 15, Enemy(0).phyAtk = 60, Enemy(0).attr = 1;
  Member(0).vitality = 30;
  QueueRand({3});  // l 110, D 40, one third of 42
  EXPECT_EQ(session.ComputeDamage(0, false, 0, true), 14);

  Enemy(1).phyDef = 10;  // enemy on enemy: a multiple of 3
  QueueRand({7});
  EXPECT_EQ(session.ComputeDamage(0, false, 1, false), 51);

  // A value of 1-4 gets no spread.
  Member(1).lvl = 10, Member(1).strength = 13, Member(0).vitality = 10;
  QueueRand({kUntouched});
  EXPECT_EQ(session.ComputeDamage(1, true, 0, true), 3);
  EXPECT_EQ(Rand(), kUntouched);
}

TEST_F(DamageTest, LevelGapsUseTheTable) {
  Member(0).lvl = 10;
  Enemy(0).phyAtk = 1000;
  struct Case {
    int gap;
    std::initializer_list<int> rolls;
    int expected;
  };
  const Case cases[] = {{1, {0}, 237}, {25, {0}, 87}, {40, {4, 0}, 2}};  // gap 40: the last entry, 150
  for (const Case& c : cases) {
    Enemy(0).level = 10 + c.gap;
    QueueRand(c.rolls);
    EXPECT_EQ(session.ComputeDamage(0, false, 0, true), c.expected) << "gap " << c.gap;
  }
  // A party attacker: the gap raises the defence, a lead lowers the loss.
  Member(0).strength = 1000;
  Enemy(0).phyDef = 100;
  Enemy(0).level = 11;
  QueueRand({0});
  EXPECT_EQ(session.ComputeDamage(0, true, 0, false), 684);
  Member(0).lvl = 12, Enemy(0).level = 10;
  QueueRand({0});
  EXPECT_EQ(session.ComputeDamage(0, true, 0, false), 785);
}

TEST_F(DamageTest, CriticalBonusAndCurse) {
  Member(0).strength = 1000;
  session.lastHitResult = 2;
  QueueRand({100, 0});
  EXPECT_EQ(session.ComputeDamage(0, true, 0, false), 1440);
  Member(0).stateid = kCurse;
  QueueRand({100});
  EXPECT_EQ(session.GetDirectHitDamage(0, true), 800);
  // A negative attack gets no bonus and draws nothing.
  Enemy(0).phyAtk = -10;
  QueueRand({kUntouched});
  EXPECT_EQ(session.GetDirectHitDamage(0, false), -10);
  EXPECT_EQ(Rand(), kUntouched);
  Enemy(0).phyAtk = INT_MAX;
  QueueRand({0});
  EXPECT_EQ(session.GetDirectHitDamage(0, false), INT_MAX);
}

TEST_F(DamageTest, ExtremeRecordsStayDefined) {
  for (int v : {INT_MAX, INT_MIN}) {
    Member(0).strength = Member(0).vitality = Member(0).lvl = v;
    Enemy(0).phyAtk = Enemy(0).phyDef = Enemy(0).level = Enemy(0).luck = v;
    Enemy(0).attr = v;
    session.levelFactor.fill(v);
    for (int result : {1, 2}) {
      session.lastHitResult = result;
      EXPECT_GE(session.ComputeDamage(0, true, 0, false), 1);
      EXPECT_GE(session.ComputeDamage(0, false, 0, true), 1);
      EXPECT_GE(session.ComputeDamage(0, false, 1, false), 1);
      session.RollHit(0, true, 0, false);
      session.RollHit(0, false, 0, true);
    }
  }
}

// Each named item against a blow of attack 1000 that would otherwise deal
// 900 (a member on an enemy of its level, no defence, no attribute) or 240
// (an enemy on a member of its level, no defence, attribute 4).
struct ItemCase {
  const char* label;
  std::function<void()> setup;
  bool enemyAttacks;
  int expected;
};

class NamedItemTest : public WeaponFixture {
 protected:
  void Check(const ItemCase& c) {
    SetUp();
    Member(0).lvl = Member(2).lvl = Enemy(0).level = 10;
    Member(0).strength = Member(2).strength = Enemy(0).phyAtk = 1000;
    Member(0).intelligence = Member(2).intelligence = 400;
    Enemy(0).attr = c.enemyAttacks ? 4 : 0;
    c.setup();
    QueueRand({0, 0});
    const int damage = c.enemyAttacks ? session.ComputeDamage(0, false, 0, true) : session.ComputeDamage(0, true, 0, false);
    EXPECT_EQ(damage, c.expected) << c.label;
  }
  void Wear(int member, int32_t PlayerData::*slot, const char* name) { Member(member).*slot = Id(name); }
};

TEST_F(NamedItemTest, TheAttackersItems) {
  using F = WeaponFixture;
  auto wield = [](const char* name, int kind = 0, int conditions = 0) {
    return [=]() {
      CSession::GetInstance().GetPartyMember(0)->weapon = F::Id(name);
      CSession::GetInstance().enemies[0].type = kind;
      CSession::GetInstance().enemies[0].stateid = conditions;
    };
  };
  const ItemCase cases[] = {
      {"plain", wield("롱소드"), false, 900},
      {"바리사다 kind 3", wield("바리사다", 3), false, 1800},
      {"바리사다 kind 0", wield("바리사다"), false, 900},
      {"선소드 undead", wield("선소드", 0, kUndead), false, 1800},
      {"오크리스트 kind 1", wield("오크리스트", 1), false, 1350},
      {"호철 kind 4", wield("호철", 4), false, 1800},
      {"호철 kind 0", wield("호철"), false, 450},
      {"엡실론 kind 0", wield("엡실론"), false, 1080},
      {"빅크로스 undead", wield("빅크로스", 0, kUndead), false, 360},
      {"트롤스베인 kind 1", wield("트롤스베인", 1), false, 360},
      {"홀리휩 kind 2", wield("홀리휩", 2), false, 900},
      {"듀랜달 alone", wield("듀랜달"), false, 900},
      {"듀랜달 with 뿔피리",
       [&]() {
         wield("듀랜달")();
         CSession::GetInstance().GetPartyMember(0)->acc2 = F::Id("뿔피리");
       },
       false, 1800},
      {"헤르 on attribute 3",
       [&]() {
         F::SetAttr("롱소드", 9, 3);
         wield("롱소드")();
         CSession::GetInstance().GetPartyMember(0)->acc1 = F::Id("헤르");
       },
       false, 1350},
      {"two 활골무 on celine",
       []() {
         PlayerData& m = *CSession::GetInstance().GetPartyMember(0);
         m.engname = "celine";
         m.acc2 = m.acc3 = F::Id("활골무");
       },
       false, 1089},
      {"활골무 on sizz", []() { CSession::GetInstance().GetPartyMember(0)->acc2 = F::Id("활골무"); }, false, 900},
  };
  for (const ItemCase& c : cases) Check(c);
}

TEST_F(NamedItemTest, TheDefendersItemsOnAnEnemysBlow) {
  using F = WeaponFixture;
  auto gear = [](int32_t PlayerData::*slot, const char* name, int attribute, int kind = 0) {
    return [=]() {
      CSession::GetInstance().GetPartyMember(0)->*slot = F::Id(name);
      CSession::GetInstance().enemies[0].attr = attribute;
      CSession::GetInstance().enemies[0].type = kind;
    };
  };
  const ItemCase cases[] = {
      {"plain", gear(&PlayerData::helmet, "empty1", 4), true, 240},
      {"고글", gear(&PlayerData::helmet, "고글", 4), true, 216},
      {"선글라스", gear(&PlayerData::helmet, "선글라스", 3), true, 192},
      {"삿갓", gear(&PlayerData::helmet, "삿갓", 1), true, 192},
      {"본헬름", gear(&PlayerData::helmet, "본헬름", 0, 2), true, 228},
      {"비레타", gear(&PlayerData::helmet, "비레타", 6), true, 252},
      {"윔플", gear(&PlayerData::helmet, "윔플", 6), true, 252},
      {"가시면류관 on 4", gear(&PlayerData::helmet, "가시면류관", 4), true, 240},
      {"냉기의서클릿", gear(&PlayerData::helmet, "냉기의서클릿", 3), true, 120},
      {"묵주", gear(&PlayerData::acc1, "묵주", 6), true, 180},
      {"천사의브로치", gear(&PlayerData::acc1, "천사의브로치", 5), true, 180},
      {"풀플레이트아머 on 3", gear(&PlayerData::armor, "풀플레이트아머", 3), true, 168},
      {"풀플레이트아머 on 4", gear(&PlayerData::armor, "풀플레이트아머", 4), true, 312},
      {"본게이터 kind 2", gear(&PlayerData::shoes, "본게이터", 0, 2), true, 360},
      // The attribute step skipped: 1.5 times on 5 and half on 7 without.
      {"가시관면류 on 5", gear(&PlayerData::helmet, "가시관면류", 5), true, 240},
      {"시위진압용유니폼 on 7", gear(&PlayerData::armor, "시위진압용유니폼", 7), true, 240},
      {"nothing on 7", gear(&PlayerData::armor, "empty0", 7), true, 120},
  };
  for (const ItemCase& c : cases) Check(c);
}

TEST_F(NamedItemTest, NothingLeftOfTheAttackAndTheGuard) {
  Member(0).lvl = Enemy(0).level = 10;
  Enemy(0).phyAtk = 1000;
  Enemy(0).attr = 5;
  Member(0).helmet = Id("가시면류관");
  QueueRand({3, 0});  // the base damage's 1-5, then a spread of 0
  EXPECT_EQ(session.ComputeDamage(0, false, 0, true), 2);
  // The guard flag halves attribute 3; the riot helmet's coin skips both.
  Enemy(0).attr = 3;
  Member(0).helmet = Id("시위진압용헬멧");
  Member(0).battleValues[0] = 1;
  QueueRand({0, 0});
  EXPECT_EQ(session.ComputeDamage(0, false, 0, true), 240);
  QueueRand({1, 0});
  EXPECT_EQ(session.ComputeDamage(0, false, 0, true), 120);
}

TEST_F(NamedItemTest, TheTargetsDefence) {
  // A member on a member: 1000 against a defence of 100.
  auto shield = [this](const char* name, int attribute) {
    Member(2).strength = 1000;
    Member(2).weapon = Id("롱소드");
    SetAttr("롱소드", 9, attribute);
    Member(0).vitality = 100;
    Member(0).shield = Id(name);
    QueueRand({0});
    return session.ComputeDamage(2, true, 0, true);
  };
  EXPECT_EQ(shield("empty3", 0), 810);
  EXPECT_EQ(shield("카오스쉴드", 5), 1350);
  EXPECT_EQ(shield("카오스쉴드", 4), 765);
  EXPECT_EQ(shield("오더쉴드", 6), 1350);
  EXPECT_EQ(shield("오더쉴드", 1), 765);
  EXPECT_EQ(shield("폭동진압용방패", 2), 720);
  EXPECT_EQ(shield("폭동진압용방패", 5), 1215);
  Member(0).acc1 = Id("스톤이어링");
  EXPECT_EQ(shield("empty3", 0), 855);
  Member(0).acc1 = kEmptyAcc1;
  // The target's 바리사다 against "sizz".
  Member(0).strength = 1000;
  Member(2).vitality = 100;
  Member(2).weapon = Id("바리사다");
  QueueRand({0});
  EXPECT_EQ(session.ComputeDamage(0, true, 2, true), 720);
}

TEST_F(DamageTest, GettersAndSplashList) {
  Member(0).shield = Id("카오스쉴드");
  EXPECT_EQ(session.GetDefenceAttribute(0, true), 7);
  Member(0).shield = Id("포이즌가드");
  SetAttr("포이즌가드", 9, 0);
  EXPECT_EQ(session.GetDefenceAttribute(0, true), 2);
  Enemy(0).attr = 3;
  EXPECT_EQ(session.GetDefenceAttribute(0, false), 3);
  EXPECT_EQ(session.GetAttackAttribute(0, false), 3);
  Enemy(0).phyDef = 90;
  Enemy(0).stateid = kCurse | kPoison2 | kPoison3;
  EXPECT_EQ(session.GetDefence(0, false), 20);  // 45, 30, 20
  // Nobody there: zeros, no crash.
  for (auto [position, party] : {std::pair{5, true}, std::pair{-1, false}, std::pair{6, false}}) {
    EXPECT_EQ(session.GetBattleLevel(position, party), 0);
    EXPECT_EQ(session.GetDefence(position, party), 0);
    EXPECT_EQ(session.GetActorHeight(position, party), 0.0f);
    EXPECT_EQ(session.RollHit(position, party, 0, true), 0);
    EXPECT_EQ(session.ComputeDamage(0, true, position, party), 1);
  }
  session.splashWeapon = {Id("진압봉"), Id("집행인의검"), 0, Id("롱소드")};
  EXPECT_TRUE(session.IsSplashWeapon(Id("집행인의검")));
  EXPECT_FALSE(session.IsSplashWeapon(Id("롱소드")));  // past the end mark
  EXPECT_FALSE(session.IsSplashWeapon(0));
}

TEST_F(DamageTest, BossesByTheirKindName) {
  for (const char* name : {"베루낙", "아비터스_헤리티지_두목", "노인1", "노인6", "고문관4", "비요른3", "제노사", "유령기사_칼"}) {
    Enemy(0).name = name;
    EXPECT_TRUE(session.IsBossEnemy(0)) << name;
  }
  for (const char* name : {"노인7", "노인", "베루낙 ", "스켈레톤", ""}) {
    Enemy(0).name = name;
    EXPECT_FALSE(session.IsBossEnemy(0)) << name;
  }
  Enemy(0).label = "베루낙";  // the battle set's name does not count
  EXPECT_FALSE(session.IsBossEnemy(0));
  EXPECT_FALSE(session.IsBossEnemy(-1));
  EXPECT_FALSE(session.IsBossEnemy(6));
}

}  // namespace
