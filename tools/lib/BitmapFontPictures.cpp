#include "tools/lib/BitmapFontPictures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "tools/lib/Canvas.h"
#include "tools/lib/TextureImages.h"

namespace slvtools {
namespace {

constexpr std::string_view kCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-";

// One size of the font: the picture's size, the baseline, the widest ink
// (the advance less a pixel) and the largest type size.
struct Cut {
  const char* prefix;
  int width, height, baseline, maxInk, size;
};
constexpr Cut kBig{"big_", 48, 50, 44, 46, 48};
constexpr Cut kSmall{"small_", 16, 22, 18, 14, 16};

std::vector<Rgba> GreyPalette() {
  std::vector<Rgba> grey(256);
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    grey[static_cast<size_t>(i)] = Rgba{v, v, v, 255};
  }
  return grey;
}

// The character centred on its cell, the type made smaller until it fits.
bool Draw(const Cut& cut, const std::string& fontPath, char c, std::vector<uint8_t>* opacity) {
  const std::u32string text(1, static_cast<char32_t>(c));
  TextStyle style{fontPath, cut.size, 0};
  while (style.size > 6 && TextWidth(style, text) > cut.maxInk) --style.size;
  Mask mask(cut.width, cut.height);
  if (!TextMask(style, text, cut.width / 2, cut.baseline, Align::Center, &mask)) return false;
  opacity->assign(static_cast<size_t>(cut.width) * cut.height, 0);
  for (int y = 0; y < cut.height; ++y) {
    for (int x = 0; x < cut.width; ++x) {
      (*opacity)[static_cast<size_t>(y) * cut.width + x] =
          static_cast<uint8_t>(std::lround(std::clamp(mask.Get(x, y), 0.0f, 1.0f) * 255.0f));
    }
  }
  return true;
}

}  // namespace

bool BuildBitmapFontPictures(const std::string& fontFolder, std::vector<DataFile>* out, std::string* error) {
  const std::string fontPath = fontFolder + "/NanumMyeongjoBold.ttf";
  const std::vector<Rgba> grey = GreyPalette();
  for (const Cut& cut : {kBig, kSmall}) {
    for (const char c : kCharacters) {
      std::vector<uint8_t> opacity;
      if (!Draw(cut, fontPath, c, &opacity)) {
        *error = "cannot open the font " + fontPath;
        return false;
      }
      const std::string name = std::string("bmp/userinterface/font/") + cut.prefix +
                               static_cast<char>(std::tolower(static_cast<unsigned char>(c))) + ".bmp";
      out->push_back(DataFile{name, WriteBmp8(cut.width, cut.height, opacity, grey)});
    }
  }
  return true;
}

}  // namespace slvtools
