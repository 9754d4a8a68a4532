#include "render/Font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "render/PixelRC.h"
#include "tests/render/PixelTarget.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Every table saved and put back, a game folder as the working directory.
class FontFolderTest : public ::testing::Test {
 protected:
  FontFolderTest() : m_savedDir(fs::current_path()), m_saved(new Tables) {
    std::memcpy(m_saved->hangul, HangulGlyphs, sizeof HangulGlyphs);
    std::memcpy(m_saved->hanja, HanjaGlyphs, sizeof HanjaGlyphs);
    std::memcpy(m_saved->jamo, JamoGlyphs, sizeof JamoGlyphs);
    std::memcpy(m_saved->ascii, AsciiGlyphs, sizeof AsciiGlyphs);
    std::memcpy(m_saved->widths, AsciiWidths, sizeof AsciiWidths);
    fs::current_path(m_dir.Path());
    SetResDirectory("\\");
  }
  ~FontFolderTest() override {
    std::memcpy(HangulGlyphs, m_saved->hangul, sizeof HangulGlyphs);
    std::memcpy(HanjaGlyphs, m_saved->hanja, sizeof HanjaGlyphs);
    std::memcpy(JamoGlyphs, m_saved->jamo, sizeof JamoGlyphs);
    std::memcpy(AsciiGlyphs, m_saved->ascii, sizeof AsciiGlyphs);
    std::memcpy(AsciiWidths, m_saved->widths, sizeof AsciiWidths);
    SetResDirectory("\\");
    fs::current_path(m_savedDir);
  }
  // n bytes counting up from `seed`.
  static std::string Pattern(size_t n, int seed) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 7 + seed) & 0xFF);
    return bytes;
  }
  static std::string Bytes(const void* table, size_t n) { return {static_cast<const char*>(table), n}; }

  struct Tables {
    uint8_t hangul[kHangulGlyphCount][kWideGlyphBytes];
    uint8_t hanja[kHanjaGlyphCount][kWideGlyphBytes];
    uint8_t jamo[kJamoGlyphCount][kWideGlyphBytes];
    uint8_t ascii[kAsciiGlyphCount][kAsciiGlyphBytes];
    int32_t widths[kAsciiGlyphCount];
  };
  testsupport::TempDir m_dir;
  fs::path m_savedDir;
  std::unique_ptr<Tables> m_saved;
};

TEST_F(FontFolderTest, LoadersFillTheirTablesFromTheDataFolder) {
  m_dir.Write("data/font/slvfont2.dat", Pattern(kHangulFontBytes, 1));
  m_dir.Write("data/font/jamo.fnt", Pattern(kJamoFontBytes, 2));
  m_dir.Write("data/slvfonth.dat", Pattern(kHanjaFontBytes, 3));
  std::string ascii = Pattern(kAsciiGlyphFileBytes, 4);
  for (int i = 0; i < kAsciiGlyphCount; ++i) ascii += std::string{static_cast<char>(i), 0, 0, i == 5 ? '\x80' : '\0'};
  m_dir.Write("data/slvfonte.dat", ascii);

  EXPECT_TRUE(LoadHangulFont("font\\slvfont2.dat"));
  EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
  EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
  EXPECT_EQ(Bytes(HangulGlyphs, kHangulFontBytes), Pattern(kHangulFontBytes, 1));
  EXPECT_EQ(Bytes(JamoGlyphs, kJamoFontBytes), Pattern(kJamoFontBytes, 2));
  EXPECT_EQ(Bytes(HanjaGlyphs, kHanjaFontBytes), Pattern(kHanjaFontBytes, 3));
  EXPECT_EQ(Bytes(AsciiGlyphs, kAsciiGlyphFileBytes), Pattern(kAsciiGlyphFileBytes, 4));
  EXPECT_EQ(AsciiWidths[4], 4);
  EXPECT_EQ(AsciiWidths[5], static_cast<int32_t>(0x80000005u));  // little-endian int32
  EXPECT_EQ(AsciiWidths[127], 127);
}

TEST_F(FontFolderTest, ShortFilesLeaveTheRestOfTheTable) {
  std::memset(HangulGlyphs, 0xEE, sizeof HangulGlyphs);
  std::memset(JamoGlyphs, 0xEE, sizeof JamoGlyphs);
  std::memset(AsciiWidths, 0x11, sizeof AsciiWidths);
  m_dir.Write("data/font/slvfont1.dat", Pattern(1000, 9));
  m_dir.Write("data/font/jamo.fnt", Pattern(30, 9));
  m_dir.Write("data/slvfonte.dat", Pattern(kAsciiGlyphFileBytes + 6, 9));  // one width and a half
  EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
  EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
  EXPECT_EQ(Bytes(HangulGlyphs, 1000), Pattern(1000, 9));
  EXPECT_EQ(HangulGlyphs[3][28], 0xEE);  // byte 1000
  EXPECT_EQ(HangulGlyphs[kHangulGlyphCount - 1][kWideGlyphBytes - 1], 0xEE);
  EXPECT_EQ(Bytes(JamoGlyphs, 30), Pattern(30, 9));
  EXPECT_EQ(JamoGlyphs[0][30], 0xEE);
  EXPECT_NE(AsciiWidths[0], 0x11111111);
  EXPECT_EQ(AsciiWidths[1], 0x11111111);
}

