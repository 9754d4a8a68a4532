#include "ui/Draw2d.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/ActRes.h"
#include "engine/BitmapRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "render/RC.h"
#include "render/TextProbe.h"
#include "ui/SpriteFontTables.h"

Draw2dState g_draw2d;

namespace {
namespace draw2d {

constexpr uint32_t kWhite = 0xFFFFFFFF;

constexpr int kFontSpace = 5;
constexpr int kFontDigitStep = 6;
constexpr int kFontMinus = 129;
constexpr int kFontMinusDrop = 4;

// '0' to '9', then the minus sign.
constexpr int kBattleDigitWidth[10] = {17, 13, 16, 16, 18, 16, 16, 15, 16, 15};
constexpr int kBattleMinusWidth = 7;
constexpr int kBattleMinusMotion = 'a' - '0';
constexpr int kBattleDigitsAction = 12;
constexpr int kBattleStyledAction = 9;
constexpr int kBattleTrailAction = 2;

constexpr const char* kFontSpr = "system/font.spr";
constexpr const char* kBattleSpr = "system/battletext.spr";
constexpr const char* kBattleAct = "system/battletext.act";
constexpr const char* kSystemSpr = "system/system.spr";
constexpr const char* kCursorSpr = "system/cursors.spr";
constexpr const char* kCursorAct = "system/cursors.act";
constexpr const char* kFrameSpr = "system/dlgFrame.spr";
constexpr const char* kFrameAct = "system/dlgFrame.act";

template <class T>
const T* Res(const char* name) {
  return dynamic_cast<const T*>(CResMgr::GetInstance().GetRes(name));
}

// A sprite file with its animation file.
struct Animated {
  const CActRes* act;
  const CSprRes* spr;

  Animated(const char* actName, const char* sprName) : act(Res<CActRes>(actName)), spr(Res<CSprRes>(sprName)) {}
  void Draw(CRC* rc, int x, int y, int action, int motion, uint32_t color, bool blend = true) const {
    if (rc != nullptr) rc->DrawAction(x, y, act, spr, action, motion, 1.0f, 0, color, blend);
  }
};

// The decimal digits of a value, most significant first.
std::string Digits(int value) {
  const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
  return std::to_string(magnitude);
}

void DrawGlyphs(CRC* rc, int x, int y, const GlyphRun& run, const char* sprName) {
  const CSprRes* spr = Res<CSprRes>(sprName);
  if (rc == nullptr || spr == nullptr) return;
  for (const GlyphPlace& g : run.glyphs) rc->DrawSprite(x + g.x, y + g.y, spr, g.id, kWhite);
}

void DrawBattleRun(CRC* rc, int x, int y, const GlyphRun& run, int action) {
  const Animated digits(kBattleAct, kBattleSpr);
  for (const GlyphPlace& g : run.glyphs) digits.Draw(rc, x + g.x, y, action, g.id, kWhite);
}

// One row of a nine-piece frame: the left piece (`first`), `tiles` middle
// pieces and the right piece, `step` pixels apart.
void DrawPieceRow(CRC* rc, const Animated& frame, int action, int first, int x, int y, int tiles, int step,
                  uint32_t color, bool blend) {
  frame.Draw(rc, x, y, action, first, color, blend);
  for (int t = 1; t <= tiles; ++t) frame.Draw(rc, x + step * t, y, action, first + 1, color, blend);
  frame.Draw(rc, x + step * (std::max(tiles, 0) + 1), y, action, first + 2, color, blend);
}

// Which middle rows of a frame get their pieces.
using RowFilter = bool (*)(int row, int rows, int bottomRows, int mode);
bool EveryRow(int, int, int, int) { return true; }

struct FrameShape {
  int action;
  int step;       // piece width
  int bottomGap;  // the bottom row's distance below the last middle row
};

void DrawNinePiece(CRC* rc, const Animated& frame, const FrameShape& shape, int x, int y, int tiles, int rows,
                   uint32_t color, bool blend, RowFilter filter = EveryRow, int bottomRows = 0, int mode = 0) {
  constexpr int kRowStep = 20;
  DrawPieceRow(rc, frame, shape.action, 0, x, y, tiles, shape.step, color, blend);
  for (int r = 0; r < rows; ++r) {
    if (filter(r, rows, bottomRows, mode)) {
      DrawPieceRow(rc, frame, shape.action, 3, x, y + kRowStep * (r + 1), tiles, shape.step, color, blend);
    }
  }
  const int bottom = y + kRowStep * std::max(rows, 0) + shape.bottomGap;
  DrawPieceRow(rc, frame, shape.action, 6, x, bottom, tiles, shape.step, color, blend);
}

// `width` is twice the distance from x to the frame's middle: the pieces
// sit half a large tile, or a whole small one, left of x.
void DrawTitleGlow(CRC* rc, const Animated& frame, int x, int y, int width) {
  constexpr int kGlowAction = 13;
  const auto alpha = static_cast<uint32_t>(TitleGlowAlpha(platform::NowMs() - g_draw2d.dialogOpenedMs));
  frame.Draw(rc, x + width / 2 + 15, y - 33, kGlowAction, 0, alpha << 24 | 0xFFFFFF);
}

// The small frames: 20-pixel pieces, the bottom row a row below the last.
constexpr FrameShape SmallShape(int action) { return FrameShape{action, 20, 20}; }

}  // namespace draw2d
}  // namespace

