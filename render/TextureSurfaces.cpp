#include "render/TextureSurfaces.h"

#include <bit>

#include "platform/DebugLog.h"
#include "render/3dDevice.h"

using namespace platform;

namespace {

// The interface the device samples is the texture surface itself; the query
// fails only for a surface that is not there.
const Surface* QueryTexture(const std::shared_ptr<Surface>& surface) { return surface.get(); }

}  // namespace

Result CreateTextureSurfaces(const SurfaceDesc& stagingDesc, const SurfaceDesc& surfaceDesc,
                             const SurfaceFailureTexts& texts, std::shared_ptr<Surface>* staging,
                             std::shared_ptr<Surface>* surface, const Surface** texture) {
  staging->reset();
  surface->reset();
  *texture = nullptr;
  Display* display = g_3dDevice.DirectDraw().get();
  const char* failure = nullptr;
  if (display == nullptr || Failed(display->CreateSurface(stagingDesc, staging))) {
    failure = texts.staging;
  } else if (Failed(display->CreateSurface(surfaceDesc, surface))) {
    failure = texts.surface;
  } else if ((*texture = QueryTexture(*surface)) == nullptr) {
    failure = texts.query;
  }
  if (failure == nullptr) return S_OK;
  DebugLog(failure);
  staging->reset();
  surface->reset();
  return E_FAIL;
}

Result UploadStaging(Surface& surface, const Surface& staging) {
  const Result r = surface.BltFast(0, 0, staging, nullptr);
  if (Failed(r)) DebugLog("BltFast Error");
  return r;
}

ChannelPacker::Channel ChannelPacker::Of(uint32_t mask) {
  if (mask == 0) return Channel{};
  const int bits = std::popcount(mask);
  return Channel{static_cast<uint32_t>(std::countr_zero(mask)),
                 static_cast<uint32_t>(bits >= 8 ? 0 : 8 - bits)};
}

ChannelPacker::ChannelPacker(const PixelMasks& masks)
    : m_red(Of(masks.red)), m_green(Of(masks.green)), m_blue(Of(masks.blue)), m_alpha(Of(masks.alpha)) {}

uint16_t ChannelPacker::Pack(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) const {
  return static_cast<uint16_t>(Put(m_red, red) + Put(m_green, green) + Put(m_blue, blue) +
                               Put(m_alpha, alpha));
}
