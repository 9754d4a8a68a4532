#include "ui/UIPartyPanels.h"

#include <algorithm>

#include "field/SelvarinContext.h"
#include "session/Session.h"
#include "ui/UICloseSession.h"
#include "ui/UIShopMode.h"

namespace {

std::vector<int> IdsOf(const int32_t* ids, int count, int limit) {
  return std::vector<int>(ids, ids + std::clamp(count, 0, limit));
}

// The field's party figures are made again in the new order, so they stand
// right when the screen closes.
template <class Change>
void ChangeParty(Change change) {
  CSelvarinContext* context = GetFieldContext();
  if (context != nullptr) context->FreePlayers();
  change(CSession::GetInstance());
  if (context != nullptr) context->MakePlayerActors();
}

}  // namespace

void UIPartyPanel::Refresh() {
  m_cards.clear();
  const std::vector<int> ids = Members();
  for (size_t i = 0; i < ids.size(); ++i) {
    int x = 0, y = 0;
    Place(static_cast<int>(i), &x, &y);
    m_cards.push_back(MakeMemberCard(ids[i], x, y, m_displayMode));
  }
}

int UIPartyPanel::HitTest() const {
  const UIPoint p = UIPointer();
  if (p.x < m_x0 || p.x > m_x1 || p.y < m_y0 || p.y > m_y1) return -1;
  const int columns = Columns(), rows = Rows();
  int c = 0;
  for (int k = 0; k < columns; ++k) {
    if (p.x > m_x0 + k * ((m_x1 - m_x0) / columns)) ++c;
  }
  const int rowHeight = (m_y1 - m_y0) / rows;
  const int row = rows > 1 && rowHeight > 0 ? (p.y - m_y0) / rowHeight : 0;
  // The bottom edge would start a row the rectangle does not show.
  if (c == 0 || row >= rows) return -1;
  const int index = row * columns + c - 1;
  return index < static_cast<int>(m_cards.size()) ? index : -1;
}

void UIPartyPanel::Draw(CRC* rc) {
  UIPanel::Draw(rc);
  for (size_t i = 0; i < m_cards.size(); ++i) {
    DrawMemberCard(m_cards[i], rc, m_displayMode, static_cast<int>(i) == m_selection);
  }
}

void UIPartyPanel::OnLButtonDown() {
  const int previous = m_selection;
  m_selection = HitTest();
  if (m_selection != -1) {
    Notify(this, 14, m_selection, 0);
    if (m_selection == previous) Notify(this, 18, m_selection, 0);
  }
  UIPanel::OnLButtonDown();
}

// The screen gives every press to both panels, so both step together.
void UIPartyPanel::OnRButtonDown() {
  UIPanel::OnRButtonDown();
  m_displayMode = (m_displayMode + 1) % kDisplayModes;
  m_selection = -1;
  Refresh();
}

void UIPartyPanel::Activate(int a) {
  if (a < 0 || a >= static_cast<int>(m_cards.size()) || !Move(a)) return;
  NotifyParent(15, 0, 0);
  m_selection = -1;
}

void UIPartyPanel::Notify(UIObject* sender, int code, int a, int) {
  if (IsChildOf(this, sender)) return;  // the icons' presses
  switch (code) {
    case 12:
      Open();
      m_displayMode = 0;
      m_selection = -1;
      Refresh();
      break;
    case 15:
      Refresh();
      break;
    case 18:
      if (sender == this) Activate(a);
      break;
    default:
      break;
  }
}

void UIInnPartyPanel::Open() {
  DestroyChildren();
  AddCloseIcon(*this, m_x1, m_y0 + 10);
}

std::vector<int> UIInnPartyPanel::Members() const {
  const CSession& session = CSession::GetInstance();
  return IdsOf(session.innIds.data(), session.innCount, CSession::kPlayerCount);
}

void UIInnPartyPanel::Place(int i, int* x, int* y) const {
  *x = m_x0 + 40 + ((m_x1 - m_x0) / 5) * (i % 5);
  *y = m_y0 + 100 + ((m_y1 - m_y0) / 2) * (i / 5);
}

bool UIInnPartyPanel::Move(int a) {
  CSession& session = CSession::GetInstance();
  if (session.partyCount >= CSession::kMaxParty || a >= session.innCount) return false;
  const int id = session.innIds[static_cast<size_t>(a)];
  ChangeParty([id](CSession& s) { s.GetupPlayer(id); });
  return true;
}

std::vector<int> UICurPartyPanel::Members() const {
  const CSession& session = CSession::GetInstance();
  return IdsOf(session.partyIds.data(), session.partyCount, CSession::kMaxParty);
}

void UICurPartyPanel::Place(int i, int* x, int* y) const {
  *x = m_x0 + 40 + ((m_x1 - m_x0) / 6) * i;
  *y = m_y0 + 70;
}

bool UICurPartyPanel::Move(int a) {
  CSession& session = CSession::GetInstance();
  if (session.partyCount == 1 || a >= session.partyCount) return false;
  const int id = session.partyIds[static_cast<size_t>(a)];
  ChangeParty([id](CSession& s) { s.WaitPlayer(id); });
  return true;
}
