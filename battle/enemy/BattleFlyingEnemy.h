#pragma once
// The enemies that fly: they hover at a height above the ground, and a hit
// or a knock-down makes them fall and bounce for a while.
#include <cstdint>

#include "battle/enemy/BattleEnemy.h"

class CBattleFlyingEnemy : public CBattleEnemy {
 public:
  static constexpr int32_t kHitFall = 50;
  static constexpr int32_t kKnockDownFall = 300;

  CBattleFlyingEnemy();
  bool OnProcess() override;
  void SetAction(int32_t code) override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // One tick of the vertical movement, in place of gravity.
  virtual void Hover();

  int32_t m_fallTimer = 0;  // while above 0 it falls and bounces
  float m_hoverHeight = 15.5f;
};
