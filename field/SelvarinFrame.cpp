#include "field/SelvarinFrame.h"

#include "render/AviTexture.h"

#include <algorithm>

#include "engine/AppShell.h"
#include "engine/CdAudio.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/MacroRes.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinView.h"
#include "platform/InputScript.h"
#include "platform/DebugLog.h"
#include "render/3dGround.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/ClockSeconds.h"
#include "ui/UIDesktop.h"

SLV_REGISTER_CLASS(CSelvarinFrame);

float g_carriedYaw = 0.0f;
TimeAttack g_timeAttack;
uint8_t g_cdReplayOff = 0;

namespace {

CSelvarinFrame* s_gameFrame = nullptr;

constexpr int kModeCount = 11;
constexpr int kPicturePeriod = 50;  // the picture slots' default period
constexpr int kBattleTurnRequest = 5;

}  // namespace

CSelvarinFrame* GetGameFrame() { return s_gameFrame; }

CSelvarinContext* GetFieldContext() { return s_gameFrame != nullptr ? s_gameFrame->GetContext() : nullptr; }

CSelvarinFrame::CSelvarinFrame() = default;

CSelvarinFrame::~CSelvarinFrame() {
  FreeOverlays();
  if (s_gameFrame == this) s_gameFrame = nullptr;
}

CSelvarinContext* CSelvarinFrame::GetContext() const { return dynamic_cast<CSelvarinContext*>(m_pContext); }

CSelvarinView* CSelvarinFrame::GetView() const { return dynamic_cast<CSelvarinView*>(m_pView); }

void CSelvarinFrame::Init() {
  g_frameClock.m_drawnFrames = 0;
  g_frameClock.m_skippedFrames = 0;
  // Every game frame begins with a fade-in from black.
  m_transStep = 0;
  m_transKind = 3;
  m_transAlphaStart = 0;
  m_transAlphaTarget = 0;
  m_transColor = 0;
  // Requests of the last visit must not fire on this one; those the map's
  // "::Init" sections make while it loads must.
  m_pendingMode = -1;
  m_scriptModeRequest = 0;
  m_pictureCounter = 0;
  m_pPicture = nullptr;
  // The map's actors run their "::Init" sections in this frame as it loads.
  s_gameFrame = this;
  C3dFrame::Init();
  ResetPlayState();
  ChangeMode(kModeField);
  ResetFrameTimer();
  CMouse::GetInstance().Center();
  CSelvarinView* view = GetView();
  if (view != nullptr) {
    view->m_yaw = g_carriedYaw;
    view->m_targetYaw = g_carriedYaw;
    m_warpYaw = g_carriedYaw;
    ReadFrameKeys();
    // Without a player (none made, or the map did not load) the camera looks
    // where the player would have stood.
    const CSelvarinContext* context = GetContext();
    const CSelvarinActor* player = context != nullptr ? context->m_player : nullptr;
    view->SetLookAt(player != nullptr ? player->m_pos : Vec3{g_playerStart.x, g_playerStart.y, g_playerStart.z});
  }
  m_choiceX = 330;
  m_choiceY = 250;
  m_choiceWidth = 0;
  m_northAngle = HasResValue("news") ? CSelvarinContext::GetResInt("news") : 0;
  s_gameFrame = this;
  m_selectedMember = -1;
  m_compassCount = 0;
  m_compassOn = 1;
  m_menuAllowed = 1;
  m_scriptBusy = 0;
  m_choiceCount = 0;
  m_cursorKind = 0;
  m_pPickedActor = nullptr;
  m_pPicked3dActor = nullptr;
  m_f3Latch = 0;
  m_f4Latch = 0;
  m_aviOpen = 0;
  g_actionMode = 0;
}

void CSelvarinFrame::ResetPlayState() {
  m_messageState = 0;
  m_messageTick = 0;
  m_messageText.clear();
  m_messagePending = 0;
  m_messageLine = 0;
  m_pMessageVillager = nullptr;
  m_pMessage3dActor = nullptr;
  m_pMessageEvent = nullptr;
  m_caption.clear();
  m_captionTimer = 0;
  m_overlayState = 0;
  m_overlayTick = 0;
  m_pCurrentBattleActor = nullptr;
  m_battlePhase = 0;
  m_turnRequest = 0;
  m_weather = 0;
  delete m_pFieldMenu;
  m_pFieldMenu = nullptr;
  m_captionTimers.fill(0);
  m_pictureSlotCounters.fill(0);
  m_pictureSlotPeriods.fill(kPicturePeriod);
  ResetHudState();
  m_choiceCount = 0;
  m_pMessageVillager = nullptr;
  m_pMessage3dActor = nullptr;
  m_pMessageEvent = nullptr;
}

