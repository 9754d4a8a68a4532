#include "platform/Device3D.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

#include "platform/RasterPrimitives.h"
#include "platform/RasterState.h"

namespace platform {

using raster::BlendMode;
using raster::FogKind;
using raster::TexFilter;

namespace {

constexpr uint32_t U(auto e) { return static_cast<uint32_t>(e); }

bool IsBool(uint32_t v) { return v <= 1; }

bool ValidRenderState(RenderState state, uint32_t v) {
  switch (state) {
    case RenderState::CullMode:
      return v == U(Cull::None);
    case RenderState::ZEnable:
    case RenderState::ZWriteEnable:
    case RenderState::AlphaBlendEnable:
    case RenderState::AlphaTestEnable:
    case RenderState::TexturePerspective:
    case RenderState::ColorKeyEnable:
    case RenderState::FogEnable:
    case RenderState::RangeFogEnable:
      return IsBool(v);
    case RenderState::ZFunc:
      return v == U(Compare::Less) || v == U(Compare::Equal) || v == U(Compare::LessEqual) ||
             v == U(Compare::Always);
    case RenderState::SrcBlend:
      return v == U(Blend::One) || v == U(Blend::SrcAlpha);
    case RenderState::DestBlend:
      return v == U(Blend::One) || v == U(Blend::InvSrcAlpha);
    case RenderState::AlphaFunc:
      return v == U(Compare::GreaterEqual);
    case RenderState::AlphaRef:
      return v <= 255;
    case RenderState::FogColor:
      return true;
    case RenderState::FogTableMode:
    case RenderState::FogVertexMode:
      return v == U(FogMode::None) || v == U(FogMode::Linear);
    case RenderState::FogStart:
    case RenderState::FogEnd:
      return std::isfinite(std::bit_cast<float>(v));
  }
  return false;
}

bool ValidStageState(StageState state, uint32_t v) {
  switch (state) {
    case StageState::ColorOp:
      return v == U(TextureOp::Modulate) || v == U(TextureOp::SelectArg2);
    case StageState::AlphaOp:
      return v == U(TextureOp::Modulate);
    case StageState::ColorArg1:
    case StageState::AlphaArg1:
      return v == U(TextureArg::Texture);
    case StageState::ColorArg2:
    case StageState::AlphaArg2:
      return v == U(TextureArg::Diffuse);
    case StageState::MinFilter:
    case StageState::MagFilter:
      return v == U(Filter::Point) || v == U(Filter::Linear);
    case StageState::Address:
      return v == U(TextureAddress::Clamp) || v == U(TextureAddress::Mirror);
  }
  return false;
}

bool IsTextureFormat(PixelFormat f) {
  return f == PixelFormat::RGB565 || f == PixelFormat::XRGB1555 || f == PixelFormat::ARGB1555 ||
         f == PixelFormat::ARGB4444;
}

bool IsTargetFormat(PixelFormat f) { return f == PixelFormat::RGB565 || f == PixelFormat::XRGB1555; }

uint16_t PackColor(uint32_t argb, PixelFormat format) {
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  if (format == PixelFormat::RGB565) return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
  return static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

template <typename V>
raster::RasterVertex ToRaster(const V& v) {
  raster::RasterVertex r{v.x, v.y, v.z, v.rhw, v.diffuse, 0.0f, 0.0f};
  if constexpr (requires { v.u; }) {
    r.u = v.u;
    r.v = v.v;
  }
  return r;
}

// Whether drawing these vertices can change nothing: every fragment's alpha
// is the product of a vertex alpha of 0 with a texel's, the blend weighs the
// source by that alpha and keeps the target's own colour, and no depth is
// written (none at all, or the alpha test drops every fragment). A screen
// veil that has faded out stays drawn every pass.
template <typename V>
bool ChangesNothing(const raster::PixelState& ps, const V* v, int count) {
  if (ps.blend != BlendMode::AlphaBlend && ps.blend != BlendMode::AlphaAdd) return false;
  if (ps.depthWrite && ps.alphaRef == 0) return false;
  for (int i = 0; i < count; ++i) {
    if ((v[i].diffuse >> 24) != 0) return false;
  }
  return true;
}

}  // namespace

struct Device3D::Impl {
  Surface& target;
  Surface* depth;
  uint32_t render[kRenderStateCount] = {};
  uint32_t stage[kStageStateCount] = {};
  const Surface* texture = nullptr;
  Viewport viewport;
  bool inScene = false;
  std::vector<uint8_t> widened;  // a one-texel-wide texture, doubled
  // What the states make of every draw, remade after a state changes.
  bool dirty = true;
  raster::PixelState pixelState;
  raster::Kernels magnify, minify, untextured;
  raster::ClipRect clip;

