#pragma once
// A particle of the field: a textured billboard that moves by one of the
// motion types below (splashes, ripples, smoke, flames, orbits, spirals,
// snow), drawn through the render context's billboard queue. It lives in the
// field context's effect list; the maker that spawned it is its owner and
// hears when it ends.
#include <cstdint>
#include <string>

#include "field/SelvarinActor.h"

class CParticleEffect : public CSelvarinActor {
  SLV_OBJECT(CParticleEffect)
 public:
  enum TextureMode : int32_t { kPlain = 0, kSmoke = 10, kCore = 11 };
  // Messages between a particle and its owner.
  static constexpr int kBorn = 44;
  static constexpr int kGone = 45;

  // False once its motion type ends it; the owner then hears kGone.
  bool OnProcess() override;
  void Render(CRC& rc, const Matrix& view) override;

  // Puts a new particle at the front of the field context's effect list and
  // tells its owner; deleted at once without a field context.
  static void Spawn(CParticleEffect* particle);
  // A falling snowflake of the weather at `at`, appended to the effect list
  // (nothing without a field context).
  static void AddSnowFlake(const Vec3& at, float fallSpeed);
  // The alpha byte of v in sixteenths over white; past 1 only the low byte
  // is kept, so it pulses.
  static uint32_t Alpha16(float v);

  int32_t m_type = 0;
  int32_t m_texMode = kPlain;
  int32_t m_width = 32, m_height = 32;  // pixels at unit distance
  int32_t m_rotation = 0;               // degrees
  float m_scale = 1.0f;
  Vec3 m_origin;
  float m_angle1 = 0.0f, m_angle2 = 0.0f;  // degrees
  float m_radius = 1.0f;
  uint32_t m_colour = 0xFFFFFFFFu;  // ARGB
  std::string m_texture;
  CSelvarinActor* m_owner = nullptr;  // not owned
  int32_t m_falling = 0;
  int32_t m_tick = 0;

 private:
  void ApplyTextureMode();
  // One tick of the motion type; false when it ends the particle.
  bool Step();
  // Alpha down by `step`, stopping at 0.
  void FadeBy(uint32_t step);
  void SetAlpha(uint32_t alpha) { m_colour = alpha << 24 | (m_colour & 0x00FFFFFFu); }
  void Burst();
  CParticleEffect* Child(int32_t type) const;
};
