#pragma once
// The enemies hits cannot move: a hit still hurts, but it neither turns
// them, lifts them nor drains their gauge, and pushes them a third as far.
// One handling for every such kind, on the ground or flying; its gauge
// bonus and turn come from the kind's table, which also gives most of them
// the paid blow between turns.
#include <cstdint>

#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

template <class Base>
class HitImmuneBase : public Base {
 public:
  int32_t m_savedGauge = 0;    // the gauge's whole part before the last hit
  int32_t m_savedHeading = 0;  // the heading's whole degrees before the last hit

 protected:
  // The base takes the hit whole; then the lift, the turn and most of the
  // push are undone. The knock-out an applied magic sends is ignored.
  void HitImmuneOnMessage(const EnemyHitImmunity& how, CObject* sender, int code, intptr_t value0, intptr_t value1,
                          intptr_t value2) {
    switch (code) {
      case kMsgHit:
      case kMsgMagicHit:
      case kMsgHitWithNumber:
      case kMsgHitTwoParts:
        m_savedGauge = static_cast<int32_t>(this->m_timeGauge);
        m_savedHeading = static_cast<int32_t>(this->m_angle);
        Base::OnMessage(sender, code, value0, value1, value2);
        this->StandAfterHit(how, m_savedGauge, m_savedHeading);
        break;
      case kMsgVanishLight:
        break;
      default:
        Base::OnMessage(sender, code, value0, value1, value2);
        break;
    }
  }
};

using CBattleHitImmuneEnemy = HitImmuneBase<CBattleGroundEnemy>;

// A hit-immune kind run from its table.
template <class Kind, class Base = CBattleGroundEnemy>
class HitImmuneEnemy : public TableEnemy<Kind, HitImmuneBase<Base>> {
 public:
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override {
    this->HitImmuneOnMessage(Kind::kDef.hitImmunity, sender, code, value0, value1, value2);
  }
};
