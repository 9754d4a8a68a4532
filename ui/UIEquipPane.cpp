#include "ui/UIEquipPane.h"

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemPane.h"
#include "ui/UIListBox.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIStatusPane.h"
#include "ui/UIStatusTab.h"

namespace {
namespace uiequippane {

constexpr std::array<const char*, 5> kLabels = {"무기", "방어구", "악세서리", "기타", "모두보기"};
constexpr int kFirstCategory = 6;
constexpr int kAllId = 4;
constexpr std::array<int32_t PlayerData::*, 8> kDisplaySlots = {
    &PlayerData::helmet, &PlayerData::weapon, &PlayerData::armor, &PlayerData::shoes,
    &PlayerData::acc1,   &PlayerData::shield, &PlayerData::acc2,  &PlayerData::acc3};
constexpr const char* kUnthrowable = "바제랄드";


int SlotX(int display) { return display / 4; }
int SlotRow(int display) { return display % 4; }

}  // namespace uiequippane
}  // namespace

int WornAt(const PlayerData& member, int display) {
  if (display < 0 || display >= static_cast<int>(uiequippane::kDisplaySlots.size())) return -1;
  return member.*uiequippane::kDisplaySlots[static_cast<size_t>(display)];
}

int EquipSlotAt(int x, int y) {
  if (y <= 49 || y >= 161) return -1;
  const int row = (y - 49) / 28;
  if (x > 160 && x < 285) return row;
  if (x > 340 && x < 465) return row + 4;
  return -1;
}

int EquipRadioForKind(int kind) {
  switch (kind) {
    case kItemWeapon:
      return 0;
    case kItemShield:
    case kItemArmor:
    case kItemHelmet:
      return 1;
    case kItemAcc1:
      return 2;
    case kItemShoes:
    case kItemAcc2:
      return 3;
    default:
      return -1;
  }
}

bool EquipThrowable(int item) {
  const ITM* it = MenuItem(item);
  return it != nullptr && it->kind != kItemEvent && it->name != uiequippane::kUnthrowable;
}

void FillSlotMenu(UIMenu& menu, int position, int display, int item) {
  menu.Clear();
  const int active = IsRealItem(item) ? 1 : 0;
  menu.AddItem("장비해제", 11, position, display, active);
  if (EquipThrowable(item)) menu.AddItem("버리기", 8, item, 1, active);
}

void FillEquipListMenu(UIMenu& menu, int position, int item) {
  menu.Clear();
  menu.AddItem("장비하기", 7, position, item, 1);
  if (!EquipThrowable(item)) return;
  AddThrowEntries(menu, item);
}

std::array<EquipCompareRow, 6> CompareEquip(const PlayerData& member, int item, const CSession& session) {
  PlayerData with = member;
  if (item >= 0) session.PutOnItem(item, with);
  const auto values = [](const PlayerData& p) {
    return std::array<int, 6>{p.maxshp, p.strength, p.vitality, p.agility, p.intelligence, p.luck};
  };
  const std::array<int, 6> now = values(member), then = values(with);
  static const char* const kLabelsOf[6] = {"BP", "ATK", "DEF", "SPD", "MAG", "CRI"};
  std::array<EquipCompareRow, 6> rows{};
  for (size_t k = 0; k < rows.size(); ++k) rows[k] = {kLabelsOf[k], now[k], item >= 0 ? then[k] : now[k]};
  return rows;
}

int UIEquipPane::SelectedItem() const {
  if (m_list == nullptr || m_list->m_selection < 0) return -1;
  const size_t row = static_cast<size_t>(m_list->m_selection);
  return row < m_rowItems.size() ? m_rowItems[row] : -1;
}

bool UIEquipPane::SelectedRowWearable() const {
  return m_list != nullptr && m_list->m_selection >= 0 && m_list->m_selection < m_list->m_count &&
         m_list->m_enabled[static_cast<size_t>(m_list->m_selection)] == 0;
}

void UIEquipPane::Open() {
  m_list = new UIListBox;
  m_list->Setup(g_uiOriginX + 165, g_uiOriginY + 165, g_uiOriginX + 600, g_uiOriginY + 385, 2, 40, true, true);
  g_menuListTop = 0;
  AddChild(m_list);
  for (int i = 0; i < static_cast<int>(uiequippane::kLabels.size()); ++i) {
    auto* radio = new UIRadioBtn;
    // The fourth button's label is longer.
    const int x = 173 + 86 * i + (i == 3 ? 10 : 0);
    radio->Setup(g_uiOriginX + x, g_uiOriginY + 396, uiequippane::kLabels[static_cast<size_t>(i)], i, 0);
    radio->m_checked = i == uiequippane::kAllId ? 1 : 0;
    m_radios[static_cast<size_t>(i)] = radio;
    AddChild(radio);
  }
  Refresh();
}

