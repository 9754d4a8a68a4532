// Drawing the ground: the visible cells' triangles into the texture batches,
// the highlighted cell, the pick entries and the animated water plane.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "render/3dGround.h"
#include "render/GroundPick.h"
#include "render/Projection.h"
#include "render/RC.h"

using platform::TexturedVertex;

namespace {

constexpr float kFarDepth = 1000.0f;
constexpr float kWaveDegToRad = 0.0174533f;
constexpr uint32_t kHighlightColors[3] = {0xFF0000FF, 0xFFFF0000, 0xFF0000FF};
constexpr uint32_t kDeepWaterColor = 0xC0FFFFFF;
constexpr uint32_t kShallowWaterColor = 0xFFFFFFFF;

using ScreenPoint = C3dGroundPickInfo::ScreenVertex;

// NaN goes to the low end.
float ClampFloat(float v, float lo, float hi) {
  if (!(v >= lo)) return lo;
  return v > hi ? hi : v;
}

// A remainder that never goes negative: the water tiles of negative columns
// keep their coordinates inside the picture, as wrapped addressing would.
int32_t Mod4(int32_t v) { return ((v % 4) + 4) % 4; }

}  // namespace

struct C3dGround::ViewRange {
  int32_t firstColumn = 0, lastColumn = -1, firstRow = 0, lastRow = -1;
};

// World points to screen points with the render context's projection.
struct C3dGround::Projector {
  const Matrix& view;
  float centerX, centerY, focalX, focalY, width, height;

  Projector(const CRC& rc, const Matrix& v)
      : view(v),
        centerX(static_cast<float>(rc.m_centerX)),
        centerY(static_cast<float>(rc.m_halfHeight)),
        focalX(rc.m_focalX),
        focalY(rc.m_focalY),
        width(static_cast<float>(rc.m_width)),
        height(static_cast<float>(rc.m_height)) {}

  ScreenPoint Project(float x, float y, float z) const {
    const Vec3 p = view.TransformPoint({x, y, z});
    const float rhw = kGroundDepthRule.Rhw(p.z);
    return {centerX + p.x * focalX * rhw, centerY + p.y * focalY * rhw, rhw};
  }
  // The triangle's screen bounds meet the view, and the winding is the
  // ground's front one. A corner inside the view is not asked for: seen from
  // near, a triangle reaches over a screen corner with all three of its own
  // corners outside, and the device clips it.
  bool Keeps(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c) const {
    const auto any = [&](auto test) { return test(a) || test(b) || test(c); };
    const bool meets = any([](const ScreenPoint& p) { return p.x >= 0; }) &&
                       any([&](const ScreenPoint& p) { return p.x < width; }) &&
                       any([](const ScreenPoint& p) { return p.y >= 0; }) &&
                       any([&](const ScreenPoint& p) { return p.y < height; });
    return meets && FacesFront(a, b, c);
  }
  static bool FacesFront(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c) {
    return (b.y - a.y) * (c.x - a.x) > (b.x - a.x) * (c.y - a.y);
  }
};

// The cells under the view: the view's corner rays meet the plane at the
// plane height (or end at the far depth when they miss it).
C3dGround::ViewRange C3dGround::VisibleRange(const CRC& rc, const Matrix& view, float planeHeight,
                                             int32_t extraCells) const {
  ViewRange range;
  if (m_cells.empty() || rc.m_focalX <= 0.0f || rc.m_focalY <= 0.0f) return range;
  Matrix toWorld;
  Matrix::Inverse(toWorld, view);
  const Vec3 eye{toWorld.m[9], toWorld.m[10], toWorld.m[11]};
  const float sx = static_cast<float>(rc.m_halfWidth) / rc.m_focalX;
  const float sy = static_cast<float>(rc.m_halfHeight) / rc.m_focalY;
  float minX = 0, maxX = 0, minZ = 0, maxZ = 0;
  for (int corner = 0; corner < 4; ++corner) {
    const Vec3 dirView{corner & 1 ? sx : -sx, corner & 2 ? sy : -sy, 1.0f};
    const Vec3 dir = toWorld.TransformPoint(dirView) - eye;
    float t = dir.y != 0.0f ? (planeHeight - eye.y) / dir.y : kFarDepth;
    if (!(t > 0.0f && t < kFarDepth)) t = kFarDepth;
    const Vec3 hit = eye + dir * t;
    minX = corner == 0 ? hit.x : std::min(minX, hit.x);
    maxX = corner == 0 ? hit.x : std::max(maxX, hit.x);
    minZ = corner == 0 ? hit.z : std::min(minZ, hit.z);
    maxZ = corner == 0 ? hit.z : std::max(maxZ, hit.z);
  }
  const float size = static_cast<float>(m_cellSize);
  const auto cellOf = [size](float v, int32_t count) {
    const float c = (v + static_cast<float>(count) * size * 0.5f) / size;
    return static_cast<int32_t>(ClampFloat(c, -1.0f, static_cast<float>(count)));
  };
  const int32_t extra = std::clamp(extraCells, 0, std::max(m_width, m_height));
  range.firstColumn = std::max(cellOf(minX, m_width) - extra, 0);
  range.lastColumn = std::min(cellOf(maxX, m_width) + extra, m_width - 1);
  range.firstRow = std::max(cellOf(minZ, m_height) - extra, 0);
  range.lastRow = std::min(cellOf(maxZ, m_height) + extra, m_height - 1);
  return range;
}

