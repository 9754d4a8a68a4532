#pragma once
// A volume control of the system mixer: the music (compact disc) or sound
// effects (wave output) line, for the options screen.
#include <cstdint>

class CMixer {
 public:
  ~CMixer() { Close(); }
  // Opens mixer 0 and finds the volume control of the line of the component
  // type; false when there is none.
  bool Open(uint32_t componentType);
  uint32_t GetVolume();
  // minimum + (maximum - minimum) x numerator / denominator, in unsigned
  // 32-bit arithmetic. A zero denominator changes nothing.
  void SetVolume(uint32_t numerator, uint32_t denominator);
  void Close();
  // The control's range, once open.
  uint32_t Minimum() const { return m_minimum; }
  uint32_t Maximum() const { return m_maximum; }

 private:
  uint32_t m_hMixer = 0;
  uint32_t m_controlId = 0;
  uint32_t m_minimum = 0;
  uint32_t m_maximum = 0;
  uint32_t m_componentType = 0;
};
