#include "ui/UIMagicPane.h"

#include <algorithm>
#include <array>

#include "engine/Wave.h"
#include "session/DataTables.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemPane.h"
#include "ui/UIMagicBox.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIShopMode.h"
#include "ui/UIStatusBar.h"
#include "ui/UIStatusTab.h"

namespace {

constexpr std::array<int, 7> kFieldSkills = {113, 116, 117, 118, 119, 121, 123};

bool BuildMagic(int category, int position, std::vector<int>* indexes) {
  CMagicList& list = CMagicList::GetInstance();
  if (!list.Build(category, position)) return false;
  *indexes = list.Indexes();
  return true;
}

bool BuildSkills(int category, int position, std::vector<int>* indexes) {
  CSkillList& list = CSkillList::GetInstance();
  if (!list.Build(category, position)) return false;
  *indexes = list.Indexes();
  return true;
}

UICostBox* MakeMagicBox() { return new UIMagicBox; }
UICostBox* MakeSkillBox() { return new UISkillBox; }

constexpr UsePageTraits kMagicPage{HeaderPage::kMagic,
                               1,
                               4,
                               5,
                               {"火계열", "水계열", "風계열", "地계열", "모두보기"},
                               86,
                               "마법 사용",
                               34,
                               MakeMagicBox,
                               BuildMagic,
                               MagicRow,
                               CastMagicFromMenu};

constexpr UsePageTraits kSkillPage{HeaderPage::kSkill,
                               0,
                               3,
                               4,
                               {"I.S.P.계열", "E.S.P.계열", "P.S.P.계열", "모두보기", nullptr},
                               114,
                               "기술 사용",
                               35,
                               MakeSkillBox,
                               BuildSkills,
                               SkillRow,
                               UseSkillFromMenu};

}  // namespace

UIMagicPane::UIMagicPane() : UIUsePane(kMagicPage) {}
UISkillPane::UISkillPane() : UIUsePane(kSkillPage) {}

// The table keeps a magic's costs in another order than its "#cost" line:
// the page shows them as the line gives them.
UseRow MagicRow(int magic) {
  const MagicTypeInfo* info = CMagicMgr::GetInstance().GetMagicTypeInfo(magic);
  if (info == nullptr) return UseRow{};
  return UseRow{info->name, info->desc, {info->cost[0], info->cost[1], info->cost[3], info->cost[2]},
                info->useType != 0};
}

bool IsFieldSkill(int skill) {
  return std::find(kFieldSkills.begin(), kFieldSkills.end(), skill) != kFieldSkills.end();
}

UseRow SkillRow(int skill) {
  const SkillTypeInfo* info = CSkillMgr::GetInstance().GetSkillTypeInfo(skill);
  if (info == nullptr) return UseRow{};
  return UseRow{info->name, info->desc, {info->cost[0], info->cost[1], info->cost[2]},
                info->useType != 0 && IsFieldSkill(skill)};
}

const char* MagicRefusal(int reason) {
  switch (reason) {
    case 0: return "매직포인트가 부족합니다";
    case 1: return "디스말이 없습니다";
    case 2: return "크로나임이 없습니다";
    case 3: return "휘옐이 없습니다";
    default: return "협력 마법입니다";
  }
}

void CastMagicFromMenu(int magic, int position, int slot) {
  CSession& session = CSession::GetInstance();
  int reason = 0;
  if (!session.CanCastMagic(position, magic, &reason)) {
    ShowScreenMessage(MagicRefusal(reason));
    return;
  }
  session.PayMagicCost(position, magic);
  session.UseMagicOnParty(position, true, slot, true, magic);
  PlayWave("마법사용(다이어리).wav");
}

void UseSkillFromMenu(int skill, int position, int slot) {
  CSession& session = CSession::GetInstance();
  if (!session.CanPaySkillCost(position, skill)) {
    ShowScreenMessage("스킬포인트가 부족합니다");
    return;
  }
  session.PaySkillCost(position, skill);
  session.UseSkillOnParty(slot, true, skill);
}

int UIUsePane::SelectedIndex() const {
  if (m_list == nullptr || m_list->m_selection < 0) return -1;
  const auto row = static_cast<size_t>(m_list->m_selection);
  return row < m_rowIndexes.size() ? m_rowIndexes[row] : -1;
}

