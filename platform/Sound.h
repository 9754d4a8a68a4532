#pragma once
// Sound effects: the sound device and its static buffers, mixed in software
// into the audio output. A buffer is made from a wave's format and bytes;
// duplicates share those bytes and play on their own.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Result.h"

namespace platform {

// The "fmt " chunk of a wave file.
struct WaveFormat {
  uint16_t formatTag = 0;  // 1: PCM, the only kind the buffers take
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};
inline constexpr uint16_t kWaveFormatPcm = 1;

inline constexpr Result SOUNDERR_NODRIVER = MakeResult(0x88780078u);
inline constexpr Result SOUNDERR_BADFORMAT = MakeResult(0x88780064u);
inline constexpr Result SOUNDERR_UNINITIALIZED = MakeResult(0x887800AAu);

// Play flags. Every buffer is mixed in software, so a voice is never taken
// away and the terminate-by-time flag changes nothing.
inline constexpr uint32_t kPlayLooping = 0x1;
inline constexpr uint32_t kPlayTerminateByTime = 0x8;

// Volume in hundredths of a decibel: 0 is full, -10000 silence.
inline constexpr int32_t kVolumeMax = 0;
inline constexpr int32_t kVolumeMin = -10000;

// The process's one sound device.
Result OpenSoundDevice();
void CloseSoundDevice();
bool IsSoundDeviceOpen();
// Whether sound reaches a real device (false: mixed silently).
bool IsSoundAudible();

struct SoundData;

class SoundBuffer {
 public:
  // A buffer holding `size` bytes of PCM in `format`; needs the open device.
  static Result Create(const WaveFormat& format, const uint8_t* bytes, size_t size,
                       std::unique_ptr<SoundBuffer>* out);
  // A second voice over the same data.
  Result Duplicate(std::unique_ptr<SoundBuffer>* out) const;
  ~SoundBuffer();
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  // Plays from the current position: once, or looping with kPlayLooping.
  // Played once to its end, the buffer stops and its position returns to 0.
  void Play(uint32_t flags);
  void Stop();  // keeps the position
  void Rewind();
  bool IsPlaying() const;
  void SetVolume(int32_t hundredthsOfDb);
  // Length in frames of the device's rate.
  size_t Frames() const;

 private:
  class Voice;
  explicit SoundBuffer(std::shared_ptr<const SoundData> data);
  std::unique_ptr<Voice> m_voice;
};

// Test hooks. A held output mixes nothing on its own: only PullSoundFrames
// advances what plays. A capture keeps what the running output mixed.
void HoldSoundOutput(bool held);
// Mixes the next frames (interleaved stereo floats at SoundOutputRate()).
void PullSoundFrames(float* stereo, size_t frames);
int SoundOutputRate();
void StartSoundCapture();
std::vector<float> TakeSoundCapture();

}  // namespace platform
