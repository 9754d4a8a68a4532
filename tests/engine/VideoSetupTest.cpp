#include "engine/VideoSetup.h"

#include <gtest/gtest.h>

namespace {

TEST(VideoSetup, SaveThenLoadKeepsEveryFieldAndCreatesBothSubkeys) {
  VideoSetup out;
  out.SetDefaults();
  out.GuidDevice[3] = 7;
  out.DeviceName = "Software 3-D";
  out.SprFiltering = 1;
  out.SoundDriver = 2;
  platform::SettingsStore store;
  out.Save(store, kProductKeyPath);
  EXPECT_TRUE(store.HasKey(std::string(kProductKey) + "\\Video Setup"));
  EXPECT_TRUE(store.HasKey(std::string(kProductKey) + "\\Sound Setup"));

  VideoSetup in;
  in.Load(store, kProductKeyPath);
  EXPECT_EQ(in.GuidDevice, out.GuidDevice);
  EXPECT_EQ(in.DeviceName, "Software 3-D");
  EXPECT_EQ(in.Width, 640u);
  EXPECT_EQ(in.isFullScreenMode, 1u);
  EXPECT_EQ(in.SprFiltering, 1u);
  EXPECT_EQ(in.SoundDriver, 2u);
  EXPECT_EQ(in.UseSound, 1u);
}

TEST(VideoSetup, MissingSubkeysAndValuesKeepWhatWasThere) {
  platform::SettingsStore store;
  store.SetDword(std::string(kProductKey) + "\\Video Setup", "Width", 800);
  store.SetString(std::string(kProductKey) + "\\Video Setup", "DeviceName", std::string(40, 'x'));
  VideoSetup setup;
  setup.SetDefaults();
  setup.DeviceName = "kept";
  setup.Load(store, kProductKeyPath);
  EXPECT_EQ(setup.Width, 800u);
  EXPECT_EQ(setup.Height, 480u);
  EXPECT_EQ(setup.DeviceName, "kept");  // 40 characters do not fit the field
  EXPECT_EQ(setup.UseSound, 1u);        // no "Sound Setup": the defaults stay
  EXPECT_EQ(setup.Use3dSound, 1u);
}

TEST(VideoSetup, KeyPathsDropTheirRootName) {
  EXPECT_EQ(VideoSetup::StoreKey("HKEY_LOCAL_MACHINE\\Software\\X"), "Software\\X");
  EXPECT_EQ(VideoSetup::StoreKey("HKEY_USERS\\A"), "A");
  EXPECT_EQ(VideoSetup::StoreKey("Software\\X"), "Software\\X");
}

}  // namespace
