#include "effect/EffectShapes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "platform/Random.h"

namespace effect_shapes {

namespace {
namespace effectshapes {

constexpr int32_t kFlaggedMotion = 0x20001;
constexpr float kQuarterTurn = 1.570796f;

float Frames(int32_t frames) { return static_cast<float>(std::max(frames, 1)); }
float Degrees(int modulus) { return static_cast<float>(platform::Rand() % modulus); }

CEffectPrimitive* AddAt(CSelvarinEffect& e, EffectPrimitiveKind kind, const Vec3& offset) {
  CEffectPrimitive* p = e.AddPrimitive(kind);
  p->m_baseOffset = offset;
  p->m_pos = e.m_ownerPos + offset;
  Tint(p, e);
  return p;
}

void Textures(CEffectPrimitive* p, const char* const* names, int count) {
  for (int i = 0; i < count; ++i) p->AddTexture(names[i]);
  p->m_textureCount = count;
  p->m_frameStep = 2;
  p->UnlockTextures();
}

}  // namespace effectshapes
}  // namespace

void Texture(CEffectPrimitive* p, const char* name) {
  p->AddTexture(name);
  p->UnlockTextures();
}

void Sprite(CEffectPrimitive* p, const char* name) {
  const std::string path = std::string("effect\\") + name;
  p->m_sprName = path + ".spr";
  p->m_actName = path + ".act";
}

void Tint(CEffectPrimitive* p, const CSelvarinEffect& effect) {
  p->m_red = effect.m_red;
  p->m_green = effect.m_green;
  p->m_blue = effect.m_blue;
}

void LayFlat(CEffectPrimitive* p) {
  p->m_pitch = 90.0f;
  p->m_matrix.MakeRotationX(effectshapes::kQuarterTurn);
}

Vec3 Forward(const Matrix& m) { return {m.m[2], m.m[5], m.m[8]}; }

// The half turn about the bisector of +z and the direction: it swaps the
// two, and being symmetric it gives the direction both as its third column
// (where the kinds move) and as its third row (how CrossQuad lays out its
// quads).
Matrix FacingAlong(const Vec3& direction) {
  const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y + direction.z * direction.z);
  const Vec3 d = length > 0.0f ? direction * (1.0f / length) : Vec3{0.0f, 0.0f, 1.0f};
  Vec3 n{d.x, d.y, d.z + 1.0f};
  const float n2 = n.x * n.x + n.y * n.y + n.z * n.z;
  Matrix m;
  if (n2 < 1e-6f) {
    // Straight back along -z: a half turn about x.
    m.m[4] = -1.0f;
    m.m[8] = -1.0f;
    return m;
  }
  n = n * (1.0f / std::sqrt(n2));
  const float v[3] = {n.x, n.y, n.z};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) m.m[r * 3 + c] = 2.0f * v[r] * v[c] - (r == c ? 1.0f : 0.0f);
  }
  return m;
}

bool Every(int32_t t, int32_t period, int32_t until) { return t % period == 0 && (until == 0 || t < until); }

CEffectPrimitive* AddFlatRing(CSelvarinEffect& e, const FlatRing& ring, const Vec3& offset) {
  CEffectPrimitive* p = effectshapes::AddAt(e, SweepRing, offset);
  LayFlat(p);
  p->m_lifetime = ring.lifetime;
  p->m_fadeStartFrame = ring.fadeStart;
  p->m_alphaStep = -(p->m_alpha * ring.fadeRate);
  p->m_radius = ring.radius;
  p->m_radiusSpeed = ring.radiusSpeed;
  p->m_radiusAccel = ring.radiusAccel;
  p->m_size = ring.size;
  Texture(p, ring.texture);
  return p;
}

CEffectPrimitive* AddDisc(CSelvarinEffect& e, const char* texture, int32_t lifetime, float radius) {
  CEffectPrimitive* p = e.AddPrimitive(SweepRing);
  p->m_primitiveFlags = effectshapes::kFlaggedMotion;
  p->m_fading = 1;
  p->m_lifetime = lifetime;
  p->m_fadeStartFrame = lifetime - 30;
  p->m_pos = e.m_ownerPos;
  LayFlat(p);
  p->m_alpha = 0.0f;
  p->m_alphaMax = 150.0f;
  p->m_alphaStep = 5.0f;
  Tint(p, e);
  p->m_radius = radius;
  Texture(p, texture);
  return p;
}

CEffectPrimitive* AddRisingRing(CSelvarinEffect& e, const char* texture) {
  CEffectPrimitive* p = e.AddPrimitive(SwirlRing);
  p->m_primitiveFlags = effectshapes::kFlaggedMotion;
  p->m_pos = e.m_ownerPos;
  p->m_yawSpeed = 3.0f;
  p->m_matrix.MakeRotationX(p->m_pitch * kDegToRad);
  p->m_lifetime = 40;
  p->m_eventFrames[0] = 20;
  p->m_outerRingRadius = 6.0f;
  p->m_innerRingRadius = 6.0f;
  p->m_widthSpeed = 1.5f;
  p->m_fadeStartFrame = 30;
  Texture(p, texture);
  return p;
}

