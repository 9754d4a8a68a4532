#include "render/Texture.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "engine/BmpHeader.h"
#include "engine/FileStream.h"
#include "engine/MemFile.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "render/3dDevice.h"
#include "render/DrawQueues.h"
#include "render/TextureSurfaces.h"

using namespace platform;

PixelFormatDesc g_colorKeyFormat;
PixelFormatDesc g_compressedColorKeyFormat;
PixelFormatDesc g_alphaFormat;
PixelFormatDesc g_compressedAlphaFormat;

int32_t g_isLowResTexture = 0;
int32_t g_isLowResSprite = 0;
int32_t g_useCompressedTexture = 0;
int32_t g_singleDecal = 0;

namespace {

std::array<uint8_t, 256> BuildGamma() {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) {
    const double v = 256.0 * std::pow(i / 256.0, 1.0 / 1.3);
    table[i] = static_cast<uint8_t>(std::clamp(static_cast<int>(v), 0, 255));
  }
  return table;
}

constexpr uint32_t FourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
         static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

// One enumeration: a 16-bit format with alpha whose alpha mask is not
// `otherAlpha` fills both slots (the last one wins); the compressed format
// fills only its slot and ends the walk.
void ChoosePair(uint32_t otherAlpha, uint32_t fourCC, PixelFormatDesc* plain,
                PixelFormatDesc* compressed) {
  for (const PixelFormatDesc& f : g_3dDevice.DirectDraw()->EnumTextureFormats()) {
    if ((f.flags & (DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV)) != 0) continue;
    if ((f.flags & DDPF_FOURCC) != 0) {
      if (f.fourCC != fourCC) continue;
      *compressed = f;
      return;
    }
    if ((f.flags & DDPF_RGB) != 0 && (f.flags & DDPF_ALPHAPIXELS) != 0 && f.bitCount == 16 &&
        f.alpha != otherAlpha) {
      *plain = f;
      *compressed = f;
    }
  }
}

bool g_colorKeyChosen = false;
bool g_alphaChosen = false;

constexpr SurfaceFailureTexts kColorKeyTexts{"Create tmp Surface Fail", "Create Surface Fail",
                                             "QueryInterface Failed"};
constexpr SurfaceFailureTexts kAlphaTexts{
    "Error Create Tmp Surface in CTexture :: CreateTextureWithAlpha()",
    "Error Create Surface in CTexture :: CreateTextureWithAlpha()",
    "Error Query interface in CTexture :: CreateTextureWithAlpha()"};

// The largest side a file may claim; the display makes nothing larger.
constexpr int32_t kMaxImageSide = 4096;

uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool OpenWhole(const char* name, CMemFile* file) { return name != nullptr && file->LoadFile(name); }

// ---- BMP ----

// Sizes, palette and pixel rows must lie inside the file before anything is
// written.
bool CheckBmp(const BmpHeader& h, int64_t fileSize, const char* name) {
  if (h.width <= 0 || h.height <= 0 || h.width > kMaxImageSide || h.height > kMaxImageSide) {
    DebugLogf("Bad BMP size %d x %d in CTexture :: LoadTextureImage : %s", h.width, h.height, name);
    return false;
  }
  if (h.bitCount != 8 && h.bitCount != 24) return true;  // nothing is read
  if (h.bitCount == 8 &&
      (h.clrUsed > 256 || kBmpHeadersSize + int64_t{h.PaletteCount()} * 4 > fileSize)) {
    DebugLogf("Bad BMP palette of %u colours in CTexture :: LoadTextureImage : %s", h.clrUsed, name);
    return false;
  }
  if (int64_t{h.offBits} + int64_t{h.Stride()} * h.height > fileSize) {
    DebugLogf("BMP pixel data past the end of the file in CTexture :: LoadTextureImage : %s", name);
    return false;
  }
  return true;
}

bool IsTextureSide(int32_t side) {
  return side == 8 || side == 16 || side == 32 || side == 64 || side == 128 || side == 256;
}

struct Bgr {
  uint8_t blue, green, red;
};

