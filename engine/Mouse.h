#pragma once
// The system mouse: a pointer with two buttons and a wheel, read once a pass.
#include <array>
#include <cstdint>

namespace platform {
struct MouseDevice;
}

class CMouse {
 public:
  static CMouse& GetInstance();

  // Opens and acquires the device; a failure leaves the mouse without one,
  // silently.
  void Init();
  // Acquires (true) or releases (false) the device: 0, or 1 without a device.
  int Acquire(bool flag);
  // Takes the buffered motion, wheel and at most one button change, keeps
  // the pointer inside the view and derives the button states. Without a
  // device the pointer and the buttons stay as they are.
  void Read();
  // Puts the pointer in the middle of the view and clears the buttons.
  void Center();
  void Release();

  // The size of the current render context, which bounds the pointer.
  void SetViewSize(int32_t width, int32_t height);

  int32_t m_dx = 0, m_dy = 0, m_wheel = 0;
  int32_t m_x = 320, m_y = 240;
  std::array<bool, 2> m_mouseDown{};         // left, right
  std::array<int32_t, 2> m_mouseButtons{};  // 0 up, 1 pressed, 2 held, 3 released
  int32_t m_viewWidth = 640, m_viewHeight = 480;
  platform::MouseDevice* m_pDevice = nullptr;

 private:
  CMouse() = default;
  // Applies one record; false when reading must stop after it.
  bool Apply(uint32_t object, int32_t value, std::array<bool, 2>* down);
};
