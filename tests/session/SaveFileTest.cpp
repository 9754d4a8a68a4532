#include "session/SaveFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "engine/CdAudio.h"
#include "platform/Clock.h"
#include "render/RC.h"
#include "session/ClockSeconds.h"
#include "session/SaveStream.h"
#include "tests/session/SessionFixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

int32_t I32At(const Bytes& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

class SaveFileTest : public SessionTest {
 protected:
  // Every saved field from a seed; the party members are then recalculated,
  // as a load does.
  void Pattern(int seed, int variables) {
    session.placeName = "place" + std::to_string(seed);
    session.gold = 1000 + seed;
    session.playTime = 500 + seed;
    session.posX = 1.25f * seed;
    session.posZ = -3.5f * seed;
    session.facing = 90 + seed;
    for (int id = 0; id < CSession::kPlayerCount; ++id) {
      PlayerData& p = session.players[static_cast<size_t>(id)];
      const int v = seed * 100 + id;
      p.exp = v;
      p.lvl = 1 + (v % 99);
      p.hp = p.maxhp = 50 + v;
      p.shp = p.maxshp = 10 + v;
      p.mp1 = 1 + v, p.maxmp1 = 2 + v, p.mp2 = 3 + v, p.maxmp2 = 4 + v, p.mp3 = 5 + v, p.maxmp3 = 6 + v;
      p.cp = 7 + v;
      p.stateid = session.GetPartyId(id) >= 0 ? 0 : (v & 0x7F);
      p.strength = 11 + v, p.vitality = 12 + v, p.intelligence = 13 + v, p.agility = 14 + v, p.luck = 15 + v;
      p.weapon = kSword, p.armor = kEmptyArmor, p.shield = kBuckler, p.helmet = kEmptyHelmet;
      p.shoes = kEmptyShoes, p.acc1 = kEmptyAcc1, p.acc2 = kRing, p.acc3 = kRing2;
      p.tacticsId = (v % 6);
      p.customTactic = v * 7;
      for (int k = 0; k < kMaxMagicFlags; ++k) p.magicFlags[static_cast<size_t>(k)] = (k + v) % 3;
      for (int k = 0; k < 5; ++k) p.statBonus[static_cast<size_t>(k)] = k + v;
    }
    session.innCount = 3;
    session.innIds = {};
    session.innIds[0] = 5, session.innIds[1] = 6 + seed % 2, session.innIds[2] = 9;
    for (int i = 0; i < CSession::kItemSlots; ++i) {
      session.inventory[static_cast<size_t>(i)] = 0;
      session.itemBox[static_cast<size_t>(i)] = i < kFixtureItems ? (i + seed) % 9 : 0;
      session.heldItems[static_cast<size_t>(i)] = (i + seed) % 200;
    }
    for (int i = 7; i < kFixtureItems; ++i) session.inventory[static_cast<size_t>(i)] = (i * seed) % 20;
    for (int i = 0; i < CSession::kDiarySlots; ++i) {
      session.itemDiary[static_cast<size_t>(i)] = (i + seed) % 4;
      session.monsterDiary[static_cast<size_t>(i)] = (i + seed) % 3;
      session.scrapDiary[static_cast<size_t>(i)] = (i + seed) % 2;
    }
    for (int i = 0; i < 256; ++i) session.spareTable1[static_cast<size_t>(i)] = (i + seed) % 255, session.spareTable2[static_cast<size_t>(i)] = seed % 7;
    session.options = {seed, 2, 1 + seed % 4, 3, 4, 5, seed % 3, 1 + seed % 6};
    session.scriptVariables.Clear();
    for (int i = 0; i < variables; ++i) session.scriptVariables.Set("var" + std::to_string(i), seed * 10 - i);
    CRC::s_fogOn = seed % 2;
    CRC::s_fogSettings = FogSettings{seed, 0xFF000000u + static_cast<uint32_t>(seed), seed % 2, 0.1f * seed, 2.5f, 100.0f + seed};
    g_cdAudio.m_disc = 1 + seed % 5;
    g_cdAudio.m_track = 2 + seed;
    session.heldGold = 77 + seed;
    for (PlayerData& p : session.players) p.UpdateLevelStats();
    for (int n = 0; n < session.partyCount; ++n) session.RefreshMember(n);
  }

  std::string SaveTo(const std::string& name) {
    const std::string path = (m_dir / name).string();
    EXPECT_TRUE(session.Save(path));
    return path;
  }

  // A content through the real writer.
  std::string WriteStream(const std::string& name, const Bytes& content) {
    const std::string path = (m_dir / name).string();
    CSaveWriter writer;
    writer.Open(path);
    writer.Write(content.data(), static_cast<int32_t>(content.size()));
    EXPECT_TRUE(writer.Close());
    return path;
  }
};

TEST_F(SaveFileTest, LayoutOfVersionFive) {
  for (int variables : {0, 3}) {
    SCOPED_TRACE(variables);
    Pattern(1, variables);
    const Bytes c = savefile::Build(session);
    ASSERT_EQ(c.size(), 37715u + 42u * static_cast<size_t>(variables));
    EXPECT_EQ(std::memcmp(c.data(), "Save\x05", 5), 0);
    EXPECT_EQ(I32At(c, 45), session.gold);
    EXPECT_EQ(c[3527], 3);  // partyCount
    EXPECT_EQ(c[9177] | c[9178] << 8, variables);
    // An item beyond the table is saved as 0; the last block is the stat bonuses.
    EXPECT_EQ(c[3561 + kFixtureItems], 0);
    EXPECT_EQ(I32At(c, c.size() - 4), session.players[31].statBonus[4]);
    // The held block's second half is zeros.
    const size_t heldEnd = c.size() - 640;
    for (size_t i = heldEnd - 1000; i < heldEnd; ++i) ASSERT_EQ(c[i], 0);
  }
}

TEST_F(SaveFileTest, WholeSessionComesBackOverSentinels) {
  for (int variables : {0, 3}) {
    SCOPED_TRACE(variables);
    Pattern(3, variables);
    const Bytes saved = savefile::Build(session);
    const std::string path = SaveTo("a.sav");
    Pattern(8, 5);  // sentinels everywhere
    session.battleVariables.Set("b", 4);
    session.hooks.Set("h", 1);
    session.enemies[2].hp = 321;
    ASSERT_TRUE(session.Load(path));
    EXPECT_EQ(savefile::Build(session), saved);
    EXPECT_EQ(session.placeName, "place3");
    EXPECT_EQ(session.players[20].luck, 15 + 320);
    EXPECT_EQ(g_cdAudio.m_track, 5);
    EXPECT_FLOAT_EQ(CRC::s_fogSettings.density, 0.3f);
    EXPECT_EQ(session.battleVariables.Get("b"), 4);
    EXPECT_EQ(session.hooks.Get("h"), 1);
    EXPECT_EQ(session.enemies[2].hp, 321);
    // Save, load, save: the same file.
    EXPECT_EQ(testsupport::ReadFile(SaveTo("b.sav")), testsupport::ReadFile(path));
  }
}

TEST_F(SaveFileTest, OlderVersionsKeepWhatTheyLack) {
  Pattern(2, 1);
  const Bytes v5 = savefile::Build(session);
  const size_t varEnd = 9179 + 42;
  const size_t blockEnds[] = {varEnd, varEnd + 256, varEnd + 292, varEnd + 25892, varEnd + 27896};
  for (int version = 0; version <= 4; ++version) {
    SCOPED_TRACE(version);
    Bytes c;
    if (version == 0) {
      c.assign(v5.begin() + 5, v5.begin() + static_cast<long>(varEnd));
    } else {
      c.assign(v5.begin(), v5.begin() + static_cast<long>(blockEnds[version]));
      c[4] = static_cast<uint8_t>(version);
    }
    ASSERT_EQ(static_cast<int32_t>(c.size()), savefile::kFixedPart[version] + 2 + 42);
    const std::string path = WriteStream("v.sav", c);
    Pattern(5, 0);
    ASSERT_TRUE(session.Load(path));
    EXPECT_EQ(session.gold, 1002);
    EXPECT_EQ(session.scriptVariables.Get("var0"), 20);
    EXPECT_EQ(session.players[4].tacticsId, version >= 1 ? 204 % 6 : 504 % 6);
    EXPECT_EQ(g_cdAudio.m_track, version >= 2 ? 4 : 7);
    EXPECT_EQ(session.players[1].magicFlags[0], version >= 3 ? 201 % 3 : 501 % 3);
    EXPECT_EQ(session.heldGold, version >= 4 ? 79 : 82);
    EXPECT_EQ(session.players[0].statBonus[1], 501);
  }
}

TEST_F(SaveFileTest, RefusedContentsLeaveTheSessionUnchanged) {
  Pattern(2, 1);
  const Bytes good = savefile::Build(session);
  const auto with = [&](size_t at, uint8_t value) {
    Bytes c = good;
    c[at] = value;
    return c;
  };
  // A version-0 content (no prefix) whose first bytes happen to read "Save"
  // and version 0: its fields would run 5 bytes past the end.
  Bytes lookalike(9172 + 2, 0);
  std::memcpy(lookalike.data(), "Save", 4);
  const auto withFloat = [&](size_t at, float value) {
    Bytes c = good;
    std::memcpy(c.data() + at, &value, 4);
    return c;
  };
  Bytes repeated = good;
  repeated[3521 + 1] = repeated[3521];
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"one byte short", Bytes(good.begin(), good.end() - 1)},
      {"version 6", with(4, 6)},
      {"variables not 2 + 42n", with(9177, 2)},
      {"party id 32", with(3521, 32)},
      {"party id twice", repeated},
      {"party of 0", with(3527, 0)},
      {"party of 7", with(3527, 7)},
      {"inn of 33", with(3560, 33)},
      {"inn id 40", with(3528, 40)},
      {"version 0 too short", Bytes(good.begin() + 5, good.begin() + 9172 + 1)},
      {"version 0 that reads as prefixed", lookalike},
      // The party would stand nowhere: the field shows only sky.
      {"x not a number", withFloat(53, std::numeric_limits<float>::quiet_NaN())},
      {"z infinite", withFloat(57, -std::numeric_limits<float>::infinity())},
  };
  Pattern(6, 2);
  const Bytes before = savefile::Build(session);
  for (const auto& [name, content] : cases) {
    SCOPED_TRACE(name);
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(session.Load(WriteStream("bad.sav", content)));
    EXPECT_TRUE(log.Contains("세이브 파일 이상!"));
    EXPECT_EQ(savefile::Build(session), before);
  }
  EXPECT_FALSE(session.Load((m_dir / "missing.sav").string()));
}

