#pragma once
// The fixed layout rules of the scenario selection and the game-over
// screen, apart from the drawing so that their numbers can be checked.
#include <string>

#include "platform/Surface.h"

// The hot-spot under a point given in whole percent of the screen (bounds
// strict): 1 to 3, or 0 for none. Spots 2 and 3 are live only at progress
// 1 and 2.
int ScenarioHotSpot(int xPercent, int yPercent, int progress);
// The background tile n (1 to 4) for a hot-spot at a progress.
std::string ScenarioTileName(int hotSpot, int progress, int n);
// The frame a click on a live hot-spot goes to; empty for none.
std::string ScenarioTarget(int hotSpot, int progress);

// One picture of the scenario title at a tick.
struct ScenarioTitlePicture {
  int number = 0;  // of "scenario\시나리오셀렉트%d.tga"
  platform::Rect rect;
  float alpha = 1.0f;
};
// The title pictures drawn at tick t (none from 200 on), for a screen.
int ScenarioTitleAt(int t, int width, int height, ScenarioTitlePicture out[2]);

// The white over the game-over still at tick t, 0 to 1.
float GameOverWhite(int t);
// The game-over picture shows after this tick.
inline constexpr int kGameOverPictureTick = 150;
