#include "tools/lib/InterfaceSprites.h"

#include <algorithm>
#include <cmath>

#include "engine/ActRes.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/Canvas.h"
#include "tools/lib/SprWriter.h"
#include "ui/SpriteFontTables.h"

namespace slvtools {
namespace {

constexpr uint16_t kSprVersion = 0x200;
constexpr uint16_t kActVersion = 0x201;
constexpr int kOversample = 4;  // glyphs are drawn large, then fitted into their cells
constexpr int kFontBankSize = 62;

Rgba Rgb(int r, int g, int b) { return Rgba{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), 255}; }

// ---- frames

struct FrameColors {
  Rgba outline, border, light, inner, fill;
};

// A frame's pieces hang up and to the left of the points they are drawn
// at: the first line of text sits in the top band, above the top row's
// point, and every further row of pieces adds a line of 20 pixels.
struct FrameStyle {
  int pieceWidth;                  // of every column, the sides included
  int topHeight, bottomHeight;     // of the top and bottom bands; rows are 20 high
  int left, top;                   // the top-left piece's corner from its point
  int bottomGap;                   // the bottom row's point below the last row's
  int inset;                       // from the pieces' outer edge to the outline, at the sides
  int topInset, bottomInset;       // the same at the top and the bottom
  int radius;                      // of the rounded corners
  int border;                      // width of the coloured border
  FrameColors colors;
  Rgba underFill = {0, 0, 0, 0};   // painted between the outline and the pieces' bottom edge
};

constexpr int kFrameRow = 20;

// How far a pixel lies inside a rounded box (0 on its outline), or -1
// outside; `fromTop` tells whether the top edge is the nearest.
int Depth(int x, int y, int left, int top, int right, int bottom, int radius, bool* fromTop) {
  const int dx = std::min(x - left, right - 1 - x), dy = std::min(y - top, bottom - 1 - y);
  if (dx < 0 || dy < 0) return -1;
  *fromTop = y - top == dy && dy <= dx;
  if (dx >= radius || dy >= radius) return std::min(dx, dy);
  const float ox = static_cast<float>(radius - dx) - 0.5f, oy = static_cast<float>(radius - dy) - 0.5f;
  const float d = static_cast<float>(radius) - std::sqrt(ox * ox + oy * oy);
  return d < 0 ? -1 : static_cast<int>(d);
}

// A whole frame with three middle columns and three middle rows; they are
// plain slices, so any number of them lines up.
RgbaImage FrameProto(const FrameStyle& s) {
  RgbaImage proto(5 * s.pieceWidth, s.topHeight + 3 * kFrameRow + s.bottomHeight, Rgba{0, 0, 0, 0});
  const FrameColors& c = s.colors;
  for (int y = 0; y < proto.height; ++y) {
    for (int x = 0; x < proto.width; ++x) {
      bool fromTop = false;
      const int d = Depth(x, y, s.inset, s.topInset, proto.width - s.inset, proto.height - s.bottomInset, s.radius,
                          &fromTop);
      if (d < 0) {
        if (y >= proto.height - s.bottomInset && x >= s.inset && x < proto.width - s.inset) proto.At(x, y) = s.underFill;
        continue;
      }
      Rgba& p = proto.At(x, y);
      if (d == 0) {
        p = c.outline;
      } else if (d <= s.border) {
        p = fromTop ? c.light : c.border;
      } else if (d == s.border + 1) {
        p = c.inner;
      } else {
        p = d == s.border + 2 ? Mix(c.fill, c.border, 0.12f) : c.fill;
      }
    }
  }
  return proto;
}

RgbaImage Cut(const RgbaImage& from, int x, int y, int w, int h) {
  RgbaImage part(w, h);
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < w; ++px) part.At(px, py) = from.At(x + px, y + py);
  }
  return part;
}

// A layer showing an image with its top-left corner at (x, y); files store
// the image's centre.
ActLayer Layer(int image, int x, int y, const RgbaImage& picture, int kind = 0) {
  ActLayer layer;
  layer.sprite = image;
  layer.kind = kind;
  layer.x = x + (picture.width + 1) / 2;
  layer.y = y + (picture.height + 1) / 2;
  return layer;
}

ActMotion MotionOf(const ActLayer& layer) {
  ActMotion motion;
  motion.layers.push_back(layer);
  return motion;
}

