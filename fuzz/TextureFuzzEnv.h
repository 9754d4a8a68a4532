#pragma once
// What the texture loaders need around them: the display device in a window
// (SDL's dummy driver) and a game folder whose data file they load.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/FileStream.h"
#include "platform/Display.h"
#include "platform/Window.h"
#include "render/3dDevice.h"

class TextureFuzzEnv {
 public:
  TextureFuzzEnv() {
    m_dir = std::filesystem::temp_directory_path() /
            ("slv-fuzz-texture-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(m_dir / "data");
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SLV_LOCK_DIR", m_dir.c_str(), 1);
    m_window = platform::CreateAppWindow({"TextureFuzz", "Texture", nullptr, 0, 0, 640, 480});
    g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer);
    SetResDirectory("\\");
  }
  ~TextureFuzzEnv() {
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }

  // Writes the bytes as the data file `name` and runs `load` in the game
  // folder (only then: libFuzzer's corpus paths may be relative).
  template <class Load>
  void Run(const std::string& name, const uint8_t* data, size_t size, Load load) {
    std::ofstream(m_dir / "data" / name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);
    load();
    std::filesystem::current_path(previous);
  }

 private:
  std::filesystem::path m_dir;
  platform::WindowHandle m_window = nullptr;
};
