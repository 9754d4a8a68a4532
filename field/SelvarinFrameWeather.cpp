// The HUD's timers and the weather's steps, once a field tick.
#include <cmath>

#include "field/ParticleEffect.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Random.h"
#include "render/RC.h"

namespace {
namespace selvarinframeweather {

constexpr int kFlash = 1;
constexpr int kTimedPicture = 2;
constexpr int kShake = 4;
constexpr int kRain = 1;
constexpr int kSnow = 2;
constexpr float kDegree = 0.017453289f;

}  // namespace selvarinframeweather
}  // namespace

int CSelvarinFrame::TickHudTimers() {
  for (size_t i = 0; i < m_pictureSlotCounters.size(); ++i) {
    int32_t& counter = m_pictureSlotCounters[i];
    if (counter > 0 && ++counter >= 3 * m_pictureSlotPeriods[i]) counter = 0;
  }
  for (int32_t& timer : m_captionTimers) {
    if (timer > 0) --timer;
  }
  CSelvarinView* view = GetView();
  // A shake that another overlay replaced leaves the camera where it was;
  // an endless one too, which its limit alone would not show.
  if (m_overlayState != selvarinframeweather::kShake && (m_shakeLimit != -1 || m_shaking != 0)) {
    m_shakeLimit = -1;
    m_shaking = 0;
    if (view != nullptr) view->m_offset = Vec3{};
  }
  switch (m_overlayState) {
    case selvarinframeweather::kFlash:
      if (m_overlayTick >= 6) m_overlayState = 0;
      break;
    case selvarinframeweather::kTimedPicture:
      if (m_overlayTick >= m_overlayLength) {
        m_overlayState = 0;
        m_overlayLength = 0;
      }
      break;
    case selvarinframeweather::kShake:
      if (m_shakeLimit == -1 || m_overlayTick < m_shakeLimit) {
        if (m_overlayTick % 2 == 0) {
          m_shakeAmplitude = -m_shakeAmplitude;
          Vec3 offset;
          if (m_shakeAxis == 0) offset.x = m_shakeAmplitude;
          if (m_shakeAxis == 1) offset.y = m_shakeAmplitude;
          if (m_shakeAxis == 2) offset.z = m_shakeAmplitude;
          if (view != nullptr) view->m_offset = offset;
          m_shaking = 1;
        }
      } else if (m_overlayTick > m_shakeLimit) {
        m_overlayState = 0;
        m_shaking = 0;
        if (view != nullptr) view->m_offset = Vec3{};
      }
      break;
    default:
      break;
  }
  if (m_overlayState == selvarinframeweather::kFlash || m_overlayState == selvarinframeweather::kTimedPicture || m_overlayState == selvarinframeweather::kShake) ++m_overlayTick;
  return m_overlayState;
}

void CSelvarinFrame::TickCaptionTimer() {
  if (m_captionTimer > 0) --m_captionTimer;
}

void CSelvarinFrame::SetWeather(int kind) { m_weather = kind; }

void CSelvarinFrame::MakeRain(int count, int speed, int slant, int wind) {
  m_rainDrops.clear();
  if (count <= 0) return;
  RainDrop drop;
  drop.speed = speed;
  drop.slant = slant;
  drop.wind = wind;
  m_rainDrops.assign(static_cast<size_t>(count), drop);
}

void CSelvarinFrame::UpdateWeather() {
  if (m_weather == selvarinframeweather::kSnow) {
    MakeSnow();
    return;
  }
  if (m_weather != selvarinframeweather::kRain) return;
  const int width = m_pRC != nullptr ? m_pRC->ViewWidth() : 640;
  const int band = (m_pRC != nullptr ? m_pRC->ViewHeight() : 480) / 5;
  const CSelvarinView* view = GetView();
  const float yaw = view != nullptr ? view->m_yaw : 0.0f;
  for (RainDrop& drop : m_rainDrops) {
    const int r = platform::Rand() % 5;
    if (drop.y == drop.prevY) {
      drop.stop = 0;
      drop.prevY = 0;
      drop.y = 0;
    }
    if (drop.stop == 0) {
      drop.x = platform::Rand() % (width + 60) - 30;
      drop.y = 1;
      drop.stop = (band > 0 ? platform::Rand() % band : 0) + r * band;
      continue;
    }
    drop.prevX = drop.x;
    drop.prevY = drop.y;
    if (drop.stop > drop.y) {
      const int step = r * drop.speed + 5;
      drop.y += step;
      const float drift = std::cos((yaw - static_cast<float>(drop.wind)) * selvarinframeweather::kDegree) *
                          std::sin(static_cast<float>(drop.slant) * selvarinframeweather::kDegree) * static_cast<float>(step);
      drop.x += static_cast<int32_t>(drift);
    }
  }
}

// Flakes over a 400-unit square about the camera's look-at or the player,
// falling from 150 above.
void CSelvarinFrame::MakeSnow() {
  const CSelvarinView* view = GetView();
  const CSelvarinContext* context = GetContext();
  Vec3 centre{};
  if (m_snowAtCamera != 0) {
    if (view != nullptr) centre = view->m_lookAt;
  } else if (context != nullptr && context->GetPlayer() != nullptr) {
    centre = context->GetPlayer()->m_pos;
  }
  const float fall = static_cast<float>(m_snowSpeed) * 0.1f;
  for (int i = 0; i < m_snowPerTick; ++i) {
    const float x = static_cast<float>(platform::Rand() % 400) + centre.x - 200.0f;
    const float z = static_cast<float>(platform::Rand() % 400) + centre.z - 200.0f;
    CParticleEffect::AddSnowFlake(Vec3{x, -150.0f, z}, fall);
  }
}

// What Init clears of the window, the overlays and the weather beyond the
// timers it resets itself.
void CSelvarinFrame::ResetHudState() {
  for (std::string& line : m_messageLines) line.clear();
  m_messagePos = 0;
  m_messageSpeaker.clear();
  m_balloonKind = 3;
  m_messagePageTime = 0;
  m_messageItem = -1;
  m_messageInstant = 0;
  m_messageFast = 0;
  m_battleScriptLine = -1;
  for (std::string& text : m_captionTexts) text.clear();
  m_captionStyles.fill(0);
  m_captionLine = 0;
  for (std::string& name : m_pictureSlotNames) name.clear();
  m_pictureBlink = 0;
  m_blinkCalls = 0;
  m_overlayLength = 0;
  m_overlayLayout = 0;
  m_flashbackShown = 0;
  m_shakeLimit = -1;
  m_shakeAxis = 0;
  m_shakeAmplitude = 0.0f;
  m_shaking = 0;
  m_compassFade = 0.0f;
  m_actionSignFrame = 0;
  m_rainDrops.clear();
  m_snowPerTick = 5;
  m_snowSpeed = 5;
  m_snowAtCamera = 0;
}
