#pragma once
// An item on its way from its user to its target: it picks its flight by
// the item's name, flies straight or bouncing under the flight effect it
// owns, and on arrival hands the use to the item rules. It draws nothing of
// its own.
#include <array>
#include <cstdint>
#include <string>

#include "battle/BattleObject.h"

class CBattleItem : public CBattleObject {
  SLV_OBJECT(CBattleItem)
 public:
  static constexpr int kFlightCount = 102;
  static constexpr int kUnknownFlight = 42;
  static constexpr int kLastTick = 121;
  struct FlightRow {
    const char* label;
    int32_t effect;
    int32_t lobbed;  // 1 bouncing, 0 straight
    float value;     // straight: the speed a tick; bouncing: the flight time in ticks
  };
  static const std::array<FlightRow, kFlightCount> kFlights;
  // The flight code of an item name; kUnknownFlight for names not listed.
  static int32_t FlightCodeOf(const std::string& name);

  CBattleItem();
  using CBattleObject::Init;
  // The user, the target (its decoy flag kept) and the inventory item.
  void Init(CSelvarinActor* user, CSelvarinActor* target, int32_t item);
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;

  int32_t m_userId = -1, m_userIsParty = 0;
  int32_t m_targetId = -1, m_targetIsParty = 0;
  int32_t m_itemIndex = -1;
  int32_t m_flightCode = kUnknownFlight;
  int32_t m_viaDecoy = 0;

 private:
  // The first tick: the wave, the flight effect and the speed.
  void TakeOff(const CSelvarinActor& target, const FlightRow& row);
};
