#include "field/PickRegionList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "field/SelvarinFrame.h"

CPickRegionList g_pickRegionList;
ScreenAnchor g_leaderAnchor;

int32_t PickEdge(float v) {
  if (std::isnan(v)) return INT32_MIN;
  return static_cast<int32_t>(std::clamp(v, -1.0e9f, 1.0e9f));
}

namespace {

PickRegion Region(int xa, int xb, int y0, int y1, int kind) {
  PickRegion region;
  region.x0 = std::min(xa, xb);
  region.x1 = std::max(xa, xb);
  region.y0 = y0;
  region.y1 = y1;
  region.kind = kind;
  return region;
}

}  // namespace

void CPickRegionList::Clear() { m_regions.clear(); }

void CPickRegionList::Add(int xa, int xb, int y0, int y1, int kind, CSelvarinActor* actor) {
  PickRegion region = Region(xa, xb, y0, y1, kind);
  region.actor2d = actor;
  m_regions.push_back(region);
}

void CPickRegionList::Add(int xa, int xb, int y0, int y1, int kind, CSelvarin3dActor* actor) {
  PickRegion region = Region(xa, xb, y0, y1, kind);
  region.actor3d = actor;
  m_regions.push_back(region);
}

int CPickRegionList::HitTest(int x, int y, CSelvarinActor** actor2d, CSelvarin3dActor** actor3d) const {
  for (const PickRegion& r : m_regions) {
    if (r.x0 < x && x < r.x1 && r.y0 < y && y < r.y1) {
      *actor2d = r.actor2d;
      *actor3d = r.actor3d;
      return r.kind;
    }
  }
  return 0;
}

void CPickRegionList::Remove(const CSelvarinActor* actor) {
  m_regions.remove_if([actor](const PickRegion& r) { return r.actor2d == actor; });
}

void CPickRegionList::Remove(const CSelvarin3dActor* actor) {
  m_regions.remove_if([actor](const PickRegion& r) { return r.actor3d == actor; });
}

void ForgetPickedActor(const CSelvarinActor* actor) {
  g_pickRegionList.Remove(actor);
  CSelvarinFrame* frame = GetGameFrame();
  if (frame == nullptr) return;
  if (frame->m_pPickedActor == actor) frame->m_pPickedActor = nullptr;
  if (frame->m_pMessageVillager == actor) frame->m_pMessageVillager = nullptr;
}

void ForgetPickedActor(const CSelvarin3dActor* actor) {
  g_pickRegionList.Remove(actor);
  CSelvarinFrame* frame = GetGameFrame();
  if (frame != nullptr && frame->m_pPicked3dActor == actor) frame->m_pPicked3dActor = nullptr;
}
