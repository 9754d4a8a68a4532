#include "tools/lib/TextureImages.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {

namespace {

// File header and 40-byte info header.
std::string BmpHeaders(int width, int height, int bits, uint32_t colours, uint32_t dataSize) {
  const uint32_t offBits = 14 + 40 + colours * 4;
  std::string out = "BM";
  PutU32(out, offBits + dataSize);
  PutU32(out, 0);
  PutU32(out, offBits);
  PutU32(out, 40);
  PutU32(out, static_cast<uint32_t>(width));
  PutU32(out, static_cast<uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, static_cast<uint16_t>(bits));
  PutU32(out, 0);  // no compression
  PutU32(out, dataSize);
  PutU32(out, 2835);
  PutU32(out, 2835);
  PutU32(out, colours);
  PutU32(out, 0);
  return out;
}

void PutPixel(std::string& out, const Rgba& p, bool alpha) {
  out += static_cast<char>(p.b);
  out += static_cast<char>(p.g);
  out += static_cast<char>(p.r);
  if (alpha) out += static_cast<char>(p.a);
}

// Runs of equal pixels become run packets, the rest raw packets, each at
// most 128 pixels.
void PutPackedRow(std::string& out, const Rgba* row, int width, bool alpha) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 128 && row[x + run] == row[x]) ++run;
    if (run > 1) {
      out += static_cast<char>(0x80 | (run - 1));
      PutPixel(out, row[x], alpha);
      x += run;
      continue;
    }
    int raw = 1;
    while (x + raw < width && raw < 128 && !(x + raw + 1 < width && row[x + raw + 1] == row[x + raw])) ++raw;
    out += static_cast<char>(raw - 1);
    for (int i = 0; i < raw; ++i) PutPixel(out, row[x + i], alpha);
    x += raw;
  }
}

}  // namespace

std::string WriteBmp24(const RgbaImage& image) {
  const int stride = (image.width * 3 + 3) & ~3;
  std::string out = BmpHeaders(image.width, image.height, 24, 0, static_cast<uint32_t>(stride * image.height));
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) PutPixel(out, image.At(x, y), false);
    out.append(static_cast<size_t>(stride - image.width * 3), '\0');
  }
  return out;
}

std::string WriteBmp8(int width, int height, const std::vector<uint8_t>& indices,
                      const std::vector<Rgba>& palette) {
  const int stride = (width + 3) & ~3;
  std::string out = BmpHeaders(width, height, 8, static_cast<uint32_t>(palette.size()),
                               static_cast<uint32_t>(stride * height));
  for (const Rgba& c : palette) {
    PutPixel(out, c, false);
    out += '\0';
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) out += static_cast<char>(indices[static_cast<size_t>(y) * width + x]);
    out.append(static_cast<size_t>(stride - width), '\0');
  }
  return out;
}

std::string WriteTga(const RgbaImage& image, int bitsPerPixel, bool runLength) {
  const bool alpha = bitsPerPixel == 32;
  std::string out;
  out += '\0';                              // no image id
  out += '\0';                              // no colour map
  out += static_cast<char>(runLength ? 10 : 2);
  out.append(5, '\0');                      // colour-map fields
  PutU16(out, 0);                           // x origin
  PutU16(out, 0);                           // y origin
  PutU16(out, static_cast<uint16_t>(image.width));
  PutU16(out, static_cast<uint16_t>(image.height));
  out += static_cast<char>(bitsPerPixel);
  out += static_cast<char>(0x20 | (alpha ? 8 : 0));  // top-left origin, alpha bits
  for (int y = 0; y < image.height; ++y) {
    const Rgba* row = &image.pixels[static_cast<size_t>(y) * image.width];
    if (runLength) {
      PutPackedRow(out, row, image.width, alpha);
    } else {
      for (int x = 0; x < image.width; ++x) PutPixel(out, row[x], alpha);
    }
  }
  return out;
}

}  // namespace slvtools
