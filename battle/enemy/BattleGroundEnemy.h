#pragma once
// The enemies that walk: gravity holds them to the ground.
#include "battle/enemy/BattleEnemy.h"

class CBattleGroundEnemy : public CBattleEnemy {
 public:
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override {
    CBattleEnemy::OnMessage(sender, code, value0, value1, value2);
  }
};
