#include "engine/VideoSetup.h"

#include <utility>

namespace {

constexpr const char* kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                      "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

// The numbers of each subkey, in the order they are read and written.
template <class Setup>
auto VideoNumbers(Setup& s) {
  return std::array{
      std::pair{"isFullScreenMode", &s.isFullScreenMode}, std::pair{"isLowResTexture", &s.isLowResTexture},
      std::pair{"isLowResSprite", &s.isLowResSprite}, std::pair{"useCompressedTexture", &s.useCompressedTexture},
      std::pair{"Width", &s.Width}, std::pair{"Height", &s.Height}, std::pair{"BitPerPixel", &s.BitPerPixel},
      std::pair{"FrameSkip", &s.FrameSkip}, std::pair{"zBufferSort", &s.zBufferSort},
      std::pair{"wFogRender", &s.wFogRender}, std::pair{"Filtering", &s.Filtering},
      std::pair{"SprFiltering", &s.SprFiltering}, std::pair{"TexelShift", &s.TexelShift},
      std::pair{"SingleDecal", &s.SingleDecal}};
}

template <class Setup>
auto SoundNumbers(Setup& s) {
  return std::array{std::pair{"Use3dSound", &s.Use3dSound}, std::pair{"SoundDriver", &s.SoundDriver},
                    std::pair{"SoundOutPut", &s.SoundOutPut}, std::pair{"UseSound", &s.UseSound}};
}

void LoadGuid(const platform::SettingsStore& store, const std::string& key, const char* name,
              std::array<uint8_t, 16>* guid) {
  const auto bytes = store.GetBinary(key, name);
  if (bytes && bytes->size() == guid->size()) std::copy(bytes->begin(), bytes->end(), guid->begin());
}

}  // namespace

std::string VideoSetup::StoreKey(const std::string& keyPath) {
  const size_t slash = keyPath.find('\\');
  if (slash == std::string::npos) return keyPath;
  const std::string root = keyPath.substr(0, slash);
  for (const char* name : kRootNames) {
    if (root == name) return keyPath.substr(slash + 1);
  }
  return keyPath;
}

void VideoSetup::SetDefaults() {
  *this = VideoSetup{};
  isFullScreenMode = 1;
  Width = 640;
  Height = 480;
  BitPerPixel = 16;
  FrameSkip = 1;
  Filtering = 1;
  wFogRender = 1;
  TexelShift = 1;
  Use3dSound = 1;
  UseSound = 1;
}

void VideoSetup::Load(const platform::SettingsStore& store, const std::string& keyPath) {
  const std::string video = StoreKey(keyPath) + "\\Video Setup";
  if (store.HasKey(video)) {
    for (auto [name, field] : VideoNumbers(*this)) {
      if (const auto v = store.GetDword(video, name)) *field = *v;
    }
    // A name that does not fit its 40-byte field is not taken.
    if (const auto name = store.GetString(video, "DeviceName"); name && name->size() < kDeviceNameSize) {
      DeviceName = *name;
    }
    LoadGuid(store, video, "GuidDevice", &GuidDevice);
    LoadGuid(store, video, "GuidDriver", &GuidDriver);
  }
  const std::string sound = StoreKey(keyPath) + "\\Sound Setup";
  if (store.HasKey(sound)) {
    for (auto [name, field] : SoundNumbers(*this)) {
      if (const auto v = store.GetDword(sound, name)) *field = *v;
    }
  }
}

void VideoSetup::Save(platform::SettingsStore& store, const std::string& keyPath) const {
  const std::string video = StoreKey(keyPath) + "\\Video Setup";
  for (auto [name, field] : VideoNumbers(*this)) store.SetDword(video, name, *field);
  store.SetString(video, "DeviceName", DeviceName.substr(0, kDeviceNameSize - 1));
  store.SetBinary(video, "GuidDevice", {GuidDevice.begin(), GuidDevice.end()});
  store.SetBinary(video, "GuidDriver", {GuidDriver.begin(), GuidDriver.end()});
  const std::string sound = StoreKey(keyPath) + "\\Sound Setup";
  for (auto [name, field] : SoundNumbers(*this)) store.SetDword(sound, name, *field);
}
