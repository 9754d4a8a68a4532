#pragma once
// Inside platform/ only: the one audio output (SDL) and the mixing of what
// plays into it. Sound buffers and music streams are sources; each is scaled
// by the gain of its mixer line (wave output or compact disc).
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace platform::audio {

// The output's format: sources deliver interleaved stereo floats at this rate.
inline constexpr int kRate = 44100;
inline constexpr int kChannels = 2;

enum class Line { Wave, CompactDisc };

class MixSource {
 public:
  virtual ~MixSource() = default;
  // Adds up to `frames` frames, times `gain`, into `out`. Runs with the
  // output's lock held, on the output's thread or a test's.
  virtual void MixInto(float* out, size_t frames, float gain) = 0;
};

// The output is opened by its first user and closed after its last. When no
// driver was named (SDL_AUDIODRIVER) and none works, it runs silently on
// SDL's dummy driver; false only when a named driver fails.
bool Acquire();
void Release();
bool IsOpen();
// Whether the output reaches a real device rather than a silent one.
bool IsAudible();

// Guards every source's state and the source list.
std::mutex& Lock();
void AddSource(MixSource* source, Line line);
void RemoveSource(MixSource* source);

void SetLineGain(Line line, float gain);

// Mixes the next frames of every source (the output's callback).
void Mix(float* out, size_t frames);

// Tests: a held output stops calling Mix, so only Pull advances; a capture
// keeps what the output mixed.
void SetHeld(bool held);
void StartCapture();
std::vector<float> TakeCapture();

}  // namespace platform::audio
