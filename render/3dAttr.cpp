#include "render/3dAttr.h"

#include <cstring>

#include "engine/FileStream.h"
#include "engine/LittleEndian.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(C3dAttr, "gat", ".\\");

namespace {

constexpr uint8_t kMajorVersion = 1;
constexpr uint8_t kLastMinorVersion = 2;

bool ReadByte(CMemFile& file, uint8_t& value) { return file.Read(&value, 1); }

}  // namespace

bool C3dAttr::Load(const std::string& name) {
  Free();
  m_majorVersion = m_minorVersion = 0;
  CMemFile file;
  char magic[4] = {};
  file.LoadFile(name);  // a file that is missing reads as one without the magic
  if (!file.Read(magic, sizeof magic) || std::memcmp(magic, "QZAT", sizeof magic) != 0) {
    DebugLog(
        "Block Attr 이 지원되지 않는 옛버젼의 GAT 파일입니다. 새 버젼의 TERRAVELD 에서 교정하세요");
    return false;
  }
  uint8_t major = 0, minor = 0;
  if (!ReadByte(file, major) || !ReadByte(file, minor)) return false;
  m_majorVersion = major;
  m_minorVersion = minor;
  if (major != kMajorVersion || minor > kLastMinorVersion) {
    DebugLog("C3dAttr::Unsupported Version");
    return true;
  }
  if (!ReadCells(file)) {
    DebugLogf("C3dAttr::Load : the cells do not fit the file : %s", name.c_str());
    Free();
    return false;
  }
  return true;
}

bool C3dAttr::ReadCells(CMemFile& file) {
  int32_t width = 0, height = 0;
  if (!ReadI32(file, width) || !ReadI32(file, height) || width < 0 || height < 0) return false;
  if (int64_t{width} * height > BytesLeft(file) / kCellFileBytes) return false;
  Allocate(width, height);
  for (AttrCell& cell : m_cells) {
    for (float& h : cell.height) {
      if (!ReadF32(file, h)) return false;
    }
    if (!ReadI32(file, cell.type)) return false;
  }
  return true;
}

void C3dAttr::Allocate(int32_t width, int32_t height) {
  Free();
  if (width <= 0 || height <= 0) return;
  m_cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), AttrCell{});
  m_width = width;
  m_height = height;
}

void C3dAttr::Free() {
  m_cells.clear();
  m_cells.shrink_to_fit();
  m_width = 0;
  m_height = 0;
}

const AttrCell* C3dAttr::GetCell(int32_t column, int32_t row) const {
  if (column < 0 || row < 0 || column >= m_width || row >= m_height) return nullptr;
  return &m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_width) +
                  static_cast<size_t>(column)];
}

AttrCell* C3dAttr::GetCell(int32_t column, int32_t row) {
  return const_cast<AttrCell*>(static_cast<const C3dAttr*>(this)->GetCell(column, row));
}

bool C3dAttr::Locate(float x, float z, int32_t* column, int32_t* row, float* fx, float* fz) const {
  if (m_cells.empty() || m_cellSize <= 0) return false;
  const float size = static_cast<float>(m_cellSize);
  const float gx = static_cast<float>(m_width) * size * 0.5f + x;
  const float gz = static_cast<float>(m_height) * size * 0.5f + z;
  // Also keeps NaN and far-off points from reaching the integer conversion.
  if (!(gx > -size && gz > -size && gx < static_cast<float>(m_width) * size + size &&
        gz < static_cast<float>(m_height) * size + size)) {
    return false;
  }
  *column = static_cast<int32_t>(gx / size);
  *row = static_cast<int32_t>(gz / size);
  if (*column < 0 || *row < 0 || *column >= m_width || *row >= m_height) return false;
  *fx = gx - size * static_cast<float>(*column);
  *fz = gz - size * static_cast<float>(*row);
  return true;
}

int32_t C3dAttr::GetCellType(float x, float z) const {
  int32_t column, row;
  float fx, fz;
  if (!Locate(x, z, &column, &row, &fx, &fz)) return 0;
  return GetCell(column, row)->type;
}

float C3dAttr::GetHeight(float x, float z) const {
  int32_t column, row;
  float fx, fz;
  if (!Locate(x, z, &column, &row, &fx, &fz)) return 0.0f;
  const float* h = GetCell(column, row)->height;
  const float size = static_cast<float>(m_cellSize);
  const float a = h[0] + fz * (h[2] - h[0]) / size;
  const float b = h[1] + fz * (h[3] - h[1]) / size;
  return a + fx * (b - a) / size;
}