void UIUsePane::Open() {
  m_category = m_traits.allCategory;
  m_list = m_traits.makeBox();
  m_list->Setup(g_uiOriginX + 165, g_uiOriginY + 115, g_uiOriginX + 600, g_uiOriginY + 385, 1, 0, true, false);
  AddChild(m_list);
  for (int id = 0; id < m_traits.radios; ++id) {
    const auto i = static_cast<size_t>(id);
    auto* radio = new UIRadioBtn;
    radio->Setup(g_uiOriginX + 173 + m_traits.radioPitch * id, g_uiOriginY + 396, m_traits.labels[i], id, 0);
    radio->m_checked = id == m_category ? 1 : 0;
    AddChild(radio);
  }
}

void UIUsePane::ChangeCategory(int id) {
  m_category = id;
  Refresh();
  if (m_list != nullptr) {
    m_list->Notify(this, 2, 0, 0);
    m_list->Notify(this, 13, 0, 0);
  }
  for (UIObject* child : m_children) {
    if (dynamic_cast<UIRadioBtn*>(child) != nullptr) child->Notify(this, 4, 0, 0);
  }
}

void UIUsePane::Rebuild() {
  if (m_list == nullptr || g_pMenuPlayer == nullptr || g_pMenuPlayer->ismagicman != m_traits.memberKind) return;
  std::vector<int> indexes;
  if (!m_traits.build(m_category, MenuMemberPosition(), &indexes)) return;
  if (m_list->m_count > 0) {
    m_list->Notify(this, 14, -1, 0);
    m_list->ClearRows();
  }
  m_rowIndexes.clear();
  for (int index : indexes) {
    const UseRow row = m_traits.row(index);
    m_list->AddRow(row.name.c_str(), row.costs, row.usable);
    m_rowIndexes.push_back(index);
  }
}

void UIUsePane::Use(UIObject* sender, int index, int slot) {
  if (index == -1 || g_pCurrentDesktop == nullptr) return;
  UIDesktop& desktop = *g_pCurrentDesktop;
  if (sender == &desktop.m_playerMenu) {
    const int position = MenuMemberPosition();
    if (position >= 0) m_traits.use(index, position, slot);
    return;
  }
  desktop.m_playerMenu.OpenAtPointer(this);
  desktop.m_playerMenu.SetNotify(m_traits.useCode, index);
}

void UIUsePane::Notify(UIObject* sender, int code, int a, int b) {
  if (code == m_traits.useCode) {
    Use(sender, a, b);
    return;
  }
  switch (code) {
    case 3:
      ChangeCategory(a);
      break;
    case 12:
      Open();
      break;
    case 15:
      Rebuild();
      break;
    default:
      break;
  }
}

void UIUsePane::OpenUseMenu(int index) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMenu& menu = g_pCurrentDesktop->m_popupMenu;
  menu.Clear();
  menu.AddItem(m_traits.menuEntry, m_traits.useCode, index, 0, 1);
  menu.OpenAtPointer(this);
}

void UIUsePane::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
  const int index = SelectedIndex();
  if (UIRepeatedRowPress(index, m_lastIndex)) OpenUseMenu(index);
}

void UIUsePane::OnRButtonDown() {
  for (UIObject* child : m_children) child->OnRButtonDown();
  const int index = SelectedIndex();
  if (index >= 0) OpenUseMenu(index);
}

void UIUsePane::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIUsePane::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}

void UIUsePane::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
  if (m_list == nullptr || m_list->m_count == 0 || g_pStatusBar == nullptr) return;
  const int row = m_list->m_hover;
  if (row < 0 || row >= static_cast<int>(m_rowIndexes.size())) {
    g_pStatusBar->Clear();
    return;
  }
  g_pStatusBar->SetText(m_traits.row(m_rowIndexes[static_cast<size_t>(row)]).desc.c_str(), "");
}

void UIUsePane::DrawLocked(CRC* rc) { DrawMemberHeaderLocked(rc, m_traits.header, *this, g_pMenuPlayer); }

void UIUsePane::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
  DrawMemberHeader(rc, g_pMenuPlayer);
}