CEffectPrimitive* AddSpreadingRing(CSelvarinEffect& e, const char* texture) {
  CEffectPrimitive* p = e.AddPrimitive(SwirlRing);
  p->m_primitiveFlags = effectshapes::kFlaggedMotion;
  p->m_pos = e.m_ownerPos;
  p->m_yawSpeed = -4.0f;
  p->m_matrix.MakeRotationY(p->m_yaw * kDegToRad);
  p->m_lifetime = 20;
  p->m_eventFrames[0] = 10;
  p->m_outerRingRadius = 11.0f;
  p->m_innerRingRadius = 6.0f;
  p->m_ringSpeed = 0.5f;
  p->m_ringAccel = -0.025f;
  p->m_widthSpeed = 1.0f;
  p->m_fadeStartFrame = 15;
  Texture(p, texture);
  return p;
}

void AddCircleSparks(CSelvarinEffect& e, int count, const char* sprite) {
  for (int i = 0; i < count; ++i) {
    CEffectPrimitive* p = e.AddPrimitive(SpriteFlight);
    p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
    p->m_lifetime = 20;
    p->m_radius = static_cast<float>(platform::Rand() % 4 + 6);
    p->m_matrix.MakeRotationY(effectshapes::Degrees(360) * kDegToRad);
    p->m_baseOffset = Forward(p->m_matrix) * p->m_radius;
    p->m_pos = e.m_ownerPos + p->m_baseOffset;
    p->m_matrix.RotateX(1.134464f);
    p->m_speed = 1.0f;
    p->m_accel = (1.0f / effectshapes::Frames(p->m_lifetime)) * -0.6666667f;
    p->m_alpha = 0.0f;
    p->m_alphaMax = 128.0f;
    p->m_alphaStep = 12.8f;
    p->m_fadeStartFrame = 15;
    p->m_size = static_cast<float>(platform::Rand() % 30 + 20) * 0.01f;
    Sprite(p, sprite);
    p->m_trailCount = 5;
    p->FillTrail();
  }
}

void AddInwardSparks(CSelvarinEffect& e, int count, const char* sprite) {
  for (int i = 0; i < count; ++i) {
    CEffectPrimitive* p = e.AddPrimitive(SpriteFlight);
    p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
    p->m_lifetime = 30;
    p->m_radius = static_cast<float>(platform::Rand() % 6 + 24);
    p->m_yaw = effectshapes::Degrees(360);
    p->m_pitch = static_cast<float>(platform::Rand() % 60 + 15);
    p->m_matrix = CEffectPrimitive::YawPitch(p->m_yaw, p->m_pitch);
    p->m_baseOffset = Forward(p->m_matrix) * p->m_radius;
    p->m_pos = e.m_ownerPos + p->m_baseOffset;
    p->m_speed = -0.85f;
    p->m_accel = (-0.85f / effectshapes::Frames(p->m_lifetime)) * -1.1f;
    p->m_alpha = 0.0f;
    p->m_alphaMax = 150.0f;
    p->m_alphaStep = 15.0f;
    p->m_size = static_cast<float>(platform::Rand() % 30 + 30) * 0.01f;
    p->m_fadeStartFrame = 15;
    p->m_fadeFactor = 2.0f;
    Tint(p, e);
    Sprite(p, sprite);
    p->m_trailCount = 20;
    p->FillTrail();
  }
}

CEffectPrimitive* AddGlowRing(CSelvarinEffect& e, const char* texture) {
  CEffectPrimitive* p = e.AddPrimitive(ScreenRing);
  p->m_baseOffset = Vec3{0.0f, -20.0f, 0.0f};
  p->m_pos = e.m_pos + p->m_baseOffset;
  p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
  p->m_fading = 1;
  p->m_lifetime = 30;
  p->m_fadeStartFrame = 15;
  p->m_radius = 50.0f;
  p->m_segmentStep = 10.0f;
  p->m_alpha = 0.0f;
  p->m_alphaMax = 128.0f;
  p->m_alphaStep = 8.5333338f;
  Tint(p, e);
  Texture(p, texture);
  return p;
}

