#pragma once
// The context of a 3-D scene: the live actors updated every tick, the model
// actors placed in the map, and the quadtree over the map that answers
// collision and standing-height queries against the model actors and the
// attribute grid.
#include <cstdint>
#include <list>

#include "engine/Frame.h"
#include "engine/Math.h"
#include "render/QuadNode.h"

class C3dActor;
class C3dAttr;
class C3dGround;

class C3dContext : public CContext {
  SLV_OBJECT(C3dContext)
 public:
  ~C3dContext() override;
  void Init() override {}
  // Deletes the live actors, then the model actors (the quadtree goes with
  // them), then whatever the base holds.
  void Clear() override;
  // One tick of every live actor in list order; an actor that returns false
  // is deleted. Actors may add or remove actors while the walk runs.
  virtual void Update();

  // Deletes the first entry of the actor; nothing when it is absent. During
  // Update the running actor is deleted once its tick returns.
  void RemoveActor(CActor* actor);

  // Builds the quadtree over the ground from the model actors.
  void InitBucketGrid();
  void FreeBucketGrid();

  // 3 blocked cell, 1 under the ground, 2 inside a model actor, else 0.
  int CheckMove(float x, float y, float z) const;
  // As CheckMove without the cell test.
  int CheckHeight(float x, float y, float z) const;
  void PushOutOfActors(Vec3& point) const;
  // Moves a point in a blocked cell just past the nearer cell edge.
  void PushOutNearestAxis(Vec3& point) const;
  // The ground height under the point, raised onto model actor boxes.
  float GetStandHeight(const Vec3& point) const;

  C3dGround* m_pGround = nullptr;  // set by map loading; not owned
  C3dAttr* m_pAttr = nullptr;      // likewise
  std::list<CActor*> m_liveActors;     // owned
  std::list<C3dActor*> m_modelActors;  // owned
  QuadNode m_tree;

 private:
  int32_t CellType(float x, float z) const;
  float GroundHeight(float x, float z) const;
  // The first model actor of the point's leaf that takes part in collision
  // and whose box holds the point; null when none does.
  const C3dActor* ActorAt(const Vec3& point) const;

  // The entry whose actor is running in Update, and whether it was removed
  // meanwhile.
  std::list<CActor*>::iterator m_walkPos;
  bool m_walking = false;
  bool m_walkRemoved = false;
};
