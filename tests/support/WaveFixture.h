#pragma once
// Wave files built in memory for the sound and music tests.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Sound.h"
#include "tools/lib/WaveWriter.h"

namespace testsupport {

// The writers live with the sample game's tools.
using slvtools::LittleEndian32;
using slvtools::PcmFormatBody;
using slvtools::PcmWaveFile;
using slvtools::RiffChunk;
using slvtools::RiffWaveFile;
// The format of PCM with these channels, rate and bits.
platform::WaveFormat PcmWaveFormat(int channels, int rate, int bits);
// `frames` frames of one value on every channel.
std::vector<int16_t> ConstantSamples(size_t frames, int channels, int16_t value);

}  // namespace testsupport