FontMetrics FontGlyphMetrics(int id) {
  if (id < 0 || id >= kFontGlyphCount) return {};
  return FontMetrics{kSpriteFontAdvance[id], kSpriteFontOffset[id]};
}

int FontGlyphOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 55;
  if (c >= 'a' && c <= 'z') return c - 61;
  switch (c) {
    case '/': return 124;
    case '%': return 125;
    case '.': return 126;
    case '(': return 127;
    case ')': return 128;
    case '-': return 129;
    case '+': return 130;
    default: return -1;
  }
}

GlyphRun LayOutFontText(const char* text, int bank) {
  GlyphRun run;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    if (*p == ' ') {
      run.end += draw2d::kFontSpace;
      continue;
    }
    int id = FontGlyphOf(*p);
    if (id < 0) continue;
    if (bank != 0 && id < kFontBankSize) id += kFontBankSize;
    const FontMetrics m = FontGlyphMetrics(id);
    run.glyphs.push_back(GlyphPlace{id, run.end, m.offset - 11});
    run.end += m.advance;
  }
  return run;
}

GlyphRun LayOutFontNumber(int value, int bank) {
  GlyphRun run;
  // Digits stand on the line as the font's texts do, so a number sits
  // beside its label.
  const int top = FontGlyphMetrics(0).offset - 11;
  if (value < 0) {
    run.glyphs.push_back(GlyphPlace{draw2d::kFontMinus, 0, top + draw2d::kFontMinusDrop});
    run.end += draw2d::kFontDigitStep;
  }
  for (char d : draw2d::Digits(value)) {
    run.glyphs.push_back(GlyphPlace{d - '0' + kFontBankSize * bank, run.end, top});
    run.end += draw2d::kFontDigitStep;
  }
  return run;
}

GlyphRun LayOutBattleNumber(int value, int trim) {
  GlyphRun run;
  if (value < 0) {
    run.glyphs.push_back(GlyphPlace{draw2d::kBattleMinusMotion, 0, 0});
    run.end += draw2d::kBattleMinusWidth - trim;
  }
  for (char d : draw2d::Digits(value)) {
    run.glyphs.push_back(GlyphPlace{d - '0', run.end, 0});
    run.end += draw2d::kBattleDigitWidth[d - '0'] - trim;
  }
  return run;
}

GlyphRun LayOutSystemNumber(const char* text, int bank) {
  GlyphRun run;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      run.glyphs.push_back(GlyphPlace{c - '0' + 10 * bank, run.end, 0});
      run.end += 8;
    } else if (c == '!' || c == '%' || c == '.' || c == '-') {
      const int id = c == '.' ? 55 : c == '-' ? 56 : 54;
      run.glyphs.push_back(GlyphPlace{id, run.end, 0});
      run.end += 7;
    } else if (c == '/') {
      run.glyphs.push_back(GlyphPlace{57, run.end, 0});
      run.end += 8;
    } else if (c == ' ') {
      run.end += 7;
    }
  }
  return run;
}

int DrawFontText(CRC* rc, int x, int y, const char* text, int bank) {
  const TextProbeScope probe(text);
  const GlyphRun run = LayOutFontText(text, bank);
  draw2d::DrawGlyphs(rc, x, y, run, draw2d::kFontSpr);
  return x + run.end;
}

int FontTextWidth(const char* text) { return LayOutFontText(text, 0).end; }

int DrawFontTextRight(CRC* rc, int rightX, int y, const char* text, int bank) {
  return DrawFontText(rc, rightX - FontTextWidth(text), y, text, bank);
}

void DrawFontNumber(CRC* rc, int x, int y, int value, int bank) {
  const TextProbeScope probe(std::to_string(value).c_str());
  draw2d::DrawGlyphs(rc, x, y, LayOutFontNumber(value, bank), draw2d::kFontSpr);
}

// The minus sign counts as a digit, so the last digit ends at rightX.
void DrawFontNumberRight(CRC* rc, int rightX, int y, int value, int bank) {
  DrawFontNumber(rc, rightX - LayOutFontNumber(value, bank).end, y, value, bank);
}