CEffectPrimitive* AddScreenPulse(CSelvarinEffect& e, const char* texture, int32_t lifetime, float fadeRate,
                                 float radius, float size, float radiusSpeed, float sizeSpeed) {
  CEffectPrimitive* p = e.AddPrimitive(ScreenRing);
  p->m_pos = e.m_pos;
  p->m_lifetime = lifetime;
  p->m_alphaStep = -(p->m_alpha * fadeRate);
  p->m_radius = radius;
  p->m_segmentStep = 10.0f;
  p->m_size = size;
  p->m_radiusSpeed = radiusSpeed;
  p->m_sizeSpeed = sizeSpeed;
  Tint(p, e);
  Texture(p, texture);
  return p;
}

void AddSpiral(CSelvarinEffect& e, const Spiral& spiral) {
  const float turn = effectshapes::Degrees(360);
  for (int i = 0; i < spiral.count; ++i) {
    CEffectPrimitive* p = effectshapes::AddAt(e, SpriteSpiral, Vec3{0.0f, spiral.rise, 0.0f});
    p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
    p->m_lifetime = spiral.lifetime;
    p->m_yaw = turn + 360.0f * static_cast<float>(i) / static_cast<float>(spiral.count);
    p->m_matrix.MakeRotationY(p->m_yaw * kDegToRad);
    p->m_radius = spiral.radius;
    p->m_radiusSpeed = spiral.radiusSpeed;
    p->m_yawSpeed = spiral.yawSpeed;
    p->m_riseSpeed = spiral.riseSpeed;
    p->m_riseAccel = spiral.riseAccel;
    p->m_eventFrames[0] = spiral.turnFrame;
    p->m_pos = p->m_pos + Forward(p->m_matrix) * spiral.radius;
    p->m_size = spiral.size;
    p->m_fadeStartFrame = spiral.lifetime / 2;
    Sprite(p, spiral.sprite);
    p->m_trailCount = spiral.trail;
    p->FillTrail();
  }
}

void AddRisingSprites(CSelvarinEffect& e, int count, const char* sprite, float spread, const Vec3& at) {
  const int reach = std::max(static_cast<int>(spread), 1);
  for (int i = 0; i < count; ++i) {
    Matrix around;
    around.MakeRotationY(effectshapes::Degrees(360) * kDegToRad);
    const Vec3 offset = at + Forward(around) * static_cast<float>(platform::Rand() % reach);
    CEffectPrimitive* p = effectshapes::AddAt(e, SpriteFlight, offset);
    p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
    p->m_matrix = CEffectPrimitive::YawPitch(0.0f, 90.0f);  // the forward axis points up
    p->m_lifetime = 30;
    p->m_speed = static_cast<float>(platform::Rand() % 40 + 30) * 0.01f;
    p->m_fadeStartFrame = 15;
    p->m_size = static_cast<float>(platform::Rand() % 40 + 40) * 0.01f;
    Sprite(p, sprite);
    p->m_trailCount = 3;
    p->FillTrail();
  }
}

CEffectPrimitive* AddShot(CSelvarinEffect& e, const Vec3& from, int32_t frames, const char* const* textures,
                          int textureCount, float width, float height) {
  CEffectPrimitive* p = effectshapes::AddAt(e, CrossQuad, from);
  const Vec3 way = from * -1.0f;
  p->m_matrix = FacingAlong(way);
  const float distance = std::sqrt(way.x * way.x + way.y * way.y + way.z * way.z);
  p->m_speed = distance / effectshapes::Frames(frames);
  p->m_lifetime = frames;
  p->m_width = width;
  p->m_height = height;
  effectshapes::Textures(p, textures, textureCount);
  return p;
}

CEffectPrimitive* AddBolt(CSelvarinEffect& e, const Vec3& at, int32_t lifetime, const char* const* textures,
                          int textureCount) {
  constexpr float kHalfHeight = 40.0f;
  CEffectPrimitive* p = effectshapes::AddAt(e, CrossQuad, at + Vec3{0.0f, -kHalfHeight, 0.0f});
  p->m_matrix = FacingAlong(Vec3{0.0f, 1.0f, 0.0f});
  p->m_lifetime = lifetime;
  p->m_fadeStartFrame = lifetime / 2;
  p->m_width = 6.0f;
  p->m_height = kHalfHeight;
  effectshapes::Textures(p, textures, textureCount);
  p->m_frameStep = 1;
  return p;
}

Matrix GroundPlane() {
  Matrix m;
  m.m[0] = 0.0f;
  m.m[3] = 1.0f;  // the first axis points down
  m.m[1] = 1.0f;
  m.m[4] = 0.0f;  // the second along x
  return m;
}

CEffectPrimitive* AddSpriteAt(CSelvarinEffect& e, const char* sprite, const Vec3& at, int32_t lifetime, float size) {
  CEffectPrimitive* p = effectshapes::AddAt(e, SpriteFlight, at);
  p->m_lifetime = lifetime;
  p->m_fadeStartFrame = lifetime / 2;
  p->m_size = size;
  Sprite(p, sprite);
  p->FillTrail();
  return p;
}

}  // namespace effect_shapes
