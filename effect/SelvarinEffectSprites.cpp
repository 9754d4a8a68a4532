// The builders that make their effect out of animated sprites: the standard
// sprite of the item, named, battle and monster numbers, the small hits, the
// marks and the shield guard. Every builder makes its primitives at tick 0.
#include <algorithm>
#include <string>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "platform/Random.h"
#include "render/3dView.h"

namespace {
namespace selvarineffectsprites {

constexpr int kTickMessage = 60;
constexpr int kLastTickMessage = 61;
constexpr int kTickMessagePeriod = 40;
constexpr int32_t kShieldFlags = 0x20020;
constexpr int32_t kFollowBit = 1;
constexpr int32_t kLastTickBit = 2;

std::string EffectPath(const char* name) { return std::string("effect\\") + name; }

void NameSprite(CEffectPrimitive* p, const std::string& path) {
  p->m_sprName = path + ".spr";
  p->m_actName = path + ".act";
}

// Frames as a divisor: never below 1.
float Frames(int32_t frames) { return static_cast<float>(std::max(frames, 1)); }

}  // namespace selvarineffectsprites
}  // namespace

// The four standard sprite families differ only in these.
struct CSelvarinEffect::SpriteFamily {
  enum Name { ItemTable, Row, MonsterPath };
  enum Messages { None, Both, LastByMode };
  Name name;
  bool item;           // 15 above the owner, size 2, no fade
  bool battle;         // sprite offset, follow and messages by sprite mode
  bool exactFlags;     // flags := 0x10 rather than gaining it
  bool coloured;
  bool copiesTrail;
  Messages messages;
};

namespace {
namespace selvarineffectsprites {

using Family = CSelvarinEffect::SpriteFamily;

}  // namespace selvarineffectsprites
}  // namespace

float CSelvarinEffect::SnapToSectorCentre(int32_t a) { return static_cast<float>((a / 90) * 90 + 45); }

void CSelvarinEffect::RefreshOwner(bool heading) {
  m_ownerPos = m_owner->m_pos;
  if (heading && m_directional != 0) m_ownerHeading = m_owner->m_angle;
}

void CSelvarinEffect::SendTickMessages(bool last) {
  if (m_tickCount % selvarineffectsprites::kTickMessagePeriod == 0) m_owner->OnMessage(this, selvarineffectsprites::kTickMessage, 0, 0, 0);
  if (last && m_tickCount == m_lifetime - 1) m_owner->OnMessage(this, selvarineffectsprites::kLastTickMessage, 0, 0, 0);
}

void CSelvarinEffect::BuildStandardSprite(const SpriteFamily& family) {
  if (!family.battle || (m_spriteMode & selvarineffectsprites::kFollowBit) != 0) RefreshOwner(true);
  if (m_tickCount == 0) {
    CEffectPrimitive* p = AddPrimitive(SpriteFlight);
    p->m_fading = 1;
    if (m_directional != 0) {
      p->m_primitiveFlags = family.exactFlags ? CEffectPrimitive::kCameraAngleFlag : (p->m_primitiveFlags | CEffectPrimitive::kCameraAngleFlag);
      p->m_yaw = m_ownerHeading;
    }
    p->m_lifetime = m_lifetime;
    if (family.item) {
      p->m_baseOffset = Vec3{0.0f, -15.0f, 0.0f};
      p->m_pos = m_ownerPos - p->m_baseOffset;
      p->m_size = 2.0f;
    } else {
      if (family.battle) p->m_baseOffset = m_spriteOffset;
      p->m_pos = m_ownerPos;
      p->m_size = m_scale;
      p->m_fadeStartFrame = static_cast<int32_t>(static_cast<float>(m_lifetime) - m_row.fade);
      // With no fade frames the sprite shows at full alpha from the start.
      p->m_alpha = m_row.fade > 0.0f ? 0.0f : p->m_alphaMax;
      p->m_alphaStep = m_row.fade > 0.0f ? p->m_alphaMax / m_row.fade : 0.0f;
    }
    if (family.coloured) {
      p->m_red = m_red;
      p->m_green = m_green;
      p->m_blue = m_blue;
    }
    if (family.copiesTrail) p->m_trailCount = std::clamp(m_row.copies, 1, CEffectPrimitive::kMaxTrail);
    if (m_effectId == 235 || m_effectId == 237 || (m_effectId >= 1003 && m_effectId <= 1006)) p->m_pulsing = 1;
    switch (family.name) {
      case SpriteFamily::ItemTable:
        selvarineffectsprites::NameSprite(p, selvarineffectsprites::EffectPath(effect_tables::ItemName(m_effectId)));
        break;
      case SpriteFamily::Row:
        selvarineffectsprites::NameSprite(p, selvarineffectsprites::EffectPath(m_row.name));
        break;
      case SpriteFamily::MonsterPath:
        selvarineffectsprites::NameSprite(p, m_row.name);
        break;
    }
    p->FillTrail();
  }
  if (family.messages == SpriteFamily::Both) SendTickMessages(true);
  if (family.messages == SpriteFamily::LastByMode) SendTickMessages((m_spriteMode & selvarineffectsprites::kLastTickBit) != 0);
}

