#pragma once
// The display's side of sprite images: a decal for each palette image and an
// alpha texture for each true-colour image, made while the sprite loads. With
// the single-decal switch on, palette images get no decal of their own: they
// are copied into the shared decal when drawn.
#include "engine/SprRes.h"

class CDecal;
class CTexture;

// The 256 x 256 decal that every sprite image shares when the single-decal
// switch is on; start-up creates it and shutdown releases it.
extern CDecal g_sharedDecal;

// Added to the texel coordinates of sprite images: 0.5 or 0 (the
// "TexelShift" setting).
extern float g_texelShift;

// Null when the image has none (single-decal images, or a failed creation).
CDecal* GetImageDecal(const SprImage& image);
CTexture* GetImageTexture(const SprArgbImage& image);

// The decal that draws the image: the shared decal, refilled with the image's
// pixels, or the image's own. Null when there is none.
CDecal* PrepareImageDecal(const SprImage& image);
