#include "effect/EffectPrimitive.h"

#include "effect/SelvarinEffect.h"
#include "field/SelvarinContext.h"

SLV_REGISTER_CLASS(CEffectPrimitive);

namespace {

constexpr int kPrimitiveGone = 10043;
constexpr int kDetach = 10044;

}  // namespace

CEffectPrimitive::~CEffectPrimitive() {
  if (m_effect != nullptr) {
    CSelvarinEffect* effect = m_effect;
    m_effect = nullptr;
    effect->OnMessage(this, kPrimitiveGone, 0, 0, 0);
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

bool CEffectPrimitive::OnProcess() {
  if (m_effect == nullptr) return false;
  ++m_tickCount;
  return m_tickCount <= m_lifetime;
}

void CEffectPrimitive::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == kDetach) {
    m_effect = nullptr;
    return;
  }
  CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
}
