#include "engine/CdAudio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

TEST(CdAudioTest, DvdTrackTable) {
  EXPECT_EQ(DvdTrackTable[0][0], 2);
  EXPECT_EQ(DvdTrackTable[0][1], 102);
  EXPECT_EQ(DvdTrackTable[kDvdTrackCount - 1][0], 83);
  EXPECT_EQ(DvdTrackTable[kDvdTrackCount - 1][1], 599);
  // Every disc's codes rise, and each disc ends with its track 99.
  int discs = 0;
  for (int i = 0; i < kDvdTrackCount; ++i) {
    if (i > 0) {
      EXPECT_GT(DvdTrackTable[i][1], DvdTrackTable[i - 1][1]) << i;
    }
    if (DvdTrackTable[i][1] % 100 == 99) ++discs;
  }
  EXPECT_EQ(discs, 5);
  const struct {
    int disc, track, dvd;
  } cases[] = {
      {1, 2, 2},   {1, 22, 22}, {1, 99, 83}, {1, 50, -1}, {1, 23, -1}, {2, 11, 11},
      {2, 16, 17}, {2, 24, 50}, {2, 31, 37}, {3, 9, 38},  {3, 31, 57}, {3, 99, 83},
      {4, 17, 84}, {4, 30, 65}, {4, 31, -1}, {5, 8, 66},  {5, 29, 9},  {5, 99, 83},
      {0, 16, 16}, {0, 23, 31}, {-1, 29, 35}, {0, 31, 37}, {0, 30, 36}, {6, 2, -1},
      {0, 1, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(MapDvdTrack(c.disc, c.track), c.dvd) << c.disc << " " << c.track;
}

// Records the commands the CD code gives the player.
class FakePlayer : public platform::CdPlayer {
 public:
  std::vector<platform::DiscDrive> ListDrives() override { return drives; }
  platform::CdDeviceId Open(const std::string& root) override {
    log.push_back("open " + root);
    return root.empty() ? 0 : ++lastId;
  }
  bool Play(platform::CdDeviceId id, int from, int to) override {
    log.push_back("play " + std::to_string(id) + " " + std::to_string(from) + "-" + std::to_string(to));
    return playWorks;
  }
  bool QueryMode(platform::CdDeviceId id, platform::CdMode* m) override {
    log.push_back("mode " + std::to_string(id));
    *m = mode;
    return queryWorks;
  }
  bool Stop(platform::CdDeviceId id) override {
    log.push_back("stop " + std::to_string(id));
    return true;
  }
  bool Close(platform::CdDeviceId id) override {
    log.push_back("close " + std::to_string(id));
    return true;
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }

  std::vector<platform::DiscDrive> drives;
  std::vector<std::string> log;
  platform::CdDeviceId lastId = 0;
  platform::CdMode mode = platform::CdMode::Playing;
  bool playWorks = true;
  bool queryWorks = true;
};

using Log = std::vector<std::string>;

class CdAudioFakeTest : public ::testing::Test {
 protected:
  CdAudioFakeTest() {
    g_cdAudio = CdAudioState{};
    platform::SetCdPlayer(&m_player);
  }
  ~CdAudioFakeTest() override {
    platform::SetCdPlayer(nullptr);
    g_cdAudio = CdAudioState{};
  }
  // Polls n times; true when every poll reported true.
  bool Poll(int n) {
    bool all = true;
    for (int i = 0; i < n; ++i) all = PollCdAudio() && all;
    return all;
  }

  FakePlayer m_player;
};

TEST_F(CdAudioFakeTest, FindGameDiscByLabelWithoutRegardToCase) {
  m_player.drives = {{"/c", "DATA"}, {"/d", "slv_disc3"}, {"/e", "Slv_Disc1"}};
  EXPECT_TRUE(FindGameDisc(3));
  EXPECT_EQ(g_cdAudio.m_drive, "/d");
  EXPECT_EQ(g_cdAudio.m_disc, 3);
  EXPECT_FALSE(g_cdAudio.m_isDvd);
  EXPECT_FALSE(FindGameDisc(2));  // changes nothing
  EXPECT_EQ(g_cdAudio.m_drive, "/d");
  EXPECT_EQ(g_cdAudio.m_disc, 3);
  EXPECT_TRUE(FindGameDisc(0));  // any disc: the first drive that holds one
  EXPECT_EQ(g_cdAudio.m_disc, 3);
  EXPECT_TRUE(FindGameDisc(1));
  EXPECT_EQ(g_cdAudio.m_drive, "/e");
  m_player.drives.insert(m_player.drives.begin() + 1, {"/f", "sLv_DvD"});
  EXPECT_TRUE(FindGameDisc(4));  // the DVD serves every disc
  EXPECT_EQ(g_cdAudio.m_drive, "/f");
  EXPECT_EQ(g_cdAudio.m_disc, 4);
  EXPECT_TRUE(g_cdAudio.m_isDvd);
  m_player.drives = {{"/g", "SLV_DISC2"}};
  EXPECT_TRUE(FindGameDisc(0));
  EXPECT_EQ(g_cdAudio.m_disc, 2);
  EXPECT_FALSE(g_cdAudio.m_isDvd);
}

TEST(CdAudioTest, FindGameDiscSearchesTheMountFolders) {
  testsupport::TempDir dir;
  std::filesystem::create_directories(dir / "media/cdrom");
  std::filesystem::create_directories(dir / "media/slv_disc3");
  platform::SetDiscMountFolders({(dir / "media").string()});
  g_cdAudio = CdAudioState{};
  EXPECT_TRUE(FindGameDisc(3));
  EXPECT_EQ(g_cdAudio.m_drive, (dir / "media/slv_disc3").string());
  EXPECT_FALSE(FindGameDisc(5));
  platform::SetDiscMountFolders({});
  g_cdAudio = CdAudioState{};
}

TEST_F(CdAudioFakeTest, PlayOnTheDvdMapsTheTrackAndDoesNotRestartIt) {
  m_player.drives = {{"/dvd", "SLV_DVD"}};
  ASSERT_TRUE(FindGameDisc(2));
  PlayCdTrack(2, 16);
  EXPECT_EQ(m_player.Take(), (Log{"open /dvd", "play 1 17-18"}));
  EXPECT_EQ(g_cdAudio.m_disc, 2);
  EXPECT_EQ(g_cdAudio.m_track, 16);
  PlayCdTrack(2, 16);
  EXPECT_TRUE(m_player.Take().empty());
  PlayCdTrack(0, 16);
  EXPECT_EQ(m_player.Take(), (Log{"stop 1", "close 1", "open /dvd", "play 2 16-17"}));
  PlayCdTrack(3, 99);
  EXPECT_EQ(m_player.Take(), (Log{"stop 2", "close 2", "open /dvd", "play 3 83-84"}));
  // A request the table does not know stops the music and plays nothing.
  PlayCdTrack(1, 50);
  EXPECT_EQ(m_player.Take(), (Log{"stop 3", "close 3"}));
  EXPECT_FALSE(g_cdAudio.m_isOpen);
  EXPECT_EQ(g_cdAudio.m_track, -1);
}

TEST_F(CdAudioFakeTest, PlayOnACdTakesTheTrackAsItIs) {
  m_player.drives = {{"/cd", "SLV_DISC3"}};
  ASSERT_TRUE(FindGameDisc(3));
  PlayCdTrack(3, 99);
  EXPECT_EQ(m_player.Take(), (Log{"open /cd", "play 1 99-100"}));
}

TEST_F(CdAudioFakeTest, WithoutADiscNothingPlays) {
  PlayCdTrack(1, 2);
  EXPECT_EQ(m_player.Take(), (Log{"open "}));
  EXPECT_FALSE(g_cdAudio.m_isOpen);
  EXPECT_TRUE(Poll(500));  // nothing was played: nothing to look after
  EXPECT_TRUE(m_player.Take().empty());
}

TEST_F(CdAudioFakeTest, EveryHundredthPollLoopsTheTrackWhenItEnded) {
  m_player.drives = {{"/dvd", "SLV_DVD"}};
  ASSERT_TRUE(FindGameDisc(2));
  PlayCdTrack(2, 16);
  m_player.Take();
  EXPECT_TRUE(Poll(99));
  EXPECT_TRUE(m_player.Take().empty());
  EXPECT_TRUE(Poll(1));
  EXPECT_EQ(m_player.Take(), (Log{"mode 1"}));  // still playing
  m_player.mode = platform::CdMode::Stopped;
  EXPECT_TRUE(Poll(100));
  EXPECT_EQ(m_player.Take(), (Log{"mode 1", "play 1 17-18"}));
  // Playing again fails: the disc is searched for and the track started anew.
  m_player.playWorks = false;
  EXPECT_TRUE(Poll(100));
  EXPECT_EQ(m_player.Take(),
            (Log{"mode 1", "play 1 17-18", "stop 1", "close 1", "open /dvd", "play 2 17-18"}));
  EXPECT_EQ(g_cdAudio.m_disc, 2);
  EXPECT_EQ(g_cdAudio.m_track, 16);
  // The disc is gone.
  m_player.drives.clear();
  EXPECT_FALSE(Poll(100));
  EXPECT_EQ(m_player.Take(), (Log{"mode 2", "play 2 17-18"}));
  m_player.queryWorks = false;
  EXPECT_FALSE(Poll(100));
  EXPECT_EQ(m_player.Take(), (Log{"mode 2"}));
}

TEST_F(CdAudioFakeTest, StopClosesTheDeviceOnce) {
  m_player.drives = {{"/cd", "SLV_DISC1"}};
  ASSERT_TRUE(FindGameDisc(1));
  PlayCdTrack(1, 5);
  m_player.Take();
  StopCdAudio();
  EXPECT_EQ(m_player.Take(), (Log{"stop 1", "close 1"}));
  EXPECT_EQ(g_cdAudio.m_track, -1);
  EXPECT_FALSE(g_cdAudio.m_isOpen);
  StopCdAudio();
  EXPECT_TRUE(m_player.Take().empty());
  PlayCdTrack(1, 5);  // the same request plays again after a stop
  EXPECT_EQ(m_player.Take(), (Log{"open /cd", "play 2 5-6"}));
}

}  // namespace
