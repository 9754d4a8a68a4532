#pragma once
// The armoured boar and the helmet hedgehog: the wild boar's and the
// hedgehog's charges, and a second special of three blows walked up to.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleArmorBoar, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleHelmetHedgehog, CBattleGroundEnemy);
