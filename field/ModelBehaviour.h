#pragma once
// What the field's 3-D model and the cut-scene 3-D actor share: an animated
// model played in numbered frame ranges ("actions"), turned toward targets
// or spun, moved to points, thrown with bounce and friction, and drawn lit
// once a model with the optional wobble and blink. The actor it belongs to
// holds the position, angles, velocity, state and tick counter.
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "engine/Math.h"

class C3dAnimModelRes;
class CRC;
class CSelvarinActor;

class CModelBehaviour {
 public:
  static constexpr int32_t kMoving = 17;  // the actor's state while moving to a point

  explicit CModelBehaviour(CSelvarinActor& actor) : m_actor(actor) {}
  // Lets go of the model.
  ~CModelBehaviour();
  CModelBehaviour(const CModelBehaviour&) = delete;
  CModelBehaviour& operator=(const CModelBehaviour&) = delete;

  // The animated model of that file name; null (logged) when there is none.
  // Held locked while the actor keeps it.
  void SetModel(const std::string& fileName);
  void SetModel(C3dAnimModelRes* model);
  C3dAnimModelRes* Model() const { return m_model; }
  // The model's vertex frames, 0 without a model.
  int32_t FrameCount() const;

  // The start message's part: targets on the current angles, speeds 1.0,
  // state 0, tick counter 0.
  void Start();
  // The codes of the behaviour's table; false for any other code.
  bool OnMessage(int code, intptr_t a, intptr_t b, intptr_t c);
  // One tick: the actor's UpdateFrame, the turn, physics, the actor's
  // UpdateAction.
  void Process();
  void UpdateFrame();
  int UpdateAction(int state);
  // The model under the actor's angles and place, unless hidden.
  void Render(CRC& rc, const Matrix& view);

  std::map<int32_t, std::pair<int32_t, int32_t>> m_actions;  // number: first and last frame
  int32_t m_action = -1;
  int32_t m_frame = 0;
  int32_t m_frameDelay = 1;  // ticks a frame shows
  int32_t m_animating = 1;
  int32_t m_loop = 0;
  Vec3 m_rotTarget, m_rotSpeed;  // degrees about x, y, z
  int32_t m_spin = 0;
  int32_t m_physics = 0;
  float m_fall = 1.0f, m_bounce = 1.0f, m_friction = 1.0f;
  Vec3 m_accel;
  Vec3 m_moveTarget;
  int32_t m_wobble = 0;
  int32_t m_blink = 0;
  int32_t m_alpha = 255;  // the blink's own

 private:
  void Turn();
  void Physics();
  Vec3 Angles() const;
  void SetAngles(const Vec3& angles);

  CSelvarinActor& m_actor;
  C3dAnimModelRes* m_model = nullptr;  // locked while set
};
