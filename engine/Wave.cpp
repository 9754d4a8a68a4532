#include "engine/Wave.h"

#include <cstring>
#include <vector>

#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CWave, "wav", "wav\\");

namespace {
namespace wave {

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

constexpr uint32_t kShortestFormat = 14;

platform::WaveFormat ReadFormat(const uint8_t* p, uint32_t size) {
  platform::WaveFormat f;
  f.formatTag = ReadU16(p);
  f.channels = ReadU16(p + 2);
  f.samplesPerSec = ReadU32(p + 4);
  f.avgBytesPerSec = ReadU32(p + 8);
  f.blockAlign = ReadU16(p + 12);
  f.bitsPerSample = size >= 16 ? ReadU16(p + 14) : 0;
  return f;
}

}  // namespace wave
}  // namespace

bool ParseRiffWave(const uint8_t* bytes, size_t size, const std::string& name, RiffWave* out) {
  if (size < 4 || std::memcmp(bytes, "RIFF", 4) != 0) {
    DebugLog("Not Even RIFF");
    return false;
  }
  if (size < 12 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    DebugLog("Not a WAV");
    return false;
  }
  const uint64_t riffEnd = static_cast<uint64_t>(wave::ReadU32(bytes + 4)) + 8;
  bool haveFormat = false;
  bool haveData = false;
  uint64_t pos = 12;
  while (pos < riffEnd && !(haveFormat && haveData)) {
    const uint64_t body = pos + 8;
    const uint32_t length = body <= size ? wave::ReadU32(bytes + pos + 4) : 0;
    if (body > size || body + length > size) {
      DebugLogf("Wave :: chunk runs past the end of the file : %s", name.c_str());
      return false;
    }
    const uint8_t* chunk = bytes + pos;
    if (!haveFormat && std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < wave::kShortestFormat) {
        DebugLogf("Wave :: format chunk too short : %s", name.c_str());
        return false;
      }
      out->format = wave::ReadFormat(bytes + body, length);
      haveFormat = true;
    } else if (!haveData && length != 0 && std::memcmp(chunk, "data", 4) == 0) {
      out->data = bytes + body;
      out->dataSize = length;
      haveData = true;
    }
    pos = body + length + (length & 1);
  }
  if (!haveFormat || !haveData) {
    DebugLogf("Wave :: no %s chunk : %s", haveFormat ? "data" : "fmt", name.c_str());
    return false;
  }
  return true;
}

bool CWave::Load(const std::string& name) {
  Reset();
  CFileStream file;
  if (!file.Open(name, CFileStream::kRead)) {
    DebugLog("Wave :: Cannot find File : " + name);
    return false;
  }
  const int32_t size = file.GetSize();
  std::vector<uint8_t> bytes(size > 0 ? static_cast<size_t>(size) : 0);
  if (size <= 0 || file.Read(bytes.data(), size) != size) {
    DebugLog("Wave :: Cannot read File : " + name);
    return false;
  }
  file.Close();
  RiffWave wave;
  if (!ParseRiffWave(bytes.data(), bytes.size(), name, &wave)) return false;
  m_format = wave.format;
  m_dataSize = wave.dataSize;
  m_soundSet = std::make_unique<CSoundBufferSet>();
  m_soundSet->Create(wave.dataSize, wave.data, wave.format);
  m_playing = false;
  return true;
}

void CWave::Reset() {
  if (m_playing && m_soundSet) {
    m_soundSet->StopAll();
    m_playing = false;
  }
  if (m_soundSet) m_soundSet->Release();
  m_soundSet.reset();
  m_format = {};
  m_dataSize = 0;
}

void PlayWave(const char* name) {
  if (g_soundEnabled == 0) return;
  auto* wave = dynamic_cast<CWave*>(CResMgr::GetInstance().GetRes(name));
  if (wave != nullptr && wave->GetSoundSet() != nullptr) wave->GetSoundSet()->Play(0);
}