// The nine pieces in motion order: top-left, top, top-right, left, centre,
// right, bottom-left, bottom, bottom-right. Each row of pieces starts where
// the one above it ends, whatever the distance between their points.
bool AddFrameAction(PaletteSprite& spr, const FrameStyle& s, ActAction* action) {
  const RgbaImage proto = FrameProto(s);
  const int w = s.pieceWidth;
  const int xs[3] = {0, w, proto.width - w};
  const int ys[3] = {0, s.topHeight, proto.height - s.bottomHeight};
  const int heights[3] = {s.topHeight, kFrameRow, s.bottomHeight};
  const int layerYs[3] = {s.top, s.top + s.topHeight - kFrameRow, s.top + s.topHeight - s.bottomGap};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const RgbaImage piece = Cut(proto, xs[col], ys[row], w, heights[row]);
      const int image = spr.Add(piece);
      if (image < 0) return false;
      action->motions.push_back(MotionOf(Layer(image, s.left, layerYs[row], piece)));
    }
  }
  return true;
}

// A small cut gem for the corner ornament.
RgbaImage Gem() {
  RgbaImage gem(11, 11, Rgba{0, 0, 0, 0});
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const int d = std::abs(x - 5) + std::abs(y - 5);
      if (d > 5) continue;
      gem.At(x, y) = d == 5 ? Rgb(40, 20, 8) : d >= 4 ? Rgb(200, 150, 60) : (x < 5 && y < 5) ? Rgb(255, 236, 170) : Rgb(224, 176, 80);
    }
  }
  return gem;
}

// A thin bar, light at the top, five pieces long: it lies below a row's
// glyphs.
RgbaImage BarProto() {
  RgbaImage bar(100, 2, Rgba{0, 0, 0, 0});
  for (int y = 0; y < bar.height; ++y) {
    for (int x = 1; x < 99; ++x) bar.At(x, y) = y == 0 ? Rgb(255, 255, 255) : Rgb(150, 170, 210);
  }
  return bar;
}

// A soft light above a dialog's title.
RgbaImage Glow() {
  RgbaImage glow(160, 48, Rgba{0, 0, 0, 0});
  for (int y = 0; y < glow.height; ++y) {
    for (int x = 0; x < glow.width; ++x) {
      const float dx = (x + 0.5f - 80.0f) / 80.0f, dy = (y + 0.5f - 24.0f) / 24.0f;
      const float t = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
      glow.At(x, y) = Rgba{255, 240, 200, static_cast<uint8_t>(255.0f * t * t)};
    }
  }
  return glow;
}

FrameColors Colors(Rgba fill, Rgba border, Rgba inner) {
  return FrameColors{Rgb(6, 6, 12), border, Mix(border, Rgb(255, 255, 255), 0.45f), inner, fill};
}

