#pragma once
// The system mouse: a pointer with two buttons and a wheel.
class CMouse {
 public:
  static CMouse& GetInstance();
  // Acquires (true) or releases (false) the device; 1 without a device.
  int Acquire(bool flag);

 private:
  CMouse() = default;
};