void UIEquipPane::ChangeCategory(int id) {
  m_category = id + uiequippane::kFirstCategory;
  Refresh();
  if (m_list != nullptr) {
    m_list->Notify(this, 2, 0, 0);
    m_list->Notify(this, 13, 0, 0);
  }
  for (UIRadioBtn* radio : m_radios) {
    if (radio != nullptr) radio->Notify(this, 4, 0, 0);
  }
  g_menuListTop = 0;
}

void UIEquipPane::Rebuild(int category) {
  if (m_list == nullptr) return;
  CItemList& list = CItemList::GetInstance();
  list.Build(category, 0);
  if (m_list->m_count > 0) {
    m_list->Notify(this, 14, -1, 0);
    m_list->Clear();
  }
  m_rowItems.clear();
  const CSession& session = CSession::GetInstance();
  for (int i = 0; i < list.GetCount(); ++i) {
    const int item = list.Indexes()[static_cast<size_t>(i)];
    const ITM* it = MenuItem(item);
    const bool wearable = g_pMenuPlayer != nullptr && session.CanEquip(g_pMenuPlayer->playerId, item);
    m_list->AddItem(list.Names()[static_cast<size_t>(i)].c_str(), it != nullptr ? it->icon.c_str() : "",
                    wearable ? 0 : 1, list.Counts()[static_cast<size_t>(i)]);
    m_rowItems.push_back(item);
  }
  m_list->SetTop(g_menuListTop);
}

void UIEquipPane::Equip(int position, int item) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMessage& box = g_pCurrentDesktop->m_messageBox;
  // The OK of an earlier refusal comes back here; it is only an answer.
  if (box.TakeConfirmed() != 0) return;
  if (!CSession::GetInstance().Equip(position, item)) {
    const ITM* it = MenuItem(item);
    const std::string text = (it != nullptr ? it->name : std::string()) + " 장착할 수 없습니다";
    box.SetText(text.c_str(), this, 7, position, item);
    box.Popup(this, UIMessage::kOk, 230, 150);
  }
  if (m_list != nullptr) g_menuListTop = m_list->GetTop();
  Refresh();
}

void UIEquipPane::Throw(int item, int count) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMessage& box = g_pCurrentDesktop->m_messageBox;
  if (box.TakeConfirmed() != 0) {
    if (m_slot >= 0) Notify(this, 11, MenuMemberPosition(), m_slot);
    CSession::GetInstance().dropitem(item, count);
    if (m_list != nullptr) g_menuListTop = m_list->GetTop();
    Refresh();
    return;
  }
  box.SetText("정말로 버리시겠습니까?", this, 8, item, count);
  box.Popup(this, UIMessage::kYesNo, 230, 150);
}

void UIEquipPane::Notify(UIObject* sender, int code, int a, int b) {
  switch (code) {
    case 3:
      ChangeCategory(a);
      break;
    case 7:
      Equip(a, b);
      break;
    case 8:
      Throw(a, b);
      break;
    case 11:
      CSession::GetInstance().Unequip(a, b);
      if (m_list != nullptr) g_menuListTop = m_list->GetTop();
      Refresh();
      break;
    case 12:
      Open();
      break;
    case 15:
      Rebuild(a);
      break;
    case 18:
      if (b == 0) {
        const int item = a >= 0 && a < static_cast<int>(m_rowItems.size()) ? m_rowItems[static_cast<size_t>(a)] : -1;
        if (item >= 0) Notify(this, 7, MenuMemberPosition(), item);
      } else {
        Notify(this, 11, MenuMemberPosition(), a);
      }
      break;
    default:
      break;
  }
}

int UIEquipPane::PressSlot() {
  const UIPoint p = UIPointer();
  const int hit = EquipSlotAt(p.x - g_uiOriginX, p.y - g_uiOriginY);
  m_slot = hit;
  if (hit < 0 || g_pMenuPlayer == nullptr) return hit;
  const ITM* worn = MenuItem(WornAt(*g_pMenuPlayer, hit));
  const int radio = worn != nullptr ? EquipRadioForKind(worn->kind) : -1;
  if (radio < 0) return hit;
  // A point inside the chosen button: the fourth stands apart.
  const UIRadioBtn* chosen = m_radios[static_cast<size_t>(radio)];
  if (chosen == nullptr) return hit;
  const int x = chosen->m_x + 7, y = chosen->m_y + 4;
  for (UIRadioBtn* button : m_radios) {
    if (button != nullptr) button->Notify(this, 14, x, y);
  }
  return hit;
}

