#pragma once
// The model kinds of boxes, blades and knights: the cursed box and the
// mimic, Xenosa and the ghost blade, the two apostles and the two ghost
// knights. Each is its table.
#include "battle/enemy/TableEnemy3d.h"

SLV_MODEL_ENEMY(CBattleTreasureBox3d);
SLV_MODEL_ENEMY(CBattleTreasureBox2_3d);
SLV_MODEL_ENEMY(CBattleCrazyKnifeMonster3d);
SLV_MODEL_ENEMY(CBattleGhostKnife3d);
SLV_MODEL_ENEMY(CBattleSpearEvil3d);
SLV_MODEL_ENEMY(CBattleKnifeEvil3d);
SLV_MODEL_ENEMY(CBattleGhostKnifeKnight3d);
SLV_MODEL_ENEMY(CBattleGhostSpearKnight3d);
