#include "ui/UIItemPane.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/FileStream.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/MenuList.h"
#include "session/ScrapMgr.h"
#include "session/Session.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"
#include "ui/UIMemberHeader.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIStatusBar.h"
#include "ui/UIStatusTab.h"

int32_t g_menuListTop = 0;
int32_t g_menuLastItem = -1;

namespace {
namespace uiitempane {

constexpr int kReadableAttr = 27;
constexpr std::array<const char*, 5> kLabels = {"회복", "전투", "귀중품", "기타", "모두보기"};
constexpr int kAllId = 4, kAllCategory = 5;


}  // namespace uiitempane
}  // namespace

const ITM* MenuItem(int index) {
  const CItemMgr& items = CItemMgr::GetInstance();
  return index >= 0 && index < items.GetCount() ? items.GetItem(index) : nullptr;
}

int MenuMemberPosition() {
  if (g_pMenuPlayer == nullptr) return -1;
  return CSession::GetInstance().GetPartyId(g_pMenuPlayer->playerId);
}

void AddThrowEntries(UIMenu& menu, int item) {
  struct ThrowEntry {
    const char* text;
    int count;
  };
  static constexpr std::array<ThrowEntry, 5> kThrows = {
      {{"1개 버리기", 1}, {"5개 버리기", 5}, {"10개 버리기", 10}, {"20개 버리기", 20}, {"50개 버리기", 50}}};
  for (const ThrowEntry& t : kThrows) menu.AddItem(t.text, 8, item, t.count, 1);
}

bool IsUsableOnMember(int item) {
  const ITM* it = MenuItem(item);
  return it != nullptr && (it->kind == kItemFood || it->kind == kItemRestore || it->kind == kItemUpitem2);
}

bool IsReadableEvent(int item) {
  const ITM* it = MenuItem(item);
  return it != nullptr && it->kind == kItemEvent && it->GetAttr(uiitempane::kReadableAttr) != 0;
}

bool IsUnreadableEvent(int item) {
  const ITM* it = MenuItem(item);
  return it != nullptr && it->kind == kItemEvent && it->GetAttr(uiitempane::kReadableAttr) == 0;
}

void FillItemMenu(UIMenu& menu, int item) {
  menu.Clear();
  const ITM* it = MenuItem(item);
  if (it == nullptr) return;
  if (IsUsableOnMember(item)) {
    menu.AddItem("사용하기", 6, item, 0, 1);
    AddThrowEntries(menu, item);
  } else if (IsReadableEvent(item)) {
    menu.AddItem("읽기", 6, item, 0, 1);
  } else if (it->kind != kItemEvent) {
    AddThrowEntries(menu, item);
  }
}

std::vector<std::string> SplitItemTextLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

void MarkScrapsOf(const std::string& line, CSession& session) {
  const CScrapMgr& scraps = CScrapMgr::GetInstance();
  const int count = CountKeywords(line);
  for (int k = 0; k < count; ++k) {
    const int scrap = scraps.LookupName(GetKeyword(line, k));
    if (scrap < 0 || scrap >= CSession::kDiarySlots) continue;
    if (session.scrapDiary[static_cast<size_t>(scrap)] < 1) session.SetScrapDiary(scrap, 1);
  }
}

void ReadItemText(UIMessage& box, const std::string& itemName, CSession& session) {
  box.AddText(itemName.c_str());
  SetResDirectory("\\");
  CFileStream file;
  if (!file.Open("item\\" + itemName + ".txt", CFileStream::kRead)) {
    DebugLog((itemName + " 파일열기에러").c_str());
    return;
  }
  std::string bytes(static_cast<size_t>(std::max(file.GetSize(), 0)), '\0');
  const int32_t read = file.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
  bytes.resize(static_cast<size_t>(std::max(read, 0)));
  for (const std::string& line : SplitItemTextLines(bytes)) {
    box.AddText(line.c_str());
    MarkScrapsOf(line, session);
  }
}

int UIItemPane::SelectedItem() const {
  if (m_list == nullptr || m_list->m_selection < 0) return -1;
  const size_t row = static_cast<size_t>(m_list->m_selection);
  return row < m_rowItems.size() ? m_rowItems[row] : -1;
}

void UIItemPane::Open() {
  m_list = new UIListBox;
  m_list->Setup(g_uiOriginX + 165, g_uiOriginY + 115, g_uiOriginX + 600, g_uiOriginY + 385, 2, 40, true, true);
  g_menuListTop = 0;
  AddChild(m_list);
  for (int i = 0; i < static_cast<int>(uiitempane::kLabels.size()); ++i) {
    auto* radio = new UIRadioBtn;
    radio->Setup(g_uiOriginX + 173 + 86 * i, g_uiOriginY + 396, uiitempane::kLabels[static_cast<size_t>(i)], i, 0);
    radio->m_checked = i == uiitempane::kAllId ? 1 : 0;
    AddChild(radio);
  }
  Refresh();
}

void UIItemPane::ChangeCategory(int id) {
  m_category = id == uiitempane::kAllId ? uiitempane::kAllCategory : id;
  Refresh();
  if (m_list != nullptr) {
    m_list->Notify(this, 2, 0, 0);
    m_list->Notify(this, 13, 0, 0);
  }
  for (UIObject* child : m_children) {
    if (dynamic_cast<UIRadioBtn*>(child) != nullptr) child->Notify(this, 4, 0, 0);
  }
  g_menuListTop = 0;
}

