#include "render/SprDevice.h"

#include "platform/Result.h"
#include "render/Decal.h"
#include "render/Texture.h"

CDecal g_sharedDecal;
float g_texelShift = 0.0f;

namespace {

struct CSprDecalImage : CSprDeviceImage {
  CDecal decal;
};

struct CSprTextureImage : CSprDeviceImage {
  CTexture texture;
};

// A "system" sprite is never halved; the others follow the low-resolution
// sprite switch.
int32_t HalveOf(const SprImage& image) { return image.fullSize ? 0 : -1; }

class CDisplaySprImageMaker : public CSprImageMaker {
 public:
  std::unique_ptr<CSprDeviceImage> MakeDecal(const SprImage& image) override {
    if (g_singleDecal != 0) return nullptr;
    auto made = std::make_unique<CSprDecalImage>();
    if (platform::Failed(made->decal.Create(image.width, image.height, HalveOf(image)))) return nullptr;
    made->decal.Update(image.width, image.height, image.pixels.data(), HalveOf(image));
    return made;
  }
  std::unique_ptr<CSprDeviceImage> MakeTexture(const SprArgbImage& image) override {
    auto made = std::make_unique<CSprTextureImage>();
    if (platform::Failed(made->texture.CreateFromArgb(image.pixels.data(), image.width, image.height))) {
      return nullptr;
    }
    return made;
  }
};

CDisplaySprImageMaker g_maker;
[[maybe_unused]] const bool g_makerSet = (SetSprImageMaker(&g_maker), true);

}  // namespace

CDecal* GetImageDecal(const SprImage& image) {
  auto* made = dynamic_cast<CSprDecalImage*>(image.device.get());
  return made != nullptr ? &made->decal : nullptr;
}

CTexture* GetImageTexture(const SprArgbImage& image) {
  auto* made = dynamic_cast<CSprTextureImage*>(image.device.get());
  return made != nullptr ? &made->texture : nullptr;
}

CDecal* PrepareImageDecal(const SprImage& image) {
  if (g_singleDecal == 0) return GetImageDecal(image);
  if (g_sharedDecal.m_texture == nullptr) return nullptr;
  g_sharedDecal.Update(image.width, image.height, image.pixels.data(), HalveOf(image));
  return &g_sharedDecal;
}
