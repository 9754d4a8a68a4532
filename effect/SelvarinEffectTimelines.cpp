// The builders whose timelines are this game's own design: each is a short
// schedule of the shared pieces (flat rings, discs, swirls, sprays, inward
// sparks, glows, bolts and shots), in the effect's colour, at its owner.
#include <algorithm>
#include <iterator>

#include "effect/EffectShapes.h"
#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/Wave.h"
#include "platform/Random.h"

namespace {

using namespace effect_shapes;

constexpr int kHitSignal = 60;  // to the owning spell

// rand() % (2 * reach + 1) - reach: a spread about 0.
float Spread(int reach) { return static_cast<float>(platform::Rand() % (2 * reach + 1) - reach); }
Vec3 Around(int reach) {
  const float x = Spread(reach);
  const float z = Spread(reach);
  return {x, 0.0f, z};
}

constexpr const char* kFireArrows[] = {"불화살1.tga", "불화살2.tga", "불화살3.tga", "불화살4.tga",
                                       "불화살5.tga", "불화살6.tga", "불화살7.tga", "불화살8.tga"};
constexpr const char* kIceArrow[] = {"얼음화살.tga"};
constexpr const char* kRainDrop[] = {"알파2.tga"};
constexpr const char* kBolts[] = {"번개01.tga", "번개02.tga", "번개03.tga", "번개04.tga"};
constexpr int kBoltCount = static_cast<int>(std::size(kBolts));

constexpr FlatRing kGatheringRing{"알파3.tga", 30, 20.0f, -0.6f, 0.0f, 3.0f, 15, 0.0f};
constexpr Spiral kGatheringSpiral{"Ef_Particle1", 4, 30, 20.0f, -0.6f, 8.0f, -0.2f, 0.0f, -2.0f, 0.5f, 5};
constexpr FlatRing kAuraRing{"알파1.tga", 40, 4.0f, 0.6f, -0.01f, 2.0f, 0, 0.0f};
constexpr Spiral kAuraSpiral{"Ef_Particle1", 1, 40, 8.0f, 0.0f, 9.0f, -0.4f, 0.0f, 0.0f, 0.6f, 8};
constexpr Spiral kEruptionSpiral{"Ef_Particle1", 4, 30, 3.0f, 0.3f, 12.0f, -2.5f, 0.0f, 0.0f, 0.8f, 6};
constexpr FlatRing kBurstRing{"알파3.tga", 40, 3.0f, 1.2f, -0.02f, 4.0f, 10, 0.0f};
constexpr FlatRing kSparkleRing{"알파3.tga", 25, 2.0f, 0.2f, 0.0f, 2.0f, 5, 0.0f};
constexpr Spiral kBurstSpiral{"Ef_Particle1", 12, 120, 10.0f, 0.0f, 6.0f, -0.1f, 0.0f, -8.0f, 0.6f, 6, 40};
constexpr Spiral kSnowSpiral{"Ef_Snow", 3, 40, 6.0f, 0.2f, 10.0f, -0.8f, 0.0f, 0.0f, 0.6f, 3};
constexpr Spiral kBattleSparks{"Ef_Particle1", 16, 40, 1.0f, 0.6f, 2.0f, -1.5f, 0.08f, -5.0f, 0.5f, 5};

// The three dust, spray and sprite names of the bursts.
const char* BurstSprite(EffectId id) {
  switch (id) {
    case 255:
      return "Ef_Particle2";
    case 257:
      return "Ef_Particle6";
    default:
      return "Ef_Particle7";
  }
}

}  // namespace

// An arrow family: where the shots start, how long they fly, what they
// look and sound like, and what they leave where they land.
struct CSelvarinEffect::ShotRow {
  const char* const* textures;
  int textureCount;
  bool fromStartPoint;  // else from `above` over the owner
  float above;
  int32_t frames;
  const char* launchWave;
  const char* hitSprite;
  const char* hitWave;  // null: none
};

