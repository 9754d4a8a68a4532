#include "ui/UITacticsPane.h"

#include <algorithm>

#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"

const char* const kTacticsTexts[UITacticsPane::kTactics] = {" 매뉴얼", "열혈공격", "공격우선",
                                                            "도망우선", "공격지원", " 커스텀"};

namespace {

int PartySize() { return std::clamp(CSession::GetInstance().partyCount, 0, CSession::kMaxParty); }

}  // namespace

UIPoint UITacticsPane::ListCorner(int i) { return UIPoint{210 + 158 * (i % 3), 120 + 155 * (i / 3)}; }
UIPoint UITacticsPane::CardPlace(int i) { return UIPoint{180 + 156 * (i % 3), 240 + 155 * (i / 3)}; }
UIPoint UITacticsPane::GridCorner(int i) { return UIPoint{158 * (i % 3), 80 + 155 * (i / 3)}; }

void UITacticsPane::Open() {
  DestroyChildren();
  m_lists.clear();
  for (int i = 0; i < PartySize(); ++i) {
    auto* list = new UIListBox;
    const UIPoint corner = ListCorner(i);
    const int x0 = g_uiOriginX + corner.x, y0 = g_uiOriginY + corner.y;
    list->Setup(x0, y0, x0 + 95, y0 + 145, 1, 0, false, false);
    for (const char* text : kTacticsTexts) list->AddItem(text, nullptr, 1, -1);
    AddChild(list);
    m_lists.push_back(list);
    // A damaged save may hold a tactics id outside the rows: no row shows it.
    const PlayerData* member = CSession::GetInstance().GetPartyMember(i);
    const int id = member != nullptr ? member->tacticsId : -1;
    list->Notify(this, 14, id >= 0 && id < kTactics ? id : -1, 0);
  }
  Rebuild();
}

void UITacticsPane::Rebuild() {
  m_cards.clear();
  const CSession& session = CSession::GetInstance();
  for (int i = 0; i < PartySize(); ++i) {
    const PlayerData* member = session.GetPartyMember(i);
    if (member == nullptr) continue;
    const UIPoint place = CardPlace(i);
    m_cards.push_back(MakeMemberCard(member->playerId, g_uiOriginX + place.x, g_uiOriginY + place.y, 5));
  }
}

void UITacticsPane::Notify(UIObject* sender, int code, int, int) {
  if (sender != this && std::find(m_lists.begin(), m_lists.end(), sender) != m_lists.end()) return;
  if (code == 12) Open();
  if (code == 15) Rebuild();
}

void UITacticsPane::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
  CSession& session = CSession::GetInstance();
  for (size_t i = 0; i < m_lists.size(); ++i) {
    if (m_lists[i]->RowUnderPointer() == -1) continue;
    PlayerData* member = session.GetPartyMember(static_cast<int>(i));
    if (member != nullptr) member->tacticsId = m_lists[i]->m_selection;
  }
}

// The grid opens only for the list the pointer is on: a list answers its
// selection for a pointer anywhere, which would open the one grid for every
// custom member in turn.
void UITacticsPane::OnRButtonDown() {
  if (g_pCurrentDesktop == nullptr) return;
  const CSession& session = CSession::GetInstance();
  for (size_t i = 0; i < m_lists.size(); ++i) {
    const UIListBox& list = *m_lists[i];
    if (list.RowUnderPointer() == -1 || list.m_selection != kCustom) continue;
    const PlayerData* member = session.GetPartyMember(static_cast<int>(i));
    if (member == nullptr) continue;
    const UIPoint grid = GridCorner(static_cast<int>(i));
    g_pCurrentDesktop->m_tacticsMenu.OpenFor(g_uiOriginX + grid.x, g_uiOriginY + grid.y, member->playerId, this);
  }
}

void UITacticsPane::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UITacticsPane::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}
void UITacticsPane::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
}

void UITacticsPane::DrawLocked(CRC* rc) {
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 4, "UserInterface\\tab1-5.bmp", 0, 0xFFFFFF);
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 38, "UserInterface\\tactics_desk.bmp", 0, 0xFFFFFF);
  for (UIObject* child : m_children) child->DrawLocked(rc);
}

void UITacticsPane::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
  for (const MemberCard& card : m_cards) DrawMemberCard(card, rc, 5, false);
}
