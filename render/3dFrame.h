#pragma once
// A frame of the 3-D scene: holds a render context and runs the standard
// frame loop (no frame clock: it runs as fast as flipping allows). The
// title, logo, movie and world-map frames and the game frame build on it.
#include "engine/Frame.h"

class CRC;

class C3dFrame : public CFrame {
  SLV_OBJECT(C3dFrame)
 public:
  // A frame ended by quitting is not exited: its context goes with it.
  ~C3dFrame() override;
  // The base set-up, then a render context from the display device; the
  // mouse is kept inside its view.
  void Init() override;
  // Until the frame stops or the program quits: pump, Escape quits the
  // frame manager, controllers, context and view, draw, flip.
  void Run() override;
  void Exit() override;

  CRC* m_pRC = nullptr;  // null without a display device

 protected:
  // One pass of the standard loop.
  void RunPass();
};
