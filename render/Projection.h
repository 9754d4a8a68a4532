#pragma once
// Points of the world onto the screen: the view matrix, a depth rule (how
// near a depth may come, and what is taken off it before the reciprocal),
// and the render context's focal scales and centre. Sprites and effects use
// one rule, the ground another.
#include <algorithm>

#include "engine/Math.h"
#include "render/RC.h"

struct DepthRule {
  float nearDepth;  // view depths are raised to this
  float offset;     // taken off before the reciprocal

  // The reciprocal depth of a view-space depth.
  float Rhw(float viewDepth) const { return 1.0f / (std::max(viewDepth, nearDepth) - offset); }
};

inline constexpr DepthRule kSpriteDepthRule{12.0f, 2.0f};
inline constexpr DepthRule kGroundDepthRule{10.0f, 0.0f};

struct ProjectedPoint {
  float x, y;  // on the screen
  float rhw;
};

class CProjector {
 public:
  CProjector(const CRC& rc, const Matrix& view, DepthRule rule)
      : m_view(view.m),
        m_rule(rule),
        m_focalX(rc.m_focalX),
        m_focalY(rc.m_focalY),
        m_centerX(static_cast<float>(rc.m_centerX)),
        m_centerY(static_cast<float>(rc.m_halfHeight)) {}

  // The point in view space, its depth not yet raised.
  Vec3 ToView(const Vec3& p) const {
    const float* m = m_view;
    return {p.x * m[0] + p.y * m[3] + p.z * m[6] + m[9], p.x * m[1] + p.y * m[4] + p.z * m[7] + m[10],
            p.x * m[2] + p.y * m[5] + p.z * m[8] + m[11]};
  }
  float Rhw(const Vec3& p) const { return m_rule.Rhw(ToView(p).z); }
  ProjectedPoint Project(const Vec3& p) const {
    const Vec3 v = ToView(p);
    const float k = m_rule.Rhw(v.z);
    return {k * v.x * m_focalX + m_centerX, k * v.y * m_focalY + m_centerY, k};
  }
  float FocalX() const { return m_focalX; }

 private:
  const float* m_view;
  DepthRule m_rule;
  float m_focalX, m_focalY;
  float m_centerX, m_centerY;
};
