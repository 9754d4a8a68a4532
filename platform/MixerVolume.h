#pragma once
// The system mixer's volume controls, kept in the process: one line for the
// compact disc (music) and one for the wave output (sound effects). A line's
// value between its minimum and maximum scales what plays on it.
#include <cstdint>

namespace platform {

// Component types of the mixer's source lines.
inline constexpr uint32_t kMixerLineCompactDisc = 4101;
inline constexpr uint32_t kMixerLineWaveOut = 4104;

struct MixerVolumeControl {
  uint32_t controlId = 0;
  uint32_t minimum = 0;
  uint32_t maximum = 0;
};

// There is one mixer, number 0. A handle is non-zero; 0 means none.
uint32_t OpenMixer(uint32_t mixerIndex);
void CloseMixer(uint32_t handle);
// The volume control of the line of a component type; false when the mixer
// has no such line or the handle is not open.
bool FindMixerVolumeControl(uint32_t handle, uint32_t componentType, MixerVolumeControl* out);
bool GetMixerControlValue(uint32_t handle, uint32_t controlId, uint32_t* value);
// Values beyond the control's range are clamped to it.
bool SetMixerControlValue(uint32_t handle, uint32_t controlId, uint32_t value);

}  // namespace platform
