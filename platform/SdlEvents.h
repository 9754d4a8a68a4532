#pragma once
// Inside platform/ only: modules that read SDL events themselves (the mouse)
// see every event the window's pump takes.
#include <SDL.h>

namespace platform {
using SdlEventObserver = void (*)(const SDL_Event& event);
void AddSdlEventObserver(SdlEventObserver observer);
}  // namespace platform
