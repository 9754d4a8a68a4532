#pragma once
// What a primitive is: its update and its drawing. Kinds 0-3 live on the
// screen and follow the owner's screen point; 5-17 live in the world. There
// is no kind 4.
#include <cstdint>

enum EffectPrimitiveKind : int32_t {
  ScreenSprite = 0,
  ScreenBlade = 1,
  ScreenRay = 2,
  ScreenRing = 3,
  SpriteFlight = 5,
  SpriteSpiral = 6,
  SpriteBurst = 7,
  SpriteBounce = 8,
  BeamQuad = 9,
  RingWall = 10,
  SweepRing = 11,
  SwirlRing = 12,
  Dome = 13,
  FlatQuad = 14,
  TumbleQuad = 15,
  CrossQuad = 16,
  SpriteOrbit = 17,
};
