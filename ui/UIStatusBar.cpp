#include "ui/UIStatusBar.h"

#include <algorithm>
#include <string>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

UIStatusBar* g_pStatusBar = nullptr;

namespace {

constexpr int kMoneySprite = 58;

}  // namespace

void UIStatusBar::SetText(const char* title, const char* text) {
  m_title = title != nullptr ? title : "";
  m_text = text != nullptr ? text : "";
}

void UIStatusBar::Clear() {
  m_title.clear();
  m_text.clear();
}

void UIStatusBar::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  rc->DrawText(g_uiOriginX + 150, g_uiOriginY + 439, m_title.c_str(), false, 255, 255, 255);
  rc->DrawText(g_uiOriginX + 150, g_uiOriginY + 457, m_text.c_str(), false, 255, 255, 255);
}

void UIStatusBar::Draw(CRC* rc) {
  if (rc == nullptr) return;
  const auto* system = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system/system.spr"));
  if (system != nullptr) rc->DrawSprite(g_uiOriginX + 30, g_uiOriginY + 442, system, kMoneySprite, 0xFFFFFFFF);
  const CSession& session = CSession::GetInstance();
  const std::string gold = std::to_string(session.gold) + " ";
  DrawSystemNumberRight(rc, g_uiOriginX + 122, g_uiOriginY + 455, gold.c_str(), 0);
  const std::string packs =
      std::to_string(std::max(session.GetCarriedVolume(), 0)) + "/" + std::to_string(session.GetPartyCapacity());
  DrawSystemNumberRight(rc, g_uiOriginX + 122, g_uiOriginY + 472, packs.c_str(), 0);
}
