// Battle objects drawn on the sample village: what each layer queues
// (scales, tint, depth keys, jitter, the flash, the shadow, the target
// rectangle) and one scene against a golden picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/BattleObject.h"
#include "engine/ActRes.h"
#include "field/PickRegionList.h"
#include "tests/battle/BattleVillageTest.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

class CFigure : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
};

ActLayer Layer(int32_t x, int32_t y, int32_t sprite, uint8_t alpha, int32_t mirror = 0) {
  ActLayer layer;
  layer.x = x;
  layer.y = y;
  layer.sprite = sprite;
  layer.mirror = mirror;
  layer.color[3] = alpha;
  return layer;
}

// A figure of three palette layers: a body, a mirrored arm and a
// half-seen glow; four facings alike.
std::string FigurePack() {
  slvtools::SprWriter spr(0x200);
  spr.SetColor(1, 200, 60, 40);
  spr.SetColor(2, 240, 220, 90);
  spr.SetColor(3, 60, 120, 230);
  std::vector<uint8_t> body(32 * 56, 1);
  for (int y = 0; y < 56; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (y < 16 || x < 6) body[static_cast<size_t>(y * 32 + x)] = 2;  // a head and one side
    }
  }
  spr.AddImage(32, 56, body);
  std::vector<uint8_t> arm(20 * 10, 3);
  for (int i = 0; i < 10; ++i) arm[static_cast<size_t>(i * 20)] = arm[static_cast<size_t>(i * 20 + 1)] = 2;  // the left end
  spr.AddImage(20, 10, arm);
  spr.AddImage(24, 24, std::vector<uint8_t>(576, 2));
  ActMotion motion;
  motion.layers = {Layer(0, -28, 0, 255), Layer(-12, -30, 1, 255, 1), Layer(4, -56, 2, 128)};  // centres
  motion.layers[0].color[1] = 128;  // the body's green halved
  const ActAction action{{motion}};
  slvtools::PackWriter pack;
  pack.AddStored("data/sprite/figure.spr", spr.Build());
  pack.AddStored("data/sprite/figure.act", slvtools::BuildAct(0x200, {action, action, action, action}));
  return pack.Build();
}

class BattleObjectDrawTest : public BattleVillageTest {
 protected:
  BattleObjectDrawTest() : BattleVillageTest("BattleDraw", {}, FigurePack()) {}

  // A figure on the ground beside the camera's point, in the battle's
  // objects.
  CFigure* Place(float dx, float dz) {
    auto* figure = new CFigure;
    figure->m_name = "figure";
    figure->m_sprName = "figure.spr";
    figure->m_actName = "figure.act";
    figure->GetSprite();
    figure->m_pos = Vec3{m_standIn.m_pos.x + dx, 0.0f, m_standIn.m_pos.z + dz};
    figure->m_pos.y = Context().GetStandHeight(figure->m_pos);
    figure->m_groundHeight = figure->m_pos.y;
    Context().m_battleObjects.push_back(figure);
    return figure;
  }
  // The camera looks at the village's square from the south.
  void LookAtTheSquare() {
    ASSERT_TRUE(SceneSpot(&m_standIn.m_pos));
    View().m_pFollow = &m_standIn;
    View().TickCamera();
  }
};

