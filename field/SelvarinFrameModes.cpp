// The game frame's minor modes: the field menu, the menu over a still of
// the screen, the overhead map view, the scenario selection and game over.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "engine/ActRes.h"
#include "engine/SprRes.h"
#include "engine/BitmapRes.h"
#include "engine/CdAudio.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "field/MinorModeRules.h"
#include "field/PickRegionList.h"
#include "field/QuitConfirm.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/SaveList.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemMode.h"
#include "ui/UILoadMode.h"
#include "ui/UIMenuModes.h"

namespace {
namespace selvarinframemodes {

constexpr float kMapViewHeight = 600.0f;
constexpr float kMapViewStep = 20.0f;
constexpr float kMapViewPitch = -90.0f;
constexpr float kPitchSettled = 0.5f;
constexpr int kScenarioTitles = 11;
constexpr int kGameOverTrack = 5;
constexpr int kGameOverMenuX = 260, kGameOverMenuY = 300;

enum GameOverChoice { kLastPlace = 0, kLoadGame = 1, kToTitle = 2 };

bool KeyHeld(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

int32_t PadState(int button) {
  return g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] : kStateUp;
}

bool PadPressedOrRepeating(int button) {
  const int32_t state = PadState(button);
  return IsNewlyPressed(state);
}

void SetUiOrigin(const CRC* rc) {
  const int width = rc != nullptr ? rc->ViewWidth() : 640;
  const int height = rc != nullptr ? rc->ViewHeight() : 480;
  g_uiOriginX = width / 2 - 320;
  g_uiOriginY = height / 2 - 240;
}

// The four bands around the centred 640 x 480 area: above, below, left,
// right.
std::array<platform::Rect, 4> Bands(const CRC& rc) {
  const int w = rc.ViewWidth();
  const int h = rc.ViewHeight();
  const int x0 = g_uiOriginX, y0 = g_uiOriginY;
  return {platform::Rect{0, 0, w, y0}, platform::Rect{0, y0 + 480, w, h}, platform::Rect{0, y0, x0, y0 + 480},
          platform::Rect{x0 + 640, y0, w, y0 + 480}};
}

void DrawCursorAction(CRC& rc) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  rc.DrawAction(mouse.m_x, mouse.m_y, actions, sprites, 2, 0, 1.0f, 0, 0xFFFFFFFF, true);
}

UIObject* NewStillPage(int kind) {
  switch (kind) {
    case 1:
      return new UIItemBoxMode;
    case 2:
      return new UIPartyMode;
    case 3:
      return new UISaveMode;
    case 4:
      return new UILoadMode;
    default:
      return nullptr;
  }
}

}  // namespace selvarinframemodes
}  // namespace

void CSelvarinFrame::RunMenuInput() {
  if (m_pFieldMenu == nullptr) return;
  m_pFieldMenu->TakeMouse(CMouse::GetInstance());
}

// ---- Mode 1: the field menu ----

void CSelvarinFrame::OpenFieldMenu() {
  selvarinframemodes::SetUiOrigin(m_pRC);
  if (m_pRC != nullptr && m_pRC->LockBackBuffer()) {
    const auto bands = selvarinframemodes::Bands(*m_pRC);
    for (int i = 0; i < 4; ++i) {
      const platform::Rect& r = bands[static_cast<size_t>(i)];
      m_pRC->SaveRect(i, r.left, r.top, r.right, r.bottom);
    }
    m_pRC->UnlockBackBuffer();
  }
  delete m_pFieldMenu;
  m_pFieldMenu = new UIDesktop;
  m_pFieldMenu->AddChild(new UIItemMode);
  m_pFieldMenu->Notify(m_pFieldMenu, kUiOpen, 0, 0);
}

void CSelvarinFrame::RunFieldMenuMode() {
  if (selvarinframemodes::KeyHeld(platform::VK_F1) || selvarinframemodes::KeyHeld(platform::VK_F5)) {
    if (m_pRC != nullptr) m_pRC->FreeSavedRects();
    ResetFrameTimer();
    ChangeMode(kModeField);
    return;
  }
  RunMenuInput();
  if (m_pRC != nullptr && m_pFieldMenu != nullptr) {
    CRC& rc = *m_pRC;
    if (rc.LockBackBuffer()) {
      const auto bands = selvarinframemodes::Bands(rc);
      for (int i = 0; i < 4; ++i) {
        const platform::Rect& r = bands[static_cast<size_t>(i)];
        rc.RestoreRect(i, r.left, r.top, r.right, r.bottom);
      }
      rc.UnlockBackBuffer();
    }
    DrawMenuFrame();
  }
  if (m_pFieldMenu == nullptr || !m_pFieldMenu->IsOpen()) {
    ResetFrameTimer();
    ChangeMode(kModeField);
  }
}

