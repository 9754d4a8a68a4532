#pragma once
// Writes AVI files (FFmpeg) for our tools and tests: one video stream from
// 5-6-5 frames, and optionally one stream of 16-bit PCM. The game never
// writes movies.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct AviVideoFormat {
  int width = 0;
  int height = 0;
  uint32_t rate = 15;  // frames last scale / rate seconds
  uint32_t scale = 1;
  std::string codec = "ffv1";  // an FFmpeg encoder
  uint32_t codecTag = 0;       // the stream's four-character code; 0: the codec's own
  int keyFrameInterval = 1;    // 1: every frame is a key frame
};

struct AviAudioFormat {
  int sampleRate = 0;  // 0: no audio stream
  int channels = 1;
};

inline constexpr uint32_t FourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) | static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

class AviWriter {
 public:
  // Null (logged) when the file or an encoder cannot be set up.
  static std::unique_ptr<AviWriter> Create(const std::string& path, const AviVideoFormat& video,
                                           const AviAudioFormat& audio = {});
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // One frame of width x height pixels, top row first, rows `pitch` pixels apart.
  bool AddFrame(const uint16_t* pixels, int pitch);
  // Interleaved samples, `frames` per channel.
  bool AddAudio(const int16_t* samples, size_t frames);
  // Drains the encoders and closes the file; false when anything failed.
  bool Finish();

 private:
  struct State;
  AviWriter();
  std::unique_ptr<State> m_state;
};

}  // namespace platform
