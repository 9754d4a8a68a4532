#include "battle/HitCarrier.h"

#include <algorithm>
#include <cmath>

#include "battle/BattleObject.h"
#include "render/Projection.h"
#include "session/Session.h"

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

CSelvarinActor* FindCarrierTarget(int32_t id, int32_t isParty, int32_t viaDecoy) {
  CSelvarinActor* target = CSession::GetInstance().GetBattleActor(id, isParty == 1);
  if (target == nullptr || viaDecoy == 0) return target;
  const auto* aimed = dynamic_cast<const CBattleActor*>(target);
  return aimed != nullptr ? aimed->m_decoy : nullptr;
}

void StepCarrierToward(CBattleObject& self, const CSelvarinActor& target) {
  self.FaceToward(target.m_pos.x, target.m_pos.z);
  self.SetSpeed(self.m_speed);
  if (target.DistanceXZ(self.m_pos.x, self.m_pos.z) < self.m_speed) return;
  self.m_pos.x += self.m_velocity.x;
  self.m_pos.z += self.m_velocity.z;
}
