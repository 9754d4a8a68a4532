#pragma once
// The process's sound device and the sound-on flag that the settings set.
#include <cstdint>

// "UseSound" of the sound settings; PlayWave plays nothing while it is 0.
extern int32_t g_soundEnabled;

// Creates the sound device; on failure shows "Direct Sound Init Failed" with
// the error code and returns false.
bool InitDirectSound();
void ReleaseDirectSound();
