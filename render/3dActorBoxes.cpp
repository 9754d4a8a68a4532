// The collision box tests of the 3-D actor: the point test, the push-out
// and the standing height.
#include <cmath>
#include <cstdlib>
#include <limits>

#include "render/3dActor.h"

namespace {

// Truncated toward zero; what is not a number is 0 and the rest saturates.
int32_t Truncated(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483520.0f) return -std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

bool Within(const Vec3& q, const Vec3& e) {
  return std::fabs(q.x) <= e.x && std::fabs(q.y) <= e.y && std::fabs(q.z) <= e.z;
}

// Strictly on the positive side of the segment from (a, b) to (c, d) in
// the x-z plane.
bool PositiveSide(float e, float f, float a, float b, float c, float d) {
  return (e - a) * (d - b) - (c - a) * (f - b) > 0.0f;
}

// The box's twelve triangles over its corners.
constexpr int kBoxTriangles[12][3] = {{0, 1, 2}, {2, 3, 0}, {5, 4, 7}, {7, 6, 5}, {1, 5, 6}, {6, 2, 1},
                                      {4, 0, 3}, {3, 7, 4}, {4, 5, 1}, {1, 0, 4}, {3, 2, 6}, {6, 7, 3}};

// The height of the triangle's plane at (x, z), by the point's weights
// from the three corners; the side test has made the triangle non-flat in
// projection.
float PlaneHeight(const Vec3& a, const Vec3& b, const Vec3& c, float x, float z) {
  const float area = (b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z);
  const float wb = ((x - a.x) * (c.z - a.z) - (c.x - a.x) * (z - a.z)) / area;
  const float wc = ((b.x - a.x) * (z - a.z) - (x - a.x) * (b.z - a.z)) / area;
  return a.y + (b.y - a.y) * wb + (c.y - a.y) * wc;
}

// Past the face on the side the point is on.
float Beyond(float q, float extent) { return q >= 0.0f ? extent + 0.5f : -extent - 0.5f; }

}  // namespace

int C3dActor::BoxAt(const Vec3& point, Vec3& inBox) const {
  const Vec3 local = m_worldInv.TransformPoint(point);
  for (size_t i = 0; i < m_boxes.size(); ++i) {
    inBox = m_boxes[i].inverse.TransformPoint(local);
    if (Within(inBox, m_boxes[i].halfExtents)) return static_cast<int>(i);
  }
  return -1;
}

bool C3dActor::IsInsideBox(const Vec3& point) const {
  Vec3 q;
  return BoxAt(point, q) >= 0;
}

bool C3dActor::PushOut(Vec3& point) const {
  Vec3 q;
  const int index = BoxAt(point, q);
  if (index < 0) return false;
  const CollisionBox& box = m_boxes[static_cast<size_t>(index)];
  const Vec3& e = box.halfExtents;
  if (box.flag != 0) {
    q.y = -e.y - 0.5f;
  } else if (std::abs(Truncated(e.x)) - std::abs(Truncated(q.x)) >=
             std::abs(Truncated(e.z)) - std::abs(Truncated(q.z))) {
    q.z = Beyond(q.z, e.z);
  } else {
    q.x = Beyond(q.x, e.x);
  }
  Matrix toWorld;
  Matrix::Multiply(toWorld, box.box, m_world);
  const Vec3 moved = toWorld.TransformPoint(q);
  if (box.flag != 0) {
    point.y = moved.y;  // a platform lifts the point and keeps its place
  } else {
    point = moved;
  }
  return true;
}

float C3dActor::GetStandHeight(const Vec3& point, float height) const {
  const bool mirrored = Mirrored();
  for (const CollisionBox& box : m_boxes) {
    for (const auto& triangle : kBoxTriangles) {
      const Vec3& a = box.corners[static_cast<size_t>(triangle[0])];
      const Vec3& b = box.corners[static_cast<size_t>(triangle[mirrored ? 2 : 1])];
      const Vec3& c = box.corners[static_cast<size_t>(triangle[mirrored ? 1 : 2])];
      if (!PositiveSide(point.x, point.z, a.x, a.z, b.x, b.z) || !PositiveSide(point.x, point.z, b.x, b.z, c.x, c.z) ||
          !PositiveSide(point.x, point.z, c.x, c.z, a.x, a.z)) {
        continue;
      }
      const float k = PlaneHeight(a, b, c, point.x, point.z);
      if (k > point.y - 1.0f && k < height) height = k;
    }
  }
  return height;
}