  Impl(Surface& t, Surface* d) : target(t), depth(d) {}

  uint32_t& R(RenderState s) { return render[static_cast<int>(s)]; }
  uint32_t R(RenderState s) const { return render[static_cast<int>(s)]; }
  uint32_t S(StageState s) const { return stage[static_cast<int>(s)]; }
  float F(RenderState s) const { return std::bit_cast<float>(R(s)); }

  raster::ClipRect Clip() const;
  raster::PixelState MakePixelState() const;
  void Prepare();
  void BindSurfaces(raster::PixelState& ps);
  template <typename V>
  void Draw(PrimitiveType type, const V* v, int count);
};

raster::ClipRect Device3D::Impl::Clip() const {
  raster::ClipRect c{viewport.x, viewport.y, viewport.x + viewport.width, viewport.y + viewport.height};
  c.right = std::min(c.right, target.Width());
  c.bottom = std::min(c.bottom, target.Height());
  if (depth) {
    c.right = std::min(c.right, depth->Width());
    c.bottom = std::min(c.bottom, depth->Height());
  }
  return c;
}

raster::PixelState Device3D::Impl::MakePixelState() const {
  raster::PixelState ps;
  ps.rowEnd = depth ? std::min(target.Width(), depth->Width()) : target.Width();
  if (depth && R(RenderState::ZEnable)) {
    ps.depthTest = true;
    ps.depthWrite = R(RenderState::ZWriteEnable) != 0;
    const uint32_t f = R(RenderState::ZFunc);
    ps.depthLess = (f == U(Compare::Less) || f == U(Compare::LessEqual)) ? -1 : 0;
    ps.depthEqual = (f == U(Compare::Equal) || f == U(Compare::LessEqual)) ? -1 : 0;
    ps.depthAlways = f == U(Compare::Always) ? -1 : 0;
  }
  ps.alphaRef = R(RenderState::AlphaTestEnable) ? static_cast<int32_t>(R(RenderState::AlphaRef)) : 0;
  ps.selectDiffuse = S(StageState::ColorOp) == U(TextureOp::SelectArg2);
  ps.perspective = R(RenderState::TexturePerspective) != 0;
  if (R(RenderState::FogEnable)) {
    if (R(RenderState::FogTableMode) == U(FogMode::Linear)) {
      ps.fog = FogKind::Table;
    } else if (R(RenderState::FogVertexMode) == U(FogMode::Linear)) {
      ps.fog = FogKind::Vertex;
    }
  }
  const uint32_t fogColor = R(RenderState::FogColor);
  ps.fogRB = fogColor & 0x00FF00FF;
  ps.fogG = (fogColor >> 8) & 0xFF;
  const float start = F(RenderState::FogStart), end = F(RenderState::FogEnd);
  ps.fogEnd = end;
  // An empty range fogs everything beyond its end completely.
  ps.fogScale = end > start ? 1.0f / (end - start) : 1e30f;
  if (R(RenderState::AlphaBlendEnable)) {
    const bool srcAlpha = R(RenderState::SrcBlend) == U(Blend::SrcAlpha);
    const bool destInv = R(RenderState::DestBlend) == U(Blend::InvSrcAlpha);
    ps.blend = srcAlpha ? (destInv ? BlendMode::AlphaBlend : BlendMode::AlphaAdd)
                        : (destInv ? BlendMode::Premultiplied : BlendMode::Add);
  }
  return ps;
}

void Device3D::Impl::Prepare() {
  pixelState = MakePixelState();
  clip = Clip();
  const PixelFormat targetFormat = target.Format();
  untextured = raster::SelectKernels({TexFilter::None, PixelFormat::RGB565, false, targetFormat});
  if (texture) {
    const bool mirror = S(StageState::Address) == U(TextureAddress::Mirror);
    auto kernels = [&](StageState s) {
      const TexFilter f = S(s) == U(Filter::Linear) ? TexFilter::Linear : TexFilter::Point;
      return raster::SelectKernels({f, texture->Format(), mirror, targetFormat});
    };
    magnify = kernels(StageState::MagFilter);
    minify = kernels(StageState::MinFilter);
  }
  dirty = false;
}

// Buffers are taken anew for every draw: a flip trades the pixels of
// surfaces. The kernels read texels in horizontal pairs: a texture one texel
// wide is drawn from a copy with its column doubled.
void Device3D::Impl::BindSurfaces(raster::PixelState& ps) {
  ps.color = target.Bits();
  ps.colorPitch = target.Pitch();
  if (ps.depthTest) {
    ps.depth = depth->Bits();
    ps.depthPitch = depth->Pitch();
  }
  if (!texture) return;
  const Surface& t = *texture;
  ps.texWidth = t.Width();
  ps.texHeight = t.Height();
  if (t.Width() >= 2) {
    ps.texBits = t.Bits();
    ps.texPitch = t.Pitch();
    return;
  }
  widened.resize(static_cast<size_t>(t.Height()) * 4);
  for (int y = 0; y < t.Height(); ++y) {
    const uint8_t* texel = t.Bits() + static_cast<ptrdiff_t>(y) * t.Pitch();
    std::memcpy(&widened[y * 4], texel, 2);
    std::memcpy(&widened[y * 4 + 2], texel, 2);
  }
  ps.texBits = widened.data();
  ps.texPitch = 4;
  ps.texWidth = 2;
}

template <typename V>
void Device3D::Impl::Draw(PrimitiveType type, const V* v, int count) {
  if (dirty) Prepare();
  if (clip.left >= clip.right || clip.top >= clip.bottom || ChangesNothing(pixelState, v, count)) return;
  raster::PixelState ps = pixelState;
  BindSurfaces(ps);
  raster::DrawContext dc;
  dc.ps = &ps;
  dc.clip = clip;
  if (std::is_same_v<V, TexturedVertex> && texture) {
    dc.textured = true;
    dc.texWidth = ps.texWidth;
    dc.texHeight = ps.texHeight;
    dc.magnify = magnify;
    dc.minify = minify;
  } else {
    dc.magnify = dc.minify = untextured;
  }

  switch (type) {
    case PrimitiveType::TriangleList:
      for (int i = 0; i + 2 < count; i += 3) raster::DrawTriangle(dc, ToRaster(v[i]), ToRaster(v[i + 1]), ToRaster(v[i + 2]));
      break;
    case PrimitiveType::TriangleStrip:
      // Every other triangle swaps its first two vertices to keep the winding.
      for (int i = 0; i + 2 < count; ++i) {
        const V& a = v[i + (i & 1)];
        const V& b = v[i + 1 - (i & 1)];
        raster::DrawTriangle(dc, ToRaster(a), ToRaster(b), ToRaster(v[i + 2]));
      }
      break;
    case PrimitiveType::LineStrip:
      for (int i = 0; i + 1 < count; ++i) raster::DrawLine(dc, ToRaster(v[i]), ToRaster(v[i + 1]));
      break;
    case PrimitiveType::PointList:
      for (int i = 0; i < count; ++i) raster::DrawPoint(dc, ToRaster(v[i]));
      break;
  }
}

Device3D::Device3D(Surface& target, Surface* depth) : m_impl(std::make_unique<Impl>(target, depth)) {
  Impl& d = *m_impl;
  d.R(RenderState::CullMode) = U(Cull::None);
  d.R(RenderState::ZEnable) = depth ? 1 : 0;
  d.R(RenderState::ZWriteEnable) = 1;
  d.R(RenderState::ZFunc) = U(Compare::LessEqual);
  d.R(RenderState::SrcBlend) = U(Blend::SrcAlpha);
  d.R(RenderState::DestBlend) = U(Blend::InvSrcAlpha);
  d.R(RenderState::AlphaFunc) = U(Compare::GreaterEqual);
  d.R(RenderState::TexturePerspective) = 1;
  d.R(RenderState::FogTableMode) = U(FogMode::None);
  d.R(RenderState::FogVertexMode) = U(FogMode::None);
  d.R(RenderState::FogStart) = std::bit_cast<uint32_t>(0.0f);
  d.R(RenderState::FogEnd) = std::bit_cast<uint32_t>(1.0f);
  d.stage[static_cast<int>(StageState::ColorOp)] = U(TextureOp::Modulate);
  d.stage[static_cast<int>(StageState::ColorArg1)] = U(TextureArg::Texture);
  d.stage[static_cast<int>(StageState::ColorArg2)] = U(TextureArg::Diffuse);
  d.stage[static_cast<int>(StageState::AlphaOp)] = U(TextureOp::Modulate);
  d.stage[static_cast<int>(StageState::AlphaArg1)] = U(TextureArg::Texture);
  d.stage[static_cast<int>(StageState::AlphaArg2)] = U(TextureArg::Diffuse);
  d.stage[static_cast<int>(StageState::MinFilter)] = U(Filter::Point);
  d.stage[static_cast<int>(StageState::MagFilter)] = U(Filter::Point);
  d.stage[static_cast<int>(StageState::Address)] = U(TextureAddress::Clamp);
  d.viewport = {0, 0, target.Width(), target.Height()};
}

Device3D::~Device3D() = default;

uint32_t Device3D::RasterCaps() { return kRasterFogVertex | kRasterFogTable | kRasterFogRange | kRasterWFog; }

Result Device3D::SetRenderState(RenderState state, uint32_t value) {
  if (static_cast<int>(state) >= kRenderStateCount || !ValidRenderState(state, value)) return E_INVALIDARG;
  m_impl->R(state) = value;
  m_impl->dirty = true;
  return S_OK;
}

Result Device3D::SetRenderStateFloat(RenderState state, float value) {
  if (state != RenderState::FogStart && state != RenderState::FogEnd) return E_INVALIDARG;
  return SetRenderState(state, std::bit_cast<uint32_t>(value));
}

uint32_t Device3D::GetRenderState(RenderState state) const {
  return static_cast<int>(state) < kRenderStateCount ? m_impl->R(state) : 0;
}

Result Device3D::SetStageState(StageState state, uint32_t value) {
  if (static_cast<int>(state) >= kStageStateCount || !ValidStageState(state, value)) return E_INVALIDARG;
  m_impl->stage[static_cast<int>(state)] = value;
  m_impl->dirty = true;
  return S_OK;
}

uint32_t Device3D::GetStageState(StageState state) const {
  return static_cast<int>(state) < kStageStateCount ? m_impl->S(state) : 0;
}

Result Device3D::SetTexture(const Surface* texture) {
  // Texel offsets are 32-bit in the kernels; mirrored coordinates need room
  // for twice the size in 1/256 texels.
  constexpr int kMaxSide = 32768;
  if (texture && (!IsTextureFormat(texture->Format()) || texture->Width() < 1 || texture->Height() < 1 ||
                  texture->Width() > kMaxSide || texture->Height() > kMaxSide ||
                  static_cast<int64_t>(texture->Pitch()) * texture->Height() > INT32_MAX)) {
    return E_INVALIDARG;
  }
  m_impl->texture = texture;
  m_impl->dirty = true;
  return S_OK;
}

const Surface* Device3D::Texture() const { return m_impl->texture; }

Result Device3D::SetViewport(const Viewport& vp) {
  const Surface& t = m_impl->target;
  const int left = std::max(vp.x, 0), top = std::max(vp.y, 0);
  const int right = std::min<int64_t>(int64_t{vp.x} + vp.width, t.Width());
  const int bottom = std::min<int64_t>(int64_t{vp.y} + vp.height, t.Height());
  if (vp.width <= 0 || vp.height <= 0 || left >= right || top >= bottom) return E_INVALIDARG;
  m_impl->viewport = {left, top, right - left, bottom - top};
  m_impl->dirty = true;
  return S_OK;
}

Viewport Device3D::GetViewport() const { return m_impl->viewport; }

Result Device3D::BeginScene() {
  if (m_impl->inScene) return E_FAIL;
  m_impl->inScene = true;
  return S_OK;
}

Result Device3D::EndScene() {
  if (!m_impl->inScene) return E_FAIL;
  m_impl->inScene = false;
  return S_OK;
}

Result Device3D::DrawPrimitive(PrimitiveType type, VertexFormat format, const void* vertices, int count) {
  Impl& d = *m_impl;
  if (format != VertexFormat::Textured && format != VertexFormat::Colored) return E_INVALIDARG;
  if (type > PrimitiveType::PointList || count < 0 || (count > 0 && !vertices)) return E_INVALIDARG;
  if (!d.inScene) return E_FAIL;
  if (d.target.IsLocked() || (d.depth && d.depth->IsLocked())) return DDERR_SURFACEBUSY;
  if (d.target.IsLost() || (d.depth && d.depth->IsLost())) return DDERR_SURFACELOST;
  if (!IsTargetFormat(d.target.Format())) return DDERR_INVALIDPIXELFORMAT;
  if (format == VertexFormat::Textured) {
    d.Draw(type, static_cast<const TexturedVertex*>(vertices), count);
  } else {
    d.Draw(type, static_cast<const ColoredVertex*>(vertices), count);
  }
  return S_OK;
}

Result Device3D::Clear(const Rect& rect, uint32_t flags, uint32_t argb, float depth) {
  Impl& d = *m_impl;
  if (flags == 0 || (flags & ~(kClearTarget | kClearDepth)) != 0) return E_INVALIDARG;
  if ((flags & kClearDepth) && !d.depth) return E_INVALIDARG;
  if ((flags & kClearTarget) && !IsTargetFormat(d.target.Format())) return DDERR_INVALIDPIXELFORMAT;
  if (d.target.IsLocked() || (d.depth && d.depth->IsLocked())) return DDERR_SURFACEBUSY;
  const raster::ClipRect c = d.Clip();
  const Rect r{std::max(c.left, rect.left), std::max(c.top, rect.top), std::min(c.right, rect.right),
               std::min(c.bottom, rect.bottom)};
  if (r.left >= r.right || r.top >= r.bottom) return S_OK;
  if (flags & kClearTarget) {
    if (const Result res = d.target.Fill(&r, PackColor(argb, d.target.Format())); Failed(res)) return res;
  }
  if (flags & kClearDepth) {
    // The same depth units as drawn fragments, so a clear to z meets a
    // fragment at z as equal.
    const double z = std::isfinite(depth) ? std::clamp(static_cast<double>(depth), 0.0, 1.0) : 1.0;
    const int64_t fixed = static_cast<int64_t>(z * static_cast<double>(raster::kDepthOne) + 0.5);
    return d.depth->Fill(&r, static_cast<uint16_t>(fixed >> 16));
  }
  return S_OK;
}

}  // namespace platform
