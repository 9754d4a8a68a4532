#pragma once
// Small pictures of the 3-D device kept as text in tests/render/golden/: the
// size, a palette (one symbol per 16-bit colour) and a row of symbols per
// pixel row. SLV_UPDATE_GOLDEN=1 writes them anew instead of comparing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Surface.h"
#include "tests/support/TestSupport.h"

inline std::string GoldenText(const platform::Surface& s) {
  static constexpr const char* kSymbols =
      ".abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$%&*+-=?@^~<>";
  std::map<uint16_t, char> symbol;
  std::vector<uint16_t> order;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const uint16_t p = s.Row(y)[x];
      if (symbol.count(p) != 0) continue;
      if (order.size() >= std::strlen(kSymbols)) return "too many colours for a golden image";
      symbol[p] = kSymbols[order.size()];
      order.push_back(p);
    }
  }
  std::ostringstream out;
  out << s.Width() << " x " << s.Height() << '\n';
  char hex[8];
  for (uint16_t p : order) {
    std::snprintf(hex, sizeof hex, "%04x", p);
    out << symbol[p] << ' ' << hex << '\n';
  }
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) out << symbol[s.Row(y)[x]];
    out << '\n';
  }
  return out.str();
}

inline void ExpectGoldenText(const std::string& name, const platform::Surface& s,
                             const std::string& folder = "tests/render/golden") {
  const std::filesystem::path path = testsupport::SourceDir() / folder / (name + ".txt");
  const std::string actual = GoldenText(s);
  const char* update = std::getenv("SLV_UPDATE_GOLDEN");
  if (update != nullptr && *update == '1') {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  const std::string expected = std::filesystem::exists(path) ? testsupport::ReadFile(path) : std::string();
  EXPECT_EQ(expected, actual) << "golden image " << path << " (SLV_UPDATE_GOLDEN=1 writes it)";
}
