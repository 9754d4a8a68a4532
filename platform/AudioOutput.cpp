#include "platform/AudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/DebugLog.h"

namespace platform::audio {
namespace {

struct SourceEntry {
  MixSource* source;
  Line line;
};

struct OutputState {
  std::mutex mutex;
  std::vector<SourceEntry> sources;
  float gains[2] = {1.0f, 1.0f};
  bool capturing = false;
  std::vector<float> capture;
  // Main thread only:
  SDL_AudioDeviceID device = 0;
  int users = 0;
  bool audible = false;
  bool held = false;
};

// Never destroyed: the output thread may still run while statics go away.
OutputState& State() {
  static OutputState* state = new OutputState;
  return *state;
}

float GainOf(const OutputState& s, Line line) { return s.gains[line == Line::Wave ? 0 : 1]; }

void MixLocked(OutputState& s, float* out, size_t frames) {
  std::fill(out, out + frames * kChannels, 0.0f);
  for (const SourceEntry& e : s.sources) e.source->MixInto(out, frames, GainOf(s, e.line));
  for (size_t i = 0; i < frames * kChannels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Callback(void*, Uint8* stream, int len) {
  OutputState& s = State();
  float* out = reinterpret_cast<float*>(stream);
  const size_t frames = static_cast<size_t>(len) / (sizeof(float) * kChannels);
  std::lock_guard<std::mutex> lock(s.mutex);
  MixLocked(s, out, frames);
  if (s.capturing) s.capture.insert(s.capture.end(), out, out + frames * kChannels);
}

bool TryOpen(OutputState& s) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_F32SYS;
  want.channels = kChannels;
  want.samples = 1024;
  want.callback = &Callback;
  SDL_AudioSpec have{};
  s.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (s.device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  s.audible = driver != nullptr && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "disk") != 0;
  SDL_PauseAudioDevice(s.device, s.held ? 1 : 0);
  return true;
}

bool DriverNamed() {
  const char* name = std::getenv("SDL_AUDIODRIVER");
  return name != nullptr && name[0] != '\0';
}

}  // namespace

// A driver that was asked for by name and fails is a failure. When none was
// named and the system has no working audio, the output runs silently on
// SDL's dummy driver, as a machine without a sound card still plays the game.
bool Acquire() {
  OutputState& s = State();
  if (s.users > 0) {
    ++s.users;
    return true;
  }
  if (!TryOpen(s)) {
    DebugLogf("audio output: %s", SDL_GetError());
    if (DriverNamed()) return false;
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool opened = TryOpen(s);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!opened) return false;
    DebugLog("audio output: no audio device, sound is silent");
  }
  s.users = 1;
  return true;
}

void Release() {
  OutputState& s = State();
  if (s.users == 0 || --s.users > 0) return;
  // Not under the lock: closing waits for the callback, which takes it.
  SDL_CloseAudioDevice(s.device);
  s.device = 0;
  s.audible = false;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool IsOpen() { return State().users > 0; }
bool IsAudible() { return State().users > 0 && State().audible; }

std::mutex& Lock() { return State().mutex; }

void AddSource(MixSource* source, Line line) {
  OutputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.sources.push_back({source, line});
}

void RemoveSource(MixSource* source) {
  OutputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  std::erase_if(s.sources, [source](const SourceEntry& e) { return e.source == source; });
}

void SetLineGain(Line line, float gain) {
  OutputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.gains[line == Line::Wave ? 0 : 1] = gain;
}

void Mix(float* out, size_t frames) {
  OutputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  MixLocked(s, out, frames);
}

void SetHeld(bool held) {
  OutputState& s = State();
  s.held = held;
  if (s.device != 0) SDL_PauseAudioDevice(s.device, held ? 1 : 0);
}

void StartCapture() {
  OutputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.capture.clear();
  s.capturing = true;
}

std::vector<float> TakeCapture() {
  OutputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.capturing = false;
  return std::move(s.capture);
}

}  // namespace platform::audio
