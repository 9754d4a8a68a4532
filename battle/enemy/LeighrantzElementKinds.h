#pragma once
// Leighrantz and the three elementals: hits cannot move them and each
// strikes back from idle. Leighrantz walks up for a skill and lands it as
// the row ends, casting where it stands; the elementals strike every special
// from where they stand, and the fire one, which flies, never locks.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/MoreBossKinds.h"

SLV_HIT_IMMUNE_ENEMY(CBattleLeighrantz);
SLV_HIT_IMMUNE_ENEMY(CBattleWindElementel);
SLV_HIT_IMMUNE_ENEMY(CBattleWaterElementel);

class CBattleFireElement : public HitImmuneEnemy<CBattleFireElement, CBattleFlyingEnemy> {
  SLV_OBJECT(CBattleFireElement)
 public:
  static const EnemyKindDef kDef;
};
