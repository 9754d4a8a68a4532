#pragma once
// The imperial soldiers and the bandit: ordinary enemies on sheets shown at
// delay 6, walking on row 4 and reeling on row 12. The officer's one skill
// strike is locked against hits; the bandit picks among three; the two forms
// of Wisten Kreutzer and the recruit fight with the blow alone, like Hirth
// and Grantz, on one shared table.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

// The rows at delay 6 and the base's fighting.
struct Delay6Table {
  static const EnemyKindDef kDef;
};

SLV_TABLE_ENEMY(CBattleEmpireWomanOfficer, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleOvrelTimbanesFamily, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleWistenKreutzerOne, Delay6Table, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleWistenKreutzerTwo, Delay6Table, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleEmpireSoldierNewbie, Delay6Table, CBattleGroundEnemy);
