#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <memory>

#include "engine/AppShell.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "tests/render/TextureTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/TextureImages.h"

namespace {

using namespace platform;

TEST(RCProjection, FollowsTheViewSize) {
  struct Case {
    int width, height;
    int halfWidth, halfHeight, horizonY;
  };
  const Case cases[] = {
      {640, 480, 320, 240, 205},
      {800, 600, 400, 300, 256},  // 300 - 43.75
      {321, 201, 160, 100, 85},   // 100 - 14.66
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    CRC565 rc;
    rc.m_clipEnabled = 1;
    rc.m_clipLeft = 7;
    rc.SetViewSize(c.width, c.height);
    EXPECT_EQ(rc.m_halfWidth, c.halfWidth);
    EXPECT_EQ(rc.m_halfHeight, c.halfHeight);
    EXPECT_EQ(rc.m_centerX, c.halfWidth);
    EXPECT_EQ(rc.m_horizonY, c.horizonY);
    const float aspect = static_cast<float>(c.height) / static_cast<float>(c.width);
    EXPECT_FLOAT_EQ(rc.m_aspect, aspect);
    const double tanHalf = std::tan(7.5 * M_PI / 180.0);
    EXPECT_NEAR(rc.m_focalY, c.height / 2.0 / tanHalf, 1e-2);
    EXPECT_NEAR(rc.m_focalX, aspect * c.width / 2.0 / tanHalf, 1e-2);
    EXPECT_NEAR(rc.m_cotY, 7.59575, 1e-4);
    EXPECT_NEAR(rc.m_cotX, aspect * 7.59575, 1e-4);
    EXPECT_EQ(rc.m_clipEnabled, 0);
    EXPECT_EQ(rc.m_clipLeft, 0);
    EXPECT_EQ(rc.m_clipTop, 0);
    EXPECT_EQ(rc.m_clipRight, c.width);
    EXPECT_EQ(rc.m_clipBottom, c.height);
  }
}

TEST(RCDepth, MapsWFrom10To1000OntoTheDepthRange) {
  struct Case {
    float w;
    float z;
  };
  const Case cases[] = {
      {1.0f, 10.0f},                                 // nearer than the near plane
      {9.0f, 10.0f},
      {10.0f, (1.0f - 0.99999f) * 1000.0f / 990.0001f},
      {1000.0f, 1.0f},
      {2000.0f, 1000.0f},  // beyond the far plane
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.w);
    EXPECT_NEAR(DepthFromRhw(1.0f / c.w), c.z, 1e-6f);
  }
  EXPECT_EQ(DepthFromRhw(0.0f), 1000.0f);  // w infinite
}

TEST(RCContext, ANewContextStartsWithDefaultFogAndEmptyState) {
  CRC::s_fogOn = 1;
  CRC::s_fogSettings.start = 0.5f;
  CRC555 rc;
  EXPECT_EQ(CRC::s_fogOn, 0);
  EXPECT_EQ(CRC::s_fogSettings.mode, 3);
  EXPECT_EQ(CRC::s_fogSettings.color, 0xFFFFFFFFu);
  EXPECT_EQ(CRC::s_fogSettings.enabled, 1);
  EXPECT_FLOAT_EQ(CRC::s_fogSettings.density, 0.33f);
  EXPECT_EQ(CRC::s_fogSettings.start, 0.0f);
  EXPECT_EQ(CRC::s_fogSettings.end, 1.0f);
  EXPECT_EQ(rc.m_fogDirty, 0);
  EXPECT_EQ(rc.m_frameCount, 0);
}

// A context over a device of its own, without the display.
class RCSceneTest : public ::testing::Test {
 protected:
  RCSceneTest() : m_target(8, 8, PixelFormat::RGB565), m_device(m_target, nullptr) {
    m_rc.SetViewSize(8, 8);
    m_rc.SetDevice(&m_device);
  }

