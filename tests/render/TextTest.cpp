#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/Font.h"
#include "render/PixelRC.h"
#include "tests/render/PixelTarget.h"

namespace {

// What a glyph slot was asked to draw.
struct GlyphCall {
  std::string slot;
  int x, y, index, red, green, blue;
  bool band;
  bool operator==(const GlyphCall&) const = default;
};

std::ostream& operator<<(std::ostream& os, const GlyphCall& c) {
  return os << c.slot << "(" << c.x << "," << c.y << " #" << c.index << " " << c.red << "/" << c.green << "/"
            << c.blue << (c.band ? " band" : "") << ")";
}

// A context whose glyph slots only record.
class RecordingRC : public CPixelRC {
 public:
  RecordingRC() : CPixelRC(kLayout565) {}
  std::vector<GlyphCall> calls;

#define RECORD_SLOT(Name)                                                                     \
  void Name(int x, int y, int index, int red, int green, int blue, bool band) override {     \
    calls.push_back({#Name, x, y, index, red, green, blue, band});                            \
  }
  RECORD_SLOT(DrawJamoGlyph)
  RECORD_SLOT(DrawHangulGlyph)
  RECORD_SLOT(DrawHanjaGlyph)
  RECORD_SLOT(DrawAsciiGlyph)
  RECORD_SLOT(DrawJamoGlyph2)
  RECORD_SLOT(DrawHangulGlyph2)
  RECORD_SLOT(DrawHanjaGlyph2)
  RECORD_SLOT(DrawAsciiGlyph2)
#undef RECORD_SLOT
};

// ASCII advance widths 0..127 as code % 7 + 3, so every byte is told apart.
class TextLayoutTest : public ::testing::Test {
 protected:
  TextLayoutTest() {
    std::memcpy(m_savedWidths, AsciiWidths, sizeof AsciiWidths);
    for (int i = 0; i < kAsciiGlyphCount; ++i) AsciiWidths[i] = W(static_cast<char>(i));
  }
  ~TextLayoutTest() override { std::memcpy(AsciiWidths, m_savedWidths, sizeof AsciiWidths); }
  static int W(char c) { return static_cast<unsigned char>(c) % 7 + 3; }

  std::vector<GlyphCall> Draw(const char* text, bool second = false) {
    m_rc.calls.clear();
    EXPECT_FALSE(second ? m_rc.DrawText2(100, 50, text, false, 10, 20, 30)
                        : m_rc.DrawText(100, 50, text, false, 10, 20, 30));
    return m_rc.calls;
  }

  RecordingRC m_rc;
  int32_t m_savedWidths[kAsciiGlyphCount];
};

using Calls = std::vector<GlyphCall>;

TEST_F(TextLayoutTest, ColourCodesChangeTheColourAndAdvanceNothing) {
  EXPECT_EQ(Draw("&rA"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 255, 0, 0, false}}));
  EXPECT_EQ(Draw("&qA"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 10, 20, 30, false}}));
  EXPECT_EQ(Draw("&"), Calls{});
  const struct {
    char key;
    int r, g, b;
  } codes[] = {{'b', 0, 0, 255},   {'e', 136, 136, 136}, {'g', 0, 255, 0},     {'m', 255, 0, 255},
               {'r', 255, 0, 0},   {'s', 0, 255, 255},   {'w', 255, 255, 255}, {'y', 255, 255, 0}};
  for (const auto& c : codes) {
    const std::string text = std::string("x&") + c.key + "x";
    EXPECT_EQ(Draw(text.c_str()), (Calls{{"DrawAsciiGlyph", 100, 50, 'x', 10, 20, 30, false},
                                         {"DrawAsciiGlyph", 100 + W('x'), 50, 'x', c.r, c.g, c.b, false}}))
        << c.key;
  }
}

TEST_F(TextLayoutTest, TwoByteCharactersPickTheirGlyphSetAndAdvanceSeventeen) {
  struct Case {
    const char* text;
    const char* slot;  // null: nothing drawn
    int index;
  };
  const Case cases[] = {
      {"\xB0\xA1", "DrawHangulGlyph", 0},    {"\xC8\xFE", "DrawHangulGlyph", 2349},
      {"\xCA\xA1", "DrawHanjaGlyph", 0},     {"\xFD\xFE", "DrawHanjaGlyph", 4887},
      {"\xA4\xA1", "DrawJamoGlyph", 0},      {"\xA4\xFD", "DrawJamoGlyph", 92},
      {"\xA4\xFE", nullptr, 0},              {"\xC9\xA1", nullptr, 0},
      {"\xA1\xA1", nullptr, 0},              {"\xFE\xFE", nullptr, 0},
  };
  for (const Case& c : cases) {
    const std::string text = std::string(c.text) + "A";
    Calls want;
    if (c.slot != nullptr) want.push_back({c.slot, 100, 50, c.index, 10, 20, 30, false});
    want.push_back({"DrawAsciiGlyph", 117, 50, 'A', 10, 20, 30, false});
    EXPECT_EQ(Draw(text.c_str()), want) << text;
    EXPECT_EQ(m_rc.GetTextWidth(text.c_str()), 17 + W('A')) << text;
  }
  // A lead byte at the end of the string ends it.
  EXPECT_EQ(Draw("A\xB0"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 10, 20, 30, false}}));
  EXPECT_EQ(m_rc.GetTextWidth("A\xB0"), W('A'));
}

