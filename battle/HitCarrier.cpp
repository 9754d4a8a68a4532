#include "battle/HitCarrier.h"

#include "battle/BattleObject.h"

namespace {
constexpr int kHitConfirmed = 10003;
constexpr int kSpriteMessage = 46;
}  // namespace

void AnswerCarrierMessage(CBattleObject& self, CObject* sender, int code, intptr_t value0, intptr_t value1,
                          intptr_t value2) {
  if (code == kSpriteMessage) {
    self.CBattleObject::OnMessage(sender, code, value0, value1, value2);
    return;
  }
  auto* struck = dynamic_cast<CSelvarinActor*>(sender);
  if (code != kHitConfirmed || struck == nullptr) return;
  struck->SpawnEffect(value0 < 50 ? 202 : value0 < 100 ? 203 : 204);
}