void CSelvarinEffect::BuildShots(const ShotRow& row) {
  constexpr int32_t kInterval = 10;
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (t % kInterval == 0 && t / kInterval < m_pieceCount) {
    Vec3 from = row.fromStartPoint ? m_startPoint - m_ownerPos : Vec3{0.0f, -row.above, 0.0f};
    if (t > 0) from = from + Around(10);
    AddShot(*this, from, row.frames, row.textures, row.textureCount, 1.5f, 8.0f);
    PlayWave(row.launchWave);
  }
  const int32_t landed = t - row.frames;
  if (landed >= 0 && landed % kInterval == 0 && landed / kInterval < m_pieceCount) {
    AddSpriteAt(*this, row.hitSprite, Vec3{0.0f, -5.0f, 0.0f}, 30, 1.0f);
    if (row.hitWave != nullptr) PlayWave(row.hitWave);
    m_owner->OnMessage(this, kHitSignal, 0, 0, 0);
  }
}

void CSelvarinEffect::BuildFireArrows() {
  static constexpr ShotRow kRow{kFireArrows, 8, true, 0.0f, 30, "불떨어지는소리4.wav", "Ef_Fire1", "화염계로맞았을때1.wav"};
  BuildShots(kRow);
}

void CSelvarinEffect::BuildIceArrows() {
  static constexpr ShotRow kRow{kIceArrow, 1, false, 80.0f, 20, "얼음화살.wav", "먼지", nullptr};
  BuildShots(kRow);
}

void CSelvarinEffect::BuildBladeSlash() {
  if (m_tickCount != 0) return;
  CEffectPrimitive* blade = AddPrimitive(ScreenBlade);
  blade->m_angle = -30.0f;
  blade->m_height = 8.0f;
  blade->m_heightSpeed = 10.0f;
  blade->m_eventFrames[0] = 6;
  blade->m_width = 6.0f;
  blade->m_lifetime = 12;
  Tint(blade, *this);
  Texture(blade, "Blank.tga");
  AddGlowRing(*this, "알파1.tga");
  for (int k = 0; k < 6; ++k) {
    CEffectPrimitive* p = AddPrimitive(ScreenSprite);
    const float along = (static_cast<float>(k) - 2.5f) * 8.0f;
    p->m_yaw = 30.0f;
    p->m_offset = Vec3{along * 0.8660254f, -along * 0.5f, 0.0f};
    p->m_pos = m_pos + p->m_offset;
    p->m_speed = 1.0f;
    p->m_lifetime = 16;
    p->m_fadeStartFrame = 0;
    p->m_sizeSpeed = -1.0f / 16.0f;
    Tint(p, *this);
    Sprite(p, "Ef_Particle1");
  }
}

void CSelvarinEffect::BuildFlash() {
  if (m_tickCount != 0) return;
  CEffectPrimitive* p = AddPrimitive(BeamQuad);
  p->m_anchor = m_ownerPos;
  p->m_radius = 30.0f;
  p->m_pitch = 75.0f;
  p->m_pitchSpeed = 20.0f;
  p->m_velocity = Vec3{3.0f, 0.0f, 0.0f};
  p->m_lifetime = 8;
  p->m_fadeStartFrame = 0;
  Tint(p, *this);
  Texture(p, "Blank.tga");
}

void CSelvarinEffect::BuildGatheringEnergy() {
  m_ownerPos = m_owner->m_pos;
  if (!Every(m_tickCount, m_effectId == 212 ? 6 : 8, 160)) return;
  AddFlatRing(*this, kGatheringRing);
  AddSpiral(*this, kGatheringSpiral);
}

void CSelvarinEffect::BuildEnergyGathering() {
  m_ownerPos = m_owner->m_pos;
  if (Every(m_tickCount, 5, 120)) AddInwardSparks(*this, m_effectId == 254 ? 5 : 3, "Ef_Particle1");
}

void CSelvarinEffect::BuildAura() {
  m_ownerPos = m_owner->m_pos;
  if (!Every(m_tickCount, 40)) return;
  AddDisc(*this, "알파3.tga", 60, 14.0f);
  AddFlatRing(*this, kAuraRing);
  AddSpiral(*this, kAuraSpiral);
  AddRisingSprites(*this, 3, "Ef_Particle1", 10.0f);
}

void CSelvarinEffect::BuildEruption() {
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (t == 0) {
    PlayWave("땅에서 뭔가 폭팔하는 소리2.wav");
    AddBurstRing(2.5f);
  }
  if (Every(t, 3, 60)) AddSpiral(*this, kEruptionSpiral);
  if (t < 60) ShakeStep(3);
  // The ground stops shaking with the last spiral, not at the effect's end.
  if (t == 60) EndShake();
}

