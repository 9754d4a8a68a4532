#include "engine/MacroRes.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/MacroWriter.h"

namespace {

using slvtools::BuildRsa;
using slvtools::RsaEntry;
using slvtools::RsaTrack;

RsaEntry Entry(int32_t key, int32_t value, std::string text) {
  RsaEntry entry;
  entry.key = key;
  entry.value = value;
  entry.text = std::move(text);
  return entry;
}

RsaTrack Track(std::string name, std::vector<RsaEntry> entries) {
  RsaTrack track;
  track.name = std::move(name);
  track.value0 = 3;
  track.value1 = -4;
  track.name2 = "second";
  track.entries = std::move(entries);
  return track;
}

// The (key, value, text) triples of a track in the order held.
using Entries = std::vector<std::tuple<int32_t, int32_t, std::string>>;
Entries Held(const MacroTrack& track) {
  Entries out;
  for (const auto& [key, entry] : track.entries) out.emplace_back(key, entry.value, entry.text);
  return out;
}

// Macros in the base data folder.
class MacroResTest : public GameFolderTest {
 protected:
  ~MacroResTest() override { CResMgr::GetInstance().UnloadResources(); }
  bool Load(const std::string& bytes) {
    Write("data/scene.rsa", bytes);
    SetResDirectory("\\");
    return m_macro.Load("scene.rsa");
  }
  CMacroRes m_macro;
};

TEST_F(MacroResTest, TracksAndEntriesInKeyOrderEqualKeysInFileOrder) {
  const std::string longName(80, 'n');  // no NUL: taken whole
  const RsaTrack hero = Track("hero", {Entry(5, 1, "say first"), Entry(2, 2, "move 1 2"), Entry(5, 3, "say second")});
  const RsaTrack named = Track(longName, {Entry(0, 9, std::string("ab\0cd", 5)), Entry(1, 0, "")});
  ASSERT_TRUE(Load(BuildRsa(1, 1, 100, {hero, named})));
  EXPECT_EQ(m_macro.m_headerValue, 100);
  EXPECT_EQ(m_macro.m_trackCount, 2);
  ASSERT_EQ(m_macro.m_tracks.size(), 2u);
  const MacroTrack& first = m_macro.m_tracks[0];
  EXPECT_EQ(first.name, "hero");
  EXPECT_EQ(first.value0, 3);
  EXPECT_EQ(first.value1, -4);
  EXPECT_EQ(first.name2, "second");
  EXPECT_EQ(Held(first), (Entries{{2, 2, "move 1 2"}, {5, 1, "say first"}, {5, 3, "say second"}}));
  EXPECT_EQ(m_macro.m_tracks[1].name, longName);
  EXPECT_EQ(Held(m_macro.m_tracks[1]), (Entries{{0, 9, "ab"}, {1, 0, ""}}));
}

TEST_F(MacroResTest, VersionsAndFormat) {
  struct Case {
    std::string bytes;
    bool loads;
    const char* log;
  };
  const std::string good = BuildRsa(1, 0, 7, {Track("a", {Entry(1, 1, "x")})});
  const Case cases[] = {
      {good, true, nullptr},
      {BuildRsa(1, 1, 7, {}), true, nullptr},
      {BuildRsa(1, 2, 7, {Track("a", {})}), false, "CMacroRes :: Unsupported Version"},
      {BuildRsa(2, 0, 7, {}), false, "CMacroRes :: Unsupported Version"},
      {"QZSX" + good.substr(4), false, "CMacroRes :: Invalid Format"},
      {"QZ", false, "CMacroRes :: Invalid Format"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log != nullptr ? c.log : "loads");
    testsupport::DebugLogCapture log;
    EXPECT_EQ(Load(c.bytes), c.loads);
    if (c.log != nullptr) {
      EXPECT_TRUE(log.Contains(c.log));
    }
    if (!c.loads) {
      EXPECT_TRUE(m_macro.m_tracks.empty());
    }
  }
  // The name is kept once the magic is right, before the version is read.
  Load(BuildRsa(1, 2, 7, {}));
  EXPECT_EQ(m_macro.m_fileName, "scene.rsa");
}

TEST_F(MacroResTest, DamagedFilesFailAndKeepNoTrack) {
  const std::vector<RsaTrack> tracks = {Track("a", {Entry(1, 1, "walk")}), Track("b", {Entry(2, 2, "run")})};
  const std::string whole = BuildRsa(1, 0, 50, tracks);
  std::vector<std::pair<std::string, std::string>> cases;
  // Cut anywhere after the magic and version.
  for (size_t size : {size_t{8}, size_t{14}, size_t{100}, whole.size() - 200, whole.size() - 1}) {
    cases.emplace_back("cut at " + std::to_string(size), whole.substr(0, size));
  }
  auto withLength = [&](int32_t length) {
    std::vector<RsaTrack> bad = tracks;
    bad[1].entries[0].length = length;
    return BuildRsa(1, 0, 50, bad);
  };
  cases.emplace_back("text past the end", withLength(4));
  cases.emplace_back("negative text length", withLength(-1));
  cases.emplace_back("huge text length", withLength(0x7FFFFFFF));
  std::string negativeTracks = whole;
  negativeTracks[6] = '\xFF', negativeTracks[7] = '\xFF', negativeTracks[8] = '\xFF', negativeTracks[9] = '\xFF';
  cases.emplace_back("negative track count", negativeTracks);
  std::string manyEntries = whole;
  manyEntries[14 + 168 + 3] = '\x7F';  // the top byte of the first track's entry count
  cases.emplace_back("entry count past the end", manyEntries);
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(Load(bytes));
    EXPECT_TRUE(m_macro.m_tracks.empty());
    EXPECT_EQ(m_macro.m_trackCount, 0);
  }
  // The same object loads a good file afterwards.
  EXPECT_TRUE(Load(whole));
  EXPECT_EQ(m_macro.m_tracks.size(), 2u);
}

TEST_F(MacroResTest, TheResourceManagerLoadsMacrosFromTheBaseFolder) {
  Write("data/Intro.rsa", BuildRsa(1, 1, 30, {Track("cam", {Entry(4, 0, "focus")})}));
  const auto* macro = dynamic_cast<CMacroRes*>(CResMgr::GetInstance().GetRes("Intro.rsa"));
  ASSERT_NE(macro, nullptr);
  EXPECT_EQ(macro->m_headerValue, 30);
  ASSERT_EQ(macro->m_tracks.size(), 1u);
  EXPECT_EQ(macro->m_tracks[0].entries.begin()->second.text, "focus");
}

}  // namespace
