#include "platform/OutputResampler.h"

#include "platform/AudioOutput.h"

namespace platform {

OutputResampler MakeOutputResampler(const AVChannelLayout& layout, AVSampleFormat format, int rate) {
  AVChannelLayout in{};
  if (layout.order == AV_CHANNEL_ORDER_UNSPEC) {
    av_channel_layout_default(&in, layout.nb_channels);
  } else if (av_channel_layout_copy(&in, &layout) < 0) {
    return nullptr;
  }
  AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
  SwrContext* swr = nullptr;
  const int r = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_FLT, audio::kRate, &in, format, rate, 0, nullptr);
  const bool mono = in.nb_channels == 1;
  av_channel_layout_uninit(&in);
  OutputResampler resampler(swr);
  if (r < 0) return nullptr;
  // Mono plays at full level on both sides (FFmpeg would lower it by 3 dB).
  const double monoToStereo[] = {1.0, 1.0};
  if (mono && swr_set_matrix(swr, monoToStereo, 1) < 0) return nullptr;
  if (swr_init(swr) < 0) return nullptr;
  return resampler;
}

bool ConvertToOutput(SwrContext* resampler, const uint8_t* const* input, int samples,
                     std::vector<float>* out) {
  const int room = swr_get_out_samples(resampler, input != nullptr ? samples : 0);
  if (room < 0) return false;
  if (room == 0) return true;
  const size_t had = out->size();
  out->resize(had + static_cast<size_t>(room) * audio::kChannels);
  uint8_t* planes[] = {reinterpret_cast<uint8_t*>(out->data() + had)};
  const int got = swr_convert(resampler, planes, room, const_cast<const uint8_t**>(input),
                              input != nullptr ? samples : 0);
  out->resize(had + static_cast<size_t>(got > 0 ? got : 0) * audio::kChannels);
  return got >= 0;
}

}  // namespace platform
