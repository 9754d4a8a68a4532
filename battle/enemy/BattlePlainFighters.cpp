// The plain fighters: idle, walks, blow and reel on the sheet they show,
// and no special of their own.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

const EnemyKindDef CBattleZerging::kDef{.name = "저글러", .rows = enemyrows::kStandardKept};
const EnemyKindDef CBattleBukabu::kDef{.name = "부카부", .rows = enemyrows::kStandardKept};
const EnemyKindDef CBattleBungamu::kDef{.name = "붕가무", .rows = enemyrows::kStandardKept};
SLV_REGISTER_ACTOR(CBattleZerging, CBattleZerging::kDef.name);
SLV_REGISTER_ACTOR(CBattleBukabu, CBattleBukabu::kDef.name);
SLV_REGISTER_ACTOR(CBattleBungamu, CBattleBungamu::kDef.name);