TEST_F(SaveFileTest, FormatLimitsAreLoggedNeverWrapped) {
  Pattern(1, 0);
  session.scriptVariables.Set("big", 70000);
  session.scriptVariables.Set(std::string(50, 'n'), 1);
  session.itemBox[7] = 300;
  testsupport::DebugLogCapture log;
  const std::string path = SaveTo("limits.sav");
  EXPECT_TRUE(log.Contains("does not fit a byte"));
  EXPECT_TRUE(log.Contains("kept as int16"));
  EXPECT_TRUE(log.Contains("cut to 40 bytes"));
  ASSERT_TRUE(session.Load(path));
  EXPECT_EQ(session.scriptVariables.Get("big"), 4464);
  EXPECT_EQ(session.scriptVariables.Get(std::string(40, 'n')), 1);
  EXPECT_EQ(session.itemBox[7], 255);

  for (int i = 0; i <= savefile::kMaxVariables; ++i) session.scriptVariables.Set("v" + std::to_string(i), i);
  EXPECT_TRUE(savefile::Build(session).empty());
  EXPECT_FALSE(session.Save((m_dir / "many.sav").string()));
  EXPECT_FALSE(std::filesystem::exists(m_dir / "many.sav"));
}

// The count goes on from the saved time and wraps as the clock does, at the
// ends of its range too.
TEST_F(SaveFileTest, PlayTimesAtTheEndsOfTheirRangeLoadAndRunOn) {
  platform::FakeClock clock(5000);
  platform::ScopedClockSource guard(&clock);
  for (const int32_t played : {INT32_MIN, INT32_MAX, 0}) {
    Pattern(1, 0);
    session.playTime = played;
    ASSERT_TRUE(session.Load(SaveTo("time.sav")));
    EXPECT_EQ(ClockSecondsSince(session.startClock), played);
    clock.Advance(2000);
    EXPECT_EQ(ClockSecondsSince(session.startClock), static_cast<int32_t>(static_cast<uint32_t>(played) + 2u));
  }
}

TEST_F(SaveFileTest, OutOfRangeValuesAreKeptOrMended) {
  Pattern(1, 0);
  session.options[2] = 3, session.options[7] = 2, session.options[6] = 1;
  Bytes c = savefile::Build(session);
  const auto put = [&](size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) c[at + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
  };
  const size_t player9 = 65 + 9 * 108;
  put(player9 + 4, 500);            // lvl
  put(player9 + 19 * 4, 999);       // weapon beyond the table
  put(player9 + 26 * 4, -3);        // acc3
  put(9145 + 2 * 4, 34);            // font past the spin
  put(9145 + 7 * 4, 0);             // key layout
  put(9145 + 6 * 4, -1);            // frame skip
  const std::string path = WriteStream("mend.sav", c);
  ASSERT_TRUE(session.Load(path));
  EXPECT_EQ(session.players[9].lvl, 99);
  EXPECT_EQ(session.players[9].weapon, kEmptyWeapon);
  EXPECT_EQ(session.players[9].acc3, kEmptyAcc23);
  EXPECT_EQ(session.options[2], 3);
  EXPECT_EQ(session.options[7], 2);
  EXPECT_EQ(session.options[6], 1);
}

}  // namespace
