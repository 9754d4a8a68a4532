#include "engine/Wave.h"

#include <gtest/gtest.h>

#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaveFixture.h"

namespace {

using testsupport::LittleEndian32;
using testsupport::PcmFormatBody;
using testsupport::RiffChunk;
using testsupport::RiffWaveFile;

const std::string kFmt = RiffChunk("fmt ", PcmFormatBody(2, 22050, 16));
const std::string kData = RiffChunk("data", "abcd");

struct ParseCase {
  const char* what;
  std::string file;
  bool loads;
  std::string data;  // the sound data found
  const char* log;   // a fragment of the log on failure
};

TEST(WaveTest, RiffWalk) {
  const std::string noPad = RiffChunk("junk", "xyz", false);
  const ParseCase cases[] = {
      {"plain", RiffWaveFile(kFmt + kData), true, "abcd", ""},
      {"data before fmt", RiffWaveFile(kData + kFmt), true, "abcd", ""},
      {"zero-size data, then a real one", RiffWaveFile(kFmt + RiffChunk("data", "") + kData), true,
       "abcd", ""},
      {"odd chunk with its pad byte", RiffWaveFile(RiffChunk("junk", "xyz") + kFmt + kData), true,
       "abcd", ""},
      {"odd data at the end without a pad", RiffWaveFile(kFmt + RiffChunk("data", "abc", false)),
       true, "abc", ""},
      {"second data ignored", RiffWaveFile(kFmt + kData + RiffChunk("data", "zz")), true, "abcd", ""},
      {"14-byte fmt", RiffWaveFile(RiffChunk("fmt ", PcmFormatBody(2, 22050, 16).substr(0, 14)) + kData),
       true, "abcd", ""},
      {"12-byte fmt", RiffWaveFile(RiffChunk("fmt ", PcmFormatBody(2, 22050, 16).substr(0, 12)) + kData),
       false, "", "format chunk too short"},
      {"odd chunk without its pad byte", RiffWaveFile(kFmt + noPad + kData), false, "", "Wave ::"},
      {"data runs past the end", RiffWaveFile(kFmt + "data" + LittleEndian32(100) + "abcd"), false, "",
       "past the end"},
      {"chunk header cut", RiffWaveFile(kFmt + "da"), false, "", "past the end"},
      {"RIFF size past the file", "RIFF" + LittleEndian32(1000) + "WAVE" + kFmt, false, "",
       "past the end"},
      {"RIFF size ends before data", "RIFF" + LittleEndian32(4 + kFmt.size()) + "WAVE" + kFmt + kData,
       false, "", "no data chunk"},
      {"no fmt", RiffWaveFile(kData), false, "", "no fmt chunk"},
      {"only zero-size data", RiffWaveFile(kFmt + RiffChunk("data", "")), false, "", "no data chunk"},
      {"not RIFF", "RIFX" + LittleEndian32(4) + "WAVE", false, "", "Not Even RIFF"},
      {"too short for RIFF", "RI", false, "", "Not Even RIFF"},
      {"not WAVE", "RIFF" + LittleEndian32(4) + "AVI ", false, "", "Not a WAV"},
      {"too short for WAVE", "RIFF" + LittleEndian32(4), false, "", "Not a WAV"},
  };
  for (const ParseCase& c : cases) {
    testsupport::DebugLogCapture log;
    RiffWave wave;
    const auto* bytes = reinterpret_cast<const uint8_t*>(c.file.data());
    // A copy of exactly the file's size, so that a read past it is caught.
    const std::vector<uint8_t> exact(bytes, bytes + c.file.size());
    EXPECT_EQ(ParseRiffWave(exact.data(), exact.size(), "w.wav", &wave), c.loads) << c.what;
    if (c.loads) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(wave.data), wave.dataSize), c.data) << c.what;
      EXPECT_EQ(wave.format.channels, 2) << c.what;
      EXPECT_EQ(wave.format.samplesPerSec, 22050u) << c.what;
      EXPECT_EQ(wave.format.blockAlign, 4) << c.what;
    } else {
      EXPECT_TRUE(log.Contains(c.log)) << c.what;
    }
  }
}

