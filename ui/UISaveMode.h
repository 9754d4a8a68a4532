#pragma once
// The save screen: the slot list with its buttons, and the chosen slot's
// picture, money and party. The load screen (UILoadMode.h) is the same
// screen reading instead of writing.
#include "session/PlaceNameTable.h"
#include "session/SaveList.h"
#include "ui/UIPanel.h"
#include "ui/UIShopMode.h"

class UISaveBox;
class UIZoomIcon;

// Shows the slot a list panel chose (notice 17 with the slot, -1 none).
class UISaveInfoPanel : public UIPanel {
 public:
  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  void Notify(UIObject* sender, int code, int a, int b) override;

  const CSaveList* m_saves = nullptr;  // the list panel's
  int32_t m_slot = -1;

 private:
  const SaveSlotInfo* Slot() const;
};

class UISaveListPanel : public UIPanel {
 public:
  UISaveListPanel();
  void Layout(int x0, int y0, int x1, int y1);

  // The list read again from "index.sav"; the place names from "Name.txt".
  void Reload();
  // The slot of the chosen row; -1 for none or "N E W   S A V E".
  int SelectedSlot() const;

  void OnRButtonDown() override;
  void Notify(UIObject* sender, int code, int a, int b) override;

  CSaveList m_saves;
  CPlaceNameTable m_placeNames;
  UISaveBox* m_box;               // a child
  UIZoomIcon* m_buttons[3] = {};  // children: the first, "Delete", "Close"

 protected:
  // Rows before the first slot: 1 for "N E W   S A V E".
  virtual int FirstSlotRow() const { return 1; }
  virtual const char* ButtonLabel() const { return "Save"; }
  virtual const char* MenuLabel() const { return "덮어쓰기"; }
  // The first button (28) and its confirmation (24 save, 25 load).
  virtual void AskFirst();
  virtual void DoFirst(int confirmed);
  void AskDelete();
  void DoDelete();
  bool Raised(const UIObject* sender) const;
};

class UISaveMode : public UIShopMode {
 public:
  UISaveMode();
  void Notify(UIObject* sender, int code, int a, int b) override;

  UISaveInfoPanel* m_info;
  UISaveListPanel* m_list;

 protected:
  UISaveMode(UISaveInfoPanel* info, UISaveListPanel* list);
  const char* BackdropLeft() const override { return "save-l.tga"; }
  const char* BackdropRight() const override { return "save-r.tga"; }
};
