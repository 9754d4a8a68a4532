#include "engine/SprRes.h"

#include <algorithm>
#include <vector>

#include "engine/FileStream.h"
#include "engine/LittleEndian.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CSprRes, "spr", "sprite\\");

uint8_t CSprRes::s_palette[256][4] = {};

namespace {

constexpr uint16_t kSprMagic = 0x5053;  // "SP"
constexpr uint16_t kFirstPaletteVersion = 0x101;
constexpr uint16_t kFirstArgbVersion = 0x200;
constexpr uint16_t kLastKnownVersion = 0x2000;
constexpr int32_t kPaletteBytes = 256 * 4;
constexpr int32_t kHeaderBytes = 6;

CSprImageMaker* g_maker = nullptr;

// Opaque black would read as transparent: it becomes 0x8001.
uint16_t PaletteColor(int index) {
  if (index == 0) return 0;
  const uint8_t* entry = CSprRes::s_palette[index];
  const auto color = static_cast<uint16_t>((entry[0] >> 3) << 10 | (entry[1] >> 3) << 5 | entry[2] >> 3);
  return color == 0 ? 0x8001 : static_cast<uint16_t>(0x8000 | color);
}

int64_t BytesLeft(const CMemFile& file, int64_t end) { return std::max<int64_t>(end - file.GetPosition(), 0); }

// A 16-bit value lying before `end`; past it, 0.
uint16_t ReadU16Before(CMemFile& file, int64_t end) {
  uint16_t value = 0;
  if (BytesLeft(file, end) >= 2 && !ReadU16(file, value)) value = 0;
  return value;
}

// Reads a width and a height (past `end` they read 0). An image too large
// to hold fails: any palette image over the limit, a true-colour one only
// when the data cannot hold it either.
bool ReadImageSize(CMemFile& file, int64_t end, int32_t bytesPerPixel, int32_t* width, int32_t* height) {
  const uint16_t w = ReadU16Before(file, end);
  const uint16_t h = ReadU16Before(file, end);
  const int64_t pixels = int64_t{w} * h;
  if (pixels > kMaxSprImagePixels && (bytesPerPixel == 1 || pixels * bytesPerPixel > BytesLeft(file, end))) {
    DebugLogf("Spr :: image of %u x %u is too large : %s", w, h, file.GetName().c_str());
    return false;
  }
  *width = w;
  *height = h;
  return true;
}

// Fills `bytes` from the data before `end`; what lies past it stays 0, and
// the reading ends there.
void ReadPixelBytes(CMemFile& file, int64_t end, std::vector<uint8_t>& bytes) {
  const auto got = static_cast<size_t>(std::min<int64_t>(BytesLeft(file, end), static_cast<int64_t>(bytes.size())));
  if (got > 0 && !file.Read(bytes.data(), static_cast<uint32_t>(got))) return;
  if (got < bytes.size()) DebugLogf("Spr :: image runs past the end : %s", file.GetName().c_str());
}

}  // namespace

void SetSprImageMaker(CSprImageMaker* maker) { g_maker = maker; }

bool CSprRes::Load(const std::string& name) {
  Reset();
  m_name = name;
  CFileStream stream;
  if (!stream.Open(name, CFileStream::kRead)) {
    DebugLog("Spr :: Cannot find File : " + name);
    return false;
  }
  CMemFile file;
  if (!file.Load(stream) || !Parse(file, name.find("system") != std::string::npos)) {
    DebugLog("Spr :: Cannot load File : " + name);
    Reset();
    return false;
  }
  return true;
}

bool CSprRes::Parse(CMemFile& file, bool system) {
  uint16_t magic, version, count, argbCount = 0;
  if (!ReadU16(file, magic) || !ReadU16(file, version) || !ReadU16(file, count)) return false;
  if (magic != kSprMagic) {
    DebugLog("Spr :: Not a sprite file : " + file.GetName());
    return false;
  }
  if (version > kLastKnownVersion) {
    DebugLog("Spr :: Unsupported Version. Content may be corrupted : " + file.GetName());
  }
  if (version >= kFirstPaletteVersion) {
    file.Seek(-kPaletteBytes, 2);
    if (!file.Read(s_palette, kPaletteBytes)) return false;
    file.Seek(kHeaderBytes, 0);
  }
  if (version >= kFirstArgbVersion && !ReadU16(file, argbCount)) return false;
  // Images end where the palette begins.
  m_imagesEnd = version >= kFirstPaletteVersion ? file.GetSize() - kPaletteBytes : file.GetSize();
  return ReadImages(file, count, system) && ReadArgbImages(file, argbCount);
}

bool CSprRes::ReadImages(CMemFile& file, int count, bool system) {
  uint16_t colors[256];
  for (int i = 0; i < 256; ++i) colors[i] = PaletteColor(i);
  std::vector<uint8_t> indices;
  for (int n = 0; n < count; ++n) {
    SprImage image;
    if (!ReadImageSize(file, m_imagesEnd, 1, &image.width, &image.height)) return false;
    indices.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0);
    ReadPixelBytes(file, m_imagesEnd, indices);
    image.pixels.reserve(indices.size());
    for (uint8_t index : indices) image.pixels.push_back(colors[index]);
    image.fullSize = system;
    if (g_maker != nullptr) image.device = g_maker->MakeDecal(image);
    m_images.push_back(std::move(image));
  }
  return true;
}

bool CSprRes::ReadArgbImages(CMemFile& file, int count) {
  std::vector<uint8_t> bytes;
  for (int n = 0; n < count; ++n) {
    SprArgbImage image;
    if (!ReadImageSize(file, m_imagesEnd, 4, &image.width, &image.height)) return false;
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    bytes.assign(image.pixels.size() * 4, 0);
    ReadPixelBytes(file, m_imagesEnd, bytes);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
      const uint8_t* b = &bytes[i * 4];
      image.pixels[i] = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    }
    if (g_maker != nullptr) image.device = g_maker->MakeTexture(image);
    m_argbImages.push_back(std::move(image));
  }
  return true;
}

void CSprRes::Reset() {
  m_images.clear();
  m_argbImages.clear();
}

const SprImage* CSprRes::GetImage(int i) const {
  return i >= 0 && i < GetImageCount() ? &m_images[static_cast<size_t>(i)] : nullptr;
}

const SprArgbImage* CSprRes::GetArgbImage(int i) const {
  return i >= 0 && i < GetArgbImageCount() ? &m_argbImages[static_cast<size_t>(i)] : nullptr;
}

bool CSprRes::GetImageSize(int kind, int i, int32_t* width, int32_t* height) const {
  if (kind == 0) {
    const SprImage* image = GetImage(i);
    if (image == nullptr) return false;
    *width = image->width;
    *height = image->height;
  } else {
    const SprArgbImage* image = GetArgbImage(i);
    if (image == nullptr) return false;
    *width = image->width;
    *height = image->height;
  }
  return true;
}
