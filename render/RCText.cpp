// Text layout: code page 949 strings with inline colour codes, drawn glyph by
// glyph through the context's glyph slots.
#include "render/Font.h"
#include "render/RC.h"
#include "render/TextProbe.h"

namespace {

struct Color {
  int red, green, blue;
  Color Inverted() const { return {255 - red, 255 - green, 255 - blue}; }
};

struct ColorCode {
  char key;
  Color color;
};

// "&" and a letter; any other letter after "&" is dropped with it.
constexpr ColorCode kColorCodes[] = {
    {'b', {0, 0, 255}},   {'e', {136, 136, 136}}, {'g', {0, 255, 0}},     {'m', {255, 0, 255}},
    {'r', {255, 0, 0}},   {'s', {0, 255, 255}},   {'w', {255, 255, 255}}, {'y', {255, 255, 0}},
};
constexpr Color kHighlightOn{255, 255, 0};     // "<%"
constexpr Color kHighlightOff{255, 255, 255};  // "%>"

const Color* FindColorCode(uint8_t key) {
  for (const ColorCode& code : kColorCodes) {
    if (static_cast<uint8_t>(code.key) == key) return &code.color;
  }
  return nullptr;
}

// The second slots draw Korean and ASCII glyphs in the inverted colour; jamo
// keep the colour as it is.
void DrawWideGlyph(CRC& rc, const WideGlyph& glyph, int x, int y, Color color, bool band, bool second) {
  const Color c = second ? color.Inverted() : color;
  switch (glyph.set) {
    case GlyphSet::kJamo:
      second ? rc.DrawJamoGlyph2(x, y, glyph.index, color.red, color.green, color.blue, band)
             : rc.DrawJamoGlyph(x, y, glyph.index, color.red, color.green, color.blue, band);
      break;
    case GlyphSet::kHangul:
      second ? rc.DrawHangulGlyph2(x, y, glyph.index, c.red, c.green, c.blue, band)
             : rc.DrawHangulGlyph(x, y, glyph.index, c.red, c.green, c.blue, band);
      break;
    case GlyphSet::kHanja:
      second ? rc.DrawHanjaGlyph2(x, y, glyph.index, c.red, c.green, c.blue, band)
             : rc.DrawHanjaGlyph(x, y, glyph.index, c.red, c.green, c.blue, band);
      break;
    case GlyphSet::kNone:
      break;
  }
}

void DrawAscii(CRC& rc, uint8_t code, int x, int y, Color color, bool band, bool second) {
  const Color c = second ? color.Inverted() : color;
  second ? rc.DrawAsciiGlyph2(x, y, code, c.red, c.green, c.blue, band)
         : rc.DrawAsciiGlyph(x, y, code, c.red, c.green, c.blue, band);
}

bool IsHighlight(uint8_t b, uint8_t next) { return (b == '<' && next == '%') || (b == '%' && next == '>'); }

}  // namespace

bool CRC::LayOutText(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue,
                     bool second) {
  if (text == nullptr) return false;
  const TextProbeScope probe(text);
  int pen = x;
  Color color{red, green, blue};
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  while (*p != 0) {
    const uint8_t b = *p++;
    if (b >= 0x80) {
      if (*p == 0) break;
      DrawWideGlyph(*this, ClassifyWideChar(b, *p++), pen, y, color, lowerBandOnly, second);
      pen += kWideAdvance;
    } else if (b == '&') {
      if (*p == 0) break;
      if (const Color* code = FindColorCode(*p)) color = *code;
      ++p;
    } else if (IsHighlight(b, *p)) {
      color = b == '<' ? kHighlightOn : kHighlightOff;
      ++p;
    } else if (b == '<' || b == '%') {
      // alone: nothing drawn, nothing advanced
    } else if (b == '_') {
      pen += AsciiWidths[static_cast<uint8_t>('_')];
    } else {
      DrawAscii(*this, b, pen, y, color, lowerBandOnly, second);
      pen += AsciiWidths[b];
    }
  }
  return false;
}

bool CRC::DrawText(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue) {
  return LayOutText(x, y, text, lowerBandOnly, red, green, blue, false);
}

bool CRC::DrawText2(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue) {
  return LayOutText(x, y, text, lowerBandOnly, red, green, blue, true);
}

void CRC::DrawText2Right(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue) {
  DrawText2(x - GetTextWidth(text), y, text, lowerBandOnly, red, green, blue);
}

int CRC::GetTextWidth(const char* text) {
  if (text == nullptr) return 0;
  int width = 0;
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  while (*p != 0) {
    const uint8_t b = *p++;
    if (b >= 0x80) {
      if (*p++ == 0) break;
      width += kWideAdvance;
    } else if (b == '&') {
      if (*p++ == 0) break;
    } else {
      width += AsciiWidths[b];
    }
  }
  return width;
}