TEST_F(FontFolderTest, MissingFilesKeepTheTables) {
  std::memset(HangulGlyphs, 0x22, sizeof HangulGlyphs);
  std::memset(JamoGlyphs, 0x33, sizeof JamoGlyphs);
  m_dir.Write("data/font/slvfont1.dat", Pattern(kHangulFontBytes, 5));
  testsupport::DebugLogCapture log;
  EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
  EXPECT_TRUE(log.Contains("font\\jamo.fnt 가 없습니다"));
  EXPECT_EQ(JamoGlyphs[92][323], 0x33);
  EXPECT_FALSE(LoadHangulFont("font\\slvfont7.dat"));
  EXPECT_FALSE(LoadHanjaFont("nothing.dat"));
  EXPECT_FALSE(LoadAsciiFont("nothing.dat"));
  EXPECT_FALSE(LoadAsciiFont(nullptr));
  EXPECT_EQ(Bytes(HangulGlyphs, kHangulFontBytes), Pattern(kHangulFontBytes, 5));
}

// ---- the fonts the build renders into the sample game folder

class GeneratedFontTest : public FontFolderTest {
 protected:
  GeneratedFontTest() {
    fs::current_path(testsupport::BinaryDir() / "game");
    EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
    EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
    EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
  }
  static int Ink(const uint8_t* glyph, int bytes) {
    int ink = 0;
    for (int i = 0; i < bytes; ++i) ink += glyph[i] != 0;
    return ink;
  }
};

TEST_F(GeneratedFontTest, FilesHaveTheLayoutsSizesAndInk) {
  const fs::path data = testsupport::BinaryDir() / "game" / "data";
  EXPECT_EQ(fs::file_size(data / "font" / "slvfont1.dat"), 761400u);
  EXPECT_EQ(fs::file_size(data / "font" / "jamo.fnt"), 30132u);
  EXPECT_EQ(fs::file_size(data / "slvfonth.dat"), 1583712u);
  EXPECT_EQ(fs::file_size(data / "slvfonte.dat"), 34560u + 512u);
  for (int i : {0, 1000, kHangulGlyphCount - 1}) EXPECT_GT(Ink(HangulGlyphs[i], kWideGlyphBytes), 20) << i;
  for (int i : {0, 2000, kHanjaGlyphCount - 1}) EXPECT_GT(Ink(HanjaGlyphs[i], kWideGlyphBytes), 20) << i;
  for (int i : {0, 50, kJamoGlyphCount - 1}) EXPECT_GT(Ink(JamoGlyphs[i], kWideGlyphBytes), 0) << i;
  for (int c = 0x21; c < 0x7F; ++c) {
    EXPECT_GT(AsciiWidths[c], 0) << c;
    EXPECT_LE(AsciiWidths[c], kAsciiGlyphColumns) << c;
    EXPECT_GT(Ink(AsciiGlyphs[c], kAsciiGlyphBytes), 0) << c;
  }
  EXPECT_GT(AsciiWidths[' '], 0);
  EXPECT_EQ(Ink(AsciiGlyphs[' '], kAsciiGlyphBytes), 0);
  EXPECT_EQ(AsciiWidths['\n'], 0);
}

// A P6 picture of the view's expanded colours.
std::string Ppm(PixelTarget& t) {
  std::string out = "P6\n" + std::to_string(t.width) + " " + std::to_string(t.height) + "\n255\n";
  for (const uint16_t p : t.View()) {
    const Rgb8 c = t.rc.Layout().Expand(p);
    out += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
  }
  return out;
}

constexpr const char* kMixedLine = "셀바린 &yRPG&w v1.0 <%國%> ㄱ_g";

PixelTarget* DrawMixedLine(PixelTarget* t) {
  t->rc.DrawText(2, 2, kMixedLine, false, 255, 255, 255);
  return t;
}

// Korean, Hanja, jamo and ASCII with colour codes, against a picture kept in
// the source tree (SLV_UPDATE_GOLDEN=1 writes it anew).
TEST_F(GeneratedFontTest, MixedLineMatchesItsGoldenPicture) {
  PixelTarget t(kLayout565, 240, 22, kLayout565.Pack(24, 40, 96));
  const std::string picture = Ppm(*DrawMixedLine(&t));
  const fs::path golden = testsupport::SourceDir() / "tests/render/golden/text_line.ppm";
  if (std::getenv("SLV_UPDATE_GOLDEN") != nullptr) {
    fs::create_directories(golden.parent_path());
    std::ofstream(golden, std::ios::binary) << picture;
  }
  EXPECT_EQ(picture, testsupport::ReadFile(golden)) << "compare with " << golden;
}

// With a background both layouts hold exactly, the pictures differ by at
// most one step of five bits: 5-6-5 keeps one more bit of green, which the
// glyphs' averaged backgrounds carry on.
TEST_F(GeneratedFontTest, BothLayoutsDrawTheSameLineWithinTheirPrecision) {
  // One target at a time: the lock is program-wide.
  const auto draw = [](const PixelLayout& layout) {
    PixelTarget t(layout, 240, 22, layout.Pack(24, 40, 96));
    return DrawMixedLine(&t)->View();
  };
  const std::vector<uint16_t> pa = draw(kLayout565), pb = draw(kLayout555);
  int inked = 0;
  for (size_t i = 0; i < pa.size(); ++i) {
    const Rgb8 ca = kLayout565.Expand(pa[i]), cb = kLayout555.Expand(pb[i]);
    EXPECT_LE(std::abs(ca.red - cb.red), 8) << i;
    EXPECT_LE(std::abs(ca.green - cb.green), 8) << i;
    EXPECT_LE(std::abs(ca.blue - cb.blue), 8) << i;
    inked += pa[i] != pa[0];
  }
  EXPECT_GT(inked, 500);
}

}  // namespace
