#include "ui/BIMenuParts.h"

#include <algorithm>
#include <cstdio>

#include "engine/ActRes.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "platform/Mouse.h"
#include "render/RC.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIMenu.h"
#include "ui/Draw2d.h"

namespace {

constexpr const char* kClickSound = "마우스클릭.wav";
constexpr int kWheelRows = 3;
constexpr int kThumb = 20;

// std::clamp needs lo <= hi; a view too small for the widget pins it at lo.
int Bound(int value, int lo, int hi) { return std::max(lo, std::min(value, hi)); }

}  // namespace

BIMenu* BIMenuScrollBar::Menu() const { return dynamic_cast<BIMenu*>(m_parent); }

int BIMenuScrollBar::RowAt(int pointerY) const {
  const BIMenu* menu = Menu();
  if (menu == nullptr) return 0;
  int x = 0, top = 0;
  GetAbsPos(&x, &top);
  const int track = std::max(m_height - 2 * kArrow, 1);
  const int row = (menu->m_count - 7) * (pointerY - top - kArrow) / track;
  return Bound(row, 0, std::max(menu->m_count - BIMenu::kShownRows, 0));
}

void BIMenuScrollBar::ShowFrom(int first) {
  BIMenu* menu = Menu();
  if (menu == nullptr) return;
  const int clamped = Bound(first, 0, std::max(menu->m_count - BIMenu::kShownRows, 0));
  if (clamped == menu->m_firstShown) return;
  menu->m_firstShown = clamped;
  menu->NotifyTree(nullptr, 0, 0, 0, 0);
}

// One row a key press toward the selection, wrapping round the ends.
void BIMenuScrollBar::OnUpKey() {
  BIMenu* menu = Menu();
  if (menu == nullptr) return;
  const int last = menu->m_count - BIMenu::kShownRows;
  int first = menu->m_firstShown;
  if (menu->m_selected < first) {
    first = first - 1 < 0 ? last : first - 1;
  } else if (menu->m_selected > first + BIMenu::kShownRows - 1) {
    first = first + 1 > last ? 0 : first + 1;
  } else {
    return;
  }
  ShowFrom(first);
}

void BIMenuScrollBar::OnDownKey() { OnUpKey(); }

void BIMenuScrollBar::OnClick() {
  BIMenu* menu = Menu();
  if (menu == nullptr) return;
  PlayWave(kClickSound);
  const CMouse& mouse = CMouse::GetInstance();
  int x = 0, top = 0;
  GetAbsPos(&x, &top);
  m_pressed = 0;
  if (mouse.m_y < top + kArrow) {
    m_pressed = 1;
    ShowFrom(menu->m_firstShown - 1);
  } else if (mouse.m_y >= top + m_height - kArrow) {
    m_pressed = 2;
    ShowFrom(menu->m_firstShown + 1);
  } else {
    // The track clamps like a drag: its foot shows the last full page.
    SetActive(this);
    ShowFrom(RowAt(mouse.m_y));
  }
}

void BIMenuScrollBar::OnDrag() { ShowFrom(RowAt(CMouse::GetInstance().m_y)); }

void BIMenuScrollBar::OnWheel() {
  const BIMenu* menu = Menu();
  const int notches = CMouse::GetInstance().m_wheel / platform::MOUSE_WHEEL_NOTCH;
  if (menu == nullptr || notches == 0) return;
  ShowFrom(menu->m_firstShown - kWheelRows * notches);
}

void BIMenuScrollBar::Draw(CRC* rc) {
  const BIMenu* menu = Menu();
  if (menu == nullptr || menu->m_count <= BIMenu::kShownRows) return;
  CResMgr& res = CResMgr::GetInstance();
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system/widget.act"));
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system/widget.spr"));
  if (actions == nullptr || sprites == nullptr || rc == nullptr || !rc->BeginScene()) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  const CMouse& mouse = CMouse::GetInstance();
  const auto motion = [&](int which, int top) {
    const bool over = mouse.m_x >= x && mouse.m_x < x + m_width && mouse.m_y >= top && mouse.m_y < top + kArrow;
    if (over && mouse.m_mouseDown[0] && m_pressed == which) return 1;
    return over ? 0 : 2;
  };
  const int trackTop = y + kArrow, trackBottom = y + m_height - kArrow;
  for (int t = trackTop; t < trackBottom; t += 20) rc->DrawAction(x, t, actions, sprites, 1, 0, 1.0f, 0, 0xFFFFFFFF, true);
  rc->DrawAction(x, y, actions, sprites, 2, motion(1, y), 1.0f, 0, 0xFFFFFFFF, true);
  rc->DrawAction(x, trackBottom, actions, sprites, 0, motion(2, trackBottom), 1.0f, 0, 0xFFFFFFFF, true);
  const int span = std::max(trackBottom - trackTop - kThumb, 0);
  const int thumb = trackTop + span * menu->m_firstShown / std::max(menu->m_count - BIMenu::kShownRows, 1);
  rc->DrawAction(x, thumb, actions, sprites, 3, 0, 1.0f, 0, 0xFFFFFFFF, true);
  rc->EndScene();
}

BIMenuTab::~BIMenuTab() {
  if (auto* menu = dynamic_cast<BIMenu*>(m_parent); menu != nullptr && menu->m_tab == this) menu->m_tab = nullptr;
}

void BIMenuTab::OnClick() {
  PlayWave(kClickSound);
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  const int page = Bound((CMouse::GetInstance().m_x - x) / kPageWidth, 0, 3);
  if (m_pageKeys[static_cast<size_t>(page)] == -1) return;
  m_page = page;
  if (BICaptionDeskTop* deskTop = BICaptionDeskTop::Instance()) {
    deskTop->m_tabPages[static_cast<size_t>(m_group)] = page;
    deskTop->PageTurned();
  }
  if (m_parent != nullptr) m_parent->Notify(this, 5, 0, 0, 0);
}

void BIMenuTab::Draw(CRC* rc) {
  if (rc == nullptr || !rc->LockBackBuffer()) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  char name[48];
  std::snprintf(name, sizeof name, "UserInterface\\tab%02d.bmp", 4 * Bound(m_group, 0, 2) + Bound(m_page, 0, 3));
  DrawBitmap(rc, x, y, name, 0, 0xFFFFFF);
  rc->UnlockBackBuffer();
}

void BIScroller::OnClick() {
  if (m_parent == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  int x = 0, y = 0;
  m_parent->GetAbsPos(&x, &y);
  m_offsetX = x - mouse.m_x;
  m_offsetY = y - mouse.m_y;
  SetActive(this);
  m_parent->Notify(this, 2, 0, 0, 0);
  m_parent->Notify(this, 3, 0, 0, 0);
}

void BIScroller::OnDrag() {
  BICaption* parent = m_parent;
  if (parent == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  parent->m_x = Bound(mouse.m_x + m_offsetX, 25, BIViewWidth() - parent->m_width - 15);
  parent->m_y = Bound(mouse.m_y + m_offsetY, 5, BIViewHeight() - parent->m_height);
}
