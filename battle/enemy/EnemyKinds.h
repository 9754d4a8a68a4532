#pragma once
// The enemy kinds that are their table alone: rows, routes, approaches and
// strikes on the shared bodies. Each source holds its kind's table and its
// registration.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/BattleSlime.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleDragonFly, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleBlackCat, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGuru, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGrandFathter, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBurningVampire, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBurningSword, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleSnowQueen, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleKelberosKnight, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePrincessAirin, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePowerStone, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleGirtiGear, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleWraith, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleFireBat, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleSeaSu, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSnowMan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleAmoeba, CBattleGroundEnemy);
