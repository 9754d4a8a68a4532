#pragma once
// A particle maker of a field map: while it is on and the leader is near it
// spawns the particles of its kind (splashes, smoke, fountains, sparks) or
// draws its fire. The map loader appends it to the context's effect list.
#include <cstdint>

#include "field/SelvarinActor.h"

class CParticleEffect;

class CParticleMaker : public CSelvarinActor {
  SLV_OBJECT(CParticleMaker)
 public:
  static constexpr float kReach = 100.0f;  // x-z distance to the leader

  bool OnProcess() override;
  void Render(CRC& rc, const Matrix& view) override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;

  int32_t m_kind = 0;
  int32_t m_tick = 0;  // wraps to 0 past the largest int
  int32_t m_liveCount = 0;
  int32_t m_liveLimit = 20;
  int32_t m_burst = 0;  // on for one tick even when switched off
  // The active flag is the base visible flag.

 private:
  void RunKind();
  bool Even() const { return m_tick % 2 == 0 && BelowLimit(); }
  bool BelowLimit() const { return m_liveCount < m_liveLimit; }
  // A particle at the maker, owned by it, randomly rotated.
  CParticleEffect* Make(int32_t type, const char* texture, int32_t size);
  // Made with a sideways speed drawn for x, then for z (rand % 100 * step
  // - offset), and the vertical speed vy.
  CParticleEffect* MakeDrifting(int32_t type, const char* texture, int32_t size, float step, float offset, float vy);
  void Splashes();
  // Along the heading at `speed`, level.
  void Stream(const char* texture, float speed, float vy, int32_t size);
  void Puff(int32_t type, float scale);
  void QueueBillboard(CRC& rc, const Matrix& view, const char* texture, float halfSize, uint32_t colour) const;
};