// The highlight marks set the colours of their table rows: "<%" yellow, "%>"
// white. They draw nothing, yet the width counts all five bytes.
TEST_F(TextLayoutTest, HighlightMarksDrawNothingButCountInTheWidth) {
  EXPECT_EQ(Draw("<%A%>"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 255, 255, 0, false}}));
  EXPECT_EQ(m_rc.GetTextWidth("<%A%>"), W('<') + W('%') + W('A') + W('%') + W('>'));
  EXPECT_EQ(Draw("<%A%>B"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 255, 255, 0, false},
                                   {"DrawAsciiGlyph", 100 + W('A'), 50, 'B', 255, 255, 255, false}}));
  // Alone, "<" and "%" are swallowed; ">" is an ordinary character.
  EXPECT_EQ(Draw("<A%>"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 10, 20, 30, false}}));
  EXPECT_EQ(Draw("%A>"), (Calls{{"DrawAsciiGlyph", 100, 50, 'A', 10, 20, 30, false},
                                {"DrawAsciiGlyph", 100 + W('A'), 50, '>', 10, 20, 30, false}}));
}

TEST_F(TextLayoutTest, UnderscoreAdvancesWithoutDrawing) {
  EXPECT_EQ(Draw("_A"), (Calls{{"DrawAsciiGlyph", 100 + W('_'), 50, 'A', 10, 20, 30, false}}));
  EXPECT_EQ(m_rc.GetTextWidth("_&rA"), W('_') + W('A'));
}

TEST_F(TextLayoutTest, SecondSlotsInvertAllButJamo) {
  EXPECT_EQ(Draw("&r\xB0\xA1\xCA\xA1\xA4\xA1Z", true),
            (Calls{{"DrawHangulGlyph2", 100, 50, 0, 0, 255, 255, false},
                   {"DrawHanjaGlyph2", 117, 50, 0, 0, 255, 255, false},
                   {"DrawJamoGlyph2", 134, 50, 0, 255, 0, 0, false},
                   {"DrawAsciiGlyph2", 151, 50, 'Z', 0, 255, 255, false}}));
}

TEST_F(TextLayoutTest, RightAlignedTextEndsAtX) {
  m_rc.calls.clear();
  m_rc.DrawText2Right(200, 7, "\xB0\xA1" "AB", true, 0, 0, 0);
  const int start = 200 - (17 + W('A') + W('B'));
  EXPECT_EQ(m_rc.calls, (Calls{{"DrawHangulGlyph2", start, 7, 0, 255, 255, 255, true},
                               {"DrawAsciiGlyph2", start + 17, 7, 'A', 255, 255, 255, true},
                               {"DrawAsciiGlyph2", start + 17 + W('A'), 7, 'B', 255, 255, 255, true}}));
  m_rc.calls.clear();
  m_rc.DrawText2Right(200, 7, "", false, 0, 0, 0);
  m_rc.DrawText2Right(200, 7, nullptr, false, 0, 0, 0);
  EXPECT_TRUE(m_rc.calls.empty());
  EXPECT_EQ(m_rc.GetTextWidth(""), 0);
}

// ---- the glyph slots' pixels

class GlyphPixelsTest : public ::testing::Test {
 protected:
  GlyphPixelsTest() {
    std::memcpy(m_savedAscii, AsciiGlyphs, sizeof AsciiGlyphs);
    std::memcpy(m_savedWidths, AsciiWidths, sizeof AsciiWidths);
    std::memcpy(m_savedHangul, HangulGlyphs[5], kWideGlyphBytes);
  }
  ~GlyphPixelsTest() override {
    std::memcpy(AsciiGlyphs, m_savedAscii, sizeof AsciiGlyphs);
    std::memcpy(AsciiWidths, m_savedWidths, sizeof AsciiWidths);
    std::memcpy(HangulGlyphs[5], m_savedHangul, kWideGlyphBytes);
  }
  static void SetOpacity(uint8_t* glyph, int column, int row, uint8_t a) { glyph[column * kGlyphRows + row] = a; }

  uint8_t m_savedAscii[kAsciiGlyphCount][kAsciiGlyphBytes];
  int32_t m_savedWidths[kAsciiGlyphCount];
  uint8_t m_savedHangul[kWideGlyphBytes];
};