  template <class Record>
  static Record Zeroed() {
    Record r{};
    return r;
  }
  void FillEveryQueue() {
    CTexture* t = &m_key;
    m_rc.m_alphaTestTris[t].push_back(Zeroed<QueuedTriangleEx>());
    for (auto* q : {&m_rc.m_blendTris, &m_rc.m_additiveTexTris, &m_rc.m_blendTestedTris,
                    &m_rc.m_zLessTris, &m_rc.m_noDepthTris, &m_rc.m_zLessEqualTris}) {
      (*q)[t].push_back(Zeroed<QueuedTriangle>());
    }
    m_rc.m_additiveUntexTris.push_back(std::make_unique<QueuedColorTriangle>());
    m_rc.m_effectQuads.push_back(Zeroed<QueuedEffectQuad>());
    m_rc.m_quads.push_back(Zeroed<QueuedImageQuad>());
    m_rc.m_quadsA.push_back(Zeroed<QueuedQuad>());
    m_rc.m_quadsB.push_back(Zeroed<QueuedDecalQuad>());
    m_rc.m_spriteQuads.push_back(Zeroed<QueuedSpriteQuad>());
    m_rc.m_overlayQuads.push_back(Zeroed<QueuedDecalQuad>());
  }
  bool AllQueuesEmpty() const {
    return m_rc.m_alphaTestTris.empty() && m_rc.m_blendTris.empty() &&
           m_rc.m_additiveTexTris.empty() && m_rc.m_blendTestedTris.empty() &&
           m_rc.m_additiveUntexTris.empty() && m_rc.m_zLessTris.empty() &&
           m_rc.m_noDepthTris.empty() && m_rc.m_zLessEqualTris.empty() &&
           m_rc.m_effectQuads.empty() && m_rc.m_quads.empty() && m_rc.m_quadsA.empty() &&
           m_rc.m_quadsB.empty() && m_rc.m_spriteQuads.empty() && m_rc.m_overlayQuads.empty();
  }

  Surface m_target;
  Device3D m_device;
  CRC565 m_rc;
  CTexture m_key;
};

TEST_F(RCSceneTest, EndSceneDiscardsWhatIsStillQueued) {
  ASSERT_TRUE(m_rc.BeginScene());
  EXPECT_FALSE(m_rc.BeginScene());  // already in a scene
  FillEveryQueue();
  EXPECT_FALSE(AllQueuesEmpty());
  EXPECT_EQ(m_rc.EndScene(), S_OK);
  EXPECT_TRUE(AllQueuesEmpty());
  EXPECT_EQ(m_rc.EndScene(), E_FAIL);  // the device's answer outside a scene
  ASSERT_TRUE(m_rc.BeginScene());      // the next scene starts empty
  EXPECT_TRUE(AllQueuesEmpty());
  EXPECT_EQ(m_rc.EndScene(), S_OK);
}

TEST_F(RCSceneTest, FillRectShadesFromLeftToRightOverEverything) {
  m_target.Fill(nullptr, 0x1234);
  m_device.SetRenderState(RenderState::AlphaBlendEnable, 0);
  m_device.SetRenderState(RenderState::AlphaTestEnable, 1);
  CRC::s_primitiveCount = 0;
  ASSERT_TRUE(m_rc.BeginScene());
  m_rc.FillRect(Rect{0, 0, 8, 8}, 0xFF000000, 0xFFFFFFFF);
  m_rc.EndScene();
  EXPECT_EQ(CRC::s_primitiveCount, 1);
  EXPECT_LT(m_target.Row(4)[0], m_target.Row(4)[4]);
  EXPECT_LT(m_target.Row(4)[4], m_target.Row(4)[7]);
  EXPECT_EQ(m_target.Row(0)[0], 0x0000);
  // The resting states are back.
  EXPECT_EQ(m_device.GetRenderState(RenderState::AlphaRef), 240u);
  EXPECT_EQ(m_device.GetRenderState(RenderState::AlphaTestEnable), 0u);
}

// The game's display device in a window, with the context it hands out.
class RCDisplayTest : public TextureDeviceTest {
 protected:
  RCDisplayTest() {
    m_rc = g_3dDevice.GetRC();
    EXPECT_NE(m_rc, nullptr);
    CRC::s_primitiveCount = 0;
  }
  ~RCDisplayTest() override {
    if (CRC::s_locked != 0) m_rc->UnlockBackBuffer();
    g_3dDevice.FreeRC(m_rc);
    g_wFogRender = 0;
  }
  Surface& Back() { return *g_3dDevice.BackBuffer(); }
  uint16_t Pixel(int x, int y) { return CRC::s_pixels[y * CRC::s_pitch + x]; }
  void FillPattern() {
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) CRC::s_pixels[y * CRC::s_pitch + x] = static_cast<uint16_t>(x + y * 7);
    }
  }

  CRC* m_rc = nullptr;
};

