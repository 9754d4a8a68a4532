// Summoned creatures on a flat battle ground among recording participants:
// the recall table, scripted runs of each kind of creature with the hits
// they deal, their hit points and their end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/BattleRecall.h"
#include "effect/SelvarinEffect.h"
#include "engine/RmaRes.h"
#include "platform/Random.h"
#include "tests/field/BattleFixture.h"
#include "engine/AppShell.h"
#include "platform/Device3D.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/3dAnimModelRes.h"
#include "render/PixelRC.h"
#include "tests/render/GoldenText.h"
#include "tests/rules/RecordingActor.h"
#include "tools/lib/ModelSource.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/SpriteSource.h"

namespace {

using battletest::BattleFixture;
using rulestest::CRecorder;
using rulestest::Digit;

const char* const kSheets[] = {"몬스터/괴물형/전투/저글링_기본", "몬스터/괴물형/전투/이프리트_기본",
                               "몬스터/괴물형/전투/스콜쥐_기본", "몬스터/괴물형/전투/크스루_기본",
                               "몬스터/괴물형/전투/윌오브위스퍼_기본", "effect/EF_바제랄드"};

class BattleRecallTest : public BattleFixture {
 protected:
  BattleRecallTest() : BattleFixture("map\n") {}

  // Every creature's sheet: sixteen actions of three frames, the middle
  // frame of actions 4-11 a blow's.
  void SetUp() override {
    std::string source = "color W 255 255 255\nimage dot\nWW\nWW\nend\n";
    for (int a = 0; a < 16; ++a) {
      source += "action " + std::to_string(a) + "\n";
      for (int f = 0; f < 3; ++f) source += std::string(f == 1 && a >= 4 && a < 12 ? "motion attacktime.atk" : "motion") + "\nlayer dot -1 -2\n";
    }
    slvtools::BuiltSprite sheet;
    std::string error;
    ASSERT_TRUE(slvtools::BuildSpriteSource(source, &sheet, &error)) << error;
    for (const char* name : kSheets) {
      m_dir.Write(std::string("game/data/sprite/") + name + ".spr", sheet.spr);
      m_dir.Write(std::string("game/data/sprite/") + name + ".act", sheet.act);
    }
    m_dir.Write("game/data/model/캐릭터/티아마스.rma", "#rsxname 티아마스.rsx\n#action 0 0 3 2\n");
    m_frame.m_battleCenterX = m_frame.m_battleCenterZ = 0.0f;
    m_frame.m_battleSet.regionRadius = 45.0f;
    SetParty({0, 1, 2});
    session.battlePartyCount = 3;
    for (int p = 0; p < 3; ++p) {
      PlayerData& m = session.players[static_cast<size_t>(p)];
      m.battlePtr = &members[p];
      m.hp = m.maxhp = 100;
      members[p].m_battleId = {p, 1};
      members[p].m_actionCode = kActIdle;
      members[p].m_pos = {-40.0f, 0.0f, static_cast<float>(10 * p)};
    }
    for (EnemySlot& slot : session.enemies) slot = EnemySlot{};
    for (int e = 0; e < 3; ++e) {
      EnemySlot& slot = session.enemies[static_cast<size_t>(e)];
      slot.actor = &foes[e];
      slot.hp = slot.maxhp = e == 0 ? 200 : 100;  // the first is the strongest
      foes[e].m_battleId = {e, 0};
      foes[e].m_actionCode = kActIdle;
      foes[e].m_pos = {40.0f, 0.0f, static_cast<float>(10 * e)};
    }
    session.enemyCount = 3;
    platform::ClearQueuedRand();
  }
  void TearDown() override {
    platform::ClearQueuedRand();
    for (PlayerData& p : session.players) p.battlePtr = nullptr;
    for (EnemySlot& slot : session.enemies) slot.actor = nullptr;
  }

  // A creature of the summoner, standing at (x, z).
  CBattleRecall& Summon(CBattleActor& summoner, int recall, float x, float z) {
    creatures.push_back(std::make_unique<CBattleRecall>());
    CBattleRecall& c = *creatures.back();
    c.Init(&summoner, &summoner, recall);
    c.m_pos = {x, 0.0f, z};
    return c;
  }
  // Ticks until the creature's action is the code (true) or `most` ticks pass.
  static bool RunUntil(CBattleRecall& c, int32_t code, int most) {
    for (int i = 0; i < most && c.m_actionCode != code; ++i) c.OnProcess();
    return c.m_actionCode == code;
  }
  static int Hits(const CRecorder& r, int amount) {
    int n = 0;
    for (const rulestest::Message& m : r.messages) n += m.code == kMsgMagicHit && m.a == amount ? 1 : 0;
    return n;
  }

