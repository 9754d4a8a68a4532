// The heavy lady: no specials; her rows leave the sheet alone.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace haveylady {

using namespace secondrows;

constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActApproach, .base = 0, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActWalkBack, .base = 0, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActAttack, .base = 4, .sheet = EnemySheet::kKeep},
    {.code = kActDamageLight, .base = 8, .sheet = EnemySheet::kKeep},
};

}  // namespace haveylady
}  // namespace

const EnemyKindDef CBattleHaveyLady::kDef{
    .name = "하비레이디",
    .rows = haveylady::kRows,
};
SLV_REGISTER_ACTOR(CBattleHaveyLady, CBattleHaveyLady::kDef.name);
