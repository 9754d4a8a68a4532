#pragma once
// A villager of a field map: it idles, wanders in a box around its home
// point or follows its own walk script, turns to the leader who speaks to
// it and runs its talk script. Idle villagers wake once every 128 ticks.
// Birds build on it.
#include <cstdint>

#include "field/SelvarinActor.h"

class CVillager : public CSelvarinActor {
  SLV_OBJECT(CVillager)
 public:
  // The villager's action states; the script animations (14 to 16) are the
  // sprite actor's.
  enum State : int32_t {
    kIdle = 0,
    kWander = 1,
    kCalled = 3,
    kWait = 4,
    kDrop = 5,
    kLooping = 10,
    kWalkToTarget = 12,
    kLongWait = 13,
  };
  static constexpr int32_t kIdleGate = 128;
  static constexpr float kWalkFactor = 0.15f;  // times the speed factor

  CVillager();

  // Placed and named by map loading first.
  void Init() override;
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  int UpdateAction(int state) override;
  void UpdateFrame() override;

  // 0 four directions and 1 eight, both put on the ground; 2 four, wanders;
  // 3 eight; 4 loops action 0; 5 eight with a still standing frame.
  int32_t m_pattern = 0;
  float m_wanderHalfX = 0.0f, m_wanderHalfZ = 0.0f;
  float m_homeX = 0.0f, m_homeZ = 0.0f;
  int32_t m_talkLine = -1;  // -1: nobody can talk to it
  int32_t m_walkLine = -1;
  int32_t m_msgLine = -1;  // kept for the scripts
  int32_t m_callLine = -1;
  int32_t m_nextLine = -1;    // run when the wait or walk ends
  int32_t m_resumeLine = -1;  // where the idle villager's walk script goes on
  int32_t m_waitTicks = 0;
  int32_t m_faceTalker = 1;
  int32_t m_inTalk = 0;
  int32_t m_holdOnce = 0;  // the next end of a script is swallowed
  int32_t m_idleCounter = 0;

 protected:
  // Runs a map-script line with this villager as subject; -1 runs nothing.
  void RunLine(int32_t line);
  void Talk(CObject* talker);
  // One step along the velocity, kept in the wander box while wandering.
  void StepPosition();
  float WalkSpeed() const { return m_speed * kWalkFactor; }
  // The action of the current pattern and state, and whether it animates.
  struct Pose {
    int32_t action;
    int32_t base;
    bool animated;
  };
  bool ChoosePose(Pose* pose) const;
  static bool IsStandingState(int32_t state);
  static bool IsMovingState(int32_t state);
  static bool IsScriptAnimation(int32_t state);
};
