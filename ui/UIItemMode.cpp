#include "ui/UIItemMode.h"

#include "engine/ResMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/SkinList.h"
#include "ui/UICloseSession.h"
#include "ui/UIDesktop.h"
#include "ui/UIDiaryTab.h"
#include "ui/UIStatusBar.h"
#include "ui/UIStatusTab.h"
#include "ui/UITacticsTab.h"

namespace {
namespace uiitemmode {

constexpr int kStripRight = 22;
constexpr int kPictureSkins = 24;
constexpr const char* kDefaultDesktop = "UserInterface\\desktop1.bmp";

}  // namespace uiitemmode
}  // namespace

std::string DesktopPictureName(int skin) {
  // Skins from 24 on come from the skin folder; another machine's save may
  // name one this folder lacks.
  const auto skins = static_cast<int>(SkinList().size());
  if (skin < 0 || skin >= uiitemmode::kPictureSkins + skins) return uiitemmode::kDefaultDesktop;
  const std::string name = skin < uiitemmode::kPictureSkins ? "UserInterface\\desktop" + std::to_string(skin) + ".bmp"
                                                : SkinList()[static_cast<size_t>(skin - uiitemmode::kPictureSkins)];
  return CResMgr::GetInstance().GetRes(name.c_str()) != nullptr ? name : uiitemmode::kDefaultDesktop;
}

UIItemMode::UIItemMode()
    : m_statusTab(new UIStatusTab),
      m_diaryTab(new UIDiaryTab),
      m_tacticsTab(new UITacticsTab),
      m_statusBar(new UIStatusBar),
      m_tab(m_statusTab) {}

UIItemMode::~UIItemMode() {
  if (g_pStatusBar == m_statusBar) g_pStatusBar = nullptr;
  DestroyChildren();
  delete m_statusTab;
  delete m_diaryTab;
  delete m_tacticsTab;
  delete m_statusBar;
}

void UIItemMode::SelectTab(int index) {
  m_tabIndex = index;
  if (index == 0) m_tab = m_statusTab;
  if (index == 1) m_tab = m_diaryTab;
  // The party may have changed order on the party tab.
  if (index == 2) {
    m_tab = m_tacticsTab;
    m_tacticsTab->m_pane.Refresh();
  }
}

void UIItemMode::Notify(UIObject* sender, int code, int a, int b) {
  if (code != kUiOpen) return;
  auto* close = new UICloseSession;
  close->Setup(g_uiOriginX + 613, g_uiOriginY + 9, g_uiOriginX + 631, g_uiOriginY + 27, true);
  AddChild(close);
  g_pStatusBar = m_statusBar;
  m_statusTab->Notify(sender, code, 0, 0);
  m_diaryTab->Notify(sender, code, 0, 0);
  m_tacticsTab->Notify(sender, code, 0, 0);
  for (UIObject* child : m_children) child->Notify(sender, code, 0, 0);
}

void UIItemMode::OnLButtonDown() {
  const UIPoint p = UIPointer();
  if (p.x - g_uiOriginX < uiitemmode::kStripRight) {
    const int y = p.y - g_uiOriginY;
    const int hit = y > 40 && y < 123 ? 0 : y > 123 && y < 204 ? 1 : y > 204 && y < 287 ? 2 : -1;
    if (hit != -1 && hit != m_tabIndex) SelectTab(hit);
  }
  m_tab->OnLButtonDown();
  for (UIObject* child : m_children) child->OnLButtonDown();
}

void UIItemMode::OnRButtonDown() {
  m_tab->OnRButtonDown();
  for (UIObject* child : m_children) child->OnRButtonDown();
}
void UIItemMode::OnLButtonUp() {
  m_tab->OnLButtonUp();
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIItemMode::OnRButtonUp() {
  m_tab->OnRButtonUp();
  for (UIObject* child : m_children) child->OnRButtonUp();
}
void UIItemMode::OnMouseMove() {
  m_tab->OnMouseMove();
  for (UIObject* child : m_children) child->OnMouseMove();
}
void UIItemMode::OnWheel() {
  m_tab->OnWheel();
  for (UIObject* child : m_children) child->OnWheel();
}

void UIItemMode::DrawLocked(CRC* rc) {
  for (UIObject* child : m_children) child->DrawLocked(rc);
  m_tab->DrawLocked(rc);
  const std::string desktop = DesktopPictureName(CSession::GetInstance().options[CSession::kOptionSkin]);
  DrawBitmap(rc, g_uiOriginX, g_uiOriginY, desktop.c_str(), 0, 0xFFFFFF);
  m_statusBar->DrawLocked(rc);
}

void UIItemMode::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
  m_tab->Draw(rc);
  m_statusBar->Draw(rc);
}
