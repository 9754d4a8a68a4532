#pragma once
// Writes ground files ("gnd"): the texture names, then one 132-byte record a
// cell, row by row. Fields are written as given, so tests can make files
// that disagree with themselves.
#include <cstdint>
#include <string>
#include <vector>

namespace slvtools {

struct GndCell {
  int32_t texture[3] = {-1, -1, -1};  // top, +x wall, +z wall; -1 none
  // Corner 0 at (x0, z0), 1 at (x1, z0), 2 at (x0, z1), 3 at (x1, z1).
  float height[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  uint32_t color = 0xFFFFFFFF;  // ARGB
  uint32_t extra = 0;
  // Per layer, corners 0 to 3: (u, v). The top spans the texture once.
  float uv[3][4][2] = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}},
                       {{0, 0}, {1, 0}, {0, 1}, {1, 1}},
                       {{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
};

class GndWriter {
 public:
  GndWriter(int32_t width, int32_t height);

  // The new name's index.
  int32_t AddTexture(const std::string& name);
  GndCell& Cell(int32_t x, int32_t z) { return m_cells[static_cast<size_t>(z * m_width + x)]; }
  // Every corner that touches grid point (x, z), 0 <= x <= width, 0 <= z <= height.
  void SetGridHeight(int32_t x, int32_t z, float height);

  // Names longer than 79 bytes are cut to keep their terminating zero.
  std::string Build() const;

 private:
  int32_t m_width, m_height;
  std::vector<std::string> m_names;
  std::vector<GndCell> m_cells;
};

}  // namespace slvtools
