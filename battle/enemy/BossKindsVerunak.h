#pragma once
// The bosses Verunak, Ovrel Timbane and Grandeur: each its table on the
// one hit-immune handling, Grandeur turning with every hit.
#include "battle/enemy/BossKinds.h"

SLV_HIT_IMMUNE_ENEMY(CBattleVerunak);
SLV_HIT_IMMUNE_ENEMY(CBattleOvrelTimbane);
SLV_HIT_IMMUNE_ENEMY(CBattleGrandeur);
