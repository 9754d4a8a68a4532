// The doll: it strikes where it stands.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {

constexpr EnemyRow kRows[] = {enemyrows::Blow(kActSpecialHit)};

}  // namespace

const EnemyKindSpec CBattleDoll::kSpec{
    .name = "인형", .body = EnemyBody::kSpecialInPlace, .rows = kRows, .layout = enemyrows::kStandard};
SLV_REGISTER_ACTOR(CBattleDoll, CBattleDoll::kSpec.name);
