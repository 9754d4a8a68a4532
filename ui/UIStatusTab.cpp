#include "ui/UIStatusTab.h"

#include <array>

#include "engine/Wave.h"
#include "field/SelvarinContext.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"
#include "ui/UIEquipPane.h"
#include "ui/UIIcon.h"
#include "ui/UIItemPane.h"
#include "ui/UIMagicPane.h"
#include "ui/UIStatusPane.h"

PlayerData* g_pMenuPlayer = nullptr;

namespace {
namespace uistatustab {

constexpr std::array<UITab::IconEntry, 5> kPageIcons = {
    {{"Status", 2}, {"Item", 0}, {"Equip", 1}, {"Magic", 3}, {"Skill", 4}}};

}  // namespace uistatustab
}  // namespace

std::string MemberLabel(const std::string& engname) {
  if (engname.find('2') == std::string::npos) return engname;
  return engname.substr(0, engname.size() - 1);
}

UIStatusTab::UIStatusTab() {
  m_panes.emplace_back(new UIStatusPane);
  m_panes.emplace_back(new UIItemPane);
  m_panes.emplace_back(new UIEquipPane);
  m_panes.emplace_back(new UIMagicPane);
  m_panes.emplace_back(new UISkillPane);
  m_client = m_panes[kItem].get();
}

UIStatusTab::~UIStatusTab() {
  if (!m_members.empty()) g_pMenuPlayer = nullptr;
}

void UIStatusTab::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    MakePageIcons(uistatustab::kPageIcons);
    m_current = m_icons[kStatus].get();
    m_current->Select();
    RebuildMemberIcons();
    for (auto& pane : m_panes) pane->Notify(sender, code, a, b);
    SetPage(kStatus);
  } else if (code == 0 || code == 1) {
    MoveMember(a, code == 0);
  }
}

void UIStatusTab::MoveMember(int index, bool up) {
  CSession& session = CSession::GetInstance();
  const bool possible = up ? index > 0 && index < session.partyCount : index >= 0 && index < session.partyCount - 1;
  if (!possible) return;
  CSelvarinContext* context = GetFieldContext();
  if (context != nullptr) context->FreePlayers();
  if (up) {
    session.SwapPartyUp(index);
  } else {
    session.SwapPartyDown(index);
  }
  if (context != nullptr) context->MakePlayerActors();
  RebuildMemberIcons();
  SetPage(m_page);
}

void UIStatusTab::RebuildMemberIcons() {
  m_selectedMember = nullptr;
  m_hoveredMember = nullptr;
  m_members.clear();
  g_pMenuPlayer = nullptr;
  CSession& session = CSession::GetInstance();
  for (int i = 0; i < session.partyCount && i < CSession::kMaxParty; ++i) {
    const PlayerData* member = session.GetPartyMember(i);
    if (member == nullptr) continue;
    m_members.emplace_back(NewColumnIcon(i, "system\\PlayerIcon.act", "system\\PlayerIcon.spr", member->playerId,
                                         MemberLabel(member->engname).c_str()));
  }
  if (!m_members.empty()) SelectMember(0);
}

void UIStatusTab::SelectMember(int index) {
  ChooseIcon(m_members[static_cast<size_t>(index)].get(), m_selectedMember);
  m_memberIndex = index;
  g_pMenuPlayer = CSession::GetInstance().GetPartyMember(index);
}

void UIStatusTab::SelectPageIcon(int page) {
  UIIcon* icon = m_icons.size() > static_cast<size_t>(page) ? m_icons[static_cast<size_t>(page)].get() : nullptr;
  if (icon == nullptr) return;
  if (m_current != nullptr && m_current != icon) m_current->Deselect();
  m_current = icon;
  m_current->Select();
  m_current->StartZoom(true);
}

int UIStatusTab::HiddenPage() const {
  return g_pMenuPlayer != nullptr && g_pMenuPlayer->ismagicman == 1 ? kSkill : kMagic;
}

void UIStatusTab::SetPage(int page) {
  const bool magic = HiddenPage() == kSkill;
  if (page == kMagic && !magic) {
    SelectPageIcon(kSkill);
    page = kSkill;
  } else if (page == kSkill && magic) {
    SelectPageIcon(kMagic);
    page = kMagic;
  }
  m_page = page;
  if (page >= kStatus && page <= kSkill) m_client = m_panes[static_cast<size_t>(page)].get();
  if (m_client != nullptr) m_client->Refresh();
}

int UIStatusTab::MemberUnderPointer(int left) const { return ColumnRowUnderPointer(left, m_members.size()); }

int UIStatusTab::AllowedPageUnderPointer() const {
  const int hit = IconUnderPointer();
  return hit == HiddenPage() ? -1 : hit;
}

void UIStatusTab::OnLButtonDown() {
  const int member = MemberUnderPointer(kColumnPressLeft);
  if (member != -1) {
    SelectMember(member);
    SetPage(m_page);
  }
  const int page = AllowedPageUnderPointer();
  if (page != -1) {
    if (m_icons[static_cast<size_t>(page)].get() != m_current) PlayWave("다이어리메뉴바꿀때나오는소리.wav");
    SelectPageIcon(page);
    SetPage(page);
  }
  if (m_client != nullptr) m_client->OnLButtonDown();
}

void UIStatusTab::OnRButtonDown() {
  const int member = MemberUnderPointer(kColumnPressLeft);
  if (member != -1) {
    SelectMember(member);
    SetPage(m_page);
    if (g_pCurrentDesktop != nullptr) {
      UIMenu& menu = g_pCurrentDesktop->m_popupMenu;
      menu.Clear();
      menu.AddItem("위로 올리기", 0, member, 0, 1);
      menu.AddItem("아래로 내리기", 1, member, 0, 1);
      menu.OpenAtPointer(this);
    }
  }
  if (m_client != nullptr) m_client->OnRButtonDown();
}

void UIStatusTab::OnMouseMove() {
  const int member = MemberUnderPointer(kColumnHoverLeft);
  TrackHover(member != -1 ? m_members[static_cast<size_t>(member)].get() : nullptr, m_hoveredMember);
  const int page = AllowedPageUnderPointer();
  TrackHover(page != -1 ? m_icons[static_cast<size_t>(page)].get() : nullptr, m_hovered);
  if (m_client != nullptr) m_client->OnMouseMove();
}


void UIStatusTab::DrawLocked(CRC* rc) {
  if (m_client != nullptr) m_client->DrawLocked(rc);
  DrawBitmap(rc, g_uiOriginX + 9, g_uiOriginY + 37, "UserInterface\\ltab-01.bmp", 0, 0xFFFFFF);
}

void UIStatusTab::Draw(CRC* rc) {
  if (m_client != nullptr) m_client->Draw(rc);
  for (auto& member : m_members) member->Draw(rc);
  const int hidden = HiddenPage();
  for (size_t i = 0; i < m_icons.size(); ++i) {
    if (static_cast<int>(i) != hidden) m_icons[i]->Draw(rc);
  }
}
