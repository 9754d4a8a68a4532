#include "ui/UITacticsMenu.h"

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/DebugLog.h"
#include "render/RC.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

int32_t UITacticsMenu::s_blinkFrames = 0;

namespace {
namespace uitacticsmenu {

constexpr int kRows = 4, kColumns = 5;
constexpr int kCell = 27;
constexpr int kBlinkFrames = 20;

PlayerData* Player(int id) {
  if (id < 0 || id >= CSession::kPlayerCount) return nullptr;
  return &CSession::GetInstance().players[static_cast<size_t>(id)];
}

}  // namespace uitacticsmenu
}  // namespace

void UITacticsMenu::OpenFor(int x, int y, int member, UIObject* owner) {
  const PlayerData* player = uitacticsmenu::Player(member);
  if (player == nullptr) {
    DebugLogf("UITacticsMenu::OpenFor : no player %d", member);
    return;
  }
  const auto word = static_cast<uint32_t>(player->customTactic);
  for (int r = 0; r < uitacticsmenu::kRows; ++r) m_choices[static_cast<size_t>(r)] = static_cast<uint8_t>(word >> (24 - 8 * r));
  m_member = member;
  m_x = x;
  m_y = y;
  m_owner = owner;
  Show(1);
}

int UITacticsMenu::ColumnUnderPointer() const { return (UIPointer().x - m_x - 4) / uitacticsmenu::kCell; }

// The grid's bottom and right edges count as inside, which would make a
// fifth row and a sixth column: those are no hit.
int UITacticsMenu::HitTest() {
  const UIPoint p = UIPointer();
  if (p.x < m_x + 4 || p.y < m_y + 22 || p.x > m_x + 139 || p.y > m_y + 132) return -1;
  const int row = (p.y - m_y - 22) / uitacticsmenu::kCell;
  return row < uitacticsmenu::kRows && ColumnUnderPointer() < uitacticsmenu::kColumns ? row : -1;
}

void UITacticsMenu::OnLButtonDown() {
  if (m_shown == 0) return;
  const int row = HitTest();
  if (row < 0) {
    Show(0);
    return;
  }
  m_choices[static_cast<size_t>(row)] = static_cast<uint8_t>(ColumnUnderPointer());
  PlayerData* player = uitacticsmenu::Player(m_member);
  if (player == nullptr) return;
  const uint32_t word = uint32_t{m_choices[0]} << 24 | uint32_t{m_choices[1]} << 16 | uint32_t{m_choices[2]} << 8 |
                        uint32_t{m_choices[3]};
  player->customTactic = static_cast<int32_t>(word);
}

void UITacticsMenu::DrawLocked(CRC* rc) {
  if (m_shown != 0) DrawBitmap(rc, m_x, m_y, "UserInterface\\tactics.bmp", 0, 0xFFFFFF);
}

void UITacticsMenu::Draw(CRC* rc) {
  if (m_shown == 0 || rc == nullptr) return;
  const bool lit = s_blinkFrames / uitacticsmenu::kBlinkFrames % 2 == 1;
  ++s_blinkFrames;
  if (s_blinkFrames >= 2 * uitacticsmenu::kBlinkFrames) s_blinkFrames = 0;
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\tactics.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\tactics.spr"));
  for (int r = 0; r < uitacticsmenu::kRows; ++r) {
    for (int c = 0; c < uitacticsmenu::kColumns; ++c) {
      const int motion = lit && c == m_choices[static_cast<size_t>(r)] ? 1 : 0;
      rc->DrawAction(m_x + 17 + uitacticsmenu::kCell * c, m_y + 44 + 28 * r, act, spr, c, motion, 1.0f, 0, 0xFFFFFFFF, true);
    }
  }
}
