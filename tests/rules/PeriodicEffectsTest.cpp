// What conditions and worn items do on the battle's ticks: poison, STONE
// wearing off, the tint, and the worn items that heal, feed or drain.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "rules/Condition.h"
#include "session/ITM.h"
#include "tests/rules/BattleRulesFixture.h"
#include "tests/support/TestSupport.h"

namespace {

using battletest::BattleRulesFixture;

class PeriodicEffectsTest : public BattleRulesFixture {
 protected:
  void SetUp() override {
    BattleRulesFixture::SetUp();
    for (int p = 0; p < 3; ++p) Reset(Member(p));
  }
  // hp 100/500, barrier 20/300, every MP 10/100, no condition, nothing worn.
  static void Reset(PlayerData& m) {
    m.hp = 100;
    m.maxhp = 500;
    m.shp = 20;
    m.maxshp = 300;
    m.mp1 = m.mp2 = m.mp3 = 10;
    m.maxmp1 = m.maxmp2 = m.maxmp3 = 100;
    m.stateid = 0;
    m.ismagicman = 0;
    m.weapon = kEmptyWeapon;
    m.armor = kEmptyArmor;
    m.helmet = kEmptyHelmet;
    m.shoes = kEmptyShoes;
    m.acc1 = kEmptyAcc1;
    m.acc2 = m.acc3 = kEmptyAcc23;
  }
  // Puts the item on in the slot of its kind (the two rings in turn).
  static void Wear(PlayerData& m, const char* name) {
    const int item = Id(name);
    switch (CItemMgr::GetInstance().GetItem(item)->kind) {
      case 0: m.weapon = item; break;
      case 2: m.armor = item; break;
      case 3: m.helmet = item; break;
      case 4: m.shoes = item; break;
      case 5: m.acc1 = item; break;
      default: (m.acc2 == kEmptyAcc23 ? m.acc2 : m.acc3) = item; break;
    }
  }
  void Tick(int32_t tick, int position, bool isParty) {
    Context().m_battleTickCount = tick;
    session.ProcessException(position, isParty);
  }
  static bool Killed(const std::vector<int>& messages) {
    return std::find(messages.begin(), messages.end(), kMsgKill) != messages.end();
  }
};

struct MemberCase {
  const char* what;
  int32_t tick;
  uint32_t bits = 0;
  std::vector<const char*> worn = {};
  const char* engname = "sizz";
  int32_t ismagicman = 0;
  int32_t hp = 100;
  int32_t mp = 10;
  // Expected afterwards.
  int32_t hpAfter = 100;
  int32_t shpAfter = 20;
  std::array<int32_t, 3> mpAfter = {10, 10, 10};
  uint32_t bitsAfter = 0;
  bool killed = false;
};

TEST_F(PeriodicEffectsTest, EachPeriodRunsItsConditionAndWornItemSteps) {
  const MemberCase cases[] = {
      {.what = "between periods nothing", .tick = 7, .bits = kPoison3, .bitsAfter = kPoison3},
      {.what = "before the battle's first tick nothing", .tick = 0, .bits = kPoison3, .bitsAfter = kPoison3},
      {.what = "POISON3 every 30", .tick = 30, .bits = kPoison3, .hpAfter = 99, .bitsAfter = kPoison3},
      {.what = "POISON2 not on 30", .tick = 30, .bits = kPoison2, .bitsAfter = kPoison2},
      {.what = "POISON2 every 60", .tick = 60, .bits = kPoison2, .hpAfter = 99, .bitsAfter = kPoison2},
      {.what = "POISON1 and the barrier every 120", .tick = 120, .bits = kPoison1, .hpAfter = 99, .shpAfter = 21,
       .bitsAfter = kPoison1},
      {.what = "all three poisons on 120", .tick = 120, .bits = kPoison1 | kPoison2 | kPoison3, .hpAfter = 97,
       .shpAfter = 21, .bitsAfter = kPoison1 | kPoison2 | kPoison3},
      {.what = "POISON1 at 1 dies", .tick = 120, .bits = kPoison1, .hp = 1, .hpAfter = 0, .shpAfter = 21,
       .bitsAfter = kPoison1, .killed = true},
      {.what = "STONE wears off on 60", .tick = 60, .bits = kStone | kCurse, .bitsAfter = kCurse},
      {.what = "STONE holds on 30", .tick = 30, .bits = kStone, .bitsAfter = kStone},
      {.what = "MP every 240", .tick = 240, .shpAfter = 21, .mpAfter = {17, 17, 17}},
      {.what = "MP capped", .tick = 240, .mp = 97, .shpAfter = 21, .mpAfter = {100, 100, 100}},
      {.what = "no hit points left on 240", .tick = 240, .hp = 0, .hpAfter = 0, .shpAfter = 21, .mpAfter = {17, 17, 17},
       .killed = true},
      {.what = "쥬프라가 feeds a skill user", .tick = 240, .worn = {"쥬프라가"}, .shpAfter = 21, .mpAfter = {17, 24, 17}},
      {.what = "쥬프라가 not a magic user", .tick = 240, .worn = {"쥬프라가"}, .ismagicman = 1, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "다마스커스", .tick = 240, .worn = {"다마스커스"}, .hpAfter = 101, .shpAfter = 21, .mpAfter = {17, 17, 17}},
      {.what = "페더슈츠 for sizz2", .tick = 240, .worn = {"페더슈츠"}, .engname = "sizz2", .shpAfter = 21,
       .mpAfter = {17, 24, 17}},
      {.what = "페더슈츠 not for ai", .tick = 240, .worn = {"페더슈츠"}, .engname = "ai", .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "타브리셔츠", .tick = 240, .worn = {"타브리셔츠"}, .shpAfter = 21, .mpAfter = {17, 24, 17}},
      {.what = "힐링메일 by the hit-point maximum", .tick = 240, .worn = {"힐링메일"}, .hpAfter = 106, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "힐링메일 capped", .tick = 240, .worn = {"힐링메일"}, .hp = 498, .hpAfter = 500, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "웨딩드레스 on a veiled peach", .tick = 240, .worn = {"웨딩드레스", "면사포"}, .engname = "peach",
       .shpAfter = 21, .mpAfter = {100, 100, 100}},
      {.what = "웨딩드레스 unveiled", .tick = 240, .worn = {"웨딩드레스"}, .engname = "peach", .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "물의로브 for ai", .tick = 240, .worn = {"물의로브"}, .engname = "ai", .shpAfter = 21,
       .mpAfter = {17, 18, 17}},
      {.what = "땅의로브 for sizz", .tick = 240, .worn = {"땅의로브"}, .shpAfter = 21, .mpAfter = {17, 17, 18}},
      {.what = "불의로브 for ai", .tick = 240, .worn = {"불의로브"}, .engname = "ai", .shpAfter = 21,
       .mpAfter = {18, 17, 17}},
      {.what = "불의로브 not for maria", .tick = 240, .worn = {"불의로브"}, .engname = "maria", .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "바람의로브 not for ai", .tick = 240, .worn = {"바람의로브"}, .engname = "ai", .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "미라쥬로브", .tick = 240, .worn = {"미라쥬로브"}, .shpAfter = 28, .mpAfter = {17, 17, 17}},
      {.what = "본레그플레이트 takes back this tick's barrier", .tick = 240, .worn = {"미라쥬로브", "본레그플레이트"},
       .shpAfter = 20, .mpAfter = {17, 17, 17}},
      {.what = "지압구두 not on 720", .tick = 720, .worn = {"지압구두"}, .shpAfter = 21, .mpAfter = {17, 17, 17}},
      {.what = "지압구두 every 480", .tick = 480, .worn = {"지압구두"}, .shpAfter = 24, .mpAfter = {17, 17, 17}},
      {.what = "건강구두 by the barrier maximum", .tick = 480, .worn = {"건강구두"}, .hpAfter = 103, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "건강구두 capped", .tick = 480, .worn = {"건강구두"}, .hp = 499, .hpAfter = 500, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "펄네클리스", .tick = 240, .worn = {"펄네클리스"}, .shpAfter = 21, .mpAfter = {18, 18, 18}},
      {.what = "펄이어링 fills MP2", .tick = 240, .worn = {"펄이어링"}, .shpAfter = 21, .mpAfter = {17, 100, 17}},
      {.what = "힐링이어링 every 480", .tick = 480, .worn = {"힐링이어링"}, .hpAfter = 103, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "사자의반지 in both slots at 10, each slot draining", .tick = 240, .worn = {"사자의반지", "사자의반지"}, .hp = 10, .hpAfter = 8,
       .shpAfter = 21, .mpAfter = {17, 17, 17}},
      {.what = "사자의반지 above 10", .tick = 240, .worn = {"사자의반지"}, .hp = 11, .hpAfter = 11, .shpAfter = 21,
       .mpAfter = {17, 17, 17}},
      {.what = "사자의반지 at 1", .tick = 240, .worn = {"사자의반지"}, .hp = 1, .hpAfter = 0, .shpAfter = 21,
       .mpAfter = {17, 17, 17}, .killed = true},
  };
  for (const MemberCase& c : cases) {
    SCOPED_TRACE(c.what);
    PlayerData& m = Member(0);
    Reset(m);
    m.engname = c.engname;
    m.ismagicman = c.ismagicman;
    m.stateid = static_cast<int32_t>(c.bits);
    m.hp = c.hp;
    m.mp1 = m.mp2 = m.mp3 = c.mp;
    for (const char* name : c.worn) Wear(m, name);
    Messages(members[0]).clear();
    Tick(c.tick, 0, true);
    EXPECT_EQ(m.hp, c.hpAfter);
    EXPECT_EQ(m.shp, c.shpAfter);
    EXPECT_EQ((std::array<int32_t, 3>{m.mp1, m.mp2, m.mp3}), c.mpAfter);
    EXPECT_EQ(static_cast<uint32_t>(m.stateid), c.bitsAfter);
    EXPECT_EQ(Killed(Messages(members[0])), c.killed);
  }
}

TEST_F(PeriodicEffectsTest, AnEnemyDiesOfPoisonOnlyWhenItsHitPointsAreGoneOnA120thTick) {
  struct {
    int32_t tick;
    uint32_t bits;
    int32_t hp;
    int32_t hpAfter;
    bool killed;
  } const cases[] = {
      {120, kPoison1, 5, 4, false}, {120, kPoison1, 1, 0, true}, {120, 0, 0, 0, true},
      {60, 0, 0, 0, false},         {30, kPoison3, 3, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tick);
    Enemy(0).hp = c.hp;
    Enemy(0).stateid = static_cast<int32_t>(c.bits);
    Messages(foes[0]).clear();
    Tick(c.tick, 0, false);
    EXPECT_EQ(Enemy(0).hp, c.hpAfter);
    EXPECT_EQ(Killed(Messages(foes[0])), c.killed);
  }
  Enemy(0).stateid = static_cast<int32_t>(kStone);
  Tick(60, 0, false);
  EXPECT_EQ(Enemy(0).stateid, 0);
}

TEST_F(PeriodicEffectsTest, StoneStaysWhileTheActorIsPetrified) {
  Member(0).stateid = static_cast<int32_t>(kStone);
  members[0].m_actionCode = kActPetrified;
  Tick(60, 0, true);
  EXPECT_EQ(static_cast<uint32_t>(Member(0).stateid), kStone);
  EXPECT_TRUE(RaisedConditionHooks().empty());
  members[0].m_actionCode = kActIdle;
  Tick(120, 0, true);
  EXPECT_EQ(Member(0).stateid, 0);
  EXPECT_EQ(RaisedConditionHooks(), std::vector<std::string>{"__conditionsizzNOTHING"});
}

// The clearing runs whether STONE is held or not, so its hooks come every
// 60 ticks.
TEST_F(PeriodicEffectsTest, EverySixtiethTickClearsStoneAndRaisesItsHooks) {
  Member(0).stateid = static_cast<int32_t>(kUndead);
  Tick(30, 0, true);
  EXPECT_TRUE(RaisedConditionHooks().empty());
  Tick(60, 0, true);
  EXPECT_EQ(RaisedConditionHooks(), std::vector<std::string>{"__conditionsizzUNDEAD"});
  EXPECT_EQ(static_cast<uint32_t>(Member(0).stateid), kUndead);
}

// A value above its maximum comes down to it on the next increase.
TEST_F(PeriodicEffectsTest, AValueAboveItsMaximumComesDownToIt) {
  Member(0).shp = 350;
  Member(0).mp1 = 120;
  Tick(240, 0, true);
  EXPECT_EQ(Member(0).shp, 300);
  EXPECT_EQ(Member(0).mp1, 100);
}

TEST_F(PeriodicEffectsTest, TheTintShowsTheWorstConditionAndKeepsItsAlpha) {
  struct {
    uint32_t bits;
    int32_t action;
    uint32_t tint;
  } const cases[] = {
      {kStone | kPoison1, kActPetrified, 0x80777777}, {kUndead | kPanic, kActIdle, 0x800000FF},
      {kPanic | kCurse, kActIdle, 0x80FF0000},        {kCurse | kPoison3, kActIdle, 0x80FF00FF},
      {kPoison3 | kPoison1, kActIdle, 0x8000FF00},    {kPoison2, kActIdle, 0x8000AA00},
      {kPoison1, kActIdle, 0x80007700},               {0, kActIdle, 0x80FFFFFF},
      {0, kActDying, 0x80123456},                     {0, kActFrozen, 0x80123456},
      {0, kActPetrified, 0x80123456},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tint);
    Enemy(1).stateid = static_cast<int32_t>(c.bits);
    foes[1].m_actionCode = c.action;
    foes[1].m_tint = 0x80123456;
    Tick(60, 1, false);
    EXPECT_EQ(foes[1].m_tint, c.tint);
  }
}

