#include "effect/EffectPrimitive.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "effect/SelvarinEffect.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"

SLV_REGISTER_CLASS(CEffectPrimitive);

namespace {
namespace effectprimitive {

constexpr int kPrimitiveGone = 10043;
constexpr int kDetach = 10044;

}  // namespace effectprimitive
}  // namespace

const CEffectPrimitive::KindEntry* CEffectPrimitive::FindKind(int32_t kind) {
  using P = CEffectPrimitive;
  static const KindEntry kKinds[] = {
      {&P::UpdateScreenSprite, &P::RenderScreenSprite},  // 0
      {&P::UpdateScreenBlade, &P::RenderScreenBlade},    // 1
      {&P::UpdateScreenRay, &P::RenderScreenRay},        // 2
      {&P::UpdateScreenRing, &P::RenderScreenRing},      // 3
      {nullptr, nullptr},                                // 4: no such kind
      {&P::UpdateSpriteFlight, &P::RenderSpriteFrames},  // 5
      {&P::UpdateSpriteSpiral, &P::RenderSpriteFrames},  // 6
      {&P::UpdateSpriteBurst, &P::RenderSpriteFrames},   // 7
      {&P::UpdateSpriteBounce, &P::RenderSpriteFrames},  // 8
      {&P::UpdateBeamQuad, &P::RenderBeam},              // 9
      {&P::UpdateRingWall, &P::RenderBeam},              // 10
      {&P::UpdateSweepRing, &P::RenderSweepRing},        // 11
      {&P::UpdateSwirlRing, &P::RenderSwirlRing},        // 12
      {&P::UpdateDome, &P::RenderDome},                  // 13
      {&P::UpdateFlatQuad, &P::RenderPlaneQuad},         // 14
      {&P::UpdateTumbleQuad, &P::RenderPlaneQuad},       // 15
      {&P::UpdateFlatQuad, &P::RenderCrossQuad},         // 16
      {&P::UpdateSpriteOrbit, &P::RenderSpriteFrames},   // 17
  };
  if (kind < 0 || kind >= static_cast<int32_t>(std::size(kKinds))) return nullptr;
  return kKinds[kind].update != nullptr ? &kKinds[kind] : nullptr;
}

CEffectPrimitive::~CEffectPrimitive() {
  for (CTexture* texture : m_textures) {
    if (texture != nullptr) CTgaTextureMgr::GetInstance().UnLock(texture);
  }
  if (m_effect != nullptr) {
    CSelvarinEffect* effect = m_effect;
    m_effect = nullptr;
    effect->OnMessage(this, effectprimitive::kPrimitiveGone, 0, 0, 0);
  }
}

bool CEffectPrimitive::Attach(CSelvarinEffect* effect, EffectPrimitiveKind kind) {
  m_effect = effect;
  m_kind = kind;
  m_pos = effect->m_pos;
  m_anchor = effect->m_pos;
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return false;
  context->m_effects.push_back(this);
  m_inContext = true;
  return true;
}

void CEffectPrimitive::AddTexture(const char* name) {
  CTexture* texture = CTgaTextureMgr::GetInstance().GetTexture(name);
  if (texture != nullptr) LockTexture(texture);
  m_textures.push_back(texture);
}

bool CEffectPrimitive::OnProcess() {
  if (m_effect == nullptr) return false;
  const KindEntry* entry = FindKind(m_kind);
  if (entry == nullptr) {
    DebugLog("Illegal Effect Primitive");
  } else if (!(this->*entry->update)()) {
    return false;
  }
  ++m_tickCount;
  return m_tickCount <= m_lifetime;
}

void CEffectPrimitive::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == effectprimitive::kDetach) {
    m_effect = nullptr;
    return;
  }
  CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
}

void CEffectPrimitive::PostProcess() {
  if (m_effect == nullptr) return;
  if (m_kind == ScreenSprite || m_kind == ScreenBlade) {
    m_pos.x = m_effect->m_pos.x + m_offset.x;
    m_pos.y = m_effect->m_pos.y + m_offset.y;
    m_anchor.x = m_effect->m_pos.x;
    m_anchor.y = m_effect->m_pos.y;
  } else if (m_kind == ScreenRay || m_kind == ScreenRing) {
    m_pos = m_effect->m_pos;
  }
  FaceCamera();
}

// The angle from the camera and the effect's heading; the facing quadrant
// from the camera and the owner's heading.
void CEffectPrimitive::FaceCamera() {
  if ((m_primitiveFlags & (kCameraAngleFlag | kCameraQuadrantFlag)) == 0) return;
  const float yaw = CameraYaw();
  if ((m_primitiveFlags & kCameraAngleFlag) != 0) m_angle = yaw - m_effect->m_ownerHeading;
  if ((m_primitiveFlags & kCameraQuadrantFlag) != 0) {
    // Brought into 0..360 both ways: a quadrant of 4 or below 0 names no
    // action.
    float q = 360.0f - yaw + m_effect->m_ownerHeading;
    if (!std::isfinite(q)) q = 0.0f;
    q = std::fmod(q, 360.0f);
    if (q < 0.0f) q += 360.0f;
    m_action = std::min(static_cast<int32_t>(q) / 90, 3);
  }
}

void CEffectPrimitive::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  const KindEntry* entry = FindKind(m_kind);
  if (entry == nullptr) {
    DebugLog("CEffectPrimitive :: Render - invalid effect primitive");
    return;
  }
  (this->*entry->render)(rc, view);
}

CTexture* CEffectPrimitive::CurrentTexture() const {
  const bool animated = m_kind == SwirlRing || m_kind == FlatQuad || m_kind == TumbleQuad || m_kind == CrossQuad;
  const int32_t index = animated ? m_motion : 0;
  if (index < 0 || index >= static_cast<int32_t>(m_textures.size())) return nullptr;
  return m_textures[static_cast<size_t>(index)];
}
