#include "platform/MixerVolume.h"

#include <algorithm>
#include <set>

#include "platform/AudioOutput.h"

namespace platform {
namespace {

struct LineControl {
  uint32_t componentType;
  audio::Line line;
  MixerVolumeControl control;
  uint32_t value;
};

// The lines start at full volume.
LineControl g_lines[] = {
    {kMixerLineCompactDisc, audio::Line::CompactDisc, {1, 0, 65535}, 65535},
    {kMixerLineWaveOut, audio::Line::Wave, {2, 0, 65535}, 65535},
};
std::set<uint32_t> g_openHandles;
uint32_t g_nextHandle = 1;

LineControl* FindControl(uint32_t handle, uint32_t controlId) {
  if (g_openHandles.count(handle) == 0) return nullptr;
  for (LineControl& l : g_lines) {
    if (l.control.controlId == controlId) return &l;
  }
  return nullptr;
}

}  // namespace

uint32_t OpenMixer(uint32_t mixerIndex) {
  if (mixerIndex != 0) return 0;
  const uint32_t handle = g_nextHandle++;
  g_openHandles.insert(handle);
  return handle;
}

void CloseMixer(uint32_t handle) { g_openHandles.erase(handle); }

bool FindMixerVolumeControl(uint32_t handle, uint32_t componentType, MixerVolumeControl* out) {
  if (g_openHandles.count(handle) == 0) return false;
  for (const LineControl& l : g_lines) {
    if (l.componentType != componentType) continue;
    *out = l.control;
    return true;
  }
  return false;
}

bool GetMixerControlValue(uint32_t handle, uint32_t controlId, uint32_t* value) {
  const LineControl* l = FindControl(handle, controlId);
  if (l == nullptr) return false;
  *value = l->value;
  return true;
}

bool SetMixerControlValue(uint32_t handle, uint32_t controlId, uint32_t value) {
  LineControl* l = FindControl(handle, controlId);
  if (l == nullptr) return false;
  const MixerVolumeControl& c = l->control;
  l->value = std::clamp(value, c.minimum, c.maximum);
  audio::SetLineGain(l->line, static_cast<float>(l->value - c.minimum) /
                                  static_cast<float>(c.maximum - c.minimum));
  return true;
}

}  // namespace platform
