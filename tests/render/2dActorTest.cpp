#include "render/2dActor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "engine/ActRes.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/3dAttr.h"
#include "render/3dContext.h"
#include "render/3dGround.h"
#include "render/3dView.h"
#include "render/PixelRC.h"
#include "tests/render/BoxActor.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

// A sprite actor in the current frame, on a flat map of 160 x 160 units:
// an attribute grid of 32 x 32 cells of 5, centred on the origin.
class C2dActorTest : public GameFolderTest {
 protected:
  C2dActorTest() {
    m_ground.Allocate(16, 16);
    m_attr.Allocate(32, 32);
    m_context = new C3dContext;
    m_view = new C3dView;
    m_frame.m_pContext = m_context;
    m_frame.m_pView = m_view;
    m_context->m_pGround = &m_ground;
    m_context->m_pAttr = &m_attr;
    g_pCurrentFrame = &m_frame;
    m_actor.Init();
  }
  ~C2dActorTest() override {
    g_pCurrentFrame = nullptr;
    CResMgr::GetInstance().UnloadResources();
  }

  void SetCell(float x, float z, int32_t type, float height) {
    AttrCell* cell = m_attr.GetCell(static_cast<int32_t>((80 + x) / 5), static_cast<int32_t>((80 + z) / 5));
    ASSERT_NE(cell, nullptr);
    cell->type = type;
    for (float& h : cell->height) h = height;
  }
  void Stand(float x, float y, float z) {
    m_actor.m_pos = Vec3{x, y, z};
    m_actor.m_inAir = 0;
  }

  C3dGround m_ground;
  C3dAttr m_attr;
  CFrame m_frame;  // owns context and view
  C3dContext* m_context;
  C3dView* m_view;
  C2dActor m_actor;
};

TEST_F(C2dActorTest, ANewActorFallsLandsAndIsLiftedOutOfTheGround) {
  EXPECT_EQ(m_actor.m_inAir, 1);
  m_actor.m_pos = Vec3{1, -2.25f, 1};
  std::vector<float> ys, vys;
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(m_actor.OnProcess());
    ys.push_back(m_actor.m_pos.y);
    vys.push_back(m_actor.m_velocity.y);
  }
  // Under the ground at 0.25 on the fifth tick, lifted by 1.0; then standing.
  EXPECT_EQ(ys, (std::vector<float>{-2.25f, -2.0f, -1.5f, -0.75f, -0.75f, 0.0f}));
  EXPECT_EQ(vys, (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.25f}));
  EXPECT_EQ(m_actor.m_inAir, 0);

  m_actor.m_pos = Vec3{1, -0.5f, 1};
  m_actor.m_inAir = 1;
  m_actor.m_velocity.y = 5.0f;  // to 4.5, then up by whole units until clear
  m_actor.FallStep();
  EXPECT_EQ(m_actor.m_pos.y, -0.5f);
  EXPECT_EQ(m_actor.m_inAir, 0);
}

TEST_F(C2dActorTest, ALiftThatWouldNeverEndTakesTheStandHeight) {
  SetCell(1, 1, 0, -4.0f);
  for (float y : {3e7f, std::numeric_limits<float>::infinity()}) {
    SCOPED_TRACE(y);
    m_actor.m_pos = Vec3{1, y, 1};
    m_actor.m_inAir = 1;
    m_actor.m_velocity = Vec3{};
    m_actor.FallStep();
    EXPECT_EQ(m_actor.m_pos.y, -4.0f);
    EXPECT_EQ(m_actor.m_inAir, 0);
  }
}

TEST_F(C2dActorTest, StandingActorsFollowADropUnder3AndFallFromADeeperOne) {
  SetCell(1, 1, 0, 2.5f);
  SetCell(6, 1, 0, 5.5f);
  Stand(-4, 0, 1);
  m_actor.m_pos.x = 1;  // onto ground 2.5 lower
  m_actor.FallStep();
  EXPECT_EQ(m_actor.m_pos.y, 2.5f);
  EXPECT_EQ(m_actor.m_inAir, 0);
  m_actor.m_pos.x = 6;  // 3 lower again
  m_actor.FallStep();
  EXPECT_EQ(m_actor.m_pos.y, 2.5f);
  EXPECT_EQ(m_actor.m_inAir, 1);
  EXPECT_EQ(m_actor.m_velocity.y, 0.25f);
  // Rising ground is climbed at once.
  Stand(1, 2.5f, 1);
  SetCell(1, 1, 0, -7.0f);
  m_actor.FallStep();
  EXPECT_EQ(m_actor.m_pos.y, -7.0f);
}

