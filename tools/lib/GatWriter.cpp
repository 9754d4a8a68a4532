#include "tools/lib/GatWriter.h"

#include <algorithm>

#include "tools/lib/ByteWriter.h"

namespace slvtools {

GatWriter::GatWriter(int32_t width, int32_t height, uint8_t major, uint8_t minor)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_major(major),
      m_minor(minor),
      m_cells(static_cast<size_t>(m_width) * static_cast<size_t>(m_height)) {}

std::string GatWriter::Build() const {
  std::string out = "QZAT";
  out.push_back(static_cast<char>(m_major));
  out.push_back(static_cast<char>(m_minor));
  PutI32(out, m_width);
  PutI32(out, m_height);
  for (const GatCell& cell : m_cells) {
    for (float h : cell.height) PutF32(out, h);
    PutI32(out, cell.type);
  }
  return out;
}

}  // namespace slvtools
