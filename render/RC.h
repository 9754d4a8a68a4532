#pragma once
// The render context: the one object through which a frame is cleared,
// begun, drawn, ended and shown, and through which 2-D pixel work reaches
// the back buffer. The display device makes it (C3dDevice::GetRC) and picks
// the concrete class by the back buffer's pixel layout.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/Device3D.h"
#include "platform/Result.h"
#include "platform/Surface.h"
#include "render/DrawQueues.h"

class CBitmapRes;
class CSprRes;  // sprite drawing
class CActRes;

// Video options copied from the settings at start-up: texture batches are
// drawn farthest first, fog is drawn at all.
extern int32_t g_zBufferSort;
extern int32_t g_wFogRender;

// Depth z of a vertex from its reciprocal w: w from 9.9999 to 1000 maps onto
// 0..1; nearer vertices get 10 and farther ones 1000, outside the device's
// range.
float DepthFromRhw(float rhw);

class CRC {
 public:
  CRC();
  virtual ~CRC();
  CRC(const CRC&) = delete;
  CRC& operator=(const CRC&) = delete;

  // The pixel routines of one 16-bit layout.
  virtual bool SaveScreenshot(const char* fileName) = 0;
  virtual void DrawRleImage(int x, int y, const CBitmapRes* image, int scale) = 0;
  virtual void DrawRleImageAlpha(int x, int y, const CBitmapRes* image, uint32_t color,
                                 int scale) = 0;
  virtual bool SaveThumbnail(const char* fileName) = 0;
  virtual bool LoadThumbnail(int x, int y, const char* fileName) = 0;
  virtual void DrawJamoGlyph(int x, int y, int index, int red, int green, int blue,
                             bool lowerBandOnly) = 0;
  virtual void DrawHangulGlyph(int x, int y, int index, int red, int green, int blue,
                               bool lowerBandOnly) = 0;
  virtual void DrawHanjaGlyph(int x, int y, int index, int red, int green, int blue,
                              bool lowerBandOnly) = 0;
  virtual void DrawAsciiGlyph(int x, int y, int index, int red, int green, int blue,
                              bool lowerBandOnly) = 0;
  virtual void DrawJamoGlyph2(int x, int y, int index, int red, int green, int blue,
                              bool lowerBandOnly) = 0;
  virtual void DrawHangulGlyph2(int x, int y, int index, int red, int green, int blue,
                                bool lowerBandOnly) = 0;
  virtual void DrawHanjaGlyph2(int x, int y, int index, int red, int green, int blue,
                               bool lowerBandOnly) = 0;
  virtual void DrawAsciiGlyph2(int x, int y, int index, int red, int green, int blue,
                               bool lowerBandOnly) = 0;

  // The view size, the projection constants and the clip rectangle.
  void SetViewSize(int width, int height);
  void SetDevice(platform::Device3D* device) { m_device = device; }
  int32_t ViewWidth() const { return m_width; }
  int32_t ViewHeight() const { return m_height; }
  platform::Device3D* Device() const { return m_device; }

  void SetFog(bool on);
  void ApplyFog();

  // all: colour and depth; else depth only.
  void Clear(bool all);
  // False when the scene cannot begin: the caller skips drawing and EndScene.
  bool BeginScene();
  // Discards whatever is still queued.
  platform::Result EndScene();
  platform::Result Flip();
  // A black veil of the given opacity (0..1) over the view; nothing shown.
  void FadeScreen(float alpha);
  void ClearQueues();

  // An untextured rectangle, color1 on the left edge, color2 on the right.
  void FillRect(const platform::Rect& rect, uint32_t color1, uint32_t color2);

  // Pixel work on the back buffer happens between these two.
  bool LockBackBuffer();
  void UnlockBackBuffer();
  // Saved rectangles hold their rows bottom first; what lies outside the
  // surface is neither read nor written.
  void SaveRect(int slot, int left, int top, int right, int bottom);
  void RestoreRect(int slot, int left, int top, int right, int bottom);
  void FreeSavedRects();

