#pragma once
// One entry row of a battle command menu, 20 pixels high. A row with a
// sub-menu key opens that menu beside its own while it has the focus.
#include <cstdint>
#include <string>

#include "ui/BICaption.h"

class BIMenu;
class BIEquipStatusBox;

class BIMenuList : public BICaption {
 public:
  ~BIMenuList() override;

  void Draw(CRC* rc) override;
  void Notify(BICaption* sender, int code, int a, int b, int c) override;
  void PollHotkeys() override;
  void OnConfirmKey() override;
  void OnClick() override;
  void OnUpKey() override;
  void OnDownKey() override;
  void OnHover() override;
  void OnPointerIdle() override;
  void OnBackKey() override;
  void OnPageKey() override;
  void OnBlur() override;

  BIMenu* Menu() const;
  // Focused, highlighted as its state allows.
  void TakeFocus();
  void OpenSubMenu();
  // The desk top's help line about this row.
  void ShowHelp();
  // The sub-menu and the equipment box leave the desk top.
  void CloseSubMenu();

  std::string m_name;  // code page 949
  int m_highlight = 0;  // 0 none, 1 normal, 2 disabled
  int m_disabled = 0;
  int m_command = -1;
  uint8_t m_hotkey = 0;
  int m_index = 0;
  int m_subMenuKey = -1;
  BIMenu* m_subMenu = nullptr;
  BIEquipStatusBox* m_equipBox = nullptr;

 private:
  // Sends the command to the game frame and has the menu rebuilt next tick.
  void Dispatch(bool openSubMenu);
  void Select();
};
