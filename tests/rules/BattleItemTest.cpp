// The flying item on a flat battle ground: its flight table, the names that
// choose a flight, straight and bouncing flights, the last tick, and what
// ends a flight early.
#include <gtest/gtest.h>

#include <string>

#include "battle/BattleItem.h"
#include "rules/Condition.h"
#include "tests/rules/BattleRulesFixture.h"

namespace {

using battletest::BattleRulesFixture;

TEST(BattleItemTableTest, RowsFollowTheirCodesAndNamesChooseTheirFlights) {
  for (int code = 0; code < CBattleItem::kFlightCount; ++code) {
    SCOPED_TRACE(code);
    const CBattleItem::FlightRow& row = CBattleItem::kFlights[static_cast<size_t>(code)];
    int effect = code;
    bool lobbed = true;
    if (code <= 20) {
      effect = 64 + code;
      lobbed = code == 0 || code == 2 || (code >= 13 && code <= 17) || code == 19;
    } else if (code == 21) {
      effect = 0;
      lobbed = false;
    } else if (code <= 84) {
      effect = code - 21;
    } else if (code >= 91 && code <= 94) {
      effect = code == 94 ? 91 : code + 1;
    }
    EXPECT_EQ(row.effect, effect);
    EXPECT_EQ(row.lobbed, lobbed ? 1 : 0);
    EXPECT_EQ(row.value, lobbed ? 43.0f : 2.5f);
    // Every label but three is the name that chooses its row.
    const bool differs = code == 2 || code == 75 || code == 76;
    EXPECT_EQ(CBattleItem::FlightCodeOf(row.label) == code, !differs) << row.label;
  }
  const std::pair<const char*, int> names[] = {{"축제용폭죽", 2},    {"축제용_폭죽", 42}, {"초코칩쿠키", 75},
                                               {"엘레멘탈챠저", 91}, {"불의비약", 94},    {"울라스", 12},
                                               {"오렌지", 42},       {"없는것", 42},      {"", 42}};
  for (const auto& [name, code] : names) EXPECT_EQ(CBattleItem::FlightCodeOf(name), code) << name;
  EXPECT_EQ(CBattleItem::kFlights[91].effect, 92);
  EXPECT_EQ(CBattleItem::kFlights[94].effect, 91);
  EXPECT_EQ(CBattleItem::kFlights[42].effect, 21);
  EXPECT_STREQ(CBattleItem::kFlights[12].label, "울라스");
}

class BattleItemTest : public BattleRulesFixture {
 public:
  void SetUp() override {
    BattleRulesFixture::SetUp();
    std::string items;
    items += Block("다트", 9, "0 7 0 0");                 // straight
    items += Block("사과", 7, "0 0 0 0 0 0 0 0 5");       // bouncing
    LoadItems(items);
    for (int p = 0; p < 3; ++p) Member(p).hp = 50, Member(p).maxhp = 100, Member(p).stateid = 0;
    for (int e = 0; e < 3; ++e) Enemy(e).hp = 30, Enemy(e).maxhp = 40;
  }

