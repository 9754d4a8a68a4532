#pragma once
// The skeleton: a plain fighter on foot with no special of its own.
#include <cstdint>

#include "battle/enemy/BattleGroundEnemy.h"

class CBattleSkeleton : public CBattleGroundEnemy {
  SLV_OBJECT(CBattleSkeleton)
 public:
  // Idle, approach and return, strike and recoil from its own sheet; a hit
  // keeps it in the air. Every other code is the base's.
  void SetAction(int32_t code) override;
  void DrawBattleChar(CRC& rc, int x, int y, bool isCurrent) override { DrawOwnIcon(rc, x, y, isCurrent); }
};
