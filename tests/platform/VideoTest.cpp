// The movie side of the platform: the AVI reader and writer, the movie
// stream that the opening movie plays through, and the periodic timer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/MovieStream.h"
#include "platform/MultimediaTimer.h"
#include "platform/Sound.h"
#include "platform/VideoReader.h"
#include "tests/support/MovieFixture.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;
using testsupport::MovieClip;
using testsupport::MoviePixel;

// Whether `pixels` (rows `pitch` apart) hold frame `frame` of the pattern.
::testing::AssertionResult HoldsFrame(const uint16_t* pixels, int pitch, int width, int height, int frame) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint16_t got = pixels[static_cast<size_t>(y) * pitch + x];
      if (got != MoviePixel(frame, x, y)) {
        return ::testing::AssertionFailure() << "frame " << frame << " pixel " << x << "," << y << " is " << got
                                             << ", not " << MoviePixel(frame, x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

class VideoReaderTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const MovieClip& clip) {
    const auto path = m_dir / name;
    EXPECT_TRUE(testsupport::WriteMovieClip(path, clip)) << name;
    return path.string();
  }
  testsupport::TempDir m_dir;
};

// Every frame comes back exactly, in any order: forward, again, and back.
TEST_F(VideoReaderTest, FramesComeBackExactlyInAnyOrder) {
  MovieClip clip;
  clip.frames = 6;
  auto reader = VideoReader::Open(Write("clip.avi", clip));
  ASSERT_NE(reader, nullptr);
  const VideoInfo& info = reader->Info();
  EXPECT_EQ(info.width, 32);
  EXPECT_EQ(info.height, 16);
  EXPECT_EQ(info.rate, 15u);
  EXPECT_EQ(info.scale, 1u);
  EXPECT_EQ(info.frameCount, 6);
  EXPECT_TRUE(info.hasDecoder);
  EXPECT_FALSE(info.hasAudio);
  const int pitch = 40;
  std::vector<uint16_t> out(pitch * 16);
  for (int frame : {0, 1, 2, 5, 3, 3, 0, 4}) {
    ASSERT_TRUE(reader->ReadFrame(frame, out.data(), pitch)) << frame;
    EXPECT_TRUE(HoldsFrame(out.data(), pitch, 32, 16, frame));
  }
  for (int frame : {-1, 6}) EXPECT_FALSE(reader->ReadFrame(frame, out.data(), pitch)) << frame;
  EXPECT_FALSE(reader->ReadFrame(0, out.data(), 31)) << "a pitch narrower than a row";
}

TEST_F(VideoReaderTest, TheTimeBaseIsTheStreamsRateAndScale) {
  MovieClip clip;
  clip.rate = 30000;
  clip.scale = 1001;
  clip.frames = 1;
  clip.audioRate = 11025;
  auto reader = VideoReader::Open(Write("ntsc.avi", clip));
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->Info().rate, 30000u);
  EXPECT_EQ(reader->Info().scale, 1001u);
  EXPECT_TRUE(reader->Info().hasAudio);
}

// A raw clip under a code no decoder knows: readable, not decodable.
TEST_F(VideoReaderTest, AnUnknownCodecHasNoDecoder) {
  MovieClip clip;
  clip.codec = "rawvideo";
  clip.codecTag = FourCC('Z', 'Z', 'Z', '9');
  auto reader = VideoReader::Open(Write("unknown.avi", clip));
  ASSERT_NE(reader, nullptr);
  EXPECT_FALSE(reader->Info().hasDecoder);
  EXPECT_EQ(reader->Info().frameCount, 4);
  std::vector<uint16_t> out(32 * 16);
  EXPECT_FALSE(reader->ReadFrame(0, out.data(), 32));
}

// Names resolve like loose files: either separator, any case.
TEST_F(VideoReaderTest, NamesResolveLikeLooseFilesAndOnlyAviOpens) {
  std::filesystem::create_directories(m_dir / "Movie");
  Write("Movie/Clip.avi", MovieClip{});
  EXPECT_NE(VideoReader::Open((m_dir / "MOVIE\\clip.AVI").string()), nullptr);
  EXPECT_EQ(VideoReader::Open((m_dir / "movie/none.avi").string()), nullptr);
  m_dir.Write("movie/text.avi", "RIFF....AVI LIST this is no movie");
  EXPECT_EQ(VideoReader::Open((m_dir / "movie/text.avi").string()), nullptr);
}

class MovieStreamTest : public VideoReaderTest {
 protected:
  FakeClock m_clock{1000};
  ScopedClockSource m_source{&m_clock};
};

// Each update waits for its frame's time and shows the next frame, none
// dropped; a stop holds the clock.
TEST_F(MovieStreamTest, UpdatesShowEveryFrameInOrderAtItsTime) {
  MovieClip clip;
  clip.frames = 3;
  auto movie = MovieStream::Open(Write("clip.avi", clip), false);
  ASSERT_NE(movie, nullptr);
  EXPECT_FALSE(movie->HasAudio());
  Surface sample(32, 16, PixelFormat::RGB565, 80);
  EXPECT_EQ(movie->Update(sample), S_OK) << "stopped: no frame";
  EXPECT_EQ(sample.Row(0)[1], 0);
  movie->SetState(1);
  ASSERT_EQ(movie->Update(sample), S_OK);
  EXPECT_EQ(m_clock.Peek(), 1000u);
  EXPECT_TRUE(HoldsFrame(sample.Row(0), 40, 32, 16, 0));
  m_clock.Advance(200);  // late: frame 1 at once, not dropped
  ASSERT_EQ(movie->Update(sample), S_OK);
  EXPECT_EQ(m_clock.Peek(), 1200u);
  EXPECT_TRUE(HoldsFrame(sample.Row(0), 40, 32, 16, 1));
  movie->SetState(0);
  m_clock.Advance(1000);
  movie->SetState(1);
  ASSERT_EQ(movie->Update(sample), S_OK);  // frame 2 is due 133 ms after the start, less the stop
  EXPECT_EQ(m_clock.Peek(), 2200u);
  EXPECT_TRUE(HoldsFrame(sample.Row(0), 40, 32, 16, 2));
  EXPECT_EQ(movie->Update(sample), MS_S_ENDOFSTREAM);
}

