#pragma once
// The acting member's equipment beside the equipment sub-menu: its eight
// slots as buttons that take the piece off, its figures, and marks on the
// slots the highlighted item would take.
#include "ui/BICaption.h"

class BIMenu;
class BIMenuList;

class BIEquipStatusBox : public BICaption {
 public:
  static constexpr int kSlots = 8;

  ~BIEquipStatusBox() override;

  void Draw(CRC* rc) override;
  void Notify(BICaption* sender, int code, int a, int b, int c) override;
  void OnClick() override;
  void OnHover() override;
  void OnPointerIdle() override;

  // The item in a slot of the acting member, slots in the order unequipping
  // numbers them; -1 for none.
  static int SlotItem(int slot);
  // Whether the highlighted item would go in the slot.
  bool Fits(int slot) const;

  BIMenuList* m_owner = nullptr;  // the row that opened it
  BIMenu* m_menu = nullptr;  // the equipment sub-menu; null once it is gone
  int m_highlightedItem = -1;
};

class BIEquipStatuBoxReleaser : public BICaption {
 public:
  BIEquipStatuBoxReleaser(int x, int y, int slot) : BICaption(x, y, 120, 32), m_slot(slot) {}
  void Draw(CRC* rc) override;
  void OnClick() override;

  int m_slot = 0;
};
