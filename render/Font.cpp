#include "render/Font.h"

#include "engine/FileStream.h"
#include "platform/DebugLog.h"

uint8_t HangulGlyphs[kHangulGlyphCount][kWideGlyphBytes];
uint8_t HanjaGlyphs[kHanjaGlyphCount][kWideGlyphBytes];
uint8_t JamoGlyphs[kJamoGlyphCount][kWideGlyphBytes];
uint8_t AsciiGlyphs[kAsciiGlyphCount][kAsciiGlyphBytes];
int32_t AsciiWidths[kAsciiGlyphCount];

namespace {

// Reads at most `count` bytes of the file into the table; what the file
// lacks stays as it was.
bool ReadTable(const char* fileName, void* table, int32_t count) {
  CFileStream file;
  if (fileName == nullptr || !file.Open(fileName, CFileStream::kRead)) return false;
  file.Read(table, count);
  return true;
}

// The widths lie in the file as little-endian int32.
bool ReadWidths(CFileStream& file) {
  uint8_t bytes[kAsciiWidthFileBytes];
  const int32_t got = file.Read(bytes, kAsciiWidthFileBytes);
  for (int i = 0; i < got / 4; ++i) {
    const uint8_t* p = bytes + 4 * i;
    AsciiWidths[i] = static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
  }
  return got == kAsciiWidthFileBytes;
}

}  // namespace

bool LoadHangulFont(const char* fileName) {
  const bool loaded = ReadTable(fileName, HangulGlyphs, kHangulFontBytes);
  if (!loaded) DebugLogf("LoadHangulFont: cannot open %s", fileName != nullptr ? fileName : "(null)");
  const std::string jamo = GetResDirectory() + "font\\jamo.fnt";
  if (!ReadTable(jamo.c_str(), JamoGlyphs, kJamoFontBytes)) DebugLog("font\\jamo.fnt 가 없습니다");
  return loaded;
}

bool LoadHanjaFont(const char* fileName) {
  const bool loaded = ReadTable(fileName, HanjaGlyphs, kHanjaFontBytes);
  if (!loaded) DebugLogf("LoadHanjaFont: cannot open %s", fileName != nullptr ? fileName : "(null)");
  return loaded;
}

bool LoadAsciiFont(const char* fileName) {
  CFileStream file;
  if (fileName == nullptr || !file.Open(fileName, CFileStream::kRead)) {
    DebugLogf("LoadAsciiFont: cannot open %s", fileName != nullptr ? fileName : "(null)");
    return false;
  }
  if (file.Read(AsciiGlyphs, kAsciiGlyphFileBytes) == kAsciiGlyphFileBytes) ReadWidths(file);
  return true;
}

WideGlyph ClassifyWideChar(uint8_t lead, uint8_t trail) {
  const int column = trail - kTrailFirst;
  if (lead == kJamoLead) {
    if (column >= 0 && column < kJamoGlyphCount) return {GlyphSet::kJamo, column};
  } else if (lead >= kHangulLeadFirst && lead <= kHangulLeadLast) {
    const int index = (lead - kHangulLeadFirst) * kTrailsPerLead + column;
    if (index >= 0 && index < kHangulGlyphCount) return {GlyphSet::kHangul, index};
  } else if (lead >= kHanjaLeadFirst && lead <= kHanjaLeadLast) {
    const int index = (lead - kHanjaLeadFirst) * kTrailsPerLead + column;
    if (index >= 0 && index < kHanjaGlyphCount) return {GlyphSet::kHanja, index};
  }
  return {};
}
