#include "field/Player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/PickRegionList.h"
#include "field/PlayerStart.h"
#include "field/Selvarin3dActor.h"
#include "script/ScriptPosition.h"
#include "session/PlayerData.h"
#include "session/Session.h"
#include "tests/field/FieldActorFixture.h"

namespace {

class PlayerTest : public FieldActorTest {
 protected:
  PlayerTest() {
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_pad;
    CMouse& mouse = CMouse::GetInstance();
    mouse.m_mouseButtons = {kStateUp, kStateUp};
    mouse.m_viewWidth = 640;
    mouse.m_viewHeight = 480;
    g_leaderAnchor = ScreenAnchor{};
    g_actionMode = 0;
    m_leader = new CPlayer;
    m_leader->m_playerData = &m_data[0];
    Context().m_liveActors.push_back(m_leader);
    Context().m_partyChain.push_front(m_leader);
    Context().m_player = m_leader;
  }
  ~PlayerTest() override {
    g_pMainKeyPad = m_savedPad;
    CMouse::GetInstance().m_mouseButtons = {kStateUp, kStateUp};
    g_actionMode = 0;
    CSession::GetInstance().Init();
  }

  // Members behind the leader up to a party of `size`.
  std::vector<CPartyPlayer*> GrowParty(int size) {
    std::vector<CPartyPlayer*> members;
    CPlayer* front = m_leader;
    for (int k = 1; k < size; ++k) {
      auto* member = new CPartyPlayer;
      member->m_playerData = &m_data[k % 2];
      member->m_leader = front;
      front->m_follower = member;
      Context().m_liveActors.push_back(member);
      Context().m_partyChain.push_front(member);
      members.push_back(member);
      front = member;
    }
    return members;
  }

  void HoldMouse(int x, int y) {
    CMouse& mouse = CMouse::GetInstance();
    mouse.m_x = x;
    mouse.m_y = y;
    mouse.m_mouseButtons[0] = kStateHeld;
  }

  float Speed() const { return std::hypot(m_leader->m_velocity.x, m_leader->m_velocity.z); }

