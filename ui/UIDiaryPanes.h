#pragma once
// The diaries of items, monsters and scraps in the field menu's diary tab.
// So far each shows its desk.
#include "ui/UIDeskPane.h"

class UIItemDiaryPane : public UIDeskPane {
 public:
  UIItemDiaryPane() : UIDeskPane(nullptr, "UserInterface\\diary_item_desk.bmp") {}
};

class UIMonsterPane : public UIDeskPane {
 public:
  UIMonsterPane() : UIDeskPane(nullptr, "UserInterface\\diary_monster_desk.bmp") {}
};

class UIScrapPane : public UIDeskPane {
 public:
  UIScrapPane() : UIDeskPane(nullptr, "UserInterface\\diary_scraps_desk.bmp") {}
};
