#include "platform/Sound.h"

#include <algorithm>
#include <cmath>

#include "platform/AudioOutput.h"
#include "platform/OutputResampler.h"

namespace platform {

// A buffer's bytes, converted once to the output's format and shared by its
// duplicates.
struct SoundData {
  std::vector<float> samples;  // interleaved stereo
  size_t frames = 0;
};

class SoundBuffer::Voice : public audio::MixSource {
 public:
  explicit Voice(std::shared_ptr<const SoundData> data) : m_data(std::move(data)) {
    audio::AddSource(this, audio::Line::Wave);
  }
  ~Voice() override { audio::RemoveSource(this); }

  void MixInto(float* out, size_t frames, float gain) override {
    const float g = gain * m_gain;
    size_t done = 0;
    while (m_playing && done < frames) {
      const size_t take = std::min(m_data->frames - m_position, frames - done);
      const float* in = m_data->samples.data() + m_position * audio::kChannels;
      float* o = out + done * audio::kChannels;
      for (size_t i = 0; i < take * audio::kChannels; ++i) o[i] += in[i] * g;
      done += take;
      m_position += take;
      if (m_position == m_data->frames) {
        m_position = 0;
        m_playing = m_looping;
      }
    }
  }

  // Fields below are guarded by the output's lock.
  std::shared_ptr<const SoundData> m_data;
  size_t m_position = 0;
  bool m_playing = false;
  bool m_looping = false;
  float m_gain = 1.0f;
};

namespace {

bool g_deviceOpen = false;

bool FormatSupported(const WaveFormat& f) {
  return f.formatTag == kWaveFormatPcm && (f.channels == 1 || f.channels == 2) &&
         (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.samplesPerSec >= 100 &&
         f.samplesPerSec <= 200000 && f.blockAlign == f.channels * f.bitsPerSample / 8;
}

// Converts whole frames of PCM to the output's format; null on failure.
std::shared_ptr<SoundData> Convert(const WaveFormat& f, const uint8_t* bytes, size_t size) {
  AVChannelLayout layout{};
  av_channel_layout_default(&layout, f.channels);
  OutputResampler resampler = MakeOutputResampler(
      layout, f.bitsPerSample == 8 ? AV_SAMPLE_FMT_U8 : AV_SAMPLE_FMT_S16, static_cast<int>(f.samplesPerSec));
  if (!resampler) return nullptr;
  auto data = std::make_shared<SoundData>();
  const int frames = static_cast<int>(size / f.blockAlign);
  const uint8_t* planes[] = {bytes};
  if (!ConvertToOutput(resampler.get(), planes, frames, &data->samples) ||
      !ConvertToOutput(resampler.get(), nullptr, 0, &data->samples)) {
    return nullptr;
  }
  data->frames = data->samples.size() / audio::kChannels;
  if (data->frames == 0) return nullptr;
  return data;
}

}  // namespace

Result OpenSoundDevice() {
  if (g_deviceOpen) return S_OK;
  if (!audio::Acquire()) return SOUNDERR_NODRIVER;
  g_deviceOpen = true;
  return S_OK;
}

void CloseSoundDevice() {
  if (!g_deviceOpen) return;
  g_deviceOpen = false;
  audio::Release();
}

bool IsSoundDeviceOpen() { return g_deviceOpen; }
bool IsSoundAudible() { return g_deviceOpen && audio::IsAudible(); }

Result SoundBuffer::Create(const WaveFormat& format, const uint8_t* bytes, size_t size,
                           std::unique_ptr<SoundBuffer>* out) {
  out->reset();
  if (!g_deviceOpen) return SOUNDERR_UNINITIALIZED;
  if (!FormatSupported(format)) return SOUNDERR_BADFORMAT;
  if (bytes == nullptr || size < format.blockAlign || size > 0x7FFFFFFF) return E_INVALIDARG;
  std::shared_ptr<SoundData> data = Convert(format, bytes, size);
  if (!data) return E_OUTOFMEMORY;
  out->reset(new SoundBuffer(std::move(data)));
  return S_OK;
}

SoundBuffer::SoundBuffer(std::shared_ptr<const SoundData> data)
    : m_voice(std::make_unique<Voice>(std::move(data))) {}

SoundBuffer::~SoundBuffer() = default;

Result SoundBuffer::Duplicate(std::unique_ptr<SoundBuffer>* out) const {
  out->reset(new SoundBuffer(m_voice->m_data));
  return S_OK;
}

void SoundBuffer::Play(uint32_t flags) {
  std::lock_guard<std::mutex> lock(audio::Lock());
  m_voice->m_playing = true;
  m_voice->m_looping = (flags & kPlayLooping) != 0;
}

void SoundBuffer::Stop() {
  std::lock_guard<std::mutex> lock(audio::Lock());
  m_voice->m_playing = false;
}

void SoundBuffer::Rewind() {
  std::lock_guard<std::mutex> lock(audio::Lock());
  m_voice->m_position = 0;
}

bool SoundBuffer::IsPlaying() const {
  std::lock_guard<std::mutex> lock(audio::Lock());
  return m_voice->m_playing;
}

void SoundBuffer::SetVolume(int32_t hundredthsOfDb) {
  const int32_t v = std::clamp(hundredthsOfDb, kVolumeMin, kVolumeMax);
  const float gain = v == kVolumeMin ? 0.0f : static_cast<float>(std::pow(10.0, v / 2000.0));
  std::lock_guard<std::mutex> lock(audio::Lock());
  m_voice->m_gain = gain;
}

size_t SoundBuffer::Frames() const { return m_voice->m_data->frames; }

void HoldSoundOutput(bool held) { audio::SetHeld(held); }
void PullSoundFrames(float* stereo, size_t frames) { audio::Mix(stereo, frames); }
int SoundOutputRate() { return audio::kRate; }
void StartSoundCapture() { audio::StartCapture(); }
std::vector<float> TakeSoundCapture() { return audio::TakeCapture(); }

}  // namespace platform
