// Drawing animated model nodes into the triangle queues: the vertex limit,
// nodes without textures, back faces, the colour rules and the wobble.
#include "field/ModelDraw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "field/3dFieldModel.h"
#include "field/SelvarinView.h"
#include "platform/Device3D.h"
#include "render/3dAnimModelRes.h"
#include "render/PixelRC.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "tests/render/GoldenText.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ModelSource.h"
#include "tools/lib/PictureSource.h"

namespace {

// A node of one triangle facing the camera (face 0) and its back (face 1)
// at depth 100, over `frames` frames; frame f lies f units further right.
std::unique_ptr<C3dAnimModelNode> Node(CTexture* texture, int frames = 1) {
  auto node = std::make_unique<C3dAnimModelNode>();
  node->m_numVertices = 3;
  node->m_numTexVertices = 3;
  node->m_sharedTexVertices = 1;
  node->m_numFrames = frames;
  for (int f = 0; f < frames; ++f) {
    const float x = static_cast<float>(f);
    node->vertices.insert(node->vertices.end(), {{x, 0, 100}, {x + 10, 0, 100}, {x, 10, 100}});
  }
  node->texVertices = {{0, 0.25f, 0.5f}, {0, 1.0f, 0.5f}, {0, 0.25f, 1.0f}};
  // y runs down the screen: 0, 2, 1 winds toward the camera.
  ModelFace front, back;
  for (int k = 0; k < 3; ++k) back.vertex[k] = back.texVertex[k] = static_cast<uint16_t>(k);
  front = back;
  front.vertex[1] = 2;
  front.vertex[2] = 1;
  node->faces = {front, back};
  node->colors = {0xFF102030, 0xFF405060, 0xFF708090, 0xFF112233, 0xFF445566, 0xFF778899};
  if (texture != nullptr) node->textures = {texture};
  return node;
}

class ModelDrawTest : public ::testing::Test {
 protected:
  ModelDrawTest() {
    m_rc.SetViewSize(64, 48);
    m_texture.m_name = "a.bmp";
  }

  void Draw(const C3dAnimModelNode& node, int alpha = 0, uint32_t colour = 0xFFFFFFFF, int outline = 0,
            int wobble = 0, int frame = 0) {
    DrawModelNode(m_rc, Matrix{}, frame, &node, alpha, colour, outline, 0, wobble, 0, 0, 1.0f, 1.0f);
  }
  size_t Opaque() { return m_rc.m_alphaTestTris[&m_texture].size(); }

  CRC565 m_rc;
  CTexture m_texture;
};

TEST_F(ModelDrawTest, FrontFacesQueueInOrderBackFacesOnlyWhenTwoSided) {
  auto node = Node(&m_texture);
  Draw(*node);
  ASSERT_EQ(Opaque(), 1u);
  const QueuedTriangleEx& t = m_rc.m_alphaTestTris[&m_texture][0];
  EXPECT_EQ(t.extra, 0u);
  // Projected: depth 100, the context's focal scales, its centre.
  EXPECT_FLOAT_EQ(t.v[0].x, 32.0f);
  EXPECT_FLOAT_EQ(t.v[2].x, 32.0f + 10.0f * m_rc.m_focalX / 100.0f);
  EXPECT_FLOAT_EQ(t.v[1].y, static_cast<float>(m_rc.m_halfHeight) + 10.0f * m_rc.m_focalY / 100.0f);
  EXPECT_FLOAT_EQ(t.v[0].rhw, 0.01f);
  EXPECT_EQ(t.v[1].diffuse, 0xFF405060u);  // lit colour, opaque
  EXPECT_FLOAT_EQ(t.v[1].u, 1.0f);

  m_rc.m_alphaTestTris.clear();
  node->faces[1].twoSided = 1;
  Draw(*node);
  ASSERT_EQ(Opaque(), 2u);
  // Seen from behind: corners 0, 2, 1 of the face, each with its own colour.
  const QueuedTriangleEx& b = m_rc.m_alphaTestTris[&m_texture][1];
  EXPECT_EQ(b.v[0].diffuse, 0xFF112233u);
  EXPECT_EQ(b.v[1].diffuse, 0xFF778899u);
  EXPECT_EQ(b.v[2].diffuse, 0xFF445566u);
  EXPECT_FLOAT_EQ(b.v[2].x, 32.0f + 10.0f * m_rc.m_focalX / 100.0f);  // its corner 1
}

TEST_F(ModelDrawTest, TheVertexLimitStopsTheNodeAndItsChildrenATexturelessNodeOnlyItself) {
  auto big = Node(&m_texture);
  auto child = Node(&m_texture);
  big->children.push_back(child.get());
  big->m_numVertices = 1001;
  big->vertices.resize(1001);
  {
    testsupport::DebugLogCapture log;
    Draw(*big);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"node->m_numVertices > MAX_VERTEX_PER_MESH"});
  }
  EXPECT_EQ(Opaque(), 0u);

  auto bare = Node(nullptr);
  bare->children.push_back(child.get());
  Draw(*bare);
  EXPECT_EQ(Opaque(), 1u);  // the child's

  // Frames asked for beyond the node's are clamped; a node without frames
  // draws nothing of its own.
  m_rc.m_alphaTestTris.clear();
  auto moving = Node(&m_texture, 3);
  Draw(*moving, 0, 0xFFFFFFFF, 0, 0, 9);
  ASSERT_EQ(Opaque(), 1u);
  EXPECT_FLOAT_EQ(m_rc.m_alphaTestTris[&m_texture][0].v[0].x, 32.0f + 2.0f * m_rc.m_focalX / 100.0f);
  m_rc.m_alphaTestTris.clear();
  moving->m_numFrames = 0;
  Draw(*moving, 0, 0xFFFFFFFF, 0, 0, -4);
  EXPECT_EQ(Opaque(), 0u);
}