bool BuildDialogFrames(std::vector<DataFile>* out, std::string* error) {
  const Rgba gold = Rgb(200, 160, 72), silver = Rgb(176, 188, 204), bronze = Rgb(176, 132, 80);
  const Rgba goldInner = Rgb(90, 66, 28), silverInner = Rgb(64, 72, 88);
  // Actions 0-6: the large frame's styles; 7-10: the small frames and the
  // inner frame; 11 the bar; 12 unused; 13 the title glow.
  // Style 0 (the message window and the choice box) is a light panel: the
  // field writes on it in dark ink.
  const FrameColors large[7] = {
      Colors(Rgb(238, 228, 202), Rgb(168, 124, 60), Rgb(204, 184, 144)),
      Colors(Rgb(12, 40, 50), silver, silverInner),    Colors(Rgb(22, 22, 56), gold, goldInner),
      Colors(Rgb(52, 14, 26), gold, goldInner),        Colors(Rgb(16, 42, 26), bronze, goldInner),
      Colors(Rgb(40, 40, 46), silver, silverInner),    Colors(Rgb(8, 10, 22), Rgb(84, 104, 156), silverInner)};
  // The small frames are light panels: menus write their entries dark on
  // them and the chosen one in red.
  const FrameColors small[4] = {Colors(Rgb(236, 224, 196), Rgb(150, 104, 48), Rgb(196, 176, 140)),
                                Colors(Rgb(214, 222, 232), Rgb(90, 110, 140), Rgb(170, 184, 200)),
                                Colors(Rgb(236, 222, 206), Rgb(130, 40, 56), Rgb(200, 170, 160)),
                                Colors(Rgb(222, 208, 176), Rgb(170, 140, 96), Rgb(200, 186, 150))};
  PaletteSprite spr;
  std::vector<ActAction> actions(14);
  bool ok = true;
  // The large frame reaches half a tile left of its point and 28 pixels
  // above it, and ends 6 pixels above its last row's point (its bottom
  // row's point lies 3 below that): 14 x 5 tiles at (centre - 300,
  // bottom - 100) span a 640-pixel screen and hold five lines from
  // bottom - 116.
  for (int i = 0; i < 7; ++i) {
    ok = ok && AddFrameAction(spr, FrameStyle{40, 11, 11, -20, -28, 3, 2, 0, 0, 6, 2, large[i]}, &actions[i]);
  }
  // The small frames reach a tile left of their point and 28 pixels above
  // it, and 12 below their last row; the inner frame (action 10) lies a
  // tile in at the sides of its grid. It fills the grid from the top, so
  // that it meets the list frames' top band, and ends 10 pixels above its
  // bottom, the panel's own fill below: a list's first row writes on it,
  // and the filter buttons a panel sets 10 pixels above the inner frame's
  // end stand under its edge, on the panel.
  for (int i = 0; i < 3; ++i) {
    ok = ok && AddFrameAction(spr, FrameStyle{20, 28, 12, -20, -28, 20, 6, 0, 0, 5, 2, small[i]}, &actions[7 + i]);
  }
  FrameStyle inner{20, 20, 20, -20, -20, 20, 8, 0, 10, 5, 1, small[3]};
  inner.underFill = small[0].fill;
  ok = ok && AddFrameAction(spr, inner, &actions[10]);
  const RgbaImage gem = Gem();
  // On the small frames' top-left corner.
  actions[3].motions.push_back(MotionOf(Layer(spr.Add(gem), -18, -32, gem)));
  // The bar underlines the row above its point (a list box puts the point
  // at the bottom of the chosen row): the field menu draws it after the
  // row's text, which must stay readable.
  const RgbaImage bar = BarProto();
  for (int x : {0, 20, 80}) {
    const RgbaImage piece = Cut(bar, x, 0, 20, bar.height);
    actions[11].motions.push_back(MotionOf(Layer(spr.Add(piece), 0, -bar.height, piece)));
  }
  actions[12].motions.emplace_back();
  const RgbaImage glow = Glow();
  actions[13].motions.push_back(MotionOf(Layer(spr.AddArgb(glow), -95, -15, glow, 1)));
  if (!ok || spr.Overflowed()) {
    *error = "dialog frames: too many colours";
    return false;
  }
  out->push_back(DataFile{"sprite/system/dlgFrame.spr", spr.Build()});
  out->push_back(DataFile{"sprite/system/dlgFrame.act", BuildAct(kActVersion, actions)});
  return true;
}

// ---- glyphs

struct GlyphCell {
  int width = 0, height = 0;
  std::vector<float> cover;
  float At(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : cover[static_cast<size_t>(y) * width + x];
  }
};

// A text drawn large, then fitted into a cell of width x height with
// its baseline on row `baseline`: scaled down by the oversampling, and
// narrowed further when its ink would be wider than `maxInk`.
bool FitText(const TextStyle& large, const std::u32string& text, int width, int height, int baseline, int maxInk,
             GlyphCell* out) {
  const int side = 4 * large.size, bigBaseline = 2 * large.size;
  const int wide = side * std::max<int>(1, static_cast<int>(text.size()));
  Mask big(wide, side);
  if (!TextMask(large, text, large.size, bigBaseline, Align::Left, &big)) return false;
  int x0 = wide, x1 = -1;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < wide; ++x) {
      if (big.Get(x, y) > 0.02f) x0 = std::min(x0, x), x1 = std::max(x1, x);
    }
  }
  *out = GlyphCell{width, height, std::vector<float>(static_cast<size_t>(width) * height, 0.0f)};
  if (x1 < x0) return true;
  const float inkWidth = static_cast<float>(x1 - x0 + 1);
  const float sx = std::min(1.0f / kOversample, static_cast<float>(maxInk) / inkWidth);
  const int left = std::max(0, static_cast<int>(std::lround((maxInk - inkWidth * sx) / 2)));
  for (int ty = 0; ty < height; ++ty) {
    for (int tx = 0; tx < width; ++tx) {
      float sum = 0;
      for (int sy = 0; sy < kOversample; ++sy) {
        for (int sxi = 0; sxi < kOversample; ++sxi) {
          const float fx = (tx - left + (sxi + 0.5f) / kOversample) / sx + static_cast<float>(x0);
          const float fy = (ty - baseline + (sy + 0.5f) / kOversample) * kOversample + static_cast<float>(bigBaseline);
          sum += big.Get(static_cast<int>(std::floor(fx)), static_cast<int>(std::floor(fy)));
        }
      }
      out->cover[static_cast<size_t>(ty) * width + tx] = sum / (kOversample * kOversample);
    }
  }
  return true;
}

