#include "field/BlurActor.h"

#include <cstdint>

namespace {

constexpr uint32_t kRgb = 0x00FFFFFFu;
constexpr uint32_t kAlpha = 0xFF000000u;

}  // namespace

CBlurActor::CBlurActor(const CSelvarinActor& source)
    : m_colour(kAlpha | (static_cast<uint32_t>(source.m_afterimageColour) & kRgb)),
      m_length(source.m_afterimageLength) {
  m_sprName = source.m_sprName;
  m_actName = source.m_actName;
  m_pos = source.m_pos;
  m_angleX = source.m_angleX;
  m_angle = source.m_angle;
  m_angleZ = source.m_angleZ;
  m_action = source.m_action;
  m_motion = source.m_motion;
  m_drawShadow = 0;
}

// A length of 0 or less ends at once, before anything is divided by it.
bool CBlurActor::OnProcess() {
  const int32_t old = m_tick++;
  if (old >= m_length) return false;
  const auto alpha = static_cast<uint32_t>((int64_t{m_length} - old - 1) * 255 / m_length);
  m_colour = alpha << 24 | (m_colour & kRgb);
  return true;
}

void CBlurActor::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  ScreenRect drawn;
  QueueLayers(rc, view, m_colour, &drawn);
}
