#pragma once
// Pictures that float over the battle scene: a battle text (miss, guard,
// critical, counter) that follows a participant while it fades, and one
// digit of a damage number that rises ever faster as it fades.
#include <cstdint>

#include "battle/BattleObject.h"

class CBattleMsg : public CBattleObject {
  SLV_OBJECT(CBattleMsg)
 public:
  static constexpr const char* kSprite = "system/battletext.spr";
  static constexpr const char* kAnimation = "system/battletext.act";
  static constexpr int32_t kLastTick = 120;

  CBattleMsg();
  // Follows the owner, fades; false once it has shown 121 ticks.
  bool OnProcess() override;
  // In front of the scene, moved by its column and row.
  void Render(CRC& rc, const Matrix& view) override;

  CBattleObject* m_owner = nullptr;  // cleared when the owner goes
  int32_t m_column = 0;              // cells of 10 units
  int32_t m_row = 0;
};

class CBattleNumber : public CBattleMsg {
  SLV_OBJECT(CBattleNumber)
 public:
  // Rises above the owner, faster each tick; false after 122 ticks.
  bool OnProcess() override;
};
