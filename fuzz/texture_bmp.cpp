// BMP textures: any bytes load or fail, never touching memory outside the
// file or the surfaces. Odd sizes also try the half-size path.
#include <cstddef>
#include <cstdint>

#include "fuzz/TextureFuzzEnv.h"
#include "render/Texture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TextureFuzzEnv env;
  g_isLowResTexture = static_cast<int32_t>(size & 1);
  env.Run("fuzz.bmp", data, size, [] {
    CTexture texture;
    texture.LoadTextureImage("fuzz.bmp");
  });
  return 0;
}