// Palette entries are blue, green, red, unused; indices past the file's
// colours are black.
std::vector<Bgr> ReadPalette(CMemFile& file, uint32_t count) {
  std::vector<uint8_t> raw(size_t{count} * 4);
  file.Read(raw.data(), static_cast<uint32_t>(raw.size()));
  std::vector<Bgr> palette(256, Bgr{0, 0, 0});
  for (uint32_t i = 0; i < count; ++i) palette[i] = Bgr{raw[i * 4], raw[i * 4 + 1], raw[i * 4 + 2]};
  return palette;
}

bool IsColorKey(const Bgr& p) {
  return p.red >= 254 && p.green <= 3 && p.blue >= 254;
}

class BmpWriter {
 public:
  BmpWriter(const SurfaceLock& lock, ChannelPacker packer) : m_lock(lock), m_packer(packer) {}
  bool transparent = false;

  void Put(int x, int y, const Bgr& p) {
    if (IsColorKey(p)) {
      m_lock.Row(y)[x] = 0;
      transparent = true;
      return;
    }
    m_lock.Row(y)[x] = m_packer.Pack(g_textureGamma[p.red], g_textureGamma[p.green],
                                     g_textureGamma[p.blue], 255);
  }

 private:
  const SurfaceLock& m_lock;
  ChannelPacker m_packer;
};

// Rows are stored bottom-up; at half size texel (x, y) takes the pixel
// (2x, 2y) counted from the top-left.
void ReadBmpPixels(CMemFile& file, const BmpHeader& h, int step, int width, int height,
                   BmpWriter& out) {
  const std::vector<Bgr> palette =
      h.bitCount == 8 ? ReadPalette(file, h.PaletteCount()) : std::vector<Bgr>{};
  std::vector<uint8_t> row(h.Stride());
  for (int y = 0; y < height; ++y) {
    const int fileRow = h.height - 1 - y * step;
    file.Seek(static_cast<int32_t>(h.offBits + static_cast<uint32_t>(fileRow) * h.Stride()), 0);
    if (!file.Read(row.data(), static_cast<uint32_t>(row.size()))) return;
    for (int x = 0; x < width; ++x) {
      const size_t sx = static_cast<size_t>(x) * step;
      out.Put(x, y,
              h.bitCount == 8 ? palette[row[sx]]
                              : Bgr{row[sx * 3], row[sx * 3 + 1], row[sx * 3 + 2]});
    }
  }
}

// ---- TGA ----

constexpr int kTgaHeaderSize = 18;

struct TgaHeader {
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t pixelDepth = 0;

  size_t PixelSize() const { return pixelDepth == 32 ? 4 : 3; }
};

bool ReadTgaHeader(CMemFile& file, TgaHeader* h) {
  uint8_t b[kTgaHeaderSize];
  if (!file.Read(b, sizeof b)) return false;
  h->idLength = b[0];
  h->colorMapType = b[1];
  h->imageType = b[2];
  h->width = LoadU16(b + 12);
  h->height = LoadU16(b + 14);
  h->pixelDepth = b[16];
  return true;
}

class TgaReader {
 public:
  TgaReader(CMemFile& file, const TgaHeader& h, ChannelPacker packer)
      : m_file(file), m_pixelSize(h.PixelSize()), m_packer(packer) {}

  // Pixels are blue, green, red and, at 32 bits, alpha.
  bool ReadTexels(uint16_t* out, size_t count) {
    m_buffer.resize(count * m_pixelSize);
    if (!m_file.Read(m_buffer.data(), static_cast<uint32_t>(m_buffer.size()))) return false;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* p = m_buffer.data() + i * m_pixelSize;
      out[i] = m_packer.Pack(p[2], p[1], p[0], m_pixelSize == 4 ? p[3] : 255);
    }
    return true;
  }

  bool ReadRawRow(uint16_t* row, int width) { return ReadTexels(row, static_cast<size_t>(width)); }

  // Packets fill the row; what a packet holds past the row's end is read
  // and dropped.
  bool ReadPackedRow(uint16_t* row, int width) {
    int filled = 0;
    while (filled < width) {
      uint8_t head = 0;
      if (!m_file.Read(&head, 1)) return false;
      const int count = (head & 0x7F) + 1;
      const int kept = std::min(count, width - filled);
      m_packet.resize(static_cast<size_t>(count));
      if ((head & 0x80) != 0) {
        if (!ReadTexels(m_packet.data(), 1)) return false;
        std::fill_n(row + filled, kept, m_packet[0]);
      } else {
        if (!ReadTexels(m_packet.data(), m_packet.size())) return false;
        std::copy_n(m_packet.begin(), kept, row + filled);
      }
      filled += kept;
    }
    return true;
  }

 private:
  CMemFile& m_file;
  size_t m_pixelSize;
  ChannelPacker m_packer;
  std::vector<uint8_t> m_buffer;
  std::vector<uint16_t> m_packet;
};

}  // namespace