  // Program-wide, shared by every context.
  static uint16_t* s_pixels;  // pixel (x, y) is s_pixels[y * s_pitch + x]
  static int32_t s_pitch;     // in pixels
  static int32_t s_locked;
  static int32_t s_primitiveCount;  // triangles and quads drawn since the last flip
  static FogSettings s_fogSettings;
  static int32_t s_fogOn;

  using RowList = std::vector<std::vector<uint16_t>>;
  template <class Record>
  using TextureQueue = std::map<CTexture*, std::vector<Record>, TextureOrder>;

  float m_focalX = 0, m_focalY = 0;
  float m_cotX = 0, m_cotY = 0;
  float m_aspect = 0;  // height / width
  int32_t m_width = 0, m_height = 0;
  int32_t m_halfWidth = 0, m_halfHeight = 0;
  int32_t m_centerX = 0, m_horizonY = 0;
  int32_t m_frameCount = 0;
  float m_cameraPitch = 0.0f, m_cameraDistance = 0.0f;  // the 3-D view's, as it last drew
  int32_t m_fogDirty = 0;
  RowList m_thumbnailRows;  // 180 rows of 220 pixels after a capture, bottom first
  platform::Device3D* m_device = nullptr;      // the display device's
  platform::Surface* m_backBuffer = nullptr;   // taken anew by every lock

  TextureQueue<QueuedTriangleEx> m_alphaTestTris;
  TextureQueue<QueuedTriangle> m_blendTris;
  TextureQueue<QueuedTriangle> m_additiveTexTris;
  TextureQueue<QueuedTriangle> m_blendTestedTris;
  std::vector<std::unique_ptr<QueuedColorTriangle>> m_additiveUntexTris;
  TextureQueue<QueuedTriangle> m_zLessTris;
  TextureQueue<QueuedTriangle> m_noDepthTris;
  TextureQueue<QueuedTriangle> m_zLessEqualTris;
  std::vector<QueuedEffectQuad> m_effectQuads;
  std::vector<QueuedImageQuad> m_quads;
  std::vector<QueuedQuad> m_quadsA;
  std::vector<QueuedDecalQuad> m_quadsB;
  std::vector<QueuedSpriteQuad> m_spriteQuads;
  std::vector<QueuedDecalQuad> m_overlayQuads;

  std::array<RowList, 4> m_savedRects;

  // Clips the copy runs of the run-coded images when enabled; the context
  // itself never enables it.
  int32_t m_clipLeft = 0, m_clipTop = 0, m_clipRight = 0, m_clipBottom = 0;
  int32_t m_clipEnabled = 0;

 private:
  void ApplyFogForCaps(uint32_t rasterCaps);
  platform::Rect LockedRect(int left, int top, int right, int bottom) const;

  // ---- Sprite, action and screen-space drawing (RCSprite.cpp, RCScreen.cpp) ----
  // Each draws at once, inside a scene, counts one primitive and puts back
  // the resting states (ALPHAREF 240, depth as the device has it).
 public:
  // A palette image with its top-left corner at (x, y); a non-zero angle
  // (degrees) turns it about its centre, which then lies at (x, y).
  void DrawSprImage(int x, int y, const SprImage* image, float scale, int angle, uint32_t color,
                    bool depthWrite);
  // Corners in strip order: top-left, top-right, bottom-left, bottom-right.
  void DrawSprImageQuad(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
                        const SprImage* image, uint32_t color, bool depthWrite);
  // The same for the alpha textures of true-colour images.
  void DrawAlphaImage(int x, int y, CTexture* texture, float scale, int angle, uint32_t color);
  void DrawAlphaImageQuad(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
                          CTexture* texture, uint32_t color);
  // Palette image spriteId, unscaled and upright. An id outside the sprite is
  // logged and draws nothing; no failure reaches the caller.
  platform::Result DrawSprite(int x, int y, const CSprRes* sprites, int spriteId, uint32_t color);
  // Every layer of one motion, later layers over earlier ones, each layer's
  // colour times `color`. Ids outside the tables are logged; nothing drawn.
  void DrawAction(int x, int y, const CActRes* actions, const CSprRes* sprites, int actId, int motId,
                  float scale, int angle, uint32_t color, bool depthWrite);