  CKeyPad m_pad;
  CKeyPad* m_savedPad = nullptr;
  PlayerData m_data[2];
  CPlayer* m_leader = nullptr;  // the context's
};

TEST_F(PlayerTest, FloorDamageHalvesOnceThenStunsAndBlinks) {
  struct Case {
    int32_t type, hp, after;
  } cases[] = {{2, 100, 50}, {2, 1, 1}, {3, 100, 25}, {3, 3, 1}, {0, 100, 100}};
  for (const Case& c : cases) {
    SetCell(0.0f, 0.0f, c.type, 0.0f);
    m_leader->m_pos = Vec3{1.0f, 0.0f, 1.0f};
    m_leader->m_blinkTicks = m_leader->m_stunTicks = m_leader->m_hitFlash = 0;
    m_data[0].hp = c.hp;
    EXPECT_TRUE(m_leader->OnProcess());
    EXPECT_EQ(m_data[0].hp, c.after) << c.type << " " << c.hp;
    if (c.type == 0) continue;
    EXPECT_EQ(m_leader->m_stunTicks, 15);
    EXPECT_EQ(m_leader->m_blinkTicks, 40);
    EXPECT_EQ(m_leader->m_hitFlash, 15);
  }
  // Stunned for 15 ticks, blinking for 40: the next halving comes after.
  SetCell(0.0f, 0.0f, 2, 0.0f);
  m_data[0].hp = 100;
  m_leader->m_blinkTicks = m_leader->m_stunTicks = 0;
  m_leader->OnProcess();
  for (int k = 0; k < 15; ++k) m_leader->OnProcess();
  EXPECT_EQ(m_leader->m_hitFlash, 0);
  EXPECT_EQ(m_leader->m_blinkTicks, 40);
  for (int k = 0; k < 39; ++k) m_leader->OnProcess();
  EXPECT_EQ(m_data[0].hp, 50);
  EXPECT_EQ(m_leader->m_blinkTicks, 1);
  m_leader->OnProcess();  // the last blink, then the floor again
  EXPECT_EQ(m_data[0].hp, 25);
}

TEST_F(PlayerTest, WithoutARecordNoDamageAndNoRegeneration) {
  SetCell(0.0f, 0.0f, 2, 0.0f);
  m_leader->m_playerData = nullptr;
  m_leader->m_pos = Vec3{1.0f, 0.0f, 1.0f};
  EXPECT_TRUE(m_leader->OnProcess());
  EXPECT_EQ(m_leader->m_stunTicks, 0);
}

TEST_F(PlayerTest, MouseBandsSetSpeedAndCameraDistance) {
  struct Case {
    int x, y;
    float speed, distance;
  } cases[] = {{320, 41, 1.0f, 300.0f}, {320, 39, 1.2f, 320.0f}, {320, 170, 0.5f, 270.0f}, {330, 250, 0.0f, 250.0f}};
  for (const Case& c : cases) {
    m_leader->m_state = CPlayer::kStand;
    HoldMouse(c.x, c.y);
    m_leader->UpdateAction(m_leader->m_state);
    EXPECT_NEAR(Speed(), c.speed, 1e-5f) << c.y;
    EXPECT_EQ(View().m_targetDistance, c.distance) << c.y;
  }
  // Near the leader at the left edge: walk left at half speed.
  g_leaderAnchor = ScreenAnchor{20, 240};
  m_leader->m_state = CPlayer::kStand;
  HoldMouse(0, 240);
  m_leader->UpdateAction(m_leader->m_state);
  EXPECT_NEAR(Speed(), 0.5f, 1e-5f);
  EXPECT_EQ(m_leader->m_inputHeading, 90.0f);
  // Over the party box the mouse does not steer.
  g_leaderAnchor = ScreenAnchor{};
  m_leader->m_state = CPlayer::kStand;
  HoldMouse(60, 140);
  m_leader->UpdateAction(m_leader->m_state);
  EXPECT_EQ(Speed(), 0.0f);
  // The keys steer while the cursor talks.
  Frame().m_cursorKind = 1;
  m_pad.m_direction = 3;
  m_leader->UpdateAction(m_leader->m_state);
  EXPECT_EQ(m_leader->m_inputHeading, 270.0f);
  EXPECT_NEAR(Speed(), 1.0f, 1e-5f);
}

TEST_F(PlayerTest, FacingTurnsInTheTabledSteps) {
  struct Case {
    float heading, target, facing;
  } cases[] = {{0, 180, 15}, {180, 0, 165}, {60, 0, 53}, {0, 60, 15}, {30, 0, 27}, {1, 0, 0}, {350, 10, 351}};
  for (const Case& c : cases) {
    m_leader->m_angle = c.heading;
    m_leader->m_targetHeading = c.target;
    m_leader->m_state = CPlayer::kStand;
    m_leader->UpdateAction(CPlayer::kStand);
    EXPECT_EQ(m_leader->m_facing, c.facing) << c.heading << " -> " << c.target;
  }
}

TEST_F(PlayerTest, OverTheSupplyLimitRunsAtAThird) {
  CSession& session = CSession::GetInstance();
  session.inventoryChanged = 0;  // the last answer stands: over the limit
  session.supplyAnswer = 1;
  ASSERT_TRUE(session.IsOverSupplyLimit());
  HoldMouse(320, 20);
  m_leader->UpdateAction(CPlayer::kStand);
  EXPECT_NEAR(Speed(), 1.2f * 0.33f, 1e-5f);
  session.supplyAnswer = 0;
  m_leader->m_state = CPlayer::kStand;
  m_leader->UpdateAction(CPlayer::kStand);
  EXPECT_NEAR(Speed(), 1.2f, 1e-5f);
}

TEST_F(PlayerTest, StartingAndStoppingGrantARegenerationStep) {
  m_data[0].shp = 1;
  m_data[0].maxshp = 10;
  m_data[0].mp1 = m_data[0].maxmp1 = 5;
  m_leader->m_tickCount = 7;
  m_pad.m_direction = 5;
  m_leader->UpdateAction(CPlayer::kStand);
  EXPECT_EQ(m_leader->m_state, CPlayer::kWalk);
  EXPECT_EQ(m_leader->m_tickCount, 0);
  m_leader->OnProcess();
  EXPECT_EQ(m_data[0].shp, 2);
  EXPECT_EQ(m_data[0].mp1, 5);  // capped
  m_pad.m_direction = 0;
  m_leader->OnProcess();  // stops: tick 0 again
  EXPECT_EQ(m_leader->m_state, CPlayer::kStand);
  m_leader->OnProcess();
  EXPECT_EQ(m_data[0].shp, 3);
}

TEST_F(PlayerTest, FollowersKeepTheirSpacing) {
  struct Case {
    int party;
    size_t records;
    bool follows;
  } cases[] = {{2, 14, false}, {2, 15, true}, {6, 6, false}, {6, 7, true}};
  for (const Case& c : cases) {
    Context().m_partyChain.assign(1, m_leader);
    Context().m_liveActors.clear();
    m_leader->m_follower = nullptr;
    const std::vector<CPartyPlayer*> members = GrowParty(c.party);
    m_leader->m_trail.assign(c.records, PlayerTrailRecord{});
    m_leader->m_trail.back().x = 10.0f;
    m_leader->m_trail.back().z = -0.8f;  // the goal is 0.8 behind it: (10, 0)
    m_leader->m_trail.back().state = CPlayer::kWalk;
    members[0]->OnProcess();
    EXPECT_EQ(m_leader->m_trail.size(), c.follows ? c.records - 1 : c.records) << c.party << " " << c.records;
    EXPECT_EQ(members[0]->m_pos.x, c.follows ? 1.2f : 0.0f);
    for (CPartyPlayer* member : members) delete member;
  }
  Context().m_liveActors.assign(1, m_leader);
  Context().m_partyChain.assign(1, m_leader);
}

TEST_F(PlayerTest, TheLeaderAloneKeepsNoTrailAndTheFollowerWalksBehind) {
  m_pad.m_direction = 3;
  for (int k = 0; k < 10; ++k) m_leader->OnProcess();
  EXPECT_TRUE(m_leader->m_trail.empty());
  EXPECT_GT(m_leader->m_pos.x, 5.0f);

  CPartyPlayer* follower = GrowParty(2)[0];
  for (int k = 0; k < 40; ++k) Context().Update();
  EXPECT_EQ(m_leader->m_trail.size(), 14u);
  EXPECT_LT(follower->m_pos.x, m_leader->m_pos.x - 10.0f);
  EXPECT_GT(follower->m_pos.x, 15.0f);
  EXPECT_EQ(follower->m_state, CPlayer::kWalk);
}

TEST_F(PlayerTest, ActionModeHidesTheFollowersOnTheLeader) {
  CPartyPlayer* follower = GrowParty(2)[0];
  m_leader->m_pos = Vec3{7.0f, 0.0f, -3.0f};
  m_leader->m_trail.resize(5);
  g_actionMode = 1;
  follower->OnProcess();
  EXPECT_EQ(follower->m_visible, 0);
  EXPECT_EQ(follower->m_pos.x, 7.0f);
  EXPECT_EQ(follower->m_pos.z, -3.0f);
  EXPECT_TRUE(m_leader->m_trail.empty());
  g_actionMode = 0;
  follower->m_visible = 1;  // what "actionmode 0" does
  follower->OnProcess();
  EXPECT_EQ(follower->m_pos.x, 7.0f);
  EXPECT_EQ(follower->m_state, CPlayer::kStand);
}

TEST_F(PlayerTest, MessagesPlaceTurnAndRefuse) {
  CPartyPlayer* follower = GrowParty(2)[0];
  m_leader->m_angle = 90.0f;
  m_leader->m_trail.resize(3);
  follower->m_trail.resize(2);
  m_leader->OnMessage(nullptr, 3, 10, 20, 5);
  EXPECT_EQ(m_leader->m_pos.x, 10.0f);
  EXPECT_EQ(m_leader->m_pos.z, 20.0f);
  EXPECT_EQ(m_leader->m_pos.y, 5.0f);
  EXPECT_TRUE(m_leader->m_trail.empty());
  EXPECT_TRUE(follower->m_trail.empty());
  EXPECT_EQ(follower->m_pos.x, 9.0f);  // 10 - 0.8, truncated
  EXPECT_EQ(follower->m_pos.z, 20.0f);
  EXPECT_EQ(follower->m_angle, 90.0f);

  // The facing rule: more than 112.5 away snaps to 90 short of the target.
  m_leader->m_facing = 0.0f;
  m_leader->OnMessage(nullptr, 5, 180, 0, 0);
  EXPECT_EQ(m_leader->m_targetHeading, 180.0f);
  EXPECT_EQ(m_leader->m_facing, 90.0f);
  m_leader->m_facing = 0.0f;
  m_leader->OnMessage(nullptr, 5, 100, 0, 0);
  EXPECT_EQ(m_leader->m_facing, 0.0f);

  // The chain turns to whoever the leader talks to.
  CSelvarinActor other;
  other.m_pos = Vec3{10.0f, 0.0f, 30.0f};
  follower->m_pos = Vec3{10.0f, 0.0f, 21.0f};
  m_leader->OnMessage(&other, 24, 0, 0, 0);
  EXPECT_NEAR(m_leader->m_targetHeading, 180.0f, 1e-3f);
  EXPECT_NEAR(follower->m_targetHeading, 180.0f, 1e-3f);

  m_leader->OnMessage(nullptr, 12, 0, 0, 0);
  EXPECT_EQ(m_leader->m_scriptHold, 1);
  m_pad.m_direction = 3;
  m_leader->OnProcess();
  EXPECT_EQ(m_leader->m_state, CPlayer::kStand);
  m_leader->OnMessage(nullptr, 13, 0, 0, 0);
  EXPECT_EQ(m_leader->m_scriptHold, 0);
  m_leader->OnMessage(nullptr, 27, 0, 0, 0);
  EXPECT_EQ(m_leader->m_velocity.y, 0.0f);
}

TEST_F(PlayerTest, JumpRisesAndLands) {
  m_pad.m_buttons[4] = kStatePressed;
  m_leader->UpdateAction(CPlayer::kStand);
  EXPECT_EQ(m_leader->m_inAir, 1);
  EXPECT_EQ(m_leader->m_velocity.y, -3.0f);
  m_pad.m_buttons[4] = kStateHeld;
  float top = 0.0f;
  int ticks = 0;
  while (m_leader->m_inAir != 0 && ticks < 100) {
    m_leader->OnProcess();
    top = std::min(top, m_leader->m_pos.y);
    ++ticks;
  }
  EXPECT_EQ(m_leader->m_inAir, 0);
  EXPECT_LT(top, -10.0f);
  EXPECT_LE(m_leader->m_pos.y, 0.0f);
  // Not on a type-5 cell.
  SetCell(0.0f, 0.0f, 5, 0.0f);
  m_leader->m_pos = Vec3{1.0f, 0.0f, 1.0f};
  m_pad.m_buttons[4] = kStatePressed;
  m_leader->UpdateAction(CPlayer::kStand);
  EXPECT_EQ(m_leader->m_inAir, 0);
}

TEST_F(PlayerTest, AddPickRegionSetsTheAnchorUnlessAsked) {
  g_pickRegionList.Clear();
  m_leader->AddPickRegion(100.5f, 50.0f, 141.7f, 180.9f, 0);
  EXPECT_EQ(g_leaderAnchor.x, 121);
  EXPECT_EQ(g_leaderAnchor.y, 180);
  m_leader->AddPickRegion(0.0f, 0.0f, 10.0f, 10.0f, 1);
  EXPECT_EQ(g_leaderAnchor.x, 121);
  CSelvarinActor* owner = nullptr;
  CSelvarin3dActor* model = nullptr;
  EXPECT_EQ(g_pickRegionList.HitTest(120, 100, &owner, &model), 1);
  EXPECT_EQ(owner, m_leader);
  g_pickRegionList.Clear();
}

// A prop that records who told it what.
class RecordingProp : public CSelvarin3dActor {
 public:
  void OnMessage(CObject* sender, int code, intptr_t, intptr_t, intptr_t) override { heard.emplace_back(sender, code); }
  std::vector<std::pair<CObject*, int>> heard;
};

TEST_F(PlayerTest, TheActionButtonAndAUseClickTalkToThePropAndTheLeaderTurnsToIt) {
  auto* chest = new RecordingProp;
  chest->m_pos = Vec3{7.0f, 0.0f, 2.0f};
  chest->m_worldMin = Vec3{6.0f, 0.0f, 1.0f};
  chest->m_worldMax = Vec3{8.0f, 2.0f, 3.0f};
  chest->m_actionLine = 3;
  Context().m_modelActors.push_back(chest);
  m_leader->m_angle = 90.0f;  // the spot ahead is (7, 0)
  m_pad.m_buttons[5] = kStatePressed;
  EXPECT_TRUE(m_leader->OnProcess());
  const std::vector<std::pair<CObject*, int>> talked{{m_leader, 0}};
  EXPECT_EQ(chest->heard, talked);
  EXPECT_NEAR(m_leader->m_targetHeading, std::atan2(7.0f, -2.0f) * 57.29579f, 1e-3f);
  EXPECT_EQ(g_talkInProgress, 0);

  // A click on its rectangle under the use cursor; the talk cursor is for villagers.
  m_pad.m_buttons[5] = kStateUp;
  chest->heard.clear();
  g_pickRegionList.Add(100, 120, 100, 120, 3, chest);
  CMouse& mouse = CMouse::GetInstance();
  mouse.m_x = mouse.m_y = 110;
  mouse.m_mouseButtons[0] = kStatePressed;
  Frame().m_cursorKind = 1;
  EXPECT_TRUE(m_leader->OnProcess());
  EXPECT_TRUE(chest->heard.empty());
  Frame().m_cursorKind = 2;
  EXPECT_TRUE(m_leader->OnProcess());
  EXPECT_EQ(chest->heard, talked);
  g_pickRegionList.Clear();
}

// Talking to it rebuilds the party, as "joinparty" does during a talk.
class PartyRebuilder : public CSelvarinActor {
 public:
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    if (code != 0) return;
    CSelvarinContext* context = GetFieldContext();
    context->FreePlayers();
    context->MakePlayerActors();
    if (g_talkInProgress != 0) g_partyRebuilt = 1;
  }
};

