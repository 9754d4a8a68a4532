#pragma once
// Triangles, lines and points of the 3-D device: set-up of the attribute
// planes and exact scan conversion in 1/16 pixel, handing runs of pixels of
// one row to the span kernels.
#include <cstdint>

#include "platform/RasterState.h"

namespace platform::raster {

// A vertex as the rasterizer takes it (u, v 0 without texture coordinates).
struct RasterVertex {
  float x, y, z, rhw;
  uint32_t diffuse;
  float u, v;
};

struct DrawContext {
  const PixelState* ps = nullptr;
  ClipRect clip;
  Kernels magnify;  // when a texel covers more than a pixel
  Kernels minify;   // and when it covers less
  bool textured = false;
  int texWidth = 0, texHeight = 0;
};

// Pixel centres lie at integer coordinates. Triangles cover the centres
// inside them and those on a top or left edge (so two triangles sharing an
// edge never both draw, nor both miss, a pixel), in either winding.
void DrawTriangle(const DrawContext& dc, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c);

// From a up to, not including, the pixel of b.
void DrawLine(const DrawContext& dc, const RasterVertex& a, const RasterVertex& b);

// The pixel whose centre is nearest.
void DrawPoint(const DrawContext& dc, const RasterVertex& a);

}  // namespace platform::raster
