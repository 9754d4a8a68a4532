#pragma once
// The field menu's diary tab: "Records" (the item, monster and scrap
// diaries along the top), "Options", and "Exit", which asks before it goes
// back to the title.
#include <memory>
#include <vector>

#include "ui/UITab.h"

class UICheckIcon;

class UIDiaryTab : public UITab {
 public:
  enum Page { kItemDiary = 0, kMonsterDiary = 1, kScrapDiary = 2, kOptions = 5 };
  static constexpr int kQuitAnswer = 32;

  UIDiaryTab();
  ~UIDiaryTab() override;

  void SetPage(int page) override;

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnMouseMove() override;
  // kUiOpen builds the icons; kQuitAnswer goes to the title.
  void Notify(UIObject* sender, int code, int a, int b) override;

  std::vector<std::unique_ptr<UICheckIcon>> m_leftIcons;
  UICheckIcon* m_selectedLeft = nullptr;
  UICheckIcon* m_hoveredLeft = nullptr;
  std::vector<std::unique_ptr<UIPane>> m_panes;  // item, monster, scrap, options

 private:
  int LeftIconUnderPointer(int left) const;
  void SelectLeft(int index);
};
