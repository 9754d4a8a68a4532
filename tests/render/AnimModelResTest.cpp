#include "render/3dAnimModelRes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "platform/Surface.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/RsxWriter.h"

namespace {

using slvtools::RsxNode;
using slvtools::RsxWriter;

namespace animmodelrestest {
platform::Result FakeLoad(CTexture& t, const char* name) {
  if (std::string(name).starts_with("missing")) return platform::E_FAIL;
  t.m_name = name;
  t.m_width = t.m_height = 2;
  t.m_surface = std::make_shared<platform::Surface>(2, 2, platform::PixelFormat::RGB565);
  t.m_texture = t.m_surface.get();
  return platform::S_OK;
}

ModelFace Face(uint16_t a, uint16_t b, uint16_t c, uint16_t ta, uint16_t tb, uint16_t tc, int32_t group = 0) {
  ModelFace face;
  face.vertex[0] = a;
  face.vertex[1] = b;
  face.vertex[2] = c;
  face.texVertex[0] = ta;
  face.texVertex[1] = tb;
  face.texVertex[2] = tc;
  face.smoothGroup = group;
  return face;
}

// Two frames of four vertices: face 0 (0, 1, 2) faces +y (its normal is
// (c - b) x (c - a)), face 1 (0, 3, 2) faces -x. Texture vertex 0 has
// colour word 0, the others 0xFFFFFFFF.
RsxNode Node(const std::string& name, const std::string& parent, bool shared = true, int32_t group1 = 0) {
  RsxNode node;
  node.name = name;
  node.parent = parent;
  node.textures = {0, 1, 9};
  const std::vector<Vec3> frame0 = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}};
  std::vector<Vec3> frame1 = frame0;
  frame1[1].x = 5;
  node.frames = {frame0, frame1};
  const std::vector<ModelTexVertex> tex = {{0, 0, 0}, {0xFFFFFFFF, 1, 0}, {0xFFFFFFFF, 0, 1}};
  node.shared = shared;
  node.texVertices.assign(shared ? 1 : 2, tex);
  if (!shared) node.texVertices[1][0].u = 0.5f;
  node.faces = {Face(0, 1, 2, 0, 1, 2), Face(0, 3, 2, 1, 1, 1, group1)};
  return node;
}
}  // namespace animmodelrestest

class AnimModelResTest : public GameFolderTest {
 protected:
  bool Load(const std::string& bytes) {
    Write("data/model/m.rsx", bytes);
    SetResDirectory("\\model\\");
    return m_model.Load("m.rsx");
  }
  RsxWriter TwoNodes(uint8_t minor = 3, bool shared = true) {
    RsxWriter rsx(minor);
    rsx.SetPlacement(2.0f, Vec3{1, 2, 3});
    rsx.SetAlpha(128);
    rsx.SetHeader(1, 2, 77);
    rsx.AddTexture("a.bmp");
    rsx.AddTexture("missing.bmp");
    rsx.SetMainNode("root");
    rsx.AddNode(animmodelrestest::Node("root", "", shared));
    rsx.AddNode(animmodelrestest::Node("leaf", "root", shared));
    return rsx;
  }

  CTextureMgr m_textures{animmodelrestest::FakeLoad};
  C3dAnimModelRes m_model{m_textures};
};

TEST_F(AnimModelResTest, HeadersByVersion) {
  struct Case {
    uint8_t major, minor;
    float scale, offsetZ;
    int32_t alpha;
  };
  const Case cases[] = {
      {1, 1, 1.0f, 0.0f, 255}, {1, 2, 2.0f, 3.0f, 255}, {1, 3, 2.0f, 3.0f, 128},
      {1, 4, 2.0f, 3.0f, 255}, {2, 3, 1.0f, 0.0f, 255},  // another major: no optional fields
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.major} << "." << int{c.minor});
    RsxWriter rsx(c.minor, c.major);
    rsx.SetPlacement(2.0f, Vec3{1, 2, 3});
    rsx.SetAlpha(128);
    rsx.SetHeader(1, 2, 77);
    rsx.AddNode(animmodelrestest::Node("root", ""));
    ASSERT_TRUE(Load(rsx.Build()));
    EXPECT_EQ(m_model.m_scale, c.scale);
    EXPECT_EQ(m_model.m_offset.z, c.offsetZ);
    EXPECT_EQ(m_model.m_alpha, c.alpha);
    EXPECT_EQ(m_model.m_shadeType, 1);
    EXPECT_EQ(m_model.m_numFrames, 2);
    EXPECT_EQ(m_model.m_headerValue, 77);
  }
}

