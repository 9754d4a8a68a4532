// Mode 4 of the game frame: the shop screen a script opened.
#include <cstdint>

#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "field/QuitConfirm.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "render/RC.h"
#include "ui/ShopList.h"
#include "ui/UIBuyMode.h"
#include "ui/UIDesktop.h"

namespace {
namespace shopmode {

bool KeyHeld(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

}  // namespace shopmode
}  // namespace

void CSelvarinFrame::EnterShopMode() {
  const int width = m_pRC != nullptr ? m_pRC->ViewWidth() : 640;
  const int height = m_pRC != nullptr ? m_pRC->ViewHeight() : 480;
  g_uiOriginX = width / 2 - 320;
  g_uiOriginY = height / 2 - 240;
  LoadShopList(m_shopNumber);
  delete m_pFieldMenu;
  m_pFieldMenu = new UIDesktop;
  if (m_shopKind == 1) {
    m_pFieldMenu->AddChild(new UIBuyMode);
    m_pFieldMenu->Notify(m_pFieldMenu, kUiOpen, m_shopType, 0);
    return;
  }
  // Appraising and selling were taken out of the game; F1 or F5 leaves.
  DebugLogf("CSelvarinFrame :: shop screen %d no longer exists", m_shopKind);
}

void CSelvarinFrame::RunShopMode() {
  ++m_modeTick;
  if (shopmode::KeyHeld(platform::VK_ESCAPE) && ShowQuitConfirm() == kQuitYes) {
    CFrameMgr::GetInstance().ChangeFrame("title");
    return;
  }
  if (!shopmode::KeyHeld(platform::VK_F1) && !shopmode::KeyHeld(platform::VK_F5) && m_pFieldMenu != nullptr) {
    RunMenuInput();
    if (m_pRC != nullptr) DrawScreenSession(/*overWorld=*/true, /*withLcdHud=*/false);
    if (m_pFieldMenu->IsOpen()) return;
  }
  ResetFrameTimer();
  ChangeMode(kModeField);
}
