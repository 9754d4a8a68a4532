#include "render/3dGround.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/LittleEndian.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(C3dGround, "gnd", ".\\");

int32_t C3dGround::s_waterCounter = 0;
int32_t C3dGround::s_wavePhase = 0;

std::string GetResValue(const std::string& name) { return CResMgr::GetInstance().GetValue(name); }

bool HasResValue(const std::string& name) { return CResMgr::GetInstance().HasValue(name); }

namespace {
namespace ground3d {

constexpr int32_t kHeaderBytes = 12;

bool ReadFloats(CMemFile& file, float* values, int count) {
  for (int i = 0; i < count; ++i) {
    if (!ReadF32(file, values[i])) return false;
  }
  return true;
}

bool ReadNames(CMemFile& file, int32_t count, std::vector<std::string>* names) {
  char buffer[C3dGround::kNameBytes];
  for (int32_t i = 0; i < count; ++i) {
    if (!file.Read(buffer, sizeof buffer)) return false;
    names->emplace_back(buffer, strnlen(buffer, sizeof buffer));
  }
  return true;
}

uint32_t Channel(uint32_t color, int shift) { return (color >> shift) & 0xFFu; }

// Per channel min(1, f * diffuse + ambient), never below 0.
Vec3 Intensity(const Vec3& normal, const Vec3& lightDir, const Vec3& diffuse, const Vec3& ambient) {
  const float f = std::clamp(Dot(normal, lightDir), 0.0f, 1.0f);
  const auto one = [f](float d, float a) { return std::clamp(f * d + a, 0.0f, 1.0f); };
  return {one(diffuse.x, ambient.x), one(diffuse.y, ambient.y), one(diffuse.z, ambient.z)};
}

// A colour byte; a light or normal from a damaged file may be NaN or huge.
uint32_t ColorByte(float v) { return v >= 0.0f ? static_cast<uint32_t>(std::min(v, 255.0f)) : 0u; }

uint32_t Rgb(float r, float g, float b) { return ColorByte(r) << 16 | ColorByte(g) << 8 | ColorByte(b); }

// Triangles (0, 1, 2) and (1, 3, 2) of a top, or of a +z wall, keep the
// ground's front winding when seen from above or from the lower side; a +x
// wall's corners run the other way round.
constexpr uint8_t kQuadOrder[2][3] = {{0, 1, 2}, {1, 3, 2}};
constexpr uint8_t kTurnedOrder[2][3] = {{0, 2, 1}, {1, 2, 3}};

// The cell's eight points: top corners 0-3, then the +x wall's lower edge
// (points 4, 5) and the +z wall's (points 6, 7), each wall's corners 0-3.
constexpr uint8_t kWallPoints[2][4] = {{1, 3, 4, 5}, {2, 3, 6, 7}};

}  // namespace ground3d
}  // namespace

C3dGround::C3dGround() : C3dGround(CTextureMgr::GetInstance(), CResMgr::GetInstance()) {}

C3dGround::C3dGround(CTextureMgr& textures, const CResMgr& resources)
    : m_textures(&textures), m_resources(&resources) {}

C3dGround::~C3dGround() { Free(); }

bool C3dGround::Load(const std::string& name) {
  Free();
  CMemFile file;
  if (!file.LoadFile(name)) {
    DebugLogf("C3dGround::Load : cannot open %s", name.c_str());
    return true;
  }
  if (!Parse(file)) {
    DebugLogf("C3dGround::Load : %s does not hold the ground it declares", name.c_str());
    Free();
  }
  return true;
}

bool C3dGround::Parse(CMemFile& file) {
  int32_t count = 0, width = 0, height = 0;
  if (!ReadI32(file, count) || !ReadI32(file, width) || !ReadI32(file, height)) return false;
  if (count < 0 || count > kMaxTextures || width < 0 || height < 0) {
    DebugLogf("C3dGround::Load : %d textures, %d x %d cells", count, width, height);
    return false;
  }
  const int64_t cellBytes = int64_t{file.GetSize()} - ground3d::kHeaderBytes - int64_t{count} * kNameBytes;
  if (cellBytes < 0 || int64_t{width} * height > cellBytes / kCellFileBytes) return false;
  std::vector<std::string> names;
  if (!ground3d::ReadNames(file, count, &names)) return false;
  Allocate(width, height);
  m_textureNames = std::move(names);
  for (size_t i = 0; i < m_cells.size(); ++i) {
    if (!ReadCell(file, m_textureNames, m_cells[i], &m_layerFlags[i * kGroundLayers])) return false;
  }
  return true;
}