TEST_F(C2dActorTest, TheMotionFacesTheCameraInEightSectors) {
  struct Case {
    float yaw, angle;
    int motion;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {0, 0, 0},         {30, 10, 0},     {45, 0, 7},   {67.4f, 0, 7},
      {90, 0, 6},        {180, 0, 4},     {0, 45, 1},   {337.6f, 0, 0},
      {3600090, 0, 6},   // a far-off angle: its remainder
      {inf, 0, 0},       {std::nanf(""), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.yaw << " " << c.angle);
    m_view->m_yaw = c.yaw;
    m_actor.m_angle = c.angle;
    m_actor.m_action = 3;
    m_actor.UpdateFrame();
    EXPECT_EQ(m_actor.m_action, 0);
    EXPECT_EQ(m_actor.m_motion, c.motion);
  }
}

TEST_F(C2dActorTest, MovesIntoBlockedCellsArePushedToTheNearerEdgeOrKeptBack) {
  SetCell(1, 2, 1, 0.0f);  // the cell x 0..5, z 0..5
  Stand(-1, 0, 2);
  m_actor.m_velocity = Vec3{2, 0, 0};
  m_actor.MoveStep();
  // x is 1 into the cell, z 2: out over the x edge by half a unit more.
  EXPECT_FLOAT_EQ(m_actor.m_pos.x, -0.5f);
  EXPECT_FLOAT_EQ(m_actor.m_pos.z, 2.0f);
  EXPECT_EQ(m_actor.m_pos.y, 0.0f);
  EXPECT_EQ(m_actor.m_velocity.x, 0.0f);  // ground speed lasts one tick

  SetCell(-0.5f, 2, 1, 0.0f);  // both ways out blocked
  SetCell(1, -0.5f, 1, 0.0f);
  Stand(-1, 0, 2);
  m_actor.m_velocity = Vec3{2, 0, 0};
  m_actor.MoveStep();
  EXPECT_EQ(m_actor.m_pos.x, -1.0f);
  EXPECT_EQ(m_actor.m_pos.z, 2.0f);

  // In the air the speed stays.
  m_actor.m_inAir = 1;
  m_actor.m_pos = Vec3{-30, -5, -30};
  m_actor.m_velocity = Vec3{1, 0, 1};
  m_actor.MoveStep();
  EXPECT_EQ(m_actor.m_pos.x, -29.0f);
  EXPECT_EQ(m_actor.m_velocity.x, 1.0f);
}

TEST_F(C2dActorTest, AMoveIntoAModelActorClimbsOntoItsTop) {
  m_context->m_modelActors.push_back(new BoxActor({10, -20, 10}, {20, 0, 20}));
  m_context->InitBucketGrid();
  Stand(8, 0, 15);
  m_actor.m_velocity = Vec3{4, 0, 0};
  m_actor.MoveStep();
  // The test point 1 above the foot goes to 0.5 above the top: the foot
  // follows it by the same height.
  EXPECT_EQ(m_actor.m_pos.x, 12.0f);
  EXPECT_EQ(m_actor.m_pos.y, -19.5f);
}

TEST_F(C2dActorTest, WithoutA3dFrameTheStepsThatAskItAreSkipped) {
  CFrame bare;
  for (CFrame* frame : {static_cast<CFrame*>(nullptr), &bare}) {
    g_pCurrentFrame = frame;
    m_actor.Init();
    m_actor.m_pos = Vec3{1, -5, 1};
    m_actor.m_velocity = Vec3{1, 0, 0};
    m_actor.m_motion = 4;
    EXPECT_TRUE(m_actor.OnProcess());
    EXPECT_EQ(m_actor.m_pos.x, 1.0f);
    EXPECT_EQ(m_actor.m_pos.y, -5.0f);
    EXPECT_EQ(m_actor.m_motion, 4);
  }
}

class DyingActor : public C2dActor {
 public:
  int UpdateAction(int state) override {
    m_seen = state;
    return state == 9 ? 0 : 1;
  }
  int m_seen = -1;
};

TEST_F(C2dActorTest, TheStateActionIsTheAliveFlag) {
  DyingActor actor;
  actor.Init();
  actor.m_state = 9;
  EXPECT_FALSE(actor.OnProcess());
  EXPECT_EQ(actor.m_seen, 9);
  std::unique_ptr<CActor> made(CreateActorByName("2dActor"));
  EXPECT_NE(dynamic_cast<C2dActor*>(made.get()), nullptr);
}

