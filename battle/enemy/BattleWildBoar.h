#pragma once
// The wild boar: its blow is a leap, and its special digs in, runs up,
// charges and gores its target.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

class CBattleWildBoar : public TableEnemy<CBattleWildBoar, CBattleGroundEnemy> {
  SLV_OBJECT(CBattleWildBoar)
 public:
  static const EnemyKindDef kDef;
  int UpdateAction(int code) override;
};
