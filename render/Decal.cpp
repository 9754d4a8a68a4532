#include "render/Decal.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "render/3dDevice.h"
#include "render/Texture.h"
#include "render/TextureSurfaces.h"

using namespace platform;

namespace {

constexpr int32_t kMaxRows = 254;

constexpr SurfaceFailureTexts kDecalTexts{"Decal Create tmp Surface Failed",
                                          "Decal Create Surface Failed",
                                          "Decal Query Interface Failed"};
constexpr SurfaceFailureTexts kAviTexts{"Decal Create tmp Surface Failed",
                                        "AviDecal Create Surface Failed",
                                        "AviDecal Query Interface Failed"};

// The smallest power of two from 16 to 256 above the side, so that a spare
// column and row stay free; 128 and more take 256.
int32_t DecalSide(int32_t side) {
  for (int32_t candidate = 16; candidate < 256; candidate *= 2) {
    if (candidate > side) return candidate;
  }
  return 256;
}

bool Halves(int32_t halve) { return halve < 0 ? g_isLowResSprite != 0 : halve != 0; }

// A movie frame needs no alpha: the first plain 16-bit RGB format.
PixelFormatDesc AviFormat() {
  const Display* display = g_3dDevice.DirectDraw().get();
  if (display == nullptr) return PixelFormatDesc{};
  constexpr uint32_t kNotPlain = DDPF_ALPHAPIXELS | DDPF_FOURCC | DDPF_LUMINANCE |
                                 DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV | DDPF_PALETTEINDEXED8;
  for (const PixelFormatDesc& f : display->EnumTextureFormats()) {
    if ((f.flags & DDPF_RGB) != 0 && (f.flags & kNotPlain) == 0 && f.bitCount == 16) return f;
  }
  return PixelFormatDesc{};
}

SurfaceDesc StagingDesc(int32_t width, int32_t height, const PixelFormatDesc& format) {
  SurfaceDesc desc;
  desc.caps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE;
  desc.width = width;
  desc.height = height;
  desc.format = format;
  return desc;
}

}  // namespace

Result CDecal::Create(int32_t width, int32_t height, int32_t halve) {
  Release();
  if (Halves(halve)) {
    width /= 2;
    height /= 2;
  }
  m_width = DecalSide(width);
  m_height = DecalSide(height);
  ChooseColorKeyFormats();
  m_desc = StagingDesc(m_width, m_height, g_colorKeyFormat);
  SurfaceDesc texture = m_desc;
  if (g_singleDecal != 0) {
    texture.caps = DDSCAPS_TEXTURE | DDSCAPS_VIDEOMEMORY;
  } else {
    texture.caps = DDSCAPS_TEXTURE;
    texture.caps2 = DDSCAPS2_TEXTUREMANAGE;
  }
  texture.format = g_useCompressedTexture != 0 ? g_compressedColorKeyFormat : g_colorKeyFormat;
  return CreateTextureSurfaces(m_desc, texture, kDecalTexts, &m_staging, &m_surface, &m_texture);
}

Result CDecal::CreateForAvi(int32_t width, int32_t height) {
  Release();
  m_width = width;
  m_height = height;
  m_desc = StagingDesc(width, height, AviFormat());
  SurfaceDesc texture = m_desc;
  texture.caps = DDSCAPS_TEXTURE;
  texture.caps2 = DDSCAPS2_TEXTUREMANAGE;
  return CreateTextureSurfaces(m_desc, texture, kAviTexts, &m_staging, &m_surface, &m_texture);
}

// Target row k takes source row k x step, pixels 0, step, 2 x step, ...; the
// column after the copied texels and the row after the copied rows are
// cleared (transparent), all cut to the decal.
void CDecal::Fill(const SurfaceLock& lock, int32_t width, int32_t rows, const uint16_t* pixels,
                  int32_t step) {
  const int32_t outRows = rows / step;
  const int32_t outWidth = width / step;
  const int32_t copied = std::min(outWidth, m_width);
  for (int32_t k = 0; k <= outRows && k < m_height; ++k) {
    uint16_t* row = lock.Row(k);
    if (k < outRows) {
      const uint16_t* src = pixels + static_cast<size_t>(k) * step * width;
      for (int32_t i = 0; i < copied; ++i) row[i] = src[static_cast<size_t>(i) * step];
    } else {
      std::fill_n(row, copied, uint16_t{0});
    }
    if (outWidth < m_width) row[outWidth] = 0;
  }
}

void CDecal::Update(int32_t width, int32_t rows, const uint16_t* pixels, int32_t halve) {
  rows = std::min(rows, kMaxRows);
  if (g_singleDecal != 0) {
    if (pixels == m_lastPixels) return;
    m_lastPixels = pixels;
  }
  if (m_staging == nullptr || m_surface == nullptr) return;  // filled once per Create
  width = std::max(width, 0);
  rows = std::max(rows, 0);
  if (pixels == nullptr) rows = 0;
  const int32_t step = Halves(halve) ? 2 : 1;
  {
    SurfaceLock lock(*m_staging);
    if (!lock.Locked()) return;
    Fill(lock, width, rows, pixels, step);
  }
  if (g_singleDecal == 0) {
    UploadStaging(*m_surface, *m_staging);
    m_staging.reset();
    return;
  }
  // The shared decal is refilled for every sprite drawn: only the rows and
  // columns Fill wrote go up; the rest already matches the staging surface.
  const Rect written{0, 0, std::min(width / step + 1, m_width), std::min(rows / step + 1, m_height)};
  if (Failed(m_surface->BltFast(0, 0, *m_staging, &written))) DebugLog("BltFast Error");
}

void CDecal::SetTexture() {
  if (Device3D* device = g_3dDevice.Device().get()) device->SetTexture(m_texture);
}

void CDecal::Upload() {
  if (m_staging != nullptr && m_surface != nullptr) UploadStaging(*m_surface, *m_staging);
}

void CDecal::Release() {
  m_texture = nullptr;
  m_surface.reset();
  m_staging.reset();
  m_lastPixels = nullptr;
}