void CSelvarinEffect::BuildComet() {
  constexpr float kFade = 20.0f;
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount != 0) return;
  CEffectPrimitive* p = AddPrimitive(SpriteFlight);
  p->m_primitiveFlags = CEffectPrimitive::kMotionFlag | CEffectPrimitive::kStopFlag4;
  p->m_fading = 1;
  p->m_lifetime = m_lifetime;
  p->m_baseOffset = Vec3{0.0f, -120.0f, 0.0f};
  p->m_pos = m_ownerPos + p->m_baseOffset;
  p->m_matrix = FacingAlong(Vec3{0.0f, 1.0f, 0.0f});
  p->m_speed = 3.0f;
  p->m_size = m_scale;
  p->m_fadeStartFrame = m_lifetime - static_cast<int32_t>(kFade);
  p->m_alpha = 0.0f;
  p->m_alphaStep = p->m_alphaMax / kFade;
  Tint(p, *this);
  Sprite(p, "Ef_Comet");
  p->FillTrail();
}

void CSelvarinEffect::BuildSnowBall() {
  // The water ball's row with the snow ball's picture.
  if (m_tickCount == 0) {
    if (const EffectRow* water = effect_tables::FindRow(267)) {
      m_row.fade = water->fade;
      m_scale = water->scale;
    }
    m_row.name = "Ef_SnowBall";
  }
  BuildFlyingSprite();
}

void CSelvarinEffect::BuildFireCircle() {
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (m_effectId == 239) {
    if (t == 0) AddDisc(*this, "알파3.tga", m_lifetime, 17.0f);
    if (Every(t, 30, 470)) AddRisingRing(*this, "접시-화염.tga");
    return;
  }
  if (t != 0 && (m_effectId == 232 || t % 120 != 0)) return;
  // The owning spell hits with each ring.
  m_owner->OnMessage(this, kHitSignal, 0, 0, 0);
  AddDisc(*this, "알파3.tga", 120, 17.0f);
  AddCastingRings("접시-화염.tga");
}

void CSelvarinEffect::BuildFireBurst() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount != 0) return;
  m_owner->OnMessage(this, kHitSignal, 0, 0, 0);
  PlayWave("화염계로맞았을때3.wav");
  AddBurstBlast(2.5f);
  AddRoundSpray(20, "Ef_Particle1");
}

void CSelvarinEffect::BuildBurst() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount != 0) return;
  AddFlatRing(*this, kBurstRing);
  if (m_effectId != 266) {
    CEffectPrimitive* p = AddPrimitive(SwirlRing);
    p->m_pos = m_ownerPos;
    p->m_lifetime = 40;
    p->m_fadeStartFrame = 20;
    p->m_innerRingRadius = 2.0f;
    p->m_outerRingRadius = 5.0f;
    p->m_ringSpeed = 0.8f;
    p->m_ringAccel = -0.01f;
    p->m_widthSpeed = 0.3f;
    p->m_yawSpeed = 6.0f;
    Tint(p, *this);
    Texture(p, "알파2.tga");
  }
  AddRoundSpray(20, BurstSprite(m_effectId));
}

void CSelvarinEffect::BuildSparkles() {
  m_ownerPos = m_owner->m_pos;
  if (!Every(m_tickCount, 10, 150)) return;
  const int count = m_effectId - 244;
  for (int i = 0; i < count; ++i) {
    const Vec3 at = Around(15);
    AddFlatRing(*this, kSparkleRing, at);
    AddRisingSprites(*this, 3, "Ef_Particle6", 3.0f, at);
  }
}

void CSelvarinEffect::BuildScreenBurst() {
  if (m_tickCount != 0) return;
  AddGlowRing(*this, "알파3.tga");
  for (int k = 0; k < 12; ++k) {
    CEffectPrimitive* p = AddPrimitive(SpriteBurst);
    p->m_baseOffset = Vec3{0.0f, -12.0f, 0.0f};
    p->m_yaw = static_cast<float>(k * 30);
    p->m_pitch = static_cast<float>((k % 3) * 40 - 40);
    p->m_pitchSpeed = 1.0f;
    p->m_yawSpeed = 4.0f;
    p->m_radius = 12.0f;
    p->m_matrix = CEffectPrimitive::YawPitch(p->m_yaw, p->m_pitch);
    p->m_pos = m_ownerPos + p->m_baseOffset + Forward(p->m_matrix) * p->m_radius;
    p->m_lifetime = 120;
    p->m_fadeStartFrame = 90;
    p->m_size = 0.7f;
    Tint(p, *this);
    Sprite(p, "Ef_Particle1");
    p->m_trailCount = 6;
    p->FillTrail();
  }
}

