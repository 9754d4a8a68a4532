#include "engine/SoundDevice.h"

#include <cstdio>

#include "platform/MessageBox.h"
#include "platform/Sound.h"

int32_t g_soundEnabled = 0;

bool InitDirectSound() {
  const platform::Result r = platform::OpenSoundDevice();
  if (!platform::Failed(r)) return true;
  char text[64];
  std::snprintf(text, sizeof text, "Direct Sound Init Failed (%08lx)\n",
                static_cast<unsigned long>(static_cast<uint32_t>(r)));
  platform::ShowMessageBox(text, "ERROR");
  platform::CloseSoundDevice();
  return false;
}

void ReleaseDirectSound() { platform::CloseSoundDevice(); }
