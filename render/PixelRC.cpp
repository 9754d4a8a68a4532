#include "render/PixelRC.h"

#include <algorithm>

#include "engine/BitmapRes.h"
#include "engine/FileStream.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "render/3dDevice.h"
#include "render/Font.h"

namespace {

constexpr int kScreenshotHeaderBytes = 54;
constexpr int kLowerBandRows = 117;

namespace pixelrc {
Rgb8 Blend(Rgb8 color, Rgb8 background, int a) {
  const auto mix = [a](int k, int g) { return (k * a + g * (255 - a)) / 255; };
  return {mix(color.red, background.red), mix(color.green, background.green), mix(color.blue, background.blue)};
}
}  // namespace pixelrc

// Glyphs divide the two terms separately.
Rgb8 GlyphBlend(Rgb8 color, Rgb8 background, int a) {
  const auto mix = [a](int k, int g) { return k * a / 255 + g * (255 - a) / 255; };
  return {mix(color.red, background.red), mix(color.green, background.green), mix(color.blue, background.blue)};
}

int RunDataBytes(uint8_t code) {
  switch (code) {
    case kRleBlend:
      return 4;
    case kRleCopy:
      return 2;
    case kRleShade:
      return 1;
    default:
      return 0;
  }
}

void PutLe(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

// The reference background and the run colour of shaded runs. The alpha
// drawing fixes both and knows only skip and shade runs.
struct CPixelRC::RleState {
  Rgb8 background;
  Rgb8 color;
  bool alphaOnly = false;
  bool warned = false;
};

int CPixelRC::TargetWidth() const {
  return m_backBuffer != nullptr && m_backBuffer->IsLocked() ? m_backBuffer->Width() : m_width;
}

int CPixelRC::TargetHeight() const {
  return m_backBuffer != nullptr && m_backBuffer->IsLocked() ? m_backBuffer->Height() : m_height;
}

Rgb8 CPixelRC::SampleNearest(int x, int y) const {
  if (TargetWidth() <= 0 || TargetHeight() <= 0) return {};
  return m_layout.Expand(At(std::clamp(x, 0, TargetWidth() - 1), std::clamp(y, 0, TargetHeight() - 1)));
}

// ---- glyphs

void CPixelRC::DrawGlyph(int x, int y, const uint8_t* glyph, int columns, Rgb8 color, bool lowerBandOnly) {
  if (!CanDraw()) return;
  static constexpr int kSamples[4][2] = {{0, 0}, {6, 0}, {0, 6}, {6, 6}};
  Rgb8 sum;
  for (const auto& [dx, dy] : kSamples) {
    const Rgb8 s = SampleNearest(x + dx, y + dy);
    sum = {sum.red + s.red, sum.green + s.green, sum.blue + s.blue};
  }
  const Rgb8 background{sum.red >> 2, sum.green >> 2, sum.blue >> 2};
  const int bandTop = m_height - kLowerBandRows;
  for (int r = 0; r < kGlyphRows; ++r) {
    if (lowerBandOnly && y + r < bandTop) continue;
    for (int c = 0; c < columns; ++c) {
      const int a = glyph[c * kGlyphRows + r];
      if (a == 0 || !OnTarget(x + c, y + r)) continue;
      const Rgb8 p = GlyphBlend(color, background, a);
      At(x + c, y + r) = m_layout.Pack(p.red, p.green, p.blue);
    }
  }
}

void CPixelRC::DrawJamoGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  if (index < 0 || index >= kJamoGlyphCount) return;
  DrawGlyph(x, y, JamoGlyphs[index], kWideGlyphColumns, {red, green, blue}, lowerBandOnly);
}

void CPixelRC::DrawHangulGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  if (index < 0 || index >= kHangulGlyphCount) return;
  DrawGlyph(x, y, HangulGlyphs[index], kWideGlyphColumns, {red, green, blue}, lowerBandOnly);
}

void CPixelRC::DrawHanjaGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  if (index < 0 || index >= kHanjaGlyphCount) return;
  DrawGlyph(x, y, HanjaGlyphs[index], kWideGlyphColumns, {red, green, blue}, lowerBandOnly);
}

