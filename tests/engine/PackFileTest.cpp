#include "engine/PackFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/support/GameFolder.h"

namespace {

using slvtools::PackWriter;

std::string Open(const std::string& name, int32_t bufferSize = kPackBufferSize) {
  const std::unique_ptr<cFile> reader = OpenPackedFile(name, bufferSize);
  return reader == nullptr ? "<none>" : ReadRest(*reader);
}

std::string Pattern(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + seed) % 251);
  return bytes;
}

using PackFileTest = GameFolderTest;

TEST_F(PackFileTest, LooseFilesWinThenTheNewestPackWithFoldersPassedOver) {
  PackWriter older;
  older.AddStored("data/sprite/x.spr", "older x");
  older.AddStored("data/sprite/y.spr", "older y");
  older.AddStored("data/a.txt", "older a");
  PackWriter newer;
  newer.AddCompressed("DATA/SPRITE/X.SPR", "newer x");
  newer.AddCompressed("data/sprite/y.spr", "newer y");
  newer.AddRaw("data/a.txt", kPackFolder, "", 0);
  ASSERT_TRUE(AddPack("data.pak", older));
  ASSERT_TRUE(AddPack("data20.pak", newer));
  Write("Data/Sprite/X.spr", "loose x");

  const struct {
    const char* name;
    const char* bytes;
  } cases[] = {
      {"data/sprite/x.spr", "loose x"},   // a loose file beats every pack, found regardless of case
      {"data\\sprite\\x.spr", "loose x"},
      {"data/sprite/y.spr", "newer y"},   // the pack registered last
      {"Data/Sprite/Y.SPR", "newer y"},
      {"data/a.txt", "older a"},          // a folder entry is passed over
      {"data/b.txt", "<none>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Open(c.name), c.bytes) << c.name;
}

TEST_F(PackFileTest, APackInsideAPackReadsThroughTheOuterOne) {
  const std::string text = Pattern(5000, 1);
  const std::string art = Pattern(7000, 2);
  PackWriter inner;
  inner.AddCompressed("data/inner.txt", text);
  inner.AddStored("data/inner.bin", art);
  PackWriter outer;
  outer.AddStored("data/outer.bin", art);
  outer.AddStored("stored.pak", inner.Build());
  outer.AddCompressed("packed.pak", inner.Build("padding"));
  ASSERT_TRUE(AddPack("outer.pak", outer));
  for (const char* name : {"stored.pak", "packed.pak"}) {
    ASSERT_TRUE(RegisterPack(name)) << name;
    // Readers of both packs in turns, small buffers: each one fetches where
    // another has just moved the shared pack position.
    auto a = OpenPackedFile("data/inner.txt", 64);
    auto b = OpenPackedFile("data/inner.bin", 33);
    auto c = OpenPackedFile("data/outer.bin", 50);
    ASSERT_TRUE(a && b && c);
    std::string got[3];
    cFile* readers[3] = {a.get(), b.get(), c.get()};
    for (bool more = true; more;) {
      more = false;
      for (int i = 0; i < 3; ++i) {
        char buffer[77];
        const int32_t n = readers[i]->Read(buffer, sizeof buffer);
        got[i].append(buffer, static_cast<size_t>(n));
        more = more || n > 0;
      }
    }
    EXPECT_EQ(got[0], text) << name;
    EXPECT_EQ(got[1], art) << name;
    EXPECT_EQ(got[2], art) << name;
  }
}

// Overwrites four bytes of a built pack.
void PutU32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Where the named entry's record starts in a built pack.
size_t RecordOf(const std::string& bytes, const std::string& name) {
  return bytes.rfind(name + '\0') - 14;
}

TEST_F(PackFileTest, BrokenPacksAreNotRegistered) {
  PackWriter writer;
  writer.AddStored("data/one", "first entry");
  writer.AddCompressed("data/two", "second entry");
  const std::string good = writer.Build();
  const size_t trailer = good.size() - 9;
  const size_t directory = good.size() - 9 - (15 + 8) * 2;

  const struct {
    const char* what;
    std::function<void(std::string&)> damage;
    bool logged;
  } cases[] = {
      {"shorter than a trailer", [](std::string& b) { b = "12345678"; }, true},
      {"no entries", [&](std::string& b) { PutU32(b, trailer + 4, 0); }, false},
      {"a negative count", [&](std::string& b) { PutU32(b, trailer + 4, 0x80000000u); }, false},
      {"directory past the end", [&](std::string& b) { PutU32(b, trailer, 0xFFFFFFF0u); }, true},
      {"directory over the trailer", [&](std::string& b) { PutU32(b, trailer, trailer + 1); }, true},
      {"more entries than fit", [&](std::string& b) { PutU32(b, trailer + 4, 1000000); }, true},
      {"one entry too many", [&](std::string& b) { PutU32(b, trailer + 4, 3); }, true},
      {"a name past the directory", [&](std::string& b) { b[RecordOf(b, "data/two")] = char(200); }, true},
      {"cut before its directory", [&](std::string& b) { b.erase(directory, trailer - directory); }, true},
  };
  for (const auto& c : cases) {
    std::string bytes = good;
    c.damage(bytes);
    Write("bad.pak", bytes);
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(RegisterPack("bad.pak")) << c.what;
    EXPECT_EQ(GetPackList(), nullptr) << c.what;
    EXPECT_EQ(log.Contains("bad.pak"), c.logged) << c.what;
  }
}

TEST_F(PackFileTest, EntriesReachingOutsideThePackArePassedOver) {
  PackWriter older;
  for (const char* name : {"data/far", "data/long", "data/sized", "data/swollen"}) older.AddStored(name, "older");
  ASSERT_TRUE(AddPack("data.pak", older));

  PackWriter newer;
  newer.AddStored("data/far", "newer");
  newer.AddStored("data/long", "newer");
  newer.AddRaw("data/sized", kPackStored, "newer", 9);        // stored bytes are the whole file
  newer.AddRaw("data/swollen", kPackLzss, "ab", 8 * 2 + 137);  // more than the bytes can hold
  newer.AddStored("data/fine", "newer");
  std::string bytes = newer.Build();
  PutU32(bytes, RecordOf(bytes, "data/far") + 2, 0x7FFFFFF0u);
  PutU32(bytes, RecordOf(bytes, "data/long") + 6, static_cast<uint32_t>(bytes.size()));
  Write("data20.pak", bytes);
  testsupport::DebugLogCapture log;
  ASSERT_TRUE(RegisterPack("data20.pak"));
  EXPECT_TRUE(log.Contains("data/far"));

  for (const char* name : {"data/far", "data/long", "data/sized", "data/swollen"}) {
    EXPECT_EQ(Open(name), "older") << name;
  }
  EXPECT_EQ(Open("data/fine"), "newer");
}

TEST_F(PackFileTest, AnLzssEntryMayClaimUpToEightBytesAStoredByte) {
  PackWriter pack;
  pack.AddRaw("data/full", kPackLzss, std::string(17, '\xFF'), 136);
  ASSERT_TRUE(AddPack("data.pak", pack));
  EXPECT_EQ(Open("data/full").size(), 136u);
}

// Readers of loose files, stored and compressed entries follow a model of
// the same bytes through reads, byte reads and clamped seeks.
TEST_F(PackFileTest, ReadersFollowTheBytesThroughReadsAndSeeks) {
  const std::string content = Pattern(10000, 3);
  PackWriter pack;
  pack.AddStored("data/before", "entries start past the pack's first byte");
  pack.AddStored("data/stored", content);
  pack.AddCompressed("data/packed", content);
  ASSERT_TRUE(AddPack("data.pak", pack));
  Write("data/loose", content);

  struct Step {
    enum Op { kRead, kGetChar, kSeek } op;
    int32_t a;
    int origin;
  };
  const Step steps[] = {
      {Step::kRead, 5, 0},      {Step::kGetChar, 0, 0},   {Step::kSeek, 100, 0},
      {Step::kRead, 3000, 0},   {Step::kSeek, -50, 1},    {Step::kRead, 70, 0},
      {Step::kSeek, -10, 2},    {Step::kRead, 20, 0},     {Step::kGetChar, 0, 0},
      {Step::kSeek, -5, 0},     {Step::kRead, 9, 0},      {Step::kSeek, 20000, 0},
      {Step::kRead, 1, 0},      {Step::kSeek, 9000, 0},   {Step::kSeek, -8000, 1},
      {Step::kRead, 8500, 0},   {Step::kSeek, 0, 0},      {Step::kRead, 0, 0},
      {Step::kGetChar, 0, 0},   {Step::kRead, 10000, 0},
  };
  for (const char* name : {"data/loose", "data/stored", "data/packed"}) {
    for (const int32_t bufferSize : {1, 7, 4096, kPackBufferSize}) {
      const auto reader = OpenPackedFile(name, bufferSize);
      ASSERT_NE(reader, nullptr);
      EXPECT_EQ(reader->GetSize(), 10000);
      int64_t pos = 0;
      for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        const std::string where = std::string(name) + " buffer " + std::to_string(bufferSize) + " step " + std::to_string(i);
        if (s.op == Step::kRead) {
          std::string buffer(static_cast<size_t>(s.a), '\0');
          const int32_t n = reader->Read(buffer.data(), s.a);
          const int64_t expected = std::min<int64_t>(s.a, 10000 - pos);
          ASSERT_EQ(n, expected) << where;
          EXPECT_EQ(buffer.substr(0, static_cast<size_t>(n)), content.substr(static_cast<size_t>(pos), static_cast<size_t>(n))) << where;
          pos += n;
        } else if (s.op == Step::kGetChar) {
          EXPECT_EQ(reader->GetChar(), pos < 10000 ? static_cast<uint8_t>(content[static_cast<size_t>(pos)]) : -1) << where;
          pos = std::min<int64_t>(pos + 1, 10000);
        } else {
          const int64_t base = s.origin == 0 ? 0 : s.origin == 2 ? 10000 : pos;
          pos = std::clamp<int64_t>(base + s.a, 0, 10000);
          EXPECT_EQ(reader->Seek(s.a, s.origin), pos) << where;
        }
        EXPECT_EQ(reader->Tell(), pos) << where;
      }
    }
  }
}

TEST_F(PackFileTest, ALooseNameClimbingOutOfTheGameFolderIsNotOpened) {
  m_dir.Write("secret.txt", "outside");
  Write("data/inside.txt", "inside");
  testsupport::DebugLogCapture log;
  EXPECT_EQ(Open("../secret.txt"), "<none>");
  EXPECT_EQ(Open("data/../../secret.txt"), "<none>");
  EXPECT_TRUE(log.Contains("secret.txt"));
  EXPECT_EQ(Open("data/sprite/../inside.txt"), "inside");
}

}  // namespace
