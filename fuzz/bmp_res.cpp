// Pictures as the bitmap resource loads them, with or without an alpha
// companion. The input is a 4-byte little-endian length n, n bytes of the
// picture, and the rest (when any) the "a_" companion.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <fstream>
#include <string>

#include "engine/BitmapRes.h"
#include "engine/FileStream.h"

namespace {

void Put(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                               static_cast<std::streamsize>(size));
}

// A game folder of our own as the working directory, removed at exit.
struct GameFolder {
  GameFolder()
      : root(std::filesystem::temp_directory_path() / ("slv-fuzz-bmp-" + std::to_string(std::random_device()()))),
        data(root / "data") {
    std::filesystem::create_directories(data);
    std::filesystem::current_path(root);
    SetResDirectory("\\");
    CBitmapRes::SetDisplayGreenMask(kGreenMask565);
  }
  ~GameFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  std::filesystem::path root, data;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const GameFolder game;
  const std::filesystem::path& folder = game.data;
  if (size < 4) return 0;
  const size_t n = std::min<size_t>(size - 4, data[0] | data[1] << 8 | data[2] << 16 | static_cast<size_t>(data[3]) << 24);
  Put(folder / "f.bmp", data + 4, n);
  std::filesystem::remove(folder / "a_f.bmp");
  if (4 + n < size) Put(folder / "a_f.bmp", data + 4 + n, size - 4 - n);
  CBitmapRes res;
  if (res.Load("f.bmp")) {
    // Every run lies inside its row and the runs cover the width.
    for (const auto& row : res.GetRows()) {
      int covered = 0;
      size_t at = 0;
      while (covered < res.GetWidth()) {
        if (at + 3 > row.size()) std::abort();
        const int code = row[at];
        const int count = row[at + 1] | row[at + 2] << 8;
        const size_t perPixel = code == kRleBlend ? 4 : code == kRleCopy ? 2 : code == kRleShade ? 1 : 0;
        at += 3 + perPixel * static_cast<size_t>(count);
        covered += count;
      }
      if (at != row.size() || covered != res.GetWidth()) std::abort();
    }
  }
  return 0;
}
