#include "render/3dModelRes.h"

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
#include "tools/lib/RsmWriter.h"

namespace {

using slvtools::RsmNode;
using slvtools::RsmWriter;

// Texture files stand in: "missing" names do not load.
platform::Result FakeLoad(CTexture& t, const char* name) {
  if (std::string(name).starts_with("missing")) return platform::E_FAIL;
  t.m_name = name;
  t.m_width = t.m_height = 2;
  t.m_surface = std::make_shared<platform::Surface>(2, 2, platform::PixelFormat::RGB565);
  t.m_texture = t.m_surface.get();
  return platform::S_OK;
}

ModelFace Face(uint16_t a, uint16_t b, uint16_t c, int32_t group = 0, int32_t twoSided = 0) {
  ModelFace face;
  face.vertex[0] = face.texVertex[0] = a;
  face.vertex[1] = face.texVertex[1] = b;
  face.vertex[2] = face.texVertex[2] = c;
  face.smoothGroup = group;
  face.twoSided = twoSided;
  return face;
}

// Three vertices and texture vertices, two faces, one rotation key.
RsmNode Node(const std::string& name, const std::string& parent, std::vector<int32_t> textures = {0}) {
  RsmNode node;
  node.name = name;
  node.parent = parent;
  node.textures = std::move(textures);
  node.position = Vec3{1, 2, 3};
  node.rotAngle = 0.5f;
  node.scale = Vec3{2, 2, 2};
  node.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  node.texVertices = {{0, 0, 0}, {7, 1, 0}, {0, 0, 1}};
  node.faces = {Face(0, 1, 2, 3, 1), Face(2, 1, 0, 31)};
  node.rotKeys = {QuatKey{10, Quat{0, 0, 0, 1}}};
  return node;
}

ModelBox Box(int32_t flag) {
  ModelBox box;
  box.halfExtents = Vec3{1, 2, 3};
  box.position = Vec3{4, 5, 6};
  box.rotation = Vec3{0, 90, 0};
  box.flag = flag;
  return box;
}

// Two nodes ("body" with "arm" under it) over textures "a.bmp" and
// "missing.bmp", two boxes and a position track.
RsmWriter TwoNodes(uint8_t minor, uint8_t alpha = 0xFF) {
  RsmWriter rsm(minor);
  rsm.SetHeader(400, 2, alpha);
  rsm.AddTexture("a.bmp");
  rsm.AddTexture("missing.bmp");
  rsm.SetMainNode("body");
  rsm.AddNode(Node("arm", "body", {0, 1, 5, -1}));
  rsm.AddNode(Node("body", ""));
  rsm.SetPosKeys({PosKey{0, {1, 2, 3}, 0}, PosKey{20, {4, 5, 6}, 0}});
  rsm.AddBox(Box(0));
  rsm.AddBox(Box(1));
  return rsm;
}

class ModelResTest : public GameFolderTest {
 protected:
  bool Load(const std::string& bytes) {
    Write("data/model/m.rsm", bytes);
    SetResDirectory("\\model\\");
    return m_model.Load("m.rsm");
  }
  int32_t Locks(const char* name, int flagged = 0) {
    CTexture* t = m_textures.Find(name, flagged);
    return t != nullptr ? t->m_lockCount : -1;
  }