void DrawBattleNumber(CRC* rc, int x, int y, int value) {
  const TextProbeScope probe(std::to_string(value).c_str());
  const GlyphRun run = LayOutBattleNumber(value, 2);
  draw2d::DrawBattleRun(rc, x, y, run, draw2d::kBattleDigitsAction);
  draw2d::Animated(draw2d::kBattleAct, draw2d::kBattleSpr).Draw(rc, x + run.end + 5, y, draw2d::kBattleTrailAction, 0, draw2d::kWhite);
}

void DrawBattleNumberStyled(CRC* rc, int x, int y, int value, int style) {
  const TextProbeScope probe(std::to_string(value).c_str());
  draw2d::DrawBattleRun(rc, x, y, LayOutBattleNumber(value, 5), draw2d::kBattleStyledAction + style);
}

void DrawBattleNumberAligned(CRC* rc, int rightX, int y, int value, int style) {
  DrawBattleNumberStyled(rc, rightX - LayOutBattleNumber(value, 5).end, y, value, style);
}

void DrawSystemNumber(CRC* rc, int x, int y, const char* text, int bank) {
  const CSprRes* spr = draw2d::Res<CSprRes>(draw2d::kSystemSpr);
  if (rc == nullptr || spr == nullptr) return;
  const TextProbeScope probe(text);
  for (const GlyphPlace& g : LayOutSystemNumber(text, bank).glyphs) {
    const SprImage* image = spr->GetImage(g.id);
    const int height = image != nullptr ? image->height : 0;
    rc->DrawSprite(x + g.x, y - height, spr, g.id, draw2d::kWhite);
  }
}

void DrawSystemNumberRight(CRC* rc, int rightX, int y, const char* text, int bank) {
  int width = 0;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    if ((*p >= '0' && *p <= '9') || *p == '%' || *p == '.') {
      width += 8;
    } else if (*p == '/') {
      width += 9;
    }
  }
  DrawSystemNumber(rc, rightX - width, y, text, bank);
}

void DrawBitmapFontText(CRC* rc, int x, int y, const char* text, uint32_t color) {
  if (text == nullptr || *text == '\0') return;
  const TextProbeScope probe(text);
  const std::string folder = "userinterface/font/";
  if (text[0] == '&') {
    DrawBitmap(rc, x, y, (folder + (text + 1)).c_str(), 0, color);
    return;
  }
  char name[64];
  std::snprintf(name, sizeof name, "userinterface/font/big_%c.bmp", text[0]);
  DrawBitmap(rc, x, y, name, 0, color);
  x += 52;
  for (const char* p = text + 1; *p != '\0'; ++p) {
    if (*p == ' ') {
      x += 10;
      continue;
    }
    std::snprintf(name, sizeof name, "userinterface/font/small_%c.bmp", *p);
    DrawBitmap(rc, x, y, name, 0, color);
    x += 15;
  }
}

void DrawSpinningCursor(CRC* rc, int x, int y) {
  constexpr int kMarker = 7;
  struct Copy {
    int turn;
    uint32_t color;
  };
  constexpr Copy kCopies[] = {{0, draw2d::kWhite},          {20, 0xFFFFEEEE}, {40, 0xFFFFDDDD},
                              {60, 0xFFFFCCCC},     {80, 0xFFFFBBBB}, {100, 0xFFEEAAAA}};
  g_draw2d.cursorAngle += 2;
  if (g_draw2d.cursorAngle > 360) g_draw2d.cursorAngle -= 360;
  const CSprRes* spr = draw2d::Res<CSprRes>(draw2d::kCursorSpr);
  if (rc == nullptr || spr == nullptr) return;
  for (const Copy& c : kCopies) {
    rc->DrawSprImage(x, y, spr->GetImage(kMarker), 1.0f, g_draw2d.cursorAngle + c.turn, c.color, true);
  }
}

void DrawPointerCursor(CRC* rc, int x, int y) {
  constexpr int kPointer = 2;
  const draw2d::Animated cursors(draw2d::kCursorAct, draw2d::kCursorSpr);
  const ActAction* action = cursors.act != nullptr ? cursors.act->GetAction(kPointer) : nullptr;
  const int motions = action != nullptr ? static_cast<int>(action->motions.size()) : 0;
  if (g_draw2d.pointerMotion >= motions) g_draw2d.pointerMotion = 0;
  if (motions > 0) cursors.Draw(rc, x, y, kPointer, g_draw2d.pointerMotion, draw2d::kWhite);
  ++g_draw2d.pointerMotion;
}

void DrawDialogFrameLarge(CRC* rc, int x, int y, int tiles, int rows, int style, uint32_t color) {
  const draw2d::Animated frame(draw2d::kFrameAct, draw2d::kFrameSpr);
  draw2d::DrawNinePiece(rc, frame, draw2d::FrameShape{style, 40, 3}, x, y, tiles, rows, color, true);
  if (style == 2) draw2d::DrawTitleGlow(rc, frame, x, y, 40 * (tiles + 1));
}

