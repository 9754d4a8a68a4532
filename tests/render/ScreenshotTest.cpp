#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/BitmapRes.h"
#include "platform/Display.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/PixelRC.h"
#include "tests/render/PixelTarget.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

uint32_t Le(const std::string& bytes, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

// The game's display in a 640 x 480 window (5-6-5 unless the test picks the
// desktop), a context of the matching layout, and a temporary working folder.
class ScreenDisplayTest : public ::testing::Test {
 protected:
  ScreenDisplayTest() : m_savedDir(fs::current_path()) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    fs::current_path(m_dir.Path());
  }
  ~ScreenDisplayTest() override {
    Close();
    SetDesktopFormat(DesktopFormat::Rgb565);
    ClearDisplayFaults();
    fs::current_path(m_savedDir);
  }
  // The context the display hands out for the desktop's layout.
  void Open(DesktopFormat desktop) {
    SetDesktopFormat(desktop);
    m_window = CreateAppWindow(WindowDesc{"ScreenshotTest", "Screenshot", nullptr, 0, 0, 640, 480});
    ASSERT_NE(m_window, nullptr);
    ASSERT_EQ(g_3dDevice.Create(m_window, nullptr, &kRasterizerGuid, nullptr, kDevDoubleBuffer), S_OK);
    m_rc = dynamic_cast<CPixelRC*>(g_3dDevice.GetRC());
    ASSERT_NE(m_rc, nullptr);
  }
  void Close() {
    if (m_rc != nullptr && CRC::s_locked != 0) m_rc->UnlockBackBuffer();
    g_3dDevice.FreeRC(m_rc);
    m_rc = nullptr;
    g_3dDevice.Release();
    if (m_window != nullptr) DestroyAppWindow(m_window);
    m_window = nullptr;
  }
  Surface& Back() { return *g_3dDevice.RenderTarget(); }

  testsupport::TempDir m_dir;
  fs::path m_savedDir;
  WindowHandle m_window = nullptr;
  CPixelRC* m_rc = nullptr;
};

TEST_F(ScreenDisplayTest, WhiteScreenshotIsAnUpsideDown24BitBitmap) {
  struct Case {
    DesktopFormat desktop;
    PixelLayout layout;
    uint16_t white;
    std::string whiteBytes;  // blue, green, red
    uint32_t greenMask;
  };
  const Case cases[] = {{DesktopFormat::Rgb565, kLayout565, 0xFFFF, "\xF8\xFC\xF8", kGreenMask565},
                        {DesktopFormat::Xrgb1555, kLayout555, 0x7FFF, "\xF8\xF8\xF8", kGreenMask555}};
  for (const Case& c : cases) {
    Open(c.desktop);
    EXPECT_EQ(m_rc->Layout().redShift, c.layout.redShift);
    EXPECT_EQ(CBitmapRes::GetDisplayGreenMask(), c.greenMask);  // pictures load in the screen's layout
    Back().Fill(nullptr, c.white);
    Back().Row(0)[0] = c.layout.Pack(8, 16, 24);  // top left
    ASSERT_TRUE(m_rc->SaveScreenshot("screen00001.bmp"));
    const std::string file = testsupport::ReadFile(m_dir / "screen00001.bmp");
    ASSERT_EQ(file.size(), 921654u);
    const struct {
      size_t at;
      int bytes;
      uint32_t value;
    } fields[] = {{0, 2, 0x4D42}, {2, 4, 921654}, {6, 4, 0},  {10, 4, 54}, {14, 4, 40}, {18, 4, 640},
                  {22, 4, 480},   {26, 2, 1},      {28, 2, 24}, {30, 4, 0},  {34, 4, 0},  {38, 4, 0},
                  {42, 4, 0},     {46, 4, 0},      {50, 4, 0}};
    for (const auto& f : fields) EXPECT_EQ(Le(file, f.at, f.bytes), f.value) << "byte " << f.at;
    const size_t topRow = 54 + 479 * 1920;
    EXPECT_EQ(file.substr(topRow, 3), std::string("\x18\x10\x08", 3));
    int white = 0;
    for (size_t at = 54; at < file.size(); at += 3) white += file.compare(at, 3, c.whiteBytes) == 0;
    EXPECT_EQ(white, 640 * 480 - 1);
    Close();
  }
}

TEST_F(ScreenDisplayTest, NoFileWhenTheScreenOrTheFileCannotBeHad) {
  Open(DesktopFormat::Rgb565);
  ASSERT_TRUE(m_rc->LockBackBuffer());
  EXPECT_FALSE(m_rc->SaveScreenshot("locked.bmp"));
  EXPECT_FALSE(fs::exists(m_dir / "locked.bmp"));
  m_rc->UnlockBackBuffer();
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(m_rc->SaveScreenshot("screenshot\\screen00000.bmp"));  // no such folder
  EXPECT_TRUE(log.Contains("open failed"));
  EXPECT_EQ(CRC::s_locked, 0);
}

