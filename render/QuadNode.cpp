#include "render/QuadNode.h"

#include "render/3dActor.h"

void QuadNode::SetBounds(float x0, float x1, float z0, float z1, float xMid, float zMid) {
  m_x0 = x0;
  m_x1 = x1;
  m_z0 = z0;
  m_z1 = z1;
  m_xMid = xMid;
  m_zMid = zMid;
}

QuadNode& QuadNode::Child(int quadrant) {
  std::unique_ptr<QuadNode>& child = m_children[static_cast<size_t>(quadrant)];
  if (child == nullptr) {
    child = std::make_unique<QuadNode>();
    child->m_pParent = this;
    const float x0 = (quadrant & 1) != 0 ? m_xMid : m_x0;
    const float x1 = (quadrant & 1) != 0 ? m_x1 : m_xMid;
    const float z0 = (quadrant & 2) != 0 ? m_zMid : m_z0;
    const float z1 = (quadrant & 2) != 0 ? m_z1 : m_zMid;
    child->SetBounds(x0, x1, z0, z1, (x0 + x1) / 2.0f, (z0 + z1) / 2.0f);
  }
  return *child;
}

void QuadNode::Insert(C3dActor* actor, int level) {
  if (level >= kLeafLevel) {
    AddObject(actor);
    return;
  }
  const Vec3& lo = actor->m_worldMin;
  const Vec3& hi = actor->m_worldMax;
  for (int q = 0; q < 4; ++q) {
    const float x0 = (q & 1) != 0 ? m_xMid : m_x0;
    const float x1 = (q & 1) != 0 ? m_x1 : m_xMid;
    const float z0 = (q & 2) != 0 ? m_zMid : m_z0;
    const float z1 = (q & 2) != 0 ? m_z1 : m_zMid;
    if (lo.x <= x1 && hi.x >= x0 && lo.z <= z1 && hi.z >= z0) Child(q).Insert(actor, level + 1);
  }
}

// The leaf's height range grows to the box, and so do its ancestors'.
void QuadNode::AddObject(C3dActor* actor) {
  m_objects.push_back(actor);
  const float minY = actor->m_worldMin.y;
  const float maxY = actor->m_worldMax.y;
  for (QuadNode* node = this; node != nullptr; node = node->m_pParent) {
    if (minY < node->m_minY) node->m_minY = minY;
    if (maxY > node->m_maxY) node->m_maxY = maxY;
  }
}

void QuadNode::ComputeCorners() {
  for (int i = 0; i < 8; ++i) {
    m_corners[static_cast<size_t>(i)] = Vec3{(i & 1) != 0 ? m_x1 : m_x0, (i & 2) != 0 ? m_maxY : m_minY,
                                             (i & 4) != 0 ? m_z1 : m_z0};
  }
  for (const auto& child : m_children) {
    if (child != nullptr) child->ComputeCorners();
  }
}

const QuadNode* QuadNode::FindLeaf(float x, float z) const {
  const QuadNode* node = this;
  for (int level = 1; level < kLeafLevel && node != nullptr; ++level) {
    const int quadrant = (x >= node->m_xMid ? 1 : 0) | (z >= node->m_zMid ? 2 : 0);
    node = node->m_children[static_cast<size_t>(quadrant)].get();
  }
  return node;
}

void QuadNode::FreeChildren() {
  for (auto& child : m_children) child.reset();
  m_objects.clear();
  m_minY = 99999.0f;
  m_maxY = -99999.0f;
}
