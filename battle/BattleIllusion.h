#pragma once
// A decoy: an after-image of a participant that fades in beside it, mirrors
// its pose, draws orders and arrows aimed at the participant one time in
// three, takes the blows meant for it and fades out once beaten.
#include <cstdint>

#include "battle/BattleObject.h"

class CBattleIllusion : public CBattleActor {
  SLV_OBJECT(CBattleIllusion)
 public:
  static constexpr int32_t kFadeInTicks = 120;
  static constexpr uint32_t kStandingTint = 0xA1FFFFFFu;

  CBattleIllusion();
  using CBattleActor::Init;
  // The source's hit points, id pair and looks, 12 to 21 units from it;
  // the source's decoy from now on.
  void CopyFrom(CBattleActor& source);
  // Always true: a beaten decoy turns invisible and waits.
  bool OnProcess() override;
  // The source's pose, on the ground.
  void PostProcess() override;
  // Only the effect list's message and physical hits.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;

  int32_t m_decoyHp = 0;
  CBattleActor* m_source = nullptr;  // cleared when the source goes

 private:
  void Vanish();
};
