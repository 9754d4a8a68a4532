#include "ui/UIBasketPanel.h"

#include <algorithm>
#include <climits>
#include <string>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UICloseSession.h"
#include "ui/UIDesktop.h"
#include "ui/UIShopMode.h"

namespace {
namespace uibasketpanel {

constexpr int kMaxOfOneItem = 256;
constexpr int kRemoveAll = 256;
constexpr const char* kButtonLabels[3] = {"OK", "Reset", "Close"};
constexpr int kButtonCodes[3] = {28, 30, 29};

int64_t Supply(int item) {
  const ITM* record = CItemMgr::GetInstance().GetItem(item);
  return record != nullptr ? record->supply : 0;
}

void DrawSystemSprite(CRC* rc, int x, int y, int id) {
  const auto* sprites = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system\\system.spr"));
  if (rc != nullptr && sprites != nullptr) rc->DrawSprite(x, y, sprites, id, 0xFFFFFFFF);
}

}  // namespace uibasketpanel
}  // namespace

UIBasketPanel::UIBasketPanel() : m_list(new UIShopBox), m_close(new UICloseSession) {
  AddChild(m_list);
  for (UIZoomIcon*& button : m_buttons) {
    button = new UIZoomIcon;
    AddChild(button);
  }
  AddChild(m_close);
}

void UIBasketPanel::Layout(int x0, int y0, int x1, int y1) {
  Setup(x0, y0, x1, y1, false, true, 1, nullptr, true);
  const UIRect r = GetClientRect();
  m_list->Setup(r.left, r.top, r.right, r.bottom, 1, 0, true, false);
  for (int i = 0; i < 3; ++i) {
    m_buttons[i]->Setup(x0 + 150 + 50 * i, y1 - 10, "system\\ok_shop.act", "system\\ok_shop.spr", 0, i,
                        uibasketpanel::kButtonLabels[i], uibasketpanel::kButtonCodes[i]);
  }
  m_close->Setup(x0 + 220, y1 - 30, x0 + 270, y1, false);
  Refresh();
}

int UIBasketPanel::Count(int item) const {
  for (const Row& row : m_rows) {
    if (row.item == item) return row.count;
  }
  return 0;
}

void UIBasketPanel::Take(int item, int count) {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].item != item) continue;
    Remove(static_cast<int>(i), count);
    return;
  }
}

UIBasketPanel::AddResult UIBasketPanel::Add(int item, int count) {
  const ITM* record = CItemMgr::GetInstance().GetItem(item);
  if (record == nullptr || count < 1) return AddResult::kAdded;
  CSession& session = CSession::GetInstance();
  if (int64_t{Count(item)} + session.GetItemCount(item) + count >= uibasketpanel::kMaxOfOneItem) {
    ShowScreenMessage("같은 아이템은 256개 이상 가질 수 없습니다");
    return AddResult::kTooMany;
  }
  auto row = std::find_if(m_rows.begin(), m_rows.end(), [item](const Row& r) { return r.item == item; });
  if (row == m_rows.end()) {
    // The shop's percentage only changes the price the goods list shows.
    m_rows.push_back(Row{record->name, record->price, 0, item});
    row = m_rows.end() - 1;
  }
  row->count += count;
  Recompute();
  AddResult result = AddResult::kAdded;
  if (session.gold < m_totalPrice) {
    result = AddResult::kNoMoney;
  } else if (m_freeCapacity < m_totalVolume) {
    result = AddResult::kNoRoom;
  }
  if (result != AddResult::kAdded) {
    Take(item, count);
    ShowScreenMessage(result == AddResult::kNoMoney ? "돈이 모자랍니다" : "소지량제한 초과입니다");
  }
  Refresh();
  return result;
}

void UIBasketPanel::Remove(int row, int n) {
  if (row < 0 || row >= static_cast<int>(m_rows.size()) || n < 1) return;
  Row& r = m_rows[static_cast<size_t>(row)];
  if (r.count - n < 1) {
    m_rows.erase(m_rows.begin() + row);
  } else {
    r.count -= n;
  }
  Refresh();
}

bool UIBasketPanel::Buy() {
  Recompute();
  CSession& session = CSession::GetInstance();
  if (session.gold < m_totalPrice) {
    ShowScreenMessage("돈이 모자랍니다");
    return false;
  }
  for (const Row& row : m_rows) {
    session.GiveItem(row.item, row.count);
    session.dropgold(static_cast<int>(std::min<int64_t>(row.unitPrice * row.count, INT_MAX)));
  }
  Empty();
  return true;
}

void UIBasketPanel::Empty() {
  m_rows.clear();
  Refresh();
  m_list->Notify(this, 13, 0, 0);
}

void UIBasketPanel::Recompute() {
  m_totalPrice = 0;
  m_totalVolume = 0;
  for (const Row& row : m_rows) {
    m_totalPrice += row.unitPrice * row.count;
    m_totalVolume += uibasketpanel::Supply(row.item) * row.count;
  }
  const CSession& session = CSession::GetInstance();
  m_freeCapacity = int64_t{session.GetPartyCapacity()} - session.GetCarriedVolume();
}

void UIBasketPanel::Refresh() {
  m_list->Clear();
  for (const Row& row : m_rows) m_list->AddItem(row.name.c_str(), nullptr, 1, row.count);
  Recompute();
}

void UIBasketPanel::OnRButtonDown() {
  UIPanel::OnRButtonDown();
  const int row = m_list->m_selection;
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
  const UIPoint p = UIPointer();
  if (!UIInside(p, m_x0, m_y0, m_x1, m_y1)) return;
  OpenScreenMenu(this, {{"5개 덜기", 18, row, 5},
                        {"10개 덜기", 18, row, 10},
                        {"20개 덜기", 18, row, 20},
                        {"50개 덜기", 18, row, 50},
                        {"100개 덜기", 18, row, 100},
                        {"모두 덜기", 18, row, uibasketpanel::kRemoveAll}});
}

void UIBasketPanel::Notify(UIObject* sender, int code, int a, int b) {
  const bool mine = IsChildOf(this, sender) ||
                    (g_pCurrentDesktop != nullptr && sender == &g_pCurrentDesktop->m_popupMenu);
  if (mine) {
    // What the list, the menu or a button raised goes up to the screen.
    if (code == 23 && a != 5) NotifyParent(a, 0, 0);
    if (code == 18) NotifyParent(21, a, std::max(b, 1));
    if (code == 14 && a >= 0 && a < static_cast<int>(m_rows.size())) {
      NotifyParent(17, m_rows[static_cast<size_t>(a)].item, 0);
    }
    return;
  }
  switch (code) {
    case 20:
      Add(a, std::max(b, 1));
      break;
    case 21:
      Remove(a, b);
      break;
    case 19:
      Buy();
      break;
    case 30:
      Empty();
      break;
    case 29:
      UIDesktop::Close();
      break;
    default:
      break;
  }
}

void UIBasketPanel::Draw(CRC* rc) {
  UIPanel::Draw(rc);
  uibasketpanel::DrawSystemSprite(rc, m_x0, m_y1 - 38, 59);
  DrawSystemNumberRight(rc, m_x0 + 60, m_y1 - 10, (std::to_string(m_totalPrice) + " ").c_str(), 0);
  uibasketpanel::DrawSystemSprite(rc, m_x0 + 70, m_y1 - 38, 60);
  const std::string volume =
      std::to_string(std::max<int64_t>(m_totalVolume, 0)) + "/" + std::to_string(m_freeCapacity);
  DrawSystemNumberRight(rc, m_x0 + 125, m_y1 - 10, volume.c_str(), 0);
}
