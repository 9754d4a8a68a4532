// The field context builds a battle from its set on a small grid and takes
// it down again.
#include <gtest/gtest.h>

#include <algorithm>

#include "battle/SpawnedBattleObjects.h"
#include "engine/CdAudio.h"
#include "field/BattleSet.h"
#include "platform/Random.h"
#include "render/TextureMgr.h"
#include "tests/field/BattleFixture.h"

namespace {

using battletest::BattleFixture;
using battletest::CTestBattlePlayer;
using battletest::CTestEnemy;

class BattleSetupTest : public BattleFixture {
 protected:
  BattleSetupTest() : BattleFixture("map\n") {}

  BattleSet Set(int width, int depth, std::vector<std::string> enemies) {
    BattleSet set;
    set.Reset(0, -1);
    set.battleType = 0;
    set.typeValues = {width, depth};
    for (const std::string& name : enemies) set.enemies[static_cast<size_t>(set.enemyCount++)] = {name, "e"};
    return set;
  }
  CTestBattlePlayer& Member(int id) {
    return dynamic_cast<CTestBattlePlayer&>(*CSession::GetInstance().players[static_cast<size_t>(id)].battlePtr);
  }
};

TEST_F(BattleSetupTest, TheRegionIsCappedAtFiftyAndHalvedInWholeUnits) {
  Context().SetupBattle(Set(80, 14, {"testwolf"}), kCx, kCz);
  const auto& places = Context().m_battlePlaces;
  // w = 25, d = 7, qw = 12, qd = 3.
  EXPECT_EQ(places[0].x, kCx - 25);
  EXPECT_EQ(places[0].z, kCz + 7);
  EXPECT_EQ(places[3].x, kCx + 25);
  EXPECT_EQ(places[3].z, kCz - 7);
  EXPECT_EQ(places[4].x, kCx - 12);
  EXPECT_EQ(places[4].z, kCz + 3);
  EXPECT_EQ(places[9].z, kCz - 7);
  ASSERT_EQ(Context().m_battleEnemies.size(), 1u);
  auto* wolf = dynamic_cast<CTestEnemy*>(Context().m_battleEnemies.front());
  EXPECT_EQ(wolf->m_pos.x, places[4].x);
  EXPECT_EQ(wolf->m_actionCode, 10031);
  EXPECT_FLOAT_EQ(wolf->m_shadowScale, 1.5f);
  const EnemySlot& slot = CSession::GetInstance().enemies[0];
  EXPECT_EQ(slot.actor, wolf);
  EXPECT_EQ(slot.hp, 40);
  EXPECT_EQ(slot.maxshp, 7);
  EXPECT_EQ(slot.label, "e");
  EXPECT_EQ(CSession::GetInstance().monsterDiary[0], 2);
  // The party at its corners, entering, bound both ways.
  ASSERT_EQ(Context().m_battleParty.size(), 2u);
  CTestBattlePlayer& sizz = Member(0);
  EXPECT_EQ(sizz.m_pos.x, places[0].x);
  EXPECT_EQ(sizz.m_record, &CSession::GetInstance().players[0]);
  EXPECT_EQ(sizz.m_actionCode, 10030);
  EXPECT_EQ(Member(1).m_pos.z, places[1].z);
  EXPECT_EQ(CSession::GetInstance().battlePartyCount, 2);
  EXPECT_EQ(CSession::GetInstance().enemyCount, 1);
}

TEST_F(BattleSetupTest, BlockedPlacesMoveTowardTheCentreAndGiveUpAfterTwentyTries) {
  // With a 50 x 50 region about (10, -10): enemy 0 stands at (-2, 2); one
  // blocked cell moves it 10 on x.
  Block(-2, 2);
  // Member 0 at (-15, 15): moved on x, then on z, then one more step on
  // each axis.
  Block(-15, 15);
  Block(-5, 15);
  // Enemy 1 at (22, -22) finds no free cell on its way.
  for (float x : {2.0f, 12.0f, 22.0f}) {
    for (float z : {-22.0f, -12.0f, -2.0f}) Block(x, z);
  }
  testsupport::DebugLogCapture log;
  Context().SetupBattle(Set(50, 50, {"testwolf", "testwolf"}), kCx, kCz);
  auto enemies = All<CTestEnemy>(Context().m_battleEnemies);
  ASSERT_EQ(enemies.size(), 2u);
  EXPECT_EQ(enemies[0]->m_pos.x, 8.0f);
  EXPECT_EQ(enemies[0]->m_pos.z, 2.0f);
  EXPECT_TRUE(log.Contains("Adjust Fail"));
  // x on even tries, z on odd ones, each toward the centre.
  EXPECT_EQ(enemies[1]->m_pos.x, 2.0f);
  EXPECT_EQ(enemies[1]->m_pos.z, -2.0f);
  CTestBattlePlayer& sizz = Member(0);
  EXPECT_EQ(sizz.m_pos.x, 5.0f);
  EXPECT_EQ(sizz.m_pos.z, -5.0f);
  EXPECT_EQ(Member(1).m_pos.x, -15.0f);  // not blocked: not moved
}

TEST_F(BattleSetupTest, RandomKindsNeverMakeMoreThanSixAndUnknownsLeaveTheirSlotFree) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    platform::Srand(seed);
    BattleSet set = Set(40, 40, {"testwolf", "testwolf"});
    set.randomEnemies[0] = {"testwolf", 3};
    set.randomEnemies[1] = {"testwolf", 4};
    set.randomEnemies[2] = {"testwolf", -1};
    set.randomEnemyCount = 3;
    Context().SetupBattle(set, kCx, kCz);
    ASSERT_LE(Context().m_battleEnemies.size(), 6u);
    ASSERT_EQ(CSession::GetInstance().enemyCount, static_cast<int>(Context().m_battleEnemies.size()));
    Context().ReturnFromBattle();
  }
  testsupport::DebugLogCapture log;
  Context().SetupBattle(Set(40, 40, {"nobody", "ghost", "testwolf"}), kCx, kCz);
  EXPECT_TRUE(log.Contains("Monster Not Found"));
  ASSERT_EQ(Context().m_battleEnemies.size(), 1u);
  const auto& slots = CSession::GetInstance().enemies;
  EXPECT_EQ(slots[0].actor, nullptr);
  EXPECT_EQ(slots[1].actor, nullptr);
  EXPECT_NE(slots[2].actor, nullptr);
  // A joining enemy takes the first free slot; a seventh is refused.
  CBattleEnemy* joined = Context().MakeEnemy("j", "testwolf", "testwolf");
  ASSERT_NE(joined, nullptr);
  EXPECT_EQ(joined->m_slot, &slots[0]);
  EXPECT_EQ(Context().MakeEnemy("j", "ghost", "ghost"), nullptr);
  auto* source = dynamic_cast<CBattleEnemy*>(Context().m_battleEnemies.front());
  source->m_slot->hp = 3;
  for (int i = 0; i < 4; ++i) ASSERT_NE(Context().MakeCloneEnemy(*source), nullptr);
  EXPECT_EQ(slots[5].hp, 40);
  EXPECT_EQ(Context().MakeCloneEnemy(*source), nullptr);
  EXPECT_EQ(CSession::GetInstance().enemyCount, 6);
}

