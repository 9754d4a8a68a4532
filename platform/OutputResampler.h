#pragma once
// Inside platform/ only: converts audio of any layout, sample format and rate
// to the output's (interleaved stereo floats at its rate), with FFmpeg.
extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

struct SwrFreer {
  void operator()(SwrContext* p) const { swr_free(&p); }
};
using OutputResampler = std::unique_ptr<SwrContext, SwrFreer>;

// Null when FFmpeg cannot convert from it. An unspecified layout counts as the
// default one of its channel count.
OutputResampler MakeOutputResampler(const AVChannelLayout& layout, AVSampleFormat format, int rate);
// Appends the converted samples; null input drains what the converter holds.
// False on a conversion error.
bool ConvertToOutput(SwrContext* resampler, const uint8_t* const* input, int samples,
                     std::vector<float>* out);

}  // namespace platform
