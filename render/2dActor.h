#pragma once
// The sprite actor: a point in the world drawn as a camera-facing sprite
// animation. It falls onto the ground, follows it, slides along blocked
// cells through the current frame's 3-D context, and picks the animation
// motion that faces the camera.
#include <cstdint>
#include <string>

#include "engine/Actor.h"
#include "engine/Math.h"

class CRC;
class C3dContext;

class C2dActor : public CActor {
  SLV_OBJECT(C2dActor)
 public:
  // Standing on the ground after a drop of this much or more starts a fall.
  static constexpr float kFallDrop = 3.0f;
  static constexpr float kGravity = 0.25f;  // added to the vertical speed each tick in the air

  void Init() override;
  // Fall step, facing motion, movement step; then the state's action as the
  // alive flag.
  bool OnProcess() override;

  // Queues the layers of the current motion into the effect-quad queue.
  virtual void Render(CRC& rc, const Matrix& view);
  // Non-zero keeps the actor alive.
  virtual int UpdateAction(int state) { return 1; }
  // Picks the motion of the eight facing sectors from the camera's yaw.
  virtual void UpdateFrame();

  // The steps of a tick, each skipped without a current 3-D context.
  void FallStep();
  void MoveStep();
  // Moves the foot by the horizontal velocity against the map and the model
  // actors, pushed out of what it would overlap; false when the step is
  // refused and the foot stays where it stood.
  bool StepAgainst(const C3dContext& context);
  // The current frame's 3-D context, or null.
  static const C3dContext* CurrentContext();
  // The current view's yaw in degrees; 0 without a view.
  static float CameraYaw();

  Vec3 m_pos;  // the foot
  // Rotation about x, y (the heading) and z, in degrees.
  float m_angleX = 0.0f;
  float m_angle = 0.0f;
  float m_angleZ = 0.0f;
  Vec3 m_velocity;  // per tick; y positive downwards
  int32_t m_inAir = 0;
  int32_t m_action = 0;
  int32_t m_motion = 0;
  std::string m_sprName;
  std::string m_actName;
  int32_t m_state = 0;  // handed to UpdateAction each tick
  int32_t m_stateParam0 = 0;
  int32_t m_stateParam1 = 0;

 private:
  // Lifts the foot out of the ground after a landing.
  void LiftOut(const C3dContext& context);
};
