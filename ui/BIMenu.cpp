#include "ui/BIMenu.h"

#include <algorithm>

#include "engine/ResMgr.h"
#include "engine/Wave.h"
#include "platform/DebugLog.h"
#include "render/RC.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIEquipStatusBox.h"
#include "ui/BIMenuList.h"
#include "ui/BIMenuParts.h"
#include "ui/BattleMenuSet.h"
#include "ui/Draw2d.h"

namespace {
namespace bimenu {

constexpr const char* kConfirmSound = "전투 메뉴 선택시 나는 소리.wav";
constexpr const char* kMoveSound = "마우스온.wav";
constexpr int kRow = 20;
constexpr int kMaxHeight = 200;
constexpr int kMinWidth = 100;
constexpr int kFrameMargin = 30;

struct TabGroup {
  int first;  // menu key of page 0
};
constexpr TabGroup kTabGroups[] = {{CBattleMenuSet::kMagicPage}, {CBattleMenuSet::kEquipPage}, {CBattleMenuSet::kItemPage}};

BICaptionDeskTop* DeskTop() { return BICaptionDeskTop::Instance(); }

// The children as they are now; a handler may change the list.
template <class F>
void ForEachChild(BICaption& parent, F f) {
  const std::list<BICaption*> children = parent.m_children;
  for (BICaption* child : children) {
    if (parent.HasChild(child)) f(*child);
  }
}

}  // namespace bimenu
}  // namespace

int TabGroupOf(int key) {
  for (size_t g = 0; g < std::size(bimenu::kTabGroups); ++g) {
    if (key >= bimenu::kTabGroups[g].first && key < bimenu::kTabGroups[g].first + 4) return static_cast<int>(g);
  }
  return -1;
}

BIMenu::~BIMenu() {
  if (m_owner == nullptr) return;
  if (m_owner->m_equipBox != nullptr) m_owner->m_equipBox->m_menu = nullptr;
  m_owner->m_subMenu = nullptr;
}

int BIMenu::TabbedKey(int key) {
  const int group = TabGroupOf(key);
  const BICaptionDeskTop* deskTop = bimenu::DeskTop();
  if (group < 0 || deskTop == nullptr) return key;
  return bimenu::kTabGroups[group].first + std::clamp(deskTop->m_tabPages[static_cast<size_t>(group)], 0, 3);
}

void BIMenu::Fill(int key) {
  const int previousX = m_x;
  const bool fromTab = m_tab != nullptr;
  m_count = 0;
  m_firstShown = 0;
  key = TabbedKey(key);
  CBattleMenuSet& set = CBattleMenuSet::GetInstance();
  const BICaptionDeskTop* deskTop = bimenu::DeskTop();
  const int acting = deskTop != nullptr ? deskTop->ActingPosition() : -1;
  const bool perCharacter = key >= CBattleMenuSet::kMagicPage && key <= CBattleMenuSet::kItemPage + 3;
  const BattleMenuRecord* record = set.GetRecord(perCharacter ? set.BuildSubMenu(key, acting) : set.FindRecord(key));
  if (record == nullptr) DebugLog("Menu Does Not Exist");

  int widest = 0;
  std::vector<BIMenuList*> rows;
  if (record != nullptr) {
    m_hotkeysEnabled = record->hotkeysEnabled;
    for (const BattleMenuEntry& entry : record->entries) {
      auto* row = new BIMenuList;
      row->m_y = bimenu::kRow + bimenu::kRow * m_count;
      row->m_height = bimenu::kRow;
      row->m_name = entry.name;
      row->m_command = entry.command;
      row->m_hotkey = entry.hotkey;
      row->m_index = entry.index;
      row->m_disabled = entry.disabled;
      row->m_subMenuKey = entry.subMenuKey;
      CRC* rc = BICurrentRC();
      widest = std::max(widest, rc != nullptr ? rc->GetTextWidth(entry.name.c_str()) : 0);
      AddChild(row);
      rows.push_back(row);
      ++m_count;
    }
  }
  m_height = std::min(bimenu::kRow * m_count + 2 * bimenu::kRow, bimenu::kMaxHeight);
  const int rowWidth = std::max(widest, bimenu::kMinWidth) / bimenu::kRow * bimenu::kRow;
  for (BIMenuList* row : rows) row->m_width = rowWidth;
  m_width = rowWidth + bimenu::kFrameMargin;
  Place(fromTab, previousX);

  if (record != nullptr && record->tabPage != -1) {
    if (m_tab == nullptr) m_tab = static_cast<BIMenuTab*>(AddChild(new BIMenuTab));
    m_tab->m_x = 0;
    m_tab->m_y = m_height - bimenu::kRow;
    m_tab->m_width = 100;
    m_tab->m_height = bimenu::kRow;
    m_tab->m_page = record->tabPage;
    m_tab->m_group = std::max(TabGroupOf(key), 0);
    m_tab->m_pageKeys = record->pageKeys;
  }
  if ((m_height - 2 * bimenu::kRow) / bimenu::kRow < m_count) AddChild(new BIMenuScrollBar(m_width - bimenu::kRow, 0, bimenu::kRow, m_height - bimenu::kRow));
  AddChild(new BIScroller(0, 0, m_width - bimenu::kRow, bimenu::kRow));
  m_key = key;
  NotifyTree(nullptr, 0, 0, 0, 0);
  if (m_owner != nullptr && m_owner->m_equipBox != nullptr) m_owner->m_equipBox->Notify(this, 4, -1, 0, 0);
}

