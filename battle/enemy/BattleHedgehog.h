#pragma once
// The hedgehog: its special curls up, rolls at its target hopping as it
// goes, and gores it.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

class CBattleHedgehog : public TableEnemy<CBattleHedgehog, CBattleGroundEnemy> {
  SLV_OBJECT(CBattleHedgehog)
 public:
  static const EnemyKindDef kDef;
  int UpdateAction(int code) override;
};
