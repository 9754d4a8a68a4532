#pragma once
// Everything on the battle screen stands on these: a sprite actor with its
// own animation player, tint, gravity and distances (CBattleObject), and a
// participant of the battle, a party member, enemy, summoned creature or
// decoy (CBattleActor), with its gauge, its movement against the map, hit
// frames and the answers to script and battle messages.
#include <array>
#include <cstdint>

#include "battle/ActionCode.h"
#include "field/SelvarinActor.h"

class CSprRes;

// Action codes that set-up and clean-up give participants.
enum BattleAction : int32_t {
  kBattleIdle = kActIdle,
  kBattleDying = kActDying,
  kBattleEntering = kActEnter,
  kBattleStanding = kActFadeIn,
};

// The message every battle object gets before the battle deletes it.
constexpr int kBattleEndsMessage = kMsgDropCrowd;

class CBattleObject : public CSelvarinActor {
  SLV_OBJECT(CBattleObject)
 public:
  // Play modes of SetAnimation.
  enum PlayMode : int32_t { kPlayOnce = 0, kPlayLoop = 2, kPlayPingPong = 3 };

  CBattleObject() = default;
  // Nothing of the battle keeps pointing at it.
  ~CBattleObject() override;

  virtual void ApplyGravity(float factor);
  virtual void ApplyVelocity();
  // Stores the code and starts its tick count again.
  virtual void SetAction(int32_t code);
  // The current frame's layers, scaled, tinted and jittered.
  virtual void RenderBody(CRC& rc, const Matrix& view);
  // The shadow on the ground under it, when its shadow flag is set.
  virtual void RenderShadow(CRC& rc, const Matrix& view, float scale);
  // Loads the animation and then the sprite sheet into the cache (the
  // battle's clean-up frees them); the sprite sheet, null when either
  // cannot be had.
  virtual const CSprRes* GetSprite();

  // 46 and 51 go on to the sprite actor; the rest are not its.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // One step of the animation, or the script's frame, then the facing.
  void UpdateFrame() override;
  float Distance3d(float x, float y, float z) const override;
  float DistanceXZ(float x, float z) const override;
  void Render(CRC& /*rc*/, const Matrix& /*view*/) override {}
  void PostProcess() override {}

  void SetAnimation(int32_t base, int32_t frameDelay, int32_t playMode);
  // Signed deltas, alpha first; each channel kept within 0..255.
  uint32_t AddTint(int32_t alpha, int32_t red, int32_t green, int32_t blue);
  // A battle text for the game frame to show.
  void PostFrameMessage(const char* text);
  // A damage number's digits over the object (999 at most, nothing for a
  // negative value), colour type 0 white, 1 red, 2 the second set; each
  // digit one column further right. Virtual for the tests.
  virtual void SpawnDamageNumber(int32_t value, int32_t colourType, float dx, float dy, float dz, int32_t firstColumn,
                         int32_t row);

  uint32_t m_tint = 0xFFFFFFFF;
  int32_t m_delayTick = 0;
  int32_t m_playMode = kPlayOnce;
  int32_t m_resumeAction = kActIdle;
  int32_t m_resumeTick = 0;
  int32_t m_holdLast = 0;
  int32_t m_hitStopTicks = 0;
  float m_scaleX = 1.0f, m_scaleY = 1.0f;
  int32_t m_shakeTicks = 0;
  int32_t m_shakePhase = 0;
  int32_t m_pingPongBack = 0;
  int32_t m_hitDelay = 0;
  int32_t m_hitFrame = -1;  // the frame last reported as a hit, for frames that stay
  int32_t m_ownerPosition = -1;  // the party position its hits count for
  int32_t m_holdTicks = 0;
  float m_radius = 0.0f;