void BIMenu::Place(bool fromTab, int previousX) {
  const int viewWidth = BIViewWidth();
  if (fromTab) {
    m_x = previousX;
    if (m_x + m_width > viewWidth - 5) m_x = viewWidth - 5 - m_width;
    return;
  }
  if (m_owner != nullptr) {
    if (const BIMenu* ownerMenu = m_owner->Menu()) {
      m_x = ownerMenu->m_x + ownerMenu->m_width + bimenu::kRow;
      if (m_x + m_width > viewWidth - 12) m_x = ownerMenu->m_x - m_width;
      m_y = ownerMenu->m_y + m_owner->m_y - bimenu::kRow;
    }
    return;
  }
  if (const BICaptionDeskTop* deskTop = bimenu::DeskTop()) {
    m_x = deskTop->m_menuX;
    m_y = deskTop->m_menuY;
  }
}

void BIMenu::Draw(CRC* rc) {
  CResMgr& res = CResMgr::GetInstance();
  res.GetRes("system/dlgFrame.act");
  res.GetRes("system/dlgFrame.spr");
  if (rc == nullptr || !rc->BeginScene()) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  // The page strip lies under the last row, where the frame's bottom edge
  // would be: a tabbed menu's frame reaches a row further down, so that the
  // strip stands inside it, clear of the rows, and the edge shows below.
  const int rows = (m_height - 2 * bimenu::kRow) / bimenu::kRow + (m_tab != nullptr ? 1 : 0);
  DrawDialogFrame(rc, x, y + bimenu::kRow, (m_width - 29) / bimenu::kRow, rows, 1, 0xFFFFFFFF, false);
  rc->EndScene();
}

BIMenuList* BIMenu::SelectedRow() const {
  for (BICaption* child : m_children) {
    if (auto* row = dynamic_cast<BIMenuList*>(child); row != nullptr && row->m_index == m_selected) return row;
  }
  return nullptr;
}

void BIMenu::KeepSelectionInView() {
  const int first = m_firstShown;
  if (m_selected < m_firstShown) m_firstShown = m_selected;
  if (m_selected > m_firstShown + kShownRows - 1) m_firstShown = m_selected - (kShownRows - 1);
  m_firstShown = std::clamp(m_firstShown, 0, std::max(m_count - kShownRows, 0));
  if (m_firstShown != first) NotifyTree(nullptr, 0, 0, 0, 0);
}

void BIMenu::PadKey(const char* sound) {
  PlayWave(sound);
  if (m_parent != nullptr) m_parent->BlurSiblingsOf(this);
}

