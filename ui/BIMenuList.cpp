#include "ui/BIMenuList.h"

#include <string>

#include "engine/Wave.h"
#include "platform/Keys.h"
#include "render/RC.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIEquipStatusBox.h"
#include "ui/BIMenu.h"
#include "ui/BIMenuParts.h"
#include "ui/BattleMenuSet.h"

namespace {
namespace bimenulist {

constexpr const char* kConfirmSound = "전투 메뉴 선택시 나는 소리.wav";
constexpr const char* kMoveSound = "마우스온.wav";
constexpr int kRow = 20;
// The name stands in the middle of its row, clear of a page strip below.
constexpr int kTextX = 12, kTextY = 2;

BICaptionDeskTop* DeskTop() { return BICaptionDeskTop::Instance(); }

bool IsEquipPage(int key) { return key >= CBattleMenuSet::kEquipPage && key < CBattleMenuSet::kEquipPage + 4; }

}  // namespace bimenulist
}  // namespace

BIMenuList::~BIMenuList() { CloseSubMenu(); }

BIMenu* BIMenuList::Menu() const { return dynamic_cast<BIMenu*>(m_parent); }

void BIMenuList::Draw(CRC* rc) {
  const BIMenu* menu = Menu();
  if (menu == nullptr || m_index < menu->m_firstShown || m_index >= menu->m_firstShown + BIMenu::kShownRows) return;
  if (rc == nullptr || !rc->LockBackBuffer()) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  const char* prefix = m_highlight == 1 ? "&r" : m_highlight == 2 ? "&b" : m_disabled != 0 ? "&e" : nullptr;
  if (prefix != nullptr) {
    rc->DrawText(x + bimenulist::kTextX, y + bimenulist::kTextY, (prefix + m_name).c_str(), false, 255, 255, 255);
  } else {
    rc->DrawText2(x + bimenulist::kTextX, y + bimenulist::kTextY, m_name.c_str(), false, 255, 255, 255);
  }
  rc->UnlockBackBuffer();
}

void BIMenuList::TakeFocus() {
  m_focused = 1;
  m_highlight = m_disabled != 0 ? 2 : 1;
}

void BIMenuList::Notify(BICaption* sender, int code, int a, int b, int c) {
  BIMenu* menu = Menu();
  if (menu == nullptr) return;
  switch (code) {
    case 0: {
      const bool shown = m_index >= menu->m_firstShown && m_index < menu->m_firstShown + BIMenu::kShownRows;
      m_y = (m_index - menu->m_firstShown + 1) * bimenulist::kRow;
      m_x = shown ? 0 : menu->m_width;
      break;
    }
    case 1:
      menu->m_selected = 0;
      if (m_index != 0) {
        OnBlur();
        break;
      }
      TakeFocus();
      if (BIMenuList* owner = menu->m_owner; owner != nullptr && owner->m_equipBox != nullptr && bimenulist::IsEquipPage(owner->m_subMenuKey)) {
        owner->m_equipBox->Notify(this, 4, m_index, 0, 0);
      }
      break;
    case 9: {
      BICaptionDeskTop* deskTop = bimenulist::DeskTop();
      if (deskTop == nullptr || m_equipBox != nullptr) break;
      auto* box = new BIEquipStatusBox;
      box->m_x = BIViewWidth() / 2 - 238;
      box->m_y = 5;
      box->m_width = 487;
      box->m_height = 137;
      box->AddChild(new BIScroller(0, 0, 487 - 11, 137 - 11));
      box->m_owner = this;
      box->m_menu = m_subMenu;
      m_equipBox = box;
      deskTop->AddChild(box);
      box->Notify(this, 7, 0, 0, 0);
      break;
    }
    default:
      break;
  }
}

void BIMenuList::Dispatch(bool openSubMenu) {
  if (m_command == CBattleMenuSet::kOpenSubMenu) {
    if (openSubMenu && m_subMenu == nullptr) OpenSubMenu();
    return;
  }
  if (m_command == CBattleMenuSet::kNone) return;
  SendFrameMessage(6, m_command, m_index);
  if (BIMenu* menu = Menu()) menu->Notify(this, 6, menu->m_key, 0, 0);
}

