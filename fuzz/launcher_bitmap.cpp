// Menu pictures as the launcher decodes them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "launcher/BitmapRgb.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int width = 0, height = 0;
  const std::unique_ptr<uint8_t[]> pixels = DecodeBitmapRgb(data, size, &width, &height);
  if (pixels != nullptr) {
    // Every output byte was written: touch the last one.
    volatile uint8_t last = pixels[static_cast<size_t>(width) * height * 3 - 1];
    (void)last;
  }
  return 0;
}
