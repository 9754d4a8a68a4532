#pragma once
// Reads the first video stream of an AVI file (FFmpeg) as 5-6-5 frames, top
// row first. Frames are decoded forward; asking for an earlier frame seeks
// back to the key frame before it. Names resolve like loose files: relative
// to the working folder, either separator, without regard to ASCII case.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct VideoInfo {
  int width = 0;
  int height = 0;
  // The stream's time base: a frame lasts scale / rate seconds.
  uint32_t rate = 0;
  uint32_t scale = 0;
  int32_t frameCount = 0;
  bool hasDecoder = false;  // whether FFmpeg knows the stream's codec
  bool hasAudio = false;    // the file also holds an audio stream
};

class VideoReader {
 public:
  // Null when the file cannot be read as AVI or holds no video stream.
  static std::unique_ptr<VideoReader> Open(const std::string& path);
  ~VideoReader();
  VideoReader(const VideoReader&) = delete;
  VideoReader& operator=(const VideoReader&) = delete;

  const VideoInfo& Info() const { return m_info; }
  // The path the name resolved to on disk.
  const std::string& Path() const { return m_path; }
  // Frame `index` into `out`: Info().height rows of `pitch` pixels, each
  // row's first Info().width pixels written. False for an index outside the
  // stream, without a decoder, or when reading or decoding fails.
  bool ReadFrame(int32_t index, uint16_t* out, int pitch);

 private:
  struct State;
  VideoReader() = default;

  VideoInfo m_info;
  std::string m_path;
  std::unique_ptr<State> m_state;
};

}  // namespace platform