TEST_F(RCDisplayTest, ClearBeginEndAndFlipShowTheFrame) {
  Back().Fill(nullptr, 0x4321);
  m_rc->Clear(true);
  EXPECT_EQ(Back().Row(240)[320], 0);
  ASSERT_TRUE(m_rc->BeginScene());
  m_rc->FillRect(Rect{10, 10, 20, 20}, 0xFFFFFFFF, 0xFFFFFFFF);
  EXPECT_EQ(m_rc->EndScene(), S_OK);
  EXPECT_EQ(CRC::s_primitiveCount, 1);
  const uint64_t shown = LastPresentedFrame().count;
  EXPECT_EQ(m_rc->Flip(), S_OK);
  EXPECT_EQ(m_rc->m_frameCount, 1);
  EXPECT_EQ(CRC::s_primitiveCount, 0);
  const PresentedFrame& frame = LastPresentedFrame();
  EXPECT_EQ(frame.count, shown + 1);
  EXPECT_EQ(frame.pixels[15 * 640 + 15], 0xFFFF);
  EXPECT_EQ(frame.pixels[5 * 640 + 5], 0);
}

TEST_F(RCDisplayTest, FadeScreenVeilsTheViewWithoutShowingIt) {
  Back().Fill(nullptr, 0xFFFF);
  const uint64_t shown = LastPresentedFrame().count;
  m_rc->FadeScreen(0.5f);
  const uint16_t veiled = Back().Row(240)[320];
  EXPECT_LT(veiled, 0xFFFF);
  EXPECT_GT(veiled, 0);
  m_rc->FadeScreen(1.0f);
  EXPECT_EQ(Back().Row(240)[320], 0);
  EXPECT_EQ(LastPresentedFrame().count, shown);
}

TEST_F(RCDisplayTest, FogFollowsTheSwitchesAndTheDevicesTableFog) {
  Device3D& d = *m_rc->Device();
  struct Case {
    int32_t fogRender;
    bool on;
    uint32_t enableAfterSetFog;
    bool applied;
  };
  const Case cases[] = {
      {0, true, 0, false},
      {1, false, 0, false},
      {1, true, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fogRender * 2 + c.on);
    d.SetRenderState(RenderState::FogEnable, 0);
    d.SetRenderState(RenderState::FogTableMode, 0);
    g_wFogRender = c.fogRender;
    CRC::s_fogSettings.color = 0xFF336699;
    CRC::s_fogSettings.start = 0.5f;
    CRC::s_fogSettings.end = 0.8f;
    m_rc->SetFog(c.on);
    EXPECT_EQ(CRC::s_fogOn, c.on ? 1 : 0);
    EXPECT_EQ(m_rc->m_fogDirty, 1);
    EXPECT_EQ(d.GetRenderState(RenderState::FogEnable), c.enableAfterSetFog);
    m_rc->ApplyFog();
    EXPECT_EQ(m_rc->m_fogDirty, 0);
    EXPECT_EQ(d.GetRenderState(RenderState::FogTableMode),
              c.applied ? static_cast<uint32_t>(FogMode::Linear) : 0u);
    if (!c.applied) continue;
    EXPECT_EQ(d.GetRenderState(RenderState::FogEnable), 1u);
    EXPECT_EQ(d.GetRenderState(RenderState::FogColor), 0xFF336699u);
    EXPECT_EQ(d.GetRenderState(RenderState::FogVertexMode), static_cast<uint32_t>(FogMode::None));
    EXPECT_FLOAT_EQ(std::bit_cast<float>(d.GetRenderState(RenderState::FogStart)),
                    0.5f * 990.0f * 0.6f + 10.0f);
    EXPECT_FLOAT_EQ(std::bit_cast<float>(d.GetRenderState(RenderState::FogEnd)), 0.8f * 990.0f + 10.0f);
    // Nothing is re-applied until fog is set again.
    d.SetRenderState(RenderState::FogTableMode, 0);
    m_rc->ApplyFog();
    EXPECT_EQ(d.GetRenderState(RenderState::FogTableMode), 0u);
  }
}

