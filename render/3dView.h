#pragma once
// The view of a 3-D scene: an orbiting camera that eases towards its
// targets, culls the map quadtree against the view volume and draws the
// visible model actors in an opaque and a translucent pass. Angles are
// degrees, distances world units.
#include <vector>

#include "engine/Frame.h"
#include "engine/Math.h"

class CRC;
struct QuadNode;

class C3dView : public CView {
  SLV_OBJECT(C3dView)
 public:
  static constexpr float kEase = 0.1f;  // of the way to the target each step
  static constexpr float kFarPlane = 1000.0f;
  static constexpr int kLeafDepth = 5;

  void Init() override;
  void Exit() override {}
  // The easing step, then the camera matrices.
  void Update() override;
  // The base hands the camera's pitch and distance to the render context and
  // draws nothing.
  virtual void Render(CRC& rc);

  void NormalizeAngles();
  void UpdateCamera();
  // Appends the leaves inside the view volume to m_visibleNodes; the root
  // itself is not tested.
  void CullNodes(const CRC& rc, const QuadNode& root);
  // Draws the model actors of the visible leaves for one pass (0 opaque, 1
  // translucent), each once a frame, then that pass's texture batches.
  void FlushDrawList(CRC& rc, int translucent);

  std::vector<const QuadNode*> m_visibleNodes;  // in the order found
  float m_pitch = 0.0f, m_yaw = 0.0f, m_distance = 0.0f;
  Vec3 m_lookAt;
  float m_targetPitch = 0.0f, m_targetYaw = 0.0f, m_targetDistance = 0.0f;
  Vec3 m_targetLookAt;
  Vec3 m_offset;  // applied after the look-at transform
  Vec3 m_eye;
  Vec3 m_up{0.0f, 1.0f, 0.0f};
  Matrix m_viewMatrix;    // world to view
  Matrix m_offsetMatrix;  // translation by m_offset

 private:
  struct Plane {
    Vec3 normal;
    float d;
  };
  void CullChildren(const QuadNode& node, int depth, const Plane (&planes)[6]);
};
