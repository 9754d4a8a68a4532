#pragma once
// The widget sessions of the menu over a still of the screen: the item box,
// the party and saving. Their pages come with the menu issues; until then
// each shows its frame, its caption and the button that closes the desktop.
#include "ui/UIObject.h"

class UICloseSession;

class UICaptionedMode : public UIObject {
 public:
  explicit UICaptionedMode(const char* caption);
  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;
  // kUiOpen opens the screen.
  void Notify(UIObject* sender, int code, int a, int b) override;

 private:
  const char* m_caption;
  UICloseSession* m_close;  // a child
};

class UIItemBoxMode : public UICaptionedMode {
 public:
  UIItemBoxMode() : UICaptionedMode("아이템 상자") {}
};

class UIPartyMode : public UICaptionedMode {
 public:
  UIPartyMode() : UICaptionedMode("파티") {}
};

class UISaveMode : public UICaptionedMode {
 public:
  UISaveMode() : UICaptionedMode("게임 저장하기") {}
};
