// The character rules: what each character may wear, its battle sprite, the
// price of magic, its stats and level, the level spread of a battle, what
// levels teach and the hand-over of a record.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "field/SelvarinActor.h"
#include "rules/Condition.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

namespace {

std::string Item(const std::string& name, int kind, const std::string& params) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param " + params + "\n#end\n";
}

// A weapon, armour or accessory of a class; the class is attribute 7, the
// seventh value.
std::string Gear(const std::string& name, int kind, int cls, const std::string& first = "0 0 0 0 0 0") {
  return Item(name, kind, first + " " + std::to_string(cls));
}

enum TestItem {
  kDagger = 7,
  kHalberd,    // polearm with its own battle picture; two-handed
  kShortBow,
  kLongBow,
  kMace,
  kOddWeapon,  // class 14
  kShield,
  kBread,      // food
  kOddHelmet,  // class -1
  kHeavyArmour,
  kFortuneMail,
  kAngerBadel,
  kDashRing,
  kMentalRing,
  kDismal,
  kChronaim,
  kNeedles,
  kHugeHelmet,
  kSandals,
  kAdaptableArmour,
  kItemCount
};

std::string ItemTable() {
  std::string t;
  const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
  const char* emptyNames[7] = {"(갑옷없음)", "(투구없음)", "(무기없음)", "(방패없음)", "(신발없음)", "(장신구2없음)", "(장신구1없음)"};
  for (int i = 0; i < 7; ++i) t += Gear(emptyNames[i], emptyKinds[i], 0);
  t += Gear("단검", 0, 1);
  t += Gear("핼버드", 0, 9);
  t += Gear("숏보우", 0, 11);
  t += Gear("장궁", 0, 11);
  t += Gear("철퇴", 0, 5);
  t += Gear("괴이한무기", 0, 14);
  t += Gear("방패", 1, 0);
  t += Item("빵", 7, "0");
  t += Gear("괴이한투구", 3, -1);
  t += Gear("중갑", 2, 0, "0 0 50 0 0 0");
  t += Gear("포츈메일", 2, 0, "0 5 0 0 0 3");
  t += Gear("앵거바델", 0, 0, "10 0 0 0 0 0");
  t += Gear("대쉬링", 6, 0);
  t += Gear("멘탈링", 6, 0);
  t += Item("디스말", 14, "0");
  t += Item("크로나임", 14, "0");
  t += Gear("침구", 5, 0);
  t += Gear("거인투구", 3, 0, "2000000000 0 0 0 0 0");
  t += Gear("샌들", 4, 0, "0 0 5 0 0 0");
  t += Gear("아답터블아머", 2, 0);
  return t;
}

// Level class 9: every cost at its full price below level 91.
std::string Magic(const std::string& name, const std::string& cost) {
  return "#magic < " + name + " > < >\n#level 9\n#cost " + cost + "\n#end\n";
}

enum TestMagic { kMastema, kFlame, kTeamWind, kWater, kLine, kSanctuary, kCurer, kPray, kRecovery, kWaterOnly, kWindOnly };

std::string MagicTable() {
  return Magic("마스테마", "0 0 0 0") + Magic("화염", "0 0 10 0") + Magic("협력", "0 0 0 8") + Magic("물", "6 0 0 0") +
         Magic("순서", "1 2 3 4") + Magic("생츄어리", "0 0 0 0") + Magic("큐어러", "0 0 0 0") + Magic("프레이", "0 0 0 0") +
         Magic("리커버리", "0 0 0 0") + Magic("물만", "5 0 0 0") + Magic("바람만", "0 0 0 5");
}

std::string SkillTable() {
  std::string t;
  for (const char* name : {"흙뿌리기", "승박(昇拍)", "도립축(倒立蹴)", "유계익(流溪翼)", "역풍축(靂風蹴)", "합곡혈(合曲穴)"}) {
    t += std::string("#skill < ") + name + " > < >\n#end\n";
  }
  return t;
}

class CharacterRulesTest : public GameFolderTest {
 protected:
  void SetUp() override {
    Write("data/diary/item.txt", ItemTable());
    Write("data/diary/magic.txt", MagicTable());
    Write("data/diary/skill.txt", SkillTable());
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_EQ(CItemMgr::GetInstance().GetCount(), kItemCount);
    session.Init();
    session.scriptVariables.Clear();
  }
  void TearDown() override { session.Init(); }