TEST_F(PeriodicEffectsTest, The240thTickShowsAMemberWholeUnlessItWearsTheClearRobe) {
  members[0].m_tint = 0x40FFFFFF;
  Tick(240, 0, true);
  EXPECT_EQ(members[0].m_tint, 0xFFFFFFFFu);
  Wear(Member(0), "펠류시드가브");
  Tick(240, 0, true);
  EXPECT_EQ(members[0].m_tint, 0x77FFFFFFu);
}

TEST_F(PeriodicEffectsTest, TheAngryBladeGlowsEvery1200TicksOnceTheFirstChapterIsOver) {
  Wear(Member(0), "앵거바델");
  Tick(1200, 0, true);
  EXPECT_TRUE(Effects(members[0]).empty());
  EXPECT_FALSE(session.scriptVariables.Contains("제1장끝"));
  session.scriptVariables.Set("제1장끝", 1);
  Tick(960, 0, true);
  EXPECT_TRUE(Effects(members[0]).empty());
  Tick(2400, 0, true);
  EXPECT_EQ(Effects(members[0]), std::vector<int>{1010});
}

TEST_F(PeriodicEffectsTest, MissingParticipantsAreLoggedAndPositionsNamingNobodyDoNothing) {
  testsupport::DebugLogCapture log;
  Member(1).battlePtr = nullptr;
  Enemy(2).actor = nullptr;
  Tick(240, 1, true);
  Tick(120, 2, false);
  EXPECT_TRUE(log.Contains("playerData->battlePtr == NULL In CSession :: ProcessException()"));
  EXPECT_TRUE(log.Contains("enemyData->battlePtr == NULL In CSession :: ProcessException()"));
  for (int position : {-1, 6, 99}) {
    Tick(240, position, true);
    Tick(240, position, false);
  }
  EXPECT_EQ(Member(1).mp1, 10);
}

}  // namespace
