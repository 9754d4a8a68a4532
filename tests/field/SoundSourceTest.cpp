// An ambient sound source playing while the leader is in its range.
#include "field/SoundSource.h"

#include <gtest/gtest.h>

#include "tests/field/FieldActorFixture.h"

namespace {

class SoundSourceTest : public FieldActorTest {
 protected:
  SoundSourceTest() { Context().m_player = &m_leader; }
  ~SoundSourceTest() override { Context().m_player = nullptr; }

  CSelvarinActor m_leader;
};

TEST_F(SoundSourceTest, PlaysWithinTenTimesItsRangeStopsOutsideAndStartsAgain) {
  CSoundSource source;
  source.SetWave("없는소리.wav");  // did not load: plays nothing, the flags still run
  source.m_range = 2.0f;
  source.m_pos = Vec3{10.0f, -40.0f, 0.0f};  // heights do not count
  EXPECT_EQ(source.m_visible, 1);
  source.OnProcess();
  EXPECT_EQ(source.m_firstEntry, 0);
  EXPECT_EQ(source.m_visible, 1);
  struct Step {
    float x;
    int32_t playing;
  };
  for (const Step& s : {Step{25.0f, 0}, Step{20.0f, 0}, Step{19.5f, 1}, Step{15.0f, 1}, Step{20.5f, 0}}) {
    source.m_pos.x = s.x;
    source.OnProcess();
    EXPECT_EQ(source.m_visible, s.playing) << s.x;
  }
  source.OnMessage(nullptr, 1, 0, 0, 0);
  EXPECT_EQ(source.m_visible, 1);
  source.OnMessage(nullptr, 2, 0, 0, 0);
  EXPECT_EQ(source.m_visible, 0);
}

TEST_F(SoundSourceTest, WithoutALeaderASourceStaysSilent) {
  Context().m_player = nullptr;
  CSoundSource source;
  source.m_range = 1000.0f;
  source.OnProcess();
  source.OnProcess();
  EXPECT_EQ(source.m_visible, 0);
  EXPECT_EQ(source.m_firstEntry, 1);
}

}  // namespace
