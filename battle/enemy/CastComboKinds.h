#pragma once
// The casters, which answer a magic order with a cast of their own where
// they stand, and the combo kinds, which strike in a chain of blows that
// drift forward along the heading of the first. Each is its table.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleElder, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGreetismBeliever, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGreetismFathre, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLeighrantzRoyalGuard, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleDevilSword, CBattleFlyingEnemy);
