// The plain fighters: idle, walks, blow and reel on the sheet they show,
// and no special of their own.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

const EnemyKindSpec CBattleZerging::kSpec{.name = "저글러", .rows = enemyrows::kStandardKept};
const EnemyKindSpec CBattleBukabu::kSpec{.name = "부카부", .rows = enemyrows::kStandardKept};
const EnemyKindSpec CBattleBungamu::kSpec{.name = "붕가무", .rows = enemyrows::kStandardKept};
SLV_REGISTER_ACTOR(CBattleZerging, CBattleZerging::kSpec.name);
SLV_REGISTER_ACTOR(CBattleBukabu, CBattleBukabu::kSpec.name);
SLV_REGISTER_ACTOR(CBattleBungamu, CBattleBungamu::kSpec.name);
