#include "engine/FrameClock.h"

#include "platform/Clock.h"

FrameClock g_frameClock;

namespace {

// The clock wraps, and skipped passes may push the slot start past "now":
// elapsed time is compared as a signed difference.
int32_t SignedElapsed() { return static_cast<int32_t>(platform::NowMs() - g_frameClock.m_slotStart); }

bool ReleaseDrawnPass(uint32_t now) {
  FrameClock& c = g_frameClock;
  platform::SleepUntilMs(c.m_slotStart + c.m_interval);
  c.m_slotStart += c.m_interval;
  c.m_drawnFrames += 1;
  c.m_lastFrameMs = now - c.m_lastDrawn;
  c.m_lastDrawn = now;
  return true;
}

}  // namespace

void SetFrameRate(uint32_t framesPerSecond) {
  g_frameClock.m_interval = framesPerSecond != 0 ? 1000u / framesPerSecond : 0;
  g_frameClock.m_lastFrameMs = 0;
}

// A headless run's own setting outlasts the options a loaded game brings:
// its screenshots name passes that must be drawn.
void SetFrameSkip(uint32_t limit) {
  const int32_t forced = platform::FrameSkipOverride();
  g_frameClock.m_skipLimit = forced >= 0 ? static_cast<uint32_t>(forced) : limit;
  ResetFrameTimer();
}

void ResetFrameTimer() {
  g_frameClock.m_slotStart = g_frameClock.m_lastDrawn = platform::NowMs();
  g_frameClock.m_skipCount = 0;
}

uint32_t GetFrameElapsed() { return platform::NowMs() - g_frameClock.m_slotStart; }

bool WaitNextFrame() {
  FrameClock& c = g_frameClock;
  const uint32_t now = platform::NowMs();
  if (now - c.m_lastDrawn >= 1000) {
    ResetFrameTimer();
    return true;
  }
  if (c.m_skipLimit == 0) {
    if (SignedElapsed() > static_cast<int32_t>(c.m_interval)) {
      c.m_slotStart += c.m_interval;
      c.m_skippedFrames += 1;
      return false;
    }
    return ReleaseDrawnPass(now);
  }
  c.m_skipCount += 1;
  if (c.m_skipCount < c.m_skipLimit) {
    c.m_slotStart += c.m_interval;
    c.m_skippedFrames += 1;
    return false;
  }
  c.m_skipCount = 0;
  return ReleaseDrawnPass(now);
}
