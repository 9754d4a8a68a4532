#include "render/3dContext.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "render/3dActor.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"
#include "tests/render/BoxActor.h"

namespace {

std::vector<std::string> g_log;

// An actor that logs its ticks and its deletion; what a tick does is set
// per test.
class LogActor : public CActor {
 public:
  explicit LogActor(std::string name, std::function<bool()> tick = nullptr)
      : m_name(std::move(name)), m_tick(std::move(tick)) {}
  ~LogActor() override { g_log.push_back("~" + m_name); }
  bool OnProcess() override {
    g_log.push_back(m_name);
    return m_tick ? m_tick() : true;
  }

 private:
  std::string m_name;
  std::function<bool()> m_tick;
};

class UpdateTest : public ::testing::Test {
 protected:
  UpdateTest() { g_log.clear(); }
  CActor* Add(const std::string& name, std::function<bool()> tick = nullptr) {
    auto* actor = new LogActor(name, std::move(tick));
    m_context.m_liveActors.push_back(actor);
    return actor;
  }
  std::vector<std::string> Tick() {
    g_log.clear();
    m_context.Update();
    return g_log;
  }
  C3dContext m_context;
};

using Log = std::vector<std::string>;

TEST_F(UpdateTest, AnActorReturningFalseIsGoneAtOnceAndTheNextStillRuns) {
  Add("a");
  Add("b", [] { return false; });
  Add("c");
  EXPECT_EQ(Tick(), (Log{"a", "b", "~b", "c"}));
  EXPECT_EQ(Tick(), (Log{"a", "c"}));
}

TEST_F(UpdateTest, ActorsMayRemoveAndAddActorsDuringTheWalk) {
  CActor* later = nullptr;
  CActor* self = nullptr;
  Add("remover", [&] {
    m_context.RemoveActor(later);
    return true;
  });
  self = Add("quitter", [&] {
    m_context.RemoveActor(self);  // deleted only once its tick is over
    g_log.push_back("quitter goes on");
    return false;
  });
  Add("spawner", [&] {
    m_context.m_liveActors.push_front(new LogActor("front"));
    m_context.m_liveActors.push_back(new LogActor("back"));
    return true;
  });
  later = Add("later");
  EXPECT_EQ(Tick(), (Log{"remover", "~later", "quitter", "quitter goes on", "~quitter", "spawner", "back"}));
  g_log.clear();
  m_context.Clear();
  EXPECT_EQ(g_log, (Log{"~front", "~remover", "~spawner", "~back"}));
}

TEST_F(UpdateTest, RemoveActorDeletesTheFirstEntryOnly) {
  CActor* a = Add("a");
  Add("b");
  m_context.RemoveActor(a);
  CActor stranger;
  m_context.RemoveActor(&stranger);
  m_context.RemoveActor(nullptr);
  EXPECT_EQ(g_log, (Log{"~a"}));
  EXPECT_EQ(m_context.m_liveActors.size(), 1u);
}

// A map of 16 x 16 ground cells (160 units, leaves of 5) over an attribute
// grid of 32 x 32 cells of 5, flat at height 0 unless a test changes it.
class MapTest : public ::testing::Test {
 protected:
  MapTest() {
    m_ground.Allocate(16, 16);
    m_attr.Allocate(32, 32);
    m_context.m_pGround = &m_ground;
    m_context.m_pAttr = &m_attr;
  }
  ~MapTest() override { m_context.Clear(); }

  BoxActor* AddBox(Vec3 lo, Vec3 hi) {
    auto* actor = new BoxActor(lo, hi);
    m_context.m_modelActors.push_back(actor);
    return actor;
  }
  void SetCell(float x, float z, int32_t type, float height) {
    AttrCell* cell = m_attr.GetCell(static_cast<int32_t>((80 + x) / 5), static_cast<int32_t>((80 + z) / 5));
    ASSERT_NE(cell, nullptr);
    cell->type = type;
    for (float& h : cell->height) h = height;
  }

