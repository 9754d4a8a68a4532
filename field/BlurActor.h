#pragma once
// The fading copy that a fast actor with its afterimage on leaves behind:
// the frame it showed, at the place it stood, in the afterimage colour,
// fading out over the afterimage length.
#include <cstdint>

#include "field/SelvarinActor.h"

class CBlurActor : public CSelvarinActor {
  SLV_OBJECT(CBlurActor)
 public:
  CBlurActor() = default;
  explicit CBlurActor(const CSelvarinActor& source);

  // Fades; false once the length has run out.
  bool OnProcess() override;
  // The copied frame, each layer's colour times the afterimage colour.
  void Render(CRC& rc, const Matrix& view) override;

  uint32_t m_colour = 0xFFFFFFFFu;  // ARGB
  int32_t m_length = 20;
  int32_t m_tick = 0;
};