TEST_F(MovieStreamTest, AnEarlyUpdateWaitsForItsFrame) {
  auto movie = MovieStream::Open(Write("clip.avi", MovieClip{}), false);
  ASSERT_NE(movie, nullptr);
  Surface sample(32, 16, PixelFormat::RGB565);
  movie->SetState(1);
  for (uint32_t due : {1000u, 1066u, 1133u, 1200u}) {
    ASSERT_EQ(movie->Update(sample), S_OK);
    EXPECT_EQ(m_clock.Peek(), due);
  }
}

// A 5-5-5 sample gets each pixel with green's lowest bit dropped; a smaller
// sample gets what fits.
TEST_F(MovieStreamTest, SamplesInTheDisplaysFormatAndSize) {
  auto movie = MovieStream::Open(Write("clip.avi", MovieClip{}), false);
  ASSERT_NE(movie, nullptr);
  Surface sample(20, 10, PixelFormat::XRGB1555);
  movie->SetState(1);
  ASSERT_EQ(movie->Update(sample), S_OK);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      const uint16_t p = MoviePixel(0, x, y);
      ASSERT_EQ(sample.Row(y)[x], ((p >> 1) & 0x7FE0) | (p & 0x1F)) << x << "," << y;
    }
  }
  sample.MarkLost();
  EXPECT_EQ(movie->Update(sample), S_OK) << "a lost sample passes the frame over";
}

TEST_F(MovieStreamTest, OnlyDecodableVideoOpensAndSoundOnlyWhenAsked) {
  MovieClip unknown;
  unknown.codec = "rawvideo";
  unknown.codecTag = FourCC('Z', 'Z', 'Z', '9');
  testsupport::DebugLogCapture log;
  EXPECT_EQ(MovieStream::Open(Write("unknown.avi", unknown), true), nullptr);
  EXPECT_EQ(MovieStream::Open((m_dir / "none.avi").string(), true), nullptr);
  EXPECT_EQ(log.Lines().size(), 2u);
  MovieClip sound;
  sound.audioRate = 11025;
  const std::string path = Write("sound.avi", sound);
  EXPECT_FALSE(MovieStream::Open(path, false)->HasAudio());
  EXPECT_TRUE(MovieStream::Open(path, true)->HasAudio());
}

// The sound plays only while the movie runs.
TEST_F(MovieStreamTest, TheSoundStopsWithTheMovie) {
  ASSERT_EQ(OpenSoundDevice(), S_OK);
  HoldSoundOutput(true);
  MovieClip sound;
  sound.audioRate = 11025;
  auto movie = MovieStream::Open(Write("sound.avi", sound), true);
  ASSERT_NE(movie, nullptr);
  std::vector<float> out(2 * 256);
  // The decoder runs on its own thread: give it a moment.
  auto loudest = [&](int tries) {
    float peak = 0;
    for (int i = 0; i < tries && peak == 0; ++i) {
      std::fill(out.begin(), out.end(), 0.0f);
      PullSoundFrames(out.data(), 256);
      for (float v : out) peak = std::max(peak, std::abs(v));
      if (peak == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return peak;
  };
  EXPECT_EQ(loudest(5), 0.0f);
  movie->SetState(1);
  EXPECT_GT(loudest(500), 0.01f);
  movie->SetState(0);
  EXPECT_EQ(loudest(5), 0.0f);
  movie->SetState(1);
  EXPECT_GT(loudest(1), 0.01f);
  movie.reset();
  HoldSoundOutput(false);
  CloseSoundDevice();
}

void CountTick(uint32_t, void* user) { ++*static_cast<std::atomic<int>*>(user); }

TEST(MultimediaTimerTest, TicksEveryPeriodUntilKilled) {
  std::atomic<int> ticks{0};
  const uint32_t id = SetTimerEvent(2, 5, CountTick, &ticks);
  ASSERT_NE(id, 0u);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (ticks < 3 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GE(ticks, 3);
  EXPECT_TRUE(KillTimerEvent(id));
  const int after = ticks;
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ticks, after);
  EXPECT_FALSE(KillTimerEvent(id));
  EXPECT_EQ(SetTimerEvent(0, 5, CountTick, &ticks), 0u);
}

struct SlowTick {
  std::atomic<bool> inside{false};
  std::atomic<bool> finished{false};
};

void SlowCallback(uint32_t, void* user) {
  auto* s = static_cast<SlowTick*>(user);
  if (s->finished) return;
  s->inside = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  s->finished = true;
}

TEST(MultimediaTimerTest, KillWaitsForARunningCallback) {
  SlowTick slow;
  const uint32_t id = SetTimerEvent(1, 5, SlowCallback, &slow);
  ASSERT_NE(id, 0u);
  while (!slow.inside) std::this_thread::yield();
  EXPECT_TRUE(KillTimerEvent(id));
  EXPECT_TRUE(slow.finished);
}

}  // namespace
