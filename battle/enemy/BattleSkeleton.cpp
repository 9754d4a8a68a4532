#include "battle/enemy/BattleSkeleton.h"

#include "battle/enemy/EnemyRowLayouts.h"

// It has no other sheet to come back from.
const EnemyKindDef CBattleSkeleton::kDef{.name = "스켈레톤", .rows = enemyrows::kStandardKept};
SLV_REGISTER_ACTOR(CBattleSkeleton, CBattleSkeleton::kDef.name);
