#include "field/LogoFrame.h"

#include <algorithm>

#include "engine/AppShell.h"
#include "engine/BitmapRes.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "render/DispBmp.h"
#include "render/RC.h"

SLV_REGISTER_CLASS(CLogoFrame);

namespace {
namespace logoframe {

constexpr int kPictureTicks = 150;
constexpr int kFadeTicks = 50;
constexpr int kLastTick = 600;
constexpr const char* kPictures[] = {"halvex.bmp", "korvane.bmp", "tavrine.bmp", "notice.bmp"};
constexpr int kPictureCount = static_cast<int>(std::size(kPictures));

int PictureIndex(int tick) { return std::clamp(tick / kPictureTicks, 0, kPictureCount - 1); }

bool SkipPressed() {
  const bool key = g_pMainKeyPad != nullptr &&
                   (IsNewlyPressed(g_pMainKeyPad->m_buttons[4]) || IsNewlyPressed(g_pMainKeyPad->m_buttons[5]));
  return key || CMouse::GetInstance().m_mouseButtons[0] == kStatePressed;
}

}  // namespace logoframe
}  // namespace

const char* CLogoFrame::PictureAt(int tick) { return logoframe::kPictures[logoframe::PictureIndex(tick)]; }

float CLogoFrame::VisibilityAt(int tick) {
  const int start = logoframe::PictureIndex(tick) * logoframe::kPictureTicks;
  if (tick - start < logoframe::kFadeTicks) return static_cast<float>(tick - start) * 0.02f;
  if (tick - start > logoframe::kPictureTicks - logoframe::kFadeTicks) return static_cast<float>(start + logoframe::kPictureTicks - tick) * 0.02f;
  return 1.0f;
}

void CLogoFrame::Init() {
  C3dFrame::Init();
  m_tick = 0;
  m_shown = nullptr;
  m_pictureMade = false;
  ResetFrameTimer();
}

void CLogoFrame::Run() {
  while (m_running != 0 && g_quitRequested == 0) RunLogoPass();
  g_dispBmp.Release();
}

void CLogoFrame::RunLogoPass() {
  ++m_tick;
  PumpMessages();
  CControllerList::GetInstance().Update();
  CMouse::GetInstance().Read();
  if (WaitNextFrame()) DrawPass();
}

void CLogoFrame::DrawPass() {
  if (m_pRC != nullptr) m_pRC->Clear(true);
  const auto* picture = dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetRes(PictureAt(m_tick)));
  float overlay = std::clamp(1.0f - VisibilityAt(m_tick), 0.0f, 1.0f);
  if (logoframe::SkipPressed()) {
    overlay = 1.0f;
    CFrameMgr::GetInstance().ChangeFrame("title");
  }
  if (m_tick > logoframe::kLastTick) {
    overlay = 1.0f;
    CFrameMgr::GetInstance().ChangeFrame("movie");
  }
  if (!m_pictureMade || picture != m_shown) {
    g_dispBmp.Create(picture);
    m_shown = picture;
    m_pictureMade = true;
  }
  g_dispBmp.Draw();
  if (m_pRC == nullptr) return;
  if (m_pRC->BeginScene()) {
    const uint32_t white = static_cast<uint32_t>(255.0f * overlay) << 24 | 0xFFFFFF;
    m_pRC->FillRect(platform::Rect{0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight()}, white, white);
    m_pRC->EndScene();
  }
  m_pRC->Flip();
}
