#include "render/RC.h"

#include <algorithm>
#include <cmath>

#include "platform/DebugLog.h"
#include "render/3dDevice.h"
#include "render/ScreenVertex.h"
#include "render/TextProbe.h"
#include "render/TextureMgr.h"

using namespace platform;

int32_t g_zBufferSort = 0;
int32_t g_wFogRender = 0;

uint16_t* CRC::s_pixels = nullptr;
int32_t CRC::s_pitch = 0;
int32_t CRC::s_locked = 0;
int32_t CRC::s_primitiveCount = 0;
FogSettings CRC::s_fogSettings;
int32_t CRC::s_fogOn = 0;

namespace {

constexpr float kNear = 9.9999f;
constexpr float kFar = 1000.0f;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

}  // namespace

float DepthFromRhw(float rhw) {
  const float w = 1.0f / rhw;
  if (w < kNear) return 10.0f;
  if (w > kFar) return 1000.0f;
  return (1.0f - kNear * rhw) * kFar / (kFar - kNear);
}

CRC::CRC() {
  s_fogSettings = FogSettings{};
  s_fogOn = 0;
}

CRC::~CRC() = default;

void CRC::SetViewSize(int width, int height) {
  m_width = width;
  m_height = height;
  m_halfWidth = width / 2;
  m_halfHeight = height / 2;
  m_aspect = width != 0 ? static_cast<float>(height) / static_cast<float>(width) : 0.0f;
  const float tanHalf = static_cast<float>(std::tan(7.5 * kDegree));
  const float cot = static_cast<float>(std::tan(82.5 * kDegree));
  m_focalY = static_cast<float>(height) / 2.0f / tanHalf;
  m_focalX = m_aspect * (static_cast<float>(width) / 2.0f) / tanHalf;
  m_cotY = cot;
  m_cotX = m_aspect * cot;
  m_centerX = width / 2;
  m_horizonY = static_cast<int32_t>(static_cast<float>(height / 2) -
                                    static_cast<float>(height) * 0.072916664f);
  m_clipLeft = 0;
  m_clipTop = 0;
  m_clipRight = width;
  m_clipBottom = height;
  m_clipEnabled = 0;
}

void CRC::SetFog(bool on) {
  s_fogOn = on ? 1 : 0;
  if (g_wFogRender != 0 && m_device != nullptr) {
    m_device->SetRenderState(RenderState::FogEnable, on ? 1 : 0);
  }
  m_fogDirty = 1;
}

void CRC::ApplyFog() {
  if (m_fogDirty != 0 && g_wFogRender != 0 && s_fogOn != 0 && m_device != nullptr) {
    ApplyFogForCaps(g_3dDevice.GetDeviceDesc().rasterCaps);
  }
  m_fogDirty = 0;
}

// Start and end are fractions of the depth range 10..1000; fog starts no
// farther than 60 % into it.
void CRC::ApplyFogForCaps(uint32_t rasterCaps) {
  Device3D& d = *m_device;
  d.SetRenderState(RenderState::FogEnable, 1);
  d.SetRenderState(RenderState::FogColor, s_fogSettings.color);
  const float start = s_fogSettings.start * 990.0f * 0.6f + 10.0f;
  const float end = s_fogSettings.end * 990.0f + 10.0f;
  const uint32_t none = static_cast<uint32_t>(FogMode::None);
  const uint32_t linear = static_cast<uint32_t>(FogMode::Linear);
  if ((rasterCaps & kRasterFogTable) != 0) {
    d.SetRenderState(RenderState::FogVertexMode, none);
    d.SetRenderState(RenderState::FogTableMode, linear);
    const bool wFog = (rasterCaps & kRasterWFog) != 0;
    d.SetRenderStateFloat(RenderState::FogStart, wFog ? start : 0.95f);
    d.SetRenderStateFloat(RenderState::FogEnd, wFog ? end : 1.0f);
  } else if ((rasterCaps & kRasterFogVertex) != 0) {
    d.SetRenderState(RenderState::FogTableMode, none);
    d.SetRenderState(RenderState::FogVertexMode, linear);
    d.SetRenderStateFloat(RenderState::FogStart, start);
    d.SetRenderStateFloat(RenderState::FogEnd, end);
    if ((rasterCaps & kRasterFogRange) != 0) d.SetRenderState(RenderState::RangeFogEnable, 1);
  }
}

void CRC::Clear(bool all) {
  if (all) {
    g_3dDevice.ClearAll();
  } else {
    g_3dDevice.ClearDepth();
  }
}

bool CRC::BeginScene() { return m_device != nullptr && !Failed(m_device->BeginScene()); }

Result CRC::EndScene() {
  ClearQueues();
  return m_device != nullptr ? m_device->EndScene() : E_FAIL;
}

