#include "platform/Keys.h"

#include <SDL.h>

#include <array>

namespace platform {
namespace {

std::array<bool, 256> g_scripted{};

struct KeyMapping {
  int vk;
  SDL_Scancode a;
  SDL_Scancode b;  // a second key that reads as the same code (left/right)
};

constexpr KeyMapping kNamedKeys[] = {
    {VK_BACK, SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_UNKNOWN},
    {VK_TAB, SDL_SCANCODE_TAB, SDL_SCANCODE_UNKNOWN},
    {VK_RETURN, SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER},
    {VK_SHIFT, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT},
    {VK_CONTROL, SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL},
    {VK_MENU, SDL_SCANCODE_LALT, SDL_SCANCODE_RALT},
    {VK_PAUSE, SDL_SCANCODE_PAUSE, SDL_SCANCODE_UNKNOWN},
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE, SDL_SCANCODE_UNKNOWN},
    {VK_SPACE, SDL_SCANCODE_SPACE, SDL_SCANCODE_UNKNOWN},
    {VK_PRIOR, SDL_SCANCODE_PAGEUP, SDL_SCANCODE_UNKNOWN},
    {VK_NEXT, SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_UNKNOWN},
    {VK_END, SDL_SCANCODE_END, SDL_SCANCODE_UNKNOWN},
    {VK_HOME, SDL_SCANCODE_HOME, SDL_SCANCODE_UNKNOWN},
    {VK_LEFT, SDL_SCANCODE_LEFT, SDL_SCANCODE_UNKNOWN},
    {VK_UP, SDL_SCANCODE_UP, SDL_SCANCODE_UNKNOWN},
    {VK_RIGHT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UNKNOWN},
    {VK_DOWN, SDL_SCANCODE_DOWN, SDL_SCANCODE_UNKNOWN},
    {VK_INSERT, SDL_SCANCODE_INSERT, SDL_SCANCODE_UNKNOWN},
    {VK_DELETE, SDL_SCANCODE_DELETE, SDL_SCANCODE_UNKNOWN},
    {VK_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, SDL_SCANCODE_UNKNOWN},
    {VK_ADD, SDL_SCANCODE_KP_PLUS, SDL_SCANCODE_UNKNOWN},
    {VK_SUBTRACT, SDL_SCANCODE_KP_MINUS, SDL_SCANCODE_UNKNOWN},
    {VK_DECIMAL, SDL_SCANCODE_KP_PERIOD, SDL_SCANCODE_UNKNOWN},
    {VK_DIVIDE, SDL_SCANCODE_KP_DIVIDE, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_1, SDL_SCANCODE_SEMICOLON, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_PLUS, SDL_SCANCODE_EQUALS, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_COMMA, SDL_SCANCODE_COMMA, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_MINUS, SDL_SCANCODE_MINUS, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_PERIOD, SDL_SCANCODE_PERIOD, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_2, SDL_SCANCODE_SLASH, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_3, SDL_SCANCODE_GRAVE, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_4, SDL_SCANCODE_LEFTBRACKET, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_5, SDL_SCANCODE_BACKSLASH, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_6, SDL_SCANCODE_RIGHTBRACKET, SDL_SCANCODE_UNKNOWN},
    {VK_OEM_7, SDL_SCANCODE_APOSTROPHE, SDL_SCANCODE_UNKNOWN},
};

// Scancodes of a code, from the table or the runs of letters, digits,
// keypad digits and function keys.
void ScancodesOf(int vk, SDL_Scancode* a, SDL_Scancode* b) {
  *a = *b = SDL_SCANCODE_UNKNOWN;
  if (vk >= VK_A && vk <= VK_Z) {
    *a = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (vk - VK_A));
  } else if (vk >= VK_0 && vk <= VK_9) {
    // SDL orders 1..9 then 0.
    *a = vk == VK_0 ? SDL_SCANCODE_0 : static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vk - VK_0 - 1));
  } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
    *a = vk == VK_NUMPAD0 ? SDL_SCANCODE_KP_0
                          : static_cast<SDL_Scancode>(SDL_SCANCODE_KP_1 + (vk - VK_NUMPAD0 - 1));
  } else if (vk >= VK_F1 && vk <= VK_F12) {
    *a = static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (vk - VK_F1));
  } else {
    for (const KeyMapping& m : kNamedKeys) {
      if (m.vk == vk) {
        *a = m.a;
        *b = m.b;
        return;
      }
    }
  }
}

}  // namespace

int16_t GetKeyState(int vk) {
  if (vk <= 0 || vk > 255) return 0;
  bool down = g_scripted[static_cast<size_t>(vk)];
  if (!down && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    SDL_Scancode a, b;
    ScancodesOf(vk, &a, &b);
    down = (a != SDL_SCANCODE_UNKNOWN && a < count && state[a] != 0) ||
           (b != SDL_SCANCODE_UNKNOWN && b < count && state[b] != 0);
  }
  return down ? static_cast<int16_t>(0x8000) : 0;
}

int VirtualKeyFromScancode(int scancode) {
  for (int vk = 1; vk < 256; ++vk) {
    SDL_Scancode a, b;
    ScancodesOf(vk, &a, &b);
    if (a == scancode || (b != SDL_SCANCODE_UNKNOWN && b == scancode)) return vk;
  }
  return 0;
}

void SetScriptedKey(int vk, bool down) {
  if (vk > 0 && vk < 256) g_scripted[static_cast<size_t>(vk)] = down;
}

void ClearScriptedKeys() { g_scripted.fill(false); }

}  // namespace platform
