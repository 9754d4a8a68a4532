#pragma once
// The slime: it leaps at its target, and a weapon hit that leaves it alive
// splits it in two while the battle has room.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

class CBattleSlime : public TableEnemy<CBattleSlime, CBattleGroundEnemy> {
  SLV_OBJECT(CBattleSlime)
 public:
  static const EnemyKindDef kDef;
  static constexpr size_t kMaxEnemies = 6;
  static constexpr float kCloneDistance = 7.0f;

  int UpdateAction(int code) override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;

 private:
  bool BattleIsFull() const;
  void UpdateLeap();
  void UpdateSplit();
  void PlaceClone(CBattleEnemy& clone) const;
};
