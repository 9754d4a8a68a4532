#pragma once
// The third group's kinds that are their table alone. The plain fighters,
// the approach-and-strike kinds and the several-special warriors share a
// source per family; the rest hold their own.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleScalGi, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleZerging, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBukabu, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBungamu, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleScorpion, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleCobra, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleMirra, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleMami, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePoisonCold, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleBloodAmoeba, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelpoison, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleDoll, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleVegetableMan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleKsru, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleRedBird, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleWaterleaper, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleFrameMan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelAmoeba, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleEmpireMarin, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLarvae, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelSage, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelKnight, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelSavage, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelLord, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSavageGear, CBattleGroundEnemy);
