#pragma once
// The birds of a field map, villagers by descent: they sit and, when the
// party comes near, fly off with a flutter and are gone 500 ticks later.
// Four view quadrants per pose, resting and flying.
#include "field/Villager.h"

// Circles upwards; cannot be talked to.
class CDove : public CVillager {
  SLV_OBJECT(CDove)
 public:
  static constexpr float kShyness = 20.0f;  // distance to the leader

  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  int UpdateAction(int state) override;
  void UpdateFrame() override;
};

// Turns on the spot at rest, climbs steeply away; a crow with a talk
// script answers.
class CCrow : public CVillager {
  SLV_OBJECT(CCrow)
 public:
  static constexpr float kShyness = 30.0f;
  static constexpr int32_t kTurnTicks = 50;

  void Init() override;
  bool OnProcess() override;
  int UpdateAction(int state) override;
  void UpdateFrame() override;
};
