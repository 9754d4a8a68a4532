#include <gtest/gtest.h>

#include "launcher/BitmapRgb.h"
#include "tests/launcher/LauncherFolder.h"

namespace {

using launchertest::LauncherFolderTest;

// An odd width, so that rows carry padding.
slvtools::RgbaImage Odd() {
  slvtools::RgbaImage image(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) image.At(x, y) = slvtools::Rgba{uint8_t(x * 50), uint8_t(y * 100), uint8_t(x + y), 255};
  }
  return image;
}

std::string Bmp8(const slvtools::RgbaImage& image) {
  std::vector<slvtools::Rgba> palette;
  std::vector<uint8_t> indices;
  for (const slvtools::Rgba& p : image.pixels) {
    indices.push_back(static_cast<uint8_t>(palette.size()));
    palette.push_back(p);
  }
  return slvtools::WriteBmp8(image.width, image.height, indices, palette);
}

std::unique_ptr<uint8_t[]> Decode(const std::string& bytes, int* width, int* height) {
  return DecodeBitmapRgb(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width, height);
}

void Put32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
}

TEST(LoadBitmapRgb, EightAndTwentyFourBitPicturesOfOddWidthDecodeAlike) {
  const slvtools::RgbaImage image = Odd();
  std::vector<uint8_t> expected;
  for (const slvtools::Rgba& p : image.pixels) expected.insert(expected.end(), {p.b, p.g, p.r});
  for (const std::string& bytes : {slvtools::WriteBmp24(image), Bmp8(image)}) {
    int width = 0, height = 0;
    const std::unique_ptr<uint8_t[]> pixels = Decode(bytes, &width, &height);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(std::vector<uint8_t>(pixels.get(), pixels.get() + 45), expected);
  }
}

TEST(LoadBitmapRgb, DamagedHeadersGiveNothing) {
  const std::string good = slvtools::WriteBmp24(Odd());
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
  };
  const Case cases[] = {
      {"zero width", 18, 0},
      {"negative height", 22, 0xFFFFFFFDu},
      {"huge width", 18, 1u << 20},
      {"32 bits", 28, 32 | 1u << 16},
      {"4 bits", 28, 4 | 1u << 16},
      {"rows past the file", 10, 100},
      {"offset past the file", 10, 0xFFFFFFF0u},
  };
  for (const Case& c : cases) {
    std::string bytes = good;
    Put32(bytes, c.at, c.value);
    int width = 0, height = 0;
    EXPECT_EQ(Decode(bytes, &width, &height), nullptr) << c.what;
  }
  int width = 0, height = 0;
  EXPECT_EQ(Decode(good.substr(0, 53), &width, &height), nullptr);
  EXPECT_EQ(Decode(good.substr(0, good.size() - 1), &width, &height), nullptr);
}

TEST(LoadBitmapRgb, PaletteEntriesPastTheFileAreBlack) {
  // One entry of palette; the pixel rows follow at once and use index 200.
  std::string bytes = Bmp8(slvtools::RgbaImage(1, 1, slvtools::Rgba{10, 20, 30, 255}));
  const size_t rows = 54 + 4;
  bytes.resize(rows + 4);
  Put32(bytes, 10, rows);
  bytes[rows] = static_cast<char>(200);
  int width = 0, height = 0;
  const std::unique_ptr<uint8_t[]> pixels = Decode(bytes, &width, &height);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(pixels.get(), pixels.get() + 3), (std::vector<uint8_t>{0, 0, 0}));
  bytes[rows] = 0;
  const std::unique_ptr<uint8_t[]> first = Decode(bytes, &width, &height);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(first.get(), first.get() + 3), (std::vector<uint8_t>{30, 20, 10}));
}

class LoadBitmapRgbFileTest : public LauncherFolderTest {};

TEST_F(LoadBitmapRgbFileTest, ReadsThroughTheFileLayer) {
  int width = 0, height = 0;
  const std::unique_ptr<uint8_t[]> pixels = LoadBitmapRgb("images/selected.bmp", &width, &height);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(width, launchertest::kWidth);
  EXPECT_EQ(height, launchertest::kHeight);
  EXPECT_EQ(std::vector<uint8_t>(pixels.get(), pixels.get() + 3), launchertest::Bgr(1, 0, 0));
  EXPECT_EQ(LoadBitmapRgb("images/none.bmp", &width, &height), nullptr);
}

}  // namespace
