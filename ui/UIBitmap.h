#pragma once
// A named picture at a fixed place, plain or tinted.
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class UIBitmap : public UIObject {
 public:
  void DrawLocked(CRC* rc) override;

  std::string m_file;
  uint32_t m_color = 0xFFFFFF;  // 0xFFFFFF: drawn as it is
  int32_t m_x = 0, m_y = 0;
  int32_t m_flag = 0;  // passed to DrawBitmap
};
