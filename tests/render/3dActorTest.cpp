#include "render/3dActor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Device3D.h"
#include "render/3dAttr.h"
#include "render/3dContext.h"
#include "render/3dGround.h"
#include "render/PixelRC.h"
#include "render/RCPassStates.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "tests/render/GoldenText.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/RsmWriter.h"

namespace {

using namespace platform;
using slvtools::RsmNode;
using slvtools::RsmWriter;

namespace actor3dtest {
// Texture files stand in: "missing" names do not load; every other one is a
// flat 2 x 2 picture of the colour given to its name (white otherwise).
std::map<std::string, uint16_t> g_colors;

Result FakeLoad(CTexture& t, const char* name) {
  if (std::string(name).starts_with("missing")) return E_FAIL;
  t.m_name = name;
  t.m_width = t.m_height = 2;
  t.m_surface = std::make_shared<Surface>(2, 2, PixelFormat::RGB565);
  const auto it = g_colors.find(name);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) t.m_surface->Row(y)[x] = it == g_colors.end() ? 0xFFFF : it->second;
  }
  t.m_texture = t.m_surface.get();
  return S_OK;
}

ModelFace Face(uint16_t a, uint16_t b, uint16_t c, uint16_t texture = 0) {
  ModelFace face;
  face.vertex[0] = a;
  face.vertex[1] = b;
  face.vertex[2] = c;
  face.texVertex[0] = 0;
  face.texVertex[1] = 1;
  face.texVertex[2] = 2;
  face.texture = texture;
  return face;
}
}  // namespace actor3dtest

// A box from lo to hi whose twelve faces are turned outwards.
RsmNode BoxNode(const std::string& name, const std::string& parent, Vec3 lo, Vec3 hi,
                std::vector<int32_t> textures = {0}) {
  RsmNode node;
  node.name = name;
  node.parent = parent;
  node.textures = std::move(textures);
  node.vertices = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                   {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
  node.texVertices = {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}};
  static constexpr uint16_t kFaces[12][3] = {{0, 2, 1}, {2, 0, 3}, {5, 7, 4}, {7, 5, 6}, {1, 6, 5}, {6, 1, 2},
                                             {4, 3, 0}, {3, 4, 7}, {4, 1, 5}, {1, 4, 0}, {3, 6, 2}, {6, 3, 7}};
  for (const auto& f : kFaces) node.faces.push_back(actor3dtest::Face(f[0], f[1], f[2]));
  return node;
}

