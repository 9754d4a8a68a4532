// The session record's party and inn, money, diaries, hooks and equipment.
#include <gtest/gtest.h>

#include <vector>

#include "field/SelvarinActor.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "session/ClockSeconds.h"
#include "tests/session/SessionFixture.h"

namespace {

std::vector<int> Party(const CSession& s) { return {s.partyIds.begin(), s.partyIds.begin() + s.partyCount}; }
std::vector<int> Inn(const CSession& s) { return {s.innIds.begin(), s.innIds.begin() + s.innCount}; }

// Nobody stands in both lists, and the party never empties.
void ExpectInvariants(const CSession& s) {
  ASSERT_GE(s.partyCount, 1);
  ASSERT_LE(s.partyCount, CSession::kMaxParty);
  for (int id : Party(s)) {
    for (int waiting : Inn(s)) EXPECT_NE(id, waiting);
  }
}

TEST_F(SessionTest, PartyAndInnKeepEveryCharacterInOneList) {
  // Init: player 0 leads, player 1 waits at the inn; the fixture joined 2, 3.
  EXPECT_EQ(Party(session), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(Inn(session), (std::vector<int>{1}));
  struct Step {
    const char* what;
    void (*run)(CSession&);
    std::vector<int> party;
    std::vector<int> inn;
  } const steps[] = {
      {"join twice", [](CSession& s) { EXPECT_EQ(s.JoinPlayer(2), 0); }, {0, 2, 3}, {1}},
      {"join from the inn", [](CSession& s) { EXPECT_EQ(s.JoinPlayer(1), 1); }, {0, 2, 3, 1}, {}},
      {"fill", [](CSession& s) { s.JoinPlayer(4), s.JoinPlayer(5); }, {0, 2, 3, 1, 4, 5}, {}},
      {"seventh", [](CSession& s) { EXPECT_EQ(s.JoinPlayer(6), 0); }, {0, 2, 3, 1, 4, 5}, {}},
      {"leader leaves", [](CSession& s) { s.LeavePlayer(0); }, {2, 3, 1, 4, 5}, {}},
      {"wait", [](CSession& s) { s.WaitPlayer(3); }, {2, 1, 4, 5}, {3}},
      {"wait absent", [](CSession& s) { s.WaitPlayer(0); }, {2, 1, 4, 5}, {3}},
      {"get up", [](CSession& s) { EXPECT_EQ(s.GetupPlayer(3), 1); }, {2, 1, 4, 5, 3}, {}},
      {"get up absent", [](CSession& s) { EXPECT_EQ(s.GetupPlayer(3), 0); }, {2, 1, 4, 5, 3}, {}},
      {"leader", [](CSession& s) { s.MakeLeader(4); }, {3, 1, 4, 5, 2}, {}},
      {"to the back", [](CSession& s) { s.MoveToBack(0); }, {2, 1, 4, 5, 3}, {}},
      {"up at the top", [](CSession& s) { s.SwapPartyUp(0); }, {2, 1, 4, 5, 3}, {}},
      {"down at the end", [](CSession& s) { s.SwapPartyDown(4); }, {2, 1, 4, 5, 3}, {}},
      {"up", [](CSession& s) { s.SwapPartyUp(4); }, {2, 1, 4, 3, 5}, {}},
      {"ids out of range", [](CSession& s) { s.JoinPlayer(-1), s.JoinPlayer(32), s.WaitPlayer(32), s.MakeLeader(-1); },
       {2, 1, 4, 3, 5}, {}},
      {"leave to one", [](CSession& s) { for (int id : {1, 4, 3, 5}) s.WaitPlayer(id); }, {2}, {1, 4, 3, 5}},
      {"last member stays", [](CSession& s) { s.WaitPlayer(2), s.LeavePlayer(2); }, {2}, {1, 4, 3, 5}},
  };
  for (const Step& step : steps) {
    step.run(session);
    EXPECT_EQ(Party(session), step.party) << step.what;
    EXPECT_EQ(Inn(session), step.inn) << step.what;
    ExpectInvariants(session);
  }
}

TEST_F(SessionTest, LookupsByName) {
  testsupport::DebugLogCapture log;
  EXPECT_EQ(session.FindPlayer("kreutzer"), 2);
  EXPECT_EQ(session.FindPlayer("nobody"), -1);
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(session.GetPlayerId("nobody"), -1);
  EXPECT_TRUE(log.Contains("Invalid player engName In int\t\tCSession :: GetPlayerId(string name)"));
  EXPECT_EQ(session.GetPartyId(3), 2);
  EXPECT_EQ(session.GetPartyId(1), -1);
  EXPECT_TRUE(log.Contains("CSession::GetPartyId(int playerId)- Invalid playerId"));
  EXPECT_TRUE(session.IsInParty("carrot"));
  EXPECT_FALSE(session.IsInParty("ai"));
  EXPECT_EQ(session.FindItem("ring"), kRing);
  EXPECT_EQ(session.FindItem("none"), -1);
  EXPECT_TRUE(log.Contains("Invalid Item Name"));
}

TEST_F(SessionTest, GoldStaysWithinItsRange) {
  session.AddGold(999990);
  session.AddGold(20);
  EXPECT_EQ(session.gold, 999999);
  testsupport::DebugLogCapture log;
  session.dropgold(1000000);
  EXPECT_EQ(session.gold, 0);
  EXPECT_TRUE(log.Contains("Session::dropgold-minus count"));
}

TEST_F(SessionTest, ItemBoxMovesWhatThereIs) {
  session.SetItemCount(kRing, 3);
  session.additembox(kRing, 10);
  EXPECT_EQ(session.GetItemCount(kRing), 0);
  EXPECT_EQ(session.GetItemBoxCount(kRing), 3);
  session.getitembox(kRing, 2);
  EXPECT_EQ(session.GetItemCount(kRing), 2);
  EXPECT_EQ(session.GetItemBoxCount(kRing), 1);

  // Neither count passes 255; the rest stays where it was.
  session.itemBox[kSword] = 250;
  session.SetItemCount(kSword, 10);
  session.additembox(kSword, 10);
  EXPECT_EQ(session.GetItemBoxCount(kSword), 255);
  EXPECT_EQ(session.GetItemCount(kSword), 5);
  session.SetItemCount(kSword, 254);
  session.getitembox(kSword, 10);
  EXPECT_EQ(session.GetItemCount(kSword), 255);
  EXPECT_EQ(session.GetItemBoxCount(kSword), 254);

  testsupport::DebugLogCapture log;
  session.additembox(kRing, -1);
  session.getitembox(kRing, -1);
  EXPECT_EQ(session.dropitem(kRing, -1), 2);
  EXPECT_TRUE(log.Contains("Session::additembox-minus count"));
  EXPECT_TRUE(log.Contains("Session::getitembox-minus count"));
  EXPECT_TRUE(log.Contains("Session::dropitem-minus count"));
  EXPECT_EQ(session.GetItemBoxCount(kRing), 1);
  EXPECT_EQ(session.dropitem(kRing, 5), 0);
  for (int item : {-1, 1000, 3}) session.additembox(item, 1), session.getitembox(item, 1);
}

TEST_F(SessionTest, ItemDiaryRisesAndAppliesTheVariant) {
  session.SetItemDiary(5, 3);
  session.SetItemDiary(-1, 3);
  EXPECT_EQ(session.itemDiary[5], 0);
  session.SetItemDiary(kCrest, 3);
  EXPECT_EQ(session.itemDiary[kCrest], 3);
  EXPECT_EQ(CItemMgr::GetInstance().GetItem(kCrest)->price, 20);  // section 2 comes first
  session.SetItemDiary(kCrest, 1);
  EXPECT_EQ(session.itemDiary[kCrest], 3);
  session.SetMonsterDiary(2, 2), session.SetMonsterDiary(2, 1), session.SetMonsterDiary(1024, 1);
  EXPECT_EQ(session.monsterDiary[2], 2);
  session.GiveItem(kSword, 2);
  EXPECT_EQ(session.itemDiary[kSword], 1);
  EXPECT_EQ(session.GetItemCount(kSword), 2);
}

TEST_F(SessionTest, HooksAreThePrefixTheTextsAndTheNumber) {
  session.RaiseTurnHook("sizz", 3);
  session.RaiseItemUseHook("a", "b");
  session.RaiseEquipUseHook("ai", 12);
  EXPECT_EQ(session.hooks.Get("__turnsizz3"), 1);
  EXPECT_EQ(session.hooks.Get("__itemuseab"), 1);
  EXPECT_EQ(session.hooks.Get("__equipuseai12"), 1);
  EXPECT_EQ(session.hooks.Get("__equipreleaseai12"), 0);
  EXPECT_TRUE(session.hooks.Contains("__equipreleaseai12"));
  session.RaiseEquipReleaseHook("ai", 12);
  EXPECT_EQ(session.hooks.Get("__equipuseai12"), 0);
  EXPECT_EQ(session.hooks.Get("__equipreleaseai12"), 1);
  EXPECT_EQ(session.hooks.Get("never"), 0);
  EXPECT_FALSE(session.hooks.Contains("never"));  // reading creates nothing
}

TEST_F(SessionTest, EquipReturnsEachPieceOnce) {
  session.SetItemCount(kGreatSword, 1);
  session.SetItemCount(kGreatAxe, 1);
  session.SetItemCount(kBuckler, 1);
  session.Equip(1, kBuckler);
  session.Equip(1, kGreatSword);  // the shield comes off
  EXPECT_EQ(Member(1).weapon, kGreatSword);
  EXPECT_EQ(Member(1).shield, kGreatSword);
  EXPECT_EQ(session.GetItemCount(kBuckler), 1);
  EXPECT_EQ(session.GetItemCount(kGreatSword), 0);
  session.Equip(1, kGreatAxe);  // two-handed over two-handed
  EXPECT_EQ(session.GetItemCount(kGreatSword), 1);
  EXPECT_EQ(session.GetItemCount(kGreatAxe), 0);
  EXPECT_EQ(session.hooks.Get("__equipreleasekreutzer" + std::to_string(kGreatSword)), 1);
  EXPECT_EQ(session.hooks.Get("__equipusekreutzer" + std::to_string(kGreatAxe)), 1);
  EXPECT_EQ(session.CountItemOwned(kGreatAxe), 2);  // each slot that holds it counts
  EXPECT_EQ(session.GetCarriedVolume(), 4 + 1 + 5 + 5);  // the great sword and the buckler carried, the axe in two slots

  session.SetItemCount(kRing, 1);
  session.SetItemCount(kRing2, 1);
  session.SetItemCount(kTwinNecklace, 1);
  session.Equip(1, kRing);
  session.Equip(1, kRing2);
  EXPECT_EQ(Member(1).acc2, kRing);
  EXPECT_EQ(Member(1).acc3, kRing2);
  session.Equip(1, kTwinNecklace);  // over two accessories: both come back
  EXPECT_EQ(Member(1).acc2, kTwinNecklace);
  EXPECT_EQ(Member(1).acc3, kTwinNecklace);
  EXPECT_EQ(session.GetItemCount(kRing), 1);
  EXPECT_EQ(session.GetItemCount(kRing2), 1);
  EXPECT_EQ(session.GetItemCount(kTwinNecklace), 0);
}

TEST_F(SessionTest, UnequipNumbersSlotsAsTheEquipmentScreen) {
  session.SetItemCount(kGreatAxe, 1);
  session.SetItemCount(kTwinNecklace, 1);
  session.Equip(1, kGreatAxe);
  session.Equip(1, kTwinNecklace);
  session.Unequip(1, 0);  // the empty helmet: nothing
  EXPECT_EQ(Member(1).helmet, kEmptyHelmet);
  session.Unequip(1, 5);  // the shield slot of a two-handed weapon frees both
  EXPECT_EQ(Member(1).weapon, kEmptyWeapon);
  EXPECT_EQ(Member(1).shield, kEmptyShield);
  EXPECT_EQ(session.GetItemCount(kGreatAxe), 1);
  session.Unequip(1, 7);
  EXPECT_EQ(Member(1).acc2, kEmptyAcc23);
  EXPECT_EQ(Member(1).acc3, kEmptyAcc23);
  EXPECT_EQ(session.GetItemCount(kTwinNecklace), 1);
  EXPECT_EQ(session.hooks.Get("__equipreleasekreutzer" + std::to_string(kTwinNecklace)), 1);
  session.Unequip(1, 8), session.Unequip(-1, 1), session.Unequip(6, 1);
}

TEST_F(SessionTest, CostPercentFallsByTensOfLevels) {
  const int slash = 0;  // level class 2
  const int basic = 1;  // level class 0
  struct Case {
    int lvl;
    int skill;
    int percent;
  } const cases[] = {{11, slash, 100}, {21, slash, 90}, {30, slash, 90}, {99, slash, 20},
                     {81, basic, 10},  {91, basic, 100}, {96, basic, 100}};
  for (const Case& c : cases) {
    session.players[2].lvl = c.lvl;
    EXPECT_EQ(session.CostPercent(2, c.skill, false), c.percent) << c.lvl;
  }
  EXPECT_EQ(session.CostPercent(2, 0, true), 10);  // magic level class 1 at level 96
  EXPECT_EQ(session.CostPercent(-1, 0, false), 100);
  EXPECT_EQ(session.CostPercent(2, 5, false), 100);
}

TEST_F(SessionTest, TheSpiritualRingTakesAThirdOffSkillCosts) {
  PlayerData& member = Member(1);
  member.lvl = 1;  // cost percent 100 for level class 2
  member.mp1 = 10;
  member.mp2 = 20;
  EXPECT_TRUE(session.CanPaySkillCost(1, 0));
  member.mp2 = 19;
  EXPECT_FALSE(session.CanPaySkillCost(1, 0));
  session.SetItemCount(kSpiritualRing, 1);
  session.Equip(1, kSpiritualRing);
  member.mp1 = 6;
  member.mp2 = 13;
  EXPECT_TRUE(session.CanPaySkillCost(1, 0));  // 66% of 10 and 20: 6 and 13
  session.PaySkillCost(1, 0);
  EXPECT_EQ(member.mp1, 0);
  EXPECT_EQ(member.mp2, 0);
}

TEST_F(SessionTest, ScaleByBonus) {
  Member(0).bonusPercent = -50;
  EXPECT_FLOAT_EQ(session.ScaleByBonus(80.0f, 0, true), 40.0f);
  session.enemies[2].bonusPercent = 150;
  EXPECT_FLOAT_EQ(session.ScaleByBonus(80.0f, 2, false), 200.0f);
  EXPECT_FLOAT_EQ(session.ScaleByBonus(80.0f, 6, false), 80.0f);
}

TEST_F(SessionTest, EscapeWeighsTheLivePartyAgainstTheEnemies) {
  CSelvarinActor actors[4];
  for (int p = 0; p < 3; ++p) {
    Member(p).battlePtr = &actors[p];
    Member(p).luck = Member(p).intelligence = Member(p).agility = 0;
  }
  session.battlePartyCount = 3;
  session.enemies[0].actor = &actors[3];
  // With every value 0 the party never gets away, even against an enemy sum
  // of 0 (counted as 1).
  platform::Srand(7);
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(session.RollEscape());
  // 1 against an enemy sum of 0: 100%.
  Member(1).luck = 1;
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(session.RollEscape());
  // 50 (a fallen member's values left out) against 100: rand() % 100 < 50.
  Member(1).luck = 20, Member(2).intelligence = 30;
  Member(0).luck = 500;
  actors[0].m_actionCode = 10027;
  session.enemies[0].spd = 60, session.enemies[0].luck = 40;
  session.enemies[1].spd = 1000;  // a free slot counts for nothing
  platform::Srand(11);
  std::vector<bool> expected;
  for (int i = 0; i < 20; ++i) expected.push_back(platform::Rand() % 100 < 50);
  platform::Srand(11);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(session.RollEscape(), expected[static_cast<size_t>(i)]) << i;
  for (int p = 0; p < 3; ++p) Member(p).battlePtr = nullptr;
  session.enemies[0].actor = nullptr;
}

TEST_F(SessionTest, ThePlayClockCountsSecondsAcrossThe32BitWrap) {
  platform::FakeClock clock(0xFFFFF000ull);  // close to the 32-bit millisecond wrap
  platform::ScopedClockSource guard(&clock);
  const int32_t start = GetClockSeconds();
  clock.Advance(3u * 24 * 3600 * 1000);  // three days on
  EXPECT_EQ(ClockSecondsSince(start), 3 * 24 * 3600);
  clock.Set(0x7FFFFFFFull * 1000 + 500);  // the seconds' own wrap
  const int32_t late = GetClockSeconds();
  clock.Advance(2000);
  EXPECT_EQ(ClockSecondsSince(late), 2);
  session.Init();
  clock.Advance(61000);
  EXPECT_EQ(ClockSecondsSince(session.startClock), 61);
}

TEST_F(SessionTest, KeyLayoutIsOptionSeven) {
  EXPECT_EQ(session.options[CSession::kOptionKeyLayout], 1);
  EXPECT_EQ(session.options[2], 1);
  EXPECT_EQ(session.lastSlotIndex, -1);
}

}  // namespace
