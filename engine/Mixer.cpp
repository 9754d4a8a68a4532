#include "engine/Mixer.h"

#include "platform/MixerVolume.h"

bool CMixer::Open(uint32_t componentType) {
  Close();
  m_hMixer = platform::OpenMixer(0);
  platform::MixerVolumeControl control;
  if (m_hMixer == 0 || !platform::FindMixerVolumeControl(m_hMixer, componentType, &control)) {
    Close();
    return false;
  }
  m_componentType = componentType;
  m_controlId = control.controlId;
  m_minimum = control.minimum;
  m_maximum = control.maximum;
  return true;
}

uint32_t CMixer::GetVolume() {
  uint32_t value = 0;
  platform::GetMixerControlValue(m_hMixer, m_controlId, &value);
  return value;
}

void CMixer::SetVolume(uint32_t numerator, uint32_t denominator) {
  if (denominator == 0) return;
  const uint32_t value = m_minimum + (m_maximum - m_minimum) * numerator / denominator;
  platform::SetMixerControlValue(m_hMixer, m_controlId, value);
}

void CMixer::Close() {
  if (m_hMixer != 0) platform::CloseMixer(m_hMixer);
  m_hMixer = 0;
}
