#pragma once
// A model actor whose one collision box is its world box, for the tests of
// the 3-D context and view; it counts its draws.
#include <vector>

#include "engine/Math.h"
#include "render/3dActor.h"

class BoxActor : public C3dActor {
 public:
  BoxActor(const Vec3& lo, const Vec3& hi) {
    m_worldMin = lo;
    m_worldMax = hi;
    m_collide = 1;
  }
  bool IsInsideBox(const Vec3& p) const override {
    return p.x >= m_worldMin.x && p.x <= m_worldMax.x && p.y >= m_worldMin.y && p.y <= m_worldMax.y &&
           p.z >= m_worldMin.z && p.z <= m_worldMax.z;
  }
  // Onto the top.
  bool PushOut(Vec3& p) const override {
    p.y = m_worldMin.y - 0.5f;
    return true;
  }
  float GetStandHeight(const Vec3& p, float height) const override {
    const float top = m_worldMin.y;
    return top > p.y - 1.0f && top < height ? top : height;
  }
  void Render(CRC& rc, const Matrix& view) override { m_draws.push_back(view); }

  std::vector<Matrix> m_draws;
};
