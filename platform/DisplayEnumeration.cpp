#include "platform/DisplayEnumeration.h"

#include <memory>

namespace platform {
namespace {

class SystemDisplays : public DisplayEnumeration {
 public:
  std::vector<DisplayDriverInfo> EnumDrivers() override {
    std::shared_ptr<Display> display;
    if (Failed(Display::Create(nullptr, &display))) return {};
    DisplayDriverInfo primary;
    primary.description = "Primary Display Driver";
    primary.canRenderWindowed = true;
    if (Failed(display->GetDisplayMode(&primary.currentMode))) return {};
    primary.devices = Display::EnumDevices();
    primary.modes = display->EnumDisplayModes();
    return {primary};
  }
};

SystemDisplays g_system;
DisplayEnumeration* g_current = nullptr;

}  // namespace

DisplayEnumeration& GetDisplayEnumeration() { return g_current != nullptr ? *g_current : g_system; }

void SetDisplayEnumeration(DisplayEnumeration* enumeration) { g_current = enumeration; }

}  // namespace platform