TEST_F(AnimModelResTest, NodesFramesAndTextureVertices) {
  ASSERT_TRUE(Load(TwoNodes().Build()));
  ASSERT_EQ(m_model.m_nodes.size(), 2u);
  C3dAnimModelNode* root = m_model.FindNode("root");
  C3dAnimModelNode* leaf = m_model.FindNode("leaf");
  ASSERT_TRUE(root && leaf);
  EXPECT_EQ(m_model.FindNode("Root"), nullptr);
  EXPECT_EQ(leaf->parent, root);
  EXPECT_EQ(root->children, std::vector<C3dAnimModelNode*>{leaf});
  EXPECT_EQ(m_model.m_mainNodeNames, std::vector<std::string>{"root"});
  EXPECT_EQ(root->m_numVertices, 4);
  EXPECT_EQ(root->FrameVertices(1)[1].x, 5.0f);
  EXPECT_EQ(root->FrameVertices(0)[1].x, 1.0f);
  EXPECT_EQ(root->FrameVertices(2), nullptr);
  EXPECT_EQ(root->FrameVertices(-1), nullptr);
  // Shared: every frame draws with frame 0's.
  EXPECT_EQ(root->FrameTexVertices(1), root->FrameTexVertices(0));
  EXPECT_EQ(root->faces.size(), 2u);
  EXPECT_EQ(root->colors.size(), 6u);
  CTexture* a = m_textures.Find("a.bmp", 0);
  EXPECT_EQ(root->textures, (std::vector<CTexture*>{a, nullptr, nullptr}));
  EXPECT_EQ(a->m_lockCount, 2);
  m_model.Reset();
  EXPECT_EQ(a->m_lockCount, 0);

  ASSERT_TRUE(Load(TwoNodes(3, false).Build()));
  root = m_model.FindNode("root");
  EXPECT_EQ(root->FrameTexVertices(0)[0].u, 0.0f);
  EXPECT_EQ(root->FrameTexVertices(1)[0].u, 0.5f);
}

TEST_F(AnimModelResTest, AWrongSentinelFailsAndKeepsTheNodesReadSoFar) {
  RsxWriter rsx = TwoNodes();
  RsxNode bad = animmodelrestest::Node("bad", "root");
  bad.closeSentinel = 0x12345679;
  rsx.AddNode(bad);
  rsx.AddNode(animmodelrestest::Node("never", ""));
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(Load(rsx.Build()));
  EXPECT_TRUE(log.Contains("data corrupt"));
  ASSERT_EQ(m_model.m_nodes.size(), 3u);
  EXPECT_EQ(m_model.m_nodes[2]->name, "bad");
  // A wrong leading sentinel: the node is not read.
  RsxWriter second = TwoNodes();
  RsxNode opening = animmodelrestest::Node("bad", "");
  opening.openSentinel = 0;
  second.AddNode(opening);
  EXPECT_FALSE(Load(second.Build()));
  EXPECT_EQ(m_model.m_nodes.size(), 2u);
}

