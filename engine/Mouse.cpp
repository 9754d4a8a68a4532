#include "engine/Mouse.h"

CMouse& CMouse::GetInstance() {
  static CMouse mouse;
  return mouse;
}

int CMouse::Acquire(bool flag) { return 1; }
