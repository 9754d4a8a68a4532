#pragma once
// Writes attribute-grid files ("gat"): the "QZAT" magic, the version bytes,
// the size and one 20-byte cell (four corner heights, the type) a cell, row
// by row.
#include <cstdint>
#include <string>
#include <vector>

namespace slvtools {

struct GatCell {
  float height[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // corners as in the ground
  int32_t type = 0;
};

class GatWriter {
 public:
  GatWriter(int32_t width, int32_t height, uint8_t major = 1, uint8_t minor = 2);

  GatCell& Cell(int32_t x, int32_t z) { return m_cells[static_cast<size_t>(z * m_width + x)]; }

  std::string Build() const;

 private:
  int32_t m_width, m_height;
  uint8_t m_major, m_minor;
  std::vector<GatCell> m_cells;
};

}  // namespace slvtools