TEST_F(BattleSetupTest, APartyThatComesInAllDyingGetsUpWithOneHitPoint) {
  CSession& session = CSession::GetInstance();
  session.players[0].stateid = 0x80;
  session.players[1].hp = 0;
  Context().SetupBattle(Set(40, 40, {"testwolf"}), kCx, kCz);
  for (int id : {0, 1}) {
    EXPECT_EQ(Member(id).m_actionCode, 10030);
    EXPECT_EQ(session.players[static_cast<size_t>(id)].hp, 1);
    EXPECT_EQ(session.players[static_cast<size_t>(id)].stateid & 0x80, 0);
  }
  Context().ReturnFromBattle();
  // One standing member: the dying one stays down.
  session.players[0].stateid = 0x80;
  Context().SetupBattle(Set(40, 40, {"testwolf"}), kCx, kCz);
  EXPECT_EQ(Member(0).m_actionCode, 10008);
  EXPECT_EQ(session.players[0].hp, 0);
  EXPECT_EQ(Member(1).m_actionCode, 10030);
}

TEST_F(BattleSetupTest, AFinishedMemberLeavesThePartyFirstAndTheObjectsOnlyWhenItFinishesAgain) {
  Context().SetupBattle(Set(40, 40, {"testwolf"}), kCx, kCz);
  CTestBattlePlayer& sizz = Member(0);
  sizz.finishing.falseTicks = 1;
  Context().UpdateBattleObjects();
  // Out of the party, run again at once, still in the roster and objects.
  EXPECT_EQ(sizz.finishing.ticks, 2);
  EXPECT_EQ(std::count(Context().m_battleParty.begin(), Context().m_battleParty.end(), &sizz), 0);
  EXPECT_EQ(Context().m_battleRoster.size(), 2u);
  EXPECT_EQ(Context().m_battleObjects.size(), 3u);
  // Makers append during the walk; the bullet ends at its first tick, the
  // decoy stays for the battle.
  Context().MakeBattleBullet(&sizz, nullptr, 0);
  Context().MakeBattleIllusion(sizz);
  EXPECT_EQ(Context().m_battleObjects.size(), 5u);
  sizz.finishing.falseTicks = 1;
  Context().UpdateBattleObjects();
  EXPECT_EQ(Context().m_battleObjects.size(), 3u);
  EXPECT_EQ(Context().m_battleRoster.size(), 1u);
  EXPECT_EQ(CSession::GetInstance().players[0].battlePtr, nullptr);
}

