#pragma once
// The display device in a window (SDL's dummy driver) and a fresh game folder
// as the working directory, for tests that make textures and decals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/FileStream.h"
#include "platform/Display.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/Texture.h"
#include "tests/support/TestSupport.h"

class TextureDeviceTest : public ::testing::Test {
 protected:
  TextureDeviceTest() : m_previous(std::filesystem::current_path()) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"TextureTest", "Texture", nullptr, 0, 0, 640, 480});
    EXPECT_NE(m_window, nullptr);
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr,
                                kDevDoubleBuffer),
              platform::S_OK);
    std::filesystem::create_directories(m_dir / "game/data");
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
  }
  ~TextureDeviceTest() override {
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
    platform::ClearDisplayFaults();
    g_isLowResTexture = 0;
    g_isLowResSprite = 0;
    g_useCompressedTexture = 0;
    g_singleDecal = 0;
  }

  // A file the resource name `name` opens.
  void WriteData(const std::string& name, const std::string& bytes) {
    m_dir.Write("game/data/" + name, bytes);
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  platform::WindowHandle m_window = nullptr;
};
