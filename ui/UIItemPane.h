#pragma once
// The party's inventory page of the field menu: the items of a category,
// food and restoratives used on a member, readable event items read, and
// anything thrown away after a question. The member header sits above.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIObject.h"

class CSession;
class ITM;
class UIListBox;
class UIMenu;
class UIMessage;

// The field menu's list pages remember their list's top row across a
// rebuild, and the item page the last item clicked.
extern int32_t g_menuListTop;
extern int32_t g_menuLastItem;

class UIItemPane : public UIPane {
 public:
  void Refresh() override { Notify(this, 15, 0, 0); }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  // 3 category, 6 use or read, 8 throw away, 12 open, 15 refresh, 18 the
  // selected row clicked again.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The item of the selected row, or -1.
  int SelectedItem() const;

  int32_t m_category = 5;
  UIListBox* m_list = nullptr;  // a child once open
  int32_t m_spare = -1;
  std::vector<int32_t> m_rowItems;  // the item of each row

 private:
  void Open();
  void ChangeCategory(int id);
  void Rebuild();
  void Use(UIObject* sender, int item, int slot);
  void UseOn(int from, int to, int item);
  // Shows a readable item's text in the large box.
  void Read(int item);
  void Throw(int item, int count);
  void OpenItemMenu(int item);
};

// Fills the menu for an item by its kind: use and the throws for food,
// restoratives and the second kind of up item; reading for a readable event
// item; nothing for an unreadable one; the throws for everything else.
void FillItemMenu(UIMenu& menu, int item);
// The item pages' shared look-ups: an item of the table or null, the
// selected member's party position or -1, and the five throw entries.
const ITM* MenuItem(int index);
int MenuMemberPosition();
void AddThrowEntries(UIMenu& menu, int item);
// Whether an item is an event item with nothing to read.
bool IsUnreadableEvent(int item);
// Whether an item is an event item with a text.
bool IsReadableEvent(int item);
// Whether the item is used on a member: food, restoratives, up items 2.
bool IsUsableOnMember(int item);

// The status bar's help for the row under the pointer: the item's
// description and volume; cleared off the rows.
void ShowItemHelp(const UIListBox* list, const std::vector<int32_t>& rowItems);

// A text's lines, each without its CR and LF.
std::vector<std::string> SplitItemTextLines(const std::string& bytes);
// Every scrap a line names between "<%" and "%>" is unlocked at level 1;
// a higher level stays, unknown names are skipped.
void MarkScrapsOf(const std::string& line, CSession& session);
// Fills the long box with the item's name and the lines of its text, and
// unlocks the scraps they name; a missing text is logged.
void ReadItemText(UIMessage& box, const std::string& itemName, CSession& session);