TEST_F(GlyphPixelsTest, OpacityBlendsOverTheAverageOfFourSamples) {
  for (const PixelLayout& layout : {kLayout565, kLayout555}) {
    PixelTarget t(layout, 30, 30, 0);
    uint8_t* glyph = HangulGlyphs[5];
    std::memset(glyph, 0, kWideGlyphBytes);
    SetOpacity(glyph, 1, 1, 255);
    SetOpacity(glyph, 2, 1, 128);
    SetOpacity(glyph, 3, 1, 1);
    // Samples at (x, y), (x + 6, y), (x, y + 6), (x + 6, y + 6).
    const Rgb8 samples[4] = {{248, 0, 0}, {0, 248, 0}, {0, 0, 248}, {248, 248, 248}};
    const int at[4][2] = {{4, 4}, {10, 4}, {4, 10}, {10, 10}};
    for (int i = 0; i < 4; ++i) t.At(at[i][0], at[i][1]) = t.Pack(samples[i].red, samples[i].green, samples[i].blue);
    Rgb8 sum;
    for (const Rgb8& s : samples) {
      const Rgb8 e = layout.Expand(t.Pack(s.red, s.green, s.blue));
      sum = {sum.red + e.red, sum.green + e.green, sum.blue + e.blue};
    }
    const Rgb8 bg{sum.red >> 2, sum.green >> 2, sum.blue >> 2};
    const auto term = [&](int k, int g, int a) { return k * a / 255 + g * (255 - a) / 255; };
    t.rc.DrawHangulGlyph(4, 4, 5, 100, 150, 200, false);
    EXPECT_EQ(t.At(5, 5), t.Pack(100, 150, 200));
    EXPECT_EQ(t.At(6, 5), t.Pack(term(100, bg.red, 128), term(150, bg.green, 128), term(200, bg.blue, 128)));
    EXPECT_EQ(t.At(7, 5), t.Pack(term(100, bg.red, 1), term(150, bg.green, 1), term(200, bg.blue, 1)));
    EXPECT_EQ(t.At(8, 5), 0);  // opacity 0 leaves the pixel
    EXPECT_EQ(t.At(4, 4), t.Pack(248, 0, 0));
  }
}

TEST_F(GlyphPixelsTest, LowerBandKeepsToTheLast117RowsOfTheView) {
  PixelTarget t(kLayout565, 20, 130, 0);  // the band starts at row 13
  std::memset(HangulGlyphs[5], 255, kWideGlyphBytes);
  t.rc.DrawHangulGlyph(0, 5, 5, 255, 255, 255, true);
  for (int y = 0; y < 30; ++y) {
    const bool drawn = y >= 13 && y < 5 + kGlyphRows;
    EXPECT_EQ(t.At(0, y), drawn ? 0xFFFF : 0) << y;
  }
}

TEST_F(GlyphPixelsTest, AsciiDrawsOnlyItsAdvanceWidth) {
  struct Case {
    int32_t width;
    int columns;
  };
  for (const Case c : {Case{4, 4}, Case{0, 0}, Case{-3, 0}, Case{15, 15}, Case{1000, 15}}) {
    PixelTarget t(kLayout565, 20, 20, 0);
    std::memset(AsciiGlyphs['M'], 255, kAsciiGlyphBytes);
    AsciiWidths['M'] = c.width;
    t.rc.DrawAsciiGlyph(0, 0, 'M', 255, 255, 255, false);
    int columns = 0;
    while (columns < 20 && t.At(columns, 0) == 0xFFFF) ++columns;
    EXPECT_EQ(columns, c.columns) << c.width;
    EXPECT_TRUE(t.GuardsIntact());
  }
}

TEST_F(GlyphPixelsTest, GlyphsAnywhereTouchOnlyTheSurface) {
  std::memset(HangulGlyphs[5], 200, kWideGlyphBytes);
  std::memset(AsciiGlyphs['M'], 200, kAsciiGlyphBytes);
  AsciiWidths['M'] = 15;
  const int positions[][2] = {{-17, -17}, {-5, -5}, {10, 10}, {15, -3}, {-3, 15}, {19, 19}, {-100000, 3}, {3, 100000}};
  for (const auto& [x, y] : positions) {
    PixelTarget t(kLayout565, 20, 20, 0x1234);
    for (const bool band : {false, true}) {
      t.rc.DrawHangulGlyph(x, y, 5, 255, 0, 0, band);
      t.rc.DrawAsciiGlyph2(x, y, 'M', 0, 255, 0, band);
      t.rc.DrawText(x, y, "\xB0\xA6M&rM", band, 0, 0, 255);
    }
    EXPECT_TRUE(t.GuardsIntact()) << x << "," << y;
  }
  PixelTarget t(kLayout565, 20, 20, 0);
  for (const int index : {-1, kHangulGlyphCount, 1 << 30}) t.rc.DrawHangulGlyph(0, 0, index, 255, 255, 255, false);
  for (const int index : {-1, kAsciiGlyphCount}) t.rc.DrawAsciiGlyph(0, 0, index, 255, 255, 255, false);
  for (const int index : {-1, kHanjaGlyphCount}) t.rc.DrawHanjaGlyph(0, 0, index, 255, 255, 255, false);
  for (const int index : {-1, kJamoGlyphCount}) t.rc.DrawJamoGlyph(0, 0, index, 255, 255, 255, false);
  EXPECT_EQ(t.View(), std::vector<uint16_t>(400, 0));
}

}  // namespace
