#pragma once
// A sprite enemy that wanders about its home point on a field map, turns
// toward the party when it comes near, and the first time the leader
// touches it while the field is idle asks the game frame for the battle
// under its "::Battle" label; then it stands hidden until a script re-arms
// it.
#include <array>
#include <cstdint>

#include "field/SelvarinActor.h"

class CFieldEnemy : public CSelvarinActor {
  SLV_OBJECT(CFieldEnemy)
 public:
  // Its action modes; the home point is the walking target of the base.
  enum Mode : int32_t {
    kStand = 0,
    kWalk = 1,
    kReturnHome = 2,
  };
  static constexpr float kReach = 10.0f;       // nearer than this starts the battle
  static constexpr float kNear = 30.0f;        // nearer than this draws it toward the player
  static constexpr int64_t kLeash = 120;       // farther from home than this turns it back
  static constexpr int64_t kHomeReached = 30;  // nearer home than this ends the return
  static constexpr float kHomeSpeed = 1.4285715f;

  bool OnProcess() override;
  // 1 shows and re-arms it, 2 hides and disarms it.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  int UpdateAction(int mode) override;
  void UpdateFrame() override;

  // The lines after its labels ("::Init" is the base's m_initLine).
  int32_t m_enterLine = -1, m_battleLine = -1, m_eventLine = -1;
  std::array<int32_t, 4> m_recordValues{};  // kept for the scripts
  int32_t m_triggered = 0;

 private:
  // Whether the field lets it start a battle now.
  bool MayTrigger() const;
  int64_t DistanceFromHome() const;
};

// Whether a field enemy (sprite or model) may ask for its battle now: no
// transition, a player that is free and nearer than the reach, no message,
// choice list or busy script, and no battle already asked for.
bool FieldEnemyMayTrigger(const CSelvarinActor& enemy);