TEST_F(PlayerTest, ATalkThatRebuildsThePartyLeavesTheOldLeaderAlone) {
  const auto savedStart = g_playerStart;
  GrowParty(2);
  CSession& session = CSession::GetInstance();
  session.partyCount = 2;
  session.partyIds[1] = 1;
  auto* talker = new PartyRebuilder;
  talker->m_pos = Vec3{0.0f, 0.0f, -8.0f};
  Context().m_liveActors.push_back(talker);
  m_pad.m_buttons[5] = kStatePressed;
  Context().Update();
  EXPECT_EQ(g_partyRebuilt, 0);
  EXPECT_EQ(g_talkInProgress, 0);
  CSelvarinActor* leader = Context().m_player;
  ASSERT_NE(leader, nullptr);
  EXPECT_NE(dynamic_cast<CPlayer*>(leader), nullptr);
  EXPECT_EQ(Context().m_partyChain.size(), 2u);
  auto* newLeader = dynamic_cast<CPlayer*>(leader);
  ASSERT_NE(newLeader->m_follower, nullptr);
  EXPECT_EQ(newLeader->m_follower->m_leader, newLeader);
  m_pad.m_buttons[5] = kStateHeld;
  m_pad.m_direction = 3;
  for (int k = 0; k < 3; ++k) Context().Update();
  EXPECT_EQ(leader->m_state, CPlayer::kWalk);
  g_playerStart = savedStart;
}

