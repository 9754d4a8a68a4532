// Arrows on a flat battle ground between recording participants: the flight
// and its last tick, a target that leaves, Celine's bow effects and her
// piercing, other shooters, decoys, and the shot that looses an arrow.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "battle/BattleBullet.h"
#include "tests/rules/BattleRulesFixture.h"

namespace {

using battletest::BattleRulesFixture;

constexpr const char* kUnlistedBow = "나무활";
constexpr int kUnrolled = -7;

class BattleBulletTest : public BattleRulesFixture {
 public:
  void SetUp() override {
    BattleRulesFixture::SetUp();
    std::string items;
    for (const CBattleBullet::BowRow& row : CBattleBullet::kBows) items += Block(row.bow, 0);
    items += Block(kUnlistedBow, 0);
    LoadItems(items);
    // Accuracy three short of every enemy's: each arrow hits, drawing nothing.
    PlayerData& shooter = Member(0);
    shooter.lvl = shooter.agility = shooter.luck = 0;
    shooter.name = CBattleBullet::kPiercingShooter;
    shooter.weapon = Id("롱보우");
    for (int e = 0; e < 3; ++e) Enemy(e).level = 0, Enemy(e).luck = 3, Enemy(e).hp = Enemy(e).maxhp = 900;
    members[0].m_pos = {-40.0f, 0.0f, 0.0f};
    foes[0].m_pos = {40.0f, 0.0f, 0.0f};
    foes[1].m_pos = foes[2].m_pos = {0.0f, 0.0f, 40.0f};
  }

  // What one flight did: the ticks on which each enemy was struck, the
  // tick it ended on and the effects it showed.
  struct Flight {
    std::vector<std::pair<int, int>> hits;  // (tick, enemy slot)
    int lastTick = -1;
    std::vector<int> effects;
  };
  // How the world moves around a flight before each tick.
  struct Moves {
    float recede = 0.0f;       // the target a tick, along x
    int targetLeavesAt = -1;   // its slot loses its actor on that tick
    int bystanderUntil = -1;   // enemy 1 keeps 5 beside the arrow until then, then goes far off
  };

