#pragma once
// An actor drawn as a 3-D model: a node tree instanced from a model
// resource, placed by rotation, position and scale, animated by keyframe
// tracks, lit once a placement, and carrying oriented collision boxes that
// the 3-D context tests.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Actor.h"
#include "engine/Math.h"
#include "render/3dModelInstance.h"
#include "render/3dModelRes.h"
#include "render/ModelFaceRecords.h"

class CRC;

// One collision box of the model in the actor's placement.
struct CollisionBox {
  Vec3 halfExtents;
  Vec3 position;
  Vec3 rotation;  // degrees
  std::array<Vec3, 8> corners{};  // in the world
  Matrix box;     // the box to the model
  Matrix inverse;
  int32_t flag = 0;  // non-zero: a platform
};

class C3dActor : public CActor {
  SLV_OBJECT(C3dActor)
 public:
  C3dActor() = default;
  ~C3dActor() override { FreeModel(); }
  C3dActor(const C3dActor&) = delete;
  C3dActor& operator=(const C3dActor&) = delete;

  void SetPlacement(float rx, float ry, float rz, float px, float py, float pz, float sx, float sy, float sz);
  // Instances the node and its children, takes the node's position track
  // and computes the bounds. Holds the model resource locked until freed.
  void SetModel(const C3dModelNode* node);
  void CopyNodeRecords(const std::vector<ModelBox>& boxes);
  // A frame outside 0 .. m_animLen - 1 is logged and frame 0 used.
  void SetAnimFrame(int frame);
  // Lights the instance (colours' channels 0 to 1) and places the boxes.
  void UpdateNodeMatrices(const Vec3& light, const Vec3& diffuse, const Vec3& ambient);
  void FreeModel();

  // Queues the model's triangles into its textures' batch chains; nothing
  // when its box lies wholly off one side of the view.
  virtual void Render(CRC& rc, const Matrix& view);

  // The model's box corners on the screen, m_corners' order.
  struct ScreenCorner {
    float x = 0.0f, y = 0.0f;
  };
  using ScreenCorners = std::array<ScreenCorner, 8>;
  // Projects the corners through m_nodeMatrix and the view; false when all
  // of them lie beyond one edge of the screen or behind the eye.
  bool ProjectCorners(const CRC& rc, const Matrix& view, ScreenCorners& out) const;
  // The instance through m_drawMatrix and the view, mirrored as placed.
  void DrawInstance(CRC& rc, const Matrix& view);

  // The box tests the context's queries make, in world space.
  // Whether a collision box holds the point.
  virtual bool IsInsideBox(const Vec3& point) const;
  // Moves the point out of the first box that holds it; false when none does.
  virtual bool PushOut(Vec3& point) const;
  // The height found so far, raised onto a box surface at most 1 unit above
  // the point's foot.
  virtual float GetStandHeight(const Vec3& point, float height) const;

  // Takes part in collision queries and is not hidden.
  bool Collides() const { return m_collide != 0 && m_hidden == 0; }
  // An odd number of negative scale components.
  bool Mirrored() const;

  Vec3 m_pos, m_rotation, m_scale{1.0f, 1.0f, 1.0f};
  std::string m_name;  // the placement's, the prefix of its script labels
  int32_t m_animLen = 0;
  Vec3 m_centre;
  Matrix m_world, m_worldInv;
  Matrix m_anim;
  Matrix m_nodeMatrix;  // m_anim x m_world
  Matrix m_drawMatrix;  // centring x m_anim x m_world
  std::unique_ptr<C3dModelInstance> m_instance;
  std::vector<CollisionBox> m_boxes;
  int32_t m_collide = 0;
  int32_t m_hidden = 0;
  Vec3 m_modelMin, m_modelMax;
  std::array<Vec3, 8> m_corners{};  // the model's box after centring
  // The axis-aligned box of the placed model in the world.
  Vec3 m_worldMin, m_worldMax;
  // The render context's frame counter at the last draw; -1 so the context's
  // first frame (counter 0) draws the actor too.
  int32_t m_drawStamp = -1;
  std::vector<PosKey> m_posKeys;
  int32_t m_shade = 0;
  int32_t m_modelAlpha = 255;  // 255 draws in the opaque pass
  // The instance's per-face records and projection scratch.
  ModelFaceRecords m_faceRecords;

 private:
  void ComputeBounds();
  void UpdatePositionTrack(int frame);
  // The index of the first box that holds the point, with the point in that
  // box's space; -1 when none does.
  int BoxAt(const Vec3& point, Vec3& inBox) const;
  void ReleaseInstance();

  C3dModelRes* m_model = nullptr;  // locked while the instance lives
};
