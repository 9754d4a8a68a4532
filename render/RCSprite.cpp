// Sprite images and sprite actions drawn at once in screen space.
#include <cmath>

#include "engine/ActRes.h"
#include "engine/SprRes.h"
#include "platform/DebugLog.h"
#include "render/3dDevice.h"
#include "render/Decal.h"
#include "render/RC.h"
#include "render/ScreenVertex.h"
#include "render/SprDevice.h"
#include "render/Texture.h"

using namespace platform;

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

struct Corner {
  float x, y;
};

struct TexRange {
  float u0, v0, u1, v1;
};

// A strip's four vertices: top-left, top-right, bottom-left, bottom-right.
void FillStrip(TexturedVertex* strip, const Corner (&corners)[4], const TexRange& tex, uint32_t color) {
  const float us[4] = {tex.u0, tex.u1, tex.u0, tex.u1};
  const float vs[4] = {tex.v0, tex.v0, tex.v1, tex.v1};
  for (int i = 0; i < 4; ++i) {
    strip[i] = ScreenVertex(corners[i].x, corners[i].y, color, us[i], vs[i]);
  }
}

// `width` x `height` texels of a texture of `texWidth` x `texHeight`, moved
// by the texel shift.
TexRange ShiftedRange(int32_t width, int32_t height, int32_t texWidth, int32_t texHeight) {
  const float dw = static_cast<float>(texWidth), dh = static_cast<float>(texHeight);
  return TexRange{g_texelShift / dw, g_texelShift / dh, (static_cast<float>(width) + g_texelShift) / dw,
                  (static_cast<float>(height) + g_texelShift) / dh};
}

// The box (left, top)-(right, bottom) turned by `angle` degrees about the
// origin and moved to (x, y).
void TurnedCorners(float x, float y, float left, float top, float right, float bottom, int angle,
                   Corner (&out)[4]) {
  const float a = static_cast<float>(angle) * kRadiansPerDegree;
  const float c = std::cos(a), s = std::sin(a);
  const Corner box[4] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
  for (int i = 0; i < 4; ++i) {
    out[i] = Corner{x + box[i].x * c - box[i].y * s, y + box[i].x * s + box[i].y * c};
  }
}

// Whole pixels toward zero; values no screen reaches (a layer scale from a
// corrupt file) are held at a bound, and NaN becomes 0.
int CutToInt(float v) {
  constexpr float kBound = 1073741824.0f;  // 2^30
  if (!(v == v)) return 0;
  return static_cast<int>(v < -kBound ? -kBound : v > kBound ? kBound : v);
}

// Integer corners, as the quad forms take them.
void CutCorners(Corner (&corners)[4]) {
  for (Corner& c : corners) {
    c.x = static_cast<float>(CutToInt(c.x));
    c.y = static_cast<float>(CutToInt(c.y));
  }
}

// The image's texels in its decal: halved with the low-resolution sprite
// switch unless the image is full-size.
TexRange ImageRange(const SprImage& image, const CDecal& decal) {
  const bool halved = g_isLowResSprite != 0 && !image.fullSize;
  return ShiftedRange(halved ? image.width / 2 : image.width, halved ? image.height / 2 : image.height,
                      decal.m_width, decal.m_height);
}

TexRange TextureRange(const CTexture& texture) {
  return ShiftedRange(static_cast<int32_t>(texture.m_width), static_cast<int32_t>(texture.m_height),
                      static_cast<int32_t>(texture.m_width), static_cast<int32_t>(texture.m_height));
}

// Binds the image's decal; false when it has none.
bool BindImage(Device3D& device, const SprImage& image, TexRange* range) {
  CDecal* decal = PrepareImageDecal(image);
  if (decal == nullptr) return false;
  device.SetTexture(decal->m_texture);
  *range = ImageRange(image, *decal);
  return true;
}

bool BindTexture(Device3D& device, CTexture* texture, TexRange* range) {
  if (texture == nullptr || texture->m_width == 0 || texture->m_height == 0) return false;
  device.SetTexture(texture->m_texture);
  *range = TextureRange(*texture);
  return true;
}

Corner At(int x, int y) { return Corner{static_cast<float>(x), static_cast<float>(y)}; }

// An image of w x h pixels with its top-left corner at (x, y); turned, it
// turns about its centre, which then lies at (x, y), and its corners become
// whole pixels as the quad forms take them.
void ImageCorners(int x, int y, float w, float h, int angle, Corner (&c)[4]) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  if (angle == 0) {
    TurnedCorners(fx, fy, 0, 0, w, h, 0, c);
    return;
  }
  TurnedCorners(fx, fy, -w / 2, -h / 2, w / 2, h / 2, angle, c);
  CutCorners(c);
}

struct IntQuad {
  int v[8];  // x0, y0, ... x3, y3
};

IntQuad ToIntQuad(const Corner (&c)[4]) {
  IntQuad q;
  for (int n = 0; n < 4; ++n) {
    q.v[2 * n] = CutToInt(c[n].x);
    q.v[2 * n + 1] = CutToInt(c[n].y);
  }
  return q;
}

}  // namespace

