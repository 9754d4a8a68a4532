#pragma once
// Wave files built in memory for the sound and music tests.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Sound.h"

namespace testsupport {

std::string LittleEndian32(uint32_t value);
// A RIFF chunk: identifier, size and body, then a pad byte after an odd body
// unless `pad` is false.
std::string RiffChunk(const std::string& id, const std::string& body, bool pad = true);
// "RIFF", the true size, "WAVE" and the chunks.
std::string RiffWaveFile(const std::string& chunks);
// The 16-byte body of a PCM "fmt " chunk.
std::string PcmFormatBody(int channels, int rate, int bits);
// A 16-bit PCM wave file of the interleaved samples.
std::string PcmWaveFile(const std::vector<int16_t>& samples, int channels, int rate);
// The format of PCM with these channels, rate and bits.
platform::WaveFormat PcmWaveFormat(int channels, int rate, int bits);
// `frames` frames of one value on every channel.
std::vector<int16_t> ConstantSamples(size_t frames, int channels, int16_t value);

}  // namespace testsupport
