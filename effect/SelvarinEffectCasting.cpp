// The casting builders: light gathering, the casting circle, the glow ring
// and pulse on the screen, the ground rings, and the magic circle of the four
// circle numbers.
#include "effect/EffectShapes.h"
#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"

namespace {

using namespace effect_shapes;

constexpr int kTickMessage = 60;
constexpr int32_t kCastingFlags = 0x20005;
constexpr int32_t kFlaggedBatches = 0x20000;

struct CastingRing {
  float yawSpeed, outer, widthSpeed;
};

constexpr CastingRing kCastingRings[] = {{3.0f, 4.0f, 6.0f}, {3.5f, 6.0f, 1.0f}, {4.0f, 8.0f, 0.5f}};

}  // namespace

void CSelvarinEffect::BuildLightGathering() {
  m_pos.x = static_cast<float>(m_owner->m_screenX);
  m_pos.y = static_cast<float>(m_owner->m_screenY);
  // The sparks gather 5 above the feet; the walk's follow-up puts the
  // owner position back on the feet.
  m_ownerPos = m_owner->m_pos;
  m_ownerPos.y -= 5.0f;
  if (Every(m_tickCount, 4, 25)) AddInwardSparks(*this, 3, "Ef_Particle1");
  if (m_tickCount == 25) AddScreenPulse(*this, "알파1.tga", 25, 0.04f, 20.0f, 20.0f, 7.0f, -0.8f);
}

void CSelvarinEffect::BuildCastingCircle() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount == 0) AddCastingRings("접시-파랑.tga");
}

void CSelvarinEffect::AddCastingRings(const char* texture) {
  for (const CastingRing& ring : kCastingRings) {
    CEffectPrimitive* p = AddPrimitive(SwirlRing);
    p->m_fading = 1;
    p->m_primitiveFlags = kCastingFlags;
    p->m_lifetime = 120;
    p->m_fadeStartFrame = 100;
    p->m_eventFrames[0] = 20;
    p->m_eventFrames[1] = 60;
    p->m_pos = m_ownerPos;
    p->m_innerRingRadius = 4.0f;
    p->m_yawSpeed = ring.yawSpeed;
    p->m_outerRingRadius = ring.outer;
    p->m_widthSpeed = ring.widthSpeed;
    Texture(p, texture);
  }
}

void CSelvarinEffect::BuildGlowRing() {
  m_pos.x = static_cast<float>(m_owner->m_screenX);
  m_pos.y = static_cast<float>(m_owner->m_screenY);
  if (m_tickCount == 0) AddGlowRing(*this, "알파3.tga");
}

void CSelvarinEffect::BuildGroundRing() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount == 0) {
    m_owner->OnMessage(this, kTickMessage, 0, 0, 0);
    CEffectPrimitive* p = AddPrimitive(SweepRing);
    p->m_lifetime = 50;
    p->m_pos = m_ownerPos;
    p->m_pitch = 90.0f;
    p->m_matrix.MakeRotationX(1.5707964f);
    p->m_radiusSpeed = 3.0f;
    p->m_radiusAccel = 3.0f / static_cast<float>(p->m_lifetime) * -0.6666667f;
    p->m_size = 7.5f;
    p->m_red = 236;
    p->m_green = 233;
    p->m_blue = 174;
    p->m_alphaStep = -(p->m_alpha / static_cast<float>(p->m_lifetime));
    Texture(p, "알파1.tga");
    p->m_trailCount = 5;
    p->FillTrail();
  }
  ShakeStep(3);
}

void CSelvarinEffect::BuildShrinkingRing() {
  static constexpr FlatRing kRing{"알파1.tga", 30, 9.0f, -0.3f, 0.0066666668f, 1.85f, 10, 0.033333335f};
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount != 0) return;
  m_owner->OnMessage(this, kTickMessage, 0, 0, 0);
  CEffectPrimitive* p = AddFlatRing(*this, kRing);
  p->m_primitiveFlags = kFlaggedBatches;
  p->m_red = 245;
  p->m_green = 245;
  p->m_blue = 50;
}

void CSelvarinEffect::BuildGlowPulse() {
  if (m_tickCount == 0 || m_tickCount == 2) AddScreenPulse(*this, "알파1.tga", 20, 0.05f, 25.0f, 20.0f, 3.5f, -0.5f);
}

void CSelvarinEffect::BuildMagicCircle() {
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (t == 0) AddDisc(*this, "알파3.tga", m_lifetime, 17.0f);
  if (Every(t, 15)) AddRisingRing(*this, m_row.name);
  if (Every(t, 10)) AddSpreadingRing(*this, m_row.name);
  if (Every(t, 5)) AddCircleSparks(*this, 10, "Ef_Particle1");
}