  // A character of that English name at the player id, level 1.
  PlayerData& Character(int id, const char* engname, int magicUser = 0) {
    PlayerData& p = session.players[static_cast<size_t>(id)];
    p = PlayerData{};  // whatever the starting characters held
    p.playerId = id;
    p.engname = engname;
    p.lvl = 1;
    p.ismagicman = magicUser;
    return p;
  }
  // A party of these ids, in order.
  void Party(std::initializer_list<int> ids) {
    session.partyCount = 0;
    for (int id : ids) session.partyIds[static_cast<size_t>(session.partyCount++)] = id;
  }

  CSession& session = CSession::GetInstance();
};

TEST_F(CharacterRulesTest, EachCharacterWearsItsOwnKindsAndClasses) {
  Character(0, "peach");
  Character(1, "ai");
  Character(2, "maria");
  Character(3, "nobody");
  struct Case {
    int id;
    int item;
    bool allowed;
  } const cases[] = {
      {0, kDagger, true},  {0, kHalberd, false},   {0, kShield, true},   {1, kShield, false},
      {2, kShield, true},  {2, kMace, true},       {2, kBread, false},   {0, kBread, false},
      {2, kOddHelmet, false}, {3, kDagger, false}, {-1, kDagger, false}, {32, kDagger, false},
      {2, -1, false},      {2, kItemCount, false}, {1, kNeedles, true},  {1, kHeavyArmour, true},
  };
  for (const Case& c : cases) EXPECT_EQ(session.CanEquip(c.id, c.item), c.allowed) << c.id << " " << c.item;
}

TEST_F(CharacterRulesTest, BattleSpritesFollowTheWeapon) {
  struct Case {
    const char* engname;
    int weapon;
    const char* suffix;
  } const cases[] = {
      {"sizz", kEmptyWeapon, "_완드"}, {"sizz2", kEmptyWeapon, "_검"}, {"tenzi", kHalberd, "_핼버드"},
      {"celine", kShortBow, "_보통활"}, {"celine", kLongBow, "_강한활"}, {"peach", kDagger, "_단검"},
      {"tenzi", kOddWeapon, ""},       {"ai", 500, "_너클"},  // outside the table: the empty weapon
  };
  for (const Case& c : cases) {
    PlayerData& p = Character(4, c.engname);
    p.weapon = c.weapon;
    session.UpdateBattleSpriteNames(4);
    EXPECT_EQ(p.battlesprname, std::string("주연급\\전투\\기본형\\") + c.engname + "_기본전투" + c.suffix + ".spr")
        << c.engname << " " << c.weapon;
  }
  testsupport::DebugLogCapture log;
  PlayerData& tenzi = Character(5, "tenzi");
  tenzi.weapon = kOddWeapon;
  session.UpdateBattleSpriteNames(5);
  EXPECT_TRUE(log.Contains("잘못된 무기 클래스"));
  Character(6, "nobody");
  session.UpdateBattleSpriteNames(6);
  EXPECT_TRUE(log.Contains("잘못된 player engName"));
  session.UpdateBattleSpriteNames(-1);

  // The code page 949 bytes of the path, with single backslashes.
  PlayerData& maria = Character(7, "maria");
  maria.weapon = kMace;
  session.UpdateBattleSpriteNames(7);
  const std::string expected =
      "\xC1\xD6\xBF\xAC\xB1\xDE\\\xC0\xFC\xC5\xF5\\\xB1\xE2\xBA\xBB\xC7\xFC\\maria_\xB1\xE2\xBA\xBB\xC0\xFC\xC5\xF5_"
      "\xB8\xDE\xC0\xCC\xBD\xBA";
  EXPECT_EQ(maria.battlesprname, expected + ".spr");
  EXPECT_EQ(maria.battleactname, expected + ".act");
}

TEST_F(CharacterRulesTest, CatalystsComeFirstAndEachCastTakesOneOfEach) {
  Character(0, "sizz", 1);
  Party({0});
  int reason = 0;
  EXPECT_FALSE(session.CanCastMagic(0, kMastema, &reason));
  EXPECT_EQ(reason, 2);  // "크로나임" is asked for first
  session.SetItemCount(kChronaim, 2);
  EXPECT_FALSE(session.CanCastMagic(0, kMastema, &reason));
  EXPECT_EQ(reason, 1);
  session.SetItemCount(kDismal, 1);
  reason = 0;
  EXPECT_TRUE(session.CanCastMagic(0, kMastema, &reason));  // costs of 0 0 0 0 pass
  EXPECT_EQ(reason, 0);
  session.PayMagicCost(0, kMastema);
  EXPECT_EQ(session.GetItemCount(kChronaim), 1);
  EXPECT_EQ(session.GetItemCount(kDismal), 0);
  // A catalyst the item table lacks ("휘옐") is one the party does not hold.
  testsupport::DebugLogCapture log;
  reason = 0;
  EXPECT_FALSE(session.CanCastMagic(0, kSanctuary, &reason));
  EXPECT_EQ(reason, 3);
  EXPECT_TRUE(log.Contains("휘옐"));
  EXPECT_FALSE(session.CanCastMagic(3, kMastema, &reason));
  EXPECT_FALSE(session.CanCastMagic(0, 99, &reason));
}

