#pragma once
// The model kinds known by their specials' names: the guardian, the
// messiah, the three Biyolens, the goat and the beholder. Each is its table.
#include "battle/enemy/TableEnemy3d.h"

SLV_MODEL_ENEMY(CBattleGardian3d);
SLV_MODEL_ENEMY(CBattleMessiah3d);
SLV_MODEL_ENEMY(CBattleBiyolen33d);
SLV_MODEL_ENEMY(CBattleBiyolen13d);
SLV_MODEL_ENEMY(CBattleBiyolen23d);
SLV_MODEL_ENEMY(CBattleGoat3d);
SLV_MODEL_ENEMY(CBattleBeholder3d);
