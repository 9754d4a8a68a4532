#pragma once
// The item box screen's two lists: what the inn keeps for the party and
// what the party carries. Both show the same filter; a row menu stores or
// takes out 5 to 100 units or all of them.
#include <cstdint>

#include "ui/UIPanel.h"

class UIListBox;

class UIItemPanel : public UIPanel {
 public:
  // The filters of the three buttons: everything but equipment,
  // equipment, everything.
  static constexpr int kAllKinds = 15;
  static constexpr int kMaxOfOneItem = 256;

  void OnRButtonDown() override;
  // From the screen: 12 opens, 15 refills with filter a. From the list or
  // the menu: 3 a button's value, 14 a row chosen, 18 row a, count b.
  // Every other code goes to the children.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The item of a row of this panel's own source; -1 past the rows. The
  // two panels share one item list, so it is built again for each look-up.
  int RowItem(int row) const;

  UIListBox* m_list = nullptr;  // a child once open
  int32_t m_filter = kAllKinds;

 protected:
  // 0 the inventory, 1 the item box.
  virtual int Source() const = 0;
  virtual void Open() = 0;
  // Moves n units of a row's item across.
  virtual void Move(int item, int n) = 0;
  virtual void OpenRowMenu(int row) = 0;
  void CreateList();
  // Tells both panels, through the screen, to show the filter again.
  void RefillBoth() { NotifyParent(15, m_filter, 0); }

 private:
  void Refill(int filter);
  void ChooseFilter(int value);
};

// The stored items; its menu takes out.
class UIInnItemPanel : public UIItemPanel {
 protected:
  int Source() const override { return 1; }
  void Open() override;
  void Move(int item, int n) override;
  void OpenRowMenu(int row) override;
};

// The party's inventory under the three filter buttons, with the money and
// the load; its menu stores.
class UIPartyItemPanel : public UIItemPanel {
 public:
  void Draw(CRC* rc) override;

  int32_t m_gold = 0;
  int32_t m_carried = 0;
  int32_t m_capacity = 0;

 protected:
  int Source() const override { return 0; }
  void Open() override;
  void Move(int item, int n) override;
  void OpenRowMenu(int row) override;
};
