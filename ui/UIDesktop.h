#pragma once
// The root widget of one screen session. It passes input to the widget on
// top of its modal stack alone, or else to every child; it remembers the
// last choice made below it, stays open until a widget closes it, and lends
// every widget of the session its four overlays: the pop-up menu, the
// tactics grid, the member picker and the message box.
#include <cstdint>
#include <deque>

#include "ui/UIMenu.h"
#include "ui/UIMessage.h"
#include "ui/UIObject.h"
#include "ui/UIPlayerMenu.h"
#include "ui/UITacticsMenu.h"

class CMouse;

class UIDesktop : public UIObject {
 public:
  // The newest desktop becomes the current one.
  UIDesktop();
  // Empties the modal stack, then the overlays go, then the tree.
  ~UIDesktop() override;

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  void OnWheel() override;
  // The mouse's state this frame as input: the move, each button's press
  // and release, then the wheel.
  void TakeMouse(const CMouse& mouse);
  // Codes 0, 1 and 2 are kept as the last choice; every code goes on to
  // the children.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The overlays over the tree: a scene pass, then a locked pass, each
  // drawing the shown ones in turn.
  bool HasPopupLayers() const;
  void DrawPopupLayers(CRC* rc);

  // These act on the current desktop, and do nothing without one.
  // Returns the new depth (0 without a desktop).
  static int PushModal(UIObject* w);
  // Takes the top off the stack; capture passes to the next one down.
  static void PopModal();
  // Takes the widget's own newest entry off the stack, wherever it lies.
  static void RemoveModal(UIObject* w);
  // A modal widget's `shown` flag set to `show` (as 0 or 1), the widget
  // pushed on the stack or taken off it; the same state again changes
  // nothing.
  static void ShowModal(UIObject* w, int32_t& shown, int show);
  static void Close();
  bool IsOpen() const { return m_open != 0; }

  UIMenu m_popupMenu;
  UITacticsMenu m_tacticsMenu;
  UIPlayerMenu m_playerMenu;
  UIMessage m_messageBox;
  UIObject* m_capture = nullptr;
  std::deque<UIObject*> m_modalStack;  // only the back end is used
  int32_t m_open = 1;
  int32_t m_lastChoice = -1;

 private:
  template <class Op>
  void Route(Op op);
};

// The screen session's desktop; null when there is none.
extern UIDesktop* g_pCurrentDesktop;

// Widget messages.
inline constexpr int kUiOpen = 12;  // to a new screen: open with argument a
