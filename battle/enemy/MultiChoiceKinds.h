#pragma once
// The kinds that choose among two or three specials, each its own walk up
// and strike, some struck where they stand. Each is its table.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleAqsalad, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlekillerSpider, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleFreezeMan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleNightmareIllusion, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleFaleHard, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleNosferatu, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBalrog, CBattleGroundEnemy);
