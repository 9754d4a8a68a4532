// The hit, guard, shard, ring helix, screen shake and ground burst builders.
// Sprays differ only in their ranges and in the order they draw rand, so one
// function reads a row of them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/FrameMgr.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "render/3dView.h"

namespace {
namespace selvarineffecthits {

constexpr float kBrake = -0.71428573f;
constexpr int32_t kQuakeOverlay = 4;

Vec3 Column(const Matrix& m, int c) { return {m.m[c], m.m[3 + c], m.m[6 + c]}; }
Vec3 Forward(const Matrix& m) { return Column(m, 2); }
float Frames(int32_t frames) { return static_cast<float>(std::max(frames, 1)); }

C3dView* CurrentView() {
  return g_pCurrentFrame != nullptr ? dynamic_cast<C3dView*>(g_pCurrentFrame->m_pView) : nullptr;
}

// 202-204's table.
struct HitRow {
  float outer, inner, width;
  int forwardCount, backCount;
  int speedSpread, lifeSpread, sizeBase;
  float ring;
  int riseSpread, riseBase;
  bool heavy;
};

constexpr HitRow kHits[] = {
    {15.0f, 8.0f, 5.0f, 30, 30, 90, 29, 30, 5.0f, 90, 30, false},
    {16.0f, 9.0f, 6.0f, 45, 45, 140, 34, 40, 6.0f, 170, 40, false},
    {17.0f, 10.0f, 7.0f, 30, 30, 190, 39, 50, 7.0f, 250, 50, true},
};

// The numbers whose builders move the view.
constexpr EffectId kShakingNumbers[] = {213, 214, 216, 1054, 1055, 1017, 223};

}  // namespace selvarineffecthits
}  // namespace

// One spray of sparks or shards; `order` lists the draws as the row makes them.
struct CSelvarinEffect::SprayRow {
  // rand() % modulus + base.
  struct Range {
    int modulus;
    int base;
    int Draw() const { return platform::Rand() % modulus + base; }
  };
  enum class Draw : uint8_t { End, Yaw, Pitch, Reach, Speed, Lifetime, Rise, Size, Piece };

  EffectPrimitiveKind kind;
  int count;
  Draw order[8];
  Range yaw;
  bool yawFromHeading;  // yaw adds h
  Range pitch;
  Range reach;          // modulus 0: no draw, the fixed reach instead
  float fixedReach;
  float reachSign;
  float lift;           // baseOffset.y is this much smaller
  Range speed, lifetime, rise, size;
  float riseFactor;
  bool brake;           // accel from kBrake, else -speed / lifetime
  bool shrink;          // sizeSpeed takes the size to nothing over the life
  int32_t flags;
  int32_t fadeStart;
  int32_t trail;
  const char* sprite;   // a %d takes the piece number
};

struct CSelvarinEffect::RingRow {
  float yawAdd, push, radius, size, speed, radiusSpeed;
};