void UIEquipPane::OnLButtonDown() {
  const int before = m_slot;
  const int hit = PressSlot();
  if (hit >= 0 && hit == before && UIPointerOverPageList()) Notify(this, 18, hit, 1);
  for (UIObject* child : m_children) child->OnLButtonDown();
  if (SelectedRowWearable()) UIPlayRowClick();
}

void UIEquipPane::OpenSlotMenu(int slot) {
  if (g_pCurrentDesktop == nullptr || g_pMenuPlayer == nullptr) return;
  UIMenu& menu = g_pCurrentDesktop->m_popupMenu;
  FillSlotMenu(menu, MenuMemberPosition(), slot, WornAt(*g_pMenuPlayer, slot));
  menu.OpenAtPointer(this);
}

void UIEquipPane::OpenListMenu(int item) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMenu& menu = g_pCurrentDesktop->m_popupMenu;
  FillEquipListMenu(menu, MenuMemberPosition(), item);
  menu.OpenAtPointer(this);
}

void UIEquipPane::OnRButtonDown() {
  const int hit = PressSlot();
  if (hit >= 0) OpenSlotMenu(hit);
  for (UIObject* child : m_children) child->OnRButtonDown();
  const int item = SelectedItem();
  if (item >= 0) OpenListMenu(item);
}

void UIEquipPane::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIEquipPane::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}

void UIEquipPane::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
  ShowItemHelp(m_list, m_rowItems);
}

void UIEquipPane::DrawLocked(CRC* rc) {
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 4, "UserInterface\\tab3-5.bmp", 0, 0xFFFFFF);
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 38, "UserInterface\\equip_desk.bmp", 0, 0xFFFFFF);
  for (UIObject* child : m_children) child->DrawLocked(rc);
  if (g_pMenuPlayer == nullptr) return;
  for (int d = 0; d < static_cast<int>(uiequippane::kDisplaySlots.size()); ++d) {
    const ITM* it = MenuItem(WornAt(*g_pMenuPlayer, d));
    if (it == nullptr) continue;
    const int c = uiequippane::SlotX(d), r = uiequippane::SlotRow(d);
    if (!it->icon.empty()) {
      DrawBitmap(rc, g_uiOriginX + 260 + 82 * c, g_uiOriginY + 49 + 28 * r, it->icon.c_str(), 0, 0xFFFFFF);
    }
    if (rc == nullptr) continue;
    const int x = g_uiOriginX + 172 + 197 * c, y = g_uiOriginY + 51 + 28 * r;
    if (d == m_slot) {
      rc->DrawText(x, y, ("&r" + it->name).c_str(), false, 255, 255, 255);
    } else {
      rc->DrawText2(x, y, SlotItemName(it->name).c_str(), false, 255, 255, 255);
    }
  }
}

void UIEquipPane::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
  if (rc == nullptr || g_pMenuPlayer == nullptr) return;
  const PlayerData& member = *g_pMenuPlayer;
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes(member.battleactname.c_str()));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes(member.battlesprname.c_str()));
  if (act != nullptr && spr != nullptr) {
    rc->DrawAction(g_uiOriginX + 314, g_uiOriginY + 138, act, spr, 0, 0, 1.0f, 0, 0xFFFFFFFF, true);
  }
  const int item = SelectedItem();
  const ITM* chosen = MenuItem(item);
  const auto* ok = dynamic_cast<const CSprRes*>(res.GetRes("system\\ok_shop.spr"));
  if (chosen != nullptr && ok != nullptr) {
    for (int d = 0; d < static_cast<int>(uiequippane::kDisplaySlots.size()); ++d) {
      const ITM* worn = MenuItem(WornAt(member, d));
      if (worn == nullptr || worn->kind != chosen->kind) continue;
      rc->DrawSprite(g_uiOriginX + 260 + 82 * uiequippane::SlotX(d), g_uiOriginY + 49 + 28 * uiequippane::SlotRow(d), ok, 0, 0xFFFFFFFF);
    }
  }
  const auto rows = CompareEquip(member, item, CSession::GetInstance());
  for (size_t k = 0; k < rows.size(); ++k) {
    const int y = g_uiOriginY + 66 + 17 * static_cast<int>(k);
    DrawFontText(rc, g_uiOriginX + 491, y, rows[k].label, 0);
    DrawFontTextRight(rc, g_uiOriginX + 549, y, std::to_string(rows[k].now).c_str(), 1);
    if (rows[k].with == rows[k].now) continue;
    DrawFontTextRight(rc, g_uiOriginX + 591, y, std::to_string(rows[k].with).c_str(), 0);
    DrawSystemNumber(rc, g_uiOriginX + 554, y, rows[k].with < rows[k].now ? "." : "!", 0);
  }
}