bool FitGlyph(const TextStyle& large, char32_t c, int width, int height, int baseline, int maxInk, GlyphCell* out) {
  return FitText(large, std::u32string(1, c), width, height, baseline, maxInk, out);
}

struct InkColors {
  Rgba ink, edge, shadow;
};

// Solid ink, a darker edge where the ink thins out, and a shadow one pixel
// down and right.
RgbaImage ShadedGlyph(const GlyphCell& cell, const InkColors& colors) {
  RgbaImage image(cell.width, cell.height, Rgba{0, 0, 0, 0});
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      const float c = cell.At(x, y);
      if (c >= 0.55f) {
        image.At(x, y) = colors.ink;
      } else if (c >= 0.28f) {
        image.At(x, y) = colors.edge;
      } else if (cell.At(x - 1, y - 1) >= 0.5f) {
        image.At(x, y) = colors.shadow;
      }
    }
  }
  return image;
}

// Ink with a gradient and a dark outline `thickness` pixels wide.
RgbaImage OutlinedGlyph(const GlyphCell& cell, Rgba top, Rgba bottom, Rgba outline, int thickness) {
  RgbaImage image(cell.width, cell.height, Rgba{0, 0, 0, 0});
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      if (cell.At(x, y) >= 0.5f) {
        image.At(x, y) = Mix(top, bottom, static_cast<float>(y) / static_cast<float>(std::max(cell.height - 1, 1)));
        continue;
      }
      for (int dy = -thickness; dy <= thickness && image.At(x, y).a == 0; ++dy) {
        for (int dx = -thickness; dx <= thickness; ++dx) {
          if (dx * dx + dy * dy <= thickness * thickness + 1 && cell.At(x + dx, y + dy) >= 0.5f) {
            image.At(x, y) = outline;
            break;
          }
        }
      }
    }
  }
  return image;
}

// The characters of the sprite font's glyph ids 0-61 and 124-130.
char FontChar(int id) {
  if (id < 10) return static_cast<char>('0' + id);
  if (id < 36) return static_cast<char>('A' + id - 10);
  if (id < 62) return static_cast<char>('a' + id - 36);
  return "/%.()-+"[id - 124];
}

// Cap height 11: a glyph's top row lies at its offset - 11 from the
// baseline, and descenders reach 4 below it.
bool BuildSpriteFont(const std::string& fonts, std::vector<DataFile>* out, std::string* error) {
  const TextStyle large{fonts + "/NanumGothicBold.ttf", 15 * kOversample, 0};
  const InkColors banks[2] = {{Rgb(250, 250, 242), Rgb(150, 150, 150), Rgb(12, 12, 20)},
                              {Rgb(255, 212, 92), Rgb(170, 128, 48), Rgb(12, 12, 20)}};
  std::vector<RgbaImage> glyphs[2];
  // Glyphs 0-61 and 124-130; the second bank repeats the first in gold.
  for (int i = 0; i < 69; ++i) {
    const int id = i < kFontBankSize ? i : i + kFontBankSize;
    const int offset = kSpriteFontOffset[id], advance = kSpriteFontAdvance[id];
    GlyphCell cell;
    if (!FitGlyph(large, static_cast<unsigned char>(FontChar(id)), advance + 1, 16 - offset, 11 - offset,
                  std::max(advance - 1, 1), &cell)) {
      *error = "cannot open " + large.fontPath;
      return false;
    }
    for (int bank = 0; bank < 2; ++bank) glyphs[bank].push_back(ShadedGlyph(cell, banks[bank]));
  }
  PaletteSprite spr;
  for (int bank = 0; bank < 2; ++bank) {
    for (int i = 0; i < kFontBankSize; ++i) spr.Add(glyphs[bank][i]);
  }
  for (int i = kFontBankSize; i < 69; ++i) spr.Add(glyphs[0][i]);
  if (spr.Overflowed()) {
    *error = "sprite font: too many colours";
    return false;
  }
  out->push_back(DataFile{"sprite/system/font.spr", spr.Build()});
  return true;
}

