#pragma once
// The kinds that fight as the enemy base does, told apart by their rows:
// Hirth and Grantz at delay 6 on the soldiers' table, five more on the
// standard rows, the necromancer hovering on its idle row; the hob-goblin
// and the zombie take the plain special, the hob-goblin's struck from its
// special sheet.
#include "battle/enemy/SoldierKinds.h"

// The standard rows and the base's fighting.
struct StandardTable {
  static const EnemyKindDef kDef;
};

SLV_SHARED_TABLE_ENEMY(CBattleHirth, Delay6Table, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleGrantz, Delay6Table, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleZonbi, StandardTable, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleGobulin, StandardTable, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleLittleMeamade, StandardTable, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleBoneFighter, StandardTable, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleGilotinX, StandardTable, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGobulin2, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleZoonBie, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleNecromanse, CBattleGroundEnemy);
