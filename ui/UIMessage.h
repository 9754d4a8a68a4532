#pragma once
// The message box: a text in a frame with one answer button ("OK") or two
// ("YES" with "NO" or "CANCEL"). The first button's answer sets the
// confirmed flag and sends the owner the confirmation set with the text;
// the other answers only clear the flag.
#include <array>
#include <cstdint>
#include <string>

#include "ui/UIIcon.h"
#include "ui/UITextBox.h"

class UIMessage : public UIObject {
 public:
  enum Kind { kOk = 0, kYesNo = 1, kYesCancel = 2 };

  // Lays the box out around its text at the UI origin + (x, y) and shows it.
  void Popup(UIObject* owner, int kind, int x, int y);
  // A large one-button box whose text follows with AddText.
  void PopupLong(UIObject* owner);
  void AddText(const char* text);
  void SetText(const char* text, UIObject* owner, int code, int a, int b);
  // As UIMenu::Show.
  void Show(int shown);
  bool IsShown() const { return m_shown != 0; }
  int TakeConfirmed();

  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnMouseMove() override;
  void OnWheel() override;
  // 28 (first button) confirms and forwards; 29 and 30 clear the flag.
  void Notify(UIObject* sender, int code, int a, int b) override;

  struct Forward {
    int32_t code = 0, a = 0, b = 0;
  };

  UIObject* m_owner = nullptr;
  int32_t m_confirmed = 0;
  int32_t m_answer = -1;  // -1 none, 0 the first button, 1 the second
  UITextBox m_textBox;
  std::string m_text;
  Forward m_forward;
  int32_t m_width = 0, m_height = 0;  // in 20-pixel cells
  int32_t m_x = 0, m_y = 0;
  int32_t m_kind = kOk;
  std::array<UIZoomIcon, 3> m_buttons;  // "OK" or "YES", "NO", "CANCEL"
  int32_t m_shown = 0;

 private:
  // 0 the first button, 1 the second of a two-button box, else -1.
  int ButtonUnderPointer() const;
  UIZoomIcon& SecondButton() { return m_buttons[m_kind == kYesCancel ? 2 : 1]; }
  void SetUpButton(int index, int x, int y, const char* label);
  void SendAnswer();
};