  CTextureMgr m_textures{FakeLoad};
  C3dModelRes m_model{m_textures};
};

TEST_F(ModelResTest, AVersion14FileWithItsTreeTexturesTracksAndBoxes) {
  testsupport::DebugLogCapture log;
  RsmWriter rsm = TwoNodes(4);
  RsmNode bad = Node("leg", "arm");
  bad.faces.push_back(Face(0, 1, 3));  // a vertex past the node's
  bad.faces.push_back(Face(0, 1, 2, 40));
  rsm.AddNode(bad);
  ASSERT_TRUE(Load(rsm.Build()));
  EXPECT_EQ(m_model.m_animLen, 400);
  EXPECT_EQ(m_model.m_shadeType, 2);
  EXPECT_EQ(m_model.m_alpha, 0xFF);
  ASSERT_EQ(m_model.m_nodes.size(), 3u);
  C3dModelNode* arm = m_model.FindNode("arm");
  C3dModelNode* body = m_model.FindNode("body");
  C3dModelNode* leg = m_model.FindNode("leg");
  ASSERT_TRUE(arm && body && leg);
  EXPECT_EQ(m_model.FindNode("Body"), nullptr);
  EXPECT_EQ(m_model.RootNode(), body);
  EXPECT_EQ(body->children, std::vector<C3dModelNode*>{arm});
  EXPECT_EQ(arm->parent, body);
  EXPECT_EQ(leg->parent, arm);
  // Textures: the ordinary list; what did not load or lies outside the
  // names stays empty; each loaded slot locked once.
  CTexture* a = m_textures.Find("a.bmp", 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(arm->textures, (std::vector<CTexture*>{a, nullptr, nullptr, nullptr}));
  EXPECT_EQ(a->m_lockCount, 3);
  EXPECT_EQ(m_textures.FlaggedCount(), 0);
  // The mesh, its faces and the node's fields.
  EXPECT_EQ(arm->mesh.texVertices[1].color, 7u);
  EXPECT_EQ(arm->mesh.faces[0].smoothGroup, 3);
  EXPECT_EQ(arm->mesh.faces[0].twoSided, 1);
  EXPECT_EQ(arm->position.z, 3.0f);
  EXPECT_EQ(arm->rotAngle, 0.5f);
  EXPECT_EQ(arm->scale.x, 2.0f);
  ASSERT_EQ(arm->rotKeys.size(), 1u);
  EXPECT_EQ(arm->rotKeys[0].frame, 10);
  EXPECT_EQ(m_model.m_meshes.at("arm"), &arm->mesh);
  // A face outside the node is dropped, once logged; a group past 31 is 0.
  ASSERT_EQ(leg->mesh.faces.size(), 3u);
  EXPECT_EQ(leg->mesh.faces[2].smoothGroup, 0);
  EXPECT_TRUE(log.Contains("face dropped"));
  // The position track goes to the main node.
  EXPECT_TRUE(arm->posKeys.empty());
  ASSERT_EQ(body->posKeys.size(), 2u);
  EXPECT_EQ(body->posKeys[1].pos.y, 5.0f);
  EXPECT_EQ(m_model.m_mainNodeNames, std::vector<std::string>{"body"});
  // Boxes of 1.3 and later: flag 0 widens x and z by 3.
  ASSERT_EQ(m_model.m_boxes.size(), 2u);
  EXPECT_EQ(m_model.m_boxes[0].halfExtents.x, 4.0f);
  EXPECT_EQ(m_model.m_boxes[0].halfExtents.y, 2.0f);
  EXPECT_EQ(m_model.m_boxes[0].halfExtents.z, 6.0f);
  EXPECT_EQ(m_model.m_boxes[1].halfExtents.x, 1.0f);
  EXPECT_EQ(m_model.m_boxes[1].rotation.y, 90.0f);
  EXPECT_EQ(m_model.m_boxes[1].flag, 1);

  m_model.Reset();
  EXPECT_EQ(a->m_lockCount, 0);
  EXPECT_TRUE(m_model.m_nodes.empty());
}

TEST_F(ModelResTest, VersionsDifferInAlphaTextureVerticesFacesAndBoxes) {
  struct Case {
    uint8_t minor, alpha;
    int flaggedList;
    uint32_t color;   // of texture vertex 1
    int32_t group, twoSided;  // of face 0
    size_t boxes;
    float boxX;
  };
  const Case cases[] = {
      {0, 0x80, 0, 7, 3, 1, 0, 0},               // the count is read, no records
      {1, 0xFF, 0, 0xFFFFFFFF, 0, 0, 0, 0},      // 8-byte texture vertices, 20-byte faces
      {2, 0xFF, 0, 7, 3, 1, 2, 1.0f},            // 36-byte boxes, never widened
      {3, 0x80, 0, 7, 3, 1, 2, 4.0f},            // alpha only from 1.4
      {4, 0xFF, 0, 7, 3, 1, 2, 4.0f},
      {4, 0x80, 1, 7, 3, 1, 2, 4.0f},            // translucent: the flagged list
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "1." << int{c.minor} << " alpha " << int{c.alpha});
    ASSERT_TRUE(Load(TwoNodes(c.minor, c.alpha).Build()));
    EXPECT_EQ(m_model.m_alpha, c.minor >= 4 ? c.alpha : 0xFF);
    const C3dModelNode* arm = m_model.FindNode("arm");
    ASSERT_NE(arm, nullptr);
    EXPECT_EQ(arm->alpha, m_model.m_alpha);
    EXPECT_EQ(arm->mesh.texVertices[1].color, c.color);
    EXPECT_EQ(arm->mesh.texVertices[1].u, 1.0f);
    EXPECT_EQ(arm->mesh.faces[0].smoothGroup, c.group);
    EXPECT_EQ(arm->mesh.faces[0].twoSided, c.twoSided);
    EXPECT_EQ(arm->mesh.faces[0].vertex[2], 2);
    EXPECT_EQ(m_textures.Find("a.bmp", c.flaggedList) != nullptr, true);
    EXPECT_EQ(arm->textures[0], m_textures.Find("a.bmp", c.flaggedList));
    ASSERT_EQ(m_model.m_boxes.size(), c.boxes);
    if (c.boxes > 0) {
      EXPECT_EQ(m_model.m_boxes[0].halfExtents.x, c.boxX);
    }
    m_model.Reset();
    m_textures.ReleaseAll();
  }
}

TEST_F(ModelResTest, MagicAndVersionAreChecked) {
  struct Case {
    std::string bytes;
    const char* log;
  };
  std::string wrongMagic = TwoNodes(4).Build();
  wrongMagic[3] = 'X';
  const Case cases[] = {
      {wrongMagic, "잘못된 포맷의 모델파일임."},
      {RsmWriter(5).Build(), "지원되지 않는 버젼입니다. 내용물이 깨져있을 수 있습니다"},
      {RsmWriter(4, 2).Build(), "지원되지 않는 버젼입니다. 내용물이 깨져있을 수 있습니다"},
  };
  for (const Case& c : cases) {
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(Load(c.bytes));
    EXPECT_TRUE(log.Contains(c.log)) << c.log;
  }
}

TEST_F(ModelResTest, BrokenTreesLeaveRootsAndAMissingMainNodeNoTrack) {
  RsmWriter rsm(4);
  rsm.SetMainNode("nobody");
  rsm.AddNode(Node("self", "self"));
  rsm.AddNode(Node("a", "b"));
  rsm.AddNode(Node("b", "a"));  // would close a loop
  rsm.AddNode(Node("orphan", "gone"));
  rsm.SetPosKeys({PosKey{0, {1, 2, 3}, 0}});
  ASSERT_TRUE(Load(rsm.Build()));
  EXPECT_EQ(m_model.FindNode("self")->parent, nullptr);
  EXPECT_EQ(m_model.FindNode("a")->parent, m_model.FindNode("b"));
  EXPECT_EQ(m_model.FindNode("b")->parent, nullptr);
  EXPECT_EQ(m_model.FindNode("orphan")->parent, nullptr);
  for (const auto& node : m_model.m_nodes) EXPECT_TRUE(node->posKeys.empty());
}

TEST_F(ModelResTest, EveryCutFileAndHugeCountFailsAndKeepsNothing) {
  for (uint8_t minor : {1, 3}) {
    const std::string whole = TwoNodes(minor).Build();
    // Every few bytes (the records' fields are 2 to 40 bytes), and the last ones.
    std::vector<size_t> sizes = {whole.size() - 1, whole.size() - 4, whole.size() - 5};
    for (size_t size = 0; size < whole.size(); size += 7) sizes.push_back(size);
    for (size_t size : sizes) {
      SCOPED_TRACE(testing::Message() << "1." << int{minor} << " cut at " << size);
      ASSERT_FALSE(Load(whole.substr(0, size)));
      ASSERT_TRUE(m_model.m_nodes.empty());
      ASSERT_TRUE(m_model.m_boxes.empty());
      ASSERT_LE(Locks("a.bmp"), 0);  // never loaded, or unlocked again
    }
  }
  // A vertex count the file cannot hold.
  RsmWriter rsm(4);
  std::string raw;
  rsm.AddTexture("a.bmp");
  slvtools::PutModelName(raw, "n");
  slvtools::PutModelName(raw, "");
  raw += std::string("\x00\x00\x00\x00", 4);  // no textures
  raw += std::string(88, '\0');               // matrix and placement
  raw += std::string("\xFF\xFF\xFF\x0F", 4);   // vertices
  raw += std::string(200, '\0');
  rsm.AddRawNode(raw);
  EXPECT_FALSE(Load(rsm.Build()));
}

}  // namespace
