#pragma once
// Renders characters of one outline font (FreeType) into glyph cells: 8-bit
// opacity, stored column by column (byte c * rows + r). The font maker, the
// sample's pictures and the launcher's dialog draw their text with it.
#include <cstdint>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace platform {

class GlyphRenderer {
 public:
  GlyphRenderer() = default;
  ~GlyphRenderer();
  GlyphRenderer(const GlyphRenderer&) = delete;
  GlyphRenderer& operator=(const GlyphRenderer&) = delete;

  bool Open(const std::string& fontPath, int pixelSize);
  // Whether the face has an outline for the code point.
  bool Has(char32_t codePoint) const;
  // The cell of `columns` x `rows` with the character's pen origin at
  // (penX, baseline); ink outside the cell is cut. An empty cell when the face
  // lacks the character. `advance` receives the pen advance in pixels.
  std::vector<uint8_t> Render(char32_t codePoint, int columns, int rows, int penX, int baseline,
                              int* advance = nullptr) const;
  // The pen advance in whole pixels; 0 when the face lacks the character.
  int Advance(char32_t codePoint) const;
  // Ink extent above (negative) and below the baseline, over the code
  // points; false when none has ink.
  bool InkRows(const std::vector<char32_t>& codePoints, int* top, int* bottom) const;

 private:
  bool Load(char32_t codePoint) const;

  FT_LibraryRec_* m_library = nullptr;
  FT_FaceRec_* m_face = nullptr;
};

}  // namespace platform