void CSelvarinEffect::BuildScreenSpiralBurst() {
  if (m_tickCount != 0) return;
  AddGlowRing(*this, "알파3.tga");
  AddSpiral(*this, kBurstSpiral);
}

void CSelvarinEffect::BuildDefenceRising() {
  if (m_tickCount != 0) return;
  AddGlowRing(*this, "알파3.tga");
  for (int k = 0; k < 6; ++k) {
    CEffectPrimitive* p = AddPrimitive(ScreenRay);
    p->m_pos = m_pos;
    p->m_yaw = static_cast<float>(k * 60);
    p->m_yawSpeed = 3.0f;
    p->m_width = 40.0f;
    p->m_segmentStep = 8.0f;
    p->m_lifetime = 30;
    p->m_fadeStartFrame = 15;
    Tint(p, *this);
    Texture(p, "알파2.tga");
  }
}

void CSelvarinEffect::BuildCross() {
  if (m_tickCount != 0) return;
  AddGlowRing(*this, "알파3.tga");
  CEffectPrimitive* p = AddSpriteAt(*this, "Ef_Cross", Vec3{0.0f, -20.0f, 0.0f}, m_lifetime, 1.0f);
  p->m_fading = 1;
  p->m_pulsing = 1;
  p->m_alphaStep = 8.0f;
  p->m_fadeStartFrame = m_lifetime - 20;
}

void CSelvarinEffect::BuildRain() {
  m_ownerPos = m_owner->m_pos;
  SendTickMessages(false);
  if (!Every(m_tickCount, 1, 480)) return;
  for (int i = 0; i < 3; ++i) {
    const Vec3 at = Around(60) + Vec3{0.0f, -80.0f, 0.0f};
    CEffectPrimitive* p = AddShot(*this, at, 40, kRainDrop, 1, 0.3f, 3.0f);
    // Straight down to the ground, not to the owner.
    p->m_matrix = FacingAlong(Vec3{0.0f, 1.0f, 0.0f});
    p->m_speed = 2.5f;
    p->m_primitiveFlags = CEffectPrimitive::kStopFlag4;
  }
}

void CSelvarinEffect::BuildBlizzard() {
  m_ownerPos = m_owner->m_pos;
  SendTickMessages(false);
  if (!Every(m_tickCount, 2, 480)) return;
  for (int i = 0; i < 2; ++i) {
    const Vec3 at = Around(60) + Vec3{0.0f, -60.0f, 0.0f};
    CEffectPrimitive* p = AddSpriteAt(*this, "Ef_Snow", at, 90, 0.6f);
    p->m_primitiveFlags = CEffectPrimitive::kMotionFlag | CEffectPrimitive::kStopFlag4 | CEffectPrimitive::kWanderFlag;
    p->m_matrix = CEffectPrimitive::YawPitch(static_cast<float>(platform::Rand() % 360), -70.0f);
    p->m_speed = 0.8f;
    p->m_fadeStartFrame = 70;
  }
}

void CSelvarinEffect::BuildWhirlwind() {
  m_ownerPos = m_owner->m_pos;
  SendTickMessages(false);
  const int32_t t = m_tickCount;
  if (Every(t, m_effectId == 270 ? 6 : 4, 460)) {
    CEffectPrimitive* p = AddPrimitive(SwirlRing);
    p->m_pos = m_ownerPos;
    p->m_lifetime = 40;
    p->m_fadeStartFrame = 20;
    p->m_speed = 0.8f;
    p->m_innerRingRadius = 3.0f;
    p->m_outerRingRadius = 6.0f;
    p->m_ringSpeed = 0.25f;
    p->m_width = 2.0f;
    p->m_yawSpeed = 10.0f;
    Tint(p, *this);
    Texture(p, "알파1.tga");
  }
  if (m_effectId == 270 && Every(t, 4, 460)) AddSpiral(*this, kSnowSpiral);
}