// The money mark of the field menu's status bar: a gold coin, 16 pixels
// across, in four colours.
RgbaImage GoldCoin() {
  constexpr int kSize = 16;
  RgbaImage coin(kSize, kSize, Rgba{0, 0, 0, 0});
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float dx = static_cast<float>(x) + 0.5f - 8.0f, dy = static_cast<float>(y) + 0.5f - 8.0f;
      const float r = std::sqrt(dx * dx + dy * dy);
      if (r > 7.8f) continue;
      const bool lit = dx + dy < -3.0f;
      coin.At(x, y) = r > 6.6f ? Rgb(70, 44, 10) : r > 4.6f ? Rgb(232, 180, 48) : lit ? Rgb(255, 236, 140) : Rgb(206, 150, 30);
    }
  }
  return coin;
}

// A sack, the carried load's mark: the coin's browns.
RgbaImage LoadSack() {
  constexpr int kSize = 16;
  RgbaImage sack(kSize, kSize, Rgba{0, 0, 0, 0});
  for (int y = 2; y < kSize; ++y) {
    const int half = y < 5 ? 2 : std::min(7, 3 + (y - 5));
    for (int x = 8 - half; x < 8 + half; ++x) {
      const bool edge = x == 8 - half || x == 7 + half || y == kSize - 1 || y == 2 || y == 4;
      sack.At(x, y) = edge ? Rgb(70, 44, 10) : Rgb(206, 150, 30);
    }
  }
  return sack;
}

// Digits in five colours (sprites 0-49), four small arrows (50-53), then
// the rising mark that '!' and '%' draw (54), the falling mark of '.' (55),
// '-' (56), '/' (57), the money mark (58), and the shop's money (59) and
// load (60) marks; every sprite sits on its bottom edge.
bool BuildSystemDigits(const std::string& fonts, std::vector<DataFile>* out, std::string* error) {
  const TextStyle large{fonts + "/NanumSquareB.ttf", 13 * kOversample, 0};
  const Rgba colors[5] = {Rgb(248, 248, 240), Rgb(255, 210, 90), Rgb(120, 230, 120), Rgb(255, 110, 100),
                          Rgb(120, 180, 255)};
  PaletteSprite spr;
  const auto glyph = [&](char32_t c, int width, Rgba ink, RgbaImage* image) {
    GlyphCell cell;
    if (!FitGlyph(large, c, width, 12, 10, width - 2, &cell)) return false;
    *image = ShadedGlyph(cell, InkColors{ink, Mix(ink, Rgb(0, 0, 0), 0.4f), Rgb(12, 12, 20)});
    return true;
  };
  RgbaImage image(1, 1);
  for (const Rgba& ink : colors) {
    for (char32_t d = U'0'; d <= U'9'; ++d) {
      if (!glyph(d, 9, ink, &image)) {
        *error = "cannot open " + large.fontPath;
        return false;
      }
      spr.Add(image);
    }
  }
  // Up, down, left, right.
  const auto arrow = [](int turn, Rgba ink) {
    RgbaImage drawn(7, 7, Rgba{0, 0, 0, 0});
    for (int r = 0; r < 4; ++r) {
      for (int k = 3 - r; k <= 3 + r; ++k) {
        const int along = turn % 2 == 0 ? r + 1 : 5 - r;
        Rgba& p = turn < 2 ? drawn.At(k, along) : drawn.At(along, k);
        p = ink;
      }
    }
    return drawn;
  };
  for (int turn = 0; turn < 4; ++turn) spr.Add(arrow(turn, Rgb(240, 240, 232)));
  // A value that rises or falls with the chosen item.
  spr.Add(arrow(0, colors[2]));
  spr.Add(arrow(1, colors[3]));
  for (char32_t c : {U'-', U'/'}) {
    glyph(c, c == U'/' ? 9 : 8, colors[0], &image);
    spr.Add(image);
  }
  spr.Add(GoldCoin());
  spr.Add(GoldCoin());
  spr.Add(LoadSack());
  if (spr.Overflowed()) {
    *error = "system digits: too many colours";
    return false;
  }
  out->push_back(DataFile{"sprite/system/system.spr", spr.Build()});
  return true;
}