TEST_F(CharacterRulesTest, TheMentalRingTakesAThirdOffTheMagicCost) {
  PlayerData& sizz = Character(0, "sizz", 1);
  Party({0});
  sizz.acc2 = kMentalRing;
  sizz.mp1 = 5;
  int reason = -1;
  EXPECT_FALSE(session.CanCastMagic(0, kFlame, &reason));  // c3 10 at 66%: 6 from mp1
  EXPECT_EQ(reason, -1);                                   // short of MP: untouched
  sizz.mp1 = 6;
  EXPECT_TRUE(session.CanCastMagic(0, kFlame, &reason));
  session.PayMagicCost(0, kFlame);
  EXPECT_EQ(sizz.mp1, 0);
}

TEST_F(CharacterRulesTest, TheCostsAreTakenByTheirPlaceOnTheCostLine) {
  PlayerData& ai = Character(0, "ai", 1);
  PlayerData& sizz = Character(1, "sizz", 1);
  Party({0, 1});
  ai.mp1 = ai.mp2 = ai.mp3 = 10;
  sizz.mp1 = sizz.mp2 = sizz.mp3 = 10;
  int reason = 0;
  EXPECT_TRUE(session.CanCastMagic(0, kLine, &reason));
  session.PayMagicCost(0, kLine);  // "#cost 1 2 3 4"
  EXPECT_EQ(ai.mp1, 10 - 3);       // c3 from Fire
  EXPECT_EQ(ai.mp2, 10 - 1);       // c1 from Water
  EXPECT_EQ(ai.mp3, 10 - 2);       // c2 from Earth
  EXPECT_EQ(sizz.mp2, 10 - 4);     // c4 (Wind) from the partner
  EXPECT_EQ(sizz.mp1, 10);
}

TEST_F(CharacterRulesTest, ThePartnerPaysItsShareAtItsOwnRate) {
  PlayerData& sizz = Character(0, "sizz", 1);
  PlayerData& ai = Character(1, "ai", 1);
  Party({0, 1});
  ai.acc3 = kMentalRing;
  ai.mp2 = 3;
  int reason = 0;
  EXPECT_TRUE(session.CanCastMagic(0, kWater, &reason));  // c1 6 at ai's 66%: 3
  ai.mp2 = 2;
  EXPECT_FALSE(session.CanCastMagic(0, kWater, &reason));
  EXPECT_EQ(reason, 0);
  ai.mp2 = 10;
  session.PayMagicCost(0, kWater);
  EXPECT_EQ(ai.mp2, 7);
  EXPECT_EQ(sizz.mp1, 0);

  // "ai" casting with a Wind cost: "sizz" is its partner until "제1장끝".
  CSelvarinActor fallen;
  fallen.m_actionCode = 10027;
  sizz.battlePtr = &fallen;
  ai.mp1 = ai.mp2 = ai.mp3 = 50;
  EXPECT_FALSE(session.CanCastMagic(1, kTeamWind, &reason));
  EXPECT_EQ(reason, 4);
  ASSERT_TRUE(session.scriptVariables.Contains("제1장끝"));  // created with 0
  EXPECT_EQ(session.scriptVariables.Get("제1장끝"), 0);
  sizz.battlePtr = nullptr;
  sizz.mp2 = 8;
  EXPECT_TRUE(session.CanCastMagic(1, kTeamWind, &reason));
  session.scriptVariables.Set("제1장끝", 1);  // now "sizz2", who is not here
  reason = 0;
  EXPECT_FALSE(session.CanCastMagic(1, kTeamWind, &reason));
  EXPECT_EQ(reason, 4);
}