void CSelvarinFrame::DrawMenuFrame(bool withLcdHud) {
  CRC& rc = *m_pRC;
  UIDesktop& desktop = *m_pFieldMenu;
  if (rc.LockBackBuffer()) {
    desktop.DrawLocked(&rc);
    rc.UnlockBackBuffer();
  }
  if (rc.BeginScene()) {
    desktop.Draw(&rc);
    rc.EndScene();
  }
  FinishMenuFrame(withLcdHud);
}

void CSelvarinFrame::DrawScreenSession(bool overWorld, bool withLcdHud) {
  CRC& rc = *m_pRC;
  UIDesktop& desktop = *m_pFieldMenu;
  if (overWorld) rc.Clear(true);
  if (rc.BeginScene()) {
    CSelvarinView* view = overWorld ? GetView() : nullptr;
    if (view != nullptr) {
      // The actors register their rectangles again as they draw.
      g_pickRegionList.Clear();
      view->Render(rc);
    }
    desktop.Draw(&rc);
    rc.EndScene();
  }
  if (rc.LockBackBuffer()) {
    desktop.DrawLocked(&rc);
    rc.UnlockBackBuffer();
  }
  FinishMenuFrame(withLcdHud);
}

void CSelvarinFrame::FinishMenuFrame(bool withLcdHud) {
  CRC& rc = *m_pRC;
  UIDesktop& desktop = *m_pFieldMenu;
  if (desktop.HasPopupLayers()) desktop.DrawPopupLayers(&rc);
  if (rc.BeginScene()) {
    if (withLcdHud) DrawLcdHud();
    selvarinframemodes::DrawCursorAction(rc);
    rc.EndScene();
  }
  TakeScreenshot();
  rc.Flip();
}

// ---- Mode 7: a menu over a still of the screen ----

void CSelvarinFrame::SaveStill() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(false);
  if (rc.BeginScene()) {
    DrawScene();
    rc.EndScene();
  }
  if (rc.LockBackBuffer()) {
    rc.SaveRect(0, 0, 0, rc.ViewWidth(), rc.ViewHeight());
    rc.UnlockBackBuffer();
  }
}

void CSelvarinFrame::OpenStillMenu() {
  selvarinframemodes::SetUiOrigin(m_pRC);
  if (m_pRC != nullptr) {
    m_pRC->Clear(false);
    if (m_pRC->BeginScene()) {
      DrawScene();
      m_pRC->EndScene();
    }
    if (m_pRC->CaptureThumbnail() < 0) DebugLog("스크린 샷 만들기 실패");
    if (m_pRC->LockBackBuffer()) {
      m_pRC->SaveRect(0, 0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight());
      m_pRC->UnlockBackBuffer();
    }
  }
  delete m_pFieldMenu;
  m_pFieldMenu = new UIDesktop;
  if (UIObject* page = selvarinframemodes::NewStillPage(m_menuKind)) {
    m_pFieldMenu->AddChild(page);
    m_pFieldMenu->Notify(nullptr, kUiOpen, 0, 0);
  } else {
    // Nothing to show and nothing to close it with: the menu is over.
    DebugLog("CSelvarinFrame :: no menu of that kind");
    m_pFieldMenu->m_open = 0;
  }
}

void CSelvarinFrame::RunScreenshotMenu() {
  RememberPlace();
  const int back = m_prevMode;
  if (selvarinframemodes::KeyHeld(platform::VK_F1) || selvarinframemodes::KeyHeld(platform::VK_F5)) {
    if (m_pRC != nullptr) m_pRC->FreeSavedRects();
    ResetFrameTimer();
    ChangeMode(back);
    return;
  }
  RunMenuInput();
  if (m_pRC != nullptr && m_pFieldMenu != nullptr) {
    if (m_pRC->LockBackBuffer()) {
      m_pRC->RestoreRect(0, 0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight());
      m_pRC->UnlockBackBuffer();
    }
    // The field menu's order (locked pass first) would let these screens'
    // panels cover their own lists: they draw as the shop does.
    DrawScreenSession(/*overWorld=*/false, /*withLcdHud=*/true);
  }
  if (m_pFieldMenu == nullptr || !m_pFieldMenu->IsOpen()) {
    ResetFrameTimer();
    ChangeMode(back);
  }
}

// ---- Mode 8: the overhead map view ----

float CSelvarinFrame::MapViewTarget() const {
  const CSelvarinContext* context = GetContext();
  const CSelvarinActor* player = context != nullptr ? context->m_player : nullptr;
  return selvarinframemodes::kMapViewHeight - (player != nullptr ? player->m_pos.y : 0.0f);
}

