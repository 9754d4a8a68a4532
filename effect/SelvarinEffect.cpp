#include "effect/SelvarinEffect.h"

#include <algorithm>

#include "effect/EffectPrimitive.h"
#include "engine/Wave.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"

SLV_REGISTER_CLASS(CSelvarinEffect);

namespace {
namespace selvarineffect {

constexpr int kForgetEffect = 46;
constexpr int kPrimitiveGone = 10043;
constexpr int kDetach = 10044;
constexpr int kEffectEnded = 10045;

// Numbers below the first row (the item effects) keep the defaults.
constexpr EffectId kFirstRowNumber = 202;
const Vec3 kRaisedStart{40.0f, -120.0f, 0.0f};

}  // namespace selvarineffect
}  // namespace

CSelvarinEffect::~CSelvarinEffect() {
  EndShake();
  if (m_owner != nullptr) {
    CSelvarinActor* owner = m_owner;
    m_owner = nullptr;
    owner->OnMessage(this, selvarineffect::kForgetEffect, 0, 0, 0);
    owner->OnMessage(this, selvarineffect::kEffectEnded, 0, 0, 0);
  }
  // The list is taken first: a primitive's answer must not touch it.
  const std::list<CEffectPrimitive*> primitives = std::move(m_primitives);
  m_primitives.clear();
  for (CEffectPrimitive* primitive : primitives) {
    primitive->OnMessage(this, selvarineffect::kDetach, 0, 0, 0);
    if (!primitive->m_inContext) delete primitive;
  }
}

void CSelvarinEffect::Init(CSelvarinActor* owner, EffectId id) {
  m_effectId = id;
  m_owner = owner;
  if (owner != nullptr) {
    m_pos.x = static_cast<float>(owner->m_screenX);
    m_pos.y = static_cast<float>(owner->m_screenY);
    m_ownerPos = owner->m_pos;
    m_ownerHeading = owner->m_angle;
  }
  ReadSettings();
  PlayCreationWave();
}

// Numbers without a row live one tick: the catalogue has nothing for them.
void CSelvarinEffect::ReadSettings() {
  const EffectRow* row = effect_tables::FindRow(m_effectId);
  if (row != nullptr) {
    m_row = *row;
    m_lifetime = row->lifetime;
    m_scale = row->scale;
  } else if (m_effectId >= selvarineffect::kFirstRowNumber || m_effectId < 0) {
    m_lifetime = 0;
  }
  if (const EffectColour* colour = effect_tables::FindColour(m_effectId)) {
    m_red = colour->red;
    m_green = colour->green;
    m_blue = colour->blue;
  }
  effect_tables::FindStrength(m_effectId, &m_strength);
  effect_tables::FindPieceCount(m_effectId, &m_pieceCount);
  if (effect_tables::HasRaisedStartPoint(m_effectId)) m_startPoint = m_ownerPos + selvarineffect::kRaisedStart;
  int32_t modulus = 0;
  int32_t base = 0;
  if (effect_tables::FindRandomScale(m_effectId, &modulus, &base)) {
    m_scale = static_cast<float>(platform::Rand() % modulus + base) * 0.01f;
  }
  if (effect_tables::IsDirectional(m_effectId)) m_directional = 1;
  if (effect_tables::IsStillSprite(m_effectId)) m_spriteMode = 0;
}

void CSelvarinEffect::PlayCreationWave() {
  const effect_tables::CreationWave* wave = effect_tables::FindCreationWave(m_effectId);
  if (wave == nullptr) return;
  if (wave->odd == nullptr) {
    PlayWave(wave->even);
    return;
  }
  PlayWave(platform::Rand() % 2 == 0 ? wave->even : wave->odd);
}

CEffectPrimitive* CSelvarinEffect::AddPrimitive(EffectPrimitiveKind kind) {
  auto* primitive = new CEffectPrimitive;
  primitive->Attach(this, kind);
  m_primitives.push_back(primitive);
  return primitive;
}

bool CSelvarinEffect::OnProcess() {
  if (m_owner == nullptr) return false;
  bool listed = false;
  if (const Builder builder = FindBuilder(m_effectId, &listed)) {
    (this->*builder)();
  } else if (!listed) {
    DebugLog("Invalid Effect Id");
  }
  ++m_tickCount;
  return m_tickCount < m_lifetime;
}

void CSelvarinEffect::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case selvarineffect::kPrimitiveGone:
      DropPrimitive(sender);
      break;
    case selvarineffect::kDetach:
      m_owner = nullptr;
      break;
    default:
      CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

void CSelvarinEffect::DropPrimitive(const CObject* primitive) {
  const auto it = std::find_if(m_primitives.begin(), m_primitives.end(),
                               [primitive](const CEffectPrimitive* p) { return p == primitive; });
  if (it != m_primitives.end()) m_primitives.erase(it);
}

void CSelvarinEffect::PostProcess() {
  if (m_owner == nullptr) return;
  if (effect_tables::IsScreenAnchored(m_effectId)) {
    m_pos.x = static_cast<float>(m_owner->m_screenX);
    m_pos.y = static_cast<float>(m_owner->m_screenY);
  }
  // Sprites made to stay (sprite mode bit 0 clear) keep where they were made.
  if ((m_spriteMode & 1) != 0) m_ownerPos = m_owner->m_pos;
}
