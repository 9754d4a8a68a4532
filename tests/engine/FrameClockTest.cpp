#include "engine/FrameClock.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Clock.h"
#include "platform/PassClock.h"

namespace {

class FrameClockTest : public ::testing::Test {
 protected:
  FrameClockTest() : m_guard(&m_clock) {
    g_frameClock = FrameClock{};
    SetFrameRate(60);
    ResetFrameTimer();
  }
  platform::FakeClock m_clock{100000};
  platform::ScopedClockSource m_guard;
};

TEST_F(FrameClockTest, SixtyPerSecondIsASixteenMillisecondSlot) {
  EXPECT_EQ(g_frameClock.m_interval, 16u);
  EXPECT_EQ(g_frameClock.m_lastFrameMs, 0u);
}

TEST_F(FrameClockTest, AfterASecondWithoutDrawingThePassDrawsAndTheClockRestarts) {
  m_clock.Advance(1000);
  EXPECT_TRUE(WaitNextFrame());
  EXPECT_EQ(g_frameClock.m_slotStart, 101000u);
  EXPECT_EQ(g_frameClock.m_lastDrawn, 101000u);
  EXPECT_EQ(g_frameClock.m_drawnFrames, 0u);  // a resynchronisation is not counted
}

TEST_F(FrameClockTest, AutomaticModeWaitsForTheSlotThenDraws) {
  m_clock.SetStepPerRead(1);
  EXPECT_TRUE(WaitNextFrame());
  EXPECT_GE(m_clock.Peek(), 100016u);  // spun to the end of the slot
  EXPECT_EQ(g_frameClock.m_slotStart, 100016u);
  EXPECT_EQ(g_frameClock.m_drawnFrames, 1u);
}

// The wait sleeps through all but the last 2 ms (the fake moves on in its
// sleep) and spins only that stretch: a handful of reads, not thousands.
TEST_F(FrameClockTest, TheWaitSleepsThroughTheSlotAndSpinsOnlyItsEnd) {
  m_clock.SetStepPerRead(1);
  const uint64_t readsBefore = m_clock.Reads();
  EXPECT_TRUE(WaitNextFrame());
  EXPECT_GE(m_clock.Peek(), 100016u);
  EXPECT_LE(m_clock.Peek(), 100016u + 4);  // returns within the slot's last moments
  EXPECT_LE(m_clock.Reads() - readsBefore, 8u);
}

TEST_F(FrameClockTest, AutomaticModeLatePassSkipsAndMovesTheSlotByOneInterval) {
  m_clock.Advance(40);
  EXPECT_FALSE(WaitNextFrame());
  EXPECT_EQ(g_frameClock.m_slotStart, 100016u);  // not the current time
  EXPECT_EQ(g_frameClock.m_skippedFrames, 1u);
}

TEST_F(FrameClockTest, FixedModeDrawsOnePassInThreeAndWaitsOnTheDrawnOne) {
  SetFrameSkip(3);
  m_clock.SetStepPerRead(1);
  for (int round = 0; round < 2; ++round) {
    const uint32_t slot = g_frameClock.m_slotStart;
    EXPECT_FALSE(WaitNextFrame());
    EXPECT_FALSE(WaitNextFrame());
    // Two skips moved the slot past "now": the third pass still waits.
    EXPECT_TRUE(WaitNextFrame());
    EXPECT_GE(m_clock.Peek(), slot + 3 * 16);
  }
  EXPECT_EQ(g_frameClock.m_drawnFrames, 2u);
  EXPECT_EQ(g_frameClock.m_skippedFrames, 4u);
}

TEST_F(FrameClockTest, ElapsedWrapsWithTheClock) {
  m_clock.Set(0xFFFFFFF0u);
  ResetFrameTimer();
  m_clock.Set(0x10u);
  EXPECT_EQ(GetFrameElapsed(), 0x20u);
}

// A scripted run's clock moves only by passes and by the waits themselves:
// every pass is drawn after exactly one slot, and a timer reset mid-pass
// (a load) makes the wait run the whole slot rather than spin forever.
TEST(FrameClockOnPassClock, EveryPassTakesOneSlotAndAResetPassStillEnds) {
  platform::PassClock clock;
  platform::ScopedClockSource guard(&clock);
  g_frameClock = FrameClock{};
  SetFrameRate(60);
  ResetFrameTimer();
  for (int pass = 1; pass <= 3; ++pass) {
    platform::ClockPassBegins();
    EXPECT_TRUE(WaitNextFrame());
    EXPECT_EQ(platform::NowMs(), static_cast<uint32_t>(pass) * 16);
  }
  platform::ClockPassBegins();
  ResetFrameTimer();
  EXPECT_TRUE(WaitNextFrame());
  EXPECT_EQ(platform::NowMs(), 4u * 16 + 16);
  EXPECT_EQ(g_frameClock.m_skippedFrames, 0u);
}

// A headless run's frame skip holds when a loaded game or the option pane
// asks for another.
TEST_F(FrameClockTest, TheRunsFrameSkipOutlastsTheGamesOwn) {
  ::setenv("SLV_FRAME_SKIP", "1", 1);
  SetFrameSkip(0);
  EXPECT_EQ(g_frameClock.m_skipLimit, 1u);
  ::unsetenv("SLV_FRAME_SKIP");
  SetFrameSkip(0);
  EXPECT_EQ(g_frameClock.m_skipLimit, 0u);
}

}  // namespace