TEST_F(ModelDrawTest, AlphaDrawingMixesTheColourWordByItsLowBits) {
  auto node = Node(&m_texture);
  struct Case {
    uint32_t word;
    uint32_t corner0;
  };
  const Case cases[] = {
      {0x80000000u, 0x80102030u},  // alpha over the lit colour
      {0x80FF00FFu, 0x80100030u},  // the word masks the lit colour
  };
  for (const Case& c : cases) {
    m_rc.m_blendTris.clear();
    Draw(*node, 1, c.word, 1);
    ASSERT_EQ(m_rc.m_blendTris[&m_texture].size(), 1u);
    EXPECT_EQ(m_rc.m_blendTris[&m_texture][0].v[0].diffuse, c.corner0) << std::hex << c.word;
  }
  EXPECT_EQ(Opaque(), 0u);
  // The outline copies each drawn triangle flat in the word's colour.
  ASSERT_EQ(m_rc.m_additiveUntexTris.size(), 2u);
  EXPECT_EQ(m_rc.m_additiveUntexTris[1]->v[2].diffuse, 0x80FF00FFu);
  EXPECT_FLOAT_EQ(m_rc.m_additiveUntexTris[1]->v[2].y, m_rc.m_blendTris[&m_texture][0].v[2].y);
}

TEST_F(ModelDrawTest, TheWobbleScalesAcrossAndScrollsTexturesButNotTheExemptOnes) {
  Vec3 v{2.0f, 0.0f, 3.0f};
  EXPECT_EQ(ApplyModelWobble(v, 1, 0), 0.0f);
  EXPECT_FLOAT_EQ(v.x, 2.0f);  // factor 1.0
  EXPECT_FLOAT_EQ(v.z, 3.0f);
  Vec3 w{2.0f, 56.0f, 3.0f};  // k = 1: twice the swing (55 still truncates to 0)
  ApplyModelWobble(w, 1, 6);
  const double factor = (std::sin(1.0 + 28.0) * 2.0 + 23.0) / 23.0;
  EXPECT_NEAR(w.x, 2.0 * factor, 1e-5);
  EXPECT_EQ(w.y, 56.0f);
  // Type 2 swings only in the first and last sixth of each turn.
  Vec3 still{1.0f, 0.0f, 1.0f};
  ApplyModelWobble(still, 2, 55);  // angle 10.0, a little past half a turn
  EXPECT_FLOAT_EQ(still.x, 1.0f);
  EXPECT_FLOAT_EQ(ApplyModelWobble(still, 2, 363), 121 % 120 * 0.004166667f);
  Vec3 other{1.0f, 5.0f, 1.0f};
  EXPECT_EQ(ApplyModelWobble(other, 3, 90), 0.0f);
  EXPECT_FLOAT_EQ(other.x, 1.0f);

  // Texture coordinates past 1 come back by 1; exempt pictures stay put.
  // Without a game frame the tick is 0 and the scroll too.
  auto node = Node(&m_texture);
  Draw(*node, 0, 0xFFFFFFFF, 0, 1);
  EXPECT_FLOAT_EQ(m_rc.m_alphaTestTris[&m_texture][0].v[1].u, 1.0f);
  node->texVertices[1].u = 1.5f;
  m_rc.m_alphaTestTris.clear();
  Draw(*node, 0, 0xFFFFFFFF, 0, 1);
  EXPECT_FLOAT_EQ(m_rc.m_alphaTestTris[&m_texture][0].v[1].u, 0.5f);
}

