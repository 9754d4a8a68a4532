#include "ui/UIPlayerMenu.h"

#include <algorithm>
#include <cstdio>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

namespace {
namespace uiplayermenu {

constexpr int kMemberWidth = 60;

int PartyCount() { return std::clamp(CSession::GetInstance().partyCount, 0, CSession::kMaxParty); }

// The member at a party slot; null for an id outside the session.
const PlayerData* Member(int slot) {
  const CSession& session = CSession::GetInstance();
  const int id = session.partyIds[static_cast<size_t>(slot)];
  if (id < 0 || id >= CSession::kPlayerCount) return nullptr;
  return &session.players[static_cast<size_t>(id)];
}

}  // namespace uiplayermenu
}  // namespace

void UIPlayerMenu::Open(int x, int y, UIObject* owner) {
  m_rows = 4;
  m_cells = 3 * uiplayermenu::PartyCount();
  m_x = g_uiOriginX + 200;
  m_y = y;
  m_owner = owner;
  Show(1);
}

// The rectangle reaches 20 pixels past the last member: that is no slot.
int UIPlayerMenu::HitTest() {
  const UIPoint p = UIPointer();
  if (!InRectangle(p)) return -1;
  const int slot = (p.x - m_x) / uiplayermenu::kMemberWidth;
  return slot < uiplayermenu::PartyCount() ? slot : -1;
}

void UIPlayerMenu::Draw(CRC* rc) {
  if (m_shown == 0 || rc == nullptr) return;
  UIMenu::Draw(rc);
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\PlayerIcon.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\PlayerIcon.spr"));
  const int hovered = HitTest();
  for (int i = 0; i < uiplayermenu::PartyCount(); ++i) {
    const PlayerData* member = uiplayermenu::Member(i);
    if (member == nullptr) continue;
    const int left = m_x + uiplayermenu::kMemberWidth * i;
    const bool hot = i == hovered;
    rc->DrawAction(left + 30, m_y + 35, act, spr, member->playerId, hot ? 1 : 0, hot ? 1.5f : 1.0f, 0, 0xFFFFFFFF,
                   true);
    char hp[32];
    std::snprintf(hp, sizeof hp, "%d/%d", member->hp, member->maxhp);
    DrawFontTextRight(rc, left + 50, m_y + 72, hp, 0);
  }
}

void UIPlayerMenu::OnLButtonDown() {
  if (m_shown == 0) return;
  const int slot = HitTest();
  Show(0);
  if (slot >= 0) Tell(m_notifyCode, m_notifyValue, slot);
}
