// The video texture on the sample's opening movie (320 x 240, lossless 5-6-5):
// UpdateFrame per frame, decoding and filling both decals, against the
// reader's decoding alone, which is its floor.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "platform/VideoReader.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/AviTexture.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/SampleMovie.h"

namespace {

// The sample movie, written once into a temporary folder.
const std::string& SampleMovie() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "slv-bench-selvarin.avi";
    std::string error;
    if (!slvtools::WriteSampleMovie(file.string(), slvtools::SampleFontFolder(), &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::exit(1);
    }
    return file.string();
  }();
  return path;
}

void BM_ReaderDecode(benchmark::State& state) {
  auto reader = platform::VideoReader::Open(SampleMovie());
  const platform::VideoInfo& info = reader->Info();
  std::vector<uint16_t> frame(static_cast<size_t>(info.width) * info.height);
  int32_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader->ReadFrame(i, frame.data(), info.width));
    i = (i + 1) % info.frameCount;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReaderDecode)->Unit(benchmark::kMicrosecond);

void BM_UpdateFrame(benchmark::State& state) {
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  ::setenv("SLV_LOCK_DIR", std::filesystem::temp_directory_path().c_str(), 1);
  platform::WindowHandle window = platform::CreateAppWindow({"AviBench", "Avi", nullptr, 0, 0, 640, 480});
  g_3dDevice.Create(window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer);
  {
    CAviTexture avi;
    avi.Open(SampleMovie().c_str());
    avi.m_playing = 1;
    for (auto _ : state) {
      benchmark::DoNotOptimize(avi.UpdateFrame());
      avi.m_frameIndex = (avi.m_frameIndex + 1) % avi.FrameCount();
    }
  }
  state.SetItemsProcessed(state.iterations());
  g_3dDevice.Release();
  platform::DestroyAppWindow(window);
}
BENCHMARK(BM_UpdateFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
