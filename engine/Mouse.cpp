#include "engine/Mouse.h"

#include <algorithm>
#include <cstdint>

#include "engine/Controller.h"
#include "platform/Mouse.h"

namespace {

constexpr size_t kBufferSize = 16;

// The pointer is clamped once all records are in, so sums must not wrap first.
int32_t AddSaturated(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

}  // namespace

CMouse& CMouse::GetInstance() {
  static CMouse mouse;
  return mouse;
}

void CMouse::Init() {
  m_pDevice = platform::OpenMouse(kBufferSize);
  if (m_pDevice == nullptr) return;
  platform::AcquireMouse(m_pDevice, true);
  m_x = 320;
  m_y = 240;
  platform::SetMousePosition(m_pDevice, m_x, m_y);
  m_mouseDown = {};
  m_mouseButtons = {};
}

int CMouse::Acquire(bool flag) {
  if (m_pDevice == nullptr) return 1;
  platform::AcquireMouse(m_pDevice, flag);
  return 0;
}

bool CMouse::Apply(uint32_t object, int32_t value, std::array<bool, 2>* down) {
  switch (object) {
    case platform::MOUSE_X:
      m_dx = value;
      m_x = AddSaturated(m_x, value);
      return true;
    case platform::MOUSE_Y:
      m_dy = value;
      m_y = AddSaturated(m_y, value);
      return true;
    case platform::MOUSE_WHEEL:
      m_wheel = value;
      return true;
    case platform::MOUSE_LEFT:
    case platform::MOUSE_RIGHT:
      (*down)[object == platform::MOUSE_LEFT ? 0 : 1] = (value & platform::MOUSE_BUTTON_DOWN) != 0;
      return false;  // one button change a read; the rest waits
    default:
      return true;
  }
}

void CMouse::Read() {
  m_dx = m_dy = m_wheel = 0;
  if (m_pDevice == nullptr) return;
  std::array<bool, 2> down = m_mouseDown;
  platform::MouseRecord record;
  while (platform::ReadMouseRecord(m_pDevice, &record)) {
    if (!Apply(record.object, record.value, &down)) break;
  }
  m_x = std::clamp(m_x, 0, std::max(m_viewWidth - 1, 0));
  m_y = std::clamp(m_y, 0, std::max(m_viewHeight - 1, 0));
  for (size_t i = 0; i < down.size(); ++i) {
    if (down[i]) {
      m_mouseButtons[i] = m_mouseDown[i] ? kStateHeld : kStatePressed;
    } else {
      m_mouseButtons[i] = m_mouseDown[i] ? kStateReleased : kStateUp;
    }
  }
  m_mouseDown = down;
}

void CMouse::Center() {
  m_x = m_viewWidth / 2;
  m_y = m_viewHeight / 2;
  platform::SetMousePosition(m_pDevice, m_x, m_y);
  m_mouseDown = {};
  m_mouseButtons = {};
  m_dx = m_dy = m_wheel = 0;
}

void CMouse::Release() {
  platform::CloseMouse(m_pDevice);
  m_pDevice = nullptr;
}

void CMouse::SetViewSize(int32_t width, int32_t height) {
  m_viewWidth = width;
  m_viewHeight = height;
}
