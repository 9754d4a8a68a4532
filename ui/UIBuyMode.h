#pragma once
// The shop's buy screen: the goods of a category, the basket, the money,
// the chosen item's description and the party's values with it.
#include <cstdint>

#include "ui/UIPanel.h"
#include "ui/UIShopMode.h"

class UIBasketPanel;
class UIInfoPanel;
class UIListBox;
class UIMoneyPanel;
class UIRadioBtn;
class UIStatusPanel;

class UIShopPanel : public UIPanel {};

// The goods list under six category buttons. Notice 12 (shop type) builds
// the buttons and the list; 15 (category) rebuilds the goods; 28 (OK) buys
// the basket and shows the marked category again.
class UIBuyShopPanel : public UIShopPanel {
 public:
  static constexpr int kButtons = 6;

  void OnRButtonDown() override;
  void Notify(UIObject* sender, int code, int a, int b) override;
  // The item of the goods list's selected row; -1: none.
  int ChosenItem() const;

  int32_t m_category = 5;
  int32_t m_savedTop = 0;
  UIListBox* m_list = nullptr;  // a child, from notice 12
  UIRadioBtn* m_buttons[kButtons] = {};

 private:
  void Open(int shopType);
  void ChooseCategory(int category);
  void Rebuild(int category);
  bool Raised(const UIObject* sender) const;
};

class UIBuyMode : public UIShopMode {
 public:
  UIBuyMode();
  // 12 lays the panels out before they hear it.
  void Notify(UIObject* sender, int code, int a, int b) override;

  UIBuyShopPanel* m_goods;
  UIBasketPanel* m_basket;
  UIMoneyPanel* m_money;
  UIInfoPanel* m_info;
  UIStatusPanel* m_status;
};
