// The gagamu: no specials; its rows leave the sheet alone.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

const EnemyKindDef CBattleGagaMu::kDef{.name = "가가무", .layout = secondrows::kKeepSheet};
SLV_REGISTER_ACTOR(CBattleGagaMu, CBattleGagaMu::kDef.name);