TEST_F(BattleObjectDrawTest, LayersAreScaledTintedKeyedJitteredAndFlashedAsTheBattleDrawsThem) {
  LookAtTheSquare();
  CFigure* figure = Place(0, 0);
  const Matrix& view = View().m_viewMatrix;
  CRC& rc = Rc();

  figure->Render(rc, view);
  ASSERT_EQ(rc.m_effectQuads.size(), 2u);  // body and arm are opaque
  ASSERT_EQ(rc.m_spriteQuads.size(), 1u);  // the glow is half seen
  ASSERT_FALSE(rc.m_quads.empty());        // the shadow
  const QueuedEffectQuad body = rc.m_effectQuads[0];
  const QueuedEffectQuad arm = rc.m_effectQuads[1];
  const QueuedSpriteQuad glow = rc.m_spriteQuads[0];
  const QueuedImageQuad shadow = rc.m_quads[0];
  // Every layer keyed at the foot's depth, a step further each.
  EXPECT_FLOAT_EQ(arm.rhwBottom, body.rhwBottom + 0.00001f);
  EXPECT_FLOAT_EQ(glow.rhwBottom, body.rhwBottom + 0.00002f);
  EXPECT_GT(body.left, body.right);  // as stored
  EXPECT_LT(arm.left, arm.right);    // mirrored: the edges swapped
  EXPECT_EQ(body.silhouette, 0);
  EXPECT_EQ(glow.color >> 24, 128u);
  const float width = body.left - body.right, height = body.bottom - body.top;
  EXPECT_NEAR(height / width, 56.0f / 32.0f, 1e-3f);
  EXPECT_GT(shadow.rhw, 0.0f);
  rc.m_effectQuads.clear();
  rc.m_spriteQuads.clear();
  rc.m_quads.clear();

  // Scaled, tinted, shaking and flashing; no shadow without its flag.
  figure->m_scaleX = 2.0f;
  figure->m_scaleY = 0.5f;
  figure->m_tint = 0x80FF8000;
  figure->m_shakeTicks = 5;
  figure->m_tickCount = 2;  // the second pair of ticks: one pixel right
  figure->m_hitFlash = 3;
  figure->m_drawShadow = 0;
  figure->Render(rc, view);
  ASSERT_EQ(rc.m_effectQuads.size(), 3u);  // the flash makes every palette layer solid
  EXPECT_TRUE(rc.m_quads.empty());
  const QueuedEffectQuad& wide = rc.m_effectQuads[0];
  EXPECT_NEAR(wide.left - wide.right, 2.0f * width, 1e-3f);
  EXPECT_NEAR(wide.bottom - wide.top, 0.5f * height, 1e-3f);
  const float right = (wide.left + wide.right) * 0.5f;
  EXPECT_NEAR(right - (body.left + body.right) * 0.5f, 1.0f, 1e-3f);  // centred: only the jitter moves it
  EXPECT_EQ(wide.silhouette, 3);  // the entry carries the flash counter
  EXPECT_EQ(wide.color, 0x80FF4000u);  // layer colour x tint per channel
  EXPECT_EQ(rc.m_effectQuads[2].color >> 24, 64u);
  rc.m_effectQuads.clear();
  figure->m_tickCount = 4;
  figure->RenderBody(rc, view);
  EXPECT_NEAR((rc.m_effectQuads[0].left + rc.m_effectQuads[0].right) * 0.5f, right - 2.0f, 1e-3f);
  rc.m_effectQuads.clear();

  // The target rectangle of the frame, kind 5, the figure its owner.
  g_pickRegionList.Clear();
  figure->AddTargetPickRegion(rc, view);
  EXPECT_TRUE(rc.m_effectQuads.empty());
  CSelvarinActor* picked = nullptr;
  CSelvarin3dActor* model = nullptr;
  EXPECT_EQ(g_pickRegionList.HitTest(figure->m_screenX, figure->m_screenY - 4, &picked, &model), 5);
  EXPECT_EQ(picked, figure);

  // An action outside the act: logged, nothing queued.
  figure->m_action = 9;
  testsupport::DebugLogCapture log;
  figure->Render(rc, view);
  EXPECT_TRUE(log.Contains("Error : CBattleActor::Render - Illegal action"));
  EXPECT_TRUE(rc.m_effectQuads.empty());
}

TEST_F(BattleObjectDrawTest, ATintedScaledFigureWithItsShadowBesideAShakingOne) {
  LookAtTheSquare();
  CFigure* still = Place(-8, 0);
  still->m_tint = 0xFFFFC0A0;
  still->m_scaleX = 1.5f;
  still->m_scaleY = 1.25f;
  CFigure* shaking = Place(8, 0);
  shaking->m_shakeTicks = 10;
  shaking->m_tickCount = 2;
  shaking->m_drawShadow = 0;

  EXPECT_EQ(Shot("battle_objects_village"), "");
}

}  // namespace
