// Casting magic in battle: where its objects go, what reaching a target
// does, the restoratives of the diary, and learning and forgetting.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "battle/SpawnedBattleObjects.h"
#include "rules/Condition.h"
#include "session/MagicMgr.h"
#include "tests/rules/BattleRulesFixture.h"

namespace battletest {
namespace {

struct MagicRow {
  std::string name;
  int targetType = 0;
  int useType = 0;
  std::string power = "+10";  // an addend; without "+" a percent
  std::string inflicts = "0 0 0 0 0 0 0 0";
  std::string cures = "0 0 0 0 0 0 0 0";
  std::string cost = "0 0 0 0";
};

// Magic 0-61: plain attacks at one target unless listed.
std::map<int, MagicRow> ListedRows() {
  return {
      {0, {"치유", 0, 1}},
      {3, {"m3", 1, 1}},
      {4, {"m4", 3, 1}},
      {5, {"m5", 4, 1}},
      {6, {"m6", 5, 1}},
      {7, {"m7", 7, 1}},
      {9, {"m9", 0, 1}},
      {11, {"리저렉션", 0, 1}},
      {40, {"m40", 0, 0, "+10", "1 0 0 0 0 0 0 0", "0 0 0 0 1 0 0 0"}},
      {48, {"m48", 0, 0, "200"}},
      {49, {"", 0, 0}},
  };
}

namespace magictest {
std::string MagicTable() {
  const std::map<int, MagicRow> listed = ListedRows();
  std::string text;
  for (int i = 0; i < 62; ++i) {
    auto it = listed.find(i);
    const MagicRow row = it != listed.end() ? it->second : MagicRow{"m" + std::to_string(i)};
    text += "#magic < " + row.name + " > < >\n#attr 0\n#targettype " + std::to_string(row.targetType) + "\n#power " +
            row.power + "\n#cost " + row.cost + "\n#usetype " + std::to_string(row.useType) + "\n#stateid " +
            row.inflicts + "\n#restorestateid " + row.cures + "\n#end\n";
  }
  // Learner flags for the learning rules (the third and fourth cost trade places).
  text += "#magic < firstonly > < >\n#cost 1 0 0 0\n#end\n#magic < thirdonly > < >\n#cost 0 0 0 1\n#end\n";
  text += "#magic < both > < >\n#cost 1 0 0 1\n#end\n";
  return text;
}
}  // namespace magictest

class MagicTest : public BattleRulesFixture {
 public:
  void SetUp() override {
    BattleRulesFixture::SetUp();
    m_dir.Write("game/data/diary/magic.txt", magictest::MagicTable());
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    m_dir.Write("game/data/diary/wolves.txt",
                "#monster < 늑대 > < > 0 Wolf\n#phyAtk 40\n#phyDef 20\n#spd 60\n#end\n");
    ASSERT_TRUE(CMonsterMgr::GetInstance().Load("diary/wolves.txt"));
    for (int p = 0; p < 3; ++p) {
      members[p].m_pos = {0.0f, 0.0f, 0.0f};
      foes[p].m_pos = {10.0f * static_cast<float>(p + 1), 0.0f, 20.0f};
    }
    m_frame.m_caption.clear();
  }
  void TearDown() override {
    ClearPlaced();
    CMagicMgr::GetInstance().Free();
    BattleRulesFixture::TearDown();
  }

