// AVI movies: any bytes open or fail in the reader and the video texture,
// and every frame of what opens decodes into the decals or ends the movie,
// never touching memory outside the buffers and surfaces.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/TextureFuzzEnv.h"
#include "platform/VideoReader.h"
#include "render/AviTexture.h"

namespace {

// Enough frames to pass key frames and seeks; a corrupt count claims more.
constexpr int32_t kMaxFrames = 48;

void ReadBackwards(const char* name) {
  auto reader = platform::VideoReader::Open(name);
  if (reader == nullptr) return;
  const platform::VideoInfo& info = reader->Info();
  std::vector<uint16_t> frame(static_cast<size_t>(info.width) * info.height);
  for (int32_t i = std::min(info.frameCount, 4) - 1; i >= 0; --i) reader->ReadFrame(i, frame.data(), info.width);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TextureFuzzEnv env;
  env.Run("fuzz.avi", data, size, [] {
    ReadBackwards("data/fuzz.avi");
    CAviTexture avi;
    if (!avi.Open("data\\fuzz.avi")) return;
    avi.m_playing = 1;  // frames advanced by hand, not by the timer
    for (int32_t i = 0; i < std::min(avi.FrameCount(), kMaxFrames) && avi.FrameIndex() < avi.FrameCount(); ++i) {
      avi.UpdateFrame();
      avi.Tick();
    }
  });
  return 0;
}
