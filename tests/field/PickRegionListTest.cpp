// The pick list: sorted x edges, strict containment, the oldest rectangle
// first, and owners that go away.
#include "field/PickRegionList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "field/SelvarinActor.h"

namespace {

class PickRegionListTest : public ::testing::Test {
 protected:
  ~PickRegionListTest() override { g_pickRegionList.Clear(); }
};

TEST_F(PickRegionListTest, HitsTheOldestRectangleStrictlyHoldingThePoint) {
  CPickRegionList list;
  CSelvarinActor a, b;
  auto* model = reinterpret_cast<CSelvarin3dActor*>(&b);  // only compared, never used
  CSelvarinActor* out2d = nullptr;
  CSelvarin3dActor* out3d = nullptr;
  EXPECT_EQ(list.HitTest(150, 100, &out2d, &out3d), 0);

  list.Add(300, 100, 50, 150, 2, &a);   // x given right to left
  list.Add(120, 180, 200, 100, 3, model);  // y given bottom first: never hit
  list.Add(250, 400, 100, 200, 1, &b);  // overlaps the first
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Regions().front().x0, 100);
  EXPECT_EQ(list.Regions().front().x1, 300);
  EXPECT_EQ(list.Regions().back().x0, 250);

  struct Case {
    int x, y;
    int kind;
    const CSelvarinActor* actor;
  };
  const Case cases[] = {
      {200, 100, 2, &a},      {270, 120, 2, &a},       // the older of two wins
      {300, 120, 1, &b},      {100, 100, 0, nullptr},  // on an edge: x0, then x1 of the first
      {200, 50, 0, nullptr},  {200, 150, 0, nullptr},  // y0 and y1
      {130, 170, 0, nullptr},                          // inside the reversed one
      {401, 150, 0, nullptr},
  };
  for (const Case& c : cases) {
    CSelvarinActor sentinel;
    out2d = &sentinel;
    out3d = model;
    EXPECT_EQ(list.HitTest(c.x, c.y, &out2d, &out3d), c.kind) << c.x << "," << c.y;
    if (c.kind == 0) {
      EXPECT_EQ(out2d, &sentinel) << "a miss leaves the outputs";
      EXPECT_EQ(out3d, model);
    } else {
      EXPECT_EQ(out2d, c.actor);
      EXPECT_EQ(out3d, nullptr);
    }
  }
  list.Remove(&a);
  EXPECT_EQ(list.HitTest(200, 100, &out2d, &out3d), 0);
  EXPECT_EQ(list.Count(), 2);
  list.Remove(model);
  EXPECT_EQ(list.Count(), 1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(PickRegionListTest, ASpriteActorAddsItsRectangleAsKindTwoAndTakesItAlongWhenItGoes) {
  auto* actor = new CSelvarinActor;
  actor->AddPickRegion(10.9f, 20.5f, 40.2f, 60.7f, 0);
  actor->AddPickRegion(-5.0f, std::numeric_limits<float>::quiet_NaN(), 1.0e30f, 5.0f, 0);
  ASSERT_EQ(g_pickRegionList.Count(), 2);
  const PickRegion& r = g_pickRegionList.Regions().front();
  EXPECT_EQ(r.x0, 10);
  EXPECT_EQ(r.y0, 20);
  EXPECT_EQ(r.x1, 40);
  EXPECT_EQ(r.y1, 60);
  EXPECT_EQ(r.kind, 2);
  EXPECT_EQ(r.actor2d, actor);
  CSelvarinActor other;
  other.AddPickRegion(0.0f, 0.0f, 5.0f, 5.0f, 0);
  delete actor;
  ASSERT_EQ(g_pickRegionList.Count(), 1);
  EXPECT_EQ(g_pickRegionList.Regions().front().actor2d, &other);
}

}  // namespace
