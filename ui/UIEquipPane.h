#pragma once
// The member's equipment page of the field menu: the eight worn slots
// beside the party's equipment, put on with a double click, taken off with
// a second click on the slot, thrown away after a question, and the
// member's values beside what they would be with the chosen item.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIObject.h"

class CSession;
class UIListBox;
class UIMenu;
class UIRadioBtn;
struct PlayerData;

class UIEquipPane : public UIPane {
 public:
  void Refresh() override { Notify(this, 15, m_category, 0); }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  // 3 category, 7 equip, 8 throw away, 11 take off, 12 open, 15 refresh,
  // 18 a row (b 0) or the selected slot (b 1) clicked again.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The item of the selected row, or -1; and whether the member may wear it.
  int SelectedItem() const;
  bool SelectedRowWearable() const;

  int32_t m_category = 10;
  UIListBox* m_list = nullptr;  // a child once open
  int32_t m_slot = -1;          // the selected display index
  std::vector<int32_t> m_rowItems;
  std::array<UIRadioBtn*, 5> m_radios{};

 private:
  void Open();
  void ChangeCategory(int id);
  void Rebuild(int category);
  void Equip(int position, int item);
  void Throw(int item, int count);
  // The hit slot becomes the selected one and the list follows its kind;
  // returns the hit, or -1.
  int PressSlot();
  void OpenSlotMenu(int slot);
  void OpenListMenu(int item);
};

// The item worn at a display index (0-7), or -1 outside them: helmet,
// weapon, armour, shoes down the left column, necklace, shield and the two
// accessories down the right.
int WornAt(const PlayerData& member, int display);
// The display index at a point of the grid, or -1. Rows follow the drawn
// slots, 28 pixels apart.
int EquipSlotAt(int x, int y);
// The category button (0-4) that shows items of a kind; -1 for no
// equipment kind.
int EquipRadioForKind(int kind);
// The slot menu and the list menu.
void FillSlotMenu(UIMenu& menu, int position, int display, int item);
void FillEquipListMenu(UIMenu& menu, int position, int item);
// Whether an item may be thrown away from this page.
bool EquipThrowable(int item);

struct EquipCompareRow {
  const char* label;
  int now;
  int with;  // equal to now without an item
};
// BP, ATK, DEF, SPD, MAG, CRI now and with the item put on a copy of the
// member; item -1 compares with nothing.
std::array<EquipCompareRow, 6> CompareEquip(const PlayerData& member, int item, const CSession& session);
