#pragma once
// The frame "title": the title picture with a three-entry menu (new game,
// load game, leave the program), its logos fading in, the copyright strip
// and the version caption. Load game opens the load screen inside this
// frame. It reaches up into the session and the user interface, so it
// lives with the screens rather than with the field game.
#include <cstdint>

#include "render/3dFrame.h"

class UIDesktop;

// Paces held cursor keys in the menus.
extern int32_t g_menuRepeatCount;

class CTitleFrame : public C3dFrame {
  SLV_OBJECT(CTitleFrame)
 public:
  ~CTitleFrame() override;
  void Init() override;
  // Draws every pass, without the frame clock.
  void Run() override;
  void Exit() override;
  void RunTitlePass();

  // Hot areas of the menu under a point: a visible row (0 up), -100 to -97
  // for the scroll arrows, the scroll bar and the title strip, 100 and up
  // for the strip below, -1 for none.
  int HitTest(int x, int y) const;
  // Hover, held-key pacing, moves and the choice, from the keypad and mouse.
  void MenuInput();
  // The white veil over the title at a tick (0 clear, 1 white).
  static float VeilAt(int tick);

  int32_t m_menuX = 0;
  int32_t m_menuY = 0;
  int32_t m_menuCols = 6;
  int32_t m_menuRows = 3;
  int32_t m_cursor = 0;
  int32_t m_entryCount = 3;
  int32_t m_scroll = 0;
  int32_t m_phase = 0;  // 0 menu, 1 load screen
  UIDesktop* m_desktop = nullptr;
  int32_t m_tick = 0;

 private:
  void MenuPass();
  void LoadScreenPass();
  void MoveUp();
  void MoveDown();
  void Choose();
  void OpenLoadScreen();
  void DeleteDesktop();
  void DrawMenuTexts();
  void DrawPointer();
  int VisibleRows() const;
};
