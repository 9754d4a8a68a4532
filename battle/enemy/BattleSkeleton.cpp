#include "battle/enemy/BattleSkeleton.h"

#include "battle/enemy/EnemyRowLayouts.h"

// It has no other sheet to come back from.
const EnemyKindSpec CBattleSkeleton::kSpec{.name = "스켈레톤", .rows = enemyrows::kStandardKept};
SLV_REGISTER_ACTOR(CBattleSkeleton, CBattleSkeleton::kSpec.name);
