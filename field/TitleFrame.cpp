#include "field/TitleFrame.h"

#include <algorithm>
#include <string>

#include "engine/ActRes.h"
#include "engine/AppShell.h"
#include "engine/BitmapRes.h"
#include "engine/CdAudio.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/PlayerStart.h"
#include "platform/Keys.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "render/TgaTextureMgr.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"
#include "ui/UILoadMode.h"

SLV_REGISTER_CLASS(CTitleFrame);

int32_t g_menuRepeatCount = 0;

namespace {
namespace titleframe {

constexpr const char* kEntries[] = {"처음부터 시작", "게임 불러오기", "윈도우로 나감"};
constexpr const char* kLogos[] = {"logo01.tga", "logo02.tga", "logo03.tga"};
constexpr const char* kVersion = "Ver 1.13";
constexpr int kRowHeight = 20;
constexpr int kMusicTrack = 2;
constexpr float kNewGameZ = 75.0f;

int PadState(int button) { return g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_buttons[button] : kStateUp; }

// A press moves at once; a held key moves only every fifth update once it
// has been held for more than 40.
bool PacedMove(int state) {
  if (state != kStatePressed && state != kStatePressedAgain && state != kStateHeld) return false;
  ++g_menuRepeatCount;
  return state != kStateHeld || (g_menuRepeatCount % 5 == 0 && g_menuRepeatCount > 40);
}

uint32_t Alpha(float opacity) { return static_cast<uint32_t>(255.0f * opacity) << 24; }

}  // namespace titleframe
}  // namespace

CTitleFrame::~CTitleFrame() { DeleteDesktop(); }

float CTitleFrame::VeilAt(int tick) {
  if (tick < 100) return static_cast<float>(100 - tick) * 0.01f;
  if (tick < 150) return static_cast<float>(150 - tick) * 0.02f;
  return 0.0f;
}

void CTitleFrame::Init() {
  C3dFrame::Init();
  if (g_wFogRender != 0 && m_pRC != nullptr) m_pRC->SetFog(false);
  ResetFrameTimer();
  PlayCdTrack(g_cdAudio.m_disc, titleframe::kMusicTrack);
  StopCdAudio();
  PlayCdTrack(g_cdAudio.m_disc, titleframe::kMusicTrack);
  const int centerX = m_pRC != nullptr ? m_pRC->ViewWidth() / 2 : 320;
  const int centerY = m_pRC != nullptr ? m_pRC->ViewHeight() / 2 : 240;
  m_menuX = centerX - 60;
  m_menuY = centerY + 60;
  m_menuCols = 6;
  m_menuRows = 3;
  m_cursor = 0;
  m_entryCount = static_cast<int32_t>(std::size(titleframe::kEntries));
  m_scroll = 0;
  m_phase = 0;
  m_tick = 0;
  g_dispBmp.Create(dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetRes("title.bmp")));
}

void CTitleFrame::Run() {
  while (m_running != 0 && g_quitRequested == 0) RunTitlePass();
  g_dispBmp.Release();
}

void CTitleFrame::Exit() {
  DeleteDesktop();
  C3dFrame::Exit();
}

void CTitleFrame::RunTitlePass() {
  ++m_tick;
  PumpMessages();
  CControllerList::GetInstance().Update();
  if (m_phase == 0) {
    MenuPass();
  } else {
    LoadScreenPass();
  }
}

int CTitleFrame::HitTest(int x, int y) const {
  const int w = m_menuCols * titleframe::kRowHeight;
  const int bottom = m_menuY + m_menuRows * titleframe::kRowHeight;
  const bool arrows = m_menuX + w < x && x < m_menuX + w + 40;
  if (arrows && m_menuY - 20 < y && y < m_menuY + 5) return -100;
  if (arrows && bottom - 25 < y && y < bottom) return -99;
  if (arrows && m_menuY < y && y < bottom - 20) return -98;
  if (m_menuX < x && x < m_menuX + w + 20 && m_menuY - 20 < y && y < m_menuY) return -97;
  if (m_menuX < x && x < m_menuX + 100 && bottom - 1 < y && y < bottom + 19) return 100 + (x - m_menuX) / 25;
  if (m_menuX <= x && x <= m_menuX + w + 20 && m_menuY <= y && y <= bottom - 1) return (y - m_menuY) / titleframe::kRowHeight;
  return -1;
}

// Fewer entries than rows leave the lower rows empty: the cursor stays on
// the rows that show an entry.
int CTitleFrame::VisibleRows() const { return std::max(std::min(m_menuRows, m_entryCount), 1); }

void CTitleFrame::MenuInput() {
  const CMouse& mouse = CMouse::GetInstance();
  const int hit = HitTest(mouse.m_x, mouse.m_y);
  const bool moved = mouse.m_dx != 0 || mouse.m_dy != 0;
  if (moved && hit >= 0 && hit < VisibleRows() && m_scroll + hit < m_entryCount) m_cursor = hit;
  const int up = titleframe::PadState(kPadUp), down = titleframe::PadState(kPadDown), left = mouse.m_mouseButtons[0];
  if (up == kStatePressed || down == kStatePressed || left == kStatePressed) g_menuRepeatCount = 0;
  if (titleframe::PacedMove(up)) MoveUp();
  if (titleframe::PacedMove(down)) MoveDown();
  if (IsNewlyPressed(titleframe::PadState(4)) || (left == kStatePressed && hit != -1)) Choose();
}

void CTitleFrame::MoveUp() {
  if (--m_cursor >= 0) return;
  m_cursor = 0;
  if (--m_scroll >= 0) return;
  m_scroll = std::max(m_entryCount - m_menuRows, 0);
  m_cursor = VisibleRows() - 1;
}