// A prop that records what it is told, and how.
class CProbeProp : public CSelvarin3dActor {
 public:
  void OnMessage(CObject* sender, int code, intptr_t, intptr_t, intptr_t) override {
    if (code != 0) return;
    talks.push_back(sender);
    talkFlag = g_talkInProgress;
    if (rebuilds) g_partyRebuilt = 1;
  }
  std::vector<CObject*> talks;
  int32_t talkFlag = 0;
  bool rebuilds = false;
};

// A villager whose talk may open the message window.
class CProbeTalker : public CSelvarinActor {
 public:
  void OnMessage(CObject*, int code, intptr_t, intptr_t, intptr_t) override {
    if (code == 0 && opensWindow) GetGameFrame()->m_messageState = 1;
  }
  bool opensWindow = false;
};

class PlayerPropTest : public PlayerTest {
 protected:
  // A prop with the given box in x and z about its place; the context owns it.
  CProbeProp* AddProp(const char* name, float x0, float x1, float z0, float z1, bool action) {
    auto* prop = new CProbeProp;
    prop->m_name = name;
    prop->m_pos = Vec3{(x0 + x1) / 2.0f, 0.0f, (z0 + z1) / 2.0f};
    prop->m_worldMin = Vec3{x0, -10.0f, z0};
    prop->m_worldMax = Vec3{x1, 0.0f, z1};
    prop->m_actionLine = action ? 1 : -1;
    Context().m_modelActors.push_back(prop);
    return prop;
  }
  void Stand(float x, float z, float heading) {
    m_leader->m_pos = Vec3{x, 0.0f, z};
    m_leader->m_angle = heading;
  }
};