TEST_F(RCDisplayTest, LockPublishesTheBackBuffersPixels) {
  ASSERT_TRUE(m_rc->LockBackBuffer());
  EXPECT_EQ(CRC::s_locked, 1);
  EXPECT_EQ(CRC::s_pixels, reinterpret_cast<uint16_t*>(Back().Bits()));
  EXPECT_EQ(CRC::s_pitch, Back().Pitch() / 2);
  EXPECT_GT(CRC::s_pitch, 640);  // padded rows
  CRC::s_pixels[3 * CRC::s_pitch + 2] = 0xABCD;
  {
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(m_rc->LockBackBuffer());  // already locked
    EXPECT_TRUE(log.Contains("DDERR_SURFACEBUSY"));
  }
  m_rc->UnlockBackBuffer();
  EXPECT_EQ(CRC::s_locked, 0);
  EXPECT_FALSE(Back().IsLocked());
  EXPECT_EQ(Back().Row(3)[2], 0xABCD);

  g_3dDevice.DirectDraw()->LoseSurfaces();
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(m_rc->LockBackBuffer());
  EXPECT_EQ(CRC::s_locked, 0);
  EXPECT_TRUE(log.Lines().empty());  // a lost surface is no error
}

TEST_F(RCDisplayTest, SavedRectanglesComeBackAndStayOnTheSurface) {
  ASSERT_TRUE(m_rc->LockBackBuffer());
  FillPattern();
  struct Case {
    int left, top, right, bottom;
  };
  const Case cases[] = {
      {100, 50, 140, 70},     // inside
      {-5, 470, 6, 490},      // over the bottom-left corner
      {630, -3, 650, 2},      // over the top-right corner
      {700, 500, 720, 510},   // wholly outside
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    m_rc->SaveRect(1, c.left, c.top, c.right, c.bottom);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) CRC::s_pixels[y * CRC::s_pitch + x] = 0;
    }
    m_rc->RestoreRect(1, c.left, c.top, c.right, c.bottom);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
        ASSERT_EQ(Pixel(x, y), inside ? static_cast<uint16_t>(x + y * 7) : 0) << x << "," << y;
      }
    }
    FillPattern();
  }
  // The rows are kept bottom first: restored one row lower, only as many
  // rows as were saved are written.
  m_rc->SaveRect(2, 10, 10, 12, 12);
  m_rc->RestoreRect(2, 10, 11, 12, 15);
  EXPECT_EQ(Pixel(10, 14), 10 + 11 * 7);
  EXPECT_EQ(Pixel(10, 13), 10 + 10 * 7);
  EXPECT_EQ(Pixel(10, 12), 10 + 12 * 7);  // untouched
}

TEST_F(RCDisplayTest, AnEmptySlotRestoresNothing) {
  ASSERT_TRUE(m_rc->LockBackBuffer());
  FillPattern();
  m_rc->SaveRect(0, 0, 0, 10, 10);
  m_rc->FreeSavedRects();
  for (int slot : {0, 3}) m_rc->RestoreRect(slot, 0, 0, 10, 10);
  m_rc->RestoreRect(4, 0, 0, 10, 10);  // no such slot
  m_rc->SaveRect(-1, 0, 0, 10, 10);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) ASSERT_EQ(Pixel(x, y), static_cast<uint16_t>(x + y * 7));
  }
}

TEST_F(RCDisplayTest, TheGameCachesLoadTheirFilesAndEveryScenesEndUnlinksBatches) {
  const std::string savedPath = g_texturePath;
  g_texturePath = "\\texture\\";
  WriteData("texture/wall.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(8, 8)));
  WriteData("texture/glow.tga", slvtools::WriteTga(slvtools::RgbaImage(4, 2), 32, false));
  CTextureMgr& bmps = CTextureMgr::GetInstance();
  CTgaTextureMgr& tgas = CTgaTextureMgr::GetInstance();
  CTexture* wall = bmps.GetTexture("wall.bmp", 0);
  CTexture* glow = tgas.GetTexture("glow.tga");
  ASSERT_NE(wall, nullptr);
  ASSERT_NE(glow, nullptr);
  EXPECT_EQ(bmps.MemoryBytes(), 8u * 8 * 4);
  EXPECT_EQ(tgas.MemoryBytes(), 4u * 2 * 4);
  EXPECT_EQ(bmps.GetTexture("glow.tga", 0), nullptr);
  EXPECT_EQ(tgas.GetTexture("wall.bmp"), nullptr);

  TriangleBatch batch{};
  wall->m_batch = &batch;
  ASSERT_TRUE(m_rc->BeginScene());
  EXPECT_EQ(m_rc->EndScene(), S_OK);
  EXPECT_EQ(wall->m_batch, nullptr);
  bmps.ReleaseAll();
  tgas.ReleaseAll();
  g_texturePath = savedPath;
}

}  // namespace
