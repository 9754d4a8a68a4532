#include "tools/lib/FilteringPreviews.h"

#include <string>

#include "platform/Device3D.h"
#include "tools/lib/TextureImages.h"

namespace slvtools {
namespace {

constexpr int kSide = 140;
constexpr int kTexture = 16;

uint16_t Rgb565(int r, int g, int b) { return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }
uint16_t Argb4444(int a, int r, int g, int b) {
  return static_cast<uint16_t>((a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | (b >> 4));
}

// Red bricks in courses of four texels, offset every other course, with
// pale mortar between them.
platform::Surface Bricks() {
  platform::Surface wall(kTexture, kTexture, platform::PixelFormat::RGB565);
  for (int y = 0; y < kTexture; ++y) {
    for (int x = 0; x < kTexture; ++x) {
      const int shifted = (y / 4) % 2 == 0 ? x : x + 4;
      const bool mortar = y % 4 == 3 || shifted % 8 == 7;
      const int shade = (x * 7 + y * 13) % 3 * 12;
      wall.Row(y)[x] = mortar ? Rgb565(200, 196, 180) : Rgb565(150 + shade, 60 + shade / 2, 40);
    }
  }
  return wall;
}

// A round blue creature with two eyes on a transparent ground.
platform::Surface Creature() {
  platform::Surface sprite(kTexture, kTexture, platform::PixelFormat::ARGB4444);
  for (int y = 0; y < kTexture; ++y) {
    for (int x = 0; x < kTexture; ++x) {
      const int dx = 2 * x - 15, dy = 2 * y - 17;
      const bool body = dx * dx + dy * dy * 3 / 2 < 196 && y > 2;
      const bool eye = (x == 5 || x == 10) && (y == 7 || y == 8);
      const bool shine = x == 4 && y == 5;
      sprite.Row(y)[x] = !body   ? Argb4444(0, 0, 0, 0)
                         : eye   ? Argb4444(255, 16, 16, 32)
                         : shine ? Argb4444(255, 240, 250, 255)
                                 : Argb4444(255, 70, 140 + y * 6, 230);
    }
  }
  return sprite;
}

void Quad(platform::Device3D& device, float left, float top, float right, float bottom) {
  const uint32_t white = 0xFFFFFFFFu;
  const platform::TexturedVertex v[6] = {
      {left, top, 0.5f, 1, white, 0, 0, 0},     {right, top, 0.5f, 1, white, 0, 1, 0},
      {left, bottom, 0.5f, 1, white, 0, 0, 1},  {right, top, 0.5f, 1, white, 0, 1, 0},
      {right, bottom, 0.5f, 1, white, 0, 1, 1}, {left, bottom, 0.5f, 1, white, 0, 0, 1},
  };
  device.DrawPrimitive(platform::PrimitiveType::TriangleList, platform::VertexFormat::Textured, v, 6);
}

void SetFilter(platform::Device3D& device, bool linear) {
  const auto filter = static_cast<uint32_t>(linear ? platform::Filter::Linear : platform::Filter::Point);
  device.SetStageState(platform::StageState::MinFilter, filter);
  device.SetStageState(platform::StageState::MagFilter, filter);
}

RgbaImage Draw(bool linearWall, bool linearSprite, const platform::Surface& wall, const platform::Surface& sprite) {
  platform::Surface target(kSide, kSide, platform::PixelFormat::RGB565);
  platform::Device3D device(target, nullptr);
  device.BeginScene();
  device.Clear(platform::Rect{0, 0, kSide, kSide}, platform::kClearTarget, 0xFF5A7A9Au, 1.0f);
  device.SetTexture(&wall);
  SetFilter(device, linearWall);
  Quad(device, 0, 0, kSide, 92);
  device.SetTexture(&sprite);
  SetFilter(device, linearSprite);
  device.SetRenderState(platform::RenderState::AlphaBlendEnable, 1);
  Quad(device, 34, 60, 106, 132);
  device.EndScene();
  RgbaImage image(kSide, kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const uint16_t p = target.Row(y)[x];
      const auto widen = [](uint32_t v, int bits) {
        return static_cast<uint8_t>(v << (8 - bits) | v >> (2 * bits - 8));
      };
      image.At(x, y) = Rgba{widen(p >> 11, 5), widen(p >> 5 & 0x3F, 6), widen(p & 0x1F, 5), 255};
    }
  }
  return image;
}

}  // namespace

std::vector<DataFile> BuildFilteringPreviews() {
  const platform::Surface wall = Bricks();
  const platform::Surface sprite = Creature();
  std::vector<DataFile> files;
  for (int t = 0; t < 2; ++t) {
    for (int s = 0; s < 2; ++s) {
      files.push_back(DataFile{"images/t" + std::to_string(t) + "s" + std::to_string(s) + ".bmp",
                               WriteBmp24(Draw(t == 1, s == 1, wall, sprite))});
    }
  }
  return files;
}

}  // namespace slvtools
