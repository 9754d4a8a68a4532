#pragma once
// What textures and decals share: their staging and texture surfaces made on
// the display device, the copy between them, and the packing of 8-bit
// channels into a 16-bit texel.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/Display.h"
#include "platform/Result.h"
#include "platform/Surface.h"

// Debug texts of the three steps: staging surface, texture surface, query.
struct SurfaceFailureTexts {
  const char* staging;
  const char* surface;
  const char* query;
};

// Makes the staging surface, then the texture surface, then asks for the
// texture interface (what the device samples); on failure logs the step's
// text, leaves all three empty and returns E_FAIL. Fails as well while there
// is no display device.
platform::Result CreateTextureSurfaces(const platform::SurfaceDesc& stagingDesc,
                                       const platform::SurfaceDesc& surfaceDesc,
                                       const SurfaceFailureTexts& texts,
                                       std::shared_ptr<platform::Surface>* staging,
                                       std::shared_ptr<platform::Surface>* surface,
                                       const platform::Surface** texture);

// Copies the staging surface into the texture surface at (0, 0); a failure
// is logged ("BltFast Error") and returned.
platform::Result UploadStaging(platform::Surface& surface, const platform::Surface& staging);

// A surface locked for pixel work while the object lives.
class SurfaceLock {
 public:
  explicit SurfaceLock(platform::Surface& surface) : m_surface(surface) {
    m_locked = !platform::Failed(surface.Lock(&m_bits));
  }
  ~SurfaceLock() {
    if (m_locked) m_surface.Unlock();
  }
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;

  bool Locked() const { return m_locked; }
  uint16_t* Row(int y) const {
    return reinterpret_cast<uint16_t*>(m_bits.bits + static_cast<ptrdiff_t>(y) * m_bits.pitch);
  }

 private:
  platform::Surface& m_surface;
  platform::LockedBits m_bits;
  bool m_locked = false;
};

// Packs 8-bit channels by the masks: each channel keeps its top bits, moved
// to the mask's lowest bit.
class ChannelPacker {
 public:
  explicit ChannelPacker(const platform::PixelMasks& masks);
  uint16_t Pack(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) const;

 private:
  struct Channel {
    uint32_t shift = 0;
    uint32_t loss = 8;
  };
  static Channel Of(uint32_t mask);
  uint32_t Put(const Channel& c, uint8_t value) const { return (uint32_t{value} >> c.loss) << c.shift; }

  Channel m_red, m_green, m_blue, m_alpha;
};
