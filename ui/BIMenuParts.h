#pragma once
// The furniture of a battle menu: its scroll bar, its page tab, and the drag
// handle that moves a menu or box about.
#include <array>

#include "ui/BICaption.h"

class BIMenu;

class BIMenuScrollBar : public BICaption {
 public:
  static constexpr int kArrow = 23;

  using BICaption::BICaption;
  void Draw(CRC* rc) override;
  void OnUpKey() override;
  void OnDownKey() override;
  void OnClick() override;
  void OnDrag() override;
  void OnWheel() override;

  BIMenu* Menu() const;
  // The first shown row for the pointer's height on the track, clamped.
  int RowAt(int pointerY) const;
  void ShowFrom(int first);

 private:
  int m_pressed = 0;  // 1 top arrow, 2 bottom arrow
};

class BIMenuTab : public BICaption {
 public:
  static constexpr int kPageWidth = 25;

  using BICaption::BICaption;
  ~BIMenuTab() override;
  void Draw(CRC* rc) override;
  void OnClick() override;

  int m_page = 0;
  int m_group = 0;
  std::array<int, 4> m_pageKeys{-1, -1, -1, -1};
};

class BIScroller : public BICaption {
 public:
  using BICaption::BICaption;
  void OnClick() override;
  void OnDrag() override;

  int m_offsetX = 0, m_offsetY = 0;
};