  Flight Fly(CBattleBullet& arrow, const Moves& moves) {
    Flight flight;
    for (int tick = 0; tick < 500; ++tick) {
      if (tick == moves.targetLeavesAt) Enemy(0).actor = nullptr;
      if (tick < moves.bystanderUntil) foes[1].m_pos = {arrow.m_pos.x, arrow.m_pos.y, arrow.m_pos.z + 5.0f};
      if (tick == moves.bystanderUntil) foes[1].m_pos = {0.0f, 0.0f, 40.0f};
      foes[0].m_pos.x += moves.recede;
      const bool flies = arrow.OnProcess();
      for (int e = 0; e < 3; ++e) {
        std::vector<int>& heard = Messages(foes[e]);
        if (std::count(heard.begin(), heard.end(), kMsgHit) > 0) flight.hits.emplace_back(tick, e);
        heard.clear();
      }
      if (!flies) {
        flight.lastTick = tick;
        break;
      }
    }
    flight.effects = Effects(arrow);
    return flight;
  }
};

TEST_F(BattleBulletTest, InitKeepsThePairsTheOwnerAndTheValue) {
  CBattleBullet arrow;
  EXPECT_EQ(arrow.m_screenX, 320);
  EXPECT_EQ(arrow.m_screenY, 240);
  members[2].m_pos = {4.0f, -2.0f, 6.0f};
  arrow.Init(&members[2], &foes[1], 17);
  EXPECT_EQ(arrow.m_shooterId, (std::array<int32_t, 2>{2, 1}));
  EXPECT_EQ(arrow.m_targetId, (std::array<int32_t, 2>{1, 0}));
  EXPECT_EQ(arrow.m_attackValue, 17);
  EXPECT_EQ(arrow.m_viaDecoy, 0);
  EXPECT_EQ(arrow.m_ownerPosition, 2);
  EXPECT_EQ(arrow.m_pos.z, 6.0f);
  CBattleBullet enemys;
  enemys.Init(&foes[0], &members[1], 0);
  EXPECT_EQ(enemys.m_shooterId, (std::array<int32_t, 2>{0, 0}));
  EXPECT_EQ(enemys.m_ownerPosition, -1);
}

TEST_F(BattleBulletTest, FlightsByShooterAndWhatHappensOnTheWay) {
  struct Case {
    const char* label;
    const char* shooter;
    Moves moves;
    std::vector<std::pair<int, int>> hits;
    int lastTick;
    std::vector<int> effects;
  };
  // 80 apart at 1.5 a tick: within 7.5 after 49 steps. Loosed 7 above the
  // ground, the arrow comes down in its 38th tick, raising dust.
  constexpr int kDust = 1009;
  const Case cases[] = {
      {"arrives", CBattleBullet::kPiercingShooter, {}, {{48, 0}}, 48, {1061, kDust}},
      {"the target leaves", CBattleBullet::kPiercingShooter, {.targetLeavesAt = 20}, {}, 20, {1061}},
      {"unreachable", CBattleBullet::kPiercingShooter, {.recede = 3.0f}, {{121, 0}}, 121, {1061, kDust}},
      {"a bystander alongside for a while", CBattleBullet::kPiercingShooter, {.bystanderUntil = 40},
       {{0, 1}, {15, 1}, {30, 1}, {48, 0}}, 48, {1061, kDust}},
      {"another shooter", "Nsizz", {.bystanderUntil = 40}, {{48, 0}}, 48, {68, kDust}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Member(0).name = c.shooter;
    Enemy(0).actor = &foes[0];
    foes[0].m_pos = {40.0f, 0.0f, 0.0f};
    foes[1].m_pos = {0.0f, 0.0f, 40.0f};
    CBattleBullet arrow;
    arrow.Init(&members[0], &foes[0], 0);
    const Flight flight = Fly(arrow, c.moves);
    EXPECT_EQ(flight.hits, c.hits);
    EXPECT_EQ(flight.lastTick, c.lastTick);
    EXPECT_EQ(flight.effects, c.effects);
    EXPECT_TRUE(Messages(members[0]).empty());
  }
}

TEST_F(BattleBulletTest, CelinesBowChoosesTheEffectAndTheArrowRisesAboveHer) {
  std::vector<std::pair<std::string, int>> bows;
  for (const CBattleBullet::BowRow& row : CBattleBullet::kBows) bows.emplace_back(row.bow, row.effect);
  bows.emplace_back(kUnlistedBow, CBattleBullet::kOtherBowEffect);
  int expected = 1056;
  for (const auto& [bow, effect] : bows) {
    SCOPED_TRACE(bow);
    // The listed bows run 1056-1068 in the table's order.
    if (bow != kUnlistedBow) {
      EXPECT_EQ(effect, expected++);
    }
    Member(0).weapon = Id(bow.c_str());
    CBattleBullet arrow;
    arrow.Init(&members[0], &foes[0], 0);
    ASSERT_TRUE(arrow.OnProcess());
    EXPECT_EQ(Effects(arrow), std::vector<int>({effect}));
    EXPECT_EQ(arrow.m_speed, CBattleBullet::kSpeed);
    EXPECT_NEAR(arrow.m_pos.x, -38.5f, 1e-4f);
    EXPECT_LT(arrow.m_pos.y, -6.9f);
  }
  EXPECT_EQ(CBattleBullet::EffectOfBow(""), 1065);
  EXPECT_EQ(CBattleBullet::EffectOfBow("롱 보우"), 1065);
}

TEST_F(BattleBulletTest, AnArrowAtADecoyFollowsItAndStrikesNothing) {
  // The decoy carries its source's pair; the arrow goes where the decoy
  // stands, and nothing it reaches is struck or even rolled for.
  foes[2].m_battleId = {0, 0};
  foes[2].m_isDecoy = 1;
  foes[2].m_pos = {-40.0f, 0.0f, 30.0f};
  foes[0].m_decoy = &foes[2];
  CBattleBullet arrow;
  arrow.Init(&members[0], &foes[2], 0);
  EXPECT_EQ(arrow.m_viaDecoy, 1);
  session.lastHitResult = kUnrolled;
  const Flight flight = Fly(arrow, {.bystanderUntil = 20});
  EXPECT_TRUE(flight.hits.empty());
  EXPECT_EQ(session.lastHitResult, kUnrolled);
  EXPECT_NEAR(arrow.m_pos.z, 30.0f, 7.5f);
  EXPECT_NEAR(arrow.m_pos.x, -40.0f, 1e-3f);

  // A decoy gone, or one never bound to a participant, ends the arrow.
  CBattleBullet orphan;
  orphan.Init(&members[0], &foes[2], 0);
  foes[0].m_decoy = nullptr;
  EXPECT_FALSE(orphan.OnProcess());
  foes[2].m_battleId = {-1, -1};
  CBattleBullet unbound;
  unbound.Init(&members[0], &foes[2], 0);
  EXPECT_EQ(unbound.m_targetId, (std::array<int32_t, 2>{-1, -1}));
  EXPECT_FALSE(unbound.OnProcess());
  // Nor does an arrow fly on without its shooter.
  CBattleBullet lost;
  lost.Init(&members[0], &foes[0], 0);
  Member(0).battlePtr = nullptr;
  EXPECT_FALSE(lost.OnProcess());
  EXPECT_TRUE(Effects(lost).empty());
}

TEST_F(BattleBulletTest, AShotLoosesAnArrowWithTheShootersBulletKind) {
  const auto arrows = [&] { return All<CBattleBullet>(Context().m_battleObjects); };
  members[0].m_bulletKind = 3;
  members[0].m_target = &foes[0];
  session.LaunchBullet(0, true);
  ASSERT_EQ(arrows().size(), 1u);
  const CBattleBullet& arrow = *arrows().front();
  EXPECT_EQ(arrow.m_attackValue, 3);
  EXPECT_EQ(arrow.m_targetId, (std::array<int32_t, 2>{0, 0}));
  // Nothing struck yet: the arrow flies first.
  EXPECT_TRUE(Messages(foes[0]).empty());
  // A removed target, no target or no actor: no arrow.
  foes[0].m_actionCode = kActRemoved;
  session.LaunchBullet(0, true);
  members[0].m_target = nullptr;
  session.LaunchBullet(0, true);
  session.LaunchBullet(5, true);
  EXPECT_EQ(arrows().size(), 1u);
}

}  // namespace