TEST_F(CharacterRulesTest, WithoutAiInTheDataNobodyElsePaysHerShare) {
  PlayerData& sizz = Character(0, "sizz", 1);
  Party({0});
  sizz.mp1 = sizz.mp2 = sizz.mp3 = 9;
  int reason = 0;
  EXPECT_FALSE(session.CanCastMagic(0, kWater, &reason));
  EXPECT_EQ(reason, 4);
  session.PayMagicCost(0, kWater);  // no partner: nothing is written anywhere
  EXPECT_EQ(sizz.mp2, 9);
  testsupport::DebugLogCapture log;
  Character(1, "maria");
  Party({1});
  EXPECT_TRUE(session.CanCastMagic(0, kFlame, &reason));
  session.PayMagicCost(0, kFlame);
  EXPECT_TRUE(log.Contains("this player is not magic man"));
}

TEST_F(CharacterRulesTest, LearnerFlagsKeepOneKindMagicFromTheWrongCaster) {
  Character(0, "sizz", 1);
  Character(1, "ai", 1);
  EXPECT_FALSE(session.CanLearnMagic(0, kWaterOnly));
  EXPECT_TRUE(session.CanLearnMagic(0, kWindOnly));
  EXPECT_TRUE(session.CanLearnMagic(0, kLine));
  EXPECT_FALSE(session.CanLearnMagic(1, kWindOnly));
  EXPECT_TRUE(session.CanLearnMagic(1, kWaterOnly));
  session.AddMagic(0, "물만");
  EXPECT_EQ(session.players[0].magicFlags[kWaterOnly], 0);
}

TEST_F(CharacterRulesTest, RecalcAddsTheWornItemsInOrder) {
  PlayerData& p = Character(0, "maria");
  p.levelStats = {10, 10, 10, 10, 10};
  // Heavy armour takes agility below 0; it stands at 0 before the ring and
  // the battle additions.
  p.armor = kHeavyArmour;
  p.acc2 = kDashRing;
  p.battleStats[3] = 50;
  p.Recalc();
  EXPECT_EQ(p.agility, 50);
  p.shoes = kSandals;  // shoes add to agility
  p.armor = kEmptyArmor;
  p.battleStats[3] = 0;
  p.Recalc();
  EXPECT_EQ(p.agility, (10 + 5) * 110 / 100);

  p.armor = kFortuneMail;
  session.gold = 10000;
  p.shp = 50;
  p.Recalc();
  EXPECT_EQ(p.vitality, 10 + 10000 / 2500);
  EXPECT_EQ(p.maxshp, 10000 / 5000);
  EXPECT_EQ(p.shp, 3);  // lowered to the barrier of the worn items

  // The adaptable armour grows with two script variables, made when absent.
  p.armor = kAdaptableArmour;
  p.Recalc();
  EXPECT_EQ(p.vitality, 10);
  EXPECT_TRUE(session.scriptVariables.Contains("__아답터블아머DEF"));
  EXPECT_TRUE(session.scriptVariables.Contains("__아답터블아머BAR"));
  session.scriptVariables.Set("__아답터블아머DEF", 35);
  session.scriptVariables.Set("__아답터블아머BAR", 20);
  p.Recalc();
  EXPECT_EQ(p.vitality, 13);
  EXPECT_EQ(p.maxshp, 2);
  p.armor = kFortuneMail;

  p.weapon = kAngerBadel;
  p.Recalc();
  EXPECT_EQ(p.strength, 20);
  session.scriptVariables.Set("제1장끝", 1);
  p.Recalc();
  EXPECT_EQ(p.strength, 40);

  p.helmet = kHugeHelmet;
  p.rates[0] = 300;
  p.Recalc();
  EXPECT_EQ(p.strength, 999);
  p.rates[0] = -100;
  p.Recalc();
  EXPECT_EQ(p.strength, 0);

  testsupport::DebugLogCapture log;
  p.helmet = 700;  // outside the item table: nothing is read
  p.rates[0] = 100;
  p.Recalc();
  EXPECT_EQ(p.strength, 40);
  EXPECT_FALSE(log.Lines().empty());
}

