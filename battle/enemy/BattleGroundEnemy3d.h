#pragma once
// The model enemies that walk: the battle tick with the time gauge, and the
// default behaviour every model kind falls back on: idle facing its target,
// approach, weapon attack, return, knock-back and a death with its death
// skill and fade.
#include "battle/enemy/BattleEnemy3d.h"

class CBattleGroundEnemy3d : public CBattleEnemy3d {
 public:
  bool OnProcess() override;
  // 0 when the enemy is finished with the battle.
  int UpdateAction(int code) override;

 private:
  void UpdateApproach();
  void UpdateReturn();
  int UpdateDying();
};