namespace {
namespace selvarineffecthits {

using Spray = CSelvarinEffect::SprayRow;
using Draw = Spray::Draw;

Spray ForwardSparks(const HitRow& hit) {
  return {SpriteFlight, hit.forwardCount,
          {Draw::Yaw, Draw::Pitch, Draw::Reach, Draw::Speed, Draw::Lifetime, Draw::Size},
          {80, 140}, true, {100, 310}, {4, 4}, 0.0f, 1.0f, 10.0f,
          {hit.speedSpread, 60}, {hit.lifeSpread, 6}, {1, 0}, {100, hit.sizeBase},
          0.0f, true, true, CEffectPrimitive::kMotionFlag, 0, 5, "effect\\Ef_Particle1"};
}

Spray BackSparks(const HitRow& hit) {
  return {SpriteBounce, hit.backCount,
          {Draw::Yaw, Draw::Pitch, Draw::Reach, Draw::Lifetime, Draw::Speed, Draw::Rise, Draw::Size},
          {80, -40}, true, {100, 130}, {4, 4}, 0.0f, -1.0f, 10.0f,
          {hit.speedSpread, 60}, {hit.lifeSpread, 6}, {hit.riseSpread, hit.riseBase}, {100, hit.sizeBase},
          2.0f, true, true, 0, 0, 5, "effect\\Ef_Particle1"};
}

constexpr Spray kHeavySpray{SpriteBounce, 30,
                            {Draw::Yaw, Draw::Lifetime, Draw::Speed, Draw::Rise, Draw::Size},
                            {360, 0}, false, {1, 0}, {0, 0}, 2.5f, 1.0f, 0.0f,
                            {90, 50}, {39, 6}, {190, 60}, {100, 30},
                            4.0f, false, true, 0, 0, 5, "effect\\Ef_Particle2"};

constexpr Spray kGuardSparks{SpriteBounce, 45,
                             {Draw::Yaw, Draw::Pitch, Draw::Reach, Draw::Speed, Draw::Lifetime, Draw::Rise},
                             {80, 140}, true, {100, 130}, {3, 3}, 0.0f, -1.0f, 5.0f,
                             {120, 30}, {34, 6}, {250, 50}, {1, 0},
                             6.0f, true, true, 0, 0, 10, "effect\\Ef_Particle1"};

constexpr Spray kShards{SpriteBounce, 5,
                        {Draw::Yaw, Draw::Lifetime, Draw::Speed, Draw::Rise, Draw::Size, Draw::Piece},
                        {360, 0}, false, {1, 0}, {0, 0}, 2.5f, 1.0f, 0.0f,
                        {90, 50}, {39, 6}, {190, 60}, {100, 30},
                        4.0f, false, false, 0, -1, 1, "effect\\기데온_쪼가리%d"};

constexpr CSelvarinEffect::RingRow kGuardRing{180.0f, 1.5f, 3.0f, 5.0f, 0.0f, 0.85f};

}  // namespace selvarineffecthits
}  // namespace

void CSelvarinEffect::AddSpray(const SprayRow& row, float h) {
  for (int i = 0; i < row.count; ++i) {
    CEffectPrimitive* p = AddPrimitive(row.kind);
    float yaw = 0.0f;
    float pitch = 0.0f;
    bool pitched = false;
    float reach = row.fixedReach;
    float size = p->m_size;
    int piece = 1;
    for (const SprayRow::Draw draw : row.order) {
      switch (draw) {
        case SprayRow::Draw::End:
          break;
        case SprayRow::Draw::Yaw:
          yaw = static_cast<float>(row.yaw.Draw()) + (row.yawFromHeading ? h : 0.0f);
          break;
        case SprayRow::Draw::Pitch:
          pitch = static_cast<float>(row.pitch.Draw());
          pitched = true;
          break;
        case SprayRow::Draw::Reach:
          reach = static_cast<float>(row.reach.Draw());
          break;
        case SprayRow::Draw::Speed:
          p->m_speed = static_cast<float>(row.speed.Draw()) * 0.01f;
          break;
        case SprayRow::Draw::Lifetime:
          p->m_lifetime = row.lifetime.Draw();
          break;
        case SprayRow::Draw::Rise:
          p->m_riseSpeed = -static_cast<float>(row.rise.Draw()) * 0.01f;
          break;
        case SprayRow::Draw::Size:
          size = static_cast<float>(row.size.Draw()) * 0.01f;
          break;
        case SprayRow::Draw::Piece:
          piece = platform::Rand() % 8 + 1;
          break;
      }
    }
    p->m_primitiveFlags = row.flags;
    p->m_yaw = yaw;
    p->m_pitch = pitch;
    if (pitched) {
      p->m_matrix = CEffectPrimitive::YawPitch(yaw, pitch);
    } else {
      p->m_matrix.MakeRotationY(yaw * kDegToRad);
    }
    p->m_baseOffset = selvarineffecthits::Forward(p->m_matrix) * (reach * row.reachSign);
    p->m_baseOffset.y -= row.lift;
    p->m_pos = m_ownerPos + p->m_baseOffset;
    if (row.kind == SpriteBounce) p->m_matrix.MakeRotationY(yaw * kDegToRad);
    const float life = selvarineffecthits::Frames(p->m_lifetime);
    p->m_accel = row.brake ? p->m_speed / life * selvarineffecthits::kBrake : -p->m_speed / life;
    p->m_riseAccel = -(p->m_riseSpeed / life) * row.riseFactor;
    p->m_fadeStartFrame = row.fadeStart;
    p->m_size = size;
    if (row.shrink) p->m_sizeSpeed = -(size / life);
    char name[64];
    std::snprintf(name, sizeof name, row.sprite, piece);
    p->m_sprName = std::string(name) + ".spr";
    p->m_actName = std::string(name) + ".act";
    p->m_trailCount = row.trail;
    p->FillTrail();
  }
}

