#include "engine/SoundBufferSet.h"

#include "platform/DebugLog.h"

bool CSoundBufferSet::Create(uint32_t size, const uint8_t* data, const platform::WaveFormat& format) {
  const platform::Result r = platform::SoundBuffer::Create(format, data, size, &m_buffers[0]);
  if (platform::Failed(r)) {
    DebugLogf("Direct Sound Buffer Creation Failed (%08lx)\n",
              static_cast<unsigned long>(static_cast<uint32_t>(r)));
    return false;
  }
  return true;
}

void CSoundBufferSet::Play(uint32_t flags) {
  // Without its first buffer the sound has nothing to duplicate.
  if (!m_buffers[0]) return;
  for (std::unique_ptr<platform::SoundBuffer>& slot : m_buffers) {
    if (!slot && platform::Failed(m_buffers[0]->Duplicate(&slot))) continue;
    if (slot->IsPlaying()) continue;
    slot->Rewind();
    slot->SetVolume(platform::kVolumeMax);
    slot->Play(flags | platform::kPlayTerminateByTime);
    return;
  }
}

void CSoundBufferSet::StopAll() {
  for (std::unique_ptr<platform::SoundBuffer>& slot : m_buffers) {
    if (!slot) continue;
    slot->Stop();
    slot->Rewind();
  }
}

void CSoundBufferSet::Release() {
  for (int i = kSlots - 1; i >= 0; --i) m_buffers[i].reset();
}
