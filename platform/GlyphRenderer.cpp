#include "platform/GlyphRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace platform {

GlyphRenderer::~GlyphRenderer() {
  if (m_face != nullptr) FT_Done_Face(m_face);
  if (m_library != nullptr) FT_Done_FreeType(m_library);
}

bool GlyphRenderer::Open(const std::string& fontPath, int pixelSize) {
  if (FT_Init_FreeType(&m_library) != 0) return false;
  if (FT_New_Face(m_library, fontPath.c_str(), 0, &m_face) != 0) {
    m_face = nullptr;
    return false;
  }
  return FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(pixelSize)) == 0;
}

bool GlyphRenderer::Has(char32_t codePoint) const {
  return m_face != nullptr && FT_Get_Char_Index(m_face, codePoint) != 0;
}

bool GlyphRenderer::Load(char32_t codePoint) const {
  if (!Has(codePoint)) return false;
  const FT_UInt index = FT_Get_Char_Index(m_face, codePoint);
  return FT_Load_Glyph(m_face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) == 0 &&
         m_face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
}

int GlyphRenderer::Advance(char32_t codePoint) const {
  if (!Load(codePoint)) return 0;
  return static_cast<int>((m_face->glyph->advance.x + 32) >> 6);
}

std::vector<uint8_t> GlyphRenderer::Render(char32_t codePoint, int columns, int rows, int penX,
                                           int baseline, int* advance) const {
  std::vector<uint8_t> cell(static_cast<size_t>(columns) * rows, 0);
  if (advance != nullptr) *advance = 0;
  if (!Load(codePoint)) return cell;
  const FT_GlyphSlot slot = m_face->glyph;
  if (advance != nullptr) *advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const FT_Bitmap& bitmap = slot->bitmap;
  const int left = penX + slot->bitmap_left;
  const int top = baseline - slot->bitmap_top;
  for (int by = 0; by < static_cast<int>(bitmap.rows); ++by) {
    const int r = top + by;
    if (r < 0 || r >= rows) continue;
    const uint8_t* line = bitmap.buffer + static_cast<ptrdiff_t>(by) * bitmap.pitch;
    for (int bx = 0; bx < static_cast<int>(bitmap.width); ++bx) {
      const int c = left + bx;
      if (c < 0 || c >= columns) continue;
      cell[static_cast<size_t>(c) * rows + r] = line[bx];
    }
  }
  return cell;
}

bool GlyphRenderer::InkRows(const std::vector<char32_t>& codePoints, int* top, int* bottom) const {
  bool any = false;
  for (const char32_t cp : codePoints) {
    if (!Load(cp) || m_face->glyph->bitmap.rows == 0) continue;
    const int t = -m_face->glyph->bitmap_top;
    const int b = t + static_cast<int>(m_face->glyph->bitmap.rows);
    *top = any ? std::min(*top, t) : t;
    *bottom = any ? std::max(*bottom, b) : b;
    any = true;
  }
  return any;
}

}  // namespace platform
