#pragma once
// Paces drawing at a fixed rate: every pass advances the game, and drawing is
// released at most once a slot, skipping late passes (automatic) or drawing
// one pass in N (fixed).
#include <cstdint>

struct FrameClock {
  uint32_t m_slotStart = 0;
  uint32_t m_lastDrawn = 0;
  uint32_t m_interval = 0;
  uint32_t m_skipLimit = 0;
  uint32_t m_skipCount = 0;
  uint32_t m_drawnFrames = 0;
  uint32_t m_skippedFrames = 0;
  uint32_t m_lastFrameMs = 0;
};

extern FrameClock g_frameClock;

void SetFrameRate(uint32_t framesPerSecond);
void SetFrameSkip(uint32_t limit);
void ResetFrameTimer();
uint32_t GetFrameElapsed();
// True: draw this pass. False: skip drawing (the game still advances).
bool WaitNextFrame();
