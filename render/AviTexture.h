#pragma once
// An AVI movie played into two 256 x 256 decals, so that the scene can draw
// it as textured quads: columns 0-159 in the left decal, 160-319 in the
// right one. A periodic timer advances the frame index at the movie's rate;
// the frame loop decodes the current frame once a pass.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Result.h"
#include "render/Decal.h"

namespace platform {
class VideoReader;
}

class CAviTexture {
 public:
  CAviTexture();
  ~CAviTexture();
  CAviTexture(const CAviTexture&) = delete;
  CAviTexture& operator=(const CAviTexture&) = delete;

  // True when the movie is ready to start. Closes what an earlier Open left.
  bool Open(const char* fileName);
  // Starts the timer; its id, 0 on failure.
  uint32_t Start();
  // The current frame into the decals: 0, or the error of a decal that
  // cannot be locked.
  platform::Result UpdateFrame();
  void Close();

  static void TimerProc(uint32_t timerId, void* user);
  void Tick();

  // Milliseconds a frame lasts, rounded; 0 when rate or scale is 0.
  static uint32_t FramePeriod(uint32_t rate, uint32_t scale);

  int32_t FrameIndex() const { return m_frameIndex; }
  int32_t FrameCount() const { return m_frameCount; }
  bool IsPlaying() const { return m_playing != 0; }

  static constexpr int32_t kDecalSide = 256;
  static constexpr int32_t kHalfWidth = 160;

  CDecal m_leftDecal;
  CDecal m_rightDecal;
  int32_t m_framesPerSecond = 0;
  uint32_t m_timerId = 0;
  uint32_t m_framePeriod = 0;
  std::unique_ptr<platform::VideoReader> m_stream;
  std::vector<uint16_t> m_output;  // the decoded frame, 5-6-5
  int32_t m_outputStride = 0;      // pixels
  // Shared with the timer thread.
  std::atomic<int32_t> m_playing{0};
  std::atomic<int32_t> m_frameIndex{0};
  int32_t m_frameCount = 0;

 private:
  // Copies one half of the frame into the decal's staging surface.
  platform::Result FillDecal(CDecal& decal, int32_t firstColumn, const char* lockFailure);
};
