#include <gtest/gtest.h>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/SoundDevice.h"
#include "engine/TextStream.h"
#include "field/main/GameMain.h"
#include "render/3dDevice.h"
#include "render/3dView.h"
#include "render/SprDevice.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/SampleGame.h"

namespace {

TEST(StartUp, ProgramFolderFromTheCommandLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\Program Files\\Selvarin\\slvexe.exe\" -x y", "C:\\Program Files\\Selvarin\\"},
      {"C:\\Games\\slvexe.exe more words", "C:\\Games\\"},
      {"/opt/selvarin/slvexe", "/opt/selvarin/"},
      {"\"/home/a b/slvexe\"", "/home/a b/"},
      {"slvexe", ""},  // no separator: the current folder
      {"", ""},
  };
  for (const auto& [line, folder] : cases) EXPECT_EQ(ProgramFolderFromCommandLine(line), folder) << line;
}

class PackOrderTest : public GameFolderTest {};

TEST_F(PackOrderTest, BasePackThenTheNumberedPacksThatExistInRisingOrder) {
  for (const char* name : {"data.pak", "data35.pak", "data21.pak", "data100.pak", "data19.pak"}) {
    slvtools::PackWriter pack;
    pack.AddStored(std::string("data/") + name + ".txt", name);
    pack.AddStored("data/which.txt", name);
    Write(std::string("packs/") + name, pack.Build());
  }
  RegisterGamePacks((m_dir.Path() / "game" / "packs").string() + "/");
  std::vector<std::string> newestFirst;
  for (PackFile* p = GetPackList(); p != nullptr; p = p->m_next.get()) {
    newestFirst.push_back(p->m_entries.at(0).m_name);
  }
  EXPECT_EQ(newestFirst,
            (std::vector<std::string>{"data/data35.pak.txt", "data/data21.pak.txt", "data/data.pak.txt"}));
  CTextStream which;
  ASSERT_TRUE(which.Open("which.txt"));
  std::string line;
  ASSERT_TRUE(which.ReadLine(line, 100));
  EXPECT_EQ(line, "data35.pak");
}

// Settings read from a store file of the test's own, with the window made.
class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    ::setenv("SLV_REGISTRY", (m_dir / "registry.ini").c_str(), 1);
    EXPECT_TRUE(CreateMainWindow(nullptr, platform::SW_SHOWNORMAL));
  }
  ~SettingsTest() override {
    g_3dDevice.Release();
    ReleaseDirectSound();
    DestroyMainWindow();
    ::unsetenv("SLV_REGISTRY");
  }
  void WriteSettings(const std::function<void(platform::SettingsStore&)>& edit) {
    ASSERT_TRUE(slvtools::WriteSampleSettings((m_dir / "registry.ini").string(), "/game/"));
    platform::SettingsStore store;
    ASSERT_TRUE(store.Load((m_dir / "registry.ini").string()));
    edit(store);
    ASSERT_TRUE(store.Save((m_dir / "registry.ini").string()));
  }
  testsupport::TempDir m_dir;
};

TEST_F(SettingsTest, AMissingSubkeyAsksForTheSetUpAndMakesNoDevice) {
  WriteSettings([](platform::SettingsStore& s) { s.DeleteKey(std::string(kProductKey) + "\\Sound Setup"); });
  std::string failure;
  EXPECT_FALSE(LoadRegistrySettings(&failure));
  EXPECT_NE(failure.find("settings"), std::string::npos);
  EXPECT_EQ(g_3dDevice.Primary(), nullptr);
}

TEST_F(SettingsTest, FilteringAndTexelShiftBecomeTheRenderersSwitches) {
  const std::string video = std::string(kProductKey) + "\\Video Setup";
  WriteSettings([&](platform::SettingsStore& s) {
    s.SetDword(video, "Filtering", 1);
    s.SetDword(video, "SprFiltering", 0);
    s.SetDword(video, "TexelShift", 2);
  });
  ASSERT_TRUE(LoadRegistrySettings());
  EXPECT_EQ(g_texturePointSampling, 0);
  EXPECT_EQ(g_spritePointSampling, 1);
  EXPECT_EQ(g_texelShift, 0.5f);
  EXPECT_NE(g_3dDevice.Primary(), nullptr);
  EXPECT_FALSE(g_3dDevice.IsFullScreen());
}

TEST(StartUp, ShutdownStopsTheMusicFirstAndDestroysTheWindowLast) {
  const auto steps = ShutdownSteps();
  ASSERT_GE(steps.size(), 2u);
  EXPECT_STREQ(steps.front().name, "StopCdAudio");
  EXPECT_STREQ(steps.back().name, "DestroyMainWindow");
  std::vector<std::string> names;
  for (const auto& s : steps) names.emplace_back(s.name);
  const auto at = [&](const char* n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
  EXPECT_LT(at("CResMgr::UnloadAll"), at("CTextureMgr::ReleaseAll"));
  EXPECT_LT(at("CTgaTextureMgr::ReleaseAll"), at("C3dDevice::Release"));
  EXPECT_LT(at("C3dDevice::Release"), at("ReleaseDirectSound"));
}

}  // namespace