void C3dGround::Render(CRC& rc, const Matrix& view, float planeHeight, float waterLevel,
                       int32_t waterType, int32_t waveHeight, int32_t extraCells,
                       CGroundPickList* pickList, int32_t highlightColumn, int32_t highlightRow) {
  if (pickList != nullptr) pickList->Clear();
  UnlinkBatches();
  const int32_t period = std::max(m_waterPeriod, 1);
  if (++s_waterCounter >= period * kWaterFrames) s_waterCounter = 0;
  // Kept within a turn: the sine sees the same angle, and the phase never overflows.
  s_wavePhase = (s_wavePhase + m_waveSpeed) % 360;
  CTexture* water = nullptr;
  if (waterType >= 0 && waterType <= 9) {
    water = m_textures->GetTexture(WaterTextureName(waterType, s_waterCounter / period).c_str(), 0);
  }
  const Projector projector(rc, view);
  const ViewRange range = VisibleRange(rc, view, planeHeight, extraCells);
  for (int32_t row = range.firstRow; row <= range.lastRow; ++row) {
    for (int32_t column = range.firstColumn; column <= range.lastColumn; ++column) {
      RenderCell(rc, projector, column, row, pickList,
                 column == highlightColumn && row == highlightRow);
      if (water != nullptr) RenderWater(rc, projector, column, row, waterLevel, waveHeight, water);
    }
  }
}

void C3dGround::LinkBatch(TriangleBatch& batch, CTexture* texture) {
  batch.next = texture->m_batch;
  texture->m_batch = &batch;
  if (std::find(m_linkedTextures.begin(), m_linkedTextures.end(), texture) ==
      m_linkedTextures.end()) {
    m_linkedTextures.push_back(texture);
  }
}

bool C3dGround::OwnsBatch(const TriangleBatch* batch) const {
  if (m_cells.empty()) return false;
  const std::less<const void*> before;
  return !before(batch, &m_cells.front()) && before(batch, &m_cells.back() + 1);
}

// A drawn or cleared chain is empty; only chains left undrawn are walked.
void C3dGround::UnlinkBatches() {
  for (CTexture* texture : m_linkedTextures) {
    for (TriangleBatch** link = &texture->m_batch; *link != nullptr;) {
      if (OwnsBatch(*link)) {
        *link = (*link)->next;
      } else {
        link = &(*link)->next;
      }
    }
  }
  m_linkedTextures.clear();
}

