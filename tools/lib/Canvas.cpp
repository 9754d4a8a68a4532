#include "tools/lib/Canvas.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/GlyphRenderer.h"

namespace slvtools {
namespace {

constexpr int kSamples = 4;  // per axis, for the shapes' edges

// Coverage of each pixel by a shape given as an inside test, sampled on a
// 4 x 4 grid inside the pixel; only the shape's bounding box is visited.
template <class Inside>
Mask Sampled(int width, int height, float x0, float y0, float x1, float y1, Inside inside) {
  Mask mask(width, height);
  const int left = std::max(0, static_cast<int>(std::floor(x0))), right = std::min(width, static_cast<int>(std::ceil(x1)));
  const int top = std::max(0, static_cast<int>(std::floor(y0))), bottom = std::min(height, static_cast<int>(std::ceil(y1)));
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          hits += inside(static_cast<float>(x) + (sx + 0.5f) / kSamples, static_cast<float>(y) + (sy + 0.5f) / kSamples);
        }
      }
      mask.At(x, y) = static_cast<float>(hits) / (kSamples * kSamples);
    }
  }
  return mask;
}

uint8_t Channel(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Mask::Mask(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_cover(static_cast<size_t>(m_width) * m_height) {}

float Mask::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0.0f;
  return m_cover[static_cast<size_t>(y) * m_width + x];
}

void Mask::BoxRows(int radius) {
  std::vector<float> row(static_cast<size_t>(m_width));
  const float scale = 1.0f / static_cast<float>(2 * radius + 1);
  for (int y = 0; y < m_height; ++y) {
    float* line = &m_cover[static_cast<size_t>(y) * m_width];
    float sum = 0;
    for (int x = -radius; x <= radius; ++x) sum += Get(x, y);
    for (int x = 0; x < m_width; ++x) {
      row[x] = sum * scale;
      sum += Get(x + radius + 1, y) - Get(x - radius, y);
    }
    std::copy(row.begin(), row.end(), line);
  }
}

void Mask::Transpose() {
  std::vector<float> out(m_cover.size());
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) out[static_cast<size_t>(x) * m_height + y] = m_cover[static_cast<size_t>(y) * m_width + x];
  }
  m_cover.swap(out);
  std::swap(m_width, m_height);
}

void Mask::Blur(int radius) {
  if (radius <= 0) return;
  for (int pass = 0; pass < 3; ++pass) BoxRows(radius);
  Transpose();
  for (int pass = 0; pass < 3; ++pass) BoxRows(radius);
  Transpose();
}

void Mask::Shift(int dx, int dy) {
  Mask moved(m_width, m_height);
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) moved.At(x, y) = Get(x - dx, y - dy);
  }
  m_cover.swap(moved.m_cover);
}

void Mask::Add(const Mask& other) {
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) At(x, y) = std::max(At(x, y), other.Get(x, y));
  }
}

Mask RectMask(int width, int height, float x, float y, float w, float h) {
  return Sampled(width, height, x, y, x + w, y + h,
                 [&](float px, float py) { return px >= x && px < x + w && py >= y && py < y + h; });
}

Mask CircleMask(int width, int height, float cx, float cy, float radius) {
  return Sampled(width, height, cx - radius, cy - radius, cx + radius, cy + radius, [&](float px, float py) {
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
  });
}

Mask RingMask(int width, int height, float cx, float cy, float radius, float thickness) {
  const float inner = std::max(radius - thickness, 0.0f);
  return Sampled(width, height, cx - radius, cy - radius, cx + radius, cy + radius, [&](float px, float py) {
    const float d = (px - cx) * (px - cx) + (py - cy) * (py - cy);
    return d <= radius * radius && d >= inner * inner;
  });
}

