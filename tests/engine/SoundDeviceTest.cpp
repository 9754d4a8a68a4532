#include "engine/SoundDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/Sound.h"

namespace {

TEST(SoundDeviceTest, CreatesAndReleasesTheDevice) {
  ASSERT_TRUE(InitDirectSound());
  EXPECT_TRUE(platform::IsSoundDeviceOpen());
  ReleaseDirectSound();
  EXPECT_FALSE(platform::IsSoundDeviceOpen());
}

TEST(SoundDeviceTest, AnAudioDriverThatCannotOpenFailsTheDevice) {
  const std::string driver = std::getenv("SDL_AUDIODRIVER") != nullptr ? std::getenv("SDL_AUDIODRIVER") : "";
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::internal::CaptureStderr();
  const bool created = InitDirectSound();
  const std::string shown = testing::internal::GetCapturedStderr();
  ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
  EXPECT_FALSE(created);
  EXPECT_FALSE(platform::IsSoundDeviceOpen());
  EXPECT_NE(shown.find("ERROR: Direct Sound Init Failed (88780078)"), std::string::npos) << shown;
}

}  // namespace