// Won with its own music: the track now current plays on; the one saved with
// the set waits for the result screen.
TEST_F(BattleSetupTest, AWonBattleWithMusicPlaysTheCurrentTrackAgain) {
  Context().SetupBattle(Set(40, 40, {"testwolf"}), kCx, kCz);
  m_frame.m_battleMusic = 1;
  m_frame.m_battleSet.restoreDisc = 1;
  m_frame.m_battleSet.restoreTrack = 3;
  g_cdAudio.m_disc = 1;
  g_cdAudio.m_track = 8;
  Context().m_battleEnemies.clear();  // every enemy beaten
  Context().ReturnFromBattle();
  EXPECT_EQ(g_cdAudio.m_disc, 1);
  EXPECT_EQ(g_cdAudio.m_track, 8);
  g_cdAudio = CdAudioState{};
}

TEST_F(BattleSetupTest, AfterTheBattleItsLoadsAreFreedAndThePartyHasItsGrace) {
  g_playerStart = PlayerStart{5.0f, 0.0f, 5.0f, 0.0f};
  Context().MakePlayerActors();
  CResMgr& resources = CResMgr::GetInstance();
  const auto cached = [&](const char* name) {
    const auto names = resources.GetResNames();
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  ASSERT_TRUE(cached("battle.scr"));
  Context().SetupBattle(Set(40, 40, {"testwolf"}), kCx, kCz);
  EXPECT_EQ(m_frame.GetView()->m_pFollow, nullptr);
  EXPECT_TRUE(cached("wolf.scr"));
  g_brightnessFactor = 0.5f;
  // The fallen leader goes behind the living.
  CSession& session = CSession::GetInstance();
  session.players[0].stateid = 0x80;
  Context().ReturnFromBattle();
  EXPECT_FALSE(cached("wolf.scr"));
  EXPECT_TRUE(cached("battle.scr"));
  EXPECT_TRUE(Context().m_battleObjects.empty());
  EXPECT_EQ(session.enemies[0].actor, nullptr);
  EXPECT_EQ(g_brightnessFactor, 1.0f);
  EXPECT_EQ(session.partyIds[0], 1);
  EXPECT_EQ(session.partyIds[1], 0);
  ASSERT_FALSE(Context().m_partyChain.empty());
  for (CSelvarinActor* actor : Context().m_partyChain) EXPECT_EQ(actor->m_graceTicks, 120);
  EXPECT_EQ(m_frame.GetView()->m_pFollow, Context().m_player);
}

}  // namespace