  C3dGround m_ground;
  C3dAttr m_attr;
  C3dContext m_context;
};

TEST_F(MapTest, TheTreeFilesABoxUnderEveryLeafItOverlaps) {
  BoxActor* box = AddBox({-1, -30, 2}, {6, -10, 4});  // x over leaves -5..0, 0..5, 5..10
  m_context.InitBucketGrid();
  const QuadNode& root = m_context.m_tree;
  EXPECT_EQ(root.m_x0, -80.0f);
  EXPECT_EQ(root.m_x1, 80.0f);
  EXPECT_EQ(root.m_z1, 80.0f);
  EXPECT_EQ(root.m_minY, -30.0f);
  EXPECT_EQ(root.m_maxY, -10.0f);
  for (float x : {-0.5f, 0.0f, 4.9f, 5.0f, 6.0f}) {
    const QuadNode* leaf = root.FindLeaf(x, 3.0f);
    ASSERT_NE(leaf, nullptr) << x;
    EXPECT_EQ(leaf->m_objects, std::vector<C3dActor*>{box}) << x;
    EXPECT_EQ(leaf->m_x1 - leaf->m_x0, 5.0f);
  }
  EXPECT_EQ(root.FindLeaf(11.0f, 3.0f), nullptr);
  EXPECT_EQ(root.FindLeaf(0.0f, -1.0f), nullptr);
  // A leaf's corners: x fastest, then the height range, then z.
  const QuadNode& leaf = *root.FindLeaf(5.0f, 3.0f);
  EXPECT_EQ(leaf.m_z0, 0.0f);
  EXPECT_EQ(leaf.m_z1, 5.0f);
  const Vec3& c5 = leaf.m_corners[5];
  const Vec3& c2 = leaf.m_corners[2];
  EXPECT_EQ((std::vector<float>{c5.x, c5.y, c5.z, c2.x, c2.y, c2.z}),
            (std::vector<float>{10, -30, 5, 5, -10, 0}));

  m_context.FreeBucketGrid();
  for (const auto& child : root.m_children) EXPECT_EQ(child, nullptr);
}

TEST_F(MapTest, QueriesTestTheCellTheGroundAndThenTheBoxes) {
  AddBox({10, -20, 10}, {20, 0, 20});
  BoxActor* hidden = AddBox({-20, -20, 10}, {-10, 0, 20});
  hidden->m_hidden = 1;
  BoxActor* ghost = AddBox({-20, -20, -20}, {-10, 0, -10});
  ghost->m_collide = 0;
  m_context.InitBucketGrid();
  SetCell(12, 12, 1, 0.0f);    // blocked, under the box
  SetCell(-30, -30, 1, 0.0f);  // blocked, no tree there
  SetCell(-30, 30, 0, -5.0f);  // a rise, no tree there

  struct Case {
    Vec3 p;
    int move, height;
  };
  const Case cases[] = {
      {{12, -1, 12}, 3, 2},     // the cell wins over the box
      {{17, -1, 17}, 2, 2},     // inside the box
      {{17, 1, 17}, 1, 1},      // below the ground wins over the box
      {{17, -21, 17}, 0, 0},    // above the box
      {{-15, -1, 15}, 0, 0},    // hidden
      {{-15, -1, -15}, 0, 0},   // no collision
      {{-30, -1, -30}, 3, 0},   // empty part of the tree: the grid alone
      {{-30, -4, 30}, 1, 1},
      {{-30, -6, 30}, 0, 0},
      {{200, 1, 0}, 1, 1},      // outside the map, height 0
      {{200, -1, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y << "," << c.p.z);
    EXPECT_EQ(m_context.CheckMove(c.p.x, c.p.y, c.p.z), c.move);
    EXPECT_EQ(m_context.CheckHeight(c.p.x, c.p.y, c.p.z), c.height);
  }
}

TEST_F(MapTest, StandHeightRisesOntoBoxesUnderThePoint) {
  AddBox({10, -20, 10}, {20, 0, 20});  // top at -20
  BoxActor* hidden = AddBox({-20, -8, 10}, {-10, 0, 20});
  hidden->m_hidden = 1;
  m_context.InitBucketGrid();
  SetCell(-30, 30, 0, -5.0f);
  struct Case {
    Vec3 p;
    float height;
  };
  const Case cases[] = {
      {{15, -20.5f, 15}, -20.0f},  // foot just above the top
      {{15, -25, 15}, -20.0f},     // high above the box: its top
      {{15, -10, 15}, 0.0f},       // the top is more than 1 unit above the foot
      {{15, 0, 15}, 0.0f},         // standing on the ground: no box is asked
      {{-15, -8.5f, 15}, 0.0f},    // hidden
      {{-30, -9, 30}, -5.0f},      // the grid alone
      {{300, -9, 300}, 0.0f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m_context.GetStandHeight(c.p), c.height) << c.p.x << "," << c.p.y << "," << c.p.z;
  }
}

TEST_F(MapTest, PushOutOfActorsUsesTheFirstBoxHoldingThePoint) {
  AddBox({10, -20, 10}, {20, 0, 20});
  AddBox({10, -40, 10}, {20, 0, 20});
  m_context.InitBucketGrid();
  Vec3 inside{15, -1, 15};
  m_context.PushOutOfActors(inside);
  EXPECT_EQ(inside.y, -20.5f);
  Vec3 outside{-15, -1, 15};
  m_context.PushOutOfActors(outside);
  EXPECT_EQ(outside.y, -1.0f);
}

TEST_F(MapTest, PushOutNearestAxisCrossesTheNearerEdgeOrElseTheOther) {
  struct Case {
    Vec3 p;
    std::vector<std::pair<float, float>> blocked;  // points whose cells are blocked
    Vec3 expected;
  };
  const Case cases[] = {
      {{1, 0, 2}, {}, {-0.5f, 0, 2}},                 // x edge nearer
      {{1, 0, 2}, {{-0.5f, 2}}, {1, 0, -0.5f}},       // blocked: z instead, untested
      {{1, 0, 1}, {{-0.5f, 1}}, {-0.5f, 0, 1}},       // equal steps: x again
      {{3, 0, 1}, {}, {3, 0, -0.5f}},                 // past the middle: the far edge
      {{3, 0, 1}, {{3, -0.5f}}, {5.5f, 0, 1}},
      // On the low edge: half a unit on stays in the cell, so z.
      {{0, 0, 2.25f}, {}, {0, 0, -0.5f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.z << " blocked " << c.blocked.size());
    m_attr.Allocate(32, 32);
    SetCell(c.p.x, c.p.z, 1, 0.0f);
    for (const auto& [x, z] : c.blocked) SetCell(x, z, 1, 0.0f);
    Vec3 p = c.p;
    m_context.PushOutNearestAxis(p);
    EXPECT_FLOAT_EQ(p.x, c.expected.x);
    EXPECT_FLOAT_EQ(p.y, c.expected.y);
    EXPECT_FLOAT_EQ(p.z, c.expected.z);
  }
}

TEST_F(MapTest, ClearDeletesTheActorsAndTheTree) {
  AddBox({0, -1, 0}, {1, 0, 1});
  m_context.m_liveActors.push_back(new CActor);
  m_context.InitBucketGrid();
  m_context.Clear();
  EXPECT_TRUE(m_context.m_liveActors.empty());
  EXPECT_TRUE(m_context.m_modelActors.empty());
  EXPECT_EQ(m_context.m_tree.FindLeaf(0.5f, 0.5f), nullptr);
  EXPECT_EQ(m_context.CheckMove(0.5f, -0.5f, 0.5f), 0);
}

}  // namespace