void CSelvarinFrame::ReadFrameKeys() {
  CSelvarinView* view = GetView();
  view->m_noRotate = CSelvarinContext::GetResInt("norotate");
  view->m_noMap = CSelvarinContext::GetResInt("nomap");
  view->m_waterSet = CSelvarinContext::GetResInt("waterset");
  view->m_waveWater = CSelvarinContext::GetResInt("wavewater");
  view->m_extendClip = CSelvarinContext::GetResInt("extendclip");
  view->m_sky = GetResValue("sky");
}

void CSelvarinFrame::Run() {
  StartRun();
  while (m_running != 0 && g_quitRequested == 0) RunGamePass();
}

void CSelvarinFrame::StartRun() {
  StartScript();
  if (g_cdAudio.m_disc != -1 && g_cdAudio.m_track != -1) {
    const int disc = g_cdAudio.m_disc;
    const int track = g_cdAudio.m_track;
    FindGameDisc(disc);
    PlayCdTrack(disc, track);
  }
}

void CSelvarinFrame::StartScript() {
  if (HasResValue("startmacro")) {
    m_pMacro = dynamic_cast<CMacroRes*>(CResMgr::GetInstance().GetResStr(GetResValue("startmacro")));
    m_pendingMode = kModeScript;
    return;
  }
  m_pMacro = nullptr;
  const CSelvarinContext* context = GetContext();
  if (context == nullptr || context->m_script == nullptr) return;
  const int label = context->m_script->FindLine("Frame::Init");
  if (label >= 0) RunEventScript(label + 1, "", m_scriptPosition);
}

void CSelvarinFrame::RunGamePass() {
  KeepMusicGoing();
  PumpMessages();
  CMouse::GetInstance().Read();
  CControllerList::GetInstance().Update();
  if (m_pendingMode != -1) {
    ChangeMode(m_pendingMode);
    m_pendingMode = -1;
  }
  if (m_scriptModeRequest != 0) {
    m_scriptModeRequest = 0;
    m_mode = kModeScript;
  }
  if (m_pictureCounter > 2 || m_pictureCounter == 1) {
    ShowScreenPicture();
  } else {
    RunModeTick();
  }
  ++m_modeTick;
  if (g_timeAttack.m_on != 0 && g_timeAttack.m_limit > g_timeAttack.m_current) {
    g_timeAttack.m_current = GetClockSeconds();
  }
}

void CSelvarinFrame::KeepMusicGoing() {
  if (g_cdReplayOff != 0) return;
  if (PollCdAudio()) return;
  const int disc = g_cdAudio.m_disc;
  const int track = g_cdAudio.m_track;
  StopCdAudio();
  // Nothing to replay once the track is forgotten.
  if (track == -1) return;
  FindGameDisc(disc);
  PlayCdTrack(disc, track);
}

// From 300 the picture fades in from white over 50 passes, holds, and fades
// back to white down to 3; it then rests at 2 and the mode runs again. Only a
// counter set to 1 ends it in white and frees the screen bitmap.
void CSelvarinFrame::ShowScreenPicture() {
  if (m_pictureCounter == 1) {
    if (m_pRC != nullptr && m_pRC->BeginScene()) {
      m_pRC->FillRect(platform::Rect{0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight()}, 0xFFFFFFFF, 0xFFFFFFFF);
      m_pRC->EndScene();
    }
    g_dispBmp.Release();
    if (m_pRC != nullptr) m_pRC->Flip();
    m_pictureCounter = 0;
    return;
  }
  float visible = 1.0f;
  if (m_pictureCounter < 50) visible = static_cast<float>(m_pictureCounter) * 0.02f;
  if (m_pictureCounter > 250) visible = static_cast<float>(kPictureStart - m_pictureCounter) * 0.02f;
  visible = std::clamp(visible, 0.0f, 1.0f);
  g_dispBmp.Draw();
  if (m_pRC != nullptr) {
    if (m_pRC->BeginScene()) {
      const uint32_t white = static_cast<uint32_t>((1.0f - visible) * 255.0f) << 24 | 0xFFFFFF;
      m_pRC->FillRect(platform::Rect{0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight()}, white, white);
      m_pRC->EndScene();
    }
    m_pRC->Flip();
  }
  if (m_pictureCounter == 3) m_pPicture = nullptr;
  --m_pictureCounter;
}