TEST_F(PlayerPropTest, ThePropInFrontIsTheFirstWithAnActionWhoseWidenedBoxHoldsThePoint) {
  CProbeProp* chest = AddProp("chest", -1.0f, 1.0f, -1.0f, 1.0f, true);
  AddProp("wall", 20.0f, 30.0f, -1.0f, 1.0f, false);
  CProbeProp* door = AddProp("door", 40.0f, 44.0f, -1.0f, 1.0f, true);
  AddProp("under", 40.0f, 44.0f, -1.0f, 1.0f, true);  // behind the door in the list
  struct Case {
    float x, z, heading;
    const CSelvarin3dActor* expected;
  } cases[] = {
      {0.0f, 7.0f, 0.0f, chest},      // the point 7 ahead: (0, 0)
      {0.0f, 12.9f, 0.0f, chest},     // (0, 5.9): inside the widened box
      {0.0f, 13.0f, 0.0f, nullptr},   // (0, 6): on its edge, outside
      {5.9f, 7.0f, 0.0f, chest},      // x 5.9
      {-6.0f, 7.0f, 0.0f, nullptr},   // x -6: on the edge
      {0.0f, -7.0f, 180.0f, chest},   // turned round
      {0.0f, 7.0f, 180.0f, nullptr},  // its back to it
      {25.0f, 7.0f, 0.0f, nullptr},   // the wall has no action
      {33.0f, 0.0f, 90.0f, door},     // (40, 0): the door comes first
  };
  for (const Case& c : cases) {
    Stand(c.x, c.z, c.heading);
    EXPECT_EQ(Context().FindPropInFront(*m_leader), c.expected) << c.x << " " << c.z << " " << c.heading;
  }
}

