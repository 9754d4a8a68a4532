#pragma once
// Sound effects: RIFF WAVE files loaded as resources ("wav", folder "wav\"),
// each with its set of buffers, and PlayWave, the one call the game plays a
// sound with.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/Res.h"
#include "engine/SoundBufferSet.h"
#include "platform/Sound.h"

struct RiffWave {
  platform::WaveFormat format;
  const uint8_t* data = nullptr;  // inside the file's bytes
  uint32_t dataSize = 0;
};

// Finds the first "fmt " chunk and the first "data" chunk of non-zero size.
// False (logged with `name`) for a file that is not a RIFF WAVE, lacks
// either chunk, has a format shorter than 14 bytes, or whose chunks run past
// its end before both are found.
bool ParseRiffWave(const uint8_t* bytes, size_t size, const std::string& name, RiffWave* out);

class CWave : public CRes {
  SLV_RES(CWave)
 public:
  ~CWave() override { Reset(); }
  bool Load(const std::string& name) override;
  void Reset() override;

  CSoundBufferSet* GetSoundSet() const { return m_soundSet.get(); }

  std::unique_ptr<CSoundBufferSet> m_soundSet;  // null before a successful load
  platform::WaveFormat m_format;  // of the last successful load
  uint32_t m_dataSize = 0;        // bytes of PCM data
  bool m_playing = false;
};

// Plays the wave file once when sound is on; a name that yields no wave plays
// nothing.
void PlayWave(const char* name);
inline void PlayWave(const std::string& name) { PlayWave(name.c_str()); }
