// The slime: its leap and its split enter from these rows; it draws the
// shared icon sheet's fifth figure.
#include "battle/enemy/BattleSlime.h"

#include <cmath>

#include "field/SelvarinContext.h"
#include "session/EnemySlot.h"

namespace {
namespace slime {

constexpr EnemyRow kRows[] = {
    {.code = kActAttack, .base = 16, .sheet = EnemySheet::kKeep, .hop = -1.7f},
    {.code = kActSplit, .base = 12, .sheet = EnemySheet::kKeep},
};
constexpr float kLeapSpeed = 1.5f;
constexpr int32_t kLeapTicks = 25;
constexpr float kSplitSlowing = 0.7692308f;
constexpr float kDegreesToRadians = 0.017453289f;
constexpr float kCloneRise = 1.0f;

}  // namespace slime
}  // namespace

const EnemyKindDef CBattleSlime::kDef{.name = "리퀴드제리", .rows = slime::kRows, .icon = {.sheetAction = 4}};
SLV_REGISTER_ACTOR(CBattleSlime, CBattleSlime::kDef.name);

// A slime that has left the battle, or has no slot to copy, does not split.
void CBattleSlime::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  CBattleGroundEnemy::OnMessage(sender, code, value0, value1, value2);
  if (code != kMsgHit && code != kMsgHitTwoParts) return;
  if (m_slot == nullptr || m_slot->hp == 0 || IsInTerminalAction() || BattleIsFull()) return;
  SetAction(kActSplit);
}

int CBattleSlime::UpdateAction(int code) {
  switch (code) {
    case kActApproach:
      if (m_target == nullptr) {
        GoIdle();
      } else {
        UpdateApproach(kActAttack);
      }
      return 1;
    case kActAttack:
      UpdateLeap();
      return 1;
    case kActSplit:
      UpdateSplit();
      return 1;
    default:
      return TableEnemy::UpdateAction(code);
  }
}

bool CBattleSlime::BattleIsFull() const {
  const CSelvarinContext* context = GetFieldContext();
  return context == nullptr || context->m_battleEnemies.size() >= kMaxEnemies;
}

void CBattleSlime::UpdateLeap() {
  SetSpeed(ScaledSpeed(slime::kLeapSpeed));
  if (CheckHitFrame() != 0) Resolve(EnemyResolve::kWeapon);
  if (m_tickCount > slime::kLeapTicks) SetAction(kActWalkBack);
}

// A battle that filled up meanwhile only reels the slime; it then stands
// idle rather than going back to a split it cannot make.
void CBattleSlime::UpdateSplit() {
  if (BattleIsFull()) {
    SetAction(kActDamageLight);
    m_resumeAction = kActIdle;
    return;
  }
  m_knockBack *= slime::kSplitSlowing;
  SetSpeed(m_knockBack);
  if (m_holdLast == 0) return;
  GoIdle();
  if (CBattleEnemy* clone = GetFieldContext()->MakeCloneEnemy(*this)) PlaceClone(*clone);
}

// Ahead along the heading and a little up, as hurt as the slime, and worth
// nothing when beaten.
void CBattleSlime::PlaceClone(CBattleEnemy& clone) const {
  const float heading = m_angle * slime::kDegreesToRadians;
  clone.m_pos.x = m_pos.x + kCloneDistance * std::sin(heading);
  clone.m_pos.z = m_pos.z - kCloneDistance * std::cos(heading);
  clone.m_pos.y = m_pos.y - slime::kCloneRise;
  if (clone.m_slot == nullptr || m_slot == nullptr) return;
  clone.m_slot->hp = m_slot->hp;
  clone.m_slot->exp = 0;
  clone.m_slot->money = 0;
}
