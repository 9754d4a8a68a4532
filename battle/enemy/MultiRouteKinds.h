#pragma once
// The kinds that send the chosen special down one of several routes: a walk
// up and a strike, a strike where they stand, or a strike that ends their
// part in the battle. The assassin also closes in and lunges as the ninja
// does. Each is its table.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleAssassin, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleEvilSage, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleDeathMaster, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleHyperSton, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleQueenBee, CBattleFlyingEnemy);