void CSelvarinEffect::BuildItemSprite() {
  static constexpr selvarineffectsprites::Family kItem{selvarineffectsprites::Family::ItemTable, true, false, false, false, false, selvarineffectsprites::Family::None};
  BuildStandardSprite(kItem);
}

void CSelvarinEffect::BuildFlyingSprite() {
  static constexpr selvarineffectsprites::Family kNamed{selvarineffectsprites::Family::Row, false, false, false, true, false, selvarineffectsprites::Family::Both};
  BuildStandardSprite(kNamed);
}

void CSelvarinEffect::BuildBattleSprite() {
  static constexpr selvarineffectsprites::Family kBattle{selvarineffectsprites::Family::Row, false, true, false, true, true, selvarineffectsprites::Family::LastByMode};
  BuildStandardSprite(kBattle);
}

void CSelvarinEffect::BuildMonsterSprite() {
  static constexpr selvarineffectsprites::Family kMonster{selvarineffectsprites::Family::MonsterPath, false, false, true, false, true, selvarineffectsprites::Family::None};
  BuildStandardSprite(kMonster);
}

void CSelvarinEffect::BuildHitSprites() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount == 0) AddHitSprites(8, m_row.name);
}

void CSelvarinEffect::AddHitSprites(int count, const char* name) {
  for (int i = 0; i < count; ++i) {
    CEffectPrimitive* p = AddPrimitive(SpriteFlight);
    p->m_lifetime = 40;
    const int r1 = platform::Rand();
    const int r2 = platform::Rand();
    const int r3 = platform::Rand();
    p->m_baseOffset = Vec3{static_cast<float>(r3 % 12 - 6), static_cast<float>(r2 % 12 - 16),
                           static_cast<float>(r1 % 12 - 6)};
    p->m_pos = m_ownerPos - p->m_baseOffset;
    p->m_fadeStartFrame = 20;
    p->m_size = static_cast<float>(platform::Rand() % 90 + 60) * 0.01f;
    p->m_red = m_red;
    p->m_green = m_green;
    p->m_blue = m_blue;
    selvarineffectsprites::NameSprite(p, selvarineffectsprites::EffectPath(name));
    p->FillTrail();
    const int32_t motions = p->AnimationLength();
    p->m_motion = motions > 0 ? platform::Rand() % motions : 0;
  }
}

void CSelvarinEffect::BuildDustMark() {
  if (m_tickCount != 0) return;
  CEffectPrimitive* p = AddPrimitive(SpriteFlight);
  p->m_primitiveFlags = CEffectPrimitive::kMotionFlag;
  p->m_fading = 1;
  p->m_lifetime = m_lifetime;
  p->m_baseOffset = Vec3{0.0f, -5.0f, 0.0f};
  p->m_pos = m_ownerPos - p->m_baseOffset;
  p->m_size = m_scale;
  if (m_effectId == 1023) {
    p->m_sizeSpeed = m_scale * 3.0f / selvarineffectsprites::Frames(m_lifetime);
  } else {
    p->m_sizeSpeed = 0.25f;
    p->m_sizeAccel = -0.25f / selvarineffectsprites::Frames(m_lifetime);
  }
  p->m_alpha = 0.0f;
  p->m_alphaStep = p->m_alphaMax * 0.033333335f;
  p->m_fadeStartFrame = m_lifetime - 30;
  p->m_red = m_red;
  p->m_green = m_green;
  p->m_blue = m_blue;
  selvarineffectsprites::NameSprite(p, selvarineffectsprites::EffectPath(m_row.name));
  p->m_trailCount = std::clamp(m_row.copies, 1, CEffectPrimitive::kMaxTrail);
  p->FillTrail();
}

void CSelvarinEffect::BuildShieldGuard() {
  m_ownerPos = m_owner->m_pos;
  if (m_tickCount != 0) return;
  int32_t q = CEffectPrimitive::WholeNumber(360.0f - CameraYaw() + m_ownerHeading);
  q = static_cast<int32_t>(SnapToSectorCentre(q));
  if (q > 360) q -= 360;
  CEffectPrimitive* p = AddPrimitive(SpriteFlight);
  p->m_primitiveFlags = selvarineffectsprites::kShieldFlags;
  p->m_fading = 1;
  p->m_lifetime = m_lifetime;
  p->m_matrix.MakeRotationY(m_ownerHeading * kDegToRad);
  p->m_baseOffset = Vec3{p->m_matrix.m[2], p->m_matrix.m[5], p->m_matrix.m[8]} * -5.0f;
  p->m_baseOffset.y -= 5.0f;
  p->m_pos = m_ownerPos + p->m_baseOffset;
  p->m_alphaStep = p->m_alphaMax * 0.06666667f;
  p->m_size = 1.5f;
  p->m_alpha = 0.0f;
  p->m_fadeStartFrame = m_lifetime - 15;
  selvarineffectsprites::NameSprite(p, selvarineffectsprites::EffectPath(m_row.name));
  // A camera far past a turn would name an action outside the four facings.
  p->m_action = std::clamp(q / 90, 0, 3);
  p->FillTrail();
}