void BIMenu::PollHotkeys() {
  if (m_parent != nullptr) m_parent->BlurSiblingsOf(this);
  if (m_hotkeysEnabled != 0) bimenu::ForEachChild(*this, [](BICaption& c) { c.PollHotkeys(); });
}

void BIMenu::OnConfirmKey() {
  PadKey(bimenu::kConfirmSound);
  bimenu::ForEachChild(*this, [](BICaption& c) { c.OnConfirmKey(); });
}

void BIMenu::OnBackKey() {
  PadKey(bimenu::kMoveSound);
  bimenu::ForEachChild(*this, [](BICaption& c) { c.OnBackKey(); });
}

void BIMenu::OnUpKey() {
  PadKey(bimenu::kMoveSound);
  if (m_count > 0) m_selected = m_selected > 0 ? m_selected - 1 : m_count - 1;
  bimenu::ForEachChild(*this, [](BICaption& c) { c.OnUpKey(); });
}

void BIMenu::OnDownKey() {
  PadKey(bimenu::kMoveSound);
  if (m_count > 0) m_selected = m_selected + 1 < m_count ? m_selected + 1 : 0;
  bimenu::ForEachChild(*this, [](BICaption& c) { c.OnDownKey(); });
}

void BIMenu::OnPageKey() {
  PadKey(bimenu::kMoveSound);
  if (m_tab == nullptr || m_focused == 0) {
    bimenu::ForEachChild(*this, [](BICaption& c) { c.OnPageKey(); });
    return;
  }
  // The next page that has a menu; a page without one cannot be chosen.
  int page = m_tab->m_page;
  for (int step = 1; step <= 4; ++step) {
    const int next = (m_tab->m_page + step) % 4;
    if (m_tab->m_pageKeys[static_cast<size_t>(next)] != -1) {
      page = next;
      break;
    }
  }
  m_tab->m_page = page;
  if (BICaptionDeskTop* deskTop = bimenu::DeskTop()) deskTop->m_tabPages[static_cast<size_t>(m_tab->m_group)] = page;
  Refill(m_tab->m_pageKeys[static_cast<size_t>(page)]);
}

void BIMenu::Refill(int key) {
  DeleteChildrenExcept(m_tab);
  Fill(key);
  Refresh();
}

void BIMenu::Refresh() { NotifyTree(nullptr, 1, 0, 0, 0); }

void BIMenu::Pointer(void (BICaption::*handler)()) {
  if (m_parent != nullptr) m_parent->BlurSiblingsOf(this);
  if (BICaption* child = ChildUnderPointer()) (child->*handler)();
  m_focused = 1;
}

void BIMenu::OnClick() { Pointer(&BICaption::OnClick); }

void BIMenu::OnHover() {
  Pointer(&BICaption::OnHover);
  BICaptionDeskTop* deskTop = bimenu::DeskTop();
  if (IsMainMenu() && m_owner == nullptr && deskTop != nullptr) {
    deskTop->m_menuX = m_x;
    deskTop->m_menuY = m_y;
  }
}

void BIMenu::OnPointerIdle() { Pointer(&BICaption::OnPointerIdle); }

void BIMenu::OnWheel() {
  bimenu::ForEachChild(*this, [](BICaption& c) { c.OnWheel(); });
}

void BIMenu::Notify(BICaption* sender, int code, int a, int b, int c) {
  switch (code) {
    case 2:
      BlurSiblingsOf(sender);
      break;
    case 3:
      Refresh();
      break;
    case 5:
      if (m_tab != nullptr) Refill(m_tab->m_pageKeys[static_cast<size_t>(std::clamp(m_tab->m_page, 0, 3))]);
      break;
    case 6:
      m_pendingKey = a;
      if (BICaptionDeskTop* deskTop = bimenu::DeskTop()) deskTop->Defer(this, 8);
      break;
    case 8:
      if (m_pendingKey == -1) break;
      DeleteChildren();
      Fill(m_pendingKey);
      m_pendingKey = -1;
      Refresh();
      break;
    default:
      break;
  }
}
