#pragma once
// The earth elemental: hits cannot move it nor break its strikes, and
// between turns it strikes whoever steps into reach.
#include "battle/enemy/BattleHitImmuneEnemy.h"

class CBattleEarthElementel : public HitImmuneEnemy<CBattleEarthElementel> {
  SLV_OBJECT(CBattleEarthElementel)
 public:
  static const EnemyKindDef kDef;
};
