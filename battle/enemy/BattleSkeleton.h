#pragma once
// The skeleton: a plain fighter on foot with no special of its own; its
// idle, walks, blow and reel come from its own sheet, and a hit keeps it in
// the air.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleSkeleton, CBattleGroundEnemy);
