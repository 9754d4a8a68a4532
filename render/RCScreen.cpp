// Screen pictures and untextured primitives drawn at once over the scene.
#include <cmath>

#include "platform/DebugLog.h"
#include "render/3dDevice.h"
#include "render/Decal.h"
#include "render/RC.h"
#include "render/ScreenVertex.h"
#include "render/Texture.h"

using namespace platform;

namespace {

// The pictures lie at the far end instead.
constexpr float kPictureZ = 1.0f;
constexpr float kPictureRhw = 1.0f;

constexpr int kSkyColumns = 8;  // -1 .. 6
constexpr int kSkyRows = 6;

TexturedVertex PictureVertex(float x, float y, float u, float v) {
  return TexturedVertex{x, y, kPictureZ, kPictureRhw, 0xFFFFFFFF, 0xFFFFFFFF, u, v};
}

float F(int v) { return static_cast<float>(v); }

// The rectangle as a strip: top-left, top-right, bottom-left, bottom-right.
void RectStrip(TexturedVertex* strip, float left, float top, float right, float bottom, uint32_t color,
               float u0, float v0, float u1, float v1) {
  strip[0] = ScreenVertex(left, top, color, u0, v0);
  strip[1] = ScreenVertex(right, top, color, u1, v0);
  strip[2] = ScreenVertex(left, bottom, color, u0, v1);
  strip[3] = ScreenVertex(right, bottom, color, u1, v1);
}

const Surface* SurfaceOf(const CTexture* texture) { return texture != nullptr ? texture->m_texture : nullptr; }

// The remainder that keeps the sign of v: v less `step` times the quotient
// of its integer part.
float SignedRemainder(float v, int step) {
  return v - static_cast<float>(step * (static_cast<int>(v) / step));
}

// Into 0..1 by one turn at most.
float Wrap(float t) {
  if (t < 0) return t + 1;
  if (t > 1) return t - 1;
  return t;
}

void SetFilter(Device3D& d) {
  const auto filter = static_cast<uint32_t>(g_texturePointSampling != 0 ? Filter::Point : Filter::Linear);
  d.SetStageState(StageState::MinFilter, filter);
  d.SetStageState(StageState::MagFilter, filter);
}

}  // namespace

void CRC::BeginScreenDraw(const Surface* texture) {
  Device3D& d = *m_device;
  d.SetRenderState(RenderState::ZEnable, 0);
  d.SetRenderState(RenderState::AlphaRef, 1);
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  d.SetTexture(texture);
}

void CRC::EndScreenDraw() {
  ++s_primitiveCount;
  m_device->SetRenderState(RenderState::AlphaRef, 240);
  m_device->SetRenderState(RenderState::ZEnable, g_depthBufferOn != 0 ? 1 : 0);
}

void CRC::DrawScreenTexture(CTexture* texture, int layout) {
  if (m_device == nullptr || texture == nullptr) return;
  const float w = F(m_width), h = F(m_height), hw = F(m_width / 2), hh = F(m_height / 2);
  float left = 0, top = 0, right = hw, bottom = hh;
  switch (layout) {
    case 1: left = hw, right = w; break;
    case 2: top = hh, bottom = h; break;
    case 3: left = hw, top = hh, right = w, bottom = h; break;
    case 4: right = w, bottom = h; break;
    default: break;
  }
  const TexturedVertex strip[4] = {PictureVertex(left, top, 0, 0), PictureVertex(right, top, 1, 0),
                                   PictureVertex(left, bottom, 0, 1), PictureVertex(right, bottom, 1, 1)};
  BeginScreenDraw(SurfaceOf(texture));
  SetFilter(*m_device);
  m_device->DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  EndScreenDraw();
}

void CRC::DrawQuad(const Rect& rect, CTexture* texture, float alpha, uint32_t rgb, int uRepeat, int vRepeat) {
  if (m_device == nullptr) return;
  const uint32_t a = static_cast<uint32_t>(static_cast<int>(alpha * 255.0f)) & 0xFF;
  TexturedVertex strip[4];
  RectStrip(strip, F(rect.left), F(rect.top), F(rect.right), F(rect.bottom), a << 24 | (rgb & 0xFFFFFF), 0, 0,
            F(uRepeat), F(vRepeat));
  BeginScreenDraw(SurfaceOf(texture));
  if (uRepeat != 1 || vRepeat != 1) {
    m_device->SetStageState(StageState::Address, static_cast<uint32_t>(TextureAddress::Mirror));
  }
  m_device->DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  EndScreenDraw();
}