  std::vector<CBattleMagic*> Placed() {
    std::vector<CBattleMagic*> out;
    for (CActor* a : Context().m_battleObjects) {
      if (auto* m = dynamic_cast<CBattleMagic*>(a)) out.push_back(m);
    }
    return out;
  }
  void ClearPlaced() {
    for (CBattleMagic* m : Placed()) {
      Context().m_battleObjects.remove(m);
      delete m;
    }
  }
  // Member 0 casts at its target and point.
  std::vector<CBattleMagic*> Cast(int magic, CBattleActor* target) {
    members[0].m_chosenIndex = magic;
    members[0].m_target = target;
    session.ResolveMagic(0, true);
    return Placed();
  }
  void SetGround(float height) {
    for (int c = 0; c < m_grid.Width(); ++c) {
      for (int r = 0; r < m_grid.Height(); ++r) std::fill_n(m_grid.GetCell(c, r)->height, 4, height);
    }
  }
  static std::vector<int> Delays(const std::vector<CBattleMagic*>& objects) {
    std::vector<int> d;
    for (const CBattleMagic* m : objects) d.push_back(m->m_delay);
    std::sort(d.begin(), d.end());
    return d;
  }
  static std::vector<int> Steps(int count, int step) {
    std::vector<int> d;
    for (int i = 0; i < count; ++i) d.push_back(i * step);
    return d;
  }
};

// ---- Placement ----

TEST_F(MagicTest, EachMagicPlacesItsCountOfObjects) {
  struct Case {
    int magic;
    size_t count;
  };
  // 61 calls up a recall, which places nothing of its own yet; 7's target
  // type is above 6.
  const Case cases[] = {{12, 1}, {20, 1}, {21, 9},  {22, 17}, {31, 70}, {35, 30}, {41, 30}, {42, 2}, {43, 48},
                        {44, 1}, {45, 10}, {46, 25}, {47, 80}, {52, 25}, {3, 3},   {4, 3},   {5, 1},  {6, 1},
                        {40, 1}, {61, 0},  {7, 0}};
  for (const Case& c : cases) {
    ClearPlaced();
    platform::Srand(7);
    EXPECT_EQ(Cast(c.magic, &foes[0]).size(), c.count) << "magic " << c.magic;
  }
}

TEST_F(MagicTest, GridsAboutThePointRingOutwardInDelay) {
  SetGround(3.0f);
  members[0].m_targetX = 10.0f;
  members[0].m_targetZ = -10.0f;
  std::vector<CBattleMagic*> nine = Cast(21, &foes[0]);
  EXPECT_EQ(Delays(nine), (std::vector<int>{0, 15, 15, 15, 15, 15, 15, 15, 15}));
  for (const CBattleMagic* m : nine) {
    EXPECT_EQ(m->m_pos.y, 3.0f);
    EXPECT_EQ(m->m_type, 21);
    EXPECT_EQ(m->m_casterId, 0);
    EXPECT_EQ(m->m_casterIsParty, 1);
  }
  EXPECT_EQ(nine[0]->m_pos.x, 10.0f - 20.0f + 4.99f);
  ClearPlaced();
  std::vector<int> star(1, 0);
  star.insert(star.end(), 8, 15);
  star.insert(star.end(), 8, 30);
  EXPECT_EQ(Delays(Cast(22, &foes[0])), star);
  EXPECT_EQ(m_frame.m_caption, "m22");
}

TEST_F(MagicTest, RainFallsWithinNinetyOfTheStationAboveTheGround) {
  SetGround(2.0f);
  platform::Srand(3);
  const std::vector<CBattleMagic*> rain = Cast(31, &foes[0]);
  EXPECT_EQ(Delays(rain), Steps(70, 5));
  for (const CBattleMagic* m : rain) {
    EXPECT_LT(std::abs(m->m_pos.x), 90.5f);
    EXPECT_LT(std::abs(m->m_pos.z), 90.5f);
    EXPECT_EQ(m->m_velocity.y, 1.0f);
  }
  // Inside the small map the ground lies at 2.
  EXPECT_EQ(rain[0]->m_pos.y, std::abs(rain[0]->m_pos.x) < 50 && std::abs(rain[0]->m_pos.z) < 50 ? -148.0f : -150.0f);
}

TEST_F(MagicTest, RaysOfFourByTwelveTrailTheirHeads) {
  const std::vector<CBattleMagic*> rays = Cast(43, &foes[0]);
  ASSERT_EQ(rays.size(), 48u);
  for (size_t i = 0; i < rays.size(); ++i) {
    EXPECT_EQ(rays[i]->m_angle, 90.0f * static_cast<float>(i / 12));
    EXPECT_EQ(rays[i]->m_delay, static_cast<int>(i % 12) * 8);
    EXPECT_EQ(rays[i]->m_variant, i % 12 == 0 ? 0 : 1);
    EXPECT_EQ(rays[i]->m_speed, 3.0f);
    EXPECT_EQ(rays[i]->m_pos.y, -5.0f);
  }
}

TEST_F(MagicTest, WaterBallsRiseOnlyWhereTheGroundLiesBelowTheWaterLevel) {
  Context().m_waterLevel = 5.0f;
  SetGround(5.0f);
  EXPECT_TRUE(Cast(57, &foes[0]).empty());
  // The cell from (10, 10) holds one grid point.
  std::fill_n(m_grid.GetCell(12, 12)->height, 4, 6.0f);
  const std::vector<CBattleMagic*> balls = Cast(57, &foes[0]);
  ASSERT_EQ(balls.size(), 1u);
  EXPECT_EQ(balls[0]->m_pos.x, 10.0f);
  EXPECT_EQ(balls[0]->m_pos.z, 10.0f);
  EXPECT_EQ(balls[0]->m_pos.y, 6.0f);
  EXPECT_EQ(balls[0]->m_goal.y, 5.0f - 85.0f);
}

TEST_F(MagicTest, AReflectingTargetSendsEachObjectBackAndANullifyingOneCancelsIt) {
  foes[0].m_reflectFlag = 1;  // this target keeps it set
  const std::vector<CBattleMagic*> back = Cast(29, &foes[0]);
  ASSERT_EQ(back.size(), 4u);
  for (const CBattleMagic* m : back) {
    EXPECT_EQ(m->m_user, &foes[0]);
    EXPECT_EQ(m->m_target, &members[0]);
  }
  EXPECT_EQ(back[3]->m_angle, 270.0f);
  EXPECT_EQ(Messages(foes[0]), std::vector<int>(4, kMsgReflect));
  ClearPlaced();
  // A reflected corner starts beside the caster.
  const std::vector<CBattleMagic*> corners = Cast(38, &foes[0]);
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_EQ(corners[0]->m_pos.x, -20.0f);
  ClearPlaced();
  foes[0].m_reflectFlag = 0;
  foes[0].m_nullifyFlag = 1;
  Messages(foes[0]).clear();
  EXPECT_TRUE(Cast(40, &foes[0]).empty());
  EXPECT_EQ(Messages(foes[0]), (std::vector<int>{kMsgNullify}));
  EXPECT_EQ(m_frame.m_caption, "m40");
}

TEST_F(MagicTest, OnlyResurrectionReachesARemovedMemberAndNoTargetPlacesNothing) {
  members[1].m_actionCode = kActRemoved;
  EXPECT_TRUE(Cast(0, &members[1]).empty());
  EXPECT_EQ(m_frame.m_caption, "");
  EXPECT_EQ(Cast(11, &members[1]).size(), 1u);
  EXPECT_EQ(m_frame.m_caption, "리저렉션");
  ClearPlaced();
  EXPECT_TRUE(Cast(29, nullptr).empty());
}

TEST_F(MagicTest, AMagicOutsideTheTableOrACasterWithoutActorPlacesNothing) {
  testsupport::DebugLogCapture log;
  EXPECT_TRUE(Cast(-1, &foes[0]).empty());
  EXPECT_TRUE(Cast(62 + 3, &foes[0]).empty());
  EXPECT_EQ(m_frame.m_caption, "");
  session.ResolveMagic(5, false);
  EXPECT_TRUE(log.Contains("srcActor == NULL"));
  // A magic without a name shows an empty text.
  m_frame.m_caption = "x";
  Cast(49, &foes[0]);
  EXPECT_EQ(m_frame.m_caption, "");
}

// ---- Effects ----

TEST_F(MagicTest, EffectsSendTheirMessagesAndSpareFlyersWhereMarked) {
  struct Case {
    int magic;
    bool onEnemy;
    bool flying;
    std::vector<int> codes;
    intptr_t lastStyle;  // the last message's fifth value
  };
  const Case cases[] = {
      {13, true, false, {kMsgFreeze}, 0},
      {23, true, false, {kMsgStun}, 0},
      {23, true, true, {}, 0},
      {28, true, true, {}, 0},
      {20, false, false, {kMsgMagicHit}, 0},
      {21, true, false, {kMsgMagicHit}, 2},
      {24, true, false, {kMsgMagicHit, kMsgStun}, 0},
      {60, false, false, {kMsgMagicHit, kMsgFreeze}, 0},
      {56, false, false, {kMsgReflect}, 0},
      {40, true, true, {kMsgMagicHit}, 0},
      {15, true, false, {}, 0},
  };
  for (const Case& c : cases) {
    Messages(members[1]).clear();
    Messages(foes[1]).clear();
    foes[1].m_flying = c.flying ? 1 : 0;
    session.ApplyMagicEffect(0, true, 1, !c.onEnemy, c.magic, nullptr, 0);
    const auto& got = c.onEnemy ? foes[1].finishing : members[1].finishing;
    EXPECT_EQ(got.messages, c.codes) << "magic " << c.magic;
    if (!c.codes.empty()) {
      EXPECT_EQ(got.values.back()[2], c.lastStyle) << "magic " << c.magic;
    }
  }
  Messages(members[1]).clear();
  session.ApplyMagicEffect(0, true, 1, true, 56, nullptr, 0);
  EXPECT_EQ(members[1].finishing.values.back()[0], 1);
}

TEST_F(MagicTest, AHitSetsAndCuresConditionsAndRaisesTheHook) {
  Member(1).stateid = kCurse;
  EXPECT_EQ(session.ApplyMagicEffect(0, false, 1, true, 40, nullptr, 0), 0);
  EXPECT_EQ(Member(1).stateid, static_cast<int32_t>(kPoison1));
  EXPECT_EQ(session.hooks.Get("__magicattackkreutzerm40"), 1);
  // A set status does nothing and comes back.
  Messages(members[1]).clear();
  EXPECT_EQ(session.ApplyMagicEffect(0, false, 1, true, 40, nullptr, 4), 4);
  EXPECT_TRUE(Messages(members[1]).empty());
  members[1].m_outOfReach = 1;
  session.ApplyMagicEffect(0, false, 1, true, 40, nullptr, 0);
  EXPECT_TRUE(Messages(members[1]).empty());
}

TEST_F(MagicTest, RatesOfMembersAndTableValuesOfEnemies) {
  Member(1).battleStats[0] = 20;
  session.ApplyMagicEffect(0, true, 1, true, 3, nullptr, 0);
  EXPECT_EQ(Member(1).rates[0], 115);
  EXPECT_EQ(Member(1).Stat(0), 23);
  session.ApplyMagicEffect(0, true, 1, true, 18, nullptr, 0);
  EXPECT_EQ(Member(1).rates[3], 115);
  Enemy(0).name = "Wolf";
  Enemy(0).phyAtk = 1;
  session.ApplyMagicEffect(0, true, 0, false, 3, nullptr, 0);
  EXPECT_EQ(Enemy(0).phyAtk, 46);
  session.ApplyMagicEffect(0, true, 0, false, 14, nullptr, 0);
  EXPECT_EQ(Enemy(0).phyDef, 24);
  session.ApplyMagicEffect(0, true, 0, false, 17, nullptr, 0);
  EXPECT_EQ(Enemy(0).spd, 51);
  // An unknown kind keeps its value; a boss is not weakened.
  Enemy(1).phyAtk = 33;
  session.ApplyMagicEffect(0, true, 1, false, 3, nullptr, 0);
  EXPECT_EQ(Enemy(1).phyAtk, 33);
  Enemy(0).name = "베루낙";
  session.ApplyMagicEffect(0, true, 0, false, 4, nullptr, 0);
  EXPECT_EQ(Enemy(0).phyAtk, 46);
}

TEST_F(MagicTest, TheUndeadDieOfHealingAndOfAnAttackOfAttributeFive) {
  Member(1).stateid = kUndead;
  Member(1).hp = 10;
  session.ApplyMagicEffect(0, true, 1, true, 0, nullptr, 0);
  EXPECT_NE(Member(1).stateid & kDying, 0);
  EXPECT_EQ(Member(1).hp, 0);
  Member(2).stateid = kUndead;
  Enemy(0).attr = 5;
  session.ApplyMagicEffect(0, false, 2, true, 15, nullptr, 0);
  EXPECT_EQ(Messages(members[2]).back(), kMsgKill);
}

TEST_F(MagicTest, AmberBrassReturnsAFifthToACasterStillThere) {
  m_dir.Write("game/data/diary/amber.txt", Block("앰버브래스트", 2));
  ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/amber.txt"));
  Member(1).armor = 0;
  session.ApplyMagicEffect(0, false, 1, true, 40, nullptr, 0);
  ASSERT_EQ(Messages(members[1]).size(), 1u);
  const intptr_t f = members[1].finishing.values[0][0];
  ASSERT_EQ(Messages(foes[0]), (std::vector<int>{kMsgMagicHit}));
  EXPECT_EQ(foes[0].finishing.values[0][0], f * 20 / 100);
  Enemy(0).actor = nullptr;
  session.ApplyMagicEffect(0, false, 1, true, 40, nullptr, 0);
  EXPECT_EQ(Messages(foes[0]).size(), 1u);
}

TEST_F(MagicTest, ResurrectionAloneReachesARemovedMemberAndNumbersAboveSixtyDoNothing) {
  members[1].m_actionCode = kActRemoved;
  Member(1).stateid = kDying;
  session.ApplyMagicEffect(0, true, 1, true, 40, nullptr, 0);
  EXPECT_TRUE(Messages(members[1]).empty());
  session.ApplyMagicEffect(0, true, 1, true, 11, nullptr, 0);
  EXPECT_EQ(Messages(members[1]).size(), 1u);
  members[1].m_actionCode = kActIdle;
  Messages(members[1]).clear();
  testsupport::DebugLogCapture log;
  session.ApplyMagicEffect(0, true, 1, true, 61, nullptr, 0);
  EXPECT_TRUE(log.Contains("Invalid Magic"));
  EXPECT_TRUE(Messages(members[1]).empty());
  EXPECT_EQ(session.hooks.Get("__magicattackkreutzerm61"), 1);
}

// ---- Damage ----

TEST_F(MagicTest, EnemyMagicOnEnemiesIsAMultipleOfThreeAndThePercentFlagScales) {
  for (int e = 0; e < 3; ++e) {
    Enemy(e).level = 3;
    Enemy(e).phyAtk = 60;
    Enemy(e).magDef = 5;
  }
  for (int seed = 1; seed < 6; ++seed) {
    platform::Srand(static_cast<unsigned>(seed));
    const int v = session.ComputeMagicDamage(0, false, 1, false, 40);
    EXPECT_TRUE(v == 1 || v % 3 == 0) << v;
  }
  EXPECT_EQ(session.GetMagicPower(0, false, 40), 70);
  EXPECT_EQ(session.GetMagicPower(0, false, 48), 120);
}

// ---- The diary's restoratives ----

TEST_F(MagicTest, SurgicalGlovesHealTwiceForAMemberOnly) {
  m_dir.Write("game/data/diary/gloves.txt", Block("수술장갑", 6));
  ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/gloves.txt"));
  Member(0).acc2 = 0;
  Member(1).hp = 1;
  session.UseMagicOnParty(0, true, 1, true, 0);
  EXPECT_EQ(Member(1).hp, 1 + 50 / 4 * 2);
  session.UseMagicOnParty(0, true, 1, true, 9);
  EXPECT_EQ(Member(1).hp, 50);
  Enemy(1).hp = 1;
  session.UseMagicOnParty(0, false, 1, false, 0);
  EXPECT_EQ(Enemy(1).hp, 1 + 40 / 4);
}

TEST_F(MagicTest, CuresClearTheirConditionsAndOtherNumbersAreRefused) {
  Member(1).stateid = kPanic | kStone | kCurse;
  session.UseMagicOnParty(0, true, 1, true, 5);
  EXPECT_EQ(Member(1).stateid, static_cast<int32_t>(kCurse));
  session.UseMagicOnParty(0, true, 1, true, 6);
  EXPECT_EQ(Member(1).stateid, 0);
  Member(1).stateid = kDying;
  Member(1).hp = 0;
  session.UseMagicOnParty(0, true, 1, true, 7);
  EXPECT_EQ(Member(1).stateid, 0);
  testsupport::DebugLogCapture log;
  Member(1).hp = 5;
  Member(1).stateid = kCurse;
  session.UseMagicOnParty(0, true, 1, true, 40);
  EXPECT_TRUE(log.Contains("다이어리에서는 쓸 수 없는 마법입니다."));
  EXPECT_EQ(Member(1).hp, 5);
  // Its conditions still come and go before the number is refused.
  EXPECT_EQ(Member(1).stateid, static_cast<int32_t>(kPoison1));
}

// ---- Learning ----

TEST_F(MagicTest, LearnerFlagsKeepSizzAndAiFromTheirPartnersMagic) {
  const int firstOnly = 62, thirdOnly = 63, both = 64;
  struct Case {
    const char* engname;
    int magic;
    bool may;
  };
  const Case cases[] = {{"sizz", firstOnly, false}, {"sizz2", firstOnly, false}, {"sizz", thirdOnly, true},
                        {"ai", thirdOnly, false},   {"ai", firstOnly, true},     {"sizz", both, true},
                        {"ai", both, true}};
  for (const Case& c : cases) {
    Member(3).engname = c.engname;
    EXPECT_EQ(session.CanLearnMagic(3, c.magic), c.may) << c.engname << " " << c.magic;
  }
  EXPECT_FALSE(session.CanLearnMagic(40, 0));
  EXPECT_FALSE(session.CanLearnMagic(3, 500));
}

TEST_F(MagicTest, ForgettingClearsTheFlagOfAMagicUserOnly) {
  testsupport::DebugLogCapture log;
  Member(3).ismagicman = 1;
  session.AddMagic(3, "m40");
  EXPECT_EQ(session.GetPlayerValue(3, true, 40), 1);
  EXPECT_EQ(session.GetPlayerValue(3, false, 40), 0);
  session.RemoveMagic(3, "nothing");
  EXPECT_EQ(session.GetPlayerValue(3, true, 40), 1);
  session.RemoveMagic(3, "m40");
  EXPECT_EQ(session.GetPlayerValue(3, true, 40), 0);
  Member(4).ismagicman = 0;
  Member(4).magicFlags[40] = 1;
  session.RemoveMagic(4, "m40");
  EXPECT_TRUE(log.Contains("매직맨이 아닙니다"));
  EXPECT_EQ(Member(4).magicFlags[40], 1);
  EXPECT_EQ(session.GetPlayerValue(40, true, 1), 0);
  EXPECT_EQ(session.GetPlayerValue(3, true, -1), 0);
  session.RemoveMagic(-2, "m40");
}

}  // namespace
}  // namespace battletest
