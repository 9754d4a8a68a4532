#pragma once
// Vertices of the drawing done at once in screen space: in front of
// everything the scene draws.
#include <cstdint>

#include "platform/Device3D.h"

inline constexpr float kScreenZ = 0.000001f;
inline constexpr float kScreenRhw = 0.999999f;

inline platform::TexturedVertex ScreenVertex(float x, float y, uint32_t color, float u = 0, float v = 0) {
  return platform::TexturedVertex{x, y, kScreenZ, kScreenRhw, color, 0xFFFFFFFF, u, v};
}
