#include <gtest/gtest.h>

#include "platform/DisplayEnumeration.h"

namespace {

using namespace platform;

TEST(DisplayEnumeration, ThePrimaryDisplayOffersTheRasterizerInAWindowAnd16BitModes) {
  const std::vector<DisplayDriverInfo> drivers = GetDisplayEnumeration().EnumDrivers();
  ASSERT_EQ(drivers.size(), 1u);
  const DisplayDriverInfo& primary = drivers[0];
  EXPECT_EQ(primary.guid, Guid{});
  EXPECT_FALSE(primary.description.empty());
  EXPECT_TRUE(primary.canRenderWindowed);
  EXPECT_EQ(primary.currentMode.bitCount, 16);  // the desktop: so a window is offered
  ASSERT_EQ(primary.devices.size(), 1u);
  const DeviceInfo& device = primary.devices[0];
  EXPECT_EQ(device.guid, kRasterizerGuid);
  EXPECT_NE(device.hardware.colorModel, 0u);
  EXPECT_NE(device.hardware.renderBitDepths & DDBD_16, 0u);
  // Its alpha test compares every way, neither "always" nor "never" alone.
  EXPECT_EQ(device.hardware.alphaCmpCaps, D3DPCMPCAPS_ALL);
  bool has640 = false;
  for (const DisplayMode& mode : primary.modes)
    has640 |= mode.width == 640 && mode.height == 480 && mode.bitCount == 16;
  EXPECT_TRUE(has640);
}

TEST(DisplayEnumeration, NoDisplayNoDrivers) {
  InjectDisplayFault(DisplayStep::Create, DDERR_OUTOFMEMORY);
  EXPECT_TRUE(GetDisplayEnumeration().EnumDrivers().empty());
  ClearDisplayFaults();
}

}  // namespace
