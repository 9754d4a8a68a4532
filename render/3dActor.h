#pragma once
// An actor drawn as a 3-D model and carrying collision boxes. So far only
// what the 3-D context and view ask of it: the world box the map quadtree
// files it under, the flags that take it out of collision queries, the draw
// stamp, drawing, and the box tests; the model itself comes later.
#include <cstdint>
#include <string>

#include "engine/Actor.h"
#include "engine/Math.h"

class CRC;

class C3dActor : public CActor {
  SLV_OBJECT(C3dActor)
 public:
  // Queues the model's triangles; the actor without a model draws nothing.
  virtual void Render(CRC& rc, const Matrix& view) {}

  // The box tests the context's queries make, in world space. Without boxes
  // no point is inside, nothing is pushed and the height stays.
  // Whether a collision box holds the point.
  virtual bool IsInsideBox(const Vec3& point) const { return false; }
  // Moves the point out of the first box that holds it; false when none does.
  virtual bool PushOut(Vec3& point) const { return false; }
  // The height found so far, raised onto a box top at most 1 unit above the
  // point's foot.
  virtual float GetStandHeight(const Vec3& point, float height) const { return height; }

  // Takes part in collision queries and is not hidden.
  bool Collides() const { return m_collide != 0 && m_hidden == 0; }

  // The axis-aligned box of the placed model in the world.
  Vec3 m_worldMin, m_worldMax;
  int32_t m_collide = 0;
  int32_t m_hidden = 0;
  int32_t m_drawStamp = 0;  // the render context's frame counter at the last draw
  int32_t m_modelAlpha = 255;  // 255 draws in the opaque pass
  std::string m_name;  // the placement's, the prefix of its script labels
};