  CSession& session = CSession::GetInstance();
  CRecorder members[3];
  CRecorder foes[3];
  std::vector<std::unique_ptr<CBattleRecall>> creatures;
};

TEST_F(BattleRecallTest, TheTableGivesEachRecallItsPicture) {
  struct Row {
    int recall;
    const char* sprite;  // null: none
    bool model, shadow, hovers;
  };
  const Row rows[] = {
      {0, "몬스터\\괴물형\\전투\\저글링_기본.spr", false, true, false},
      {1, "몬스터\\괴물형\\전투\\이프리트_기본.spr", false, true, false},
      {2, nullptr, true, true, false},
      {3, "몬스터\\괴물형\\전투\\스콜쥐_기본.spr", false, true, true},
      {4, "몬스터\\괴물형\\전투\\크스루_기본.spr", false, true, false},
      {5, "몬스터\\괴물형\\전투\\윌오브위스퍼_기본.spr", false, false, false},
      {6, "effect\\EF_바제랄드.spr", false, false, true},
  };
  for (const Row& row : rows) {
    CBattleRecall& c = Summon(members[0], row.recall, 0.0f, 0.0f);
    EXPECT_EQ(c.m_sprName, row.sprite != nullptr ? row.sprite : "") << row.recall;
    EXPECT_EQ(c.m_model != nullptr, row.model) << row.recall;
    EXPECT_EQ(c.m_drawShadow != 0, row.shadow) << row.recall;
    EXPECT_EQ(c.m_actionCode, kActIdle);
    EXPECT_EQ(c.m_hp, 100);
    EXPECT_EQ(c.m_timeGauge, 100.0f);
    EXPECT_EQ(c.m_battleId, members[0].m_battleId);
    EXPECT_EQ(c.m_ownerPosition, 0);
    EXPECT_TRUE(c.OnProcess());
    EXPECT_EQ(c.m_pos.y, row.hovers ? -12.0f : 0.0f) << row.recall;
  }
  // Recall 1 sets out with its idle loop, attacks with action 4.
  CBattleRecall& ifrit = Summon(members[0], 1, 0.0f, 0.0f);
  ifrit.SetAction(kActAttack);
  EXPECT_EQ(ifrit.m_actionBase, 4);
  EXPECT_EQ(ifrit.m_playMode, CBattleObject::kPlayOnce);
  ifrit.SetAction(kActDying);  // keeps the attack's picture
  EXPECT_EQ(ifrit.m_actionBase, 4);
  for (int recall : {7, -1}) {
    testsupport::DebugLogCapture log;
    CBattleRecall& c = Summon(members[0], recall, 0.0f, 0.0f);
    EXPECT_TRUE(log.Contains("Invalid Recall Id"));
    EXPECT_TRUE(c.m_sprName.empty());
    // No picture and no row to act by, but it stays.
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(c.OnProcess());
    EXPECT_EQ(c.m_actionCode, 0);
  }
}

TEST_F(BattleRecallTest, TheFighterSetsOutHitsEveryoneNearAndWandersOff) {
  foes[0].m_pos = {30.0f, 0.0f, 0.0f};
  foes[1].m_pos = {40.0f, 0.0f, 5.0f};
  foes[1].m_actionCode = kActDefend;
  CBattleRecall& c = Summon(members[0], 0, 0.0f, 0.0f);
  c.OnProcess();
  EXPECT_EQ(c.m_actionCode, kActApproach);  // its gauge starts full
  EXPECT_EQ(c.m_timeGauge, 0.0f);
  EXPECT_EQ(c.m_target, &foes[0]);
  ASSERT_TRUE(RunUntil(c, kActAttack, 40));
  EXPECT_LT(foes[0].DistanceXZ(c.m_pos.x, c.m_pos.z), 15.0f);
  platform::QueueRand({50, 10});
  ASSERT_TRUE(RunUntil(c, kActWalkBack, 20));
  EXPECT_EQ(Hits(foes[0], 3), 1);
  EXPECT_EQ(Hits(foes[1], 3), 1);
  EXPECT_TRUE(foes[2].messages.empty());
  EXPECT_EQ(foes[0].messages.front().sender, &c);
  EXPECT_EQ(foes[0].digits, (std::vector<Digit>{{3, 0, 0, 0}}));
  EXPECT_TRUE(foes[1].digits.empty());  // defending: no number
  EXPECT_EQ(c.m_returnPoint.x, c.m_pos.x + 10.0f);  // x first, then z
  EXPECT_EQ(c.m_returnPoint.z, c.m_pos.z - 30.0f);
  ASSERT_TRUE(RunUntil(c, kActIdle, 122));
}

TEST_F(BattleRecallTest, TheScorpionDiesAfterItsAttackAndEnds) {
  foes[0].m_pos = {10.0f, 0.0f, 0.0f};
  CBattleRecall& c = Summon(members[0], 3, 0.0f, 0.0f);
  ASSERT_TRUE(RunUntil(c, kActDying, 40));
  EXPECT_EQ(c.m_timeGauge, 100.0f);
  EXPECT_EQ(Hits(foes[0], 10), 1);
  ASSERT_FALSE(c.m_effects.empty());
  EXPECT_EQ(static_cast<int>(c.m_effects.back()->GetEffectId()), 216);
  int ticks = 0;
  while (c.OnProcess() && ticks < 500) ++ticks;
  EXPECT_EQ(ticks, 180);  // the 181st tick of dying ends it
  EXPECT_EQ(c.m_actionCode, kActRemoved);
  EXPECT_EQ(c.m_visible, 0);
}

TEST_F(BattleRecallTest, TheWispHealsTheWeakestAndFollowsIt) {
  session.players[1].hp = 10;
  members[1].m_pos = {5.0f, 0.0f, 0.0f};
  CBattleRecall& c = Summon(members[0], 5, 0.0f, 0.0f);
  for (int i = 0; i < 47; ++i) c.OnProcess();
  EXPECT_EQ(members[1].Codes(), (std::vector<int>{kMsgHealHp, kMsgHealHp, kMsgHealHp}));
  EXPECT_EQ(members[1].messages[0].a, 5);
  EXPECT_EQ(c.m_actionCode, kActIdle);
  EXPECT_TRUE(foes[0].messages.empty());
  members[1].m_pos = {20.0f, 0.0f, 0.0f};
  c.OnProcess();
  EXPECT_EQ(c.m_actionCode, kActApproach);
  ASSERT_TRUE(RunUntil(c, kActIdle, 60));
  EXPECT_LT(members[1].DistanceXZ(c.m_pos.x, c.m_pos.z), 6.0f);
  EXPECT_GT(members[1].DistanceXZ(c.m_pos.x, c.m_pos.z), 5.0f);
}

TEST_F(BattleRecallTest, TheSwarmStingsEveryFiveTicksOnItsWay) {
  foes[1].m_pos = {0.0f, 0.0f, 0.0f};
  CBattleRecall& c = Summon(members[0], 6, 0.0f, 0.0f);
  for (int i = 0; i < 12; ++i) c.OnProcess();  // set out, then ticks 1-11 of the walk
  EXPECT_EQ(c.m_actionCode, kActApproach);
  EXPECT_EQ(Hits(foes[1], 10), 2);
  ASSERT_TRUE(RunUntil(c, kActAttack, 100));
  ASSERT_TRUE(RunUntil(c, kActWalkBack, 62));
}

TEST_F(BattleRecallTest, HitPointsRunOutEvenWhileAttackingAndAHitRestartsTheDying) {
  foes[0].m_pos = {10.0f, 0.0f, 0.0f};
  CBattleRecall& c = Summon(members[0], 1, 0.0f, 0.0f);
  ASSERT_TRUE(RunUntil(c, kActAttack, 20));
  c.OnMessage(&foes[0], kMsgHit, 40, 0, 0);
  EXPECT_EQ(c.m_actionCode, kActDamageLight);
  EXPECT_EQ(c.m_knockBack, -1.2f);
  EXPECT_EQ(c.m_hp, 60);
  c.OnMessage(&foes[0], kMsgHit, -10, 0, 0);  // a negative hit adds its points
  EXPECT_EQ(c.m_hp, 70);
  c.OnMessage(&foes[0], kMsgHit, 10, 0, 0);
  EXPECT_EQ(c.m_hp, 60);
  c.OnMessage(&foes[0], kMsgMagicHit, 70, 0, 0);
  EXPECT_EQ(c.m_hp, 0);
  EXPECT_EQ(c.m_actionCode, kActDying);
  for (int i = 0; i < 100; ++i) c.OnProcess();
  c.OnMessage(&foes[0], kMsgHit, 5, 0, 0);
  EXPECT_EQ(c.m_actionCode, kActDying);
  EXPECT_EQ(c.m_tickCount, 0);
  c.OnMessage(&foes[0], kMsgAcknowledged, 5, 0, 0);  // not a hit
  EXPECT_EQ(c.m_hp, 0);
  int ticks = 0;
  while (c.OnProcess() && ticks < 500) ++ticks;
  EXPECT_EQ(ticks, 181);  // from tick 0 again
}

TEST_F(BattleRecallTest, AnEnemysCreatureHitsTheParty) {
  members[0].m_pos = {38.0f, 0.0f, 0.0f};
  CBattleRecall& c = Summon(foes[1], 6, 40.0f, 0.0f);
  EXPECT_EQ(c.m_ownerPosition, -1);
  for (int i = 0; i < 8; ++i) c.OnProcess();  // set out, reach its target, tick 5 of the attack
  EXPECT_EQ(Hits(members[0], 10), 1);
  EXPECT_EQ(members[0].digits, (std::vector<Digit>{{10, 1, 0, 0}}));
  for (const CRecorder& foe : foes) EXPECT_EQ(Hits(foe, 10), 0);
}

// The model creature, on the sample's slime as its model: one model frame
// every three ticks, its blow on the rma's event frame, nothing for an
// action the rma lacks, and the model drawn where it stands.
TEST_F(BattleRecallTest, TheModelCreatureStepsItsModelFramesAndHitsOnTheRmasEventFrames) {
  std::vector<slvtools::DataFile> files;
  std::string error;
  ASSERT_TRUE(slvtools::BuildModelSource(
      testsupport::ReadFile(testsupport::SourceDir() / "data/models/monster/slime.model"), "티아마스.rsx", &files,
      &error))
      << error;
  ASSERT_TRUE(slvtools::WriteDataFiles(files, m_dir.Path() / "game/data", &error)) << error;
  // Idle and walk bob (0-7), the blow's hop (8-11, the blow on 9), the recoil;
  // no dying action.
  m_dir.Write("game/data/model/캐릭터/티아마스.rma",
              "#rsxname 티아마스.rsx\n#action 0 0 7\n#action 2 8 11 9\n#action 3 0 3\n");
  const std::string savedTextures = g_texturePath;
  g_texturePath = "\\texture\\";
  // The model's textures are made on the display device.
  ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
  struct Display {
    Display() : window(platform::CreateAppWindow({"BattleRecall", "BattleRecall", nullptr, 0, 0, 640, 480})) {
      EXPECT_EQ(g_3dDevice.Create(window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
                platform::S_OK);
    }
    ~Display() {
      g_3dDevice.Release();
      platform::DestroyAppWindow(window);
    }
    platform::WindowHandle window;
  } display;
  CBattleRecall& c = Summon(members[0], 2, 0.0f, 0.0f);
  ASSERT_NE(c.m_modelAnimation, nullptr);
  EXPECT_EQ(c.m_modelFrame, 0);
  for (int i = 0; i < 3; ++i) c.UpdateFrame();
  EXPECT_EQ(c.m_modelFrame, 1);
  c.SetAction(kActAttack);
  EXPECT_EQ(c.m_modelFrame, 8);
  std::vector<int> frames, hits;
  for (int i = 0; i < 13; ++i) {
    c.UpdateFrame();
    frames.push_back(c.m_modelFrame);
    hits.push_back(c.CheckHitFrame());
  }
  EXPECT_EQ(frames, (std::vector<int>{8, 8, 9, 9, 9, 10, 10, 10, 11, 11, 11, 11, 11}));
  EXPECT_EQ(hits, (std::vector<int>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(c.m_holdLast, 1);  // played once

  constexpr int kW = 48, kH = 40;
  platform::Surface target(kW, kH, platform::PixelFormat::RGB565), depth(kW, kH, platform::PixelFormat::Depth16);
  platform::Device3D device(target, &depth);
  CRC565 rc;
  rc.SetViewSize(kW, kH);
  rc.SetDevice(&device);
  Matrix view;
  view.MakeLookAt({0.0f, -6.0f, -40.0f}, {0.0f, -3.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  const auto draw = [&] {
    device.Clear(platform::Rect{0, 0, kW, kH}, platform::kClearTarget | platform::kClearDepth, 0xFF202040, 1.0f);
    EXPECT_EQ(device.BeginScene(), platform::S_OK);
    c.Render(rc, view);
    rc.FlushAlphaTestTris();
    device.EndScene();
  };
  c.m_angle = 30.0f;
  draw();
  ExpectGoldenText("recall_model", target, "tests/battle/golden");
  // Dying has no action in this rma: no model, no frames, no blow, no picture.
  c.SetAction(kActDying);
  EXPECT_EQ(c.m_modelAnimation, nullptr);
  c.UpdateFrame();
  EXPECT_EQ(c.CheckHitFrame(), 0);
  draw();
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) ASSERT_EQ(target.Row(y)[x], target.Row(0)[0]) << x << " " << y;
  }
  rc.SetDevice(nullptr);
  g_texturePath = savedTextures;
}

}  // namespace
