#include "battle/HitCarrier.h"

#include <algorithm>
#include <cmath>

#include "battle/BattleObject.h"
#include "render/Projection.h"

namespace {
constexpr int kHitConfirmed = 10003;
constexpr int kSpriteMessage = 46;

// A screen coordinate; a point behind or far off the view stays representable.
int32_t ScreenCoordinate(float v) { return std::isnan(v) ? 0 : static_cast<int32_t>(std::clamp(v, -1.0e9f, 1.0e9f)); }
}  // namespace

void RenderCarrier(CBattleObject& self, CRC& rc, const Matrix& view) {
  const ProjectedPoint at = CProjector(rc, view, kSpriteDepthRule).Project(self.m_pos);
  self.m_screenX = ScreenCoordinate(at.x);
  self.m_screenY = ScreenCoordinate(at.y);
}

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
