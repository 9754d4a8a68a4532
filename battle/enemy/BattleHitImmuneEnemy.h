#pragma once
// The enemies hits cannot move: a hit still hurts, but it neither turns
// them, lifts them nor drains their gauge, and pushes them a third as far.
// Between turns they pay 20 of their gauge for a blow at any party member
// in reach.
#include <cstdint>

#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

class CBattleHitImmuneEnemy : public CBattleGroundEnemy {
 public:
  static constexpr float kIdleAttackCost = 20.0f;

  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;

  int32_t m_savedGauge = 0;    // the gauge's whole part before a hit
  int32_t m_savedHeading = 0;  // the heading's whole degrees before a hit

 protected:
  void UpdateIdleAttack();

 private:
  void TakeHitStanding(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2);
};

// A hit-immune kind run from its table; its idle is the paid blow.
template <class Kind>
class HitImmuneEnemy : public TableEnemy<Kind, CBattleHitImmuneEnemy> {
 public:
  int UpdateAction(int code) override {
    if (code != kActIdle) return TableEnemy<Kind, CBattleHitImmuneEnemy>::UpdateAction(code);
    this->UpdateIdleAttack();
    return 1;
  }
};
