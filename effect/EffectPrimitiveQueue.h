#pragma once
// Where effect primitives queue their geometry on the render context. The
// triangle queues of the texture batches are drawn before effects render,
// so effect triangles go to the depth-sorted queues drawn over the scene.
#include <cstdint>
#include <vector>

#include "render/DrawQueues.h"

class CRC;
class CSprRes;
class CTexture;
struct ActLayer;

enum class EffectQueue {
  NoDepthTris,        // depth-sorted, over the scene
  ZLessEqualTris,     // depth-sorted and depth-tested: flat rings hide behind what stands on them
  PaletteSprites,     // the sprite queue
  TrueColourSprites,  // the texture quads
};

// Flag 0x20000 of a primitive: its triangles are depth-tested.
inline constexpr int32_t kDepthTestedFlag = 0x20000;

// The one place that decides; `imageKind` is the layer's (0 palette) and
// unused for triangles.
EffectQueue ChooseEffectQueue(int32_t primitiveFlags, bool triangle, int32_t imageKind = 0);

// The list a primitive's triangles of the texture go to.
std::vector<QueuedTriangle>& EffectTriangleList(CRC& rc, int32_t primitiveFlags, CTexture* texture);
// A triangle of a primitive; a null texture (a file that did not load)
// queues nothing.
void QueueEffectTriangle(CRC& rc, int32_t primitiveFlags, CTexture* texture, const QueuedTriangle& triangle);

// Where one sprite layer is put: the projected anchor, the size factor of
// the sprite's pixels, the two reciprocal depths, angle and colour.
struct SpriteLayerPlacement {
  float x, y;
  float scale;
  float rhwBottom, rhwTop;
  int32_t angle;
  uint32_t colour;
};
void QueueEffectSpriteLayer(CRC& rc, int32_t primitiveFlags, const CSprRes& sprites, const ActLayer& layer,
                            const SpriteLayerPlacement& at);
