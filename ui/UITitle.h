#pragma once
// A page heading: a word in the bitmap font and, under its small letters,
// a two-part caption.
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class UITitle : public UIObject {
 public:
  void DrawLocked(CRC* rc) override;

  std::string m_text;  // in the bitmap font
  std::string m_part1, m_part2;
  int32_t m_x = 0, m_y = 0;
};
