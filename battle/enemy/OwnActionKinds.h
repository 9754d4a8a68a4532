#pragma once
// The kinds with actions of their own: the succubus casts where it stands
// and lands two of its specials as their rows end; Gideon flies and burns
// on every tick it reels; the mermaid lord's special is itself the strike;
// the spiral bat drifts forward as it bites; the jellyfish, the tentacle
// and the kraken mark a near target as their blow lands.
#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

struct HeapariTable {
  static const EnemyKindDef kDef;
};

SLV_TABLE_ENEMY(CBattleSacubus, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLittleMeamade2, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBakGi, CBattleFlyingEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleHeapari1, HeapariTable, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleHeapari2, HeapariTable, CBattleGroundEnemy);
SLV_SHARED_TABLE_ENEMY(CBattleHeapari3, HeapariTable, CBattleGroundEnemy);

class CBattleGideon : public TableEnemy<CBattleGideon, CBattleFlyingEnemy> {
  SLV_OBJECT(CBattleGideon)
 public:
  static const EnemyKindDef kDef;
  // Its reels burn on every tick, then run as the base's.
  int UpdateAction(int code) override;
};
