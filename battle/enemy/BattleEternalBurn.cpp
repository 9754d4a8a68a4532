// The eternal burn: the plain actions alone, a little quicker, on whatever
// sheet it shows.
#include "battle/enemy/EnemyKindsFourth.h"

namespace {
namespace eternalburn {

constexpr EnemySheet kOwn = EnemySheet::kKeep;
constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .delay = 6, .mode = 2, .sheet = kOwn},
    {.code = kActApproach, .base = 4, .delay = 6, .mode = 2, .sheet = kOwn},
    {.code = kActWalkBack, .base = 4, .delay = 6, .mode = 2, .sheet = kOwn},
    {.code = kActAttack, .base = 8, .delay = 6, .sheet = kOwn},
    {.code = kActDamageLight, .base = 12, .delay = 6, .sheet = kOwn},
};

}  // namespace eternalburn
}  // namespace

const EnemyKindDef CBattleEternalBurn::kDef{.name = "이터널_번", .rows = eternalburn::kRows};
SLV_REGISTER_ACTOR(CBattleEternalBurn, CBattleEternalBurn::kDef.name);