 protected:
  // The frames of the current action; 0 without an act or such an action.
  virtual int32_t FrameCount() const;
  // Both sheets are to be had: else nothing steps, hits or shows.
  bool HasSheets() const;
  // The action index of the base and the facing, and the frame, kept
  // inside the loaded act.
  void ClampToAct();
  // One tick of the frame by the play mode, over FrameCount frames.
  void StepAnimation();
  // One tick in the air, `gravity` added to the fall each tick, landing
  // with dust; on the ground it follows the ground, and a drop of 3 or more
  // starts a fall.
  void StepFall(float gravity);

 private:
  void ScriptFrame();
};

// A party member's record or an enemy's slot below a quarter of its top HP
// or BP: a pinch. No record is no pinch.
template <class Record>
bool IsHpBelowQuarter(const Record* record) {
  return record != nullptr && record->hp < record->maxhp / 4;
}
template <class Record>
bool IsBpBelowQuarter(const Record* record) {
  return record != nullptr && record->shp < record->maxshp / 4;
}

class CBattleActor : public CBattleObject {
  SLV_OBJECT(CBattleActor)
 public:
  CBattleActor();
  ~CBattleActor() override;

  // 1-3 when the current frame is a hit frame not yet taken (the attack-time
  // event), else 0.
  virtual int32_t CheckHitFrame();
  bool IsInTerminalAction() const { return IsTerminalAction(m_actionCode); }
  // The script codes and the battle messages every participant answers.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  void Render(CRC& rc, const Matrix& view) override;
  // While the world stands still: the flash counts down, the facing and the
  // frame stay inside the act.
  void PostProcess() override;
  // The step against the map, the other actors and the battle square.
  void ApplyVelocity() override;
  void UpdateFrame() override;
  // Registers the current frame's screen rectangle as a battle target.
  void AddTargetPickRegion(CRC& rc, const Matrix& view);
  // A battle text picture (its action in "system/battletext.act") over the
  // actor, following it; null without a field context.
  CBattleObject* SpawnBattleMsg(int32_t text, float dx, float dy, float dz);

  float m_timeGauge = 0.0f;
  uint8_t m_gaugeRunning = 1;
  int32_t m_hitGuardTicks = 0;
  Vec3 m_returnPoint;
  float m_knockBack = 0.0f;
  int32_t m_bumpTicks = 0;
  int32_t m_turnCount = 0;
  int32_t m_hudMarker = 0;
  // The position (party position or enemy slot) and the side (1 party, 0
  // enemy); -1 until bound.
  std::array<int32_t, 2> m_battleId{-1, -1};
  int32_t m_chosenIndex = -1;
  CBattleActor* m_walkToActor = nullptr;
  CBattleActor* m_target = nullptr;
  int32_t m_staggered = 0;
  int32_t m_bumped = 0;
  int32_t m_isDecoy = 0;  // also a hit's direct-hit flag
  CBattleActor* m_decoy = nullptr;
  int32_t m_hitKind = 0;  // also a hit's effect value
  int32_t m_reflectFlag = 0;
  int32_t m_nullifyFlag = 0;
  float m_gravityFactor = 1.0f;
  // What the hit rules read besides: the attack kind, the second
  // direct-hit, open and out-of-reach flags and the bullet kind.
  int32_t m_attackStyle = 0;
  int32_t m_secondDirectHit = 0;
  int32_t m_openFlag = 0;
  int32_t m_outOfReach = 0;
  int32_t m_bulletKind = 0;
  // The out-of-reach flag is a parry's: it ends when the actor next stands idle.
  int32_t m_parryOutOfReach = 0;

 protected:
  // What every frame step of a participant starts with, sprite or model:
  // the return point on the first tick, the parry's end when idle.
  void NoteFrameTick();

 private:
  bool m_returnPointSet = false;
  void Warp(intptr_t x, intptr_t z, intptr_t y);
  void Jump(intptr_t vx, intptr_t vz, intptr_t vy);
  void ScriptAnimation(int32_t code, int32_t action, int32_t frame);
  void ChangeBattleSprite(const char* sprite, int32_t action, int32_t frame);
  // No hit or barrier points left on its record, then dying.
  void Kill();
  // True when the message is one of those a terminal action refuses.
  static bool IsLiveOrder(int code);
};
