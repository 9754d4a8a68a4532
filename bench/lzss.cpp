// Reading a 16 MiB compressed pack entry through cFileLZ, against zlib's
// inflate of the same bytes. Goal: our decoding at 1.5 times zlib or better.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/PackFile.h"
#include "tools/lib/PackWriter.h"

namespace {

constexpr size_t kSize = size_t{16} << 20;
const char* const kEntry = "data/bench/game.bin";

// Rows of an item table: numbers, code page 949 names, tabs.
void AppendTable(std::string& out, std::mt19937& rng, size_t bytes) {
  static const char* const names[] = {"\xB1\xE2\xBB\xE7\xC0\xC7 \xB0\xCB", "\xC8\xFA\xC0\xC7 \xB9\xD0\xBE\xE0",
                                      "potion", "\xB9\xE6\xC6\xD0", "short sword", "leather armour"};
  while (out.size() < bytes) {
    out += std::to_string(rng() % 5000) + "\t" + names[rng() % 6] + "\t" + std::to_string(rng() % 300) +
           "\t" + std::to_string(rng() % 100) + "\t0\t" + std::to_string(rng() % 4) + "\r\n";
  }
}

// Sprite frames of 16-bit pixels: a colour-key background around a figure of
// shaded spans with a little dithering.
void AppendSprites(std::string& out, std::mt19937& rng, size_t bytes) {
  while (out.size() < bytes) {
    const int width = 48 + static_cast<int>(rng() % 32), height = 64 + static_cast<int>(rng() % 48);
    const uint16_t base = static_cast<uint16_t>(rng());
    for (int y = 0; y < height; ++y) {
      const int left = width / 4 + static_cast<int>(rng() % 4), right = width - width / 4 - static_cast<int>(rng() % 4);
      for (int x = 0; x < width; ++x) {
        uint16_t p = 0xF81F;
        if (x >= left && x < right) p = static_cast<uint16_t>(base + (x - left) / 3 * 0x0821 + (rng() % 8 == 0 ? 0x20 : 0));
        out += static_cast<char>(p & 0xFF);
        out += static_cast<char>(p >> 8);
      }
    }
  }
}

std::string GameLikeData() {
  std::mt19937 rng(7);
  std::string out;
  while (out.size() < kSize) {
    AppendTable(out, rng, std::min(kSize, out.size() + 64 * 1024));
    AppendSprites(out, rng, std::min(kSize, out.size() + 192 * 1024));
  }
  out.resize(kSize);
  return out;
}

struct Data {
  std::string original;
  std::string zlibBytes;
  std::filesystem::path folder;
  double ratioLzss = 0, ratioZlib = 0;

  Data() {
    original = GameLikeData();
    slvtools::PackWriter pack;
    pack.AddCompressed(kEntry, original);
    folder = std::filesystem::temp_directory_path() / ("slv-bench-lzss-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const std::string packPath = (folder / "bench.pak").string();
    if (pack.WriteFile(packPath) && RegisterPack(packPath)) {
      ratioLzss = static_cast<double>(GetPackList()->Find(kEntry)->m_storedSize) / kSize;
    }
    uLongf length = compressBound(kSize);
    zlibBytes.resize(length);
    compress2(reinterpret_cast<Bytef*>(zlibBytes.data()), &length, reinterpret_cast<const Bytef*>(original.data()),
              kSize, Z_DEFAULT_COMPRESSION);
    zlibBytes.resize(length);
    ratioZlib = static_cast<double>(length) / kSize;
  }
  ~Data() {
    FreePacks();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

Data& Shared() {
  static Data data;
  return data;
}

void BM_CFileLZ(benchmark::State& state) {
  Data& data = Shared();
  std::string out(kSize, '\0');
  for (auto _ : state) {
    const std::unique_ptr<cFile> reader = OpenPackedFile(kEntry, kPackBufferSize);
    if (reader == nullptr || reader->Read(out.data(), kSize) != static_cast<int32_t>(kSize)) state.SkipWithError("short read");
    benchmark::DoNotOptimize(out.data());
  }
  if (out != data.original) state.SkipWithError("decoded bytes differ");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSize));
  state.counters["stored/size"] = data.ratioLzss;
}

void BM_ZlibInflate(benchmark::State& state) {
  Data& data = Shared();
  std::string out(kSize, '\0');
  for (auto _ : state) {
    uLongf length = kSize;
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.zlibBytes.data()),
                   data.zlibBytes.size()) != Z_OK) {
      state.SkipWithError("inflate failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
  if (out != data.original) state.SkipWithError("inflated bytes differ");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSize));
  state.counters["stored/size"] = data.ratioZlib;
}

BENCHMARK(BM_CFileLZ)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's throughput for the closing comparison.
class ThroughputReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto it = run.counters.find("bytes_per_second");
      if (it != run.counters.end() && !run.error_occurred) m_rates[run.run_name.function_name] = it->second.value;
    }
  }
  const std::map<std::string, double>& Rates() const { return m_rates; }

 private:
  std::map<std::string, double> m_rates;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ThroughputReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& rates = reporter.Rates();
  if (rates.count("BM_CFileLZ") && rates.count("BM_ZlibInflate")) {
    const double ours = rates.at("BM_CFileLZ"), zlib = rates.at("BM_ZlibInflate");
    std::printf("cFileLZ %.0f MiB/s, zlib inflate %.0f MiB/s: %.2fx (goal 1.5x)\n", ours / (1 << 20), zlib / (1 << 20),
                ours / zlib);
  }
  benchmark::Shutdown();
  return 0;
}
