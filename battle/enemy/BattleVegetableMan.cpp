// The vegetable man: ordered to use a special, it stays idle.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace vegetableman {

constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .otherwise = kActIdle}};

}  // namespace vegetableman
}  // namespace

const EnemyKindDef CBattleVegetableMan::kDef{
    .name = "식물인간", .rows = enemyrows::kStandard, .routes = vegetableman::kRoutes};
SLV_REGISTER_ACTOR(CBattleVegetableMan, CBattleVegetableMan::kDef.name);
