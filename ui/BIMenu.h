#pragma once
// A framed battle command menu, filled from a battle command menu record:
// its rows, and the tab, scroll bar and drag handle it needs.
#include "ui/BICaption.h"

class BIMenuList;
class BIMenuTab;

class BIMenu : public BICaption {
 public:
  static constexpr int kShownRows = 8;

  ~BIMenu() override;

  void Draw(CRC* rc) override;
  void Notify(BICaption* sender, int code, int a, int b, int c) override;
  void PollHotkeys() override;
  void OnConfirmKey() override;
  void OnBackKey() override;
  void OnPageKey() override;
  void OnUpKey() override;
  void OnDownKey() override;
  void OnClick() override;
  void OnHover() override;
  void OnPointerIdle() override;
  void OnWheel() override;

  // Rows for the menu key (tabbed keys take the tab group's stored page),
  // sized and placed; a key without a record leaves the menu empty.
  void Fill(int key);
  // The first shown row that keeps the selection in view.
  void KeepSelectionInView();
  // The row of the selection, or null.
  BIMenuList* SelectedRow() const;
  // A top-level menu (keys 0-8) rather than a sub-menu or tab page.
  bool IsMainMenu() const { return m_key >= 0 && m_key <= 8; }

  int m_count = 0;
  int m_selected = 0;
  int m_firstShown = 0;
  int m_hotkeysEnabled = 0;
  BIMenuList* m_owner = nullptr;  // the row that opened this sub-menu
  BIMenuTab* m_tab = nullptr;
  int m_pendingKey = -1;
  int m_key = -1;

 private:
  // Common to every pad key: the sound, and no other menu keeps the focus.
  void PadKey(const char* sound);
  void Pointer(void (BICaption::*handler)());
  void Refresh();
  void Refill(int key);
  void Place(bool fromTab, int previousX);
  static int TabbedKey(int key);
};

// The tab group of a menu key: 0 magic, 1 equipment, 2 items, -1 none.
int TabGroupOf(int key);
