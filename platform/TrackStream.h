#pragma once
// Inside platform/ only: plays audio files one after another on a mixer line
// (music on the compact-disc line, a movie's sound on the wave line). A
// thread decodes them (FFmpeg) into the output's format a little ahead of the
// output.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/AudioOutput.h"

namespace platform {

class TrackStream : public audio::MixSource {
 public:
  explicit TrackStream(std::vector<std::string> files, audio::Line line = audio::Line::CompactDisc,
                       bool paused = false);
  ~TrackStream() override;
  TrackStream(const TrackStream&) = delete;
  TrackStream& operator=(const TrackStream&) = delete;

  // True once every file was decoded and all of it mixed.
  bool Finished() const;
  // A paused stream mixes nothing and keeps its place.
  void SetPaused(bool paused);
  void MixInto(float* out, size_t frames, float gain) override;

 private:
  void DecodeAll();
  bool DecodeFile(const std::string& path);
  // Waits for room; false when the stream is being stopped.
  bool Push(const float* samples, size_t frames);

  std::vector<std::string> m_files;
  mutable std::mutex m_mutex;
  std::condition_variable m_room;
  std::vector<float> m_ring;  // interleaved stereo
  size_t m_read = 0;          // in frames
  size_t m_count = 0;         // frames waiting
  bool m_decoded = false;
  bool m_paused = false;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

}  // namespace platform