const std::array<uint8_t, 256> g_textureGamma = BuildGamma();

void ChooseColorKeyFormats() {
  if (g_colorKeyChosen || g_3dDevice.DirectDraw() == nullptr) return;
  ChoosePair(0xF000, FourCC('D', 'X', 'T', '1'), &g_colorKeyFormat, &g_compressedColorKeyFormat);
  g_colorKeyChosen = true;
}

void ChooseAlphaFormats() {
  if (g_alphaChosen || g_3dDevice.DirectDraw() == nullptr) return;
  ChoosePair(0x8000, FourCC('D', 'X', 'T', '3'), &g_alphaFormat, &g_compressedAlphaFormat);
  g_alphaChosen = true;
}

CTexture::CTexture() {
  static std::atomic<uint64_t> s_created{0};
  m_serial = s_created++;
}

bool TextureOrder::operator()(const CTexture* a, const CTexture* b) const {
  if (a == b) return false;
  if (a == nullptr || b == nullptr) return a == nullptr;
  if (const int c = a->m_name.compare(b->m_name); c != 0) return c < 0;
  return a->m_serial < b->m_serial;
}

CTexture::~CTexture() { ReleaseSurfaces(); }

void CTexture::ReleaseSurfaces() {
  m_texture = nullptr;
  m_surface.reset();
  m_staging.reset();
}

Result CTexture::CreateSurfaces(const PixelFormatDesc& plain, const PixelFormatDesc& compressed,
                                const SurfaceFailureTexts& texts) {
  m_desc = SurfaceDesc{};
  m_desc.caps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE;
  m_desc.width = static_cast<int>(std::min<uint32_t>(m_width, INT32_MAX));
  m_desc.height = static_cast<int>(std::min<uint32_t>(m_height, INT32_MAX));
  m_desc.format = plain;
  SurfaceDesc texture = m_desc;
  texture.caps = DDSCAPS_TEXTURE;
  texture.caps2 = DDSCAPS2_TEXTUREMANAGE;
  texture.format = g_useCompressedTexture != 0 ? compressed : plain;
  return CreateTextureSurfaces(m_desc, texture, texts, &m_staging, &m_surface, &m_texture);
}

Result CTexture::CreateTexture() {
  ChooseColorKeyFormats();
  return CreateSurfaces(g_colorKeyFormat, g_compressedColorKeyFormat, kColorKeyTexts);
}

Result CTexture::CreateTextureWithAlpha() {
  ChooseAlphaFormats();
  return CreateSurfaces(g_alphaFormat, g_compressedAlphaFormat, kAlphaTexts);
}

Result CTexture::FinishLoad() {
  UploadStaging(*m_surface, *m_staging);
  m_staging.reset();
  m_lastUse = NowMs();
  return S_OK;
}

