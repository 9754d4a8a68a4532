#pragma once
// The ground lifted under a spell: four ground-grid corners that meet at one
// vertex rise, hold and sink back, signalling hits to their magic while they
// rise and hold.
#include <array>
#include <cstdint>

#include "battle/BattleObject.h"

class CBattleMagic;

class CBattleMagicSpike : public CBattleObject {
  SLV_OBJECT(CBattleMagicSpike)
 public:
  CBattleMagicSpike() = default;
  // The ground as it was, and the magic forgets it.
  ~CBattleMagicSpike() override;

  // Links both ways and takes the vertex under the magic; false, unlinked,
  // when the grid has no room there.
  bool Bind(CBattleMagic* magic);
  bool OnProcess() override;
  // 46 to the battle object, 63 the magic gone, 10003 a hit shown.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  void RestoreGround();

  static constexpr float kMostLift = 23.0f;

  CBattleMagic* m_magic = nullptr;
  std::array<float*, 4> m_corners{};
  std::array<float, 4> m_rest{};
  float m_base = 0.0f;
  int32_t m_column = 0, m_row = 0;
  float m_lift = 0.0f;
  float m_liftSpeed = 0.0f;
};