bool C3dGround::ReadCell(CMemFile& file, const std::vector<std::string>& names, GroundCell& cell,
                         int32_t* flags) {
  int32_t index[kGroundLayers];
  for (int32_t& i : index) {
    if (!ReadI32(file, i)) return false;
  }
  if (!ground3d::ReadFloats(file, cell.height, 4) || !ReadU32(file, cell.color) ||
      !ReadU32(file, cell.extra)) {
    return false;
  }
  for (GroundLayerData& layer : cell.layer) {
    if (!ground3d::ReadFloats(file, &layer.uv[0][0], 8)) return false;
  }
  for (int layer = 0; layer < kGroundLayers; ++layer) {
    if (index[layer] == -1) continue;
    if (index[layer] < 0 || index[layer] >= static_cast<int32_t>(names.size())) {
      DebugLogf("C3dGround::Load : texture index %d of %zu names", index[layer], names.size());
      continue;
    }
    cell.layer[layer].texture =
        TakeTexture(names[static_cast<size_t>(index[layer])], &flags[layer]);
  }
  return true;
}

// Names that the resource list defines as variables live in the flagged list.
CTexture* C3dGround::TakeTexture(const std::string& name, int32_t* flag) {
  *flag = m_resources->HasValue(name) ? 1 : 0;
  CTexture* texture = m_textures->GetTexture(name.c_str(), *flag);
  if (texture != nullptr) m_textures->Lock(texture);
  return texture;
}

void C3dGround::Allocate(int32_t width, int32_t height) {
  Free();
  if (width > 0 && height > 0) {
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    m_cells.assign(cells, GroundCell{});
    m_layerFlags.assign(cells * kGroundLayers, 0);
    m_width = width;
    m_height = height;
  }
  if (g_pCurrentFrame != nullptr) {
    m_opacity = std::clamp(std::atoi(m_resources->GetValue("gndopacity").c_str()), 0, 255);
  }
}

void C3dGround::Free() {
  UnlinkBatches();
  for (GroundCell& cell : m_cells) {
    for (GroundLayerData& layer : cell.layer) {
      if (layer.texture != nullptr) m_textures->UnLock(layer.texture);
    }
  }
  m_cells.clear();
  m_cells.shrink_to_fit();
  m_layerFlags.clear();
  m_textureNames.clear();
  m_width = 0;
  m_height = 0;
}

const GroundCell* C3dGround::GetCell(int32_t column, int32_t row) const {
  if (column < 0 || row < 0 || column >= m_width || row >= m_height) return nullptr;
  return &m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_width) +
                  static_cast<size_t>(column)];
}

GroundCell* C3dGround::GetCell(int32_t column, int32_t row) {
  return const_cast<GroundCell*>(static_cast<const C3dGround*>(this)->GetCell(column, row));
}

bool C3dGround::IsFlagged(int32_t column, int32_t row, int32_t layer) const {
  if (GetCell(column, row) == nullptr || layer < 0 || layer >= kGroundLayers) return false;
  return m_layerFlags[(static_cast<size_t>(row) * static_cast<size_t>(m_width) +
                       static_cast<size_t>(column)) *
                          kGroundLayers +
                      static_cast<size_t>(layer)] != 0;
}

float C3dGround::GetHeight(float x, float z) const {
  const float size = static_cast<float>(m_cellSize);
  const float gx = static_cast<float>(m_width) * size * 0.5f + x;
  const float gz = static_cast<float>(m_height) * size * 0.5f + z;
  // Far-off points (and NaN) never reach the integer conversion.
  if (m_cells.empty() || !(gx > -size && gz > -size) ||
      !(gx < static_cast<float>(m_width + 1) * size &&
        gz < static_cast<float>(m_height + 1) * size)) {
    return 0.0f;
  }
  const auto column = static_cast<int32_t>(gx / size);
  const auto row = static_cast<int32_t>(gz / size);
  const GroundCell* cell = GetCell(column, row);
  if (cell == nullptr) return 0.0f;
  const float fx = gx - size * static_cast<float>(column);
  const float fz = gz - size * static_cast<float>(row);
  const float* h = cell->height;
  const float a = h[0] + fz * (h[2] - h[0]) / size;
  const float b = h[1] + fz * (h[3] - h[1]) / size;
  return a + fx * (b - a) / size;
}

void C3dGround::ComputeLighting(const Vec3& lightDir, const Vec3& diffuse, const Vec3& ambient) {
  for (int32_t row = 0; row < m_height; ++row) {
    for (int32_t column = 0; column < m_width; ++column) ComputeNormals(column, row);
  }
  for (int32_t row = 0; row < m_height; ++row) {
    for (int32_t column = 0; column < m_width; ++column) {
      GroundCell& cell = *GetCell(column, row);
      const Vec3 top = ground3d::Intensity(CornerNormal(column, row), lightDir, diffuse, ambient);
      cell.layerColor[kGroundTop] = ground3d::Rgb(static_cast<float>(ground3d::Channel(cell.color, 16)) * top.x,
                                        static_cast<float>(ground3d::Channel(cell.color, 8)) * top.y,
                                        static_cast<float>(ground3d::Channel(cell.color, 0)) * top.z);
      for (int wall = 0; wall < 2; ++wall) {
        const Vec3 i = ground3d::Intensity(cell.wallNormal[wall], lightDir, diffuse, ambient);
        cell.layerColor[kGroundWallX + wall] = ground3d::Rgb(i.x * 255.0f, i.y * 255.0f, i.z * 255.0f);
      }
      for (int layer = 0; layer < kGroundLayers; ++layer) {
        const uint32_t alpha =
            IsFlagged(column, row, layer) ? static_cast<uint32_t>(m_opacity) : 0xFFu;
        cell.layerColor[layer] |= alpha << 24;
      }
    }
  }
  for (int32_t row = 0; row + 1 < m_height; ++row) {
    for (int32_t column = 0; column + 1 < m_width; ++column) PrepareTriangles(column, row);
  }
}

