#pragma once
// Colour reduction for palettised pictures: median cut over the picture's
// colours, then each pixel takes its nearest palette entry.
#include <cstdint>
#include <vector>

#include "tools/lib/TextureImages.h"

namespace slvtools {

// At most `colours` entries (1 to 256); `indices` row by row from the
// top-left. The alpha is ignored. The same picture always gives the same
// result.
void Quantize(const RgbaImage& image, int colours, std::vector<uint8_t>* indices, std::vector<Rgba>* palette);

}  // namespace slvtools
