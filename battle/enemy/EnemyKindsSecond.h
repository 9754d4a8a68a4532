#pragma once
// The second group of enemy kinds, each its table alone. Each source holds
// its kind's table and its registration.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleSilpe, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleIceGolem, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleAjer, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleAlienGilan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleUndinea, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleWiloWesper, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleEvilLode, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleRich, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleBoundUnManBe, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleSaintSpirit, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSaintSpiritSkeleton, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleEprite, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleInqubus, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleElectnikArmor, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleTornado, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleCrayGolem, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleTwist, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePainLoid, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePainOfGlory, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleFailSoft, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePhantom, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleFrameJead, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattlePoisonAmoeba, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSnail, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleHaveyLady, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleHulke, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleHolyLight, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGagaMu, CBattleGroundEnemy);
