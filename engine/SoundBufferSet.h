#pragma once
// Up to five buffers of one sound, so that it can overlap itself: slot 0 is
// made from the wave's data, the others are duplicates made when an earlier
// copy is still playing.
#include <cstdint>
#include <memory>

#include "platform/Sound.h"

class CSoundBufferSet {
 public:
  static constexpr int kSlots = 5;

  // Makes slot 0 from `size` bytes of PCM data; false (logged) on failure.
  bool Create(uint32_t size, const uint8_t* data, const platform::WaveFormat& format);
  // Plays the first copy that is not playing, rewound and at full volume;
  // nothing when all five play or slot 0 could not be made.
  void Play(uint32_t flags);
  // Stops every buffer and rewinds it.
  void StopAll();
  void Release();

  platform::SoundBuffer* GetBuffer(int slot) const { return m_buffers[slot].get(); }

 private:
  std::unique_ptr<platform::SoundBuffer> m_buffers[kSlots];
};