// Sprite "a": one 4 x 6 palette image. Animation "a": action 0 with motion 0
// one layer at (-2, -6) and motion 1 one layer naming a missing image.
class C2dActorRenderTest : public C2dActorTest {
 protected:
  C2dActorRenderTest() {
    m_rc.SetViewSize(640, 480);
    m_rc.m_focalX = 700.0f;
    m_rc.m_focalY = 500.0f;
    // Depth grows by half the height: the point above the foot is nearer.
    m_view.m[5] = 0.5f;
    m_actor.m_sprName = "a.spr";
    m_actor.m_actName = "a.act";
  }
  void WriteSprites(int32_t mirror) {
    slvtools::SprWriter spr(0x100);
    spr.AddImage(4, 6, std::vector<uint8_t>(24, 1));
    Write("data/sprite/a.spr", spr.Build());
    ActLayer layer;
    layer.x = -2;
    layer.y = -6;
    layer.mirror = mirror;
    ActLayer missing = layer;
    missing.sprite = 1;
    ActMotion plain, broken;
    plain.layers = {layer};
    broken.layers = {missing};
    Write("data/sprite/a.act", slvtools::BuildAct(0x100, {ActAction{{plain, broken}}}));
  }
  const SprImage* Image() const {
    return dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("a.spr"))->GetImage(0);
  }

  CRC565 m_rc;
  Matrix m_view;
};

TEST_F(C2dActorRenderTest, OneLayerPlainAndMirrored) {
  for (int32_t mirror : {0, 1}) {
    SCOPED_TRACE(mirror);
    CResMgr::GetInstance().UnloadResources();
    WriteSprites(mirror);
    m_rc.m_effectQuads.clear();
    m_actor.m_pos = Vec3{10, 4, 100};  // depth 102: k = 1 / 100
    m_actor.Render(m_rc, m_view);
    ASSERT_EQ(m_rc.m_effectQuads.size(), 1u);
    const QueuedEffectQuad& q = m_rc.m_effectQuads[0];
    // Anchor (320 + 0.01 x 10 x 700, 240 + 0.01 x 4 x 500) = (390, 260);
    // scale 0.01 x 700 / 7 = 1.
    EXPECT_FLOAT_EQ(q.top, 254.0f);
    EXPECT_FLOAT_EQ(q.bottom, 260.0f);
    EXPECT_FLOAT_EQ(q.left, mirror != 0 ? 388.0f : 392.0f);
    EXPECT_FLOAT_EQ(q.right, mirror != 0 ? 392.0f : 388.0f);
    EXPECT_FLOAT_EQ(q.rhwBottom, 1.0f / 100.0f);
    EXPECT_FLOAT_EQ(q.rhwTop, 1.0f / 95.0f);  // the point 10 above at depth 97
    EXPECT_EQ(q.angle, 0);
    EXPECT_EQ(q.silhouette, 0);
    EXPECT_EQ(q.color, 0xFFFFFFFFu);
    EXPECT_EQ(q.image, Image());
  }
}

TEST_F(C2dActorRenderTest, BehindTheCameraTheDepthIs12) {
  WriteSprites(0);
  m_actor.m_pos = Vec3{0, 0, -50};
  m_actor.Render(m_rc, m_view);
  ASSERT_EQ(m_rc.m_effectQuads.size(), 1u);
  const QueuedEffectQuad& q = m_rc.m_effectQuads[0];
  // k = 1 / 10, scale 10: the layer spans 40 x 60 pixels over the centre.
  EXPECT_FLOAT_EQ(q.top, 180.0f);
  EXPECT_FLOAT_EQ(q.bottom, 240.0f);
  EXPECT_FLOAT_EQ(q.left, 340.0f);
  EXPECT_FLOAT_EQ(q.right, 300.0f);
  EXPECT_FLOAT_EQ(q.rhwBottom, 0.1f);
  EXPECT_FLOAT_EQ(q.rhwTop, 0.1f);
  // Off to the side at that depth: outside the view.
  m_actor.m_pos = Vec3{10, 0, -50};
  m_actor.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_effectQuads.size(), 1u);
}

TEST_F(C2dActorRenderTest, NothingIsQueuedForWhatTheFilesDoNotHold) {
  WriteSprites(0);
  struct Case {
    const char* what;
    int action, motion;
    const char* spr;
  };
  const Case cases[] = {
      {"a missing image", 0, 1, "a.spr"},  {"a motion past the action", 0, 2, "a.spr"},
      {"a negative motion", 0, -1, "a.spr"}, {"an action past the file", 1, 0, "a.spr"},
      {"no sprite file", 0, 0, "none.spr"},  {"no sprite name", 0, 0, ""},
  };
  m_actor.m_pos = Vec3{0, 0, 100};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_actor.m_action = c.action;
    m_actor.m_motion = c.motion;
    m_actor.m_sprName = c.spr;
    m_actor.Render(m_rc, m_view);
    EXPECT_TRUE(m_rc.m_effectQuads.empty());
  }
}

}  // namespace