TEST_F(ScreenDisplayTest, CaptureKeepsAScaledCopyBottomRowFirst) {
  Open(DesktopFormat::Rgb565);
  const uint16_t top = 0xF800, bottomLeft = 0x001F, bottomRight = 0x07E0;
  Back().Fill(nullptr, top);
  const Rect bl{0, 240, 320, 480}, br{320, 240, 640, 480};
  Back().Fill(&bl, bottomLeft);
  Back().Fill(&br, bottomRight);
  EXPECT_EQ(m_rc->CaptureThumbnail(), 1);
  ASSERT_EQ(m_rc->m_thumbnailRows.size(), 180u);
  for (const auto& row : m_rc->m_thumbnailRows) ASSERT_EQ(row.size(), 220u);
  EXPECT_EQ(m_rc->m_thumbnailRows[0][0], bottomLeft);
  EXPECT_EQ(m_rc->m_thumbnailRows[0][219], bottomRight);
  EXPECT_EQ(m_rc->m_thumbnailRows[179][0], top);
  EXPECT_EQ(m_rc->m_thumbnailRows[179][219], top);

  InjectDisplayFault(DisplayStep::OffscreenSurface, E_FAIL);
  testsupport::DebugLogCapture log;
  EXPECT_EQ(m_rc->CaptureThumbnail(), E_FAIL);
  EXPECT_TRUE(log.Contains("Create tmp Surface Fail"));
  EXPECT_EQ(m_rc->m_thumbnailRows.size(), 180u);  // the last capture stays
}

// ---- thumbnail files

class ThumbnailTest : public ::testing::Test {
 protected:
  ThumbnailTest() : m_savedDir(fs::current_path()) { fs::current_path(m_dir.Path()); }
  ~ThumbnailTest() override { fs::current_path(m_savedDir); }

  // Rows bottom first, each pixel telling its place.
  static CRC::RowList Capture(const PixelLayout& layout) {
    CRC::RowList rows(kThumbnailHeight, std::vector<uint16_t>(kThumbnailWidth));
    for (int k = 0; k < kThumbnailHeight; ++k) {
      for (int c = 0; c < kThumbnailWidth; ++c) rows[k][c] = layout.Pack(c, k, (c * k) & 0xFF);
    }
    return rows;
  }

  testsupport::TempDir m_dir;
  fs::path m_savedDir;
};

TEST_F(ThumbnailTest, SavedAndLoadedAgainItStandsUpright) {
  for (const PixelLayout& layout : {kLayout565, kLayout555}) {
    {
      CPixelRC rc(layout);
      rc.m_thumbnailRows = Capture(layout);
      ASSERT_TRUE(rc.SaveThumbnail("slot.srs"));
    }
    const std::string file = testsupport::ReadFile(m_dir / "slot.srs");
    ASSERT_EQ(file.size(), 118800u);
    const Rgb8 first = layout.Expand(layout.Pack(0, 0, 0)), second = layout.Expand(layout.Pack(1, 0, 0));
    EXPECT_EQ(static_cast<uint8_t>(file[2]), first.red);
    EXPECT_EQ(static_cast<uint8_t>(file[5]), second.red);

    PixelTarget t(layout, 240, 200, 0x1111);
    ASSERT_TRUE(t.rc.LoadThumbnail(10, 15, "slot.srs"));
    const CRC::RowList want = Capture(layout);
    int wrong = 0;
    for (int k = 0; k < kThumbnailHeight; ++k) {
      for (int c = 0; c < kThumbnailWidth; ++c) wrong += t.At(10 + c, 15 + 179 - k) != want[k][c];
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(t.At(9, 15), 0x1111);
    EXPECT_EQ(t.At(10, 14), 0x1111);
  }
}

TEST_F(ThumbnailTest, AnotherLayoutLoadsTheColoursAtItsOwnPrecision) {
  CPixelRC saver(kLayout565);
  saver.m_thumbnailRows = CRC::RowList(kThumbnailHeight, std::vector<uint16_t>(kThumbnailWidth, 0x07E0));
  saver.m_thumbnailRows[0][0] = kLayout565.Pack(200, 100, 50);
  ASSERT_TRUE(saver.SaveThumbnail("slot.srs"));
  PixelTarget t(kLayout555, 220, 180, 0);
  ASSERT_TRUE(t.rc.LoadThumbnail(0, 0, "slot.srs"));
  EXPECT_EQ(t.At(0, 179), kLayout555.Pack(200, 100, 50));
  EXPECT_EQ(t.At(0, 0), kLayout555.Pack(0, 252, 0));
}

TEST_F(ThumbnailTest, ShortOrMissingFilesDrawNothing) {
  m_dir.Write("short.srs", std::string(118799, '\x7F'));
  PixelTarget t(kLayout565, 230, 190, 0x4444);
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(t.rc.LoadThumbnail(0, 0, "short.srs"));
  EXPECT_FALSE(t.rc.LoadThumbnail(0, 0, "missing.srs"));
  EXPECT_FALSE(t.rc.LoadThumbnail(0, 0, nullptr));  // no capture either
  EXPECT_EQ(t.View(), std::vector<uint16_t>(230 * 190, 0x4444));
  EXPECT_FALSE(t.rc.SaveThumbnail("none.srs"));  // nothing captured
  EXPECT_FALSE(fs::exists(m_dir / "none.srs"));
  EXPECT_FALSE(log.Lines().empty());
}

TEST_F(ThumbnailTest, WithoutAFileItDrawsTheCaptureAnywhere) {
  PixelTarget t(kLayout565, 240, 200, 0);
  t.rc.m_thumbnailRows = Capture(kLayout565);
  ASSERT_TRUE(t.rc.LoadThumbnail(20, 20, nullptr));
  EXPECT_EQ(t.At(20, 20 + 179), t.rc.m_thumbnailRows[0][0]);
  EXPECT_EQ(t.At(20 + 219, 20), t.rc.m_thumbnailRows[179][219]);
  for (const auto& [x, y] : {std::pair{-100, -50}, {200, 150}, {-219, 0}, {0, -179}}) {
    EXPECT_TRUE(t.rc.LoadThumbnail(x, y, nullptr));
    EXPECT_TRUE(t.GuardsIntact()) << x << "," << y;
  }
}

}  // namespace