// Even-odd rule.
Mask PolygonMask(int width, int height, const std::vector<Point>& points) {
  if (points.size() < 3) return Mask(width, height);
  float x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
  for (const Point& p : points) {
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  return Sampled(width, height, x0, y0, x1, y1, [&](float px, float py) {
    bool in = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  });
}

int TextWidth(const TextStyle& style, const std::u32string& text) {
  platform::GlyphRenderer renderer;
  if (!renderer.Open(style.fontPath, style.size)) return 0;
  int width = 0;
  for (char32_t c : text) width += renderer.Advance(c) + style.spacing;
  return text.empty() ? 0 : width - style.spacing;
}

bool TextMask(const TextStyle& style, const std::u32string& text, int x, int y, Align align, Mask* mask) {
  platform::GlyphRenderer renderer;
  if (!renderer.Open(style.fontPath, style.size)) return false;
  const int width = TextWidth(style, text);
  int pen = align == Align::Left ? x : align == Align::Center ? x - width / 2 : x - width;
  // Each glyph is rendered into a cell around its pen position, wide and
  // tall enough for any ink of the face at this size.
  const int margin = style.size, columns = 4 * style.size, rows = 3 * style.size, baseline = 2 * style.size;
  for (char32_t c : text) {
    int advance = 0;
    const std::vector<uint8_t> cell = renderer.Render(c, columns, rows, margin, baseline, &advance);
    for (int col = 0; col < columns; ++col) {
      for (int r = 0; r < rows; ++r) {
        const int px = pen - margin + col, py = y - baseline + r;
        const uint8_t ink = cell[static_cast<size_t>(col) * rows + r];
        if (ink == 0 || px < 0 || py < 0 || px >= mask->Width() || py >= mask->Height()) continue;
        mask->At(px, py) = std::min(1.0f, mask->At(px, py) + ink / 255.0f);
      }
    }
    pen += advance + style.spacing;
  }
  return true;
}

void BlendPixel(RgbaImage& image, int x, int y, Rgba color, float coverage) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height || coverage <= 0.0f) return;
  Rgba& d = image.At(x, y);
  const float sa = color.a / 255.0f * std::min(coverage, 1.0f), da = d.a / 255.0f;
  const float oa = sa + da * (1.0f - sa);
  if (oa <= 0.0f) return;
  const auto mix = [&](uint8_t s, uint8_t dst) { return Channel((s * sa + dst * da * (1.0f - sa)) / oa); };
  d = Rgba{mix(color.r, d.r), mix(color.g, d.g), mix(color.b, d.b), Channel(oa * 255.0f)};
}

void Paint(RgbaImage& image, const Mask& mask, Rgba color) { PaintGradient(image, mask, 0, 1, color, color); }

void PaintGradient(RgbaImage& image, const Mask& mask, int y0, int y1, Rgba top, Rgba bottom) {
  const float span = static_cast<float>(std::max(y1 - y0, 1));
  for (int y = 0; y < image.height; ++y) {
    const Rgba color = Mix(top, bottom, std::clamp(static_cast<float>(y - y0) / span, 0.0f, 1.0f));
    for (int x = 0; x < image.width; ++x) BlendPixel(image, x, y, color, mask.Get(x, y));
  }
}

Rgba Mix(Rgba a, Rgba b, float t) {
  const auto lerp = [t](uint8_t u, uint8_t v) { return Channel(u + (v - u) * t); };
  return Rgba{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

void Dither(RgbaImage& image, int bits, bool alpha) {
  constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const int step = 1 << (8 - bits);
  const auto mask = static_cast<uint8_t>(0xFF << (8 - bits));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const int offset = kBayer[y % 4][x % 4] * step / 16;
      const auto level = [&](uint8_t v) { return static_cast<uint8_t>(std::min(v + offset, 255) & mask); };
      Rgba& p = image.At(x, y);
      // Magenta is the bitmap textures' transparent colour: dithered, it
      // would no longer be.
      if (!alpha && p.r == 255 && p.g == 0 && p.b == 255) continue;
      p = Rgba{level(p.r), level(p.g), level(p.b), alpha ? level(p.a) : p.a};
    }
  }
}

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<uint8_t>(text[i]);
    const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    bool ok = i + extra < text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto next = static_cast<uint8_t>(text[i + k]);
      ok = (next & 0xC0) == 0x80;
      c = c << 6 | (next & 0x3F);
    }
    out.push_back(ok ? c : b);
    i += ok ? extra + 1 : 1;
  }
  return out;
}

}  // namespace slvtools
