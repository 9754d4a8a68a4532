#pragma once
// The 2-D furniture of every screen: text in the sprite font, numbers in
// three digit styles, the bitmap fonts, the cursors, nine-piece dialog
// frames and named bitmaps. Resources are fetched by name on every call, so
// nothing is cached here. The sprite helpers draw inside a scene;
// DrawBitmap and DrawBitmapFontText draw into the locked back buffer. A
// missing resource draws nothing.
#include <cstdint>
#include <vector>

#include "ui/SpriteFontTables.h"

class CRC;

inline constexpr int kFontBankSize = 62;  // ids 0-61, the second bank 62-123

// One glyph of laid-out text or number: its id (glyph, or motion of a digit
// action) and its offset from the start point.
struct GlyphPlace {
  int id = 0;
  int x = 0;
  int y = 0;
};
struct GlyphRun {
  std::vector<GlyphPlace> glyphs;
  int end = 0;  // the x offset past the last glyph
};

struct FontMetrics {
  int advance = 0;
  int offset = 0;  // drawn at y + offset - 11
};
// Zero outside ids 0-130.
FontMetrics FontGlyphMetrics(int id);
// The sprite font's glyph of a character; -1 for a character it lacks.
int FontGlyphOf(char c);

// The layouts the draw helpers below follow.
GlyphRun LayOutFontText(const char* text, int bank);
GlyphRun LayOutFontNumber(int value, int bank);
// Motions of a battle-digit action; each digit advances its width less
// `trim` (2 for DrawBattleNumber, 5 for the styled forms).
GlyphRun LayOutBattleNumber(int value, int trim);
// Sprite ids of "system/system.spr"; y is left 0 (the draw aligns bottoms).
GlyphRun LayOutSystemNumber(const char* text, int bank);

// Returns the x past the end of the text.
int DrawFontText(CRC* rc, int x, int y, const char* text, int bank);
int FontTextWidth(const char* text);
int DrawFontTextRight(CRC* rc, int rightX, int y, const char* text, int bank);
void DrawFontNumber(CRC* rc, int x, int y, int value, int bank);
void DrawFontNumberRight(CRC* rc, int rightX, int y, int value, int bank);

void DrawBattleNumber(CRC* rc, int x, int y, int value);
void DrawBattleNumberStyled(CRC* rc, int x, int y, int value, int style);
void DrawBattleNumberAligned(CRC* rc, int rightX, int y, int value, int style);

void DrawSystemNumber(CRC* rc, int x, int y, const char* text, int bank);
void DrawSystemNumberRight(CRC* rc, int rightX, int y, const char* text, int bank);

void DrawBitmapFontText(CRC* rc, int x, int y, const char* text, uint32_t color);

// The rotating marker that says more text follows.
void DrawSpinningCursor(CRC* rc, int x, int y);
// The animated selection pointer.
void DrawPointerCursor(CRC* rc, int x, int y);

// Nine-piece frames of "system/dlgFrame.spr": 40-pixel pieces for the large
// frame and the strip, 20-pixel pieces for the others.
void DrawDialogFrameLarge(CRC* rc, int x, int y, int tiles, int rows, int style, uint32_t color);
void DrawDialogFrameStrip(CRC* rc, int x, int y, int tiles, int style, uint32_t color);
void DrawDialogFrame(CRC* rc, int x, int y, int tiles, int rows, int type, uint32_t color, bool blend);
// The menu frame of the title and the battle screens: 20-pixel pieces with the
// corner ornament, drawn solid.
void DrawDialogFrameSmall(CRC* rc, int x, int y, int tiles, int rows, uint32_t color = 0xFFFFFFFF);
void DrawListFrame(CRC* rc, int x, int y, int tiles, int rows, int separatorMode, int bottomRows,
                   uint32_t color);
void DrawInnerFrame(CRC* rc, int x, int y, int tiles, int rows, uint32_t color);
// The highlight bar; list boxes draw theirs stronger than the default.
void DrawBar(CRC* rc, int x, int y, int tiles, uint32_t color = 0x55FFFFFF);

// 0xFFFFFF draws the bitmap as it is, any other colour tints it; the flag
// is the drawing's scale.
void DrawBitmap(CRC* rc, int x, int y, const char* name, int flag, uint32_t color);

// The state the helpers share between calls: the spinning cursor's angle,
// the pointer's motion and when the current dialog opened (its title glow
// brightens from then on).
struct Draw2dState {
  int32_t cursorAngle = 0;
  int32_t pointerMotion = 0;
  uint32_t dialogOpenedMs = 0;
};
extern Draw2dState g_draw2d;
// A dialog that opens stamps the time its title glow counts from.
void StampDialogOpening();
// The glow's alpha `elapsedMs` after the dialog opened: up to 204 at 500 ms.
int TitleGlowAlpha(uint32_t elapsedMs);