// Only the character's advance width of its 15 columns is drawn.
void CPixelRC::DrawAsciiGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  if (index < 0 || index >= kAsciiGlyphCount) return;
  const int columns = std::clamp<int>(AsciiWidths[index], 0, kAsciiGlyphColumns);
  DrawGlyph(x, y, AsciiGlyphs[index], columns, {red, green, blue}, lowerBandOnly);
}

void CPixelRC::DrawJamoGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  DrawJamoGlyph(x, y, index, red, green, blue, lowerBandOnly);
}

void CPixelRC::DrawHangulGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  DrawHangulGlyph(x, y, index, red, green, blue, lowerBandOnly);
}

void CPixelRC::DrawHanjaGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  DrawHanjaGlyph(x, y, index, red, green, blue, lowerBandOnly);
}

void CPixelRC::DrawAsciiGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) {
  DrawAsciiGlyph(x, y, index, red, green, blue, lowerBandOnly);
}

// ---- run-coded images

void CPixelRC::DrawRleImage(int x, int y, const CBitmapRes* image, int scale) {
  if (image == nullptr || image->GetRows().empty() || !CanDraw()) return;
  RleState state;
  state.background = SampleNearest(x + image->GetWidth() / 2, y + image->GetHeight() / 2);
  DrawRle(x, y, image, scale, state);
}

void CPixelRC::DrawRleImageAlpha(int x, int y, const CBitmapRes* image, uint32_t color, int scale) {
  if (image == nullptr || image->GetRows().empty() || !CanDraw()) return;
  RleState state;
  state.background = SampleNearest(x + image->GetWidth() / 2, y + image->GetHeight() / 2);
  state.color = {static_cast<int>(color >> 16 & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                 static_cast<int>(color & 0xFF)};
  state.alphaOnly = true;
  DrawRle(x, y, image, scale, state);
}

// Each source row is drawn into the first of its `scale` destination rows
// that lies on the surface and copied to the others. Drawing stops at the
// first row that would reach the bottom.
void CPixelRC::DrawRle(int x, int y, const CBitmapRes* image, int scale, RleState& state) {
  scale = std::max(scale, 1);
  const auto& rows = image->GetRows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int64_t top = y + static_cast<int64_t>(i) * scale;
    const int64_t last = top + scale - 1;
    if (last >= TargetHeight()) break;
    if (last < 0) continue;
    const int dy = static_cast<int>(std::max<int64_t>(top, 0));
    const int length = DrawRleRow(rows[i], image->GetWidth(), x, dy, scale, state);
    RepeatRow(x, int64_t{length} * scale, dy, static_cast<int>(last));
  }
}

// The pixels the row's runs counted; a run whose header or data the row
// lacks ends it.
int CPixelRC::DrawRleRow(const std::vector<uint8_t>& row, int width, int x, int dy, int scale, RleState& state) {
  size_t at = 0;
  int count = 0;
  int64_t dx = x;
  while (count < width && at + kRleRunHeader <= row.size()) {
    const uint8_t code = row[at];
    const int n = row[at + 1] | row[at + 2] << 8;
    const size_t bytes = static_cast<size_t>(n) * RunDataBytes(code);
    at += kRleRunHeader;
    if (at + bytes > row.size()) break;
    dx = DrawRun(code, n, row.data() + at, dx, dy, scale, state);
    at += bytes;
    count += n;
  }
  return count;
}

// The column after the run. Unknown codes count towards the row but neither
// draw nor move.
int64_t CPixelRC::DrawRun(uint8_t code, int n, const uint8_t* data, int64_t dx, int dy, int scale,
                          RleState& state) {
  const int64_t next = dx + int64_t{n} * scale;
  if (state.alphaOnly && (code == kRleBlend || code == kRleCopy)) {
    if (!state.warned) DebugLog("Only 8bit Opacity format supported");
    state.warned = true;
    return next;
  }
  switch (code) {
    case kRleSkip:
      return next;
    case kRleBlend:
      BlendRun(data, n, dx, dy, scale, state);
      return next;
    case kRleCopy:
      CopyRun(data, n, dx, dy, scale);
      return next;
    case kRleShade:
      ShadeRun(data, n, dx, dy, scale, state);
      return next;
    default:
      return dx;
  }
}

