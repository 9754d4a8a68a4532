#include "field/SelvarinActor.h"

#include <algorithm>

#include "effect/SelvarinEffect.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"

SLV_REGISTER_ACTOR(CSelvarinActor, "selvarinactor");

namespace {

constexpr int kForgetEffect = 46;
constexpr int kSpawnEffect = 51;
constexpr int kDetach = 10044;

}  // namespace

CSelvarinActor::~CSelvarinActor() {
  // The list is copied: an effect answers by nothing but detaching, yet
  // the walk must not depend on it.
  const std::list<CSelvarinEffect*> effects = std::move(m_effects);
  m_effects.clear();
  for (CSelvarinEffect* effect : effects) effect->OnMessage(this, kDetach, 0, 0, 0);
}

void CSelvarinActor::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case kForgetEffect:
      m_effects.remove_if([sender](const CSelvarinEffect* effect) { return effect == sender; });
      break;
    case kSpawnEffect:
      SpawnEffect(static_cast<int32_t>(value0));
      break;
    default:
      break;
  }
}

void CSelvarinActor::SpawnEffect(int32_t effectId) {
  DebugLogf("EffectId == %d, %d\n", effectId, 270);
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  auto* effect = new CSelvarinEffect;
  effect->Init(this, effectId);
  context->m_effects.push_back(effect);
  m_effects.push_back(effect);
}
