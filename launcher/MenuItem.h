#pragma once
// An entry of the launcher's menu: the background picture or a hot spot.
// Items draw into the window's back buffer (top-down rows of blue, green,
// red bytes, `stride` bytes apart) in script order, later ones over earlier
// ones.
#include <cstdint>

class MenuItem {
 public:
  virtual ~MenuItem() = default;
  // Draws after `seconds` have passed; true while the item still animates.
  virtual bool Draw(uint8_t* pixels, int stride, int height, float seconds) { return false; }
  // Whether the item takes the pointer at (x, y).
  virtual bool HitTest(int x, int y) { return false; }
  // Runs the item's action; true when the launcher is to close.
  virtual bool Click() { return false; }
};
