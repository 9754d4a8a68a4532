#pragma once
// Everything on the battle screen stands on these: a sprite actor that the
// field context's battle lists hold (CBattleObject), and a participant of
// the battle, a party member, enemy or summoned creature (CBattleActor).
// The battle code proper fills them in; what set-up and clean-up need is
// here.
#include <array>
#include <cstdint>

#include "field/SelvarinActor.h"

// Action codes that set-up and clean-up give participants.
enum BattleAction : int32_t {
  kBattleIdle = 10000,
  kBattleDying = 10008,
  kBattleEntering = 10030,
  kBattleStanding = 10031,
};

// The message every battle object gets before the battle deletes it.
constexpr int kBattleEndsMessage = 10042;

class CBattleObject : public CSelvarinActor {
  SLV_OBJECT(CBattleObject)
 public:
  // Stores the code and starts its tick count again.
  virtual void SetAction(int32_t code);
  // Loads the named sprite and animation into the cache (the battle's
  // clean-up frees them); false when either cannot be had.
  virtual bool GetSprite();

  uint32_t m_tint = 0xFFFFFFFF;
  int32_t m_ownerPosition = -1;  // the party position its hits count for
  float m_radius = 0.0f;
  float m_scaleX = 1.0f, m_scaleY = 1.0f;
};

class CBattleActor : public CBattleObject {
  SLV_OBJECT(CBattleActor)
 public:
  float m_timeGauge = 0.0f;
  int32_t m_hudMarker = 0;
  // The position (party position or enemy slot) and the side (1 party, 0
  // enemy); -1 until bound.
  std::array<int32_t, 2> m_battleId{-1, -1};
};