  // layout: 0 to 3 a quarter of the view (top-left, top-right, bottom-left,
  // bottom-right), 4 the whole view; any other value the top-left quarter.
  void DrawScreenTexture(CTexture* texture, int layout);
  // Repeats other than 1 switch stage 0 to mirrored addressing, and leave it so.
  void DrawQuad(const platform::Rect& rect, CTexture* texture, float alpha, uint32_t rgb,
                int uRepeat, int vRepeat);
  // A 320 x 240 movie frame held in two 256 x 256 decals, side by side.
  void DrawSplitQuad(const platform::Rect& rect, CDecal* leftHalf, CDecal* rightHalf, uint32_t color);
  void DrawRectOutline(const platform::Rect& rect, uint32_t color);
  void DrawLine(int x0, int y0, int x1, int y1, uint32_t color);
  // Three vertices as the caller made them, drawn without a texture.
  void DrawTriangle(const platform::TexturedVertex* vertices);
  // The sky: a picture spanning 360 degrees of yaw and 180 of pitch.
  void DrawScrollingTexture(float yaw, float pitch, CTexture* texture);

 private:
  void DrawImageStrip(const platform::TexturedVertex* strip, bool depthWrite, bool setDepthWrite);
  void BeginScreenDraw(const platform::Surface* texture);
  void EndScreenDraw();

  // ---- Text and the thumbnail capture (RCText.cpp, PixelRC.cpp) ----
 public:
  // Code page 949 text with its colour codes, the first glyph's top-left
  // corner at (x, y). lowerBandOnly keeps to the dialogue band at the bottom
  // of the view. The back buffer must be locked. Always false.
  bool DrawText(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue);
  // The same through the second glyph slots: Korean and ASCII glyphs in the
  // inverted colour, jamo in the colour given.
  bool DrawText2(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue);
  // DrawText2 ending at x.
  void DrawText2Right(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue);
  // The layout width in pixels; "<%" and "%>" count though they draw nothing.
  int GetTextWidth(const char* text);
  // Keeps a 220 x 180 copy of the whole back buffer for the next save.
  platform::Result CaptureThumbnail();

 private:
  bool LayOutText(int x, int y, const char* text, bool lowerBandOnly, int red, int green, int blue,
                  bool second);

  // ---- The batched 3-D passes (RCTexturePasses.cpp, RCTrianglePasses.cpp,
  // RCQuadPasses.cpp) ----
  // The game view calls them in this order, after the ground. Each sets its
  // states, draws its queue, leaves it empty and puts back the states it
  // changed to their resting values (ALPHAREF 240, ZFUNC LESSEQUAL, blend
  // SRCALPHA / INVSRCALPHA, stage-0 MODULATE); alpha test, depth write and
  // the filters stay as it left them. A record whose texture, decal or image
  // cannot be drawn is dropped uncounted.
 public:
  // 1, 2: the batches of the ordinary texture list: textures without
  // transparent texels, then those with them.
  void DrawOpaqueTextureBatches();
  void DrawAlphaTextureBatches();
  // 3: the batches of the flagged texture list, alpha-tested at 1, not at 240.
  void DrawFlaggedTextureBatches(bool depthWrite);
  void FlushQuads();           // 4: m_quads
  void FlushTrisZLess();       // 5: m_zLessTris
  void FlushEffectQuads();     // 6: m_effectQuads, silhouettes among them
  void FlushAlphaTestTris();   // 7: m_alphaTestTris
  void FlushQuadsA();          // 8: m_quadsA
  void FlushQuadsB();          // 9: m_quadsB
  void FlushSpriteQuads();     // 10: m_spriteQuads
  void FlushBlendTris();       // 11: m_blendTris
  void FlushBlendTrisTested(); // 12: m_blendTestedTris
  // 13: m_additiveUntexTris without a texture, then m_additiveTexTris, added
  // onto what lies at exactly their depth.
  void FlushAdditiveTris();
  // 14, 15: every texture's triangles together, farthest first.
  void FlushTrisZLessEqual();
  void FlushTrisNoDepthTest();
  void FlushOverlayQuads();    // 16: m_overlayQuads, in queue order

 private:
  void DrawTextureBatchPass(int alphaPass);
};

// The pixel routines, and the contexts of the two 16-bit layouts.
#include "render/PixelRC.h"
