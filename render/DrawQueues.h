#pragma once
// The records that models, sprite actors, effects and the ground append to
// the render context's draw queues during a scene, and the fog block that
// scripts set and save games store. Screen-space floats are pixels; every
// depth is a reciprocal w.
#include <cstdint>

#include "platform/Device3D.h"

class CTexture;
class CDecal;
struct SprImage;  // a 16-bit sprite image: its pixels feed a decal

// Passes walk their per-texture queues in this order: by name, then by
// creation, never by address, so a frame draws the same whatever was loaded
// or freed before it.
struct TextureOrder {
  bool operator()(const CTexture* a, const CTexture* b) const;
};

struct QueuedTriangle {
  platform::TexturedVertex v[3];  // in drawing order
};

struct QueuedTriangleEx {
  platform::TexturedVertex v[3];
  uint32_t extra;  // carried along, never read by the passes
};

struct QueuedColorTriangle {
  platform::ColoredVertex v[3];
};

struct QueuedQuad {
  float top, left, bottom, right;
  float rhw;      // all four corners
  int32_t angle;  // degrees, 0 upright
  uint32_t color;
  CTexture* texture;
};

struct QueuedImageQuad {
  float top, left, bottom, right;
  float rhw;
  int32_t angle;
  uint32_t color;
  const SprImage* image;
};

struct QueuedDecalQuad {
  float top, left, bottom, right;
  float rhwBottom, rhwTop;
  int32_t angle;
  uint32_t color;
  CDecal* decal;
};

struct QueuedSpriteQuad {
  float top, left, bottom, right;
  float rhwBottom, rhwTop;
  int32_t angle;
  uint32_t color;
  const SprImage* image;
};

struct QueuedEffectQuad {
  float top, left, bottom, right;
  float rhwBottom, rhwTop;
  int32_t angle;
  int32_t silhouette;  // non-zero: drawn flat in its colour
  uint32_t color;
  const SprImage* image;
};

// Quads with one depth use it for all four corners.
template <class Record>
float TopRhw(const Record& q) {
  if constexpr (requires { q.rhw; }) {
    return q.rhw;
  } else {
    return q.rhwTop;
  }
}

template <class Record>
float BottomRhw(const Record& q) {
  if constexpr (requires { q.rhw; }) {
    return q.rhw;
  } else {
    return q.rhwBottom;
  }
}

// Only color, start, end (fractions of the depth range) and the context's fog
// switch change what is drawn; the rest is kept for the save game.
struct FogSettings {
  int32_t mode = 3;
  uint32_t color = 0xFFFFFFFF;
  int32_t enabled = 1;
  float density = 0.33f;
  float start = 0.0f;
  float end = 1.0f;
};
