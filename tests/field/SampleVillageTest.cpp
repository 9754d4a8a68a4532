// The sample village's people and its wolf, loaded from the sample game and
// played with a stand-in for the leader: the elder turns to it and talks,
// the farmer starts his walk, the box across the north path fires as it is
// crossed, and the wolf and the slime chase the leader and vanish with their
// requests.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/3dFieldModel.h"
#include "engine/Wave.h"
#include "field/Birds.h"
#include "field/FieldEnemy.h"
#include "field/ParticleMaker.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinView.h"
#include "field/SoundSource.h"
#include "field/Villager.h"
#include "tests/field/RecordingFrame.h"
#include "tests/support/SampleMapFrame.h"
#include "tests/support/TestSupport.h"

namespace {

class SampleVillageTest : public ::testing::Test {
 protected:
  SampleVillageTest() {
    EXPECT_TRUE(m_map.Registered());
    Context().m_player = &m_leader;  // the party's own actors come later
  }

  CSelvarinContext& Context() { return m_map.Context(); }
  template <class T>
  T* Find(const std::string& name) {
    return dynamic_cast<T*>(Context().FindActorByName(name));
  }
  std::string ScriptLine(int line) { return Context().m_script->GetLine(line); }

  CSelvarinActor m_leader;  // outlives the map, which still points at it
  testsupport::SampleMapFrame<CRecordingFrame> m_map{"newgame"};
  CRecordingFrame& m_frame = m_map.frame;
};

TEST_F(SampleVillageTest, TheElderTurnsToTheLeaderAndTalks) {
  CVillager* elder = Find<CVillager>("elder");
  ASSERT_NE(elder, nullptr);
  EXPECT_EQ(elder->m_pattern, 1);
  ASSERT_NE(elder->m_talkLine, -1);
  EXPECT_EQ(ScriptLine(elder->m_talkLine).rfind("say", 0), 0u);
  // The leader steps up from the south and speaks.
  m_leader.m_pos = Vec3{elder->m_pos.x, elder->m_pos.y, elder->m_pos.z + 6.0f};
  m_frame.runs.clear();
  elder->OnMessage(&m_leader, 0, 0, 0, 0);
  EXPECT_NEAR(elder->m_angle, 180.0f, 1e-3f);
  EXPECT_EQ(elder->m_action, 3);  // of eight directions, the front, under a camera looking north
  ASSERT_EQ(m_frame.runs.size(), 1u);
  EXPECT_EQ(m_frame.runs[0].line, elder->m_talkLine);
  EXPECT_EQ(m_frame.runs[0].objectName, "elder");
}

TEST_F(SampleVillageTest, TheFarmerWalksHisScriptAndTheBoxFiresAsThePathIsCrossed) {
  CVillager* farmer = Find<CVillager>("farmer");
  ASSERT_NE(farmer, nullptr);
  EXPECT_EQ(farmer->m_pattern, 2);
  EXPECT_FLOAT_EQ(farmer->m_wanderHalfX, 12.0f);
  ASSERT_NE(farmer->m_walkLine, -1);
  EXPECT_EQ(ScriptLine(farmer->m_walkLine).rfind("move", 0), 0u);
  m_leader.m_pos = Vec3{0.0f, 0.0f, 110.0f};
  m_frame.runs.clear();
  Context().Update();
  ASSERT_FALSE(m_frame.runs.empty());
  EXPECT_EQ(m_frame.runs[0].line, farmer->m_walkLine);
  EXPECT_EQ(m_frame.runs[0].subject, "farmer");

  const MapEvent* gate = Context().FindMapEvent("gate");
  ASSERT_NE(gate, nullptr);
  m_frame.runs.clear();
  for (float z = 100.0f; z > 75.0f; z -= 1.0f) {
    m_leader.m_pos.z = z;
    Context().CheckMapEvents();
  }
  EXPECT_EQ(m_frame.Lines(), (std::vector<int>{gate->m_enterLine, gate->m_leaveLine}));
}

TEST_F(SampleVillageTest, TheWolfChasesTheLeaderAndVanishesWithItsRequest) {
  auto* wolf = Find<CFieldEnemy>("wolf");
  ASSERT_NE(wolf, nullptr);
  EXPECT_NE(wolf->m_battleLine, -1);
  EXPECT_NE(wolf->m_eventLine, -1);
  m_leader.m_pos = Vec3{wolf->m_pos.x, wolf->m_pos.y, wolf->m_pos.z - 25.0f};
  int ticks = 0;
  while (m_frame.messages.empty() && ticks < 600) {
    Context().Update();
    ++ticks;
  }
  ASSERT_EQ(m_frame.messages.size(), 1u) << "the wolf never reached the leader";
  EXPECT_EQ(m_frame.messages[0].sender, wolf);
  EXPECT_EQ(m_frame.messages[0].b, wolf->m_battleLine);
  EXPECT_EQ(m_frame.messages[0].c, wolf->m_eventLine);
  EXPECT_LT(std::hypot(wolf->m_pos.x - m_leader.m_pos.x, wolf->m_pos.z - m_leader.m_pos.z), 10.0f);
  EXPECT_EQ(wolf->m_visible, 0);
  for (int i = 0; i < 50; ++i) Context().Update();
  EXPECT_EQ(m_frame.messages.size(), 1u);
}

TEST_F(SampleVillageTest, TheSlimeChasesTheLeaderAndVanishesWithItsRequest) {
  auto* slime = Find<C3dFieldEnemy>("slime");
  ASSERT_NE(slime, nullptr);
  EXPECT_EQ(Context().m_fieldEnemies.size(), 2u);
  EXPECT_NE(slime->m_battleLine, -1);
  ASSERT_NE(slime->m_model.Model(), nullptr);
  m_leader.m_pos = Vec3{slime->m_pos.x, slime->m_pos.y, slime->m_pos.z + 25.0f};
  int ticks = 0;
  while (m_frame.messages.empty() && ticks < 600) {
    Context().Update();
    ++ticks;
  }
  ASSERT_EQ(m_frame.messages.size(), 1u) << "the slime never reached the leader";
  EXPECT_EQ(m_frame.messages[0].sender, slime);
  EXPECT_EQ(m_frame.messages[0].b, slime->m_battleLine);
  EXPECT_LT(std::hypot(slime->m_pos.x - m_leader.m_pos.x, slime->m_pos.z - m_leader.m_pos.z), 10.0f);
  EXPECT_GE(slime->m_model.m_frame, 8);  // hopping as it came
  EXPECT_EQ(slime->m_visible, 0);
  for (int i = 0; i < 50; ++i) Context().Update();
  EXPECT_EQ(m_frame.messages.size(), 1u);
}

// The leader walks up to the fountain and on to the doves: the fountain
// spouts and its water plays, the birds fly off and are gone for good.
TEST_F(SampleVillageTest, TheFountainSpoutsItsWaterPlaysAndTheBirdsFlyOff) {
  const auto* fountain = dynamic_cast<const CParticleMaker*>(Context().FindActorByName("fountain"));
  const auto* fire = dynamic_cast<const CParticleMaker*>(Context().FindActorByName("campfire"));
  auto* water = Find<CSoundSource>("water");
  ASSERT_NE(fountain, nullptr);
  ASSERT_NE(fire, nullptr);
  ASSERT_NE(water, nullptr);
  EXPECT_EQ(fire->m_kind, 3);
  ASSERT_NE(water->m_wave, nullptr);
  EXPECT_NE(water->m_wave->GetSoundSet(), nullptr);
  ASSERT_NE(Find<CDove>("dove"), nullptr);
  ASSERT_NE(Find<CDove>("dove2"), nullptr);
  ASSERT_NE(Find<CCrow>("crow"), nullptr);
  m_leader.m_pos = Vec3{-20.0f, 0.0f, 75.0f};
  for (int k = 0; k < 20; ++k) {
    Context().Update();
    Context().UpdateEffects();
  }
  EXPECT_EQ(water->m_visible, 1);
  EXPECT_GE(fountain->m_liveCount, 9);
  EXPECT_EQ(Find<CDove>("dove")->m_state, 0);  // 20 or more away
  m_leader.m_pos = Vec3{-15.0f, 0.0f, 60.0f};
  Context().Update();
  EXPECT_EQ(Find<CDove>("dove")->m_state, 1);
  EXPECT_EQ(Find<CDove>("dove2")->m_state, 1);
  EXPECT_EQ(Find<CCrow>("crow")->m_state, 0);
  for (int k = 0; k < 501; ++k) Context().Update();
  EXPECT_EQ(Find<CDove>("dove"), nullptr);
  EXPECT_EQ(Find<CDove>("dove2"), nullptr);
  m_leader.m_pos = Vec3{-200.0f, 0.0f, 75.0f};
  Context().Update();
  EXPECT_EQ(water->m_visible, 0);
  // The map loaded again has its doves back, sitting.
  Context().m_player = nullptr;
  m_frame.Exit();
  m_frame.Init();
  Context().m_player = &m_leader;
  ASSERT_NE(Find<CDove>("dove"), nullptr);
  EXPECT_EQ(Find<CDove>("dove")->m_state, 0);
  EXPECT_NE(Find<CDove>("dove2"), nullptr);
}

}  // namespace
