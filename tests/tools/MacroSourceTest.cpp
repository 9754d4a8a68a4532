// Macro sources: a cut-scene's channels and keyed commands as text, built
// into the compiled macro the game plays.
#include "tools/lib/MacroSource.h"

#include <gtest/gtest.h>

#include "engine/MacroRes.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/PictureSource.h"

namespace {

using MacroSourceTest = GameFolderTest;

// The entries of a channel as the game keeps them, key and text.
std::vector<std::pair<int32_t, std::string>> Commands(const MacroTrack& track) {
  std::vector<std::pair<int32_t, std::string>> out;
  for (const auto& [key, entry] : track.entries) out.emplace_back(key, entry.text);
  return out;
}

TEST_F(MacroSourceTest, ChannelsAndCommandsLoadAsTheGameReadsThem) {
  const std::string source = std::string("# a comment\n") +
                             "length 100\n"
                             "channel elder 1 0\n"
                             "channel - 0 2\n"
                             "  0 elder focus\n"
                             "\n"
                             "20\t-  setframerate 30  \n"
                             "5 elder move 26 60\n"
                             // The source is UTF-8; "#" inside a command is kept.
                             + reinterpret_cast<const char*>(u8"60 elder say elder \"어서 # 오게\" 촌장\n");
  std::vector<slvtools::DataFile> files;
  std::string error;
  ASSERT_TRUE(slvtools::BuildMacroSource(source, "tale", &files, &error)) << error;
  ASSERT_TRUE(slvtools::WriteDataFiles(files, m_dir / "game/data", &error)) << error;

  CMacroRes macro;
  ASSERT_TRUE(macro.Load("tale.rsa"));
  EXPECT_EQ(macro.m_headerValue, 100);
  ASSERT_EQ(macro.m_tracks.size(), 2u);
  EXPECT_EQ(macro.m_tracks[0].name, "elder");
  EXPECT_EQ(macro.m_tracks[0].value0, 1);
  EXPECT_EQ(macro.m_tracks[0].value1, 0);
  EXPECT_EQ(macro.m_tracks[1].name, "");  // a channel of no actor
  EXPECT_EQ(macro.m_tracks[1].value1, 2);
  const std::vector<std::pair<int32_t, std::string>> elder{
      {0, "focus"}, {5, "move 26 60"}, {60, "say elder \"어서 # 오게\" 촌장"}};  // in code page 949
  EXPECT_EQ(Commands(macro.m_tracks[0]), elder);
  EXPECT_EQ(Commands(macro.m_tracks[1]), (std::vector<std::pair<int32_t, std::string>>{{20, "setframerate 30"}}));
}

TEST_F(MacroSourceTest, MalformedSourcesNameTheirLine) {
  struct Case {
    std::string text;
    std::string error;
  };
  const std::string head = "length 10\nchannel a 0 0\n";
  const Case cases[] = {
      {"channel a 0 0\n", "no length"},
      {"length ten\n", "line 1: length"},
      {"length 10\nlength 20\n", "line 2: a second length"},
      {head + "channel a 1 1\n", "line 3: channel a is declared twice"},
      {head + "channel b 0\n", "line 3: channel takes"},
      {head + "channel b x 0\n", "line 3: a channel's flag"},
      {head + "channel " + std::string(80, 'n') + " 0 0\n", "line 3: a channel name is longer"},
      {head + "5 b focus\n", "line 3: no channel b"},
      {head + "5 a\n", "line 3: a command names"},
      {head + "five a focus\n", "line 3: a line starts"},
      {head + "5x a focus\n", "line 3: a line starts"},
  };
  for (const Case& c : cases) {
    std::vector<slvtools::DataFile> files;
    std::string error;
    EXPECT_FALSE(slvtools::BuildMacroSource(c.text, "bad", &files, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

TEST_F(MacroSourceTest, TheSampleCutScenesBuild) {
  std::string error;
  ASSERT_TRUE(slvtools::BuildSampleMacros(testsupport::SourceDir() / "data/macros", m_dir / "game/data", &error))
      << error;
  CMacroRes macro;
  ASSERT_TRUE(macro.Load("farmer.rsa"));
  EXPECT_EQ(macro.m_headerValue, 100);
  ASSERT_FALSE(macro.m_tracks.empty());
  EXPECT_EQ(macro.m_tracks[0].name, "farmer");
  EXPECT_EQ(macro.m_tracks[0].value0, 1);  // he stays where he walked
}

}  // namespace
