#include "render/AviTexture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/render/TextureTestSupport.h"
#include "tests/support/MovieFixture.h"

namespace {

using namespace platform;
using testsupport::MovieClip;
using testsupport::MoviePixel;

class AviTextureTest : public TextureDeviceTest {
 protected:
  // A clip in the game folder, named as the game names it.
  std::string Clip(const MovieClip& clip, const std::string& name = "clip.avi") {
    std::filesystem::create_directories(m_dir / "game/movie");
    EXPECT_TRUE(testsupport::WriteMovieClip(m_dir / ("game/movie/" + name), clip));
    return "movie\\" + name;
  }
  // Opens the clip and shows its frame `frame`.
  void Show(const MovieClip& clip, int frame) {
    ASSERT_TRUE(m_avi.Open(Clip(clip).c_str()));
    m_avi.m_playing = 1;
    m_avi.m_frameIndex = frame;
    ASSERT_EQ(m_avi.UpdateFrame(), S_OK);
  }
  // The decal's texel as uploaded, in its staging format.
  static uint16_t Texel(const CDecal& d, int x, int y) { return d.m_surface->Row(y)[x]; }

  CAviTexture m_avi;
};

TEST(AviTexturePeriod, IsTheRoundedFrameLengthAndNeedsARate) {
  const struct {
    uint32_t rate, scale, period;
  } cases[] = {{15, 1, 67}, {30, 1, 33}, {30000, 1001, 33}, {25, 1, 40}, {1, 1, 1000}, {0, 1, 0}, {15, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(CAviTexture::FramePeriod(c.rate, c.scale), c.period) << c.rate << "/" << c.scale;
  }
}

TEST_F(AviTextureTest, OpenReadsTheStreamAndSetsPointSampling) {
  MovieClip clip;
  clip.rate = 30;
  g_3dDevice.Device()->SetStageState(StageState::MinFilter, static_cast<uint32_t>(Filter::Linear));
  ASSERT_TRUE(m_avi.Open(Clip(clip).c_str()));
  EXPECT_EQ(g_3dDevice.Device()->GetStageState(StageState::MinFilter), static_cast<uint32_t>(Filter::Point));
  EXPECT_EQ(g_3dDevice.Device()->GetStageState(StageState::MagFilter), static_cast<uint32_t>(Filter::Point));
  EXPECT_EQ(m_avi.FrameCount(), 4);
  EXPECT_EQ(m_avi.m_framePeriod, 33u);
  EXPECT_EQ(m_avi.m_framesPerSecond, 30);
  EXPECT_EQ(m_avi.m_leftDecal.m_width, 256);
  EXPECT_EQ(m_avi.m_rightDecal.m_height, 256);
  EXPECT_FALSE(m_avi.IsPlaying());
}

TEST_F(AviTextureTest, AMissingFileOrCodecFailsOpen) {
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(m_avi.Open("movie\\none.avi"));
  EXPECT_EQ(m_avi.m_leftDecal.m_surface, nullptr);
  MovieClip unknown;
  unknown.codec = "rawvideo";
  unknown.codecTag = FourCC('Z', 'Z', 'Z', '9');
  EXPECT_FALSE(m_avi.Open(Clip(unknown).c_str()));
  const std::vector<std::string> want = {"Error Opening aviFile", "오류 : 코덱이 설치되어있지 않음"};
  EXPECT_EQ(log.Lines(), want);
  // Both decals were made before the codec was looked for, and stay empty.
  for (const CDecal* d : {&m_avi.m_leftDecal, &m_avi.m_rightDecal}) {
    ASSERT_NE(d->m_surface, nullptr);
    EXPECT_EQ(d->m_surface->Row(3)[5], 0);
  }
  // Started anyway, it has reached its end.
  EXPECT_EQ(m_avi.FrameCount(), 0);
  m_avi.Start();
  EXPECT_EQ(m_avi.UpdateFrame(), S_OK);
  EXPECT_GE(m_avi.FrameIndex(), m_avi.FrameCount());
  EXPECT_EQ(m_avi.m_leftDecal.m_surface->Row(3)[5], 0);
}

// Columns 0-159 to the left decal, 160-319 to the right one, rows upright.
TEST_F(AviTextureTest, AFullWidthFrameIsSplitAtColumn160) {
  MovieClip clip;
  clip.width = 320;
  clip.height = 24;
  Show(clip, 2);
  for (int y : {0, 11, 23}) {
    for (int x : {0, 1, 100, 159}) {
      EXPECT_EQ(Texel(m_avi.m_leftDecal, x, y), MoviePixel(2, x, y)) << x << "," << y;
      EXPECT_EQ(Texel(m_avi.m_rightDecal, x, y), MoviePixel(2, 160 + x, y)) << x << "," << y;
    }
    EXPECT_EQ(Texel(m_avi.m_leftDecal, 160, y), 0) << "past the half";
  }
  EXPECT_EQ(Texel(m_avi.m_leftDecal, 4, 24), 0) << "below the frame";
}

// A 5-5-5 decal takes each pixel with green's lowest bit dropped.
TEST_F(AviTextureTest, A555DecalGetsConvertedPixels) {
  MovieClip clip;
  clip.width = 320;
  clip.height = 8;
  ASSERT_TRUE(m_avi.Open(Clip(clip).c_str()));
  for (CDecal* d : {&m_avi.m_leftDecal, &m_avi.m_rightDecal}) {
    d->m_desc.format = DescOf(PixelFormat::XRGB1555);
    d->m_staging = std::make_shared<Surface>(256, 256, PixelFormat::XRGB1555);
    d->m_surface = std::make_shared<Surface>(256, 256, PixelFormat::XRGB1555);
  }
  m_avi.m_playing = 1;
  ASSERT_EQ(m_avi.UpdateFrame(), S_OK);
  for (int x : {0, 37, 159}) {
    for (int y : {0, 7}) {
      const uint16_t left = MoviePixel(0, x, y), right = MoviePixel(0, 160 + x, y);
      EXPECT_EQ(Texel(m_avi.m_leftDecal, x, y), ((left >> 1) & 0x7FE0) | (left & 0x1F));
      EXPECT_EQ(Texel(m_avi.m_rightDecal, x, y), ((right >> 1) & 0x7FE0) | (right & 0x1F));
    }
  }
}

// A narrow frame fills what it covers; a large one is cut to the decals.
TEST_F(AviTextureTest, FramesAreCutToTheDecalsOrLeaveThemBlack) {
  MovieClip narrow;
  narrow.width = 100;
  narrow.height = 20;
  Show(narrow, 1);
  EXPECT_EQ(Texel(m_avi.m_leftDecal, 99, 19), MoviePixel(1, 99, 19));
  EXPECT_EQ(Texel(m_avi.m_leftDecal, 100, 19), 0);
  EXPECT_EQ(Texel(m_avi.m_rightDecal, 0, 0), 0);

  MovieClip large;
  large.width = 400;
  large.height = 300;
  large.frames = 1;
  Show(large, 0);
  EXPECT_EQ(Texel(m_avi.m_leftDecal, 159, 255), MoviePixel(0, 159, 255));
  EXPECT_EQ(Texel(m_avi.m_rightDecal, 159, 255), MoviePixel(0, 319, 255));
  EXPECT_EQ(Texel(m_avi.m_rightDecal, 160, 0), 0) << "columns past 320 are not shown";
}

TEST_F(AviTextureTest, AfterTheLastFrameNothingIsRead) {
  Show(MovieClip{}, 3);
  m_avi.m_leftDecal.m_staging->Fill(nullptr, 0x1234);
  m_avi.m_frameIndex = 4;
  EXPECT_EQ(m_avi.UpdateFrame(), S_OK);
  EXPECT_EQ(m_avi.m_leftDecal.m_staging->Row(0)[0], 0x1234);
  m_avi.m_frameIndex = 0;
  m_avi.m_playing = 0;
  EXPECT_EQ(m_avi.UpdateFrame(), S_OK) << "not playing";
  EXPECT_EQ(m_avi.m_leftDecal.m_staging->Row(0)[0], 0x1234);
}

// The file loses its frames after Open: the movie ends at once.
TEST_F(AviTextureTest, AReadFailureEndsTheMovie) {
  MovieClip clip;
  clip.codec = "rawvideo";  // large frames, far past what a read buffers
  clip.width = 320;
  clip.height = 240;
  clip.frames = 3;
  ASSERT_TRUE(m_avi.Open(Clip(clip).c_str()));
  std::filesystem::resize_file(m_dir / "game/movie/clip.avi", 20000);
  m_avi.m_playing = 1;
  m_avi.m_frameIndex = 2;
  EXPECT_EQ(m_avi.UpdateFrame(), S_OK);
  EXPECT_EQ(m_avi.FrameIndex(), 3);
}

TEST_F(AviTextureTest, ALockFailureIsReturnedAndNamed) {
  ASSERT_TRUE(m_avi.Open(Clip(MovieClip{}).c_str()));
  m_avi.m_playing = 1;
  testsupport::DebugLogCapture log;
  LockedBits held;
  ASSERT_EQ(m_avi.m_leftDecal.m_staging->Lock(&held), S_OK);
  EXPECT_EQ(m_avi.UpdateFrame(), DDERR_SURFACEBUSY);
  m_avi.m_leftDecal.m_staging->Unlock();
  m_avi.m_rightDecal.m_staging->MarkLost();
  EXPECT_EQ(m_avi.UpdateFrame(), DDERR_SURFACELOST);
  const std::vector<std::string> want = {"aviDecal lock 실패", "surface busy", "aviDecal right lock 실패",
                                         "surfaceLosT"};
  EXPECT_EQ(log.Lines(), want);
  EXPECT_EQ(m_avi.FrameIndex(), 0) << "a lock failure skips the frame only";
}

TEST_F(AviTextureTest, TicksCountOnlyWhilePlaying) {
  ASSERT_TRUE(m_avi.Open(Clip(MovieClip{}).c_str()));
  m_avi.Tick();
  EXPECT_EQ(m_avi.FrameIndex(), 0);
  m_avi.m_playing = 1;
  CAviTexture::TimerProc(7, &m_avi);
  EXPECT_EQ(m_avi.FrameIndex(), 1);
}

// The timer advances the frames; Close stops it before anything is freed,
// and a second Open closes a started movie first.
TEST_F(AviTextureTest, TheTimerRunsTheFramesUntilClose) {
  MovieClip fast;
  fast.rate = 1000;  // a frame a millisecond
  fast.frames = 5;
  fast.width = 16;
  fast.height = 8;
  ASSERT_TRUE(m_avi.Open(Clip(fast).c_str()));
  ASSERT_NE(m_avi.Start(), 0u);
  EXPECT_TRUE(m_avi.IsPlaying());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (m_avi.FrameIndex() < 3 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_GE(m_avi.FrameIndex(), 3);
  ASSERT_TRUE(m_avi.Open(Clip(MovieClip{}, "second.avi").c_str()));
  EXPECT_EQ(m_avi.m_timerId, 0u);
  EXPECT_FALSE(m_avi.IsPlaying());
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(m_avi.FrameIndex(), 0);
}

}  // namespace
