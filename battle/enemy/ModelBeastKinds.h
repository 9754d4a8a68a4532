#pragma once
// The beasts drawn from models: the wolf-man, the sphinx, Hwang Chung, the
// gargoyle, the golem, the lurker, the giant turtle, the centipede and
// Tiamat. Each is its table.
#include "battle/enemy/TableEnemy3d.h"

SLV_MODEL_ENEMY(CBattleWolfMan3d);
SLV_MODEL_ENEMY(CBattleSphinx3d);
SLV_MODEL_ENEMY(CBattleHwangChung3d);
SLV_MODEL_ENEMY(CBattleGagoile3d);
SLV_MODEL_ENEMY(CBattleGorem3d);
SLV_MODEL_ENEMY(CBattleLurker3d);
SLV_MODEL_ENEMY(CBattleTuttle3d);
SLV_MODEL_ENEMY(CBattleCentipede3d);
SLV_MODEL_ENEMY(CBattleTiamath3d);
