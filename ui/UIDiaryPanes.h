#pragma once
// The diaries of items, monsters and scraps in the field menu's diary tab:
// the entries of one table the player has met, by the category the radio
// buttons choose, and the chosen entry's pages up to its diary level.
// The three share the one diary list, which the page shown last filled.
#include <string>

#include "session/DiaryEntry.h"
#include "ui/UIDeskPane.h"

class UIBitmap;
class UIListBox;
class UIListBox3d;
class UITextBox;
class UITitle;

class UIDiaryPane : public UIDeskPane {
 public:
  UIDiaryPane(const char* desk, int tableType) : UIDeskPane(nullptr, desk), m_tableType(tableType) { m_deskFlag = 1; }

  // A right press does nothing here, so the list never sees one.
  void OnRButtonDown() override {}
  void OnRButtonUp() override {}
  void Refresh() override;
  // 3 from a radio button changes the category; 12 builds the widgets;
  // 14 shows row a; 15 builds the list again.
  void Notify(UIObject* sender, int code, int a, int b) override;

  int TableType() const { return m_tableType; }

  UIListBox* m_listBox = nullptr;
  UITextBox* m_textBox = nullptr;
  int m_category = 0;

 protected:
  struct Radio {
    int x0, pitch;
    const char* const* labels;
    int count;
  };
  // The list box, the text box and the widgets between them and the radio
  // buttons, added in that order.
  virtual void AddWidgets() = 0;
  virtual Radio Radios() const = 0;
  virtual void ClearDetails() {}
  virtual void ShowRow(int row) = 0;

  void AddListAndText(int listColumns, int textX0);
  // The diary list for this page's table, built again when another page
  // filled it (or, with `buildEmpty`, when it is empty); false when it has
  // no row `row`.
  bool ListHasRow(int row, bool buildEmpty) const;
  // The text box back at its top and the details cleared for row `row`;
  // false when the list has no such row, and then an empty list keeps the
  // details it shows.
  bool StartRow(int row);
  bool SameTable() const;
  void Rebuild();
  void ChangeCategory(int category);

 private:
  void Open();
  int m_tableType;
};

class UIItemDiaryPane : public UIDiaryPane {
 public:
  UIItemDiaryPane() : UIDiaryPane("UserInterface\\diary_item_desk.bmp", 0) {}
  // 18, a chosen row clicked again, shows it again.
  void Notify(UIObject* sender, int code, int a, int b) override;

  UIListBox3d* m_statList = nullptr;
  UIBitmap* m_picture = nullptr;
  UITitle* m_title = nullptr;

 protected:
  void AddWidgets() override;
  Radio Radios() const override;
  void ClearDetails() override;
  void ShowRow(int row) override;

 private:
  void ShowItem(int item);
};

class UIMonsterPane : public UIDiaryPane {
 public:
  UIMonsterPane() : UIDiaryPane("UserInterface\\diary_monster_desk.bmp", 1) {}

  UIBitmap* m_picture = nullptr;
  UITitle* m_title = nullptr;

 protected:
  void AddWidgets() override;
  Radio Radios() const override;
  void ClearDetails() override;
  void ShowRow(int row) override;
};

class UIScrapPane : public UIDiaryPane {
 public:
  UIScrapPane() : UIDiaryPane("UserInterface\\diary_scraps_desk.bmp", 4) {}

 protected:
  void AddWidgets() override;
  Radio Radios() const override;
  void ShowRow(int row) override;

 private:
  // Every scrap a keyword mark of the text names becomes known.
  static void LearnKeywords(const std::string& text);
};

// The text of the page that section `k` ends; empty when there is none.
const std::string& DiaryPageText(const DiaryBook& book, int index, int k);
