// Sprite files: any bytes load or fail, and a sprite that loads holds whole
// images, every palette image with its decal and every true-colour image
// with its texture made by the display.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/SprRes.h"
#include "fuzz/TextureFuzzEnv.h"
#include "render/SprDevice.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TextureFuzzEnv env;
  env.Run("fuzz.spr", data, size, [] {
    CSprRes spr;
    if (!spr.Load("fuzz.spr")) {
      Check(spr.GetImageCount() == 0 && spr.GetArgbImageCount() == 0);
      return;
    }
    for (int i = 0; i < spr.GetImageCount(); ++i) {
      const SprImage& image = *spr.GetImage(i);
      Check(image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
      Check(image.pixels.size() <= static_cast<size_t>(kMaxSprImagePixels));
      for (uint16_t pixel : image.pixels) Check(pixel == 0 || (pixel & 0x8000) != 0);
      Check(GetImageDecal(image) != nullptr);
    }
    for (int i = 0; i < spr.GetArgbImageCount(); ++i) {
      const SprArgbImage& image = *spr.GetArgbImage(i);
      Check(image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    }
  });
  return 0;
}
