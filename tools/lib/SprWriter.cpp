#include "tools/lib/SprWriter.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {

void SprWriter::AddImage(uint16_t width, uint16_t height, std::vector<uint8_t> indices) {
  m_images.push_back({width, height, std::string(indices.begin(), indices.end())});
}

void SprWriter::AddArgbImage(uint16_t width, uint16_t height, std::vector<uint32_t> pixels) {
  std::string bytes;
  for (uint32_t pixel : pixels) PutU32(bytes, pixel);
  m_argbImages.push_back({width, height, std::move(bytes)});
}

void SprWriter::SetColor(int index, uint8_t red, uint8_t green, uint8_t blue) {
  uint8_t* entry = &m_palette[static_cast<size_t>(index & 0xFF) * 4];
  entry[0] = red;
  entry[1] = green;
  entry[2] = blue;
}

std::string SprWriter::Build() const {
  std::string out = "SP";
  PutU16(out, m_version);
  PutU16(out, static_cast<uint16_t>(m_images.size()));
  if (m_version >= 0x200) PutU16(out, static_cast<uint16_t>(m_argbImages.size()));
  const auto put = [&out](const Image& image) {
    PutU16(out, image.width);
    PutU16(out, image.height);
    out += image.bytes;
  };
  for (const Image& image : m_images) put(image);
  if (m_version >= 0x200) {
    for (const Image& image : m_argbImages) put(image);
  }
  if (m_version > 0x100) out.append(m_palette.begin(), m_palette.end());
  return out;
}

}  // namespace slvtools
