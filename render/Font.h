#pragma once
// The bitmap fonts of all screen text: 18-row glyphs of 8-bit opacity, stored
// column by column, loaded once from their files and read while drawing.
#include <cstdint>

inline constexpr int kGlyphRows = 18;
inline constexpr int kWideGlyphColumns = 18;
inline constexpr int kWideGlyphBytes = kWideGlyphColumns * kGlyphRows;  // 324
inline constexpr int kAsciiGlyphColumns = 15;
inline constexpr int kAsciiGlyphBytes = kAsciiGlyphColumns * kGlyphRows;  // 270
// Two-byte characters advance this far, drawn or not: neighbours overlap by
// one column.
inline constexpr int kWideAdvance = 17;

inline constexpr int kHangulGlyphCount = 2350;
inline constexpr int kHanjaGlyphCount = 4888;
inline constexpr int kJamoGlyphCount = 93;
inline constexpr int kAsciiGlyphCount = 128;

// Code page 949 rows of the glyph sets: a set's glyph i is the character
// (lead + i / 94, 0xA1 + i % 94).
inline constexpr uint8_t kJamoLead = 0xA4;
inline constexpr uint8_t kHangulLeadFirst = 0xB0;
inline constexpr uint8_t kHangulLeadLast = 0xC8;
inline constexpr uint8_t kHanjaLeadFirst = 0xCA;
inline constexpr uint8_t kHanjaLeadLast = 0xFD;
inline constexpr uint8_t kTrailFirst = 0xA1;
inline constexpr int kTrailsPerLead = 94;

// File sizes: the tables as they lie in memory, no header.
inline constexpr int kHangulFontBytes = kHangulGlyphCount * kWideGlyphBytes;  // 761400
inline constexpr int kHanjaFontBytes = kHanjaGlyphCount * kWideGlyphBytes;    // 1583712
inline constexpr int kJamoFontBytes = kJamoGlyphCount * kWideGlyphBytes;      // 30132
inline constexpr int kAsciiGlyphFileBytes = kAsciiGlyphCount * kAsciiGlyphBytes;  // 34560
inline constexpr int kAsciiWidthFileBytes = kAsciiGlyphCount * 4;                 // 512

extern uint8_t HangulGlyphs[kHangulGlyphCount][kWideGlyphBytes];
extern uint8_t HanjaGlyphs[kHanjaGlyphCount][kWideGlyphBytes];
extern uint8_t JamoGlyphs[kJamoGlyphCount][kWideGlyphBytes];
extern uint8_t AsciiGlyphs[kAsciiGlyphCount][kAsciiGlyphBytes];
extern int32_t AsciiWidths[kAsciiGlyphCount];

// Each reads its table through the file stream (packs included). A short
// file fills what it holds and leaves the rest of the table as it was.
bool LoadHangulFont(const char* fileName);  // also "font\jamo.fnt"
bool LoadHanjaFont(const char* fileName);
bool LoadAsciiFont(const char* fileName);

// The glyph set and index of a two-byte character; kNone draws nothing.
enum class GlyphSet : uint8_t { kNone, kJamo, kHangul, kHanja };
struct WideGlyph {
  GlyphSet set = GlyphSet::kNone;
  int index = 0;
};
WideGlyph ClassifyWideChar(uint8_t lead, uint8_t trail);