TEST_F(AnimModelResTest, CutFilesAndHugeCountsFailAndKeepNothing) {
  const std::string whole = TwoNodes(3, false).Build();
  std::vector<size_t> sizes = {whole.size() - 1, whole.size() - 4, whole.size() - 5};
  for (size_t size = 0; size < whole.size(); size += 7) sizes.push_back(size);
  for (size_t size : sizes) {
    SCOPED_TRACE(size);
    ASSERT_FALSE(Load(whole.substr(0, size)));
    ASSERT_TRUE(m_model.m_nodes.empty());
    CTexture* a = m_textures.Find("a.bmp", 0);
    ASSERT_TRUE(a == nullptr || a->m_lockCount == 0);
  }
  // Frames times vertices past the file.
  RsxWriter rsx(3);
  rsx.SetHeader(1, 0x40000000);
  rsx.AddNode(animmodelrestest::Node("root", ""));
  EXPECT_FALSE(Load(rsx.Build()));
  // A face naming a vertex the node does not have is dropped.
  RsxWriter faces(3);
  faces.SetHeader(1, 2);
  RsxNode node = animmodelrestest::Node("root", "");
  node.faces.push_back(animmodelrestest::Face(0, 1, 4, 0, 1, 2));
  node.faces.push_back(animmodelrestest::Face(0, 1, 2, 0, 1, 3));
  faces.AddNode(node);
  ASSERT_TRUE(Load(faces.Build()));
  EXPECT_EQ(m_model.m_nodes[0]->faces.size(), 2u);
}

class LightingTest : public AnimModelResTest {
 protected:
  C3dAnimModelNode& Lit(int shadeType, const Vec3& light, int32_t group1 = 0) {
    RsxWriter rsx(3);
    rsx.SetHeader(shadeType, 2);
    rsx.AddNode(animmodelrestest::Node("root", "", true, group1));
    rsx.AddNode(animmodelrestest::Node("leaf", "root"));
    EXPECT_TRUE(Load(rsx.Build()));
    C3dAnimModelNode& root = *m_model.FindNode("root");
    root.ComputeLighting(Matrix{}, 0, light, Vec3{0.5f, 0.5f, 0.5f}, Vec3{0.25f, 0.5f, 0.75f}, shadeType, 200);
    return root;
  }
};

TEST_F(LightingTest, FlatFacesLitFromTheFrontAndFromBehind) {
  C3dAnimModelNode& root = Lit(1, Vec3{0, 1, 0});
  // Corner 0's texture vertex has colour word 0: scale 255; the others 128.
  EXPECT_EQ(root.colors[0], 0xC8BFFFFFu);  // 0.75, 1, 1 of 255
  EXPECT_EQ(root.colors[1], 0xC8608080u);  // of 128
  // Face 1 faces away: exactly the ambient.
  EXPECT_EQ(root.colors[3], 0xC8204060u);  // 0.25, 0.5, 0.75 of 128
  Lit(1, Vec3{0, -1, 0});
  EXPECT_EQ(m_model.FindNode("root")->colors[0], 0xC83F7FBFu);  // 0.25, 0.5, 0.75 of 255
  // The children are lit with the same arguments.
  EXPECT_EQ(m_model.FindNode("leaf")->colors[0], 0xC83F7FBFu);
}

TEST_F(LightingTest, SmoothGroupsAverageTheNormalsOfTheirFaces) {
  const auto blue = [](uint32_t c) { return c & 0xFF; };
  // One group: vertices 0 and 2 take the mean of +y and -x.
  C3dAnimModelNode& same = Lit(2, Vec3{0, 1, 0});
  EXPECT_EQ(blue(same.colors[0]), 255u);  // 0.35 + 0.75 is past 1
  EXPECT_EQ(blue(same.colors[2]), 128u);
  EXPECT_EQ(blue(same.colors[4]), 96u);   // vertex 3: -x only, the ambient
  EXPECT_EQ(same.colors[3] >> 8 & 0xFF, 109u);  // (0.71 x 0.5 + 0.5) of 128
  // Two groups: each face keeps its own normal.
  C3dAnimModelNode& apart = Lit(2, Vec3{0, 1, 0}, 1);
  EXPECT_EQ(apart.colors[3] >> 8 & 0xFF, 64u);  // the ambient 0.5 of 128
  EXPECT_EQ(apart.colors[1] >> 8 & 0xFF, 128u);
}

TEST_F(LightingTest, UnlitAndUnknownShadeTypesGiveWhite) {
  EXPECT_EQ(Lit(0, Vec3{0, 1, 0}).colors[4], 0xC8FFFFFFu);
  testsupport::DebugLogCapture log;
  EXPECT_EQ(Lit(7, Vec3{0, 1, 0}).colors[4], 0xC8FFFFFFu);
  EXPECT_TRUE(log.Contains("Invalid Shade Type"));
}

}  // namespace
