#include "tools/lib/GndWriter.h"

#include <algorithm>

#include "tools/lib/ByteWriter.h"

namespace slvtools {

namespace {
constexpr size_t kNameBytes = 80;
}  // namespace

GndWriter::GndWriter(int32_t width, int32_t height)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_cells(static_cast<size_t>(m_width) * static_cast<size_t>(m_height)) {}

int32_t GndWriter::AddTexture(const std::string& name) {
  m_names.push_back(name);
  return static_cast<int32_t>(m_names.size()) - 1;
}

void GndWriter::SetGridHeight(int32_t x, int32_t z, float height) {
  for (int corner = 0; corner < 4; ++corner) {
    const int32_t cx = x - (corner & 1), cz = z - (corner >> 1);
    if (cx >= 0 && cz >= 0 && cx < m_width && cz < m_height) Cell(cx, cz).height[corner] = height;
  }
}

std::string GndWriter::Build() const {
  std::string out;
  PutI32(out, static_cast<int32_t>(m_names.size()));
  PutI32(out, m_width);
  PutI32(out, m_height);
  for (const std::string& name : m_names) PutText(out, name.substr(0, kNameBytes - 1), kNameBytes);
  for (const GndCell& cell : m_cells) {
    for (int32_t t : cell.texture) PutI32(out, t);
    for (float h : cell.height) PutF32(out, h);
    PutU32(out, cell.color);
    PutU32(out, cell.extra);
    for (const auto& layer : cell.uv) {
      for (const auto& corner : layer) {
        PutF32(out, corner[0]);
        PutF32(out, corner[1]);
      }
    }
  }
  return out;
}

}  // namespace slvtools
