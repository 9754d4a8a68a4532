#pragma once
// The screens a script opens over the field: the shop, the item box, the
// party, saving and loading. A screen is the bus between its panels: every
// input goes to each panel in order, and every notice, from the desktop or
// from a panel, goes down to every panel; a panel passes up only what it
// raised itself, so nothing comes back round.
#include <initializer_list>

#include "ui/UIObject.h"

class UIShopMode : public UIObject {
 public:
  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  void Notify(UIObject* sender, int code, int a, int b) override;

 protected:
  // The backdrop, one picture in two textures over the top of the screen;
  // none when null.
  virtual const char* BackdropLeft() const { return nullptr; }
  virtual const char* BackdropRight() const { return nullptr; }

 private:
  bool m_noBackdrop = false;
};

// The desktop's message box at UI origin + (230, 150) with one button
// ("OK") or "YES"/"NO"; a YES sends `owner` the code.
void ShowScreenMessage(const char* text, bool yesNo = false, UIObject* owner = nullptr, int code = 0);
// The desktop's popup menu at the pointer + (15, 10), opened for `owner`.
struct ScreenMenuEntry {
  const char* text;
  int code, a, b;
};
void OpenScreenMenu(UIObject* owner, std::initializer_list<ScreenMenuEntry> entries);
// Whether a widget is one of the object's own children.
bool IsChildOf(const UIObject* parent, const UIObject* widget);