// Batches chained to the texture now.
int Chained(const CTexture* t) {
  int n = 0;
  for (const TriangleBatch* b = t == nullptr ? nullptr : t->m_batch; b != nullptr; b = b->next) ++n;
  return n;
}

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectNear(const Matrix& actual, const Matrix& expected, float tolerance = 1e-5f) {
  for (int i = 0; i < 12; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
}

class ActorTest : public GameFolderTest {
 protected:
  static constexpr int kW = 48, kH = 36;

  ActorTest() {
    actor3dtest::g_colors.clear();
    m_rc.SetViewSize(kW, kH);
    // Looking along +z from 200 units before the origin: view x is world x,
    // view y world y.
    m_view.MakeLookAt({0.0f, 0.0f, -200.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  }

  void LoadModel(const RsmWriter& rsm) {
    Write("data/model/m.rsm", rsm.Build());
    SetResDirectory("\\model\\");
    ASSERT_TRUE(m_model.Load("m.rsm"));
  }
  // A new actor of the node, placed, at frame 0 and lit by a light that
  // shines along +z, away from the camera.
  C3dActor& Place(const std::string& node, Vec3 rotation, Vec3 position, Vec3 scale = {1, 1, 1}) {
    auto& actor = m_actors.emplace_back(std::make_unique<C3dActor>());
    actor->m_name = node;
    actor->m_animLen = m_model.m_animLen;
    actor->m_shade = m_model.m_shadeType;
    actor->CopyNodeRecords(m_model.m_boxes);
    actor->SetPlacement(rotation.x, rotation.y, rotation.z, position.x, position.y, position.z, scale.x, scale.y,
                        scale.z);
    actor->SetModel(m_model.FindNode(node));
    actor->SetAnimFrame(0);
    actor->UpdateNodeMatrices({0.0f, 0.0f, 1.0f}, {0.5f, 0.5f, 0.5f}, {0.25f, 0.25f, 0.25f});
    return *actor;
  }
  CTexture* Texture(const char* name) { return m_textures.Find(name, 0); }

  CTextureMgr m_textures{actor3dtest::FakeLoad};
  C3dModelRes m_model{m_textures};
  CRC565 m_rc;
  Matrix m_view;
  std::vector<std::unique_ptr<C3dActor>> m_actors;  // freed before the model
};

TEST_F(ActorTest, SetModelCentresTheModelAndBoundsItInTheWorld) {
  RsmWriter rsm;
  rsm.AddTexture("a.bmp");
  RsmNode body = BoxNode("body", "", {2, -4, 1}, {6, 2, 3});
  body.position = Vec3{1, 0, 0};  // a child's vertices count through its node
  rsm.AddNode(BoxNode("root", "", {0, 0, 0}, {1, 1, 1}));
  RsmNode arm = BoxNode("arm", "body", {2, 0, 1}, {3, 1, 2});
  arm.position = Vec3{0, 10, 0};
  rsm.AddNode(body);
  rsm.AddNode(arm);
  LoadModel(rsm);
  C3dActor& actor = Place("body", {0, 90, 0}, {10, 0, 20});
  // x 3..7, y -4..11, z 1..3 with the arm.
  ExpectNear(actor.m_modelMin, {3, -4, 1});
  ExpectNear(actor.m_modelMax, {7, 11, 3});
  ExpectNear(actor.m_centre, {-5, -11, -2});
  ExpectNear(actor.m_corners[0], {-2, -15, -1});
  ExpectNear(actor.m_corners[6], {2, 0, 1});
  // A quarter turn about y: x' = z + 10, z' = 20 - x.
  ExpectNear(actor.m_worldMin, {9, -15, 18});
  ExpectNear(actor.m_worldMax, {11, 0, 22});
  Matrix product;
  Matrix::Multiply(product, actor.m_world, actor.m_worldInv);
  ExpectNear(product, Matrix{});
  EXPECT_EQ(actor.m_modelAlpha, 255);
}

TEST_F(ActorTest, ThePositionTrackAndFramesOutsideTheAnimation) {
  RsmWriter rsm;
  rsm.SetHeader(100, 0);
  rsm.AddTexture("a.bmp");
  rsm.SetMainNode("body");
  rsm.AddNode(BoxNode("body", "", {-1, -2, -1}, {1, 0, 1}));
  rsm.SetPosKeys({PosKey{10, {2, 0, 0}, 0}, PosKey{30, {4, 8, 0}, 0}, PosKey{50, {0, 0, 6}, 0}});
  LoadModel(rsm);
  C3dActor& actor = Place("body", {0, 0, 0}, {100, 0, 0});
  struct Case {
    int frame;
    Vec3 position;
    bool logged;
  };
  const Case cases[] = {
      {20, {3, 4, 0}, false},
      {40, {2, 4, 3}, false},
      {5, {2, 0, 0}, false},    // before the first key: the first key
      {60, {2, 0, 0}, false},   // after the last: as it stood
      {100, {2, 0, 0}, true},   // m_animLen: frame 0
      {-1, {2, 0, 0}, true},
      {99, {2, 0, 0}, false},   // after the last again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame);
    testsupport::DebugLogCapture log;
    actor.SetAnimFrame(c.frame);
    ExpectNear(Vec3{actor.m_anim.m[9], actor.m_anim.m[10], actor.m_anim.m[11]}, c.position);
    EXPECT_EQ(log.Contains("anim range error"), c.logged);
    if (c.logged) {
      EXPECT_TRUE(log.Contains("name == body, framepos == " + std::to_string(c.frame) + ", m_animLen = 100"));
    }
  }
  // The node matrix moves by the track; drawing also centres the model.
  actor.SetAnimFrame(20);
  ExpectNear(Vec3{actor.m_nodeMatrix.m[9], actor.m_nodeMatrix.m[10], actor.m_nodeMatrix.m[11]}, {103, 4, 0});
  ExpectNear(Vec3{actor.m_drawMatrix.m[9], actor.m_drawMatrix.m[10], actor.m_drawMatrix.m[11]}, {103, 4, 0});
  ExpectNear(actor.m_centre, {0, 0, 0});
}

TEST_F(ActorTest, RotationKeysReplaceTheRestRotationAndScale) {
  const float s = std::sin(0.4f), c = std::cos(0.4f);
  const Quat turn{0, s, 0, c};
  const Quat identity{0, 0, 0, 1};
  struct Case {
    const char* what;
    std::vector<QuatKey> keys;
    int frame;
    Quat expected;  // w 0 for the rest rotation
  };
  const Case cases[] = {
      {"two identical keys", {{0, turn}, {100, turn}}, 30, turn},
      {"both w exactly 1", {{0, identity}, {100, identity}}, 30, identity},
      {"before the first key", {{10, turn}, {100, identity}}, 5, turn},
      {"a single key, before it", {{10, turn}}, 0, turn},
      {"after the last key", {{0, turn}}, 50, Quat{0, 0, 0, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    RsmWriter rsm;
    rsm.SetHeader(200, 0);
    rsm.AddTexture("a.bmp");
    RsmNode node = BoxNode("body", "", {-1, -1, -1}, {1, 1, 1});
    node.position = Vec3{1, 2, 3};
    node.rotAxis = Vec3{1, 0, 0};
    node.rotAngle = 0.7f;
    node.scale = Vec3{2, 2, 2};
    node.rotKeys = k.keys;
    rsm.AddNode(node);
    LoadModel(rsm);
    C3dActor& actor = Place("body", {0, 0, 0}, {0, 0, 0});
    actor.SetAnimFrame(k.frame);
    Matrix expected;
    if (k.expected.w == 0.0f) {
      expected.SetRotationAxis({1, 0, 0}, 0.7f).Scale(2, 2, 2);
    } else {
      expected.SetRotationQuat(k.expected);
    }
    expected.Translate({1, 2, 3});
    ExpectNear(actor.m_instance->m_local, expected);
    m_actors.clear();
  }
}

// Flat shading: the face towards the camera takes the diffuse and the
// ambient; the one across the model only the ambient.
TEST_F(ActorTest, AMirroredPlacementNegatesTheLightAndDrawsTheSameFaces) {
  RsmWriter rsm;
  rsm.SetHeader(10, 1);
  rsm.AddTexture("a.bmp");
  rsm.AddNode(BoxNode("body", "", {-5, -5, -5}, {5, 5, 5}));
  LoadModel(rsm);
  // Placed so that the camera's height passes through the box.
  const std::pair<Vec3, float> placements[] = {{{1, 1, 1}, 5.0f}, {{-1, 1, 1}, 5.0f}, {{-1, -1, -1}, -5.0f}};
  for (const auto& [scale, y] : placements) {
    SCOPED_TRACE(testing::Message() << scale.x << "," << scale.y << "," << scale.z);
    C3dActor& actor = Place("body", {0, 0, 0}, {0, y, 0}, scale);
    EXPECT_EQ(actor.Mirrored(), scale.x < 0.0f);
    // The -z faces look at the camera; scale x leaves them where they are.
    const std::vector<uint32_t>& colors = actor.m_instance->m_colors;
    const uint32_t lit = 0xFF000000 | 0xBF << 16 | 0xBF << 8 | 0xBF;
    const uint32_t ambient = 0xFF000000 | 0x3F << 16 | 0x3F << 8 | 0x3F;
    const size_t front = scale.z > 0.0f ? 0 : 2, back = scale.z > 0.0f ? 2 : 0;
    EXPECT_EQ(colors[front * 3], lit);
    EXPECT_EQ(colors[back * 3], ambient);
    // The two faces in front are drawn, mirrored or not.
    actor.Render(m_rc, m_view);
    EXPECT_EQ(Chained(Texture("a.bmp")), 2);
    m_actors.clear();
    EXPECT_EQ(Chained(Texture("a.bmp")), 0);
  }
}

// The model's alpha puts the actor in the view's translucent pass, its
// textures in the flagged list and the alpha in its lit colours.
TEST_F(ActorTest, ATranslucentModelDrawsThroughTheFlaggedList) {
  RsmWriter rsm(4);
  rsm.SetHeader(10, 1, 0x80);
  rsm.AddTexture("a.bmp");
  rsm.AddNode(BoxNode("body", "", {-5, -5, -5}, {5, 5, 5}));
  LoadModel(rsm);
  C3dActor& actor = Place("body", {0, 0, 0}, {0, 5, 0});
  EXPECT_EQ(actor.m_modelAlpha, 0x80);
  EXPECT_EQ(actor.m_instance->m_colors[0] >> 24, 0x80u);
  actor.Render(m_rc, m_view);
  EXPECT_EQ(Texture("a.bmp"), nullptr);
  CTexture* flagged = m_textures.Find("a.bmp", 1);
  ASSERT_NE(flagged, nullptr);
  EXPECT_EQ(Chained(flagged), 2);
  EXPECT_EQ(flagged->m_batch->v[0].diffuse >> 24, 0x80u);
}

TEST_F(ActorTest, AModelWhollyOffOneSideOfTheViewDrawsNothing) {
  RsmWriter rsm;
  rsm.SetHeader(10, 0);
  rsm.AddTexture("a.bmp");
  rsm.AddNode(BoxNode("body", "", {-5, -5, -5}, {5, 5, 5}));
  LoadModel(rsm);
  struct Case {
    Vec3 position;
    int drawn;
  };
  // The view spans x of about +-35 and y of about +-26 at the model's depth.
  const Case cases[] = {
      {{-45, -26, 0}, 0},  // left of the view, across its top edge
      {{45, 26, 0}, 0},    // right of it, across the bottom
      {{0, -45, 0}, 0},    // above
      {{-36, 0, 0}, 4},    // partly in view, a side showing
      {{0, 0, 0}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position.x << "," << c.position.y);
    C3dActor& actor = Place("body", {0, 0, 0}, c.position);
    actor.Render(m_rc, m_view);
    EXPECT_EQ(Chained(Texture("a.bmp")), c.drawn);
    m_actors.clear();
  }
}

// The records of one draw leave the chains before the next draw links them
// again, so a chain the passes never drained holds each face once, and an
// actor freed with its faces still queued takes them out.
TEST_F(ActorTest, EachFaceJoinsItsTexturesChainOnce) {
  RsmWriter rsm;
  rsm.SetHeader(10, 0);
  rsm.AddTexture("a.bmp");
  rsm.AddTexture("b.bmp");
  rsm.AddTexture("missing.bmp");
  RsmNode body = BoxNode("body", "", {-5, -5, -5}, {5, 5, 5}, {0, 1});
  body.faces[1].texture = 3;  // 3 modulo 2: b.bmp
  RsmNode bare = BoxNode("bare", "body", {-5, -5, -8}, {5, 5, -6}, {});
  RsmNode broken = BoxNode("broken", "body", {-5, -5, -10}, {5, 5, -9}, {2});
  rsm.AddNode(body);
  rsm.AddNode(bare);
  rsm.AddNode(broken);
  LoadModel(rsm);
  C3dActor& first = Place("body", {0, 0, 0}, {0, 0, 0});
  for (int draw = 0; draw < 3; ++draw) first.Render(m_rc, m_view);
  // Nodes without textures, and textures that did not load, draw nothing.
  EXPECT_EQ(Chained(Texture("a.bmp")), 1);
  EXPECT_EQ(Chained(Texture("b.bmp")), 1);
  C3dActor& second = Place("body", {0, 0, 0}, {1, 0, 0});
  second.Render(m_rc, m_view);
  first.Render(m_rc, m_view);
  EXPECT_EQ(Chained(Texture("a.bmp")), 2);
  m_actors.erase(m_actors.begin());
  EXPECT_EQ(Chained(Texture("a.bmp")), 1);
  EXPECT_EQ(Texture("a.bmp")->m_batch, second.m_faceRecords.Records(0));
  // Drained chains are simply linked anew.
  m_textures.ClearBatchLinks();
  second.Render(m_rc, m_view);
  EXPECT_EQ(Chained(Texture("b.bmp")), 1);
  // The actor holds the model locked while it has it.
  EXPECT_EQ(m_model.m_lockCount, 1);
  second.FreeModel();
  EXPECT_EQ(m_model.m_lockCount, 0);
  EXPECT_EQ(Chained(Texture("b.bmp")), 0);
}

// A map of 16 x 16 ground cells (160 units) over a flat attribute grid; a
// model at (20, 0, 20) with a wall box turned a quarter about y (2 wide in
// x, 8 in z, 10 high) and a platform box 2 high at x 12..16.
class ActorBoxTest : public ActorTest {
 protected:
  ActorBoxTest() {
    m_ground.Allocate(16, 16);
    m_attr.Allocate(32, 32);
    m_context.m_pGround = &m_ground;
    m_context.m_pAttr = &m_attr;
  }
  ~ActorBoxTest() override { m_context.Clear(); }

  C3dActor& PlaceInMap(Vec3 scale) {
    RsmWriter rsm;
    rsm.SetHeader(10, 0);
    rsm.AddTexture("a.bmp");
    rsm.AddNode(BoxNode("body", "", {-8, -10, -8}, {8, 0, 8}));
    rsm.AddBox(ModelBox{{4, 5, 2}, {0, -5, 0}, {0, 90, 0}, 1});
    rsm.AddBox(ModelBox{{2, 1, 3}, {-6, -1, 0}, {0, 0, 0}, 1});
    LoadModel(rsm);
    m_model.m_boxes[0].flag = 0;  // the file's flag 0 would widen it
    m_model.m_boxes[0].halfExtents = Vec3{4, 5, 2};
    C3dActor& actor = Place("body", {0, 0, 0}, {20, 0, 20}, scale);
    actor.m_collide = 1;
    m_context.m_modelActors.push_back(m_actors.back().release());
    m_actors.pop_back();
    m_context.InitBucketGrid();
    return actor;
  }

  C3dGround m_ground;
  C3dAttr m_attr;
  C3dContext m_context;
};

TEST_F(ActorBoxTest, PointTestsPushOutsAndStandHeightsThroughTheContext) {
  C3dActor& actor = PlaceInMap({1, 1, 1});
  EXPECT_EQ(m_context.CheckMove(20, -5, 23.5f), 2);  // in the wall, turned
  EXPECT_EQ(m_context.CheckMove(23, -5, 20), 0);
  EXPECT_EQ(m_context.CheckMove(14, -1, 20), 2);  // on the platform
  EXPECT_EQ(m_context.CheckMove(14, -2.5f, 20), 0);

  struct PushCase {
    Vec3 from, to;
  };
  const PushCase pushes[] = {
      {{20.5f, -5, 23}, {20.5f, -5, 24.5f}},  // nearer the wall's end: out along z
      {{21.5f, -5, 20.5f}, {22.5f, -5, 20.5f}},  // nearer its side: out along x
      {{19.5f, -5, 20.5f}, {17.5f, -5, 20.5f}},
      {{14.25f, -1.5f, 20.75f}, {14.25f, -2.5f, 20.75f}},  // a platform lifts, x and z kept exactly
      {{30, -5, 20}, {30, -5, 20}},  // in no box
  };
  for (const PushCase& p : pushes) {
    SCOPED_TRACE(testing::Message() << p.from.x << "," << p.from.y << "," << p.from.z);
    Vec3 point = p.from;
    m_context.PushOutOfActors(point);
    ExpectNear(point, p.to);
    if (p.from.x < 17) {
      EXPECT_EQ(point.x, p.from.x);
      EXPECT_EQ(point.z, p.from.z);
    }
  }

  struct HeightCase {
    Vec3 p;
    float height;
  };
  const HeightCase heights[] = {
      {{14.5f, -2.5f, 20.5f}, -2.0f},  // just above the platform
      {{14.5f, -2.9f, 20.5f}, -2.0f},
      {{14.5f, -0.5f, 20.5f}, 0.0f},   // its top is more than 1 above the foot
      {{20.5f, -11, 22}, -10.0f},      // on the wall
      {{20.5f, -30, 22}, -10.0f},      // high above it
      {{25, -5, 20}, 0.0f},            // beside both
  };
  for (const HeightCase& h : heights) {
    EXPECT_NEAR(m_context.GetStandHeight(h.p), h.height, 1e-4f) << h.p.x << "," << h.p.y << "," << h.p.z;
  }
  EXPECT_TRUE(actor.IsInsideBox({20, -5, 23.5f}));
}

// Mirrored in x, the platform lies at x 24..28; its triangles' winding is
// swapped back, so its top still carries walkers.
TEST_F(ActorBoxTest, AMirroredModelStillCarriesWalkers) {
  PlaceInMap({-1, 1, 1});
  EXPECT_NEAR(m_context.GetStandHeight({26.5f, -2.5f, 20.5f}), -2.0f, 1e-4f);
  EXPECT_NEAR(m_context.GetStandHeight({14.5f, -2.5f, 20.5f}), 0.0f, 1e-4f);
  Vec3 point{26.25f, -1.5f, 20.75f};
  m_context.PushOutOfActors(point);
  ExpectNear(point, {26.25f, -2.5f, 20.75f});
}

// A flat-shaded body with an arm, turned and lit from above and in front,
// drawn through the opaque batch pass.
TEST_F(ActorTest, ALitTwoNodeModelMatchesItsGoldenPicture) {
  actor3dtest::g_colors = {{"body.bmp", 0x4DE9}, {"arm.bmp", 0xFE60}};
  RsmWriter rsm;
  rsm.SetHeader(100, 1);
  rsm.AddTexture("body.bmp");
  rsm.AddTexture("arm.bmp");
  rsm.SetMainNode("body");
  RsmNode arm = BoxNode("arm", "body", {0, -2, -2}, {12, 2, 2}, {1});
  arm.position = Vec3{6, -10, 0};
  arm.rotKeys = {QuatKey{0, Quat{0, 0, 0, 1}}, QuatKey{100, Quat{0, 0, std::sin(0.4f), std::cos(0.4f)}}};
  rsm.AddNode(BoxNode("body", "", {-6, -16, -4}, {6, 0, 4}));
  rsm.AddNode(arm);
  LoadModel(rsm);
  C3dActor& actor = Place("body", {0, 30, 0}, {0, 8, 0});
  actor.SetAnimFrame(50);
  actor.UpdateNodeMatrices(Vec3{0.4f, 0.7f, 0.6f}.Normalize(), {0.7f, 0.7f, 0.7f}, {0.3f, 0.3f, 0.3f});
  m_view.MakeLookAt({-40.0f, -60.0f, -100.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});

  Surface target(kW, kH, PixelFormat::RGB565), depth(kW, kH, PixelFormat::Depth16);
  Device3D device(target, &depth);
  m_rc.SetDevice(&device);
  device.Clear(Rect{0, 0, kW, kH}, kClearTarget | kClearDepth, 0xFF202040, 1.0f);
  ASSERT_EQ(device.BeginScene(), S_OK);
  actor.Render(m_rc, m_view);
  {
    PassScope pass(device, pass_states::kTextureBatches);
    m_textures.DrawBatches(m_rc, 0);
  }
  device.EndScene();
  m_rc.SetDevice(nullptr);
  ExpectGoldenText("actor_lit_two_nodes", target);
}

}  // namespace