// Each half shows 160 x 240 texels of its 256 x 256 decal.
void CRC::DrawSplitQuad(const Rect& rect, CDecal* leftHalf, CDecal* rightHalf, uint32_t color) {
  if (m_device == nullptr) return;
  const float mid = F(rect.left) + F(rect.right - rect.left) / 2;
  TexturedVertex strip[4];
  BeginScreenDraw(leftHalf != nullptr ? leftHalf->m_texture : nullptr);
  RectStrip(strip, F(rect.left), F(rect.top), mid, F(rect.bottom), color, 0, 0, 0.625f, 0.9375f);
  m_device->DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  m_device->SetTexture(rightHalf != nullptr ? rightHalf->m_texture : nullptr);
  RectStrip(strip, mid, F(rect.top), F(rect.right), F(rect.bottom), color, 0, 0, 0.625f, 0.9375f);
  m_device->DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  EndScreenDraw();
}

// A line strip leaves out its last pixel: the closing point puts in the
// bottom-right corner, which the strip passes through but does not end on.
void CRC::DrawRectOutline(const Rect& rect, uint32_t color) {
  if (m_device == nullptr) return;
  const float l = F(rect.left), t = F(rect.top), r = F(rect.right), b = F(rect.bottom);
  const TexturedVertex outline[5] = {ScreenVertex(l, t, color), ScreenVertex(r, t, color),
                                     ScreenVertex(r, b, color), ScreenVertex(l, b, color),
                                     ScreenVertex(l, t, color)};
  const TexturedVertex corner = ScreenVertex(r, b, color);
  BeginScreenDraw(nullptr);
  m_device->DrawPrimitive(PrimitiveType::LineStrip, VertexFormat::Textured, outline, 5);
  m_device->DrawPrimitive(PrimitiveType::PointList, VertexFormat::Textured, &corner, 1);
  EndScreenDraw();
}

void CRC::DrawLine(int x0, int y0, int x1, int y1, uint32_t color) {
  if (m_device == nullptr) return;
  const TexturedVertex line[2] = {ScreenVertex(F(x0), F(y0), color), ScreenVertex(F(x1), F(y1), color)};
  BeginScreenDraw(nullptr);
  m_device->DrawPrimitive(PrimitiveType::LineStrip, VertexFormat::Textured, line, 2);
  EndScreenDraw();
}

void CRC::DrawTriangle(const TexturedVertex* vertices) {
  if (m_device == nullptr || vertices == nullptr) return;
  BeginScreenDraw(nullptr);
  m_device->DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Textured, vertices, 3);
  EndScreenDraw();
}

// Six sixths of the picture span 360 degrees of yaw across and 180 degrees of
// pitch down; the strips start a column left of the view so that the shift
// never uncovers its edge.
void CRC::DrawScrollingTexture(float yaw, float pitch, CTexture* texture) {
  if (m_device == nullptr) return;
  const float W = F(m_width), H = F(m_height);
  const float e = -yaw, g = 90.0f - pitch - 30.0f;
  const float l = SignedRemainder(e, 60) * W / 360.0f;
  const float m = SignedRemainder(g, 30) * H / 180.0f;
  const int uBase = static_cast<int>(e / 60.0f), vBase = static_cast<int>(g / 30.0f);
  const auto vertex = [&](int i, int j, bool rightCorner) {
    float u = Wrap(static_cast<float>(i + uBase) / 6.0f);
    const float v = Wrap(static_cast<float>(j + vBase) / 6.0f);
    if (!rightCorner && u == 1.0f) u = 0.0f;  // no strip spans the picture's seam
    if (rightCorner && u == 0.0f) u = 1.0f;
    return PictureVertex(W * F(i) / 6.0f - l, H * F(j) / 6.0f - m - 30.0f, u, v);
  };
  const bool fogWas = s_fogOn != 0;
  SetFog(false);
  BeginScreenDraw(SurfaceOf(texture));
  SetFilter(*m_device);
  for (int c = -1; c < kSkyColumns - 1; ++c) {
    for (int r = 0; r < kSkyRows; ++r) {
      const TexturedVertex strip[4] = {vertex(c, r, false), vertex(c + 1, r, true), vertex(c, r + 1, false),
                                       vertex(c + 1, r + 1, true)};
      const Result result = m_device->DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
      if (Failed(result)) DebugLogf("DrawScrollingTexture : DrawPrimitive failed : %s", ResultName(result));
    }
  }
  EndScreenDraw();
  SetFog(fogWas);
}