const CSelvarinFrame::ModeActions CSelvarinFrame::s_modes[kModeCount] = {
    {&CSelvarinFrame::EnterField, &CSelvarinFrame::RunFieldMode},
    {&CSelvarinFrame::OpenFieldMenu, &CSelvarinFrame::RunFieldMenuMode},
    {&CSelvarinFrame::EnterBattle, &CSelvarinFrame::RunBattle},
    {&CSelvarinFrame::DimScreen, &CSelvarinFrame::ShowBattleResult},
    {&CSelvarinFrame::EnterShopMode, &CSelvarinFrame::RunShopMode},
    {nullptr, nullptr},
    {&CSelvarinFrame::EnterScriptMode, &CSelvarinFrame::RunMacroScript},
    {&CSelvarinFrame::OpenStillMenu, &CSelvarinFrame::RunScreenshotMenu},
    {&CSelvarinFrame::EnterMapView, &CSelvarinFrame::RunMapView},
    {&CSelvarinFrame::EnterScenarioSelect, &CSelvarinFrame::RunScenarioSelect},
    {&CSelvarinFrame::EnterGameOver, &CSelvarinFrame::RunGameOver},
};

void CSelvarinFrame::RunModeTick() {
  if (m_mode < 0 || m_mode >= kModeCount) {
    DebugLog("oops");
    return;
  }
  if (const auto tick = s_modes[m_mode].tick) (this->*tick)();
}

void CSelvarinFrame::ChangeMode(int mode) {
  m_prevMode = m_mode;
  m_mode = mode;
  m_modeTick = 0;
  if (mode >= 0 && mode < kModeCount) {
    if (const auto entry = s_modes[mode].entry) (this->*entry)();
  }
  CMouse::GetInstance().Center();
}

void CSelvarinFrame::EnterField() {
  delete m_pFieldMenu;
  m_pFieldMenu = nullptr;
  CSelvarinView* view = GetView();
  const CSelvarinContext* context = GetContext();
  if (view != nullptr) view->m_pFollow = context != nullptr ? context->m_player : nullptr;
}

void CSelvarinFrame::EnterBattle() {
  m_battleResult = BattleResult{};
  platform::MarkScriptAnchor("battle");
  CSelvarinContext* context = GetContext();
  ResetBattleScript();
  if (context != nullptr) context->SetupBattle(m_battleSet, m_battleCenterX, m_battleCenterZ);
  ResetFrameTimer();
  m_turnRequest = kBattleTurnRequest;
  // The opening pause; the opening fade runs over its ticks.
  m_battlePhase = 5;
  m_phaseTick = 0;
  m_battleTick = 0;
  m_command = -1;
  m_commandActor = nullptr;
  m_lookTarget = nullptr;
  m_lastEnemyTarget = nullptr;
  m_lastAllyTarget = nullptr;
  m_battleCounter = m_hitShown = m_hitTicks = 0;
  BuildTargetList(0);
  m_pCurrentBattleActor = nullptr;
  if (context != nullptr && !context->m_battleObjects.empty()) m_pCurrentBattleActor = context->m_battleObjects.front();
  // A battle against nobody (no enemy could be made) is over before it
  // began, as is one without anybody to act: play goes back to where it
  // was.
  if (m_pCurrentBattleActor != nullptr && context != nullptr && !context->m_battleEnemies.empty()) return;
  if (context != nullptr) context->ReturnFromBattle();
  RestoreBattleCamera();
  const int back = m_prevMode;
  ChangeMode(back >= 0 && back < kModeCount && back != kModeBattle ? back : kModeField);
}

void CSelvarinFrame::EnterScriptMode() {
  m_macroFrame = 0;
  m_macroPause = 0;
  CSelvarinContext* context = GetContext();
  if (m_pMacro == nullptr) {
    // The runner ends the mode.
    DebugLog("CSelvarinFrame :: no macro to play");
  } else if (context != nullptr) {
    context->BindMacroActors(m_pMacro);
  }
  StartMacro();
  ResetFrameTimer();
}

void CSelvarinFrame::Exit() {
  if (m_aviOpen != 0 && m_pAvi != nullptr) m_pAvi->Close();
  m_aviOpen = 0;
  C3dFrame::Exit();
  FreeOverlays();
  delete m_pFieldMenu;
  m_pFieldMenu = nullptr;
  m_speechCaptions.clear();
  CResMgr::GetInstance().Purge();
  CTextureMgr::GetInstance().PurgeUnused();
  CTgaTextureMgr::GetInstance().PurgeUnused();
}

void CSelvarinFrame::FreeOverlays() {
  for (CTexture*& texture : m_overlayTextures) {
    delete texture;
    texture = nullptr;
  }
}

void CSelvarinFrame::PlayAvi(const std::string& file) {
  if (m_pAvi == nullptr) m_pAvi = std::make_unique<CAviTexture>();
  if (!m_pAvi->Open(("movie\\" + file).c_str())) return;
  m_pAvi->Start();
  m_aviOpen = 1;
}
