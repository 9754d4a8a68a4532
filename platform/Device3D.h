#pragma once
// The 3-D device: a software rasterizer of pre-transformed, lit vertices into
// a 16-bit colour surface and a 16-bit depth surface. It knows exactly the
// states the game's drawing sets; anything else is refused. Output is
// deterministic: the same calls give the same pixels on every machine.
#include <cstdint>
#include <memory>

#include "platform/Result.h"
#include "platform/Surface.h"

namespace platform {

// Vertex formats, by the numbers the drawing code passes.
enum class VertexFormat : uint32_t {
  Textured = 0x1C4,  // TexturedVertex
  Colored = 0xC4,    // ColoredVertex
};

// Screen position, depth z (0 near .. 1 far) and reciprocal w; colours ARGB.
struct TexturedVertex {
  float x, y, z, rhw;
  uint32_t diffuse, specular;
  float u, v;
};

struct ColoredVertex {
  float x, y, z, rhw;
  uint32_t diffuse, specular;
};

enum class PrimitiveType : uint8_t {
  TriangleList,
  TriangleStrip,
  LineStrip,  // the last vertex's pixel is not drawn
  PointList,
};

enum class RenderState : uint8_t {
  CullMode,            // Cull
  ZEnable,             // 0/1: depth test and write
  ZWriteEnable,        // 0/1
  ZFunc,               // Compare: Less, Equal, LessEqual, Always
  AlphaBlendEnable,    // 0/1
  SrcBlend,            // Blend: One, SrcAlpha
  DestBlend,           // Blend: One, InvSrcAlpha
  AlphaTestEnable,     // 0/1
  AlphaFunc,           // Compare: GreaterEqual
  AlphaRef,            // 0..255
  TexturePerspective,  // 0/1
  ColorKeyEnable,      // 0/1, accepted; no surface has a colour key
  FogEnable,           // 0/1
  FogColor,            // ARGB
  FogTableMode,        // FogMode: per pixel
  FogVertexMode,       // FogMode: per vertex, when the table mode is none
  FogStart,            // float bits (SetRenderStateFloat), in w
  FogEnd,              // float bits, in w
  RangeFogEnable,      // 0/1, accepted; pre-transformed vertices carry no range
};
inline constexpr int kRenderStateCount = 19;

enum class Cull : uint32_t { None = 1 };
enum class Compare : uint32_t { Less = 2, Equal = 3, LessEqual = 4, GreaterEqual = 7, Always = 8 };
enum class Blend : uint32_t { One = 2, SrcAlpha = 5, InvSrcAlpha = 6 };
enum class FogMode : uint32_t { None = 0, Linear = 3 };

// Texture stage 0.
enum class StageState : uint8_t {
  ColorOp,    // TextureOp
  ColorArg1,  // TextureArg: Texture
  ColorArg2,  // TextureArg: Diffuse
  AlphaOp,    // TextureOp: Modulate
  AlphaArg1,  // TextureArg: Texture
  AlphaArg2,  // TextureArg: Diffuse
  MinFilter,  // Filter
  MagFilter,  // Filter
  Address,    // TextureAddress
};
inline constexpr int kStageStateCount = 9;

enum class TextureOp : uint32_t { Modulate = 4, SelectArg2 = 3 };
enum class TextureArg : uint32_t { Diffuse = 0, Texture = 2 };
enum class Filter : uint32_t { Point = 1, Linear = 2 };
enum class TextureAddress : uint32_t { Mirror = 2, Clamp = 3 };

// Raster capabilities the device reports (the render context picks its fog
// mode from them).
enum : uint32_t {
  kRasterFogVertex = 0x80,
  kRasterFogTable = 0x100,
  kRasterFogRange = 0x10000,
  kRasterWFog = 0x100000,
};

enum : uint32_t { kClearTarget = 1, kClearDepth = 2 };

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};

class Device3D {
 public:
  // Draws into `target` (RGB565 or XRGB1555) with the depth buffer `depth`
  // (Depth16 of the same size or larger; null: no depth buffer). Both are
  // borrowed and must outlive the device. The viewport starts as the whole
  // target. States start as: depth test (with a depth buffer) and write on,
  // less-or-equal; no blending (source alpha, inverse source alpha set), no
  // alpha test (greater-or-equal 0); perspective on; no fog; stage 0
  // modulates texture and diffuse, point filters, clamp.
  Device3D(Surface& target, Surface* depth);
  ~Device3D();
  Device3D(const Device3D&) = delete;
  Device3D& operator=(const Device3D&) = delete;

  static uint32_t RasterCaps();

  // E_INVALIDARG for a state or value outside the lists above.
  Result SetRenderState(RenderState state, uint32_t value);
  Result SetRenderStateFloat(RenderState state, float value);  // FogStart, FogEnd
  uint32_t GetRenderState(RenderState state) const;
  Result SetStageState(StageState state, uint32_t value);
  uint32_t GetStageState(StageState state) const;

  // Stage 0's texture: RGB565, XRGB1555, ARGB1555 or ARGB4444, any size;
  // null draws opaque white. Borrowed until replaced.
  Result SetTexture(const Surface* texture);
  const Surface* Texture() const;

  // Clipped to the target.
  Result SetViewport(const Viewport& viewport);
  Viewport GetViewport() const;

  Result BeginScene();  // E_FAIL when already in a scene
  Result EndScene();    // E_FAIL when not in a scene

  // `count` vertices of `format` (TexturedVertex or ColoredVertex records;
  // colored ones draw untextured whatever texture is set). Outside a scene
  // E_FAIL; while the target or depth buffer is locked DDERR_SURFACEBUSY.
  // Fragments whose depth lies outside 0..1 are dropped.
  Result DrawPrimitive(PrimitiveType type, VertexFormat format, const void* vertices, int count);

  // Fills the rectangle (clipped to the viewport) of the target with `argb`
  // and/or of the depth buffer with `depth` (0..1). DDERR_SURFACEBUSY while
  // a surface is locked; E_INVALIDARG for depth without a depth buffer.
  Result Clear(const Rect& rect, uint32_t flags, uint32_t argb, float depth);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace platform
