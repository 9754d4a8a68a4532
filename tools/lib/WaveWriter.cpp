#include "tools/lib/WaveWriter.h"

namespace slvtools {

std::string LittleEndian32(uint32_t value) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(value >> (8 * i));
  return s;
}

namespace {
std::string LittleEndian16(uint32_t value) { return LittleEndian32(value).substr(0, 2); }
}  // namespace

std::string RiffChunk(const std::string& id, const std::string& body, bool pad) {
  std::string chunk = id + LittleEndian32(static_cast<uint32_t>(body.size())) + body;
  if (pad && body.size() % 2 == 1) chunk += '\0';
  return chunk;
}

std::string RiffWaveFile(const std::string& chunks) {
  return "RIFF" + LittleEndian32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

std::string PcmFormatBody(int channels, int rate, int bits) {
  const int block = channels * bits / 8;
  return LittleEndian16(1) + LittleEndian16(channels) + LittleEndian32(rate) +
         LittleEndian32(rate * block) + LittleEndian16(block) + LittleEndian16(bits);
}

std::string PcmWaveFile(const std::vector<int16_t>& samples, int channels, int rate) {
  std::string data;
  for (const int16_t s : samples) data += LittleEndian16(static_cast<uint16_t>(s));
  return RiffWaveFile(RiffChunk("fmt ", PcmFormatBody(channels, rate, 16)) + RiffChunk("data", data));
}

}  // namespace slvtools