// Flat 2 x 2 pictures: the slime's body green, its eyes dark.
platform::Result FlatTexture(CTexture& t, const char* name) {
  t.m_name = name;
  t.m_width = t.m_height = 2;
  t.m_surface = std::make_shared<platform::Surface>(2, 2, platform::PixelFormat::RGB565);
  const uint16_t colour = std::string(name) == "slime.bmp" ? 0x4DE9 : 0x2104;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) t.m_surface->Row(y)[x] = colour;
  }
  t.m_texture = t.m_surface.get();
  return platform::S_OK;
}

class ModelDrawGoldenTest : public GameFolderTest {
 protected:
  // The sample's slime, its textures flat.
  void LoadSlime() {
    std::vector<slvtools::DataFile> files;
    std::string error;
    ASSERT_TRUE(slvtools::BuildModelSource(
        testsupport::ReadFile(testsupport::SourceDir() / "data/models/monster/slime.model"), "slime.rsx", &files,
        &error))
        << error;
    ASSERT_TRUE(slvtools::WriteDataFiles(files, m_dir.Path() / "game/data", &error)) << error;
    SetResDirectory("\\model\\");
    ASSERT_TRUE(m_model.Load("slime.rsx"));
    SetResDirectory("\\");
  }

  CTextureMgr m_textures{FlatTexture};
  C3dAnimModelRes m_model{m_textures};
};

TEST_F(ModelDrawGoldenTest, TheViewDrawsAModelOnTheHudWhereItIsAsked) {
  LoadSlime();
  constexpr int kW = 160, kH = 120;
  platform::Surface target(kW, kH, platform::PixelFormat::RGB565), depth(kW, kH, platform::PixelFormat::Depth16);
  platform::Device3D device(target, &depth);
  device.Clear(platform::Rect{0, 0, kW, kH}, platform::kClearTarget | platform::kClearDepth, 0xFF000000, 1.0f);
  CRC565 rc;
  rc.SetViewSize(kW, kH);
  rc.SetDevice(&device);
  ASSERT_EQ(device.BeginScene(), platform::S_OK);
  CSelvarinView view;
  view.DrawModel(rc, 40, 90, &m_model, 5.0f, 0.0f, 30.0f, 0.0f, 3);  // about 30 pixels across
  device.EndScene();
  rc.SetDevice(nullptr);
  EXPECT_EQ(m_model.m_lit, 1);
  EXPECT_TRUE(rc.m_alphaTestTris.empty());  // drawn at once
  // Around (40, 90), nothing far from it.
  int near = 0, far = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (target.Row(y)[x] == 0) continue;
      (std::abs(x - 40) < 40 && std::abs(y - 90) < 40 ? near : far) += 1;
    }
  }
  EXPECT_GT(near, 20);
  EXPECT_EQ(far, 0);
}

// The sample's slime in the middle of a hop, turned and lit as a field
// model, through the alpha-tested triangle pass.
TEST_F(ModelDrawGoldenTest, TheSampleSlimeMidHop) {
  LoadSlime();
  C3dAnimModelRes& model = m_model;
  constexpr int kW = 48, kH = 40;
  {
    C3dFieldModel slime;
    slime.m_model.SetModel(&model);
    slime.m_angle = 30.0f;
    slime.m_angleX = -20.0f;
    slime.m_model.OnMessage(48, 12, 0, 0);

    platform::Surface target(kW, kH, platform::PixelFormat::RGB565), depth(kW, kH, platform::PixelFormat::Depth16);
    platform::Device3D device(target, &depth);
    device.Clear(platform::Rect{0, 0, kW, kH}, platform::kClearTarget | platform::kClearDepth, 0xFF202040, 1.0f);
    CRC565 rc;
    rc.SetViewSize(kW, kH);
    rc.SetDevice(&device);
    ASSERT_EQ(device.BeginScene(), platform::S_OK);
    Matrix view;
    view.MakeLookAt({0.0f, -6.0f, -40.0f}, {0.0f, -3.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    slime.Render(rc, view);
    EXPECT_EQ(model.m_lit, 1);
    rc.FlushAlphaTestTris();
    device.EndScene();
    rc.SetDevice(nullptr);
    ExpectGoldenText("slime_mid_hop", target, "tests/field/golden");
  }
}

}  // namespace
