#pragma once
// A texture refilled at run time from 16-bit pixel buffers in the colour-key
// format (sprite images, movie frames). Its sides are powers of two from 16
// to 256, leaving a spare transparent column and row for filtering.
#include <cstdint>
#include <memory>

#include "platform/Display.h"
#include "platform/Result.h"
#include "platform/Surface.h"

class SurfaceLock;

class CDecal {
 public:
  CDecal() = default;
  ~CDecal() { Release(); }
  CDecal(const CDecal&) = delete;
  CDecal& operator=(const CDecal&) = delete;

  // halve: negative lets the low-resolution sprite switch decide, 0 no, other yes.
  platform::Result Create(int32_t width, int32_t height, int32_t halve);
  // `rows` rows of `width` pixels each, cut to the decal.
  void Update(int32_t width, int32_t rows, const uint16_t* pixels, int32_t halve);
  // Binds the texture to stage 0 of the display device's 3-D device.
  void SetTexture();
  // Copies the staging surface into the texture surface.
  void Upload();
  // Sizes as given, in the device's first 16-bit format without alpha.
  platform::Result CreateForAvi(int32_t width, int32_t height);
  void Release();

  int32_t m_width = 0;
  int32_t m_height = 0;
  std::shared_ptr<platform::Surface> m_surface;
  std::shared_ptr<platform::Surface> m_staging;
  const platform::Surface* m_texture = nullptr;  // pass to Device3D::SetTexture
  platform::SurfaceDesc m_desc;

 private:
  void Fill(const SurfaceLock& lock, int32_t width, int32_t rows, const uint16_t* pixels,
            int32_t step);

  const uint16_t* m_lastPixels = nullptr;  // single decal: the buffer it holds
};
