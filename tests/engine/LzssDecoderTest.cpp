#include "engine/LzssDecoder.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/GameFolder.h"
#include "tools/lib/LzssEncoder.h"
#include "tools/lib/LzssReference.h"
#include "launcher/MemoryStream.h"

namespace {

class LzssDecoderTest : public ::testing::Test {
 protected:
  ~LzssDecoderTest() override { FreePacks(); }

  // A reader of one compressed entry of a pack held in memory.
  std::unique_ptr<cFile> Entry(const std::string& stored, uint32_t unpacked,
                               int32_t bufferSize = kPackBufferSize) {
    slvtools::PackWriter writer;
    writer.AddRaw("entry", kPackLzss, stored, unpacked);
    std::unique_ptr<cFile> memory = std::make_unique<MemoryStream>(writer.Build());
    EXPECT_TRUE(ReadPackDirectory(memory));
    PackFile* pack = GetPackList();
    return std::make_unique<cFileLZ>(pack, pack->Find("entry"), bufferSize);
  }
  std::string Decode(const std::string& stored, uint32_t unpacked) { return ReadRest(*Entry(stored, unpacked)); }
};

std::string Word(uint32_t distance, uint32_t length) {
  const uint32_t w = (length - 2) << 12 | distance;
  return {static_cast<char>(w & 0xFF), static_cast<char>(w >> 8)};
}

namespace lzssdecodertest {
std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (const int v : values) s.push_back(static_cast<char>(v));
  return s;
}
}  // namespace lzssdecodertest

// Matches move in groups of four, each read whole before it is written: at
// distances below four the group takes ring bytes found at the write
// position, which start as zeros.
TEST_F(LzssDecoderTest, MatchesCopyInGroupsOfFour) {
  const struct {
    const char* what;
    std::string stored;
    std::string expected;
  } cases[] = {
      {"distance 2, length 4", "\x04" "ab" + Word(2, 4), lzssdecodertest::Bytes({'a', 'b', 'a', 'b', 0, 0})},
      {"distance 1, length 5", "\x02" "x" + Word(1, 5), lzssdecodertest::Bytes({'x', 'x', 0, 0, 0, 0})},
      {"distance 3, length 6", "\x08" "abc" + Word(3, 6), lzssdecodertest::Bytes({'a', 'b', 'c', 'a', 'b', 'c', 0, 'b', 'c'})},
      {"distance 4, length 8", "\x10" "abcd" + Word(4, 8), "abcdabcdabcd"},
      {"distance 9, length 17", "\x01" + Word(9, 17) , std::string(17, '\0')},
      {"distance 0 at the start", "\x01" + Word(0, 3), std::string(3, '\0')},
  };
  for (const auto& c : cases) {
    const auto size = static_cast<uint32_t>(c.expected.size());
    EXPECT_EQ(Decode(c.stored, size), c.expected) << c.what;
    EXPECT_EQ(slvtools::LzssDecodeReference(c.stored, size), c.expected) << c.what;
  }
}

TEST_F(LzssDecoderTest, ShortDistancesReadStaleRingBytesOnceTheRingHasWrapped) {
  std::string stored, expected;
  for (int group = 0; group < 8192 / 8; ++group) {
    stored += '\0';
    for (int i = 0; i < 8; ++i) {
      const char byte = static_cast<char>((group * 8 + i) * 13 % 256);
      stored += byte;
      expected += byte;
    }
  }
  stored += "\x03" + Word(0, 5) + Word(2, 4);
  // Distance 0 repeats the bytes one ring earlier; distance 2 then takes two
  // fresh bytes and two stale ones.
  expected += expected.substr(0, 5);
  expected += expected.substr(3, 4);
  const auto size = static_cast<uint32_t>(expected.size());
  EXPECT_EQ(Decode(stored, size), expected);
  EXPECT_EQ(slvtools::LzssDecodeReference(stored, size), expected);
}

