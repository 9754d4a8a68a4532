#pragma once
// Internals of the 3-D device: what one draw call fixes for every pixel
// (PixelState), the attribute planes of one triangle (Planes), and the span
// kernels that shade a run of pixels of one row.
#include <cstdint>

#include "platform/Surface.h"

namespace platform::raster {

enum class TexFilter : uint8_t { None, Point, Linear };
enum class FogKind : uint8_t { None, Table, Vertex };
// Source factor x destination factor.
enum class BlendMode : uint8_t {
  Replace,      // blending off
  AlphaBlend,   // source alpha, inverse source alpha
  Add,          // one, one
  AlphaAdd,     // source alpha, one
  Premultiplied // one, inverse source alpha
};

// Depth values are 16-bit depth units with 16 fraction bits: z 1.0 is
// 65535 << 16.
inline constexpr int64_t kDepthOne = int64_t{65535} << 16;

struct PixelState {
  uint8_t* color = nullptr;  // target row 0
  int colorPitch = 0;        // bytes
  int rowEnd = 0;            // pixels that rows of both buffers hold
  uint8_t* depth = nullptr;  // null: no depth buffer
  int depthPitch = 0;
  bool depthTest = false;
  bool depthWrite = false;
  // Lane masks (-1 or 0) of the depth compare: pass = less | equal | always.
  int32_t depthLess = 0, depthEqual = 0, depthAlways = -1;
  int32_t alphaRef = 0;  // 0 when the alpha test is off
  bool selectDiffuse = false;
  bool perspective = true;
  FogKind fog = FogKind::None;
  uint32_t fogRB = 0, fogG = 0;  // red << 16 | blue, green
  float fogEnd = 1.0f, fogScale = 1.0f;  // f = (end - w) * scale
  BlendMode blend = BlendMode::Replace;
  // Texture of at least 2 x 1 texels (the device widens 1-texel-wide ones).
  const uint8_t* texBits = nullptr;
  int texPitch = 0, texWidth = 0, texHeight = 0;
};

// value(px, py) = c + dx * px + dy * py, at pixel centres (integer
// coordinates).
struct IntPlane {
  int64_t c = 0, dx = 0, dy = 0;
};
struct FloatPlane {
  double c = 0, dx = 0, dy = 0;
};

// Pixels drawn: left <= x < right, top <= y < bottom.
struct ClipRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// A snapped vertex position, 1/16 pixel.
struct FixedPoint {
  int64_t x = 0, y = 0;
};

inline int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && ((a % b < 0) != (b < 0))) ? q - 1 : q;
}
inline int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

struct Planes {
  IntPlane z;            // depth units << 16
  IntPlane color[4];     // a, r, g, b (0..255) << 16
  IntPlane fog;          // vertex fog factor (0..256) << 16
  FloatPlane rhw;        // reciprocal w
  FloatPlane s, t;       // texel coordinate x 256, times rhw with perspective
  bool flat = false;     // all three diffuse colours equal: flatColor
  int32_t flatColor[4] = {};
};

// Shades the pixels xs..xe-1 of row y.
using SpanFn = void (*)(const PixelState& ps, const Planes& pl, int y, int xs, int xe);
// Shades the pixels of the triangle p[0..2] within the clip rectangle: those
// whose centre lies inside or on a left or top edge.
using TriangleFn = void (*)(const PixelState& ps, const Planes& pl, const FixedPoint* p, const ClipRect& clip);

struct Kernels {
  SpanFn span = nullptr;
  TriangleFn triangle = nullptr;
};

// What the kernels are specialised for.
struct KernelKey {
  TexFilter filter = TexFilter::None;
  PixelFormat texture = PixelFormat::RGB565;
  bool mirror = false;  // texture addressing; clamp otherwise
  PixelFormat target = PixelFormat::RGB565;  // or XRGB1555
};

// The kernels for the best instruction set this machine has. Every
// instruction set gives the same pixels.
Kernels SelectKernels(const KernelKey& key);

// Kernels compiled for one instruction set.
Kernels SelectKernelsBase(const KernelKey& key);
Kernels SelectKernelsAvx2(const KernelKey& key);
Kernels SelectKernelsAvx512(const KernelKey& key);

}  // namespace platform::raster
