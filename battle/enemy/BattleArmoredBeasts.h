#pragma once
// The armoured boar and the helmet hedgehog: the wild boar's and the
// hedgehog's charges, and a second special of three blows walked up to.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

class CBattleArmorBoar : public TableEnemy<CBattleArmorBoar, CBattleGroundEnemy> {
  SLV_OBJECT(CBattleArmorBoar)
 public:
  static const EnemyKindSpec kSpec;
  int UpdateAction(int code) override;
};

class CBattleHelmetHedgehog : public TableEnemy<CBattleHelmetHedgehog, CBattleGroundEnemy> {
  SLV_OBJECT(CBattleHelmetHedgehog)
 public:
  static const EnemyKindSpec kSpec;
  int UpdateAction(int code) override;
};