// A picture drawn in the world, where a layer shows its image mirrored.
RgbaImage ForWorld(const RgbaImage& image) {
  RgbaImage flipped = image;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) flipped.At(image.width - 1 - x, y) = image.At(x, y);
  }
  return flipped;
}

// The pictures that float over battle participants, centred above their
// point: damage digits as motions 0-9 of actions 0 (white, for a red tint
// too) and 1 (green), and the texts of actions 3-8.
bool AddFloatingPictures(const std::string& fonts, PaletteSprite& spr, std::vector<ActAction>& actions) {
  const TextStyle large{fonts + "/NanumSquareRoundB.ttf", 15 * kOversample, 0};
  const Rgba digitInks[2][2] = {{Rgb(255, 255, 255), Rgb(20, 20, 36)}, {Rgb(150, 255, 150), Rgb(8, 40, 12)}};
  for (int set = 0; set < 2; ++set) {
    ActAction& action = actions[static_cast<size_t>(set)];
    action.motions.assign(10, ActMotion{});
    for (int d = 0; d <= 9; ++d) {
      GlyphCell cell;
      if (!FitGlyph(large, static_cast<char32_t>(U'0' + d), 11, 16, 13, 8, &cell)) return false;
      const RgbaImage image = ForWorld(OutlinedGlyph(cell, digitInks[set][0], digitInks[set][0], digitInks[set][1], 1));
      action.motions[static_cast<size_t>(d)] = MotionOf(Layer(spr.Add(image), -5, -16, image));
    }
  }
  struct Text {
    int action;
    std::u32string word;
    Rgba ink, outline;
  };
  const Text texts[] = {{3, U"MISS", Rgb(200, 200, 210), Rgb(20, 20, 36)},
                        {4, U"MISS", Rgb(170, 210, 255), Rgb(8, 20, 56)},
                        {5, U"CRITICAL", Rgb(255, 220, 90), Rgb(90, 16, 8)},
                        {6, U"CRITICAL", Rgb(255, 120, 100), Rgb(60, 8, 8)},
                        {7, U"GUARD", Rgb(130, 200, 255), Rgb(8, 20, 56)},
                        {8, U"COUNTER", Rgb(150, 255, 150), Rgb(8, 40, 12)}};
  for (const Text& t : texts) {
    const int width = static_cast<int>(t.word.size()) * 9 + 4;
    GlyphCell cell;
    if (!FitText(large, t.word, width, 16, 13, width - 4, &cell)) return false;
    const RgbaImage image = ForWorld(OutlinedGlyph(cell, t.ink, t.ink, t.outline, 1));
    actions[static_cast<size_t>(t.action)].motions.assign(1, MotionOf(Layer(spr.Add(image), -width / 2, -16, image)));
  }
  return true;
}

