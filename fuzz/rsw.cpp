// World files as the resource manager loads them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/FileStream.h"
#include "render/3dWorldRes.h"

namespace {

// A game folder of our own as the working directory.
std::filesystem::path GameFolder() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("slv-fuzz-rsw-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir / "data");
  std::filesystem::current_path(dir);
  SetResDirectory("\\");
  return dir / "data";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path folder = GameFolder();
  std::ofstream(folder / "f.rsw", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  C3dWorldRes world;
  const bool loaded = world.Load("f.rsw");
  // A failed load keeps nothing.
  if (!loaded && (!world.m_models.empty() || !world.m_3dModels.empty() || !world.m_groundName.empty())) {
    std::abort();
  }
  return 0;
}