// Each pixel blends over what lies under it, which becomes the reference
// background of later shaded runs; only the first column of a scaled pixel
// is drawn.
void CPixelRC::BlendRun(const uint8_t* data, int count, int64_t dx, int dy, int scale, RleState& state) {
  for (int k = 0; k < count; ++k, data += 4, dx += scale) {
    state.color = {data[3], data[2], data[1]};
    if (!OnTarget(dx, dy)) continue;
    uint16_t& pixel = At(static_cast<int>(dx), dy);
    state.background = m_layout.Expand(pixel);
    const Rgb8 p = pixelrc::Blend(state.color, state.background, data[0]);
    pixel = m_layout.Pack(p.red, p.green, p.blue);
  }
}

// The run colour over the reference background, not over the pixel.
void CPixelRC::ShadeRun(const uint8_t* data, int count, int64_t dx, int dy, int scale, const RleState& state) {
  for (int k = 0; k < count; ++k, dx += scale) {
    if (!OnTarget(dx, dy)) continue;
    const Rgb8 p = pixelrc::Blend(state.color, state.background, data[k]);
    At(static_cast<int>(dx), dy) = m_layout.Pack(p.red, p.green, p.blue);
  }
}

// Under clipping a copy run is drawn at actual size inside the clip columns.
void CPixelRC::CopyRun(const uint8_t* data, int count, int64_t dx, int dy, int scale) {
  const int64_t step = m_clipEnabled != 0 ? 1 : scale;
  const int64_t left = m_clipEnabled != 0 ? std::max(m_clipLeft, 0) : 0;
  const int64_t right = m_clipEnabled != 0 ? std::min(m_clipRight, TargetWidth()) : TargetWidth();
  for (int k = 0; k < count; ++k) {
    const uint16_t pixel = static_cast<uint16_t>(data[2 * k] | data[2 * k + 1] << 8);
    const int64_t from = std::max<int64_t>(dx + k * step, left);
    const int64_t to = std::min<int64_t>(dx + (k + 1) * step, right);
    for (int64_t c = from; c < to; ++c) At(static_cast<int>(c), dy) = pixel;
  }
}

void CPixelRC::RepeatRow(int x, int64_t length, int fromY, int lastY) {
  const int left = std::max(x, 0);
  const int right = static_cast<int>(std::min<int64_t>(x + length, TargetWidth()));
  if (left >= right) return;
  for (int row = fromY + 1; row <= std::min(lastY, TargetHeight() - 1); ++row) {
    std::copy(&At(left, fromY), &At(left, fromY) + (right - left), &At(left, row));
  }
}

// ---- screenshots

std::vector<uint8_t> CPixelRC::ScreenshotBytes() const {
  const int width = std::max(m_width, 0);
  const int height = std::max(m_height, 0);
  const size_t pixelBytes = static_cast<size_t>(width) * height * 3;
  std::vector<uint8_t> out(kScreenshotHeaderBytes + pixelBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  PutLe(out, 2, static_cast<uint32_t>(pixelBytes + kScreenshotHeaderBytes), 4);
  PutLe(out, 10, kScreenshotHeaderBytes, 4);
  PutLe(out, 14, 40, 4);
  PutLe(out, 18, static_cast<uint32_t>(width), 4);
  PutLe(out, 22, static_cast<uint32_t>(height), 4);
  PutLe(out, 26, 1, 2);
  PutLe(out, 28, 24, 2);
  size_t at = kScreenshotHeaderBytes;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x, at += 3) {
      if (!OnTarget(x, y)) continue;
      const Rgb8 p = m_layout.Expand(At(x, y));
      out[at] = static_cast<uint8_t>(p.blue);
      out[at + 1] = static_cast<uint8_t>(p.green);
      out[at + 2] = static_cast<uint8_t>(p.red);
    }
  }
  return out;
}

// No file is written when the screen cannot be read.
bool CPixelRC::SaveScreenshot(const char* fileName) {
  if (fileName == nullptr || !LockBackBuffer()) return false;
  const std::vector<uint8_t> bytes = ScreenshotBytes();
  UnlockBackBuffer();
  CFileStream file;
  if (!file.Open(fileName, CFileStream::kCreate)) {
    DebugLog("open failed");
    return false;
  }
  const bool written = file.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
  file.Close();
  if (!written) DebugLogf("SaveScreenshot: write failed: %s", fileName);
  return written;
}

