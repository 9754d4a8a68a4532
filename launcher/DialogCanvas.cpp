#include "launcher/DialogCanvas.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/DebugLog.h"
#include "platform/GlyphRenderer.h"
#include "platform/TextEncoding.h"

namespace {

// The dialog font: a fixed-pitch Korean font at 12 pixels.
constexpr const char* kFontPath = "/usr/share/fonts/truetype/nanum/NanumGothicCoding.ttf";
constexpr int kFontPixels = 12;
constexpr int kBaseline = 11;

const platform::GlyphRenderer* Font() {
  static const std::unique_ptr<platform::GlyphRenderer> font = [] {
    auto renderer = std::make_unique<platform::GlyphRenderer>();
    if (!renderer->Open(kFontPath, kFontPixels)) {
      DebugLogf("dialog font %s cannot be opened: no text", kFontPath);
      renderer.reset();
    }
    return renderer;
  }();
  return font.get();
}

// Code points of code page 949 text.
std::u32string CodePoints(const std::string& text) {
  const std::string utf8 = platform::Cp949ToUtf8(text);
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    size_t k = 1;
    for (; k <= static_cast<size_t>(extra) && i + k < utf8.size(); ++k) cp = cp << 6 | (utf8[i + k] & 0x3F);
    out.push_back(cp);
    i += k;
  }
  return out;
}

}  // namespace

void DialogCanvas::Put(int x, int y, Rgb color) { Blend(x, y, color, 255); }

void DialogCanvas::Blend(int x, int y, Rgb color, int alpha) {
  x += m_x;
  y += m_y;
  if (x < 0 || y < 0 || x >= m_width || y >= m_height || alpha <= 0) return;
  uint8_t* p = m_pixels + static_cast<size_t>(y) * m_stride + static_cast<size_t>(x) * 3;
  const uint8_t bgr[3] = {color.b, color.g, color.r};
  for (int i = 0; i < 3; ++i) p[i] = static_cast<uint8_t>((bgr[i] * alpha + p[i] * (255 - alpha) + 127) / 255);
}

void DialogCanvas::Fill(const Rect& rect, Rgb color) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) Put(x, y, color);
  }
}

void DialogCanvas::Outline(const Rect& r, Rgb color) {
  Fill(Rect{r.left, r.top, r.right, r.top + 1}, color);
  Fill(Rect{r.left, r.bottom - 1, r.right, r.bottom}, color);
  Fill(Rect{r.left, r.top, r.left + 1, r.bottom}, color);
  Fill(Rect{r.right - 1, r.top, r.right, r.bottom}, color);
}

namespace {
// The top and left edges in one colour, the bottom and right in another.
void Edge(DialogCanvas& c, const Rect& r, Rgb topLeft, Rgb bottomRight) {
  c.Fill(Rect{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  c.Fill(Rect{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  c.Fill(Rect{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  c.Fill(Rect{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}
Rect Inset(const Rect& r, int n) { return Rect{r.left + n, r.top + n, r.right - n, r.bottom - n}; }
}  // namespace

void DialogCanvas::Raised(const Rect& r) {
  Edge(*this, r, dialogcolor::kHighlight, dialogcolor::kDark);
  Edge(*this, Inset(r, 1), dialogcolor::kLight, dialogcolor::kShadow);
}

void DialogCanvas::Sunken(const Rect& r) {
  Edge(*this, r, dialogcolor::kShadow, dialogcolor::kLight);
  Edge(*this, Inset(r, 1), dialogcolor::kDark, dialogcolor::kHighlight);
}

void DialogCanvas::Etched(const Rect& r) {
  Outline(Rect{r.left + 1, r.top + 1, r.right, r.bottom}, dialogcolor::kLight);
  Outline(Rect{r.left, r.top, r.right - 1, r.bottom - 1}, dialogcolor::kShadow);
}

void DialogCanvas::Text(int x, int y, const std::string& text, Rgb color) {
  const WatchedText watched(m_watch, text);
  const platform::GlyphRenderer* font = Font();
  if (font == nullptr) return;
  int pen = x;
  for (const char32_t cp : CodePoints(text)) {
    int advance = 0;
    const int columns = kFontPixels + 4;
    const std::vector<uint8_t> cell = font->Render(cp, columns, kLineHeight, 1, kBaseline, &advance);
    for (int c = 0; c < columns && !cell.empty(); ++c) {
      for (int r = 0; r < kLineHeight; ++r)
        Blend(pen - 1 + c, y + r, color, cell[static_cast<size_t>(c) * kLineHeight + r]);
    }
    pen += advance;
  }
}

void DialogCanvas::DisabledText(int x, int y, const std::string& text) {
  const WatchedText watched(m_watch, text);
  Text(x + 1, y + 1, text, dialogcolor::kLight);
  Text(x, y, text, dialogcolor::kGrayText);
}

void DialogCanvas::Picture(int x, int y, const uint8_t* pixels, int width, int height, const Rect& clip) {
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      if (!clip.Contains(x + col, y + row)) continue;
      const uint8_t* p = pixels + (static_cast<size_t>(row) * width + col) * 3;
      Put(x + col, y + row, Rgb{p[2], p[1], p[0]});
    }
  }
}

int DialogCanvas::TextWidth(const std::string& text) {
  const platform::GlyphRenderer* font = Font();
  int width = 0;
  if (font != nullptr) {
    for (const char32_t cp : CodePoints(text)) width += font->Advance(cp);
  }
  return width;
}