void CTitleFrame::MoveDown() {
  if (++m_cursor <= VisibleRows() - 1) return;
  m_cursor = VisibleRows() - 1;
  if (++m_scroll <= std::max(m_entryCount - m_menuRows, 0)) return;
  m_scroll = 0;
  m_cursor = 0;
}

void CTitleFrame::Choose() {
  CSession::GetInstance().Init();
  SetResDirectory("\\");
  CItemMgr::GetInstance().Load("diary/item.txt");
  StopCdAudio();
  switch (m_scroll + m_cursor) {
    case 0:
      // Whole: a heading or height left by an earlier game would place the
      // new party otherwise than the first time.
      g_playerStart = PlayerStart{0.0f, -1.0f, titleframe::kNewGameZ, 0.0f};
      CFrameMgr::GetInstance().ChangeFrame("newgame");
      break;
    case 1:
      OpenLoadScreen();
      m_phase = 1;
      break;
    case 2:
      CFrameMgr::GetInstance().Quit();
      break;
    default:
      break;
  }
}

void CTitleFrame::MenuPass() {
  DeleteDesktop();
  CMouse::GetInstance().Read();
  MenuInput();
  CTexture* logos[std::size(titleframe::kLogos)];
  for (size_t i = 0; i < std::size(titleframe::kLogos); ++i) logos[i] = CTgaTextureMgr::GetInstance().GetTexture(titleframe::kLogos[i]);
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(true);
  g_dispBmp.Draw();
  const int centerX = rc.ViewWidth() / 2;
  if (rc.BeginScene()) {
    const uint32_t veil = titleframe::Alpha(VeilAt(m_tick)) | 0xFFFFFF;
    rc.FillRect(platform::Rect{0, 0, rc.ViewWidth(), rc.ViewHeight()}, veil, veil);
    for (int i = 0; m_tick > 100 && i < static_cast<int>(std::size(titleframe::kLogos)); ++i) {
      const int left = centerX - 300 + 256 * i;
      rc.DrawQuad(platform::Rect{left, 20, left + 256, 276}, logos[i], 1.0f, 0xFFFFFF, 1, 1);
    }
    rc.EndScene();
  }
  if (rc.BeginScene()) {
    DrawDialogFrameSmall(&rc, m_menuX, m_menuY, m_menuCols, m_menuRows);
    rc.EndScene();
  }
  if (rc.LockBackBuffer()) {
    const auto* copyright = dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetRes("copyright.bmp"));
    rc.DrawRleImage(centerX - 320, rc.ViewHeight() - 80, copyright, 1);
    DrawMenuTexts();
    rc.DrawText2(1, rc.ViewHeight() - 19, titleframe::kVersion, false, 255, 255, 255);
    rc.DrawText(0, rc.ViewHeight() - 20, titleframe::kVersion, false, 255, 255, 255);
    rc.UnlockBackBuffer();
  }
  DrawPointer();
  rc.Flip();
}

void CTitleFrame::DrawMenuTexts() {
  for (int i = 0; i < m_menuRows; ++i) {
    const int entry = m_scroll + i;
    if (entry < 0 || entry >= m_entryCount) continue;
    const int y = m_menuY + titleframe::kRowHeight * i - 2;
    if (i == m_cursor) {
      m_pRC->DrawText(m_menuX, y, (std::string("&r") + titleframe::kEntries[entry]).c_str(), false, 255, 255, 255);
    } else {
      m_pRC->DrawText2(m_menuX, y, titleframe::kEntries[entry], false, 255, 255, 255);
    }
  }
}

void CTitleFrame::DrawPointer() {
  if (!m_pRC->BeginScene()) return;
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  const CMouse& mouse = CMouse::GetInstance();
  m_pRC->DrawAction(mouse.m_x, mouse.m_y, actions, sprites, 2, 0, 1.0f, 0, 0xFFFFFFFF, true);
  m_pRC->EndScene();
}

void CTitleFrame::OpenLoadScreen() {
  const int width = m_pRC != nullptr ? m_pRC->ViewWidth() : 640;
  const int height = m_pRC != nullptr ? m_pRC->ViewHeight() : 480;
  g_uiOriginX = width / 2 - 320;
  g_uiOriginY = height / 2 - 240;
  if (m_pRC != nullptr) m_pRC->Clear(false);
  DeleteDesktop();
  m_desktop = new UIDesktop;
  m_desktop->AddChild(new UILoadMode);
  m_desktop->Notify(nullptr, kUiOpen, 0, 0);
}

void CTitleFrame::LoadScreenPass() {
  CMouse& mouse = CMouse::GetInstance();
  mouse.Read();
  const bool escape = (platform::GetKeyState(platform::VK_ESCAPE) & 0xFF00) != 0;
  if (!escape && m_desktop != nullptr) {
    UIDesktop& desktop = *m_desktop;
    desktop.TakeMouse(mouse);
    if (m_pRC != nullptr) {
      m_pRC->Clear(true);
      if (m_pRC->BeginScene()) {
        desktop.Draw(m_pRC);
        m_pRC->EndScene();
      }
      if (m_pRC->LockBackBuffer()) {
        desktop.DrawLocked(m_pRC);
        m_pRC->UnlockBackBuffer();
      }
      if (desktop.HasPopupLayers()) desktop.DrawPopupLayers(m_pRC);
      DrawPointer();
      m_pRC->Flip();
    }
    if (desktop.IsOpen()) return;
  }
  m_phase = 0;
  ResetFrameTimer();
}

void CTitleFrame::DeleteDesktop() {
  delete m_desktop;
  m_desktop = nullptr;
}
