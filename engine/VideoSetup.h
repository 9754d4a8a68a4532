#pragma once
// The display and sound settings that the launcher's set-up dialog stores and
// the game reads once at start, under the product key's subkeys "Video Setup"
// and "Sound Setup" of the settings store.
#include <array>
#include <cstdint>
#include <string>

#include "platform/SettingsStore.h"

// The product key, below the machine-wide root.
inline constexpr const char* kProductKey = "Software\\ProjectSelvarin\\Selvarin";
inline constexpr const char* kProductKeyPath = "HKEY_LOCAL_MACHINE\\Software\\ProjectSelvarin\\Selvarin";

struct VideoSetup {
  static constexpr size_t kDeviceNameSize = 40;  // with the terminator

  std::array<uint8_t, 16> GuidDevice{};
  std::array<uint8_t, 16> GuidDriver{};
  std::string DeviceName;
  uint32_t isFullScreenMode = 0;
  uint32_t isLowResTexture = 0;
  uint32_t isLowResSprite = 0;
  uint32_t useCompressedTexture = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint32_t BitPerPixel = 0;
  uint32_t FrameSkip = 0;
  uint32_t Filtering = 0;
  uint32_t SprFiltering = 0;
  uint32_t zBufferSort = 0;
  uint32_t wFogRender = 0;
  uint32_t TexelShift = 0;
  uint32_t SingleDecal = 0;
  uint32_t Use3dSound = 0;
  uint32_t SoundOutPut = 0;
  uint32_t SoundDriver = 0;
  uint32_t UseSound = 0;

  void SetDefaults();
  // A missing subkey or value leaves the field as it was.
  void Load(const platform::SettingsStore& store, const std::string& keyPath);
  // Creates the subkeys when they are missing.
  void Save(platform::SettingsStore& store, const std::string& keyPath) const;

  // The store key of a key path: the root name ("HKEY_LOCAL_MACHINE\...") is
  // dropped, as the store holds the one machine-wide root.
  static std::string StoreKey(const std::string& keyPath);
};
