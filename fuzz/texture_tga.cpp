// TGA textures: any bytes load or fail, never touching memory outside the
// file or the surfaces.
#include <cstddef>
#include <cstdint>

#include "fuzz/TextureFuzzEnv.h"
#include "render/Texture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TextureFuzzEnv env;
  env.Run("fuzz.tga", data, size, [] {
    CTexture texture;
    texture.LoadTgaTextureImage("fuzz.tga");
  });
  return 0;
}
