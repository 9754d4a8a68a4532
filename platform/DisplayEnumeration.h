#pragma once
// What the launcher's set-up dialog lists: the display drivers, each with
// its 3-D devices, its current mode and the modes it can set. The real
// enumeration offers what Display::Create accepts: the primary display. Tests
// put a fake in its place.
#include <string>
#include <vector>

#include "platform/Display.h"

namespace platform {

struct DisplayDriverInfo {
  Guid guid;                // zero: the primary display
  std::string description;  // code page 949
  bool canRenderWindowed = false;
  DisplayMode currentMode;
  std::vector<DeviceInfo> devices;
  std::vector<DisplayMode> modes;
};

class DisplayEnumeration {
 public:
  virtual ~DisplayEnumeration() = default;
  // The drivers in the order the system lists them.
  virtual std::vector<DisplayDriverInfo> EnumDrivers() = 0;
};

// The enumeration in use: the real one unless a test put its own.
DisplayEnumeration& GetDisplayEnumeration();
// Null restores the real one. Not owned.
void SetDisplayEnumeration(DisplayEnumeration* enumeration);

}  // namespace platform
