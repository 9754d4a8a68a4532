#pragma once
// A texture: a BMP, a TGA or a 32-bit pixel array converted once, at load,
// into the device's own 16-bit texture format. The texture caches create and
// own them. The staging surface is filled by the CPU and copied into the
// texture surface that the 3-D device samples; it lives only while loading.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Display.h"
#include "platform/Result.h"
#include "platform/Surface.h"

struct SurfaceFailureTexts;
// One queued triangle of the texture caches; defined with them.
struct TriangleBatch;

// The texture formats, chosen once from the device's texture-format list:
// colour-keyed (1-bit alpha) and alpha (4-bit alpha), each with the slot
// that the compressed switch selects (the plain format unless the driver
// offers a compressed one).
extern platform::PixelFormatDesc g_colorKeyFormat;
extern platform::PixelFormatDesc g_compressedColorKeyFormat;
extern platform::PixelFormatDesc g_alphaFormat;
extern platform::PixelFormatDesc g_compressedAlphaFormat;
// Each pair is chosen on its first call while the display device exists.
void ChooseColorKeyFormats();
void ChooseAlphaFormats();

// Every 8-bit colour channel of a BMP texture passes through this table.
// Filled at program start.
extern const std::array<uint8_t, 256> g_textureGamma;

// Set by the settings loader.
extern int32_t g_isLowResTexture;      // BMP textures load at half size
extern int32_t g_isLowResSprite;       // pixel arrays and decals at half size
extern int32_t g_useCompressedTexture;  // texture surfaces in the compressed slots
extern int32_t g_singleDecal;           // one shared decal in video memory

class CTexture {
 public:
  CTexture();
  ~CTexture();
  CTexture(const CTexture&) = delete;
  CTexture& operator=(const CTexture&) = delete;

  // Staging and texture surfaces of m_width x m_height; 0 or E_FAIL.
  platform::Result CreateTexture();           // colour-key format
  platform::Result CreateTextureWithAlpha();  // alpha format

  // Names are resource names under the current resource directory.
  platform::Result LoadTextureImage(const char* fName);          // BMP, 8 or 24 bits
  platform::Result LoadTgaTextureImage(const char* strPathname);  // TGA types 2 and 10
  // 32-bit values with alpha in bits 0-7, blue 8-15, green 16-23, red 24-31;
  // rows top-down.
  platform::Result CreateFromArgb(const uint32_t* pixels, int32_t width, int32_t height);

  // Surfaces and the texture interface (the surface the device samples).
  std::shared_ptr<platform::Surface> m_surface;
  std::shared_ptr<platform::Surface> m_staging;
  const platform::Surface* m_texture = nullptr;  // pass to Device3D::SetTexture
  platform::SurfaceDesc m_desc;

  std::string m_name;
  uint64_t m_serial;      // creation order: ties between equal names
  uint32_t m_width = 0;   // after any halving
  uint32_t m_height = 0;
  uint32_t m_bitsPerPixel = 0;  // for the caches' memory counters
  uint32_t m_lastUse = 0;       // platform::NowMs() of the load, then of each use
  int32_t m_hasTransparency = 0;
  int32_t m_alphaFormat = 0;
  uint8_t m_keep = 0;                  // set by the caches' MarkAll
  TriangleBatch* m_batch = nullptr;    // first batch queued this frame
  uint32_t m_batchDrains = 0;          // times the caches emptied the chain
  int32_t m_lockCount = 0;

 private:
  void ReleaseSurfaces();
  platform::Result CreateSurfaces(const platform::PixelFormatDesc& plain,
                                  const platform::PixelFormatDesc& compressed,
                                  const SurfaceFailureTexts& texts);
  // Copies the filled staging surface into the texture surface and drops it.
  platform::Result FinishLoad();
};