void CSelvarinEffect::AddSweepRing(const RingRow& row, float h) {
  CEffectPrimitive* p = AddPrimitive(SweepRing);
  p->m_baseOffset = Vec3{0.0f, -10.0f, 0.0f};
  p->m_yaw = h + row.yawAdd;
  p->m_radius = row.radius;
  p->m_size = row.size;
  p->m_matrix.MakeRotationY(p->m_yaw * kDegToRad);
  p->m_baseOffset = p->m_baseOffset + selvarineffecthits::Forward(p->m_matrix) * row.push;
  p->m_pos = m_ownerPos + p->m_baseOffset;
  p->m_lifetime = 16;
  p->m_speed = row.speed;
  p->m_accel = -row.speed / 16.0f;
  p->m_radiusSpeed = row.radiusSpeed;
  p->m_radiusAccel = -row.radiusSpeed / 16.0f;
  p->m_fadeStartFrame = 0;
  p->FillTrail();
  p->AddTexture("링_노랑.tga");
  p->UnlockTextures();
}

void CSelvarinEffect::AddSwirlRing(float h, float outer, float inner, float width) {
  CEffectPrimitive* p = AddPrimitive(SwirlRing);
  p->m_yaw = h;
  p->m_pitch = 90.0f;
  p->m_matrix = CEffectPrimitive::YawPitch(h, 90.0f);
  p->m_baseOffset = selvarineffecthits::Column(p->m_matrix, 1) * -1.5f;
  p->m_baseOffset.y -= 10.0f;
  p->m_lifetime = 16;
  p->m_pos = m_ownerPos + p->m_baseOffset;
  p->m_speed = 0.75f;
  p->m_accel = -0.046875f;
  p->m_outerRingRadius = outer;
  p->m_innerRingRadius = inner;
  p->m_width = width;
  p->m_alphaStep = -(p->m_alpha / 16.0f);
  p->AddTexture("링_파랑.tga");
  p->UnlockTextures();
}

void CSelvarinEffect::BuildHit() {
  if (m_tickCount != 0) return;
  const selvarineffecthits::HitRow& hit = selvarineffecthits::kHits[std::clamp(m_effectId - 202, 0, 2)];
  const float h = std::trunc(SnapToSectorCentre(CEffectPrimitive::WholeNumber(m_ownerHeading)));
  AddSwirlRing(h, hit.outer, hit.inner, hit.width);
  AddSpray(selvarineffecthits::ForwardSparks(hit), h);
  AddSweepRing(RingRow{0.0f, 0.0f, hit.ring, hit.ring, 1.25f, 0.65f}, h);
  AddSpray(selvarineffecthits::BackSparks(hit), h);
  if (hit.heavy) AddSpray(selvarineffecthits::kHeavySpray, h);
}

void CSelvarinEffect::BuildGuard() {
  if (m_tickCount != 0) return;
  const float h = std::trunc(SnapToSectorCentre(CEffectPrimitive::WholeNumber(m_ownerHeading)));
  AddSweepRing(selvarineffecthits::kGuardRing, h);
  AddSpray(selvarineffecthits::kGuardSparks, h);
}

void CSelvarinEffect::BuildShards() {
  RefreshOwner(true);
  if (m_tickCount == 0) AddSpray(selvarineffecthits::kShards, 0.0f);
}

