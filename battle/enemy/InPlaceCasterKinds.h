#pragma once
// The dancer and the revenant, which flourish on the order and strike every
// special where they stand, and the imp, which answers a magic order too
// and never trails. Each is its table.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleBDancer, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleRevenant, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleImp, CBattleFlyingEnemy);
