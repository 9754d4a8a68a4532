#include "engine/BitmapRes.h"

#include "engine/BmpHeader.h"
#include "engine/FileStream.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CBitmapRes, "bmp", "bmp\\");
SLV_REGISTER_RES(CBitmapRes, "ico", "item\\");

uint32_t CBitmapRes::s_displayGreenMask = 0;

namespace {

constexpr int32_t kMaxWidth = 0xFFFF;  // one run spans a whole row

// A bitmap's pixels, top row first, each row `stride` bytes of the rounded
// width; columns past the file's width are zero in 24-bit pictures.
struct BmpPixels {
  int32_t width = 0;    // as in the file
  int32_t rounded = 0;  // up to a multiple of 4
  int32_t height = 0;
  int bytesPerPixel = 0;
  std::vector<uint8_t> pixels;

  const uint8_t* At(int x, int y) const {
    return pixels.data() + (static_cast<size_t>(y) * rounded + x) * bytesPerPixel;
  }
};

bool ReadRows(CMemFile& file, const BmpHeader& h, BmpPixels* out) {
  out->width = h.width;
  out->rounded = (h.width + 3) & ~3;
  out->height = h.height;
  out->bytesPerPixel = h.bitCount / 8;
  const int64_t fileStride = h.Stride();
  if (int64_t{h.offBits} + fileStride * h.height > file.GetSize()) return false;
  const size_t stride = static_cast<size_t>(out->rounded) * out->bytesPerPixel;
  out->pixels.assign(stride * static_cast<size_t>(h.height), 0);
  for (int32_t y = 0; y < h.height; ++y) {
    file.Seek(static_cast<int32_t>(h.offBits + fileStride * (h.height - 1 - y)), 0);
    // A stored row never exceeds the held one: 24-bit padding is under 3 pixels.
    if (!file.Read(out->pixels.data() + static_cast<size_t>(y) * stride, static_cast<uint32_t>(fileStride))) {
      return false;
    }
  }
  return true;
}

// Reads an 8- or 24-bit bitmap; false (logged) for anything else.
bool ReadBmp(const std::string& name, BmpPixels* out) {
  CMemFile file;
  if (!file.LoadFile(name)) {
    DebugLogf("CBitmapRes :: cannot open %s", name.c_str());
    return false;
  }
  BmpHeader h;
  if (!ReadBmpHeader(file, &h) || h.type != kBmpType) {
    DebugLogf("CBitmapRes :: not a bitmap : %s", name.c_str());
    return false;
  }
  if (h.bitCount != 8 && h.bitCount != 24) {
    DebugLogf("CBitmapRes :: %d bits per pixel not supported : %s", h.bitCount, name.c_str());
    return false;
  }
  if (h.width <= 0 || h.height <= 0 || h.width > kMaxWidth) {
    DebugLogf("CBitmapRes :: bad size %d x %d : %s", h.width, h.height, name.c_str());
    return false;
  }
  if (!ReadRows(file, h, out)) {
    DebugLogf("CBitmapRes :: pixel data past the end of %s", name.c_str());
    return false;
  }
  return true;
}

// Codes one row as runs of pixels of one code; `emit` appends a pixel's data.
template <class CodeOf, class Emit>
std::vector<uint8_t> CodeRow(int width, CodeOf codeOf, Emit emit) {
  std::vector<uint8_t> row;
  int x = 0;
  while (x < width) {
    const uint8_t code = codeOf(x);
    const size_t header = row.size();
    row.insert(row.end(), {code, 0, 0});
    int n = 0;
    for (; x < width && n < 0xFFFF && codeOf(x) == code; ++x, ++n) emit(code, x, row);
    row[header + 1] = static_cast<uint8_t>(n);
    row[header + 2] = static_cast<uint8_t>(n >> 8);
  }
  return row;
}

void PushColor(std::vector<uint8_t>& row, uint16_t color) {
  row.push_back(static_cast<uint8_t>(color));
  row.push_back(static_cast<uint8_t>(color >> 8));
}

uint32_t ColorLayout() {
  const uint32_t mask = CBitmapRes::GetDisplayGreenMask();
  if (mask != kGreenMask565 && mask != kGreenMask555) {
    DebugLogf("CBitmapRes :: unknown pixel format, green mask 0x%X", mask);
  }
  return mask;
}

std::vector<uint8_t> CodeIndexRow(const BmpPixels& bmp, int y) {
  return CodeRow(
      bmp.rounded, [&](int x) { return *bmp.At(x, y) == 0 ? kRleSkip : kRleShade; },
      [&](uint8_t code, int x, std::vector<uint8_t>& row) {
        if (code == kRleShade) row.push_back(*bmp.At(x, y));
      });
}

// Columns past the file's width are transparent.
std::vector<uint8_t> CodeKeyedRow(const BmpPixels& bmp, int y, uint32_t layout) {
  auto codeOf = [&](int x) {
    const uint8_t* p = bmp.At(x, y);
    const bool magenta = p[0] == 255 && p[1] == 0 && p[2] == 255;
    return x >= bmp.width || magenta ? kRleSkip : kRleCopy;
  };
  return CodeRow(bmp.rounded, codeOf, [&](uint8_t code, int x, std::vector<uint8_t>& row) {
    const uint8_t* p = bmp.At(x, y);
    if (code == kRleCopy) PushColor(row, PackBitmapColor(p[2], p[1], p[0], layout));
  });
}

std::vector<uint8_t> CodeAlphaRow(const BmpPixels& bmp, const BmpPixels& alpha, int y, uint32_t layout) {
  auto codeOf = [&](int x) {
    const uint8_t a = x < bmp.width ? *alpha.At(x, y) : 0;
    return a == 0 ? kRleSkip : a == 255 ? kRleCopy : kRleBlend;
  };
  return CodeRow(bmp.rounded, codeOf, [&](uint8_t code, int x, std::vector<uint8_t>& row) {
    const uint8_t* p = bmp.At(x, y);
    if (code == kRleCopy) PushColor(row, PackBitmapColor(p[2], p[1], p[0], layout));
    if (code == kRleBlend) row.insert(row.end(), {*alpha.At(x, y), p[0], p[1], p[2]});
  });
}

// "a_" before the file part of the name: the companion lies in the same folder.
std::string AlphaName(const std::string& name) {
  const size_t slash = name.find_last_of("\\/");
  const size_t at = slash == std::string::npos ? 0 : slash + 1;
  return name.substr(0, at) + "a_" + name.substr(at);
}

// The companion counts only when it is an 8-bit bitmap of the same size.
bool ReadAlphaCompanion(const std::string& name, const BmpPixels& bmp, BmpPixels* alpha) {
  const std::string alphaName = AlphaName(name);
  if (!FileExists(alphaName.c_str())) return false;
  if (ReadBmp(alphaName, alpha) && alpha->bytesPerPixel == 1 && alpha->width == bmp.width &&
      alpha->height == bmp.height) {
    return true;
  }
  DebugLogf("CBitmapRes :: %s is no 8-bit bitmap of the same size; magenta is transparent", alphaName.c_str());
  return false;
}

}  // namespace

