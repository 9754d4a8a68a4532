#include "tools/lib/LzssEncoder.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/LzssDecoder.h"
#include "tools/lib/LzssReference.h"
#include "launcher/MemoryStream.h"
#include "tools/lib/PackWriter.h"

namespace {

// What the engine's reader makes of an entry packed by the writer.
std::string ThroughTheEngine(const std::string& original) {
  slvtools::PackWriter writer;
  writer.AddCompressed("data/entry", original);
  std::unique_ptr<cFile> memory = std::make_unique<MemoryStream>(writer.Build());
  EXPECT_TRUE(ReadPackDirectory(memory));
  PackFile* pack = GetPackList();
  cFileLZ reader(pack, pack->Find("DATA/ENTRY"), kPackBufferSize);
  std::string out(original.size() + 10, '\0');
  out.resize(static_cast<size_t>(reader.Read(out.data(), static_cast<int32_t>(out.size()))));
  FreePacks();
  return out;
}

std::string Random(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string s(size, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

// 16-bit pixels: runs of a colour key, gradients and repeated tiles.
std::string Pixels(size_t pixels) {
  std::string s;
  for (size_t i = 0; i < pixels; ++i) {
    const uint16_t p = (i / 64) % 3 == 0 ? 0xF81F : static_cast<uint16_t>((i % 64) * 0x0841 + (i / 640));
    s += static_cast<char>(p & 0xFF);
    s += static_cast<char>(p >> 8);
  }
  return s;
}

std::string Table(int rows) {
  std::string s;
  for (int i = 0; i < rows; ++i) s += std::to_string(i) + "\t\xB0\xCB item\t" + std::to_string(i * 37 % 1000) + "\t0\t0\r\n";
  return s;
}

TEST(LzssEncoder, RoundTripsThroughTheEngineReader) {
  const struct {
    const char* what;
    std::string data;
    double maxRatio;  // encoded / original, for data that must compress
  } cases[] = {
      {"empty", "", 1.0},
      {"one byte", "x", 3.0},
      {"a run", std::string(17, 'a'), 1.0},
      {"a long run", std::string(100000, '\0'), 0.15},
      {"two-byte pattern", std::string(8191, '\x12') + "\x34\x12\x34\x12\x34\x12\x34\x12\x34", 0.2},
      {"pixels", Pixels(40000), 0.3},
      {"a text table", Table(3000), 0.5},
      {"random", Random(70000, 1), 1.13},
      {"random across the ring", Random(8193, 2) + Random(300, 2) + Random(8192, 3), 1.13},
      {"mixed", Table(500) + Random(5000, 4) + Pixels(9000) + Table(500), 0.8},
  };
  for (const auto& c : cases) {
    const std::string encoded = slvtools::LzssEncode(c.data);
    EXPECT_EQ(ThroughTheEngine(c.data), c.data) << c.what;
    EXPECT_EQ(slvtools::LzssDecodeReference(encoded, static_cast<uint32_t>(c.data.size())), c.data) << c.what;
    EXPECT_LE(static_cast<double>(encoded.size()), c.maxRatio * static_cast<double>(c.data.size()) + 2) << c.what;
  }
}

}  // namespace
