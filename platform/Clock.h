#pragma once
// The multimedia clock: unsigned 32-bit milliseconds that wrap, and the same
// monotonic count in 64 bits for clocks that must not wrap. Tests put a fake
// source in place of the real monotonic one.
#include <cstdint>

namespace platform {

class ClockSource {
 public:
  virtual ~ClockSource() = default;
  virtual uint32_t NowMs() = 0;
  // The same count without the wrap; a source that keeps only 32 bits gives
  // those.
  virtual uint64_t NowMs64() { return NowMs(); }
  // Gives the processor away for about `ms` milliseconds.
  virtual void SleepMs(uint32_t ms);
  // Returns once NowMs() has reached `deadline`: sleeps through all but the
  // last 2 ms, which a sleep could overshoot, and spins the rest.
  virtual void SleepUntilMs(uint32_t deadline);
  // One turn of a busy wait: the wall clock moves by itself, a clock that
  // moves only when told must move here or the wait never ends.
  virtual void Spin() {}
  // A scripted input pass began.
  virtual void OnPass() {}
};

// Milliseconds of the current source (the monotonic clock by default).
uint32_t NowMs();
uint64_t NowMs64();
// Sleeps on the current source: the real one sleeps, a fake one moves on.
void SleepMs(uint32_t ms);
// Returns once NowMs() has reached `deadline`, a wrapping count (one in the
// past returns at once). The monotonic clock sleeps to the moment itself and
// spins at most about 0.1 ms, so the wait costs the processor next to nothing.
void SleepUntilMs(uint32_t deadline);
// Busy waits on the clock call this each turn.
void SpinWait();
// The scripted input's pass counter calls this as each pass begins.
void ClockPassBegins();
// Replaces the source; null restores the monotonic clock. Not owned.
void SetClockSource(ClockSource* source);

// A source that tests move by hand; each read may also advance it, so a busy
// wait on it ends.
class FakeClock : public ClockSource {
 public:
  explicit FakeClock(uint64_t start = 0, uint32_t stepPerRead = 0)
      : m_now(start), m_step(stepPerRead) {}
  uint32_t NowMs() override { return static_cast<uint32_t>(NowMs64()); }
  uint64_t NowMs64() override {
    const uint64_t t = m_now;
    m_now += m_step;
    ++m_reads;
    return t;
  }
  void SleepMs(uint32_t ms) override { m_now += ms; }
  void Set(uint64_t t) { m_now = t; }
  void Advance(uint64_t ms) { m_now += ms; }
  void SetStepPerRead(uint32_t step) { m_step = step; }
  uint32_t Peek() const { return static_cast<uint32_t>(m_now); }
  uint64_t Reads() const { return m_reads; }

 private:
  uint64_t m_now;
  uint32_t m_step;
  uint64_t m_reads = 0;
};

// Installs a source for the lifetime of the guard.
class ScopedClockSource {
 public:
  explicit ScopedClockSource(ClockSource* source) { SetClockSource(source); }
  ~ScopedClockSource() { SetClockSource(nullptr); }
  ScopedClockSource(const ScopedClockSource&) = delete;
  ScopedClockSource& operator=(const ScopedClockSource&) = delete;
};

// The frame-skip setting that headless test runs ask for with the
// environment variable SLV_FRAME_SKIP (1 draws every pass); -1 when unset or
// not a whole number from 0 to 100.
int32_t FrameSkipOverride();

}  // namespace platform
