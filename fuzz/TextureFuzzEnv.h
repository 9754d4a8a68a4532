#pragma once
// What the texture loaders need around them: the display device in a window
// (SDL's dummy driver) besides the game folder whose data file they load.
#include <cstdlib>

#include "fuzz/DataFileFuzzEnv.h"
#include "platform/Display.h"
#include "platform/Window.h"
#include "render/3dDevice.h"

class TextureFuzzEnv : public DataFileFuzzEnv {
 public:
  TextureFuzzEnv() : DataFileFuzzEnv("texture") {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SLV_LOCK_DIR", std::filesystem::temp_directory_path().c_str(), 1);
    m_window = platform::CreateAppWindow({"TextureFuzz", "Texture", nullptr, 0, 0, 640, 480});
    g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer);
  }
  ~TextureFuzzEnv() {
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
  }

 private:
  platform::WindowHandle m_window = nullptr;
};
