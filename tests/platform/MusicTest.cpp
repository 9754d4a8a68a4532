#include "platform/Music.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/MixerVolume.h"
#include "platform/Sound.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaveFixture.h"

namespace {

using platform::CdMode;
using testsupport::ConstantSamples;
using testsupport::PcmWaveFile;

TEST(MusicTest, TrackNumbersOfFileNames) {
  const struct {
    const char* name;
    int track;
  } cases[] = {
      {"Track02.ogg", 2}, {"track 2.FLAC", 2}, {"track_13.mp3", 13}, {"07.wav", 7},
      {"TRACK-99.opus", 99}, {"track02.txt", -1}, {"setup.wav", -1}, {"data1.wav", -1},
      {"track.wav", -1}, {"1234.wav", -1}, {"02", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::TrackNumberOfFile(c.name), c.track) << c.name;
}

TEST(MusicTest, DrivesAreTheFoldersOfTheMountFoldersInOrder) {
  testsupport::TempDir dir;
  for (const char* d : {"b/SLV_DISC2", "b/Cdrom", "a/slv_dvd"}) {
    std::filesystem::create_directories(dir / d);
  }
  dir.Write("b/notes.txt", "not a drive");
  const std::string a = (dir / "a").string(), b = (dir / "b").string();
  const std::string missing = (dir / "missing").string();

  platform::SetDiscMountFolders({b, missing, a});
  std::vector<platform::DiscDrive> drives = platform::GetCdPlayer().ListDrives();
  ASSERT_EQ(drives.size(), 3u);
  EXPECT_EQ(drives[0].label, "Cdrom");
  EXPECT_EQ(drives[1].label, "SLV_DISC2");
  EXPECT_EQ(drives[1].root, (dir / "b/SLV_DISC2").string());
  EXPECT_EQ(drives[2].label, "slv_dvd");

  // Without folders set, the environment names them.
  platform::SetDiscMountFolders({});
  ::setenv("SLV_DISC_DIRS", (a + ":" + missing).c_str(), 1);
  drives = platform::GetCdPlayer().ListDrives();
  ::unsetenv("SLV_DISC_DIRS");
  ASSERT_EQ(drives.size(), 1u);
  EXPECT_EQ(drives[0].label, "slv_dvd");
}

// A disc of two tracks, played through the held output.
class CdPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform::OpenSoundDevice(), platform::S_OK);
    platform::HoldSoundOutput(true);
    m_dir.Write("SLV_DISC1/Track02.wav", PcmWaveFile(ConstantSamples(3000, 1, 8192), 1, 44100));
    m_dir.Write("SLV_DISC1/track03.wav", PcmWaveFile(ConstantSamples(1000, 2, -8192), 2, 44100));
    m_dir.Write("SLV_DISC1/readme.txt", "not a track");
    m_id = m_player.Open((m_dir / "SLV_DISC1").string());
    ASSERT_NE(m_id, 0u);
  }
  void TearDown() override {
    m_player.Close(m_id);
    platform::HoldSoundOutput(false);
    platform::CloseSoundDevice();
  }

  struct Heard {
    size_t high = 0, low = 0;  // frames at +0.25 and at -0.25
    bool lowAfterHigh = true;
  };
  // Pulls until the player stops; the decoder may lag, so silent frames are
  // not counted.
  Heard ListenToTheEnd() {
    Heard heard;
    std::vector<float> out(2 * 256);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    CdMode mode = CdMode::Playing;
    while (mode == CdMode::Playing && std::chrono::steady_clock::now() < deadline) {
      platform::PullSoundFrames(out.data(), 256);
      for (size_t i = 0; i < out.size(); i += 2) {
        if (out[i] > 0.2f) {
          ++heard.high;
          if (heard.low > 0) heard.lowAfterHigh = false;
        }
        if (out[i] < -0.2f) ++heard.low;
      }
      if (!m_player.QueryMode(m_id, &mode)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(mode, CdMode::Stopped);
    return heard;
  }

  testsupport::TempDir m_dir;
  platform::CdPlayer& m_player = platform::GetCdPlayer();
  platform::CdDeviceId m_id = 0;
};

TEST_F(CdPlayerTest, PlaysFromTheStartOfATrackToTheStartOfTheNext) {
  CdMode mode;
  ASSERT_TRUE(m_player.QueryMode(m_id, &mode));
  EXPECT_EQ(mode, CdMode::Stopped);
  ASSERT_TRUE(m_player.Play(m_id, 2, 3));
  ASSERT_TRUE(m_player.QueryMode(m_id, &mode));
  EXPECT_EQ(mode, CdMode::Playing);
  const Heard heard = ListenToTheEnd();
  EXPECT_EQ(heard.high, 3000u);
  EXPECT_EQ(heard.low, 0u);
}

TEST_F(CdPlayerTest, ARangePlaysItsTracksInTurnAndTheLastTrackPlaysToItsEnd) {
  ASSERT_TRUE(m_player.Play(m_id, 2, 4));
  Heard heard = ListenToTheEnd();
  EXPECT_EQ(heard.high, 3000u);
  EXPECT_EQ(heard.low, 1000u);
  EXPECT_TRUE(heard.lowAfterHigh);
  // The last track, asked for up to the track after it that the disc lacks.
  ASSERT_TRUE(m_player.Play(m_id, 3, 4));
  heard = ListenToTheEnd();
  EXPECT_EQ(heard.low, 1000u);
}

TEST_F(CdPlayerTest, TheCompactDiscLineScalesTheMusic) {
  const uint32_t mixer = platform::OpenMixer(0);
  platform::MixerVolumeControl cd;
  ASSERT_TRUE(platform::FindMixerVolumeControl(mixer, platform::kMixerLineCompactDisc, &cd));
  ASSERT_TRUE(platform::SetMixerControlValue(mixer, cd.controlId, cd.maximum / 2));
  ASSERT_TRUE(m_player.Play(m_id, 2, 3));
  const Heard heard = ListenToTheEnd();  // +0.125 now: neither high nor low
  platform::SetMixerControlValue(mixer, cd.controlId, cd.maximum);
  platform::CloseMixer(mixer);
  EXPECT_EQ(heard.high + heard.low, 0u);
}

TEST_F(CdPlayerTest, FailuresOfPlayQueryAndClose) {
  EXPECT_FALSE(m_player.Play(m_id, 1, 2));  // no such track
  EXPECT_FALSE(m_player.Play(m_id, 2, 2));
  EXPECT_FALSE(m_player.Play(m_id + 100, 2, 3));
  EXPECT_EQ(m_player.Open((m_dir / "nothing").string()), 0u);
  ASSERT_TRUE(m_player.Play(m_id, 2, 3));
  EXPECT_TRUE(m_player.Stop(m_id));
  CdMode mode;
  ASSERT_TRUE(m_player.QueryMode(m_id, &mode));
  EXPECT_EQ(mode, CdMode::Stopped);
  // The disc is taken out.
  std::filesystem::remove_all(m_dir / "SLV_DISC1");
  EXPECT_FALSE(m_player.QueryMode(m_id, &mode));
  EXPECT_TRUE(m_player.Close(m_id));
  EXPECT_FALSE(m_player.Close(m_id));
  EXPECT_FALSE(m_player.QueryMode(m_id, &mode));
  m_id = m_player.Open(m_dir.Path().string());  // for TearDown
}

}  // namespace
