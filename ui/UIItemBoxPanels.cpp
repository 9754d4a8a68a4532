#include "ui/UIItemBoxPanels.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UICloseSession.h"
#include "ui/UIDesktop.h"
#include "ui/UIIcon.h"
#include "ui/UIListBox.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIShopMode.h"

namespace {
namespace uiitemboxpanels {

constexpr int kAll = 256;  // "모두": every unit
constexpr std::array<const char*, 3> kFilterLabels = {"아이템", "장 비", "모두보기"};
constexpr const char* kTooMany = "같은 아이템은 256개 이상 가질 수 없습니다";

void DrawSystemSprite(CRC* rc, int x, int y, int id) {
  const auto* sprites = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system\\system.spr"));
  if (rc != nullptr && sprites != nullptr) rc->DrawSprite(x, y, sprites, id, 0xFFFFFFFF);
}

}  // namespace uiitemboxpanels
}  // namespace

int UIItemPanel::RowItem(int row) const {
  CItemList& list = CItemList::GetInstance();
  list.Build(m_filter, Source());
  return row >= 0 && row < list.GetCount() ? list.Indexes()[static_cast<size_t>(row)] : -1;
}

void UIItemPanel::CreateList() {
  DestroyChildren();
  m_list = new UIListBox;
  const UIRect r = GetClientRect();
  m_list->Setup(r.left, r.top, r.right, r.bottom, 1, 0, true, false);
  AddChild(m_list);
}

void UIItemPanel::Refill(int filter) {
  m_filter = filter;
  if (m_list == nullptr) return;
  m_list->Notify(this, 14, -1, 0);
  const int top = m_list->GetTop();
  CItemList& list = CItemList::GetInstance();
  list.Build(filter, Source());
  m_list->Clear();
  for (int i = 0; i < list.GetCount(); ++i) {
    const auto n = static_cast<size_t>(i);
    m_list->AddItem(list.Names()[n].c_str(), nullptr, 1, list.Counts()[n]);
  }
  m_list->SetTop(top);
}

void UIItemPanel::ChooseFilter(int value) {
  if (m_list != nullptr) {
    m_list->Notify(this, 2, 0, 0);
    m_list->Notify(this, 13, 0, 0);
  }
  m_filter = value * 5 + 5;
  for (UIObject* child : m_children) {
    if (child != m_list) child->Notify(this, 4, 0, 0);
  }
  RefillBoth();
}

void UIItemPanel::OnRButtonDown() {
  UIPanel::OnRButtonDown();
  if (m_list == nullptr || m_list->m_selection < 0) return;
  if (!UIInside(UIPointer(), m_x0, m_y0, m_x1, m_y1)) return;
  OpenRowMenu(m_list->m_selection);
}

void UIItemPanel::Notify(UIObject* sender, int code, int a, int b) {
  const bool raised =
      IsChildOf(this, sender) || (g_pCurrentDesktop != nullptr && sender == &g_pCurrentDesktop->m_popupMenu);
  if (raised) {
    switch (code) {
      case 3:
        ChooseFilter(a);
        return;
      case 14:
        if (a >= 0) NotifyParent(17, RowItem(a), 0);
        return;
      case 18: {
        const int item = RowItem(a);
        if (item >= 0) Move(item, std::max(b, 1));
        return;
      }
      default:
        break;
    }
  } else if (code == 12) {
    Open();
    return;
  } else if (code == 15) {
    Refill(a);
    return;
  }
  // Other codes go to the children. Nothing unhandled is passed up, so it
  // never reaches the screen and the other panel; what a child hands back
  // while they hear it stops at the panel.
  UIPanel::Notify(sender, code, a, b);
}

void UIInnItemPanel::Open() { CreateList(); }

void UIInnItemPanel::OpenRowMenu(int row) {
  OpenScreenMenu(this, {{"5개 꺼내기", 18, row, 5},
                        {"10개 꺼내기", 18, row, 10},
                        {"20개 꺼내기", 18, row, 20},
                        {"50개 꺼내기", 18, row, 50},
                        {"100개 꺼내기", 18, row, 100},
                        {"모두 꺼내기", 18, row, uiitemboxpanels::kAll}});
}

// Fewer stored than asked takes them all; the party may not come to hold
// 256 of one item.
void UIInnItemPanel::Move(int item, int n) {
  CSession& session = CSession::GetInstance();
  const int taken = std::min(n, session.GetItemBoxCount(item));
  if (taken + session.GetItemCount(item) >= kMaxOfOneItem) {
    ShowScreenMessage(uiitemboxpanels::kTooMany);
    return;
  }
  session.getitembox(item, taken);
  RefillBoth();
}

void UIPartyItemPanel::Open() {
  m_filter = kAllKinds;
  CreateList();
  for (int i = 0; i < static_cast<int>(uiitemboxpanels::kFilterLabels.size()); ++i) {
    auto* radio = new UIRadioBtn;
    radio->Setup(m_x0 + 90 * i, m_y1 - 30, uiitemboxpanels::kFilterLabels[static_cast<size_t>(i)], i, 0);
    radio->m_checked = i == 2 ? 1 : 0;
    AddChild(radio);
  }
  AddCloseIcon(*this, m_x1, m_y0 + 10);
  RefillBoth();
}

void UIPartyItemPanel::OpenRowMenu(int row) {
  OpenScreenMenu(this, {{"5개 보관", 18, row, 5},
                        {"10개 보관", 18, row, 10},
                        {"20개 보관", 18, row, 20},
                        {"50개 보관", 18, row, 50},
                        {"100개 보관", 18, row, 100},
                        {"모두 보관", 18, row, uiitemboxpanels::kAll}});
}

// The box keeps at most 255 of an item: a store that would reach 256 is
// refused as a take-out is, rather than cut short without a word.
void UIPartyItemPanel::Move(int item, int n) {
  const ITM* record = CItemMgr::GetInstance().GetItem(item);
  if (record == nullptr) return;
  if (record->kind == kItemEvent) {
    ShowScreenMessage("보관할 수 없는 아이템입니다");
    return;
  }
  CSession& session = CSession::GetInstance();
  const int stored = std::min(n, session.GetItemCount(item));
  if (stored + session.GetItemBoxCount(item) >= kMaxOfOneItem) {
    ShowScreenMessage(uiitemboxpanels::kTooMany);
    return;
  }
  session.additembox(item, n);
  RefillBoth();
}

void UIPartyItemPanel::Draw(CRC* rc) {
  UIPanel::Draw(rc);
  const CSession& session = CSession::GetInstance();
  m_gold = session.gold;
  m_carried = session.GetCarriedVolume();
  m_capacity = session.GetPartyCapacity();
  uiitemboxpanels::DrawSystemSprite(rc, m_x0, m_y0 - 2, 59);
  DrawSystemNumberRight(rc, m_x0 + 60, m_y0 + 10, (std::to_string(m_gold) + " ").c_str(), 0);
  uiitemboxpanels::DrawSystemSprite(rc, m_x0 + 80, m_y0 - 2, 60);
  const std::string load = std::to_string(std::max(m_carried, 0)) + "/" + std::to_string(m_capacity);
  DrawSystemNumberRight(rc, m_x0 + 160, m_y0 + 10, load.c_str(), 0);
}
