#pragma once
// The kinds whose special is one approach and one strike, some with a second
// strike made where they stand for one chosen special. Each is its table.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleSimurgh, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGaruda, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleIronScorpion, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleMasterofDesert, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSaramanda, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelBrood, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleKelberosMaster, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleMadrake, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGigantes, CBattleGroundEnemy);
