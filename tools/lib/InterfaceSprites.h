#pragma once
// The interface sprites of the sample data, drawn by program: the dialog
// frames ("system/dlgFrame"), the sprite font ("system/font"), the system
// digits ("system/system") and the battle digits and floating texts
// ("system/battletext").
// Their shapes follow the 2-D drawing helpers: nine-piece frames of 40- and
// 20-pixel pieces, glyphs that advance by the font's width table.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"
#include "tools/lib/TextureImages.h"

namespace slvtools {

// The sprite and animation files under "sprite/system/". False, with the
// reason in `error`, when a font cannot be opened.
bool BuildInterfaceSprites(const std::string& fontFolder, std::vector<DataFile>* out, std::string* error);

// A sprite file of palette images made from pictures: opaque pixels get
// palette entries (colours kept to the 5-5-5 the display uses), pixels of
// opacity below one half are transparent.
class PaletteSprite {
 public:
  // The image's index; -1 when the palette is full.
  int Add(const RgbaImage& image);
  bool Overflowed() const { return m_overflow; }
  // A true-colour image (with its alpha); its index among those.
  int AddArgb(const RgbaImage& image);
  std::string Build() const;

 private:
  std::vector<uint32_t> m_colors;  // 5-5-5 keys of entries 1, 2, ...
  struct Image {
    int width, height;
    std::vector<uint8_t> indices;
  };
  std::vector<Image> m_images;
  std::vector<RgbaImage> m_argb;
  bool m_overflow = false;
};

}  // namespace slvtools
