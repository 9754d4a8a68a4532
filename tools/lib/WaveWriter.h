#pragma once
// RIFF WAVE files written from samples, for the sample game's sounds and the
// sound tests.
#include <cstdint>
#include <string>
#include <vector>

namespace slvtools {

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

}  // namespace slvtools
