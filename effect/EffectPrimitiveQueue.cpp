#include "effect/EffectPrimitiveQueue.h"

#include "engine/ActRes.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "render/SprDevice.h"

// True-colour layers share the texture quads' pass with the decal quads;
// the depth flag changes nothing for sprites.
EffectQueue ChooseEffectQueue(int32_t primitiveFlags, bool triangle, int32_t imageKind) {
  if (triangle) {
    return (primitiveFlags & kDepthTestedFlag) != 0 ? EffectQueue::ZLessEqualTris : EffectQueue::NoDepthTris;
  }
  return imageKind == 0 ? EffectQueue::PaletteSprites : EffectQueue::TrueColourSprites;
}

std::vector<QueuedTriangle>& EffectTriangleList(CRC& rc, int32_t primitiveFlags, CTexture* texture) {
  return ChooseEffectQueue(primitiveFlags, true) == EffectQueue::ZLessEqualTris ? rc.m_zLessEqualTris[texture]
                                                                                 : rc.m_noDepthTris[texture];
}

void QueueEffectTriangle(CRC& rc, int32_t primitiveFlags, CTexture* texture, const QueuedTriangle& triangle) {
  if (texture != nullptr) EffectTriangleList(rc, primitiveFlags, texture).push_back(triangle);
}

// The rectangle as the sprite actor lays its layers: mirrored about the
// anchor as stored, the mirror flag turning it back.
void QueueEffectSpriteLayer(CRC& rc, int32_t primitiveFlags, const CSprRes& sprites, const ActLayer& layer,
                            const SpriteLayerPlacement& at) {
  int32_t width = 0;
  int32_t height = 0;
  if (!sprites.GetImageSize(layer.kind, layer.sprite, &width, &height)) return;
  const float ox = static_cast<float>(layer.x), oy = static_cast<float>(layer.y);
  const float top = at.y + at.scale * oy;
  const float bottom = at.y + at.scale * (oy + static_cast<float>(height));
  const float outer = at.x - at.scale * (ox + static_cast<float>(width));
  const float inner = at.x - at.scale * ox;
  const float left = layer.mirror != 0 ? outer : inner;
  const float right = layer.mirror != 0 ? inner : outer;
  if (ChooseEffectQueue(primitiveFlags, false, layer.kind) == EffectQueue::PaletteSprites) {
    const SprImage* image = sprites.GetImage(layer.sprite);
    if (image == nullptr) return;
    rc.m_spriteQuads.push_back({top, left, bottom, right, at.rhwBottom, at.rhwTop, at.angle, at.colour, image});
    return;
  }
  const SprArgbImage* image = sprites.GetArgbImage(layer.sprite);
  CTexture* texture = image != nullptr ? GetImageTexture(*image) : nullptr;
  if (texture == nullptr) return;
  rc.m_quadsA.push_back({top, left, bottom, right, at.rhwBottom, at.angle, at.colour, texture});
}
