#pragma once
// The frame "logo", the first the frame manager runs: four full-screen
// pictures in turn, each fading in from white and out again, then the
// opening movie. A key or a click skips to the title.
#include <cstdint>

#include "render/3dFrame.h"

class CBitmapRes;

class CLogoFrame : public C3dFrame {
  SLV_OBJECT(CLogoFrame)
 public:
  // The sequence restarts at tick 0 on every visit.
  void Init() override;
  // Passes advance the tick every time; drawing and the skip and end tests
  // follow only when the frame clock lets the pass draw.
  void Run() override;
  void RunLogoPass();

  // The picture shown at a tick, and how visible it is (0 white, 1 full).
  static const char* PictureAt(int tick);
  static float VisibilityAt(int tick);

  int32_t m_tick = 0;

 private:
  void DrawPass();

  const CBitmapRes* m_shown = nullptr;  // in the screen bitmap since the last drawn pass
  bool m_pictureMade = false;           // whether this visit made the screen bitmap yet
};
