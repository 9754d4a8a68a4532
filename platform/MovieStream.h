#pragma once
// A movie played full screen: its video frames handed out one by one at the
// movie's pace into a sample surface, and its sound on the mixer's wave line.
// Every frame is shown, in order: an update that comes early waits for its
// frame, one that comes late shows it at once, so a run of passes always
// shows the same frames.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/Surface.h"

namespace platform {

// A success code: the last frame was shown before.
inline constexpr Result MS_S_ENDOFSTREAM = MakeResult(0x00040004u);

class TrackStream;
class VideoReader;

class MovieStream {
 public:
  // Null when the file holds no video stream that can be decoded (logged).
  // The stream starts stopped; with `withAudio` the file's sound plays while
  // it runs.
  static std::unique_ptr<MovieStream> Open(const std::string& path, bool withAudio);
  ~MovieStream();
  MovieStream(const MovieStream&) = delete;
  MovieStream& operator=(const MovieStream&) = delete;

  int Width() const;
  int Height() const;
  bool HasAudio() const { return m_audio != nullptr; }
  // 1 runs, 0 stops; the movie's clock and sound stop with it.
  void SetState(int running);
  bool IsRunning() const { return m_running; }
  // The next frame into the sample (5-6-5 or 5-5-5, cut to its size) once it
  // is due: S_OK; S_OK without a frame while stopped or while the sample is
  // lost; MS_S_ENDOFSTREAM after the last frame; E_FAIL when the frame cannot
  // be read.
  Result Update(Surface& sample);

 private:
  MovieStream() = default;
  void WaitForFrame(int32_t index) const;

  std::unique_ptr<VideoReader> m_reader;
  std::unique_ptr<TrackStream> m_audio;
  std::unique_ptr<uint16_t[]> m_frame;
  int32_t m_next = 0;
  bool m_running = false;
  uint32_t m_startMs = 0;  // when frame 0 was due, moved on by stops
  uint32_t m_stoppedMs = 0;
  bool m_started = false;
};

}  // namespace platform