void CSelvarinFrame::EnterMapView() {
  CSelvarinView* view = GetView();
  if (view == nullptr) return;
  m_mapViewSaved = MapViewSaved{view->m_yaw, view->m_targetDistance, view->m_pitch, view->m_distanceStep, 0};
  view->m_distanceStep = selvarinframemodes::kMapViewStep;
  int yaw = (-m_northAngle) % 360;
  if (yaw < 0) yaw += 360;
  view->m_targetYaw = static_cast<float>(yaw);
  view->m_targetDistance = MapViewTarget();
  view->m_targetPitch = selvarinframemodes::kMapViewPitch;
  m_mapViewPhase = -1;
  if (CRC::s_fogOn != 0) {
    m_mapViewSaved.fog = 1;
    if (m_pRC != nullptr) m_pRC->SetFog(false);
  }
}

void CSelvarinFrame::LeaveMapView() {
  CSelvarinView* view = GetView();
  if (view != nullptr) {
    view->m_targetYaw = m_mapViewSaved.yaw;
    view->m_targetDistance = m_mapViewSaved.targetDistance;
    view->m_targetPitch = m_mapViewSaved.pitch;
    view->m_distanceStep = m_mapViewSaved.distanceStep;
  }
  if (m_mapViewSaved.fog != 0 && m_pRC != nullptr) m_pRC->SetFog(true);
  m_mapViewSaved.fog = 0;
  m_mapViewPhase = 0;
}

bool CSelvarinFrame::MapViewEndPressed() const {
  const CMouse& mouse = CMouse::GetInstance();
  for (const int32_t button : mouse.m_mouseButtons) {
    if (button == kStatePressed) return true;
  }
  return selvarinframemodes::PadPressedOrRepeating(4) || selvarinframemodes::PadPressedOrRepeating(5) || selvarinframemodes::KeyHeld(platform::VK_F5) ||
         selvarinframemodes::KeyHeld(platform::VK_F1) || selvarinframemodes::KeyHeld(platform::VK_F2);
}

