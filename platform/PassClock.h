#pragma once
// The clock of runs driven by an input script: it moves one pass's worth as
// each pass begins and by what the game's thread sleeps or spins, never with
// the wall clock, so whatever the game times (frame pacing, fades, resources
// aged out, the play time) depends on the pass number alone, however loaded
// the machine is. Other threads may read it; their sleeps are real and do
// not move it.
#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/Clock.h"

namespace platform {

class PassClock : public ClockSource {
 public:
  // One pass at the game's 60 a second.
  static constexpr uint32_t kPassMs = 16;

  // The thread that makes the clock is the one whose sleeps move it.
  PassClock() : m_owner(std::this_thread::get_id()) {}
  uint32_t NowMs() override { return static_cast<uint32_t>(m_now.load()); }
  uint64_t NowMs64() override { return m_now.load(); }
  void SleepMs(uint32_t ms) override;
  void Spin() override;
  void OnPass() override { m_now += kPassMs; }

 private:
  std::atomic<uint64_t> m_now{0};
  std::thread::id m_owner;
};

// Puts a pass clock in place for the rest of the program when the
// environment names an input script (SLV_INPUT_SCRIPT) and does not ask for
// the wall clock (SLV_WALL_CLOCK=1, for benchmarks of a scripted run); true
// if it did.
bool UsePassClockForScriptedRun();

}  // namespace platform
