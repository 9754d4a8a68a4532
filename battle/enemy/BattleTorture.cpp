// The torturers' tables: one set of rows and one special, with the three
// differences as data.
#include "battle/enemy/BattleTorture.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace torture {

constexpr EnemyRow kShared[] = {
    {.code = kActIdle, .base = 0, .mode = 2},
    {.code = kActApproach, .base = 4, .mode = 2},
    {.code = kActWalkBack, .base = 4, .mode = 2},
    {.code = kActSpecialApproach, .base = 4, .mode = 2},
    {.code = kActAttack, .base = 8},
    {.code = kActDamageLight, .base = 16},
    {.code = kActSpecialHit, .base = 0, .delay = 4, .sheet = EnemySheet::kSpecial},
};
constexpr EnemyRow kQuickBlow[] = {{.code = kActAttack, .base = 8, .delay = 4}};
constexpr EnemyRow kThirdRows[] = {{.code = kActAttack, .base = 8, .delay = 4}, {.code = kActDamageLight, .base = 12}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike};
constexpr EnemyStrike kThirdStrikes[] = {{.code = kActSpecialHit, .end = kActIdle}};

constexpr EnemyKindDef Torturer(const char* name, std::span<const EnemyRow> rows,
                                 std::span<const EnemyStrike> strikes) {
  return EnemyKindDef{
      .name = name,
      .specialFolder = enemyrows::kHumanFolder,
      .rows = rows,
      .layout = kShared,
      .routes = kRoutes,
      .approaches = kApproaches,
      .strikes = strikes,
      .idleStrike = true,
  };
}

}  // namespace torture
}  // namespace

const EnemyKindDef CBattleTorture1::kDef = torture::Torturer("고문관1", {}, torture::kStrikes);
const EnemyKindDef CBattleTorture2::kDef = torture::Torturer("고문관2", torture::kQuickBlow, torture::kStrikes);
const EnemyKindDef CBattleTorture3::kDef = torture::Torturer("고문관3", torture::kThirdRows, torture::kThirdStrikes);
const EnemyKindDef CBattleTorture4::kDef = torture::Torturer("고문관4", torture::kQuickBlow, torture::kStrikes);
SLV_REGISTER_ACTOR(CBattleTorture1, CBattleTorture1::kDef.name);
SLV_REGISTER_ACTOR(CBattleTorture2, CBattleTorture2::kDef.name);
SLV_REGISTER_ACTOR(CBattleTorture3, CBattleTorture3::kDef.name);
SLV_REGISTER_ACTOR(CBattleTorture4, CBattleTorture4::kDef.name);
