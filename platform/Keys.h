#pragma once
// Windows virtual-key codes the game reads, and the keyboard state by code.
#include <cstdint>

namespace platform {

enum VirtualKey : int {
  VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
  VK_MENU = 0x12, VK_PAUSE = 0x13, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21,
  VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
  VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E,
  VK_0 = 0x30, VK_9 = 0x39, VK_A = 0x41, VK_Z = 0x5A,
  VK_NUMPAD0 = 0x60, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
  VK_F1 = 0x70, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11,
  VK_F12 = 0x7B,
  VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
  VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB,
  VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
};

// The key's state as the original's asynchronous key read gives it: the high
// bit (0x8000) set while the key is down now. The real keyboard and scripted
// input (see InputScript.h) both count.
int16_t GetKeyState(int virtualKey);

// The virtual-key code of an SDL scancode, or 0 when the game has none.
int VirtualKeyFromScancode(int sdlScancode);

// Marks a key down or up for the scripted source (tests, replays).
void SetScriptedKey(int virtualKey, bool down);
void ClearScriptedKeys();

}  // namespace platform
