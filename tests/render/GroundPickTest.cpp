#include <gtest/gtest.h>

#include <memory>

#include "render/GroundPick.h"

namespace {

using V = C3dGroundPickInfo::ScreenVertex;

// A triangle in the ground's front winding (screen y down): (0, 0), (0, 10),
// (10, 0), every corner at reciprocal depth rhw.
C3dGroundPickInfo* Triangle(int column, int row, float rhw, float dx = 0.0f) {
  return new C3dGroundPickInfo(column, row, V{dx, 0, rhw}, V{dx, 10, rhw}, V{dx + 10, 0, rhw});
}

TEST(GroundPickTest, HitTestIsStrictAndOneSided) {
  const std::unique_ptr<C3dGroundPickInfo> t(Triangle(0, 0, 0.1f));
  struct Case {
    float x, y;
    bool inside;
  } cases[] = {
      {2, 2, true},   {0.01f, 0.01f, true}, {4.9f, 4.9f, true},
      {0, 5, false},  // on the edge (P1, P2)
      {5, 0, false},  // on the edge (P3, P1)
      {5, 5, false},  // on the slanted edge
      {0, 0, false},  // a corner
      {-1, 2, false}, {6, 6, false},        {2, -1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(t->HitTest(c.x, c.y), c.inside) << c.x << ", " << c.y;
  // The same corners the other way round never hold a point.
  const C3dGroundPickInfo back(0, 0, V{0, 0, 0.1f}, V{10, 0, 0.1f}, V{0, 10, 0.1f});
  EXPECT_FALSE(back.HitTest(2, 2));
  // The renderer leaves the tag alone: it reads 0.
  EXPECT_EQ(t->GetTag(), 0);
}

TEST(GroundPickTest, PickTakesTheNearestOfOverlappingEntries) {
  CGroundPickList list;
  EXPECT_EQ(C3dGroundPickInfo::Pick(list, 2, 2), nullptr);
  list.Add(Triangle(1, 1, 0.01f));
  list.Add(Triangle(2, 2, 0.05f));  // nearest: the largest reciprocal depths
  list.Add(Triangle(3, 3, 0.05f));  // as near, but later
  list.Add(Triangle(4, 4, 0.02f));
  list.Add(Triangle(5, 5, 0.5f, 100.0f));  // nearer still, elsewhere
  list.Add(nullptr);
  ASSERT_EQ(list.Count(), 5);
  const C3dGroundPickInfo* hit = C3dGroundPickInfo::Pick(list, 2, 2);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->m_column, 2);
  EXPECT_EQ(hit->m_row, 2);
  EXPECT_EQ(C3dGroundPickInfo::Pick(list, 102, 2)->m_column, 5);
  EXPECT_EQ(C3dGroundPickInfo::Pick(list, 50, 2), nullptr);
  // A point on a shared edge belongs to no entry.
  EXPECT_EQ(C3dGroundPickInfo::Pick(list, 0, 5), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(C3dGroundPickInfo::Pick(list, 2, 2), nullptr);
}

}  // namespace