TEST_F(LzssDecoderTest, PastItsStoredBytesAnEntryReadsAllOnes) {
  // Flags read as all ones: matches of 17 from 4095 back, zeros at first.
  EXPECT_EQ(Decode("", 3), std::string(3, '\0'));
  // Literals read as 0xFF.
  EXPECT_EQ(Decode(lzssdecodertest::Bytes({0, 'x'}), 5), "x\xFF\xFF\xFF\xFF");
  // A word cut after its low byte takes 0xFF as its high byte: length 17.
  EXPECT_EQ(Decode(lzssdecodertest::Bytes({0x02, 'a', 0x01}), 19), "a" + std::string(17, '\0') + "\xFF");
}

TEST_F(LzssDecoderTest, DeliversExactlyItsSizeAndSeekingBackReadsTheSameBytes) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i * i) + " of the table\n";
  const std::string stored = slvtools::LzssEncode(text);
  const auto reader = Entry(stored, static_cast<uint32_t>(text.size()));
  EXPECT_EQ(ReadRest(*reader, 1000), text);
  char byte;
  EXPECT_EQ(reader->Read(&byte, 1), 0);
  EXPECT_EQ(reader->GetChar(), -1);
  EXPECT_EQ(reader->Seek(0, kFileBegin), 0);
  EXPECT_EQ(ReadRest(*reader, 333), text);
  EXPECT_EQ(reader->Seek(-100, kFileEnd), static_cast<int32_t>(text.size()) - 100);
  EXPECT_EQ(ReadRest(*reader), text.substr(text.size() - 100));
}

std::string RandomStream(std::mt19937& rng) {
  std::string s;
  const int groups = static_cast<int>(rng() % 400);
  for (int g = 0; g < groups; ++g) {
    const uint32_t flags = rng() & 0xFF;
    s += static_cast<char>(flags);
    for (int item = 0; item < 8; ++item) {
      if ((flags >> item & 1) == 0) {
        s += static_cast<char>(rng());
        continue;
      }
      const uint32_t pick = rng() % 6;
      const uint32_t distance = pick < 4 ? pick : pick == 4 ? 4 + rng() % 12 : rng() % 4096;
      s += Word(distance, 2 + rng() % 16);
    }
  }
  if (!s.empty() && rng() % 4 == 0) s.resize(rng() % s.size());
  return s;
}

// The reader against the plain reference decoder: random streams (short
// distances, ring wraps, entries that end early), random buffer sizes, and
// random reads, byte reads and seeks.
TEST_F(LzssDecoderTest, AgreesWithTheReferenceDecoderOnRandomStreams) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 150; ++round) {
    const std::string stored = RandomStream(rng);
    const auto size = static_cast<uint32_t>(rng() % (stored.size() * 8 + 137));
    const std::string expected = slvtools::LzssDecodeReference(stored, size);
    const auto reader = Entry(stored, size, static_cast<int32_t>(1 + rng() % 300));
    int64_t pos = 0;
    for (int op = 0; op < 40; ++op) {
      const std::string where = "round " + std::to_string(round) + " op " + std::to_string(op);
      const uint32_t kind = rng() % 4;
      if (kind == 0) {
        EXPECT_EQ(reader->GetChar(), pos < size ? static_cast<uint8_t>(expected[static_cast<size_t>(pos)]) : -1) << where;
        pos = std::min<int64_t>(pos + 1, size);
      } else if (kind == 1) {
        const int origin = static_cast<int>(rng() % 4) * 2 % 7;  // 0, 2, 4, 6: the last two from here
        const auto offset = static_cast<int32_t>(rng() % 20000) - 10000;
        const int64_t base = origin == 0 ? 0 : origin == 2 ? size : pos;
        pos = std::clamp<int64_t>(base + offset, 0, size);
        EXPECT_EQ(reader->Seek(offset, origin), pos) << where;
      } else {
        std::string buffer(rng() % 6000, '\0');
        const int32_t n = reader->Read(buffer.data(), static_cast<int32_t>(buffer.size()));
        ASSERT_EQ(n, std::min<int64_t>(static_cast<int64_t>(buffer.size()), size - pos)) << where;
        ASSERT_EQ(buffer.substr(0, static_cast<size_t>(n)), expected.substr(static_cast<size_t>(pos), static_cast<size_t>(n))) << where;
        pos += n;
      }
      EXPECT_EQ(reader->Tell(), pos) << where;
    }
  }
}

}  // namespace