// Sprite images take no alpha test: their transparent texels have alpha 0
// and blend away.
void CRC::DrawImageStrip(const TexturedVertex* strip, bool depthWrite, bool setDepthWrite) {
  Device3D& d = *m_device;
  if (setDepthWrite) d.SetRenderState(RenderState::ZWriteEnable, depthWrite ? 1 : 0);
  d.SetRenderState(RenderState::AlphaRef, 1);
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  d.SetStageState(StageState::MinFilter, static_cast<uint32_t>(Filter::Point));
  d.SetStageState(StageState::MagFilter, static_cast<uint32_t>(Filter::Point));
  d.DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  ++s_primitiveCount;
  d.SetRenderState(RenderState::AlphaRef, 240);
  if (setDepthWrite) d.SetRenderState(RenderState::ZWriteEnable, 1);
}

void CRC::DrawSprImage(int x, int y, const SprImage* image, float scale, int angle, uint32_t color,
                       bool depthWrite) {
  if (image == nullptr || m_device == nullptr) return;
  Corner c[4];
  ImageCorners(x, y, static_cast<float>(image->width) * scale, static_cast<float>(image->height) * scale,
               angle, c);
  TexRange range;
  if (!BindImage(*m_device, *image, &range)) return;
  TexturedVertex strip[4];
  FillStrip(strip, c, range, color);
  DrawImageStrip(strip, depthWrite, true);
}

void CRC::DrawSprImageQuad(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
                           const SprImage* image, uint32_t color, bool depthWrite) {
  TexRange range;
  if (image == nullptr || m_device == nullptr || !BindImage(*m_device, *image, &range)) return;
  const Corner c[4] = {At(x0, y0), At(x1, y1), At(x2, y2), At(x3, y3)};
  TexturedVertex strip[4];
  FillStrip(strip, c, range, color);
  DrawImageStrip(strip, depthWrite, true);
}

void CRC::DrawAlphaImage(int x, int y, CTexture* texture, float scale, int angle, uint32_t color) {
  if (texture == nullptr || m_device == nullptr) return;
  Corner c[4];
  ImageCorners(x, y, static_cast<float>(texture->m_width) * scale, static_cast<float>(texture->m_height) * scale,
               angle, c);
  TexRange range;
  if (!BindTexture(*m_device, texture, &range)) return;
  TexturedVertex strip[4];
  FillStrip(strip, c, range, color);
  DrawImageStrip(strip, false, false);
}

void CRC::DrawAlphaImageQuad(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
                             CTexture* texture, uint32_t color) {
  TexRange range;
  if (m_device == nullptr || !BindTexture(*m_device, texture, &range)) return;
  const Corner c[4] = {At(x0, y0), At(x1, y1), At(x2, y2), At(x3, y3)};
  TexturedVertex strip[4];
  FillStrip(strip, c, range, color);
  DrawImageStrip(strip, false, false);
}

Result CRC::DrawSprite(int x, int y, const CSprRes* sprites, int spriteId, uint32_t color) {
  if (sprites == nullptr) return S_OK;
  const SprImage* image = sprites->GetImage(spriteId);
  if (image == nullptr) {
    DebugLogf("Error : Sprite %s, illegal sprId: %d", sprites->GetName().c_str(), spriteId);
    return S_OK;
  }
  DrawSprImage(x, y, image, 1.0f, 0, color, true);
  return S_OK;
}

void CRC::DrawAction(int x, int y, const CActRes* actions, const CSprRes* sprites, int actId, int motId,
                     float scale, int angle, uint32_t color, bool depthWrite) {
  if (actions == nullptr || sprites == nullptr) return;
  if (actions->GetAction(actId) == nullptr) {
    DebugLogf("Error : Action %s, illegal actId: %d", actions->GetName().c_str(), actId);
    return;
  }
  const ActMotion* motion = actions->GetMotion(actId, motId);
  if (motion == nullptr) {
    DebugLogf("Error : Action %s, illegal motId: %d", actions->GetName().c_str(), motId);
    return;
  }
  for (const ActLayer& layer : motion->layers) {
    const uint32_t layerColor = layer.Modulate(color);
    const float s = scale * layer.scale;
    int32_t w, h;
    // A layer naming no image of the sprite draws nothing.
    if (!sprites->GetImageSize(layer.kind, layer.sprite, &w, &h)) continue;
    const SprImage* image = layer.kind == 0 ? sprites->GetImage(layer.sprite) : nullptr;
    CTexture* texture = layer.kind == 0 ? nullptr : GetImageTexture(*sprites->GetArgbImage(layer.sprite));
    if (angle == 0) {
      const int lx = CutToInt(static_cast<float>(x) + static_cast<float>(layer.x) * s);
      const int ly = CutToInt(static_cast<float>(y) + static_cast<float>(layer.y) * s);
      if (image != nullptr) {
        DrawSprImage(lx, ly, image, s, 0, layerColor, depthWrite);
      } else {
        DrawAlphaImage(lx, ly, texture, s, 0, layerColor);
      }
      continue;
    }
    const float left = static_cast<float>(layer.x) * s, top = static_cast<float>(layer.y) * s;
    const float right = static_cast<float>(layer.x + w - 1) * s, bottom = static_cast<float>(layer.y + h - 1) * s;
    Corner c[4];
    TurnedCorners(static_cast<float>(x), static_cast<float>(y), left, top, right, bottom, angle, c);
    const IntQuad quad = ToIntQuad(c);
    const int* q = quad.v;
    if (image != nullptr) {
      DrawSprImageQuad(q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], image, layerColor, depthWrite);
    } else {
      DrawAlphaImageQuad(q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], texture, layerColor);
    }
  }
}
