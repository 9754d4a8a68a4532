#include "field/MovieFrame.h"

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/SoundDevice.h"
#include "platform/DebugLog.h"
#include "platform/Display.h"
#include "platform/Keys.h"
#include "platform/MovieStream.h"
#include "platform/Sound.h"
#include "render/3dDevice.h"

SLV_REGISTER_CLASS(CMovieFrame);

namespace {
namespace movieframe {

// The window procedure's handle on the playing stream.
class MovieStreamState : public IMovieStreamState {
 public:
  explicit MovieStreamState(platform::MovieStream& stream) : m_stream(stream) {}
  void SetState(int running) override { m_stream.SetState(running); }

 private:
  platform::MovieStream& m_stream;
};

bool KeyDown(int virtualKey) { return (platform::GetKeyState(virtualKey) & 0x8000) != 0; }

bool PadPressed(int button) {
  return g_pMainKeyPad != nullptr && IsNewlyPressed(g_pMainKeyPad->m_buttons[button]);
}

}  // namespace movieframe
}  // namespace

CMovieFrame::CMovieFrame() = default;
CMovieFrame::~CMovieFrame() { CloseMovie(); }

void CMovieFrame::Init() {
  C3dFrame::Init();
  ResetFrameTimer();
}

void CMovieFrame::Run() {
  if (OpenMovie(kMovieFile)) {
    while (m_running != 0 && g_quitRequested == 0 && RunMoviePass()) {
    }
  }
  CloseMovie();
  if (g_quitRequested == 0) CFrameMgr::GetInstance().ChangeFrame("title");
}

bool CMovieFrame::OpenMovie(const char* fileName) {
  CloseMovie();
  const platform::Display* display = g_3dDevice.DirectDraw().get();
  if (display == nullptr) return false;
  const bool withSound = g_soundEnabled != 0 && platform::IsSoundDeviceOpen();
  m_stream = platform::MovieStream::Open(fileName, withSound);
  if (m_stream == nullptr) return false;
  platform::SurfaceDesc desc;
  desc.caps = platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_SYSTEMMEMORY;
  desc.width = m_stream->Width();
  desc.height = m_stream->Height();
  if (platform::Failed(g_3dDevice.DirectDraw()->CreateSurface(desc, &m_sample))) {
    DebugLog("movie: no sample surface");
    CloseMovie();
    return false;
  }
  m_streamState = std::make_unique<movieframe::MovieStreamState>(*m_stream);
  g_pMovieStream = m_streamState.get();
  m_stream->SetState(1);
  return true;
}

void CMovieFrame::CloseMovie() {
  if (m_stream != nullptr) m_stream->SetState(0);
  if (g_pMovieStream == m_streamState.get()) g_pMovieStream = nullptr;
  m_streamState.reset();
  m_stream.reset();
  m_sample.reset();
}

bool CMovieFrame::SkipRequested() const {
  return movieframe::KeyDown(platform::VK_ESCAPE) || movieframe::PadPressed(4) || movieframe::PadPressed(5) || movieframe::KeyDown(platform::VK_RETURN) ||
         CMouse::GetInstance().m_mouseButtons[0] == kStatePressed;
}

bool CMovieFrame::RunMoviePass() {
  PumpMessages();
  CControllerList::GetInstance().Update();
  CMouse::GetInstance().Read();
  if (SkipRequested()) return false;
  if (m_stream->Update(*m_sample) != platform::S_OK) return false;
  ShowSample();
  return true;
}

void CMovieFrame::ShowSample() {
  if (m_sample->IsLost()) m_sample->Restore();
  platform::Surface* primary = g_3dDevice.Primary();
  if (primary != nullptr && primary->IsLost()) g_3dDevice.RestoreSurfaces();
  if (platform::Surface* target = g_3dDevice.RenderTarget()) target->Blt(nullptr, *m_sample, nullptr);
  g_3dDevice.Present();
}