TEST(WaveTest, FormatFields) {
  RiffWave wave;
  const std::string file = RiffWaveFile(RiffChunk("fmt ", PcmFormatBody(1, 11025, 8)) + kData);
  ASSERT_TRUE(ParseRiffWave(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "w", &wave));
  EXPECT_EQ(wave.format.formatTag, 1);
  EXPECT_EQ(wave.format.channels, 1);
  EXPECT_EQ(wave.format.samplesPerSec, 11025u);
  EXPECT_EQ(wave.format.avgBytesPerSec, 11025u);
  EXPECT_EQ(wave.format.blockAlign, 1);
  EXPECT_EQ(wave.format.bitsPerSample, 8);
}

// Waves through the resource manager, from data/wav/ of a game folder.
class WaveResTest : public GameFolderTest {
 protected:
  WaveResTest() {
    EXPECT_TRUE(InitDirectSound());
    platform::HoldSoundOutput(true);
  }
  ~WaveResTest() override {
    for (const char* name : {"beep.wav", "bad.wav", "odd.wav"}) {
      CResMgr& mgr = CResMgr::GetInstance();
      CRes* res = mgr.GetRes(name);
      if (res != nullptr) mgr.ReleaseRes(res);
    }
    g_soundEnabled = 0;
    platform::HoldSoundOutput(false);
    ReleaseDirectSound();
  }
  static CWave* Get(const char* name) { return dynamic_cast<CWave*>(CResMgr::GetInstance().GetRes(name)); }
};

TEST_F(WaveResTest, LoadsFromTheWaveFolderAndPlaysByName) {
  Write("data/wav/beep.wav", testsupport::PcmWaveFile(testsupport::ConstantSamples(4000, 1, 1000), 1, 22050));
  g_soundEnabled = 1;
  PlayWave("Beep.WAV");
  CWave* wave = Get("beep.wav");
  ASSERT_NE(wave, nullptr);
  ASSERT_NE(wave->GetSoundSet(), nullptr);
  EXPECT_TRUE(wave->GetSoundSet()->GetBuffer(0)->IsPlaying());
  PlayWave("beep.wav");
  EXPECT_TRUE(wave->GetSoundSet()->GetBuffer(1)->IsPlaying());
  wave->Reset();
  EXPECT_EQ(wave->GetSoundSet(), nullptr);
  PlayWave("beep.wav");  // a wave without buffers plays nothing
}

TEST_F(WaveResTest, WithSoundOffNothingIsLoaded) {
  testsupport::DebugLogCapture log;
  g_soundEnabled = 0;
  PlayWave("missing.wav");
  EXPECT_TRUE(log.Lines().empty());
  g_soundEnabled = 1;
  PlayWave("missing.wav");
  EXPECT_FALSE(log.Lines().empty());  // the manager looked for it
}

TEST_F(WaveResTest, AFailedLoadIsCachedAndPlaysNothing) {
  Write("data/wav/bad.wav", "RIFF");
  Write("data/wav/odd.wav", testsupport::RiffWaveFile(
                                testsupport::RiffChunk("fmt ", testsupport::PcmFormatBody(1, 22050, 12)) + kData));
  g_soundEnabled = 1;
  testsupport::DebugLogCapture log;
  PlayWave("bad.wav");
  CWave* bad = Get("bad.wav");
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(bad->GetSoundSet(), nullptr);
  // A format the buffers do not take: the wave loads, without a first buffer.
  PlayWave("odd.wav");
  CWave* odd = Get("odd.wav");
  ASSERT_NE(odd, nullptr);
  ASSERT_NE(odd->GetSoundSet(), nullptr);
  EXPECT_EQ(odd->GetSoundSet()->GetBuffer(0), nullptr);
  EXPECT_EQ(odd->GetSoundSet()->GetBuffer(1), nullptr);
  EXPECT_TRUE(log.Contains("Direct Sound Buffer Creation Failed (88780064)\n"));
}

TEST_F(WaveResTest, AMissingFileIsReportedByTheWave) {
  testsupport::DebugLogCapture log;
  CWave wave;
  EXPECT_FALSE(wave.Load("nothing.wav"));
  EXPECT_TRUE(log.Contains("Wave :: Cannot find File : nothing.wav"));
}

}  // namespace
