// The saint spirits' skeleton: no specials, and every action a little
// quicker.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace saintspiritskeleton {

using namespace secondrows;

constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .delay = 6, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActApproach, .base = 4, .delay = 6, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActWalkBack, .base = 4, .delay = 6, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActAttack, .base = 8, .delay = 6, .sheet = EnemySheet::kKeep},
    {.code = kActDamageLight, .base = 12, .delay = 6, .sheet = EnemySheet::kKeep},
};

}  // namespace saintspiritskeleton
}  // namespace

const EnemyKindDef CBattleSaintSpiritSkeleton::kDef{
    .name = "세인트스피릿츠해골",
    .rows = saintspiritskeleton::kRows,
};
SLV_REGISTER_ACTOR(CBattleSaintSpiritSkeleton, CBattleSaintSpiritSkeleton::kDef.name);