// ---- thumbnails

bool CPixelRC::SaveThumbnail(const char* fileName) {
  if (m_thumbnailRows.size() != kThumbnailHeight) {
    DebugLog("SaveThumbnail: no picture captured");
    return false;
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(kThumbnailFileBytes);
  for (const std::vector<uint16_t>& row : m_thumbnailRows) {
    for (int x = 0; x < kThumbnailWidth; ++x) {
      const Rgb8 p = m_layout.Expand(x < static_cast<int>(row.size()) ? row[x] : 0);
      bytes.insert(bytes.end(), {static_cast<uint8_t>(p.blue), static_cast<uint8_t>(p.green),
                                 static_cast<uint8_t>(p.red)});
    }
  }
  platform::File file;
  if (fileName == nullptr || !file.Create(fileName)) {
    DebugLogf("SaveThumbnail: cannot create %s", fileName != nullptr ? fileName : "(null)");
    return false;
  }
  // On the disk before the caller renames it into place, as the save files are.
  if (!file.Write(bytes.data(), static_cast<int64_t>(bytes.size())) || !file.Flush()) {
    DebugLogf("SaveThumbnail: write failed: %s", fileName);
    return false;
  }
  return true;
}

// The first stored row is the bottom one.
void CPixelRC::DrawThumbnailRows(int x, int y, const RowList& rows) {
  for (size_t k = 0; k < rows.size() && k < kThumbnailHeight; ++k) {
    const int dy = y + kThumbnailHeight - 1 - static_cast<int>(k);
    const std::vector<uint16_t>& row = rows[k];
    for (int c = 0; c < static_cast<int>(row.size()) && c < kThumbnailWidth; ++c) Put(x + c, dy, row[c]);
  }
}

bool CPixelRC::LoadThumbnail(int x, int y, const char* fileName) {
  if (!CanDraw()) return false;
  if (fileName == nullptr) {
    if (m_thumbnailRows.empty()) return false;
    DrawThumbnailRows(x, y, m_thumbnailRows);
    return true;
  }
  std::vector<uint8_t> bytes(kThumbnailFileBytes);
  platform::File file;
  if (!file.OpenRead(fileName) || file.Read(bytes.data(), kThumbnailFileBytes) != kThumbnailFileBytes) {
    DebugLogf("LoadThumbnail: cannot read %s", fileName);
    return false;
  }
  RowList rows(kThumbnailHeight, std::vector<uint16_t>(kThumbnailWidth));
  const uint8_t* p = bytes.data();
  for (std::vector<uint16_t>& row : rows) {
    for (uint16_t& pixel : row) {
      pixel = m_layout.Pack(p[2], p[1], p[0]);
      p += 3;
    }
  }
  DrawThumbnailRows(x, y, rows);
  return true;
}

// The capture keeps its rows bottom first, as the thumbnail file does.
platform::Result CRC::CaptureThumbnail() {
  using namespace platform;
  const std::shared_ptr<Display>& display = g_3dDevice.DirectDraw();
  Surface* back = g_3dDevice.RenderTarget();
  SurfaceDesc desc;
  desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  desc.width = kThumbnailWidth;
  desc.height = kThumbnailHeight;
  std::shared_ptr<Surface> small;
  if (display == nullptr || back == nullptr || Failed(display->CreateSurface(desc, &small))) {
    DebugLog("Create tmp Surface Fail");
    return E_FAIL;
  }
  const Rect whole{0, 0, m_width, m_height};
  if (Failed(small->Blt(nullptr, *back, &whole))) DebugLog("Blt Error");
  m_thumbnailRows.clear();
  LockedBits bits;
  if (Failed(small->Lock(&bits))) {
    DebugLog("CaptureThumbnail: lock failed");
    return E_FAIL;
  }
  for (int y = kThumbnailHeight - 1; y >= 0; --y) {
    const uint16_t* row = small->Row(y);
    m_thumbnailRows.emplace_back(row, row + kThumbnailWidth);
  }
  small->Unlock();
  return 1;
}
