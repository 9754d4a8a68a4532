#pragma once
// The battle objects the rules add during a battle through the field
// context's makers: after-images, arrows, items (battle/BattleItem.h), spells, summons and skill
// effects. Each keeps what it was made from; until their battle code is
// built the bound ones end at their first tick.
#include <array>
#include <cstdint>

#include "battle/BattleBullet.h"
#include "battle/BattleIllusion.h"
#include "battle/BattleItem.h"
#include "battle/BattleObject.h"
#include "battle/BattleRecall.h"

// An object bound to the one who made it and to its target.
class CBattleBoundObject : public CBattleObject {
 public:
  using CBattleObject::Init;
  bool OnProcess() override { return false; }

  CSelvarinActor* m_user = nullptr;
  CSelvarinActor* m_target = nullptr;
  int32_t m_kind = 0;  // the item code, spell type, summon or skill id

 protected:
  // Starts where the user stands, credited as the user's hits are.
  void Bind(CSelvarinActor* user, CSelvarinActor* target, int32_t kind);
};

class CBattleMagic : public CBattleBoundObject {
  SLV_OBJECT(CBattleMagic)
 public:
  using CBattleBoundObject::Init;
  // Bound to both sides by their battle ids; the launching rule then sets
  // the place, heading, delay, speed and variant.
  CBattleMagic();
  // Also spawns the type's opening effects.
  void Init(CSelvarinActor* caster, CSelvarinActor* target, int32_t type);
  ~CBattleMagic() override;

  // False ends it.
  bool OnProcess() override;
  // Draws nothing: keeps where it stands on the screen.
  void Render(CRC& rc, const Matrix& view) override;
  // 46 to the battle object, 60 a hit signal, 62 the spike gone, 10003 a
  // hit shown on the one struck.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;

  // One side per sweep: each participant of it strictly nearer than the
  // radius gets the magic; true when any did.
  bool HitInRadius(float radius, bool party, const CSelvarinActor* leftOut, bool skipBosses);
  bool HitAroundPoint(float radius, bool party, const Vec3& point, const CSelvarinActor* leftOut, bool skipBosses);

  // The two effects of each type; 209 shows nothing.
  static constexpr int kTypeCount = 61;
  static const std::array<std::array<int16_t, 2>, kTypeCount> kEffects;

  int32_t m_casterId = -1, m_casterIsParty = 0;
  int32_t m_targetId = -1, m_targetIsParty = 0;
  int32_t m_type = -1;
  int32_t m_delay = 0;
  int32_t m_hitCount = 0;
  int32_t m_countdown = 10000;
  int32_t m_life = 2300;  // -1: no limit
  CBattleObject* m_spike = nullptr;
  int32_t m_viaDecoy = 0;
  Vec3 m_goal;
  int32_t m_variant = 0;
  float m_baseHeading = 0.0f, m_swingStep = 0.0f;
  // The spiral of the whirling kinds: its angle, its turn a tick (signed)
  // and its radius or swing.
  float m_spiralAngle = 0.0f, m_angularStep = 0.0f, m_swing = 0.0f;
  float m_growSpeed = 0.0f;

 private:
  void Apply();
  // A sweep of the side code (the ones of the tables) around the magic or the point.
  bool Sweep(float radius, int side, bool skipBosses, const Vec3* point);
  // The type's tick; false ends it.
  bool StepType(const CSelvarinActor& target);
  bool StepSweep(int period, float radius, int side, int lastTick, bool endOnHit, bool skipBosses, bool counts);
  bool StepSpecial(const CSelvarinActor& target);
  void RaiseSpike();
  void Whirl();
  bool StepSwing();
  // A child of 44 or 46: the caster on both sides, variant 1, `ahead` along the heading.
  CBattleMagic* MakeShard(float ahead);
  bool StepBurst();
  bool StepShard(const CSelvarinActor& target);
  bool StepSpiral();
  bool StepWaterBall(const CSelvarinActor& target);
  bool StepFlood();
  bool StepQuake(const CSelvarinActor& target);
  bool StepFall();
  bool StepMover(const CSelvarinActor& target);
  // The flood's water level or the quake put back, once.
  void EndFieldEffects();
  float Ground(float x, float z) const;
  void OnHitSignal();

  float m_restWater = 0.0f, m_floodBottom = 0.0f;
  bool m_floodStarted = false;  // the flood or the quake is on
};

class CBattleSkill : public CBattleBoundObject {
  SLV_OBJECT(CBattleSkill)
 public:
  CBattleSkill();
  using CBattleBoundObject::Init;
  // Bound to both sides by their battle ids; then the skill's start effects.
  void Init(CSelvarinActor* user, CSelvarinActor* target, int32_t skill);
  bool OnProcess() override;
  // As the spell's: 46 to the battle object, 10003 a hit shown on the one struck.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // Draws nothing: keeps where it stands on the screen.
  void Render(CRC& rc, const Matrix& view) override;
  // Applies the skill to everyone of one side standing within the radius;
  // true when anyone was reached.
  bool HitInRadius(float radius, bool party, const CSelvarinActor* leftOut);

  int32_t m_userId = -1, m_userIsParty = 0;
  int32_t m_targetId = -1, m_targetIsParty = 0;
  int32_t m_skillId = -1;
  // Its number among the objects of one use; for most skills the tick it
  // starts at.
  int32_t m_index = 0;
  int32_t m_viaDecoy = 0;

  // What one tick sees; set by OnProcess before the schedule runs.
  CSelvarinActor* m_tickUser = nullptr;
  CSelvarinActor* m_tickTarget = nullptr;
  float m_reach = 0.0f;
  int32_t m_splash = 0;

  // Applies the skill to one receiver, by its battle id or as an actor.
  // Virtual for the tests.
  virtual void ApplyTo(int32_t id, int32_t isParty);
  void ApplyTo(const CSelvarinActor& receiver);
};
