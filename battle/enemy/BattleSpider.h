#pragma once
// The poison spider: its blow crouches and pounces, its special leaps.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

class CBattleSpider : public TableEnemy<CBattleSpider, CBattleGroundEnemy> {
  SLV_OBJECT(CBattleSpider)
 public:
  static const EnemyKindDef kDef;
  int UpdateAction(int code) override;
};
