#include "render/3dContext.h"

#include <cmath>
#include <iterator>

#include "render/3dActor.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"

SLV_REGISTER_CLASS(C3dContext);

namespace {

constexpr int32_t kBlockedCell = 1;

// The step from an offset inside a cell to the nearer cell edge.
float StepToEdge(float offset, float cell) { return offset >= cell / 2.0f ? cell - offset : -offset; }

// The step and half a unit more in its direction (forwards for no step).
float PastEdge(float step) { return step + (step < 0.0f ? -0.5f : 0.5f); }

}  // namespace

C3dContext::~C3dContext() { Clear(); }

void C3dContext::Clear() {
  for (CActor* actor : m_liveActors) delete actor;
  m_liveActors.clear();
  // The tree files the model actors; it must not outlive them.
  FreeBucketGrid();
  for (C3dActor* actor : m_modelActors) delete actor;
  m_modelActors.clear();
  CContext::Clear();
}

void C3dContext::Update() {
  m_walking = true;
  for (auto it = m_liveActors.begin(); it != m_liveActors.end();) {
    m_walkPos = it;
    m_walkRemoved = false;
    const bool alive = (*it)->OnProcess();
    // Read after the tick: it may have removed or added entries.
    const auto next = std::next(it);
    if (!alive || m_walkRemoved) {
      CActor* actor = *it;
      m_liveActors.erase(it);
      delete actor;
    }
    it = next;
  }
  m_walking = false;
}

void C3dContext::RemoveActor(CActor* actor) {
  for (auto it = m_liveActors.begin(); it != m_liveActors.end(); ++it) {
    if (*it != actor) continue;
    if (m_walking && it == m_walkPos) {
      m_walkRemoved = true;  // the actor is still running its tick
      return;
    }
    m_liveActors.erase(it);
    delete actor;
    return;
  }
}

// Integer products and halves, as the map's cell counts give them.
void C3dContext::InitBucketGrid() {
  FreeBucketGrid();
  const int32_t width = m_pGround != nullptr ? m_pGround->CellSize() * m_pGround->Width() : 0;
  const int32_t depth = m_pGround != nullptr ? m_pGround->CellSize() * m_pGround->Height() : 0;
  m_tree.SetBounds(static_cast<float>(width / -2), static_cast<float>(width / 2),
                   static_cast<float>(depth / -2), static_cast<float>(depth / 2), 0.0f, 0.0f);
  for (C3dActor* actor : m_modelActors) m_tree.Insert(actor, 1);
  m_tree.ComputeCorners();
}

void C3dContext::FreeBucketGrid() { m_tree.FreeChildren(); }

int32_t C3dContext::CellType(float x, float z) const {
  return m_pAttr != nullptr ? m_pAttr->GetCellType(x, z) : 0;
}

float C3dContext::GroundHeight(float x, float z) const {
  return m_pAttr != nullptr ? m_pAttr->GetHeight(x, z) : 0.0f;
}

const C3dActor* C3dContext::ActorAt(const Vec3& point) const {
  const QuadNode* leaf = m_tree.FindLeaf(point.x, point.z);
  if (leaf == nullptr) return nullptr;
  for (const C3dActor* actor : leaf->m_objects) {
    if (actor->Collides() && actor->IsInsideBox(point)) return actor;
  }
  return nullptr;
}

int C3dContext::CheckMove(float x, float y, float z) const {
  if (CellType(x, z) == kBlockedCell) return 3;
  return CheckHeight(x, y, z);
}

int C3dContext::CheckHeight(float x, float y, float z) const {
  if (GroundHeight(x, z) < y) return 1;
  if (ActorAt(Vec3{x, y, z}) != nullptr) return 2;
  return 0;
}

void C3dContext::PushOutOfActors(Vec3& point) const {
  if (const C3dActor* actor = ActorAt(point)) actor->PushOut(point);
}

void C3dContext::PushOutNearestAxis(Vec3& point) const {
  if (m_pAttr == nullptr) return;
  const float cell = static_cast<float>(m_pAttr->CellSize());
  const float stepX = StepToEdge(std::fmod(point.x + 10000.0f, cell), cell);
  const float stepZ = StepToEdge(std::fmod(point.z + 10000.0f, cell), cell);
  const Vec3 old = point;
  const bool alongX = std::fabs(stepX) <= std::fabs(stepZ);
  (alongX ? point.x : point.z) += PastEdge(alongX ? stepX : stepZ);
  if (CellType(point.x, point.z) != kBlockedCell) return;
  point = old;
  // Equal steps try X twice.
  const bool fallbackX = std::fabs(stepX) >= std::fabs(stepZ);
  (fallbackX ? point.x : point.z) += PastEdge(fallbackX ? stepX : stepZ);
}

float C3dContext::GetStandHeight(const Vec3& point) const {
  float height = GroundHeight(point.x, point.z);
  if (point.y == height) return height;
  const QuadNode* leaf = m_tree.FindLeaf(point.x, point.z);
  if (leaf == nullptr) return height;
  for (const C3dActor* actor : leaf->m_objects) {
    if (actor->Collides()) height = actor->GetStandHeight(point, height);
  }
  return height;
}
