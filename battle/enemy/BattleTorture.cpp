// The torturers' specs: one set of rows and one special, with the three
// differences as data.
#include "battle/enemy/BattleTorture.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {

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

constexpr EnemyKindSpec Torturer(const char* name, std::span<const EnemyRow> rows,
                                 std::span<const EnemyStrike> strikes) {
  return EnemyKindSpec{
      .name = name,
      .specialFolder = enemyrows::kHumanFolder,
      .rows = rows,
      .layout = kShared,
      .routes = kRoutes,
      .approaches = kApproaches,
      .strikes = strikes,
  };
}

}  // namespace

const EnemyKindSpec CBattleTorture1::kSpec = Torturer("고문관1", {}, kStrikes);
const EnemyKindSpec CBattleTorture2::kSpec = Torturer("고문관2", kQuickBlow, kStrikes);
const EnemyKindSpec CBattleTorture3::kSpec = Torturer("고문관3", kThirdRows, kThirdStrikes);
const EnemyKindSpec CBattleTorture4::kSpec = Torturer("고문관4", kQuickBlow, kStrikes);
SLV_REGISTER_ACTOR(CBattleTorture1, CBattleTorture1::kSpec.name);
SLV_REGISTER_ACTOR(CBattleTorture2, CBattleTorture2::kSpec.name);
SLV_REGISTER_ACTOR(CBattleTorture3, CBattleTorture3::kSpec.name);
SLV_REGISTER_ACTOR(CBattleTorture4, CBattleTorture4::kSpec.name);
