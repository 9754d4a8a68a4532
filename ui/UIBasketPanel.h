#pragma once
// The shop's basket: what the player means to buy, its total price and
// volume, and the buttons that buy it, empty it or close the shop. It acts
// on the screen's notices: 20 adds (item, count), 21 takes (row, count)
// out, 19 buys, 30 empties.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIIcon.h"
#include "ui/UIListBox.h"
#include "ui/UIPanel.h"

class UICloseSession;

// The basket's list: a row's name with its count.
class UIShopBox : public UIListBox {};

class UIBasketPanel : public UIPanel {
 public:
  struct Row {
    std::string name;
    int64_t unitPrice = 0;  // the item's own price, whatever the shop lists
    int count = 0;
    int item = -1;
  };
  enum class AddResult { kAdded, kTooMany, kNoMoney, kNoRoom };

  UIBasketPanel();
  // Lays the panel and its buttons out (screen coordinates).
  void Layout(int x0, int y0, int x1, int y1);

  // Adds count units of an item at the price the goods list shows; a
  // refusal takes them out again and says why.
  AddResult Add(int item, int count);
  // Takes n units out of a row; the row goes when none is left.
  void Remove(int row, int n);
  // Gives the party every row and takes the money; false (nothing bought)
  // when the money no longer covers the total.
  bool Buy();
  void Empty();

  const std::vector<Row>& Rows() const { return m_rows; }
  int64_t TotalPrice() const { return m_totalPrice; }
  int64_t TotalVolume() const { return m_totalVolume; }
  int64_t FreeCapacity() const { return m_freeCapacity; }
  UIShopBox* List() { return m_list; }

  void Draw(CRC* rc) override;
  void OnRButtonDown() override;
  void Notify(UIObject* sender, int code, int a, int b) override;

 private:
  int Count(int item) const;
  void Take(int item, int count);
  void Recompute();
  // The list refilled from the rows, the totals recomputed.
  void Refresh();

  std::vector<Row> m_rows;
  int64_t m_totalPrice = 0;
  int64_t m_totalVolume = 0;
  int64_t m_freeCapacity = 0;
  UIShopBox* m_list;                // a child
  UIZoomIcon* m_buttons[3] = {};    // children: "OK", "Reset", "Close"
  UICloseSession* m_close;          // a child
};