void DrawDialogFrameStrip(CRC* rc, int x, int y, int tiles, int style, uint32_t color) {
  const draw2d::Animated frame(draw2d::kFrameAct, draw2d::kFrameSpr);
  draw2d::DrawPieceRow(rc, frame, style, 0, x, y, tiles, 40, color, true);
  draw2d::DrawPieceRow(rc, frame, style, 6, x, y + 16, tiles, 40, color, true);
}

namespace {
namespace draw2d {
constexpr int kSmallFrameAction = 7;

void DrawCornerOrnament(CRC* rc, const Animated& frame, int x, int y, uint32_t color, bool blend) {
  constexpr int kOrnamentAction = 3, kOrnamentMotion = 9;
  frame.Draw(rc, x, y, kOrnamentAction, kOrnamentMotion, color, blend);
}
}  // namespace draw2d
}  // namespace

void DrawDialogFrame(CRC* rc, int x, int y, int tiles, int rows, int type, uint32_t color, bool blend) {
  const int action = type <= 1 ? draw2d::kSmallFrameAction : type + 6;
  const draw2d::Animated frame(draw2d::kFrameAct, draw2d::kFrameSpr);
  draw2d::DrawNinePiece(rc, frame, draw2d::SmallShape(action), x, y, tiles, rows, color, blend);
  if (type == 0) draw2d::DrawCornerOrnament(rc, frame, x, y, color, blend);
  if (type == 3) draw2d::DrawTitleGlow(rc, frame, x, y, 20 * tiles);
}

void DrawDialogFrameSmall(CRC* rc, int x, int y, int tiles, int rows, uint32_t color) {
  const draw2d::Animated frame(draw2d::kFrameAct, draw2d::kFrameSpr);
  draw2d::DrawNinePiece(rc, frame, draw2d::SmallShape(draw2d::kSmallFrameAction), x, y, tiles, rows, color, false);
  draw2d::DrawCornerOrnament(rc, frame, x, y, color, false);
}

void DrawListFrame(CRC* rc, int x, int y, int tiles, int rows, int separatorMode, int bottomRows,
                   uint32_t color) {
  // Without a separator every row has its pieces; with one, only the last
  // rows (and, in mode 2, the first: the title's row, above the inner
  // frame's) do: the inner frame covers the rest.
  const draw2d::RowFilter filter = [](int row, int rowCount, int bottom, int mode) {
    return mode == 0 || row >= rowCount - bottom || (mode == 2 && row == 0);
  };
  const draw2d::Animated frame(draw2d::kFrameAct, draw2d::kFrameSpr);
  draw2d::DrawNinePiece(rc, frame, draw2d::SmallShape(7), x, y, tiles, rows, color, true, filter, bottomRows, separatorMode);
  if (separatorMode == 0) return;
  const int top = separatorMode == 2 ? 40 : 20;
  const int shorter = (separatorMode == 2 ? 3 : 2) + bottomRows;
  draw2d::DrawNinePiece(rc, frame, draw2d::SmallShape(10), x + 10, y + top, tiles - 1, rows - shorter, 0xEEFFFFFF, true);
}

void DrawInnerFrame(CRC* rc, int x, int y, int tiles, int rows, uint32_t color) {
  draw2d::DrawNinePiece(rc, draw2d::Animated(draw2d::kFrameAct, draw2d::kFrameSpr), draw2d::SmallShape(10), x, y, tiles, rows, color, true);
}

void DrawBar(CRC* rc, int x, int y, int tiles, uint32_t color) {
  // `tiles` pieces in all: the two ends and those between.
  draw2d::DrawPieceRow(rc, draw2d::Animated(draw2d::kFrameAct, draw2d::kFrameSpr), 11, 0, x, y, tiles - 2, 20, color, true);
}

void DrawBitmap(CRC* rc, int x, int y, const char* name, int flag, uint32_t color) {
  const auto* bitmap = name != nullptr ? draw2d::Res<CBitmapRes>(name) : nullptr;
  if (bitmap == nullptr || bitmap->GetRows().empty()) {
    DebugLogf("DrawBitmap : bitmap %s not found", name != nullptr ? name : "(null)");
    return;
  }
  if (rc == nullptr) return;
  if (color == 0xFFFFFF) {
    rc->DrawRleImage(x, y, bitmap, flag);
  } else {
    rc->DrawRleImageAlpha(x, y, bitmap, color, flag);
  }
}

void StampDialogOpening() { g_draw2d.dialogOpenedMs = platform::NowMs(); }

int TitleGlowAlpha(uint32_t elapsedMs) {
  return static_cast<int>(std::min<uint64_t>(204, uint64_t{elapsedMs} * 204 / 500));
}
