#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using platform::SettingsStore;

const std::string kVideo = "Software\\ProjectSelvarin\\Selvarin\\Video Setup";

TEST(SettingsStore, MissingKeyDiffersFromMissingValue) {
  SettingsStore store;
  EXPECT_FALSE(store.HasKey(kVideo));
  store.CreateKey(kVideo);
  EXPECT_TRUE(store.HasKey("software\\projectselvarin\\SELVARIN\\video setup"));
  EXPECT_FALSE(store.GetDword(kVideo, "Width").has_value());
}

TEST(SettingsStore, RoundTripsEveryTypeThroughItsFile) {
  testsupport::TempDir dir;
  SettingsStore store;
  store.SetDword(kVideo, "Width", 640);
  store.SetDword(kVideo, "Big", 0xFFFFFFFFu);
  store.SetString(kVideo, "DeviceName", "Soft \"3D\" \\ 게임\n");
  store.SetBinary(kVideo, "GuidDevice", {0x00, 0x7F, 0x80, 0xFF});
  store.CreateKey("Empty");
  const std::string path = (dir / "sub" / "registry.ini").string();
  ASSERT_TRUE(store.Save(path));

  SettingsStore back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.GetDword(kVideo, "width"), 640u);
  EXPECT_EQ(back.GetDword(kVideo, "Big"), 0xFFFFFFFFu);
  EXPECT_EQ(back.GetString(kVideo, "DeviceName"), "Soft \"3D\" \\ 게임\n");
  EXPECT_EQ(back.GetBinary(kVideo, "GuidDevice"), (std::vector<uint8_t>{0x00, 0x7F, 0x80, 0xFF}));
  EXPECT_TRUE(back.HasKey("Empty"));
  EXPECT_FALSE(back.GetString(kVideo, "Width").has_value());  // a number is not a text
  EXPECT_EQ(back.Serialize(), store.Serialize());
}

TEST(SettingsStore, MalformedLinesAreSkippedAndAMissingFileFails) {
  testsupport::DebugLogCapture log;
  SettingsStore store;
  ASSERT_TRUE(store.Parse(
      "orphan = dword:1\n"
      "[K]\n"
      "a = dword:12\n"
      "b = dword:99999999999\n"
      "c = str:\"unterminated\n"
      "d = hex:0G\n"
      "e = what:1\n"
      "f = hex:01 02\n"));
  EXPECT_EQ(store.GetDword("K", "a"), 12u);
  EXPECT_EQ(store.GetBinary("K", "f"), (std::vector<uint8_t>{1, 2}));
  for (const char* bad : {"b", "c", "d", "e"}) EXPECT_EQ(store.Find("K", bad), nullptr) << bad;
  EXPECT_EQ(log.Lines().size(), 5u);
  EXPECT_FALSE(store.Load("/nonexistent/registry.ini"));
  EXPECT_FALSE(store.HasKey("K"));
}

}  // namespace
