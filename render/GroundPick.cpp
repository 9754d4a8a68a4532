#include "render/GroundPick.h"

namespace {

using Vertex = C3dGroundPickInfo::ScreenVertex;

// Positive when q lies to the inside of the directed edge s -> e.
float Cross2d(const Vertex& s, const Vertex& e, float qx, float qy) {
  return (qx - s.x) * (e.y - s.y) - (e.x - s.x) * (qy - s.y);
}

}  // namespace

C3dGroundPickInfo::C3dGroundPickInfo(int32_t column, int32_t row, const ScreenVertex& p1,
                                     const ScreenVertex& p2, const ScreenVertex& p3)
    : m_column(column), m_row(row), m_vertices{p1, p2, p3} {}

bool C3dGroundPickInfo::HitTest(float x, float y) const {
  const Vertex* p = m_vertices;
  return Cross2d(p[0], p[1], x, y) > 0.0f && Cross2d(p[1], p[2], x, y) > 0.0f &&
         Cross2d(p[2], p[0], x, y) > 0.0f;
}

C3dGroundPickInfo* C3dGroundPickInfo::Pick(const CGroundPickList& list, float x, float y) {
  C3dGroundPickInfo* best = nullptr;
  float bestSum = 0.0f;
  for (int32_t i = 0; i < list.Count(); ++i) {
    C3dGroundPickInfo* entry = list.At(i);
    if (!entry->HitTest(x, y)) continue;
    const float sum =
        entry->m_vertices[0].rhw + entry->m_vertices[1].rhw + entry->m_vertices[2].rhw;
    if (sum > bestSum) {
      bestSum = sum;
      best = entry;
    }
  }
  return best;
}

void CGroundPickList::Add(C3dGroundPickInfo* entry) {
  if (entry != nullptr) m_entries.emplace_back(entry);
}
