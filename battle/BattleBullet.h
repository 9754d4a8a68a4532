#pragma once
// An arrow on its way from a bow user to its target. It finds both again by
// their battle ids every tick, so a fallen target ends the flight unhit, and
// on arrival hands the hit to the rules. Celine's arrows show her bow's
// effect and strike every other enemy they pass close to. It draws nothing
// of its own: its effect is what is seen.
#include <array>
#include <cstdint>
#include <string>

#include "battle/BattleObject.h"

class CBattleBullet : public CBattleObject {
  SLV_OBJECT(CBattleBullet)
 public:
  struct BowRow {
    const char* bow;
    int32_t effect;
  };
  static constexpr int kBowCount = 13;
  static const std::array<BowRow, kBowCount> kBows;
  static constexpr int32_t kOtherBowEffect = 1065;
  static constexpr int32_t kPlainEffect = 68;
  static constexpr float kSpeed = 1.5f;
  static constexpr int32_t kLastFlightTick = 120;
  static constexpr int32_t kPiercePeriod = 15;
  static constexpr float kPierceReach = 15.0f;
  // The only shooter whose arrows pierce and carry the bow's effect.
  static constexpr const char* kPiercingShooter = "셀린";

  // The effect of a piercing shooter's bow by its name.
  static int32_t EffectOfBow(const std::string& bow);

  CBattleBullet();
  using CBattleObject::Init;
  // The shooter, the target (its decoy flag kept) and the value handed on to
  // the hit.
  void Init(CSelvarinActor* shooter, CSelvarinActor* target, int32_t attack);
  // False once the arrow has struck or lost its shooter or target.
  bool OnProcess() override;

  std::array<int32_t, 2> m_shooterId{-1, -1};
  std::array<int32_t, 2> m_targetId{-1, -1};
  int32_t m_attackValue = 0;
  int32_t m_viaDecoy = 0;

 private:
  // The shooter's record: its name and, for a member, the weapon's name.
  std::string ShooterName() const;
  std::string ShooterBow() const;
  void TakeOff(const CSelvarinActor& shooter);
  // Every enemy but the target within reach of the arrow takes a hit.
  void Pierce();
  void Strike(const std::array<int32_t, 2>& at);
};