void UIItemPane::Rebuild() {
  if (m_list == nullptr) return;
  CItemList& list = CItemList::GetInstance();
  list.Build(m_category, 0);
  if (m_list->m_count > 0) {
    m_list->Notify(this, 14, -1, 0);
    m_list->Clear();
  }
  m_rowItems.clear();
  for (int i = 0; i < list.GetCount(); ++i) {
    const int item = list.Indexes()[static_cast<size_t>(i)];
    const ITM* it = MenuItem(item);
    // The row's flag marks what cannot be used: it draws in grey.
    m_list->AddItem(list.Names()[static_cast<size_t>(i)].c_str(), it != nullptr ? it->icon.c_str() : "",
                    IsUnreadableEvent(item) ? 1 : 0, list.Counts()[static_cast<size_t>(i)]);
    m_rowItems.push_back(item);
  }
  m_list->SetTop(g_menuListTop);
}

void UIItemPane::UseOn(int from, int to, int item) {
  CSession& session = CSession::GetInstance();
  session.UseItemPartyToParty(from, to, item);
  session.RemoveItem(item, 1);
  if (m_list != nullptr) g_menuListTop = m_list->GetTop();
  Refresh();
}

void UIItemPane::Use(UIObject* sender, int item, int slot) {
  if (g_pCurrentDesktop == nullptr) return;
  UIDesktop& desktop = *g_pCurrentDesktop;
  if (desktop.m_messageBox.TakeConfirmed() != 0) return;
  if (IsReadableEvent(item)) {
    Read(item);
    return;
  }
  if (sender == &desktop.m_playerMenu) {
    if (IsUsableOnMember(item) && MenuMemberPosition() >= 0) UseOn(MenuMemberPosition(), slot, item);
    return;
  }
  desktop.m_playerMenu.OpenAtPointer(this);
  desktop.m_playerMenu.SetNotify(6, item);
}

void UIItemPane::Read(int item) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMessage& box = g_pCurrentDesktop->m_messageBox;
  const ITM* it = MenuItem(item);
  box.SetText(it->name.c_str(), this, 6, item, 0);
  box.PopupLong(this);
  ReadItemText(box, it->name, CSession::GetInstance());
}

void UIItemPane::Throw(int item, int count) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMessage& box = g_pCurrentDesktop->m_messageBox;
  if (box.TakeConfirmed() != 0) {
    CSession::GetInstance().dropitem(item, count);
    if (m_list != nullptr) g_menuListTop = m_list->GetTop();
    Refresh();
    return;
  }
  box.SetText("진짜 버리실 건가요?", this, 8, item, count);
  box.Popup(this, UIMessage::kYesNo, 230, 150);
}

void UIItemPane::Notify(UIObject* sender, int code, int a, int b) {
  switch (code) {
    case 3:
      ChangeCategory(a);
      break;
    case 6:
      Use(sender, a, b);
      break;
    case 8:
      Throw(a, b);
      break;
    case 12:
      Open();
      break;
    case 15:
      Rebuild();
      break;
    case 18: {
      // Food and its like are used at once and a readable item is read;
      // other kinds get the menu.
      const int item = a >= 0 && a < static_cast<int>(m_rowItems.size()) ? m_rowItems[static_cast<size_t>(a)] : -1;
      if (IsUsableOnMember(item) && MenuMemberPosition() >= 0) UseOn(MenuMemberPosition(), MenuMemberPosition(), item);
      if (IsReadableEvent(item)) Read(item);
      break;
    }
    default:
      break;
  }
}

void UIItemPane::OpenItemMenu(int item) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMenu& menu = g_pCurrentDesktop->m_popupMenu;
  FillItemMenu(menu, item);
  if (menu.m_count == 0) return;
  menu.OpenAtPointer(this);
}

void UIItemPane::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
  const int item = SelectedItem();
  if (UIRepeatedRowPress(item, g_menuLastItem)) OpenItemMenu(item);
}

void UIItemPane::OnRButtonDown() {
  for (UIObject* child : m_children) child->OnRButtonDown();
  const int item = SelectedItem();
  if (item >= 0) OpenItemMenu(item);
}

void UIItemPane::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIItemPane::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}

void UIItemPane::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
  ShowItemHelp(m_list, m_rowItems);
}

void ShowItemHelp(const UIListBox* list, const std::vector<int32_t>& rowItems) {
  if (list == nullptr || list->m_count == 0 || g_pStatusBar == nullptr) return;
  const int row = list->m_hover;
  const ITM* it = row >= 0 && row < static_cast<int>(rowItems.size()) ? MenuItem(rowItems[static_cast<size_t>(row)]) : nullptr;
  if (it == nullptr) {
    g_pStatusBar->Clear();
    return;
  }
  char volume[32];
  std::snprintf(volume, sizeof volume, "부피: %d", it->supply);
  g_pStatusBar->SetText(it->desc.c_str(), volume);
}

void UIItemPane::DrawLocked(CRC* rc) { DrawMemberHeaderLocked(rc, HeaderPage::kItem, *this, g_pMenuPlayer); }

void UIItemPane::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
  DrawMemberHeader(rc, g_pMenuPlayer);
}
