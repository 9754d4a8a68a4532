#pragma once
// Writes sprite files: the header, the palette images (one palette index a
// pixel), the true-colour images and the palette. Fields are written as
// given, so tests can make files that disagree with themselves.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace slvtools {

class SprWriter {
 public:
  // 0x100 files have neither a palette nor true-colour images; 0x101 files
  // have a palette; 0x200 and later both.
  explicit SprWriter(uint16_t version = 0x200) : m_version(version) {}

  void AddImage(uint16_t width, uint16_t height, std::vector<uint8_t> indices);
  // Alpha in bits 0-7, blue 8-15, green 16-23, red 24-31.
  void AddArgbImage(uint16_t width, uint16_t height, std::vector<uint32_t> pixels);
  void SetColor(int index, uint8_t red, uint8_t green, uint8_t blue);

  std::string Build() const;

 private:
  struct Image {
    uint16_t width, height;
    std::string bytes;
  };
  uint16_t m_version;
  std::vector<Image> m_images;
  std::vector<Image> m_argbImages;
  std::array<uint8_t, 1024> m_palette{};
};

}  // namespace slvtools