void CSelvarinEffect::BuildSnowStorm() { BuildWhirlwind(); }

void CSelvarinEffect::BuildLightning() {
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (t % 8 != 0 || t / 8 >= m_pieceCount) return;
  m_owner->OnMessage(this, kHitSignal, 0, 0, 0);
  const Vec3 at = t == 0 ? Vec3{} : Around(15);
  Tint(AddBolt(*this, at, 12, kBolts, kBoltCount), *this);
  AddSpriteAt(*this, "Ef_Raiden1", at + Vec3{0.0f, -3.0f, 0.0f}, 16, 1.0f);
}

void CSelvarinEffect::BuildLightningStorm() {
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (t % 6 != 0 || t / 6 >= m_pieceCount) return;
  m_owner->OnMessage(this, kHitSignal, 0, 0, 0);
  const Vec3 at = Around(40);
  AddBolt(*this, at, 12, kBolts, kBoltCount);
  CEffectPrimitive* flash = AddPrimitive(FlatQuad);
  flash->m_baseOffset = at + Vec3{0.0f, -0.5f, 0.0f};
  flash->m_pos = m_ownerPos + flash->m_baseOffset;
  flash->m_planeMatrix = GroundPlane();
  flash->m_width = 10.0f;
  flash->m_height = 10.0f;
  flash->m_lifetime = 8;
  flash->m_fadeStartFrame = 0;
  Tint(flash, *this);
  Texture(flash, kBolts[0]);
}

void CSelvarinEffect::BuildWindCutter() {
  m_ownerPos = m_owner->m_pos;
  const int32_t t = m_tickCount;
  if (t % 10 != 0 || t / 10 >= m_pieceCount) return;
  m_owner->OnMessage(this, kHitSignal, 0, 0, 0);
  CEffectPrimitive* p = AddPrimitive(TumbleQuad);
  p->m_anchor = m_ownerPos + Vec3{0.0f, -10.0f, 0.0f};
  p->m_axis = Vec3{0.0f, 1.0f, 0.0f};
  p->m_roll = static_cast<float>(t / 10 * 72);
  p->m_rollSpeed = 12.0f;
  p->m_radius = 20.0f;
  p->m_width = 6.0f;
  p->m_height = 6.0f;
  p->m_lifetime = 60;
  p->m_fadeStartFrame = 40;
  Tint(p, *this);
  Texture(p, "윈드커터.tga");
}

void CSelvarinEffect::BuildBattleSparks() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount == 0) AddSpiral(*this, kBattleSparks);
}

void CSelvarinEffect::BuildBattleSparkSprites() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount == 0) AddHitSprites(m_effectId == 1001 ? 8 : 16, "Ef_Particle2");
}

void CSelvarinEffect::BuildBattleMark() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount != 0) return;
  for (int action = 0; action < 2; ++action) {
    CEffectPrimitive* p = AddPrimitive(SpriteFlight);
    p->m_baseOffset = action == 0 ? Vec3{0.0f, -20.0f, 0.0f} : Vec3{};
    p->m_pos = m_ownerPos + p->m_baseOffset;
    p->m_lifetime = m_lifetime;
    p->m_fading = 1;
    p->m_fadeStartFrame = m_lifetime - 20;
    p->m_action = action;
    if (action == 0) {
      // Pops up and settles.
      p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
      p->m_matrix = CEffectPrimitive::YawPitch(0.0f, 90.0f);
      p->m_speed = 0.6f;
      p->m_accel = -0.03f;
    }
    p->m_sprName = "system\\Battle.spr";
    p->m_actName = "system\\Battle.act";
    p->FillTrail();
  }
}

void CSelvarinEffect::BuildDust() {
  m_ownerPos = m_owner->m_pos;
  if (!Every(m_tickCount, 20)) return;
  const Vec3 at = Around(5) + Vec3{0.0f, -2.0f, 0.0f};
  CEffectPrimitive* p = AddSpriteAt(*this, "먼지", at, 60, 0.8f);
  p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
  p->m_matrix = CEffectPrimitive::YawPitch(0.0f, 90.0f);
  p->m_speed = 0.2f;
  p->m_sizeSpeed = 0.8f / 60.0f;
  p->m_fadeStartFrame = 0;
}