TEST_F(CharacterRulesTest, TheLevelFollowsTheExperience) {
  for (int i = 0; i < 99; ++i) {
    session.nextlevel[static_cast<size_t>(i)] = 10 * (i + 1);
    session.hpmax[static_cast<size_t>(i)] = 100 + i;
  }
  PlayerData& p = Character(0, "nobody");
  p.baseCapacity = 30;
  p.hp = 500;
  p.statBase = {5, 5, 5, 5, 5};
  p.statStart = {1, 1, 1, 1, 10};
  p.statInterval = {1, 0, 2, 1, 1};
  p.statGrowth = {1.5f, 1.0f, 1.0f, 0.5f, 2.0f};
  p.statMax = {90, 91, 92, 93, 94};
  p.statBonus = {0, 0, 0, 0, 3};
  struct Case {
    int exp;
    int lvl;
  } const cases[] = {{0, 1}, {9, 1}, {10, 2}, {29, 2}, {30, 3}, {10 * 99 * 100 / 2, 99}, {2000000000, 99}};
  for (const Case& c : cases) {
    p.exp = c.exp;
    p.UpdateLevel();
    EXPECT_EQ(p.lvl, c.lvl) << c.exp;
  }
  p.exp = 30;  // level 3
  p.hp = 500;
  p.UpdateLevel();
  EXPECT_EQ(p.maxhp, 102);
  EXPECT_EQ(p.hp, 102);
  EXPECT_EQ(p.capacity, 32);
  EXPECT_EQ(p.levelStats, (std::array<int32_t, 5>{8, 7, 6, 6, 8}));  // a step of 0 counts as 1
  EXPECT_EQ(p.strength, 8);
  p.exp = 2000000000;
  p.UpdateLevel();
  EXPECT_EQ(p.levelStats, (std::array<int32_t, 5>{90, 91, 92, 93, 97}));

  // Putting on an item leaves the stats recalculated.
  Character(1, "maria").levelStats = {1, 1, 1, 1, 1};
  session.PutOnItem(kAngerBadel, session.players[1]);
  EXPECT_EQ(session.players[1].strength, 11);
}

TEST_F(CharacterRulesTest, TheLevelRangeCountsLiveParticipants) {
  session.levelAvg = 77;
  session.enemies[0].bonusPercent = 5;
  session.UpdateLevelRange();
  EXPECT_EQ(session.levelAvg, 77);
  EXPECT_EQ(session.enemies[0].bonusPercent, 5);

  CSelvarinActor actors[4];
  Character(0, "a").lvl = 20;
  Character(1, "b").lvl = -20;
  Character(2, "c").lvl = 99;
  Party({0, 1, 2});
  for (int id = 0; id < 3; ++id) session.players[static_cast<size_t>(id)].battlePtr = &actors[id];
  actors[2].m_actionCode = 10027;  // fallen: not counted
  session.enemies[1].actor = &actors[3];
  session.enemies[1].level = 300;
  session.UpdateLevelRange();
  EXPECT_EQ(session.levelAvg, 100);
  EXPECT_EQ(session.levelMax, 300);
  EXPECT_EQ(session.levelMin, -20);
  EXPECT_EQ(session.enemies[1].bonusPercent, 150);
  EXPECT_EQ(session.GetEnemyBonus(1), 150);
  EXPECT_EQ(session.players[0].GetBonusPercent(), -50);
  EXPECT_EQ(session.players[1].bonusPercent, -50);
  EXPECT_EQ(session.players[2].bonusPercent, 0);
  EXPECT_EQ(session.enemies[0].bonusPercent, 5);  // a free slot keeps its value
  EXPECT_EQ(session.GetEnemyBonus(6), 0);
  for (PlayerData& p : session.players) p.battlePtr = nullptr;
  session.enemies[1].actor = nullptr;
}

std::vector<int32_t> Indexes(const LearnedList& list) { return list.indexes; }