Result CTexture::LoadTextureImage(const char* fName) {
  CMemFile file;
  if (!OpenWhole(fName, &file)) {
    DebugLog("File Open Error In HRESULT\tCTexture :: LoadTextureImage(const char *fName)");
    return E_FAIL;
  }
  BmpHeader h;
  if (!ReadBmpHeader(file, &h)) {
    DebugLogf("BMP header cut short in CTexture :: LoadTextureImage : %s", fName);
    return E_FAIL;
  }
  if (!CheckBmp(h, file.GetSize(), fName)) return E_FAIL;
  m_name = fName;
  m_width = static_cast<uint32_t>(h.width);
  m_height = static_cast<uint32_t>(h.height);
  m_bitsPerPixel = 32;
  if (!IsTextureSide(h.width)) {
    DebugLog("텍스쳐 가로크기가 부적절합니다.(적절한크기(256,128,64,32,16,8)");
  }
  if (!IsTextureSide(h.height)) {
    DebugLog("텍스쳐 세로 크기가 부적절합니다.(적절한크기(256,128,64,32,16,8)");
  }
  ReleaseSurfaces();
  const int step = g_isLowResTexture != 0 ? 2 : 1;
  m_width /= step;
  m_height /= step;
  if (Failed(CreateTexture())) {
    DebugLog("error Create texture surface");
    return E_FAIL;
  }
  {
    SurfaceLock lock(*m_staging);
    m_hasTransparency = 0;
    if (!lock.Locked()) return E_FAIL;
    if (h.bitCount == 8 || h.bitCount == 24) {
      BmpWriter writer(lock, ChannelPacker(MasksOf(m_staging->Format())));
      ReadBmpPixels(file, h, step, static_cast<int>(m_width), static_cast<int>(m_height), writer);
      m_hasTransparency = writer.transparent ? 1 : 0;
    }
  }
  return FinishLoad();
}

Result CTexture::LoadTgaTextureImage(const char* strPathname) {
  CMemFile file;
  TgaHeader h;
  if (!OpenWhole(strPathname, &file) || !ReadTgaHeader(file, &h)) return E_FAIL;
  if (h.colorMapType != 0 || (h.imageType != 2 && h.imageType != 10)) return E_FAIL;
  file.Seek(h.idLength, 1);
  m_name = strPathname;
  m_bitsPerPixel = h.pixelDepth;
  m_hasTransparency = 1;
  m_alphaFormat = 1;
  m_width = h.width;
  m_height = h.height;
  ReleaseSurfaces();
  if (Failed(CreateTextureWithAlpha())) {
    DebugLog(
        "Error Create alpha texture surface in CTexture :: LoadTgaTextureImage(const char "
        "*strPathname)");
    return E_FAIL;
  }
  bool complete = false;
  {
    SurfaceLock lock(*m_staging);
    if (!lock.Locked()) return E_FAIL;
    TgaReader reader(file, h, ChannelPacker(MasksOf(m_staging->Format())));
    complete = true;
    for (int y = 0; complete && y < h.height; ++y) {
      complete = h.imageType == 2 ? reader.ReadRawRow(lock.Row(y), h.width)
                                  : reader.ReadPackedRow(lock.Row(y), h.width);
    }
  }
  if (!complete) {
    ReleaseSurfaces();
    return E_FAIL;
  }
  return FinishLoad();
}

Result CTexture::CreateFromArgb(const uint32_t* pixels, int32_t width, int32_t height) {
  ReleaseSurfaces();
  m_width = static_cast<uint32_t>(std::max(width, 0));
  m_height = static_cast<uint32_t>(std::max(height, 0));
  m_bitsPerPixel = 32;
  m_hasTransparency = 1;
  m_alphaFormat = 1;
  const int step = g_isLowResSprite != 0 ? 2 : 1;
  m_width /= step;
  m_height /= step;
  if (pixels == nullptr || Failed(CreateTextureWithAlpha())) {
    DebugLog("error Create alpha texture surface");
    return E_FAIL;
  }
  {
    SurfaceLock lock(*m_staging);
    if (!lock.Locked()) return E_FAIL;
    const ChannelPacker packer(MasksOf(m_staging->Format()));
    const int offset = step - 1;  // half size takes the odd pixels
    for (uint32_t y = 0; y < m_height; ++y) {
      const uint32_t* src = pixels + (static_cast<size_t>(y) * step + offset) * width;
      for (uint32_t x = 0; x < m_width; ++x) {
        const uint32_t v = src[x * step + offset];
        lock.Row(static_cast<int>(y))[x] =
            packer.Pack(static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                        static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
      }
    }
  }
  return FinishLoad();
}