void CSelvarinEffect::BuildRingHelix() {
  if (m_tickCount != 0) return;
  CEffectPrimitive* p = AddPrimitive(RingWall);
  p->m_lifetime = 200;
  p->m_size = 2.0f;
  p->m_anchor = m_ownerPos;
  p->m_anchor.y -= 5.0f;
  p->m_radius = static_cast<float>(platform::Rand() % 10 + 10);
  const int r = platform::Rand();
  p->m_yawSpeed = 10.0f;
  p->m_width = -0.25f;
  p->m_yaw = static_cast<float>(r % 360);
  p->AddTexture("링_노랑.tga");
  p->UnlockTextures();
  const float a = p->m_yaw * kDegToRad;
  const float b = (p->m_yaw + p->m_yawSpeed) * kDegToRad;
  p->m_p1 = p->m_anchor + Vec3{std::sin(a) * p->m_radius, 0.0f, -std::cos(a) * p->m_radius};
  p->m_p2 = p->m_anchor + Vec3{std::sin(b) * p->m_radius, p->m_width, -std::cos(b) * p->m_radius};
  p->m_p3 = p->m_p1;
  p->m_p3.y -= p->m_size;
  p->m_p4 = p->m_p2;
  p->m_p4.y -= p->m_size;
  p->m_trailCount = 40;
  p->FillTrail();
}

void CSelvarinEffect::ShakeStep(int axis) {
  if (m_tickCount % 2 != 0) return;
  m_strength = -m_strength;
  C3dView* view = selvarineffecthits::CurrentView();
  if (view == nullptr) return;
  const auto s = static_cast<float>(m_strength);
  view->m_offset = axis == 0 ? Vec3{s, 0.0f, 0.0f} : Vec3{0.0f, 0.0f, s};
}

void CSelvarinEffect::BuildScreenShake() {
  ShakeStep(m_effectId == 214 || m_effectId == 1055 ? 3 : 0);
}

void CSelvarinEffect::AddBurstRing(float scale) {
  CEffectPrimitive* ring = AddPrimitive(SweepRing);
  ring->m_pos = m_ownerPos;
  ring->m_pitch = 90.0f;
  ring->m_matrix.MakeRotationX(1.570796f);
  ring->m_lifetime = 20;
  ring->m_fadeStartFrame = 2;
  ring->m_size = 5.0f;
  ring->m_radiusSpeed = scale - 1.0f;
  ring->m_radiusAccel = (scale - 1.0f) * 0.05f * -0.8f;
  ring->AddTexture("알파1.tga");
  ring->UnlockTextures();
  ring->m_red = 236;
  ring->m_green = 233;
  ring->m_blue = 174;
  ring->m_trailCount = 5;
  ring->FillTrail();
}

void CSelvarinEffect::AddBurstBlast(float scale) {
  CEffectPrimitive* blast = AddPrimitive(SpriteFlight);
  blast->m_lifetime = 30;
  blast->m_baseOffset = Vec3{0.0f, -8.0f, 0.0f};
  blast->m_pos = m_ownerPos - blast->m_baseOffset;
  blast->m_size = scale;
  blast->m_fadeStartFrame = 15;
  blast->m_sprName = "effect\\Ef_Explo.spr";
  blast->m_actName = "effect\\Ef_Explo.act";
  blast->FillTrail();
}

// The hit's forward sparks thrown all round.
void CSelvarinEffect::AddRoundSpray(int count, const char* sprite) {
  selvarineffecthits::Spray row = selvarineffecthits::ForwardSparks(selvarineffecthits::kHits[0]);
  row.count = count;
  row.yaw = SprayRow::Range{360, 0};
  row.yawFromHeading = false;
  const std::string path = std::string("effect\\") + sprite;
  row.sprite = path.c_str();
  AddSpray(row, 0.0f);
}

void CSelvarinEffect::BuildGroundBurst() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount == 0) {
    AddBurstRing(m_scale);
    AddBurstBlast(m_scale);
    m_strength = 1;
  }
  if (m_tickCount <= 20) ShakeStep(0);
}

void CSelvarinEffect::EndShake() const {
  if (std::find(std::begin(selvarineffecthits::kShakingNumbers), std::end(selvarineffecthits::kShakingNumbers), m_effectId) == std::end(selvarineffecthits::kShakingNumbers)) {
    return;
  }
  const auto* frame = dynamic_cast<const CSelvarinFrame*>(g_pCurrentFrame);
  if (frame != nullptr && frame->m_overlayState == selvarineffecthits::kQuakeOverlay) return;
  if (C3dView* view = selvarineffecthits::CurrentView()) view->m_offset = Vec3{};
}
