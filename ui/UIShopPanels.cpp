#include "ui/UIShopPanels.h"

#include <algorithm>
#include <string>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/PlayerData.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIBuyMode.h"
#include "ui/ShopList.h"
#include "ui/UIIcon.h"
#include "ui/UITextBox.h"

namespace {
namespace uishoppanels {

void DrawSystemSprite(CRC* rc, int x, int y, int id) {
  const auto* sprites = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system\\system.spr"));
  if (rc != nullptr && sprites != nullptr) rc->DrawSprite(x, y, sprites, id, 0xFFFFFFFF);
}

UIStatusPanel::Values ValuesOf(const PlayerData& p) {
  return {p.maxshp, p.strength, p.vitality, p.agility, p.intelligence, p.luck};
}

constexpr const char* kValueLabels[UIStatusPanel::kValues] = {"BP", "ATK", "DEF", "SPD", "MAG", "CRI"};

}  // namespace uishoppanels
}  // namespace

void UIMoneyPanel::Draw(CRC* rc) {
  UIPanel::Draw(rc);
  const CSession& session = CSession::GetInstance();
  uishoppanels::DrawSystemSprite(rc, m_x0, m_y1 - 25, 59);
  DrawSystemNumberRight(rc, m_x0 + 90, m_y1 - 12, (std::to_string(session.gold) + " ").c_str(), 0);
  uishoppanels::DrawSystemSprite(rc, m_x0 + 140, m_y1 - 25, 60);
  const std::string load = std::to_string(std::max(session.GetCarriedVolume(), 0)) + "/" +
                           std::to_string(session.GetPartyCapacity());
  DrawSystemNumberRight(rc, m_x0 + 250, m_y1 - 12, load.c_str(), 0);
}

UIInfoPanel::UIInfoPanel() : m_text(new UITextBox) { AddChild(m_text); }

void UIInfoPanel::Layout(int x0, int y0, int x1, int y1) {
  Setup(x0, y0, x1, y1, false, false, 0, nullptr, true);
  const UIRect r = GetClientRect();
  m_text->Setup(r.left, r.top, r.right, r.bottom);
}

void UIInfoPanel::Show(int item) {
  m_text->Clear();
  const ITM* record = item >= 0 ? CItemMgr::GetInstance().GetItem(item) : nullptr;
  if (record == nullptr) return;
  char line[160];
  std::snprintf(line, sizeof line, "[&s%s&w] 부피 : %d", record->name.c_str(), record->supply);
  m_text->AddText(line);
  if (!record->desc.empty()) m_text->AddText(record->desc.c_str());
}

void UIInfoPanel::Notify(UIObject* sender, int code, int a, int) {
  if (code == 17 && sender != m_text) Show(a);
}

void UIStatusPanel::Notify(UIObject* sender, int code, int, int) {
  if (code == 12) {
    const CSession& session = CSession::GetInstance();
    m_members = std::clamp(session.partyCount, 0, 6);
    for (int i = 0; i < m_members; ++i) {
      const PlayerData* member = session.GetPartyMember(i);
      auto* icon = new UIAniIcon;
      icon->Setup(m_x0 + 10 + 100 * i, m_y1 - 10, member != nullptr ? member->actname.c_str() : "",
                  member != nullptr ? member->sprname.c_str() : "", 1, 0, nullptr, -1);
      m_icons[static_cast<size_t>(i)] = icon;
      AddChild(icon);
    }
    Recompute(-1);
  } else if (code == 17 && sender != this) {
    // Whatever was chosen, in the goods list or the basket, the values are
    // for the goods list's row.
    Recompute(m_goods != nullptr ? m_goods->ChosenItem() : -1);
  }
}

void UIStatusPanel::Recompute(int item) {
  m_current = {};
  m_withItem = {};
  const CSession& session = CSession::GetInstance();
  const bool known = item >= 0 && CItemMgr::GetInstance().GetItem(item) != nullptr;
  for (int i = 0; i < m_members; ++i) {
    const auto n = static_cast<size_t>(i);
    if (m_icons[n] != nullptr) m_icons[n]->Deselect();
    const PlayerData* member = session.GetPartyMember(i);
    if (member == nullptr) continue;
    m_current[n] = uishoppanels::ValuesOf(*member);
    m_withItem[n] = m_current[n];
    if (!known) continue;
    PlayerData copy = *member;
    session.PutOnItem(item, copy);
    m_withItem[n] = uishoppanels::ValuesOf(copy);
    if (session.CanEquip(member->playerId, item) && m_icons[n] != nullptr) m_icons[n]->Select();
  }
}

void UIStatusPanel::Draw(CRC* rc) {
  UIPanel::Draw(rc);
  for (int i = 0; i < m_members; ++i) {
    const auto n = static_cast<size_t>(i);
    const int bx = m_x0 + 10 + 100 * i;
    for (int r = 0; r < kValues; ++r) {
      const int ry = m_y0 + 5 + 14 * r;
      const int now = m_current[n][static_cast<size_t>(r)];
      const int with = m_withItem[n][static_cast<size_t>(r)];
      DrawFontText(rc, bx, ry, uishoppanels::kValueLabels[r], 0);
      DrawFontNumberRight(rc, bx + 45, ry, now, 1);
      if (with == now) continue;
      DrawSystemNumber(rc, bx + 47, ry, with < now ? "." : "!", 0);
      DrawFontNumberRight(rc, bx + 75, ry, with, 1);
    }
  }
}

void UIStatusPanel::DrawLocked(CRC* rc) { UIPanel::DrawLocked(rc); }
