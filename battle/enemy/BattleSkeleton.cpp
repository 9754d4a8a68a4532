#include "battle/enemy/BattleSkeleton.h"

namespace {

// It has no other sheet to come back from.
constexpr EnemySheet kOwn = EnemySheet::kKeep;
constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = kOwn},
    {.code = kActApproach, .base = 4, .mode = 2, .sheet = kOwn},
    {.code = kActWalkBack, .base = 4, .mode = 2, .sheet = kOwn},
    {.code = kActAttack, .base = 8, .sheet = kOwn},
    {.code = kActDamageLight, .base = 12, .sheet = kOwn},
};

}  // namespace

const EnemyKindSpec CBattleSkeleton::kSpec{.name = "스켈레톤", .rows = kRows};
SLV_REGISTER_ACTOR(CBattleSkeleton, CBattleSkeleton::kSpec.name);
