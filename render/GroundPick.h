#pragma once
// Ground triangles drawn this frame with their screen corners, so that a
// screen point (the mouse) can be turned into the ground cell under it.
#include <cstdint>
#include <memory>
#include <vector>

class CGroundPickList;

// One drawn top-surface triangle of a ground cell.
class C3dGroundPickInfo {
 public:
  struct ScreenVertex {
    float x = 0.0f, y = 0.0f, rhw = 0.0f;
  };

  C3dGroundPickInfo() = default;
  C3dGroundPickInfo(int32_t column, int32_t row, const ScreenVertex& p1, const ScreenVertex& p2,
                    const ScreenVertex& p3);
  virtual ~C3dGroundPickInfo() = default;

  // The entry's tag; the ground renderer leaves it 0.
  virtual int32_t GetTag() const { return m_tag; }

  // Strictly inside: a point on an edge is outside, and a triangle of the
  // other winding never holds a point.
  bool HitTest(float x, float y) const;
  // The entry under the point nearest the eye (largest sum of reciprocal w;
  // the first of equals), or null.
  static C3dGroundPickInfo* Pick(const CGroundPickList& list, float x, float y);

  int32_t m_column = 0;
  int32_t m_row = 0;
  int32_t m_tag = 0;
  int32_t m_reserved = 0;
  ScreenVertex m_vertices[3];
};

// The entries of one frame in the order they were drawn; owns them.
class CGroundPickList {
 public:
  CGroundPickList() = default;
  CGroundPickList(const CGroundPickList&) = delete;
  CGroundPickList& operator=(const CGroundPickList&) = delete;

  void Clear() { m_entries.clear(); }
  // Takes the entry; null is ignored.
  void Add(C3dGroundPickInfo* entry);
  int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
  C3dGroundPickInfo* At(int32_t index) const { return m_entries[static_cast<size_t>(index)].get(); }

 private:
  std::vector<std::unique_ptr<C3dGroundPickInfo>> m_entries;
};
