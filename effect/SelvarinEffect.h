#pragma once
// A visual effect: an actor that belongs to an owner actor and is chosen by
// its effect number. It draws nothing itself; each tick the builder of its
// number makes, moves and retires primitives, separate actors of the field
// context that draw themselves.
#include <array>
#include <cstdint>
#include <list>

#include "effect/EffectPrimitiveKind.h"
#include "effect/EffectTables.h"
#include "field/SelvarinActor.h"

class CEffectPrimitive;

class CSelvarinEffect : public CSelvarinActor {
  SLV_OBJECT(CSelvarinEffect)
 public:
  using Builder = void (CSelvarinEffect::*)();

  CSelvarinEffect() = default;
  ~CSelvarinEffect() override;
  CSelvarinEffect(const CSelvarinEffect&) = delete;
  CSelvarinEffect& operator=(const CSelvarinEffect&) = delete;

  using CSelvarinActor::Init;
  // Binds the effect to its owner and number: the owner's place, the table
  // settings and the creation wave.
  void Init(CSelvarinActor* owner, EffectId id);
  // A new primitive of the kind, attached to this effect and kept in its list.
  CEffectPrimitive* AddPrimitive(EffectPrimitiveKind kind);

  // One tick of the builder; false once the lifetime is reached or the owner
  // has gone.
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // An effect draws only through its primitives.
  void Render(CRC& rc, const Matrix& view) override {}
  // Follows the owner: its screen point for the screen-anchored numbers,
  // its world position for all.
  void PostProcess() override;

  CSelvarinActor* GetOwner() const { return m_owner; }
  EffectId GetEffectId() const { return m_effectId; }
  const std::list<CEffectPrimitive*>& GetPrimitives() const { return m_primitives; }
  // The builder of a number, or null for 209 and for numbers outside the
  // catalogue; `listed` tells the two apart.
  static Builder FindBuilder(EffectId id, bool* listed);
  // The centre of the 90-degree sector of a, the division toward zero.
  static float SnapToSectorCentre(int32_t a);

  // The builders' rows, defined beside the builders.
  struct SpriteFamily;
  struct SprayRow;
  struct RingRow;

  // What builders and spawners read and set.
  float m_scale = 1.0f;
  Vec3 m_startPoint;
  Vec3 m_spriteOffset;  // a battle sprite's displacement from its owner
  uint8_t m_directional = 0;
  int32_t m_spriteMode = 3;  // bit 0 follow the owner, bit 1 tell it of the last tick
  Vec3 m_ownerPos;
  std::array<int32_t, 10> m_slots{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  int32_t m_strength = 0;    // of a screen shake
  int32_t m_pieceCount = 0;  // projectiles or bolts fired
  int32_t m_word = 0;
  int32_t m_lifetime = 1000;
  float m_ownerHeading = 0.0f;
  int32_t m_red = 255, m_green = 255, m_blue = 255;
  EffectRow m_row;  // all zero for numbers without a row

 private:
  void ReadSettings();
  void PlayCreationWave();
  // Forgets a primitive that is going away.
  void DropPrimitive(const CObject* primitive);
  // Shaking numbers give the view its offset back when they end, unless the
  // HUD's quake holds it.
  void EndShake() const;

  void RefreshOwner(bool heading);
  void BuildStandardSprite(const SpriteFamily& family);
  void SendTickMessages(bool last);
  void AddSpray(const SprayRow& row, float h);
  void AddSweepRing(const RingRow& row, float h);
  void AddSwirlRing(float h, float outer, float inner, float width);
  // One step of the screen shake along axis 0 (x) or 3 (z).
  void ShakeStep(int axis);
  // The ground burst's ring and blast at a scale.
  void AddBurstRing(float scale);
  void AddBurstBlast(float scale);
  // The hit's forward sparks, thrown all round.
  void AddRoundSpray(int count, const char* sprite);
  // The small hit's sprites about the owner.
  void AddHitSprites(int count, const char* name);
  // The casting circle's three turning rings in a texture.
  void AddCastingRings(const char* texture);
  // Shots flown to the owner, one row per arrow family.
  struct ShotRow;
  void BuildShots(const ShotRow& row);

  // The builders, one per line of the catalogue's dispatch.
  void BuildItemSprite();
  void BuildHit();
  void BuildBladeSlash();
  void BuildGuard();
  void BuildRingHelix();
  void BuildFlash();
  void BuildMagicCircle();
  void BuildGatheringEnergy();
  void BuildScreenShake();
  void BuildAura();
  void BuildGroundBurst();
  void BuildShrinkingRing();
  void BuildFlyingSprite();
  void BuildEruption();
  void BuildComet();
  void BuildGlowPulse();
  void BuildFireArrows();
  void BuildFireCircle();
  void BuildFireBurst();
  void BuildScreenBurst();
  void BuildScreenSpiralBurst();
  void BuildSparkles();
  void BuildIceArrows();
  void BuildRain();
  void BuildBlizzard();
  void BuildDefenceRising();
  void BuildEnergyGathering();
  void BuildBurst();
  void BuildCross();
  void BuildLightning();
  void BuildWindCutter();
  void BuildLightningStorm();
  void BuildSnowBall();
  void BuildWhirlwind();
  void BuildSnowStorm();
  void BuildBattleSparks();
  void BuildBattleSparkSprites();
  void BuildBattleSprite();
  void BuildBattleMark();
  void BuildGlowRing();
  void BuildLightGathering();
  void BuildCastingCircle();
  void BuildDust();
  void BuildGroundRing();
  void BuildHitSprites();
  void BuildDustMark();
  void BuildShards();
  void BuildShieldGuard();
  void BuildMonsterSprite();

  CSelvarinActor* m_owner = nullptr;  // null once detached
  EffectId m_effectId = 0;
  std::list<CEffectPrimitive*> m_primitives;
};