uint16_t PackBitmapColor(uint8_t red, uint8_t green, uint8_t blue, uint32_t greenMask) {
  if (greenMask == kGreenMask555) {
    return static_cast<uint16_t>((red & 0xF8) << 7 | (green & 0xF8) << 2 | blue >> 3);
  }
  return static_cast<uint16_t>((red & 0xF8) << 8 | (green & 0xF8) << 3 | blue >> 3);
}

bool CBitmapRes::Load(const std::string& name) {
  Reset();
  BmpPixels bmp;
  if (!ReadBmp(name, &bmp)) return false;
  std::vector<std::vector<uint8_t>> rows;
  rows.reserve(static_cast<size_t>(bmp.height));
  if (bmp.bytesPerPixel == 1) {
    for (int y = 0; y < bmp.height; ++y) rows.push_back(CodeIndexRow(bmp, y));
  } else {
    const uint32_t layout = ColorLayout();
    BmpPixels alpha;
    const bool hasAlpha = ReadAlphaCompanion(name, bmp, &alpha);
    for (int y = 0; y < bmp.height; ++y) {
      rows.push_back(hasAlpha ? CodeAlphaRow(bmp, alpha, y, layout) : CodeKeyedRow(bmp, y, layout));
    }
  }
  m_width = bmp.rounded;
  m_height = bmp.height;
  m_rows = std::move(rows);
  return true;
}

void CBitmapRes::Reset() {
  m_width = 0;
  m_height = 0;
  m_rows.clear();
  m_rows.shrink_to_fit();
}
