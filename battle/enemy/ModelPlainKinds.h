#pragma once
// The model kinds without specials of their own: Artemis, the wild
// buffalo, Balus, the water elf Midian and Lachesis. Each is its table.
#include "battle/enemy/TableEnemy3d.h"

SLV_MODEL_ENEMY(CBattleHammer);
SLV_MODEL_ENEMY(CBattleRhinoceros);
SLV_MODEL_ENEMY(CBattleSeaHorse);
SLV_MODEL_ENEMY(CBattleWaterElf);
SLV_MODEL_ENEMY(CBattleLakesis);
