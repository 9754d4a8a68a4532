#pragma once
// The buy screen's side panels: the party's money and load, the chosen
// item's description, and the party's values with the chosen item worn.
// The information panel serves the item box as well.
#include <array>
#include <cstdint>

#include "ui/UIPanel.h"

class UIAniIcon;
class UIBuyShopPanel;
class UITextBox;

class UIMoneyPanel : public UIPanel {
 public:
  void Draw(CRC* rc) override;
};

// Notice 17 (item, any) shows an item's name, volume and description.
class UIInfoPanel : public UIPanel {
 public:
  UIInfoPanel();
  void Layout(int x0, int y0, int x1, int y1);
  void Show(int item);
  void Notify(UIObject* sender, int code, int a, int b) override;

  UITextBox* m_text;  // a child
};

// Per party position, six values now and six with the goods list's chosen
// item put on a copy of the member; a member who may wear it animates.
class UIStatusPanel : public UIPanel {
 public:
  static constexpr int kValues = 6;
  using Values = std::array<int32_t, kValues>;

  // 12 adds the members' icons; 17 recomputes for the goods list's row.
  void Notify(UIObject* sender, int code, int a, int b) override;
  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  // The item the values with the item are for; -1: none.
  void Recompute(int item);

  std::array<Values, 6> m_current{};
  std::array<Values, 6> m_withItem{};
  std::array<UIAniIcon*, 6> m_icons{};  // children, per party position
  int32_t m_members = 0;
  const UIBuyShopPanel* m_goods = nullptr;  // whose selected row the values follow; not owned
};
