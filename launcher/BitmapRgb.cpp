#include "launcher/BitmapRgb.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/BmpHeader.h"
#include "launcher/LauncherFiles.h"
#include "platform/DebugLog.h"

namespace {

// Larger than any menu the launcher can show.
constexpr int32_t kMaxSide = 8192;

void CopyRow24(const uint8_t* in, int width, uint8_t* out) { std::memcpy(out, in, static_cast<size_t>(width) * 3); }

void CopyRow8(const uint8_t* in, int width, const uint8_t* bytes, size_t size, uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 3) {
    const size_t entry = kBmpHeadersSize + size_t{in[x]} * 4;
    if (entry + 3 <= size) {
      std::memcpy(out, bytes + entry, 3);
    } else {
      std::memset(out, 0, 3);
    }
  }
}

}  // namespace

std::unique_ptr<uint8_t[]> DecodeBitmapRgb(const uint8_t* bytes, size_t size, int* width, int* height) {
  BmpHeader h;
  if (!ReadBmpHeader(bytes, size, &h)) {
    DebugLog("LoadBitmapRgb: shorter than its headers");
    return nullptr;
  }
  if (h.width <= 0 || h.height <= 0 || h.width > kMaxSide || h.height > kMaxSide) {
    DebugLogf("LoadBitmapRgb: bad size %d x %d", h.width, h.height);
    return nullptr;
  }
  if (h.bitCount != 8 && h.bitCount != 24) {
    DebugLogf("LoadBitmapRgb: %u bits a pixel", unsigned{h.bitCount});
    return nullptr;
  }
  const uint64_t stride = h.Stride();
  if (h.offBits > size || stride * static_cast<uint64_t>(h.height) > size - h.offBits) {
    DebugLog("LoadBitmapRgb: the rows run past the file");
    return nullptr;
  }
  const size_t rowBytes = static_cast<size_t>(h.width) * 3;
  auto pixels = std::make_unique<uint8_t[]>(rowBytes * static_cast<size_t>(h.height));
  for (int32_t i = 0; i < h.height; ++i) {
    // Files keep the bottom row first.
    const uint8_t* in = bytes + h.offBits + stride * static_cast<uint64_t>(h.height - 1 - i);
    uint8_t* out = pixels.get() + rowBytes * static_cast<size_t>(i);
    if (h.bitCount == 24) {
      CopyRow24(in, h.width, out);
    } else {
      CopyRow8(in, h.width, bytes, size, out);
    }
  }
  *width = h.width;
  *height = h.height;
  return pixels;
}

std::unique_ptr<uint8_t[]> LoadBitmapRgb(const std::string& name, int* width, int* height) {
  std::unique_ptr<cFile> stream = OpenStream(name, kStreamBufferSize);
  if (stream == nullptr) return nullptr;
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max(stream->GetSize(), 0)));
  bytes.resize(static_cast<size_t>(std::max(stream->Read(bytes.data(), static_cast<int32_t>(bytes.size())), 0)));
  ReleaseStream(stream);
  std::unique_ptr<uint8_t[]> pixels = DecodeBitmapRgb(bytes.data(), bytes.size(), width, height);
  if (pixels == nullptr) DebugLogf("LoadBitmapRgb: %s not loaded", name.c_str());
  return pixels;
}
