#include "session/SaveStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "platform/FileOperations.h"
#include "tests/support/TestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Compress(const Bytes& raw) { return CSaveWriter::Compress(raw.data(), raw.size()); }

// A decoder written from the format alone, over the whole stream.
Bytes Decode(const Bytes& s) {
  Bytes out;
  const size_t length = s[0] | s[1] << 8 | s[2] << 16 | static_cast<size_t>(s[3]) << 24;
  size_t at = 4;
  while (out.size() < length) {
    const uint8_t flag = s.at(at++);
    for (int i = 0; i < 8 && out.size() < length; ++i) {
      if ((flag >> i & 1) == 0) {
        out.push_back(s.at(at++));
        continue;
      }
      const int w = s.at(at) | s.at(at + 1) << 8;
      at += 2;
      const size_t distance = w & 0xFFF, len = (w >> 12) + 2;
      EXPECT_GE(distance, 1u);
      EXPECT_LE(distance, out.size());
      for (size_t k = 0; k < len; ++k) out.push_back(out[out.size() - distance]);
    }
  }
  out.resize(length);
  EXPECT_EQ(at, s.size()) << "bytes after the last group";
  return out;
}

Bytes ReadAll(const Bytes& stream, int chunk) {
  CSaveReader reader;
  EXPECT_TRUE(reader.OpenBytes(stream));
  Bytes out(static_cast<size_t>(reader.RawLength()));
  size_t at = 0;
  for (int32_t n; (n = reader.Read(out.data() + at, std::min<int32_t>(chunk, static_cast<int32_t>(out.size() - at)))) > 0;) {
    at += static_cast<size_t>(n);
  }
  EXPECT_FALSE(reader.Failed());
  out.resize(at);
  return out;
}

Bytes Random(size_t n, uint32_t seed, int alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng() % static_cast<uint32_t>(alphabet));
  return b;
}

TEST(SaveStream, TheFormatsSmallCases) {
  EXPECT_EQ(Compress({}), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(Compress({1, 2, 3, 4, 5}), (Bytes{5, 0, 0, 0, 0, 1, 2, 3, 4, 5}));
  // Two literals, then (2,2), (4,4), (8,8), (4,4): no reference reaches its own start.
  const Bytes twenty = Compress(Bytes(20, 'a'));
  const Bytes expected{20, 0, 0, 0, 0x3C, 'a', 'a', 0x02, 0x00, 0x04, 0x20, 0x08, 0x60, 0x04, 0x20};
  EXPECT_EQ(twenty, expected);
}

TEST(SaveStream, SeventeenBytesEndTheSearchAtTheNewestCandidate) {
  // "ABCDEFGHIJKLMNOPQ" twice with a gap, then again: the newest copy gives 17
  // and ends the search, though the oldest would match as well.
  const std::string text = "ABCDEFGHIJKLMNOPQxABCDEFGHIJKLMNOPQyABCDEFGHIJKLMNOPQz";
  const Bytes raw(text.begin(), text.end());
  const Bytes s = Compress(raw);
  EXPECT_EQ(Decode(s), raw);
  // Both copies refer 18 back with length 17, word (15 << 12) | 18; never 36 back.
  const Bytes near{0x12, 0xF0}, far{0x24, 0xF0};
  int nearCount = 0;
  for (auto it = s.begin(); (it = std::search(it, s.end(), near.begin(), near.end())) != s.end(); ++it) ++nearCount;
  EXPECT_EQ(nearCount, 2);
  EXPECT_EQ(std::search(s.begin(), s.end(), far.begin(), far.end()), s.end());
}

TEST(SaveStream, RoundTripsThroughBothDecoders) {
  Bytes runs;
  for (int i = 0; i < 3000; ++i) runs.insert(runs.end(), static_cast<size_t>(i % 40 + 1), static_cast<uint8_t>(i));
  Bytes far = Random(4096, 1);
  far.insert(far.end(), far.begin(), far.begin() + 40);  // 4096 back: out of reach
  Bytes near = Random(4095, 2);
  near.insert(near.end(), near.begin(), near.begin() + 40);  // 4095 back
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"runs", runs},
      {"distance 4096", far},
      {"distance 4095", near},
      {"length 16", Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"small alphabet", Random(20000, 3, 3)},
      {"random 38 KB", Random(38 * 1024, 4)},
      {"largest content", Random(static_cast<size_t>(kMaxSaveContent), 5)},
  };
  for (const auto& [name, raw] : cases) {
    SCOPED_TRACE(name);
    const Bytes s = Compress(raw);
    EXPECT_EQ(Decode(s), raw);
    EXPECT_EQ(ReadAll(s, 8192), raw);
  }
}

TEST(SaveStream, OddChunksAcrossTheRingEdge) {
  const Bytes raw = Random(30000, 6, 4);
  const Bytes s = Compress(raw);
  for (int chunk : {1, 7, 137, 8191, 8193}) {
    SCOPED_TRACE(chunk);
    EXPECT_EQ(ReadAll(s, chunk), raw);
  }
}

TEST(SaveStream, CorruptStreamsFailWithoutReadingPast) {
  const Bytes good = Compress(Bytes(100, 'q'));
  struct Case {
    const char* name;
    Bytes stream;
    bool opens;
  };
  Bytes truncated(good.begin(), good.end() - 3);
  const std::vector<Case> cases = {
      {"negative length", {0xFF, 0xFF, 0xFF, 0xFF, 0}, false},
      {"length beyond the largest content", {0xFF, 0xFF, 0xFF, 0x00, 0}, false},
      {"no header", {1, 0}, false},
      {"distance 0", {4, 0, 0, 0, 0x01, 0x00, 0x20}, true},
      {"before the start", {4, 0, 0, 0, 0x02, 'a', 0x02, 0x20}, true},
      {"ends before the raw length", truncated, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CSaveReader reader;
    ASSERT_EQ(reader.OpenBytes(c.stream), c.opens);
    if (!c.opens) continue;
    Bytes out(static_cast<size_t>(reader.RawLength()) + 16, 0xEE);
    EXPECT_LT(reader.Read(out.data(), reader.RawLength()), reader.RawLength());
    EXPECT_TRUE(reader.Failed());
  }
}

TEST(SaveStream, WriterBuffersReadsBackAndWritesWhole) {
  testsupport::TempDir dir;
  const std::string path = (dir / "a.sav").string();
  const Bytes raw = Random(5000, 7, 8);
  {
    CSaveWriter writer;
    ASSERT_TRUE(writer.Open(path));
    writer.Write(raw.data(), 3000);
    writer.Write(raw.data() + 3000, 2000);
    Bytes back(6000);
    EXPECT_EQ(writer.ReadBack(back.data(), 4000), 4000);
    EXPECT_EQ(writer.ReadBack(back.data() + 4000, 2000), 1000);
    back.resize(5000);
    EXPECT_EQ(back, raw);
  }  // closing writes
  CSaveReader reader;
  ASSERT_TRUE(reader.Open(path));
  Bytes out(raw.size());
  EXPECT_EQ(reader.Read(out.data(), 6000), 5000);
  EXPECT_EQ(out, raw);

  // A failing write leaves the old file and no temporary one.
  platform::FileOperations files;
  files.FailFrom(1);
  CSaveWriter failing(files);
  failing.Open(path);
  failing.Write("zz", 2);
  EXPECT_FALSE(failing.Close());
  ASSERT_TRUE(reader.Open(path));
  EXPECT_EQ(reader.RawLength(), 5000);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

}  // namespace
