// fontmaker: renders the game's bitmap font files from an outline font.
//
//   fontmaker hangul|hanja|jamo|ascii FONT OUT [--size PIXELS]
//
// hangul, hanja and jamo write every character of their code page 949 rows in
// code order as 18 x 18 cells; ascii writes the 128 cells of 15 x 18 and then
// their advance widths. Every table shares the baseline that centres the
// face's Hangul syllables in the 18 rows, so mixed text lines up.
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "render/Font.h"
#include "platform/GlyphRenderer.h"

namespace {

constexpr int kDefaultPixelSize = 16;

int Usage() {
  std::fputs("usage: fontmaker hangul|hanja|jamo|ascii FONT OUT [--size PIXELS]\n", stderr);
  return 2;
}

// The Unicode code point of a two-byte code page 949 character; 0 when the
// code has none.
class Cp949Decoder {
 public:
  Cp949Decoder() : m_cd(iconv_open("UTF-32LE", "CP949")) {}
  ~Cp949Decoder() {
    if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
  }
  Cp949Decoder(const Cp949Decoder&) = delete;
  Cp949Decoder& operator=(const Cp949Decoder&) = delete;

  bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  char32_t Decode(uint8_t lead, uint8_t trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    unsigned char out[4] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 2, outLeft = 4;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outLeft != 0) {
      return 0;
    }
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
  }

 private:
  iconv_t m_cd;
};

std::vector<char32_t> RowCodePoints(Cp949Decoder& decoder, uint8_t firstLead, int count) {
  std::vector<char32_t> codePoints;
  for (int i = 0; i < count; ++i) {
    const auto lead = static_cast<uint8_t>(firstLead + i / kTrailsPerLead);
    const auto trail = static_cast<uint8_t>(kTrailFirst + i % kTrailsPerLead);
    codePoints.push_back(decoder.Decode(lead, trail));
  }
  return codePoints;
}

// The baseline row that centres the ink of the Hangul syllables.
int ChooseBaseline(const platform::GlyphRenderer& renderer, const std::vector<char32_t>& hangul) {
  int top = 0, bottom = 0;
  if (!renderer.InkRows(hangul, &top, &bottom)) return kGlyphRows * 4 / 5;
  return (kGlyphRows - (bottom - top)) / 2 - top;
}

std::vector<uint8_t> WideTable(const platform::GlyphRenderer& renderer, const std::vector<char32_t>& codePoints,
                               int baseline, int* missing) {
  std::vector<uint8_t> table;
  for (const char32_t cp : codePoints) {
    if (cp == 0 || !renderer.Has(cp)) ++*missing;
    // The advance box is centred on the 17 columns a character advances.
    const int penX = (kWideAdvance - renderer.Advance(cp)) / 2;
    const std::vector<uint8_t> cell = renderer.Render(cp, kWideGlyphColumns, kGlyphRows, penX, baseline);
    table.insert(table.end(), cell.begin(), cell.end());
  }
  return table;
}

// Glyph cells, then the advance widths as little-endian int32. Control codes
// stay blank and advance nothing.
std::vector<uint8_t> AsciiTable(const platform::GlyphRenderer& renderer, int baseline, int* missing) {
  std::vector<uint8_t> table;
  std::vector<int32_t> widths;
  for (int code = 0; code < kAsciiGlyphCount; ++code) {
    const bool printable = code >= 0x20 && code < 0x7F;
    if (printable && !renderer.Has(static_cast<char32_t>(code))) ++*missing;
    int advance = 0;
    const std::vector<uint8_t> cell =
        printable ? renderer.Render(static_cast<char32_t>(code), kAsciiGlyphColumns, kGlyphRows, 0, baseline, &advance)
                  : std::vector<uint8_t>(kAsciiGlyphBytes, 0);
    table.insert(table.end(), cell.begin(), cell.end());
    widths.push_back(std::clamp(advance, 0, kAsciiGlyphColumns));
  }
  for (const int32_t w : widths) {
    for (int b = 0; b < 4; ++b) table.push_back(static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * b)));
  }
  return table;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 6) return Usage();
  const std::string kind = argv[1];
  int pixelSize = kDefaultPixelSize;
  if (argc == 6) {
    if (std::strcmp(argv[4], "--size") != 0) return Usage();
    pixelSize = std::atoi(argv[5]);
    if (pixelSize <= 0 || pixelSize > 64) return Usage();
  }
  platform::GlyphRenderer renderer;
  Cp949Decoder decoder;
  if (!decoder.Ok()) {
    std::fputs("fontmaker: no code page 949 converter\n", stderr);
    return 1;
  }
  if (!renderer.Open(argv[2], pixelSize)) {
    std::fprintf(stderr, "fontmaker: cannot open font %s\n", argv[2]);
    return 1;
  }
  const std::vector<char32_t> hangul = RowCodePoints(decoder, kHangulLeadFirst, kHangulGlyphCount);
  const int baseline = ChooseBaseline(renderer, hangul);
  int missing = 0;
  std::vector<uint8_t> bytes;
  if (kind == "hangul") {
    bytes = WideTable(renderer, hangul, baseline, &missing);
  } else if (kind == "hanja") {
    bytes = WideTable(renderer, RowCodePoints(decoder, kHanjaLeadFirst, kHanjaGlyphCount), baseline, &missing);
  } else if (kind == "jamo") {
    bytes = WideTable(renderer, RowCodePoints(decoder, kJamoLead, kJamoGlyphCount), baseline, &missing);
  } else if (kind == "ascii") {
    bytes = AsciiTable(renderer, baseline, &missing);
  } else {
    return Usage();
  }
  if (missing > 0) std::fprintf(stderr, "fontmaker: %s: %d characters not in the font, left blank\n", argv[3], missing);
  if (!WriteFile(argv[3], bytes)) {
    std::fprintf(stderr, "fontmaker: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
