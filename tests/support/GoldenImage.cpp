#include "tests/support/GoldenImage.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Display.h"
#include "tests/support/TestSupport.h"

namespace testsupport {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kChannels = 3;

void PutBe32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift & 0xFF);
}

uint32_t GetBe32(const std::string& in, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(in[at + i]);
  return v;
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBe32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The predictor of a filter type from the left, upper and upper-left bytes.
int Predict(int type, int left, int up, int upLeft) {
  switch (type) {
    case 1: return left;
    case 2: return up;
    case 3: return (left + up) / 2;
    case 4: return Paeth(left, up, upLeft);
    default: return 0;
  }
}

// Each row with the filter that leaves the smallest sum of magnitudes.
std::string FilteredRows(const RgbImage& image) {
  const size_t stride = static_cast<size_t>(image.width) * kChannels;
  std::string out;
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = image.rgb.data() + y * stride;
    const uint8_t* prev = y > 0 ? row - stride : nullptr;
    std::string best;
    long bestSum = -1;
    for (int type = 0; type <= 4; ++type) {
      std::string line(1, static_cast<char>(type));
      long sum = 0;
      for (size_t i = 0; i < stride; ++i) {
        const int left = i >= kChannels ? row[i - kChannels] : 0, up = prev ? prev[i] : 0;
        const int upLeft = prev && i >= kChannels ? prev[i - kChannels] : 0;
        const auto v = static_cast<uint8_t>(row[i] - Predict(type, left, up, upLeft));
        line += static_cast<char>(v);
        sum += v < 128 ? v : 256 - v;
      }
      if (bestSum < 0 || sum < bestSum) best = line, bestSum = sum;
    }
    out += best;
  }
  return out;
}

bool Unfilter(const std::string& data, RgbImage* image) {
  const size_t stride = static_cast<size_t>(image->width) * kChannels;
  if (data.size() != (stride + 1) * image->height) return false;
  image->rgb.assign(stride * image->height, 0);
  for (int y = 0; y < image->height; ++y) {
    const int type = static_cast<uint8_t>(data[y * (stride + 1)]);
    if (type > 4) return false;
    uint8_t* row = image->rgb.data() + y * stride;
    const uint8_t* prev = y > 0 ? row - stride : nullptr;
    for (size_t i = 0; i < stride; ++i) {
      const int left = i >= kChannels ? row[i - kChannels] : 0, up = prev ? prev[i] : 0;
      const int upLeft = prev && i >= kChannels ? prev[i - kChannels] : 0;
      row[i] = static_cast<uint8_t>(static_cast<uint8_t>(data[y * (stride + 1) + 1 + i]) + Predict(type, left, up, upLeft));
    }
  }
  return true;
}

std::string Describe(const RgbImage& a, const RgbImage& b) {
  if (a.width != b.width || a.height != b.height) {
    return "size " + std::to_string(a.width) + "x" + std::to_string(a.height) + " against " +
           std::to_string(b.width) + "x" + std::to_string(b.height);
  }
  size_t differ = 0, first = a.rgb.size();
  for (size_t i = 0; i < a.rgb.size(); i += kChannels) {
    if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) {
      if (differ++ == 0) first = i / kChannels;
    }
  }
  return std::to_string(differ) + " pixels differ, the first at (" + std::to_string(first % a.width) + ", " +
         std::to_string(first / a.width) + ")";
}

}  // namespace

RgbImage PresentedImage() {
  const platform::PresentedFrame& f = platform::LastPresentedFrame();
  RgbImage image{f.width, f.height, {}};
  image.rgb.reserve(f.pixels.size() * kChannels);
  for (uint16_t p : f.pixels) {
    image.rgb.push_back(static_cast<uint8_t>((p >> 11) << 3));
    image.rgb.push_back(static_cast<uint8_t>(((p >> 5) & 0x3F) << 2));
    image.rgb.push_back(static_cast<uint8_t>((p & 0x1F) << 3));
  }
  return image;
}

bool ReadPpm(const std::filesystem::path& path, RgbImage* out) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  if (!(in >> magic >> out->width >> out->height >> maxval) || magic != "P6" || maxval != 255 || out->width <= 0 ||
      out->height <= 0) {
    return false;
  }
  in.get();  // the one blank before the pixels
  out->rgb.resize(static_cast<size_t>(out->width) * out->height * kChannels);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(out->rgb.data()), static_cast<std::streamsize>(out->rgb.size())));
}

std::string EncodePng(const RgbImage& image) {
  std::string out(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
  std::string header;
  PutBe32(header, static_cast<uint32_t>(image.width));
  PutBe32(header, static_cast<uint32_t>(image.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no interlace
  PutChunk(out, "IHDR", header);
  const std::string rows = FilteredRows(image);
  uLongf size = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
            static_cast<uLong>(rows.size()), 9);
  packed.resize(size);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", "");
  return out;
}

bool DecodePng(const std::string& bytes, RgbImage* out) {
  if (bytes.size() < sizeof kSignature || bytes.compare(0, sizeof kSignature, reinterpret_cast<const char*>(kSignature), sizeof kSignature) != 0) {
    return false;
  }
  std::string packed;
  bool header = false;
  for (size_t at = sizeof kSignature; at + 12 <= bytes.size();) {
    const uint32_t length = GetBe32(bytes, at);
    if (length > bytes.size() - at - 12) return false;
    const std::string type = bytes.substr(at + 4, 4), data = bytes.substr(at + 8, length);
    if (type == "IHDR") {
      if (length != 13 || data.substr(8) != std::string("\x08\x02\x00\x00\x00", 5)) return false;
      out->width = static_cast<int>(GetBe32(data, 0));
      out->height = static_cast<int>(GetBe32(data, 4));
      header = out->width > 0 && out->height > 0 && out->width <= 8192 && out->height <= 8192;
    } else if (type == "IDAT") {
      packed += data;
    }
    at += 12 + length;
  }
  if (!header) return false;
  uLongf size = (static_cast<uLongf>(out->width) * kChannels + 1) * out->height;
  std::string rows(size, '\0');
  if (uncompress(reinterpret_cast<Bytef*>(rows.data()), &size, reinterpret_cast<const Bytef*>(packed.data()),
                 static_cast<uLong>(packed.size())) != Z_OK) {
    return false;
  }
  rows.resize(size);
  return Unfilter(rows, out);
}

std::string CompareWithGolden(const std::string& name, const RgbImage& actual, const std::string& folder) {
  const std::filesystem::path path = SourceDir() / folder / (name + ".png");
  if (const char* update = std::getenv("SLV_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << EncodePng(actual);
    return "";
  }
  RgbImage expected;
  if (!DecodePng(ReadFile(path), &expected)) return path.string() + " cannot be read (SLV_UPDATE_GOLDEN=1 writes it)";
  if (expected == actual) return "";
  const std::filesystem::path seen = std::filesystem::temp_directory_path() / (name + ".actual.png");
  std::ofstream(seen, std::ios::binary) << EncodePng(actual);
  return name + ": " + Describe(actual, expected) + "; the screenshot is in " + seen.string() +
         " (SLV_UPDATE_GOLDEN=1 writes the golden image)";
}

}  // namespace testsupport