TEST_F(PlayerPropTest, TheActionButtonUsesThePropInFrontAndTheChainTurnsToIt) {
  std::vector<CPartyPlayer*> followers = GrowParty(2);
  CProbeProp* chest = AddProp("chest", 8.0f, 12.0f, -9.0f, -5.0f, true);  // placed at (10, -7)
  Stand(0.0f, 0.0f, 90.0f);  // the point 7 ahead: (7, 0)
  m_leader->m_facing = m_leader->m_targetHeading = 90.0f;
  m_pad.m_buttons[5] = kStatePressed;
  EXPECT_TRUE(m_leader->OnProcess());
  EXPECT_EQ(chest->talks, std::vector<CObject*>{m_leader});
  EXPECT_EQ(chest->talkFlag, 1);
  EXPECT_EQ(g_talkInProgress, 0);
  // Facing the prop's own place: atan2(10, 7) is about 55 degrees.
  const float toward = std::atan2(10.0f, 7.0f) * 57.29579f;
  EXPECT_NEAR(m_leader->m_targetHeading, toward, 1e-3f);
  const Vec3& at = followers[0]->m_pos;
  EXPECT_NEAR(followers[0]->m_targetHeading, std::atan2(10.0f - at.x, -(-7.0f - at.z)) * 57.29579f, 1e-3f);

  // The prop in front is asked after the villager, whether or not the
  // villager's talk opened the message window.
  auto* villager = new CProbeTalker;
  villager->m_pos = Vec3{-8.0f, 0.0f, 0.0f};  // 8 to the left
  Context().m_liveActors.push_back(villager);
  Stand(0.0f, 0.0f, 270.0f);  // facing the villager: the prop's point is (-7, 0)
  chest->m_worldMin = Vec3{-12.0f, -10.0f, -2.0f};
  chest->m_worldMax = Vec3{-8.0f, 0.0f, 2.0f};
  for (const bool opens : {true, false}) {
    Stand(0.0f, 0.0f, 270.0f);
    chest->talks.clear();
    villager->opensWindow = opens;
    Frame().m_messageState = 0;
    m_pad.m_buttons[5] = kStatePressed;
    EXPECT_TRUE(m_leader->OnProcess());
    EXPECT_EQ(chest->talks.size(), 1u) << opens;
  }
  Frame().m_messageState = 0;

  // A prop whose use rebuilds the party stops the leader at once.
  chest->rebuilds = true;
  m_pad.m_buttons[5] = kStatePressed;
  villager->opensWindow = true;
  villager->m_pos = Vec3{500.0f, 0.0f, 0.0f};
  Stand(0.0f, 0.0f, 270.0f);
  EXPECT_FALSE(m_leader->OnProcess());
  EXPECT_EQ(g_partyRebuilt, 0);
}