// Every cell gets its top normals, the last row and column too, since their
// corners light the cells before them. A wall without a cell beyond it keeps
// a normal that faces the grid.
void C3dGround::ComputeNormals(int32_t column, int32_t row) {
  GroundCell& cell = *GetCell(column, row);
  const float s = static_cast<float>(m_cellSize);
  const float* h = cell.height;
  cell.topNormal[0] = Vec3{s * (h[0] - h[1]), s * s, s * (h[0] - h[2])}.Normalize();
  cell.topNormal[1] = Vec3{s * (h[2] - h[3]), s * s, s * (h[1] - h[3])}.Normalize();
  const GroundCell* nextX = GetCell(column + 1, row);
  const GroundCell* nextZ = GetCell(column, row + 1);
  cell.wallNormal[0] =
      Vec3{nextX == nullptr || nextX->height[0] <= h[1] ? 1.0f : -1.0f, 0.0f, 0.0f};
  cell.wallNormal[1] =
      Vec3{0.0f, 0.0f, nextZ == nullptr || nextZ->height[0] <= h[2] ? 1.0f : -1.0f};
}

// The faces that meet at the cell's corner 0.
Vec3 C3dGround::CornerNormal(int32_t column, int32_t row) const {
  Vec3 sum = GetCell(column, row)->topNormal[0];
  if (const GroundCell* c = GetCell(column - 1, row)) sum = sum + c->topNormal[0] + c->topNormal[1];
  if (const GroundCell* c = GetCell(column, row - 1)) sum = sum + c->topNormal[0] + c->topNormal[1];
  if (const GroundCell* c = GetCell(column - 1, row - 1)) sum = sum + c->topNormal[1];
  return sum.Normalize();
}

void C3dGround::PrepareTriangles(int32_t column, int32_t row) {
  GroundCell& cell = *GetCell(column, row);
  cell.prepared = 0;
  if (cell.layer[kGroundTop].texture != nullptr) {
    // Each corner takes the lit colour of the cell whose corner 0 it is.
    const GroundCell* owner[4] = {&cell, GetCell(column + 1, row), GetCell(column, row + 1),
                                  GetCell(column + 1, row + 1)};
    const uint32_t alpha = cell.layerColor[kGroundTop] & 0xFF000000u;
    for (int t = 0; t < 2; ++t) {
      for (int k = 0; k < 3; ++k) {
        const uint8_t corner = ground3d::kQuadOrder[t][k];
        platform::TexturedVertex& v = cell.batch[t].v[k];
        v.diffuse = (owner[corner]->layerColor[kGroundTop] & 0x00FFFFFFu) | alpha;
        v.u = cell.layer[kGroundTop].uv[corner][0];
        v.v = cell.layer[kGroundTop].uv[corner][1];
        cell.batchPoint[t][k] = corner;
      }
      cell.prepared |= static_cast<uint8_t>(1u << t);
    }
  }
  for (int wall = 0; wall < 2; ++wall) {
    const int layer = kGroundWallX + wall;
    if (cell.layer[layer].texture == nullptr) continue;
    // The step's direction turns the wall on the screen by itself; only the
    // walls' two orientations need their own orders.
    const auto& order = wall == 0 ? ground3d::kTurnedOrder : ground3d::kQuadOrder;
    for (int t = 0; t < 2; ++t) {
      const int b = layer * 2 + t;
      for (int k = 0; k < 3; ++k) {
        const uint8_t corner = order[t][k];
        platform::TexturedVertex& v = cell.batch[b].v[k];
        v.diffuse = cell.layerColor[layer];
        v.u = cell.layer[layer].uv[corner][0];
        v.v = cell.layer[layer].uv[corner][1];
        cell.batchPoint[b][k] = ground3d::kWallPoints[wall][corner];
      }
      cell.prepared |= static_cast<uint8_t>(1u << b);
    }
  }
}

std::string C3dGround::WaterTextureName(int32_t waterType, int32_t frame) {
  return "워터\\water" + std::to_string(waterType) + (frame > 9 ? "" : "0") +
         std::to_string(frame) + ".bmp";
}
