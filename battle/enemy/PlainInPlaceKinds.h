#pragma once
// Kinds that need little of their own: the plain special (walk up, strike,
// walk back), the special struck where the enemy stands, none at all (the
// sand man), and the chimera, which strikes in place or walks up by the
// special chosen. Each is its table.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattlekimaira, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleFrameBat, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleJusticeofDeth, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSandMan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleDragonsFly, CBattleFlyingEnemy);
SLV_TABLE_ENEMY(CBattleKillingPuppet, CBattleFlyingEnemy);
// The officer and the two soldiers are one table under three names.
SLV_TABLE_ENEMY(CBattleEmpireOfficer, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLeighrantzSoldier01, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLeighrantzSoldier02, CBattleGroundEnemy);