TEST_F(PlayerPropTest, AClickWithTheUseCursorOnAPropUsesIt) {
  CProbeProp* door = AddProp("door", 100.0f, 104.0f, 100.0f, 104.0f, true);  // far off: only the click reaches it
  auto* villager = new CProbeTalker;
  Context().m_liveActors.push_back(villager);
  g_pickRegionList.Clear();
  g_pickRegionList.Add(100, 200, 100, 200, 3, door);
  g_pickRegionList.Add(300, 400, 100, 200, 2, villager);
  CMouse& mouse = CMouse::GetInstance();
  struct Case {
    int x, cursor;
    size_t talks;
  } cases[] = {
      {150, 2, 1},  // use cursor, prop: used
      {150, 1, 0},  // talk cursor, prop: nothing
      {350, 2, 0},  // use cursor over a villager: nothing
      {250, 2, 0},  // nothing there
  };
  for (const Case& c : cases) {
    door->talks.clear();
    mouse.m_x = c.x;
    mouse.m_y = 150;
    mouse.m_mouseButtons[0] = kStatePressed;
    Frame().m_cursorKind = c.cursor;
    EXPECT_TRUE(m_leader->OnProcess());
    EXPECT_EQ(door->talks.size(), c.talks) << c.x << " " << c.cursor;
  }
  Stand(0.0f, 0.0f, 0.0f);
  mouse.m_x = 150;
  Frame().m_cursorKind = 2;
  m_leader->OnProcess();
  EXPECT_NEAR(m_leader->m_targetHeading, std::atan2(102.0f, -102.0f) * 57.29579f, 1e-3f);
  g_pickRegionList.Clear();
}

}  // namespace