// Battle digits: actions 9-12 hold the digits as motions 0-9 and the minus
// sign as motion 49; action 2 motion 0 is the spark that follows a number.
bool BuildBattleDigits(const std::string& fonts, std::vector<DataFile>* out, std::string* error) {
  constexpr int kWidths[10] = {17, 13, 16, 16, 18, 16, 16, 15, 16, 15};
  const TextStyle large{fonts + "/NanumSquareRoundB.ttf", 26 * kOversample, 0};
  struct Scheme {
    int action;
    Rgba top, bottom, outline;
  };
  const Scheme schemes[4] = {{9, Rgb(255, 255, 255), Rgb(200, 208, 224), Rgb(20, 20, 36)},
                             {10, Rgb(200, 255, 190), Rgb(64, 200, 80), Rgb(8, 40, 12)},
                             {11, Rgb(200, 230, 255), Rgb(70, 140, 255), Rgb(8, 20, 56)},
                             {12, Rgb(255, 250, 200), Rgb(255, 170, 40), Rgb(90, 16, 8)}};
  PaletteSprite spr;
  std::vector<ActAction> actions(13);
  for (ActAction& action : actions) action.motions.resize(1);
  for (const Scheme& s : schemes) {
    ActAction& action = actions[s.action];
    action.motions.assign(50, ActMotion{});
    for (int d = 0; d <= 10; ++d) {
      const bool minus = d == 10;
      const int width = minus ? 11 : kWidths[d] + 2;
      GlyphCell cell;
      if (!FitGlyph(large, minus ? U'-' : static_cast<char32_t>(U'0' + d), width, 26, 22, width - 5, &cell)) {
        *error = "cannot open " + large.fontPath;
        return false;
      }
      const RgbaImage image = OutlinedGlyph(cell, s.top, s.bottom, s.outline, 2);
      action.motions[minus ? 49 : d] = MotionOf(Layer(spr.Add(image), -1, 0, image));
    }
  }
  RgbaImage spark(9, 9, Rgba{0, 0, 0, 0});
  for (int i = 0; i < 9; ++i) {
    const int d = std::abs(i - 4);
    spark.At(i, 4) = spark.At(4, i) = d <= 1 ? Rgb(255, 255, 230) : Rgb(255, 196, 80);
  }
  actions[2].motions[0] = MotionOf(Layer(spr.Add(spark), 0, 8, spark));
  if (!AddFloatingPictures(fonts, spr, actions)) {
    *error = "cannot open " + fonts + "/NanumSquareRoundB.ttf";
    return false;
  }
  if (spr.Overflowed()) {
    *error = "battle digits: too many colours";
    return false;
  }
  out->push_back(DataFile{"sprite/system/battletext.spr", spr.Build()});
  out->push_back(DataFile{"sprite/system/battletext.act", BuildAct(kActVersion, actions)});
  return true;
}

}  // namespace

int PaletteSprite::Add(const RgbaImage& image) {
  Image entry{image.width, image.height, {}};
  for (const Rgba& p : image.pixels) {
    if (p.a < 128) {
      entry.indices.push_back(0);
      continue;
    }
    const uint32_t key = uint32_t{p.r} >> 3 << 10 | uint32_t{p.g} >> 3 << 5 | uint32_t{p.b} >> 3;
    auto it = std::find(m_colors.begin(), m_colors.end(), key);
    if (it == m_colors.end()) {
      if (m_colors.size() >= 255) {
        m_overflow = true;
        return -1;
      }
      it = m_colors.insert(m_colors.end(), key);
    }
    entry.indices.push_back(static_cast<uint8_t>(it - m_colors.begin() + 1));
  }
  m_images.push_back(std::move(entry));
  return static_cast<int>(m_images.size()) - 1;
}

int PaletteSprite::AddArgb(const RgbaImage& image) {
  m_argb.push_back(image);
  return static_cast<int>(m_argb.size()) - 1;
}

std::string PaletteSprite::Build() const {
  SprWriter writer(kSprVersion);
  for (size_t i = 0; i < m_colors.size(); ++i) {
    const uint32_t key = m_colors[i];
    const auto widen = [](uint32_t v) { return static_cast<uint8_t>(v << 3 | v >> 2); };
    writer.SetColor(static_cast<int>(i) + 1, widen(key >> 10 & 0x1F), widen(key >> 5 & 0x1F), widen(key & 0x1F));
  }
  for (const Image& image : m_images) {
    writer.AddImage(static_cast<uint16_t>(image.width), static_cast<uint16_t>(image.height), image.indices);
  }
  for (const RgbaImage& image : m_argb) {
    std::vector<uint32_t> pixels;
    for (const Rgba& p : image.pixels) {
      pixels.push_back(uint32_t{p.r} << 24 | uint32_t{p.g} << 16 | uint32_t{p.b} << 8 | p.a);
    }
    writer.AddArgbImage(static_cast<uint16_t>(image.width), static_cast<uint16_t>(image.height), std::move(pixels));
  }
  return writer.Build();
}

bool BuildInterfaceSprites(const std::string& fontFolder, std::vector<DataFile>* out, std::string* error) {
  return BuildDialogFrames(out, error) && BuildSpriteFont(fontFolder, out, error) &&
         BuildSystemDigits(fontFolder, out, error) && BuildBattleDigits(fontFolder, out, error);
}

}  // namespace slvtools
