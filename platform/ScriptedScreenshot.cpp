#include "platform/ScriptedScreenshot.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "platform/Display.h"
#include "platform/InputScript.h"

namespace platform {
namespace {

// A 5- or 6-bit field widened to 8 bits, its top bits repeated below.
uint8_t Widen(uint32_t value, int bits) {
  return static_cast<uint8_t>(value << (8 - bits) | value >> (2 * bits - 8));
}

std::vector<uint8_t> RgbOf(const PresentedFrame& frame) {
  if (!frame.rgb.empty()) return frame.rgb;
  std::vector<uint8_t> rgb;
  rgb.reserve(frame.pixels.size() * 3);
  const bool is555 = frame.format == PixelFormat::XRGB1555;
  for (uint16_t p : frame.pixels) {
    if (is555) {
      rgb.insert(rgb.end(), {Widen(p >> 10 & 0x1F, 5), Widen(p >> 5 & 0x1F, 5), Widen(p & 0x1F, 5)});
    } else {
      rgb.insert(rgb.end(), {Widen(p >> 11, 5), Widen(p >> 5 & 0x3F, 6), Widen(p & 0x1F, 5)});
    }
  }
  return rgb;
}

bool WritePpm(const std::string& path, const PresentedFrame& frame) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const std::vector<uint8_t> rgb = RgbOf(frame);
  std::fprintf(file, "P6\n%d %d\n255\n", frame.width, frame.height);
  const bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
  return std::fclose(file) == 0 && written;
}

bool HandleScreenshot(const ScriptedEvent& event) {
  if (event.kind != "screenshot") return false;
  if (event.args.size() != 1 || LastPresentedFrame().count == 0 || !WritePpm(event.args[0], LastPresentedFrame())) {
    DebugLogf("input script: no screenshot at pass %llu", static_cast<unsigned long long>(event.pass));
  }
  return true;
}

}  // namespace

void EnableScriptedScreenshots() {
  AddScriptedEventHandler(HandleScreenshot);
  if (IsScriptedRun()) KeepPresentedFrames(true);
}

}  // namespace platform