TEST_F(CharacterRulesTest, LevelsTeachInTheTablesOrder) {
  PlayerData& ai = Character(1, "ai", 1);
  LearnedList list;
  list.indexes = {42};
  session.LearnLevelMagic(ai, list, false);
  EXPECT_EQ(list.isMagic, 1);
  EXPECT_EQ(Indexes(list), (std::vector<int32_t>{kPray, kRecovery}));
  ai.magicFlags[kPray] = 0;
  testsupport::DebugLogCapture log;
  session.LearnLevelMagic(ai, list, true);  // every level: what the table lacks is passed over
  EXPECT_EQ(Indexes(list), (std::vector<int32_t>{kCurer, kPray}));
  EXPECT_TRUE(log.Contains("리저렉션"));
  EXPECT_EQ(ai.lvl, 1);

  PlayerData& maria = Character(2, "maria");
  PlayerData& maria2 = Character(3, "maria2");
  const int dirt = CSkillMgr::GetInstance().Find("흙뿌리기");
  session.LearnLevelMagic(maria, list, true);
  EXPECT_EQ(list.isMagic, 0);
  EXPECT_EQ(Indexes(list), (std::vector<int32_t>{dirt}));
  session.LearnLevelMagic(maria2, list, true);
  EXPECT_TRUE(list.indexes.empty());
  EXPECT_EQ(maria2.magicFlags[static_cast<size_t>(dirt)], 0);

  // "tenzi" learns its kicks only with a spear, a staff or a polearm, and
  // none of them goes into the list.
  PlayerData& tenzi = Character(4, "tenzi");
  const int kick = CSkillMgr::GetInstance().Find("도립축(倒立蹴)");
  tenzi.lvl = 40;
  session.LearnLevelMagic(tenzi, list, false);
  EXPECT_EQ(tenzi.magicFlags[static_cast<size_t>(kick)], 0);
  tenzi.weapon = tenzi.shield = kHalberd;
  session.LearnLevelMagic(tenzi, list, false);
  EXPECT_TRUE(list.indexes.empty());
  EXPECT_EQ(tenzi.magicFlags[static_cast<size_t>(kick)], 1);
  EXPECT_EQ(tenzi.magicFlags[static_cast<size_t>(CSkillMgr::GetInstance().Find("유계익(流溪翼)"))], 1);
  EXPECT_EQ(tenzi.magicFlags[static_cast<size_t>(CSkillMgr::GetInstance().Find("역풍축(靂風蹴)"))], 0);

  // Worn items: "peach" needs the needles.
  PlayerData& peach = Character(5, "peach");
  peach.lvl = 15;
  const int point = CSkillMgr::GetInstance().Find("합곡혈(合曲穴)");
  session.LearnLevelMagic(peach, list, false);
  EXPECT_EQ(peach.magicFlags[static_cast<size_t>(point)], 0);
  peach.acc1 = kNeedles;
  session.LearnLevelMagic(peach, list, false);
  EXPECT_EQ(peach.magicFlags[static_cast<size_t>(point)], 1);

  // A name without rows leaves the list's flag alone.
  list.isMagic = 1;
  session.LearnLevelMagic(Character(6, "nobody"), list, true);
  EXPECT_EQ(list.isMagic, 1);
}

TEST_F(CharacterRulesTest, CopyFromHandsTheWornPiecesBackOnce) {
  PlayerData& maria = Character(2, "maria");
  PlayerData& maria2 = Character(3, "maria2");
  maria.lvl = 30;
  maria.exp = 1234;
  maria.levelStats = {7, 7, 7, 7, 7};
  maria.weapon = maria.shield = kHalberd;  // two-handed: one piece
  maria.acc2 = kDashRing;
  maria.helmet = 700;  // not in the table: nothing comes back
  const int dirt = CSkillMgr::GetInstance().Find("흙뿌리기");
  maria.magicFlags[static_cast<size_t>(dirt)] = 1;
  maria.stateid = kPoison1;
  maria2.CopyFrom(maria);
  EXPECT_EQ(maria2.lvl, 30);
  EXPECT_EQ(maria2.exp, 1234);
  EXPECT_EQ(maria2.stateid, kPoison1);
  EXPECT_EQ(maria2.playerId, 3);
  EXPECT_EQ(maria2.engname, "maria2");
  EXPECT_EQ(session.GetItemCount(kHalberd), 1);
  EXPECT_EQ(session.GetItemCount(kDashRing), 1);
  EXPECT_EQ(maria2.weapon, kEmptyWeapon);
  EXPECT_EQ(maria2.shield, kEmptyShield);
  EXPECT_EQ(maria2.helmet, kEmptyHelmet);
  EXPECT_EQ(maria2.acc2, kEmptyAcc23);
  EXPECT_EQ(maria2.strength, 7);
  EXPECT_EQ(maria2.magicFlags[static_cast<size_t>(dirt)], 0);
}

TEST_F(CharacterRulesTest, ABattlesStateIsResetToRest) {
  PlayerData& p = Character(0, "maria");
  CSelvarinActor actor;
  p.battlePtr = &actor;
  p.rates = {50, 50, 50, 50, 50};
  p.extraStats = {9, 9, 9, 9, 9};
  p.battleStats = {9, 9, 9, 9, 9};
  p.levelStats = {4, 4, 4, 4, 4};
  p.stateid = kStone | kCurse;
  p.ResetBattleState();
  EXPECT_EQ(p.battlePtr, nullptr);
  EXPECT_EQ(p.rates[3], 100);
  EXPECT_EQ(p.stateid, kCurse);
  EXPECT_EQ(p.luck, 4);
  EXPECT_EQ(session.hooks.Get("__conditionmariaNOTHING"), 1);  // nothing from stone upwards
}

}  // namespace