void CSelvarinFrame::RunMapView() {
  if (selvarinframemodes::KeyHeld(platform::VK_ESCAPE) && ShowQuitConfirm() == kQuitYes) {
    CFrameMgr::GetInstance().ChangeFrame("title");
    return;
  }
  CSelvarinView* view = GetView();
  if (view == nullptr) {
    ChangeMode(kModeField);
    return;
  }
  if (m_mapViewPhase == -1 && view->m_distance >= MapViewTarget() - 1.0f && MapViewEndPressed()) {
    ResetFrameTimer();
    LeaveMapView();
  }
  if (m_mapViewPhase != -1) {
    ++m_mapViewPhase;
    if (std::fabs(view->m_pitch - m_mapViewSaved.pitch) <= selvarinframemodes::kPitchSettled) {
      ChangeMode(kModeField);
      return;
    }
  }
  view->FollowTargetWide();
  TickHudTimers();
  if (!WaitNextFrame() || m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(true);
  if (rc.BeginScene()) {
    g_pickRegionList.Clear();
    DrawSky();
    view->RenderSceneNoEffects(rc);
    DrawDebugOverlay();
    DrawLcdHud();
    rc.EndScene();
  }
  TakeScreenshot();
  rc.Flip();
}

// ---- Mode 9: the scenario selection ----

void CSelvarinFrame::EnterScenarioSelect() {
  CTgaTextureMgr& textures = CTgaTextureMgr::GetInstance();
  for (int i = 1; i <= selvarinframemodes::kScenarioTitles; ++i) {
    const std::string name = "scenario\\시나리오셀렉트" + std::to_string(i) + ".tga";
    textures.GetTexture(name.c_str());
  }
}

void CSelvarinFrame::RunScenarioSelect() {
  if (selvarinframemodes::KeyHeld(platform::VK_F1) || selvarinframemodes::KeyHeld(platform::VK_F5)) {
    ResetFrameTimer();
    ChangeMode(kModeField);
    return;
  }
  if (!WaitNextFrame() || m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(true);
  if (!rc.BeginScene()) return;
  const int width = std::max(rc.ViewWidth(), 1);
  const int height = std::max(rc.ViewHeight(), 1);
  const CMouse& mouse = CMouse::GetInstance();
  const int spot = ScenarioHotSpot(mouse.m_x * 100 / width, mouse.m_y * 100 / height, m_scenarioStage);
  for (int n = 1; n <= 4; ++n) {
    const std::string tile = ScenarioTileName(spot, m_scenarioStage, n);
    if (CTexture* texture = CTextureMgr::GetInstance().GetTexture(tile.c_str(), 0)) rc.DrawScreenTexture(texture, n - 1);
  }
  ScenarioTitlePicture pictures[2];
  const int count = ScenarioTitleAt(m_modeTick, width, height, pictures);
  for (int i = 0; i < count; ++i) {
    const std::string name = "scenario\\시나리오셀렉트" + std::to_string(pictures[i].number) + ".tga";
    if (CTexture* texture = CTgaTextureMgr::GetInstance().GetTexture(name.c_str())) {
      rc.DrawQuad(pictures[i].rect, texture, std::clamp(pictures[i].alpha, 0.0f, 1.0f), 0xFFFFFF, 1, 1);
    }
  }
  const std::string target = ScenarioTarget(spot, m_scenarioStage);
  if (mouse.m_mouseButtons[0] == kStatePressed && !target.empty()) {
    rc.EndScene();
    CFrameMgr::GetInstance().ChangeFrame(target);
    return;
  }
  selvarinframemodes::DrawCursorAction(rc);
  rc.EndScene();
  rc.Flip();
}

// ---- Mode 10: game over ----

void CSelvarinFrame::EnterGameOver() {
  if (m_pRC != nullptr) m_pRC->Clear(false);
  selvarinframemodes::SetUiOrigin(m_pRC);
  SaveStill();
  delete m_pFieldMenu;
  m_pFieldMenu = new UIDesktop;
  m_pFieldMenu->Notify(nullptr, kUiOpen, 0, 0);
  m_pFieldMenu->m_lastChoice = -1;
  UIMenu& menu = m_pFieldMenu->m_popupMenu;
  menu.Clear();
  menu.AddItem("마지막 장소로", selvarinframemodes::kLastPlace, 0, 0, 1);
  menu.AddItem("불러오기로", selvarinframemodes::kLoadGame, 0, 0, 1);
  menu.AddItem("타이틀 화면으로", selvarinframemodes::kToTitle, 0, 0, 1);
  OpenGameOverMenu();
  g_dispBmp.Create(dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetRes("GAMEOVER2.bmp")));
  PlayCdTrack(g_cdAudio.m_disc, selvarinframemodes::kGameOverTrack);
}

void CSelvarinFrame::OpenGameOverMenu() {
  if (m_pFieldMenu == nullptr) return;
  m_pFieldMenu->m_popupMenu.Open(g_uiOriginX + selvarinframemodes::kGameOverMenuX, g_uiOriginY + selvarinframemodes::kGameOverMenuY, m_pFieldMenu);
}

void CSelvarinFrame::RunGameOver() {
  RememberPlace();
  const int choice = m_pFieldMenu != nullptr ? m_pFieldMenu->m_lastChoice : -1;
  if (choice == selvarinframemodes::kToTitle || choice == selvarinframemodes::kLoadGame) {
    g_dispBmp.Release();
    if (m_pRC != nullptr) m_pRC->FreeSavedRects();
    ResetFrameTimer();
    if (choice == selvarinframemodes::kToTitle) {
      CFrameMgr::GetInstance().ChangeFrame("title");
    } else {
      m_menuKind = 4;
      ChangeMode(kModeStillMenu);
    }
    return;
  }
  if (choice == selvarinframemodes::kLastPlace) {
    StopCdAudio();
    g_dispBmp.Release();
    CSaveList saves;
    saves.ReadIndex();
    saves.Select(0);
    saves.Load();
    CSession::GetInstance().EnterSavedPlace();
    return;
  }
  RunMenuInput();
  // A click beside the entries hides the menu; with no other way on it
  // opens again.
  if (m_pFieldMenu != nullptr && !m_pFieldMenu->m_popupMenu.IsShown() && m_pFieldMenu->m_lastChoice < 0) {
    OpenGameOverMenu();
  }
  if (m_pRC == nullptr || m_pFieldMenu == nullptr) return;
  CRC& rc = *m_pRC;
  if (rc.LockBackBuffer()) {
    rc.RestoreRect(0, 0, 0, rc.ViewWidth(), rc.ViewHeight());
    rc.UnlockBackBuffer();
  }
  rc.FadeScreen(0.5f);
  if (m_modeTick > kGameOverPictureTick) g_dispBmp.Draw();
  const float white = GameOverWhite(m_modeTick);
  if (white > 0.0f && rc.BeginScene()) {
    const uint32_t color = static_cast<uint32_t>(white * 255.0f) << 24 | 0xFFFFFF;
    rc.FillRect(platform::Rect{0, 0, rc.ViewWidth(), rc.ViewHeight()}, color, color);
    rc.EndScene();
  }
  DrawMenuFrame(/*withLcdHud=*/false);
}
