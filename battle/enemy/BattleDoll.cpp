// The doll: it strikes where it stands.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace doll {

constexpr EnemyRow kRows[] = {enemyrows::Blow(kActSpecialHit)};

}  // namespace doll
}  // namespace

const EnemyKindDef CBattleDoll::kDef{
    .name = "인형", .body = EnemyBody::kSpecialInPlace, .rows = doll::kRows, .layout = enemyrows::kStandard};
SLV_REGISTER_ACTOR(CBattleDoll, CBattleDoll::kDef.name);
