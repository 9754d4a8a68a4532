#pragma once
// A small list of labelled numbers in columns, drawn in the scene pass and
// filled column by column. It takes no input.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIObject.h"

class UIListBox3d : public UIObject {
 public:
  ~UIListBox3d() override;

  // The entries lie 7 pixels inside the rectangle.
  void Setup(int x0, int y0, int x1, int y1, int columns, bool showValues);
  void AddEntry(const std::string& label, int value);
  void Clear();

  // Rows per column are count / columns; entries past the full rows are
  // left out, and a box with fewer entries than columns draws nothing.
  void Draw(CRC* rc) override;

  // Where each drawn entry's label starts.
  struct Spot {
    int entry, x, y;
  };
  std::vector<Spot> Layout() const;

  void OnWheel() override {}

  int32_t m_x0 = 0, m_x1 = 0, m_y0 = 0, m_y1 = 0;
  int32_t m_insetX = 7, m_insetY = 7;
  int32_t m_columns = 0;
  int32_t m_showValues = 0;
  int32_t m_innerX0 = 0, m_innerY0 = 0, m_innerX1 = 0, m_innerY1 = 0;
  int32_t m_drawColumns = 0;
  int32_t m_count = 0;
  std::vector<std::string> m_labels;
  std::vector<int32_t> m_values;
};
