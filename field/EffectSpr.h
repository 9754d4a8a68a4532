#pragma once
// A sprite effect that plays one action of its own sprite over an owner: the
// emotion balloon over a speaking actor, and sprites of battle code. The
// owner keeps a pointer to its balloon, which the balloon clears when it
// ends or goes.
#include <cstdint>

#include "field/SelvarinActor.h"

class CEffectSpr : public CSelvarinActor {
  SLV_OBJECT(CEffectSpr)
 public:
  static constexpr int32_t kAboveOwner = 17;
  static constexpr int32_t kTicksPerFrame = 3;
  static constexpr int32_t kLastFrame = 18;

  CEffectSpr() = default;
  ~CEffectSpr() override;
  CEffectSpr(const CEffectSpr&) = delete;
  CEffectSpr& operator=(const CEffectSpr&) = delete;

  using CSelvarinActor::Init;
  void Init(CSelvarinActor* owner, const char* sprite, const char* animation, int32_t action);
  // Over the owner, one frame each three ticks up to the last; false once it
  // has ended.
  bool OnProcess() override;
  // 29 ends it; other codes as any sprite character.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // Its layers only: no shadow, no pick rectangle.
  void Render(CRC& rc, const Matrix& view) override;

  CSelvarinActor* GetOwner() const { return m_owner; }

  int32_t m_actionId = 0;
  int32_t m_lifetime = 100;
  int32_t m_hold = 0;  // while set it only counts its ticks
  int32_t m_tick = 0;

 private:
  // Ends it and lets the owner forget it.
  void End();

  CSelvarinActor* m_owner = nullptr;
};
