#pragma once
// The screen rectangles of the actors drawn in the last frame, through which
// the mouse finds what it points at. Actors add theirs while they draw; the
// play mode empties the list before each drawn frame.
#include <cstdint>
#include <list>

class CSelvarinActor;
class CSelvarin3dActor;

// What was hit: 1 the player, 2 a sprite actor, 3 a 3-D actor, 5 a battle
// actor, chosen by whoever adds the rectangle.
struct PickRegion {
  int32_t x0 = 0;  // the smaller x
  int32_t x1 = 0;  // the larger x
  int32_t y0 = 0;
  int32_t y1 = 0;
  int32_t kind = 0;
  CSelvarinActor* actor2d = nullptr;
  CSelvarin3dActor* actor3d = nullptr;
};

class CPickRegionList {
 public:
  void Clear();
  // x values are sorted; y values are kept as given.
  void Add(int xa, int xb, int y0, int y1, int kind, CSelvarinActor* actor);
  void Add(int xa, int xb, int y0, int y1, int kind, CSelvarin3dActor* actor);
  // The kind of the oldest rectangle holding the point strictly inside,
  // with its owners; 0 and the outputs untouched when none does.
  int HitTest(int x, int y, CSelvarinActor** actor2d, CSelvarin3dActor** actor3d) const;
  // Drops every rectangle of an actor that is going away.
  void Remove(const CSelvarinActor* actor);
  void Remove(const CSelvarin3dActor* actor);

  const std::list<PickRegion>& Regions() const { return m_regions; }
  int32_t Count() const { return static_cast<int32_t>(m_regions.size()); }

 private:
  std::list<PickRegion> m_regions;  // oldest first
};

extern CPickRegionList g_pickRegionList;

// Where the party leader stands on the screen, set when its rectangle is
// added: the mouse cursor measures from it.
struct ScreenAnchor {
  int32_t x = 320, y = 240;
};
extern ScreenAnchor g_leaderAnchor;

// A screen edge truncated to a whole pixel; far-off and undefined values
// stay far off rather than overflow.
int32_t PickEdge(float v);

// An actor that goes away leaves neither the pick list nor the game frame's
// picked actors pointing at it.
void ForgetPickedActor(const CSelvarinActor* actor);
void ForgetPickedActor(const CSelvarin3dActor* actor);
