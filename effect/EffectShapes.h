#pragma once
// The shapes the casting, circle and open-timeline builders share: each makes
// one primitive (or one group) of a recurring shape at the effect's owner,
// so a builder reads as its timeline.
#include "effect/EffectPrimitiveKind.h"
#include "engine/Math.h"

class CEffectPrimitive;
class CSelvarinEffect;

namespace effect_shapes {

// The texture taken and the builder's lock released.
void Texture(CEffectPrimitive* p, const char* name);
// "effect\" + name, as sprite and action.
void Sprite(CEffectPrimitive* p, const char* name);
// The effect's colour.
void Tint(CEffectPrimitive* p, const CSelvarinEffect& effect);
// Pitch 90 and the matrix turned to lie on the ground.
void LayFlat(CEffectPrimitive* p);
Vec3 Forward(const Matrix& m);
// A rotation whose third column (the forward axis) and third row are both
// the direction.
Matrix FacingAlong(const Vec3& direction);
// Tick t is k * period for some k, and below `until` (0: no end).
bool Every(int32_t t, int32_t period, int32_t until = 0);

// A flat ring on the ground (the shrinking ground ring's shape).
struct FlatRing {
  const char* texture;
  int32_t lifetime;
  float radius, radiusSpeed, radiusAccel, size;
  int32_t fadeStart;
  float fadeRate;  // alphaStep := -(alpha * fadeRate)
};
CEffectPrimitive* AddFlatRing(CSelvarinEffect& e, const FlatRing& ring, const Vec3& offset = Vec3{});

// The magic circle's shapes.
CEffectPrimitive* AddDisc(CSelvarinEffect& e, const char* texture, int32_t lifetime, float radius);
CEffectPrimitive* AddRisingRing(CSelvarinEffect& e, const char* texture);
CEffectPrimitive* AddSpreadingRing(CSelvarinEffect& e, const char* texture);
void AddCircleSparks(CSelvarinEffect& e, int count, const char* sprite);
// Light gathering's sparks, drawn in toward the owner.
void AddInwardSparks(CSelvarinEffect& e, int count, const char* sprite);
// The glow ring on the screen, fading in and out.
CEffectPrimitive* AddGlowRing(CSelvarinEffect& e, const char* texture);
// A screen ring spreading and fading from its start.
CEffectPrimitive* AddScreenPulse(CSelvarinEffect& e, const char* texture, int32_t lifetime, float fadeRate, float radius, float size,
                                 float radiusSpeed, float sizeSpeed);

// Sprites winding about the owner: count of them, evenly turned.
struct Spiral {
  const char* sprite;
  int count;
  int32_t lifetime;
  float radius, radiusSpeed, yawSpeed, riseSpeed, riseAccel, rise;  // rise: baseOffset.y
  float size;
  int32_t trail;
  int32_t turnFrame = -1;  // eventFrames[0]
};
void AddSpiral(CSelvarinEffect& e, const Spiral& spiral);

// Sprites rising from about the owner, spread within `spread`.
void AddRisingSprites(CSelvarinEffect& e, int count, const char* sprite, float spread, const Vec3& at = Vec3{});

// A crossed quad flown from `from` (relative to the owner) to the owner in
// `frames` ticks, its textures cycling.
CEffectPrimitive* AddShot(CSelvarinEffect& e, const Vec3& from, int32_t frames, const char* const* textures,
                          int textureCount, float width, float height);
// A crossed quad standing on `at` (relative to the owner), its textures
// cycling: a bolt.
CEffectPrimitive* AddBolt(CSelvarinEffect& e, const Vec3& at, int32_t lifetime, const char* const* textures,
                          int textureCount);
// A plane lying on the ground: FlatQuad's second and third axes are x and z.
Matrix GroundPlane();
// One sprite at `at` (relative to the owner).
CEffectPrimitive* AddSpriteAt(CSelvarinEffect& e, const char* sprite, const Vec3& at, int32_t lifetime, float size);

}  // namespace effect_shapes
