#include "battle/enemy/BattleSkeleton.h"

SLV_REGISTER_ACTOR(CBattleSkeleton, "스켈레톤");

void CBattleSkeleton::SetAction(int32_t code) {
  switch (code) {
    case kActIdle:
    case kActApproach:
    case kActWalkBack:
    case kActAttack:
    case kActDamageLight:
      break;
    default:
      CBattleGroundEnemy::SetAction(code);
      return;
  }
  m_staggered = 0;
  SetAfterimage(0, kTrailLength, static_cast<int32_t>(kTrailColour));
  switch (code) {
    case kActIdle:
      SetAnimation(0, 8, kPlayLoop);
      break;
    case kActAttack:
      SetAnimation(8, 8, kPlayOnce);
      break;
    case kActDamageLight:
      SetAnimation(12, 8, kPlayOnce);
      break;
    default:
      SetAnimation(4, 8, kPlayLoop);
      break;
  }
  CBattleObject::SetAction(code);
}
