#pragma once
// A node of the map quadtree over X and Z. Model actors are filed in the
// leaves, five levels below the root, under every leaf their world box
// overlaps; collision queries look in one leaf and culling walks the tree.
#include <array>
#include <memory>
#include <vector>

#include "engine/Math.h"

class C3dActor;

struct QuadNode {
  static constexpr int kLeafLevel = 6;  // the root is level 1

  // Bounds and split point; a child splits at the middle of its bounds.
  void SetBounds(float x0, float x1, float z0, float z1, float xMid, float zMid);
  // Files the actor under every quadrant its box overlaps (closed
  // intervals), making children as needed, down to the leaves.
  void Insert(C3dActor* actor, int level);
  // The eight box corners of this node and every node below it.
  void ComputeCorners();
  // The leaf the point falls in, by five quadrant choices; null when a
  // child on the way is missing.
  const QuadNode* FindLeaf(float x, float z) const;
  // Deletes the subtrees and clears the height range and the objects.
  void FreeChildren();

  float m_x0 = 0.0f, m_x1 = 0.0f, m_z0 = 0.0f, m_z1 = 0.0f;
  float m_xMid = 0.0f, m_zMid = 0.0f;
  float m_minY = 99999.0f, m_maxY = -99999.0f;
  // (x0|x1, minY|maxY, z0|z1) with x fastest, then y, then z.
  std::array<Vec3, 8> m_corners{};
  std::vector<C3dActor*> m_objects;  // leaves only; not owned
  // 0 = (x0..xMid, z0..zMid), 1 = (xMid..x1, z0..zMid),
  // 2 = (x0..xMid, zMid..z1), 3 = (xMid..x1, zMid..z1).
  std::array<std::unique_ptr<QuadNode>, 4> m_children;
  QuadNode* m_pParent = nullptr;

 private:
  QuadNode& Child(int quadrant);
  void AddObject(C3dActor* actor);
};
