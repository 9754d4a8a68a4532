#pragma once
// Sprite files ("spr", folder "sprite\"): palette images converted at load
// into 1-5-5-5 pixels, and true-colour images with per-pixel alpha. The
// animations name these images by index; the render context draws them.
//
// The engine keeps every image's pixels. What the display makes of them (a
// decal for a palette image, an alpha texture for a true-colour one) belongs
// to the renderer, which registers a maker; without one the images have
// pixels only.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Res.h"

class CMemFile;

// The display's side of one image, owned by the image.
class CSprDeviceImage {
 public:
  virtual ~CSprDeviceImage() = default;
};

struct SprImage;
struct SprArgbImage;

class CSprImageMaker {
 public:
  virtual ~CSprImageMaker() = default;
  // Null when the display keeps nothing of its own for the image.
  virtual std::unique_ptr<CSprDeviceImage> MakeDecal(const SprImage& image) = 0;
  virtual std::unique_ptr<CSprDeviceImage> MakeTexture(const SprArgbImage& image) = 0;
};
// The maker of every later sprite load; null makes none.
void SetSprImageMaker(CSprImageMaker* maker);

// A palette image: pixel 0 is transparent, every other has bit 15 set.
struct SprImage {
  int32_t width = 0;
  int32_t height = 0;
  bool fullSize = false;        // of a "system" sprite: never halved
  std::vector<uint16_t> pixels;  // rows from the top
  std::unique_ptr<CSprDeviceImage> device;
};

// A true-colour image: alpha in bits 0-7, blue 8-15, green 16-23, red 24-31.
struct SprArgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // rows from the top
  std::unique_ptr<CSprDeviceImage> device;
};

// Images larger than this are refused: a decal holds at most 256 x 256.
inline constexpr int64_t kMaxSprImagePixels = 65536;

class CSprRes : public CRes {
  SLV_RES(CSprRes)
 public:
  ~CSprRes() override { Reset(); }
  bool Load(const std::string& name) override;
  void Reset() override;

  // Sprite ids count the palette images.
  int GetImageCount() const { return static_cast<int>(m_images.size()); }
  int GetArgbImageCount() const { return static_cast<int>(m_argbImages.size()); }
  // Null outside the lists.
  const SprImage* GetImage(int i) const;
  const SprArgbImage* GetArgbImage(int i) const;
  // The size of image i of the palette list (kind 0) or the true-colour
  // list (any other kind); false when there is none.
  bool GetImageSize(int kind, int i, int32_t* width, int32_t* height) const;
  const std::string& GetName() const { return m_name; }

  // Every sprite load shares one palette (red, green, blue, unused): a file
  // without one uses what the previous load left.
  static uint8_t s_palette[256][4];

 private:
  bool Parse(CMemFile& file, bool system);
  bool ReadImages(CMemFile& file, int count, bool system);
  bool ReadArgbImages(CMemFile& file, int count);

  std::string m_name;
  int64_t m_imagesEnd = 0;  // while loading: the palette's offset, or the file's end
  std::vector<SprImage> m_images;
  std::vector<SprArgbImage> m_argbImages;
};
