#pragma once
// The root widget of one screen session: it passes input and drawing on to
// its children, remembers the last choice made below it, and stays open
// until a widget closes it.
#include <cstdint>

#include "ui/UIObject.h"

class UIDesktop : public UIObject {
 public:
  // The newest desktop becomes the current one.
  UIDesktop();
  ~UIDesktop() override;

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  // Codes 0, 1 and 2 are kept as the last choice; every code goes on to
  // the children.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The pop-up menu and the message box over the tree; this desktop has
  // none of its own yet.
  bool HasPopupLayers() const { return false; }
  void DrawPopupLayers(CRC* rc) {}

  void Close() { m_open = 0; }
  bool IsOpen() const { return m_open != 0; }

  int32_t m_open = 1;
  int32_t m_lastChoice = -1;
};

// The screen session's desktop; null when there is none.
extern UIDesktop* g_pCurrentDesktop;

// Widget messages.
inline constexpr int kUiOpen = 12;  // to a new screen: open with argument a