void C3dGround::RenderCell(CRC& rc, const Projector& projector, int32_t column, int32_t row,
                           CGroundPickList* pickList, bool highlight) {
  GroundCell& cell = *GetCell(column, row);
  if (cell.prepared == 0) return;
  const float size = static_cast<float>(m_cellSize);
  const float x0 = static_cast<float>(column) * size - static_cast<float>(m_width) * size * 0.5f;
  const float z0 = static_cast<float>(row) * size - static_cast<float>(m_height) * size * 0.5f;
  const float x1 = x0 + size, z1 = z0 + size;
  // Prepared cells always have a next cell in x and in z.
  const float* nextX = GetCell(column + 1, row)->height;
  const float* nextZ = GetCell(column, row + 1)->height;
  const float* h = cell.height;
  const ScreenPoint points[8] = {
      projector.Project(x0, h[0], z0),     projector.Project(x1, h[1], z0),
      projector.Project(x0, h[2], z1),     projector.Project(x1, h[3], z1),
      projector.Project(x1, nextX[0], z0), projector.Project(x1, nextX[2], z1),
      projector.Project(x0, nextZ[0], z1), projector.Project(x1, nextZ[1], z1)};
  for (int b = 0; b < kGroundLayers * 2; ++b) {
    if ((cell.prepared & (1u << b)) == 0) continue;
    const ScreenPoint& p0 = points[cell.batchPoint[b][0]];
    const ScreenPoint& p1 = points[cell.batchPoint[b][1]];
    const ScreenPoint& p2 = points[cell.batchPoint[b][2]];
    if (!projector.Keeps(p0, p1, p2)) continue;
    TriangleBatch& batch = cell.batch[b];
    const ScreenPoint* p[3] = {&p0, &p1, &p2};
    for (int k = 0; k < 3; ++k) {
      batch.v[k].x = p[k]->x;
      batch.v[k].y = p[k]->y;
      batch.v[k].rhw = p[k]->rhw;
    }
    LinkBatch(batch, cell.layer[b / 2].texture);
    if (b / 2 != kGroundTop) continue;
    if (highlight) {
      auto marker = std::make_unique<QueuedColorTriangle>();
      for (int k = 0; k < 3; ++k) {
        marker->v[k] =
            platform::ColoredVertex{p[k]->x, p[k]->y, 0.0f, p[k]->rhw, kHighlightColors[k], 0};
      }
      rc.m_additiveUntexTris.push_back(std::move(marker));
    }
    if (pickList != nullptr) pickList->Add(new C3dGroundPickInfo(column, row, p0, p1, p2));
  }
}

// The water's height at a grid point whose column and row add up to `step`:
// the wave lifts it (towards -y) by a sine of the grid position and the phase.
float C3dGround::WaterHeight(float waterLevel, int32_t waveHeight, int32_t step) const {
  if (waveHeight == 0) return waterLevel;
  int32_t angle = m_waveAngleStep * step + s_wavePhase;
  if (angle > 360) angle = (angle - 1) % 360 + 1;
  return waterLevel - static_cast<float>(waveHeight) * m_waveScale * 0.01f *
                          std::sin(static_cast<float>(angle) * kWaveDegToRad);
}

void C3dGround::RenderWater(CRC& rc, const Projector& projector, int32_t column, int32_t row,
                            float waterLevel, int32_t waveHeight, CTexture* water) const {
  const GroundCell& cell = *GetCell(column, row);
  const float size = static_cast<float>(m_cellSize);
  const float x0 = static_cast<float>(column) * size - static_cast<float>(m_width) * size * 0.5f;
  const float z0 = static_cast<float>(row) * size - static_cast<float>(m_height) * size * 0.5f;
  const float u0 = static_cast<float>(Mod4(column - m_width / 2)) * 0.25f;
  const float v0 = static_cast<float>(Mod4(row - m_height / 2)) * 0.25f;
  TexturedVertex v[4];
  float level[4];
  bool covers = false;
  for (int corner = 0; corner < 4; ++corner) {
    const int32_t dx = corner & 1, dz = corner >> 1;
    level[corner] = WaterHeight(waterLevel, waveHeight, column + dx + row + dz);
    covers = covers || cell.height[corner] > level[corner];
    const ScreenPoint p = projector.Project(x0 + size * static_cast<float>(dx), level[corner],
                                            z0 + size * static_cast<float>(dz));
    v[corner] = TexturedVertex{p.x,
                               p.y,
                               0.0f,
                               p.rhw,
                               0,
                               0,
                               u0 + 0.25f * static_cast<float>(dx),
                               v0 + 0.25f * static_cast<float>(dz)};
  }
  if (!covers) return;
  // Where the ground lies below the quad's first corner the water is deep.
  for (int corner = 0; corner < 4; ++corner) {
    v[corner].diffuse = cell.height[corner] > level[0] ? kDeepWaterColor : kShallowWaterColor;
  }
  // Both halves in the ground's front order, so neither is culled.
  static constexpr int kTriangles[2][3] = {{0, 1, 2}, {1, 3, 2}};
  for (const auto& t : kTriangles) {
    const ScreenPoint a{v[t[0]].x, v[t[0]].y, v[t[0]].rhw}, b{v[t[1]].x, v[t[1]].y, v[t[1]].rhw},
        c{v[t[2]].x, v[t[2]].y, v[t[2]].rhw};
    // Only the winding culls water: a triangle reaching over the whole view
    // has no corner inside it, and the device clips.
    if (!Projector::FacesFront(a, b, c)) continue;
    rc.m_blendTris[water].push_back(QueuedTriangle{{v[t[0]], v[t[1]], v[t[2]]}});
  }
}