void BIMenuList::PollHotkeys() {
  if (m_hotkey == 0 || (static_cast<uint16_t>(platform::GetKeyState(m_hotkey)) & 0x8000) == 0) return;
  BIMenu* menu = Menu();
  if (menu == nullptr) return;
  TakeFocus();
  if (BICaptionDeskTop* deskTop = bimenulist::DeskTop()) deskTop->m_pointerMoved = 0;
  Dispatch(true);
  menu->BlurSiblingsOf(this);
  menu->m_selected = m_index;
  if (menu->m_count > BIMenu::kShownRows) menu->KeepSelectionInView();
  menu->NotifyTree(nullptr, 0, 0, 0, 0);
}

void BIMenuList::OnConfirmKey() {
  if (m_focused != 0) Dispatch(false);
}

void BIMenuList::OnClick() {
  PlayWave(bimenulist::kConfirmSound);
  TakeFocus();
  Dispatch(false);
}

void BIMenuList::Select() {
  TakeFocus();
  BIMenu* menu = Menu();
  if (menu == nullptr) return;
  menu->m_selected = m_index;
  ShowHelp();
  menu->BlurSiblingsOf(this);
}

void BIMenuList::ShowHelp() {
  if (BICaptionDeskTop* deskTop = bimenulist::DeskTop()) deskTop->Notify(this, 10, m_command, m_index, 0);
}

void BIMenuList::OnUpKey() {
  const BIMenu* menu = Menu();
  if (menu == nullptr) return;
  if (m_index != menu->m_selected) {
    if (m_focused != 0) OnBlur();
    return;
  }
  TakeFocus();
  ShowHelp();
  if (m_subMenuKey != -1 && m_subMenu == nullptr) OpenSubMenu();
}

void BIMenuList::OnDownKey() { OnUpKey(); }

void BIMenuList::OnHover() {
  if (m_focused == 0) PlayWave(bimenulist::kMoveSound);
  Select();
}

void BIMenuList::OnPointerIdle() {
  OnHover();
  if (m_subMenuKey != -1 && m_subMenu == nullptr) OpenSubMenu();
}

void BIMenuList::OnBackKey() {
  BIMenu* menu = Menu();
  if (menu == nullptr || menu->m_owner == nullptr) return;
  if (BIMenu* ownerMenu = menu->m_owner->Menu()) ownerMenu->m_focused = 1;
  menu->m_focused = 0;
}

void BIMenuList::OnPageKey() {
  BIMenu* menu = Menu();
  if (m_focused == 0 || m_subMenu == nullptr || menu == nullptr) return;
  m_subMenu->m_focused = 1;
  menu->m_focused = 0;
  // The player lands on the sub-menu's highlighted row and reads about it.
  if (BIMenuList* row = m_subMenu->SelectedRow()) row->ShowHelp();
}

void BIMenuList::OnBlur() {
  m_focused = 0;
  m_highlight = 0;
  CloseSubMenu();
}

void BIMenuList::OpenSubMenu() {
  BICaptionDeskTop* deskTop = bimenulist::DeskTop();
  if (deskTop == nullptr || m_subMenuKey == -1) return;
  auto* sub = new BIMenu;
  sub->m_owner = this;
  m_subMenu = sub;
  deskTop->AddChild(sub);
  sub->Fill(m_subMenuKey);
  sub->m_focused = 1;
  sub->Notify(this, 3, 0, 0, 0);
  if (bimenulist::IsEquipPage(m_subMenuKey)) Notify(this, 9, 0, 0, 0);
}

void BIMenuList::CloseSubMenu() {
  BICaptionDeskTop* deskTop = bimenulist::DeskTop();
  if (m_subMenu != nullptr) {
    BIMenu* sub = m_subMenu;
    sub->m_owner = nullptr;
    m_subMenu = nullptr;
    if (deskTop != nullptr) deskTop->RemoveChild(sub);
  }
  if (m_equipBox != nullptr) {
    BIEquipStatusBox* box = m_equipBox;
    box->m_owner = nullptr;
    m_equipBox = nullptr;
    if (deskTop != nullptr) deskTop->RemoveChild(box);
  }
}