Result CRC::Flip() {
  CTextProbe::GetInstance().Present();
  ++m_frameCount;
  s_primitiveCount = 0;
  const Result presented = g_3dDevice.Present();
  CTextProbe::GetInstance().Presented();
  return presented;
}

void CRC::FadeScreen(float alpha) {
  g_3dDevice.ClearDepth();
  if (!BeginScene()) return;
  const float opacity = std::clamp(alpha, 0.0f, 1.0f) * 255.0f;
  const uint32_t black = static_cast<uint32_t>(static_cast<int32_t>(opacity)) << 24;
  FillRect(Rect{0, 0, m_width - 1, m_height - 1}, black, black);
  EndScene();
}

void CRC::ClearQueues() {
  CTextureMgr::GetInstance().ClearBatchLinks();
  m_alphaTestTris.clear();
  m_blendTris.clear();
  m_additiveTexTris.clear();
  m_blendTestedTris.clear();
  m_additiveUntexTris.clear();
  m_zLessTris.clear();
  m_noDepthTris.clear();
  m_zLessEqualTris.clear();
  m_effectQuads.clear();
  m_quads.clear();
  m_quadsA.clear();
  m_quadsB.clear();
  m_spriteQuads.clear();
  m_overlayQuads.clear();
}

// Part of the screen-space drawing; FadeScreen needs it.
void CRC::FillRect(const Rect& rect, uint32_t color1, uint32_t color2) {
  if (m_device == nullptr) return;
  const auto corner = [](int x, int y, uint32_t color) {
    return TexturedVertex{static_cast<float>(x), static_cast<float>(y), kScreenZ, kScreenRhw,
                          color, 0xFFFFFFFF, 0.0f, 0.0f};
  };
  const TexturedVertex strip[4] = {
      corner(rect.left, rect.top, color1), corner(rect.right, rect.top, color2),
      corner(rect.left, rect.bottom, color1), corner(rect.right, rect.bottom, color2)};
  BeginScreenDraw(nullptr);
  m_device->DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  EndScreenDraw();
}

// The render target is the back buffer, or the primary when the device draws
// straight into it.
bool CRC::LockBackBuffer() {
  m_backBuffer = g_3dDevice.RenderTarget();
  if (m_backBuffer == nullptr) {
    DebugLog("LockBackBuffer: no back buffer");
    return false;
  }
  LockedBits bits;
  const Result r = m_backBuffer->Lock(&bits);
  if (r == DDERR_SURFACELOST) return false;
  if (Failed(r)) {
    DebugLog(ResultName(r));
    return false;
  }
  s_pixels = reinterpret_cast<uint16_t*>(bits.bits);
  s_pitch = bits.pitch / 2;
  s_locked = 1;
  return true;
}

void CRC::UnlockBackBuffer() {
  s_locked = 0;
  s_pixels = nullptr;
  if (m_backBuffer != nullptr && m_backBuffer->IsLocked()) m_backBuffer->Unlock();
}

// The part of the rectangle that lies on the locked surface.
Rect CRC::LockedRect(int left, int top, int right, int bottom) const {
  return Rect{std::max(left, 0), std::max(top, 0), std::min(right, m_backBuffer->Width()),
              std::min(bottom, m_backBuffer->Height())};
}

void CRC::SaveRect(int slot, int left, int top, int right, int bottom) {
  if (slot < 0 || slot >= static_cast<int>(m_savedRects.size())) return;
  RowList& rows = m_savedRects[slot];
  rows.clear();
  if (s_locked == 0 || m_backBuffer == nullptr || right <= left || bottom <= top) return;
  const Rect inside = LockedRect(left, top, right, bottom);
  for (int y = bottom - 1; y >= top; --y) {
    std::vector<uint16_t>& row = rows.emplace_back(static_cast<size_t>(right - left), 0);
    if (y < inside.top || y >= inside.bottom) continue;
    for (int x = inside.left; x < inside.right; ++x) {
      row[static_cast<size_t>(x - left)] = s_pixels[static_cast<ptrdiff_t>(y) * s_pitch + x];
    }
  }
}

void CRC::RestoreRect(int slot, int left, int top, int right, int bottom) {
  if (slot < 0 || slot >= static_cast<int>(m_savedRects.size())) return;
  if (s_locked == 0 || m_backBuffer == nullptr) return;
  const RowList& rows = m_savedRects[slot];
  const Rect inside = LockedRect(left, top, right, bottom);
  int y = bottom - 1;
  for (const std::vector<uint16_t>& row : rows) {
    if (y < top) break;
    if (y >= inside.top && y < inside.bottom) {
      const int end = std::min(inside.right, left + static_cast<int>(row.size()));
      for (int x = inside.left; x < end; ++x) {
        s_pixels[static_cast<ptrdiff_t>(y) * s_pitch + x] = row[static_cast<size_t>(x - left)];
      }
    }
    --y;
  }
}

void CRC::FreeSavedRects() {
  for (RowList& rows : m_savedRects) rows.clear();
}