  // Ticks the item until it ends, moving the target by `recede` a tick;
  // the number of ticks it ran.
  int Fly(CBattleItem& item, CBattleActor& target, float recede = 0.0f) {
    int ticks = 0;
    while (ticks < 500) {
      ++ticks;
      if (!item.OnProcess()) break;
      target.m_pos.x += recede;
    }
    return ticks;
  }
};

TEST_F(BattleItemTest, InitKeepsThePairsTheOwnerAndTheFlight) {
  CBattleItem item;
  members[1].m_pos = {4.0f, 0.0f, 6.0f};
  item.Init(&members[1], &foes[2], Id("다트"));
  EXPECT_EQ(item.m_userId, 1);
  EXPECT_EQ(item.m_userIsParty, 1);
  EXPECT_EQ(item.m_targetId, 2);
  EXPECT_EQ(item.m_targetIsParty, 0);
  EXPECT_EQ(item.m_ownerPosition, 1);
  EXPECT_EQ(item.m_flightCode, 4);
  EXPECT_EQ(item.m_pos.z, 6.0f);
  EXPECT_EQ(item.m_screenX, 320);
  CBattleItem unknown;
  unknown.Init(&foes[0], &members[0], 999);
  EXPECT_EQ(unknown.m_flightCode, CBattleItem::kUnknownFlight);
  EXPECT_EQ(unknown.m_ownerPosition, -1);
}

TEST_F(BattleItemTest, AStraightItemFliesAtItsSpeedAndHitsOnArrival) {
  foes[0].m_pos = {30.0f, 0.0f, 0.0f};
  members[0].m_screenX = 111;
  CBattleItem item;
  item.Init(&members[0], &foes[0], Id("다트"));
  ASSERT_TRUE(item.OnProcess());
  EXPECT_NEAR(item.m_pos.x, 2.5f, 1e-4f);
  EXPECT_EQ(item.m_screenX, 111);
  EXPECT_EQ(Effects(item), std::vector<int>({68}));
  // Within five steps of the target after seven ticks in all.
  EXPECT_EQ(Fly(item, foes[0]), 6);
  EXPECT_EQ(Messages(foes[0]), std::vector<int>({kMsgHit}));
}

TEST_F(BattleItemTest, ABouncingItemTakesAboutFortyThreeTicksWhateverTheDistance) {
  for (float distance : {30.0f, 90.0f}) {
    SCOPED_TRACE(distance);
    members[0].m_pos = {-distance / 2, 0.0f, 0.0f};
    members[2].m_pos = {distance / 2, 0.0f, 0.0f};
    CBattleItem item;
    item.Init(&members[0], &members[2], Id("사과"));
    const int ticks = Fly(item, members[2]);
    EXPECT_GE(ticks, 36);
    EXPECT_LE(ticks, 44);
    EXPECT_EQ(Member(2).hp, 55);
    Member(2).hp = 50;
  }
}

TEST_F(BattleItemTest, ARecedingTargetIsReachedAtTheLastTick) {
  foes[0].m_pos = {30.0f, 0.0f, 0.0f};
  CBattleItem item;
  item.Init(&members[0], &foes[0], Id("다트"));
  EXPECT_EQ(Fly(item, foes[0], 3.0f), CBattleItem::kLastTick + 1);
  EXPECT_EQ(Messages(foes[0]), std::vector<int>({kMsgHit}));
}

TEST_F(BattleItemTest, AFlightEndsUnusedWithoutItsUserOrItsDecoy) {
  foes[0].m_pos = {30.0f, 0.0f, 0.0f};
  CBattleItem lost;
  lost.Init(&members[0], &foes[0], Id("다트"));
  Member(0).battlePtr = nullptr;
  EXPECT_FALSE(lost.OnProcess());
  Member(0).battlePtr = &members[0];

  // A decoy carries its source's pair: the item follows the decoy and is
  // spent on it.
  foes[1].m_battleId = {0, 0};
  foes[1].m_isDecoy = 1;
  foes[1].m_pos = {-20.0f, 0.0f, 0.0f};
  foes[0].m_decoy = &foes[1];
  CBattleItem item;
  item.Init(&members[0], &foes[1], Id("다트"));
  EXPECT_EQ(item.m_viaDecoy, 1);
  ASSERT_TRUE(item.OnProcess());
  EXPECT_LT(item.m_pos.x, 0.0f);
  Fly(item, foes[1]);
  EXPECT_TRUE(Messages(foes[0]).empty());
  EXPECT_TRUE(Messages(foes[1]).empty());

  CBattleItem gone;
  gone.Init(&members[0], &foes[1], Id("다트"));
  foes[0].m_decoy = nullptr;
  EXPECT_FALSE(gone.OnProcess());
}

TEST_F(BattleItemTest, AConfirmedHitAcknowledgesOnItsSenderByAmount) {
  CBattleItem item;
  item.OnMessage(&foes[0], kMsgHitConfirmed, 49, 0, 0);
  item.OnMessage(&foes[0], kMsgHitConfirmed, 99, 0, 0);
  item.OnMessage(&foes[0], kMsgHitConfirmed, 100, 0, 0);
  item.OnMessage(nullptr, kMsgHitConfirmed, 10, 0, 0);
  item.OnMessage(&foes[0], kMsgHit, 10, 0, 0);
  EXPECT_EQ(Effects(foes[0]), std::vector<int>({202, 203, 204}));
}

}  // namespace

namespace {

// The throw: who may reach whom, what leaves the inventory, and the object
// made for the flight.
TEST_F(BattleItemTest, TheThrowTakesThePartysPieceAndMakesTheFlightUnlessTheTargetIsOutOfReach) {
  std::string items;
  items += Block("다트", 9, "0 7 0 0");
  items += Block("세이지", 8, "0");
  LoadItems(items);
  struct Case {
    const char* label;
    bool partyUser;
    bool targetParty;
    bool targetRemoved;
    const char* item;  // nullptr: an index outside the table
    bool flies;
    int piecesLeft;
  } cases[] = {
      {"member on enemy", true, false, false, "다트", true, 1},
      {"member on a removed enemy", true, false, true, "다트", false, 2},
      {"member revives a removed member", true, true, true, "세이지", true, 1},
      {"other items miss a removed member", true, true, true, "다트", false, 2},
      {"an enemy's throw spends no party piece", false, true, false, "다트", true, 2},
      {"an enemy never reaches a removed member", false, true, true, "세이지", false, 2},
      {"no such item", true, false, false, nullptr, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const int item = c.item != nullptr ? Id(c.item) : 999;
    for (int i : {Id("다트"), Id("세이지")}) session.RemoveItem(i, session.GetItemCount(i));
    if (c.item != nullptr) session.AddItem(item, 2);
    CBattleActor& user = c.partyUser ? static_cast<CBattleActor&>(members[0]) : foes[0];
    CBattleActor& target = c.targetParty ? static_cast<CBattleActor&>(members[1]) : foes[1];
    target.m_actionCode = c.targetRemoved ? kActRemoved : kActIdle;
    user.m_target = &target;
    user.m_chosenIndex = item;
    session.LaunchItem(0, c.partyUser);
    const std::vector<CBattleItem*> flights = All<CBattleItem>(Context().m_battleObjects);
    ASSERT_EQ(flights.size(), c.flies ? 1u : 0u);
    if (c.flies) {
      EXPECT_EQ(flights[0]->m_targetId, 1);
      EXPECT_EQ(flights[0]->m_targetIsParty, c.targetParty ? 1 : 0);
    }
    if (c.item != nullptr) {
      EXPECT_EQ(session.GetItemCount(item), c.piecesLeft);
    }
    for (CActor* object : Context().m_battleObjects) delete object;
    Context().m_battleObjects.clear();
    target.m_actionCode = kActIdle;
    user.m_target = nullptr;
  }
}

}  // namespace
