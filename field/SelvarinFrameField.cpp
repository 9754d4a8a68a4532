// The field mode's tick: keys and the mouse, the world and the camera every
// pass, the scene when the frame clock allows; the mouse cursor with its
// picking, and the choice list of a dialogue.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/ActRes.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/TextRes.h"
#include "engine/Tokenizer.h"
#include "engine/Wave.h"
#include "field/MapEvent.h"
#include "field/PickRegionList.h"
#include "field/QuitConfirm.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "render/3dActor.h"
#include "render/AviTexture.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "session/ClockSeconds.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "render/TextProbe.h"

int32_t g_uiRequest = 0;
int32_t g_fieldTick = 0;

namespace {
namespace selvarinframefield {

constexpr int kUiFieldMenu = 1;
constexpr int kUiMapView = 8;
constexpr int kMessageClosed = 13;
constexpr int kMessageWaiting = 5;
constexpr int kMessageFinished = 7;
constexpr int kChoiceRow = 20;
constexpr int kChooseLineModulo = 10000;
constexpr const char* kPageSound = "대사넘길때나오는소리.wav";

enum CursorKind : int32_t {
  kCursorOutward = 0,
  kCursorTalk = 1,
  kCursorUse = 2,
  kCursorFar = 3,
  kCursorPlayer = 4,
  kCursorTurn = 5,
  kCursorMessage = 6,
  kCursorPointer = 7,
};

bool KeyDown(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

int32_t PadButton(int button) {
  return g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] : kStateUp;
}

bool PadPressedOrRepeating(int button) {
  const int32_t state = PadButton(button);
  return IsNewlyPressed(state);
}

bool TakeConfirmButton() {
  for (int button : {4, 5}) {
    if (IsNewlyPressed(PadButton(button))) {
      g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] = kStateHeld;
      return true;
    }
  }
  return false;
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
  return left < x && x < right && top < y && y < bottom;
}

bool FadeOutRuns(int kind) { return kind != 0 && kind != 3 && kind != 10 && kind != 11; }

// The opening fade (kind 3) shows the plain cursor as well.
bool TransitionHidesCursorKind(int kind) { return kind != 0 && kind != 10 && kind != 11; }

// The line of "case <chosen>" of the choose block that begins after `from`;
// nested blocks are passed over, and the block's "endchoose" or the end of
// the script ends the search with -1.
int FindCaseLine(const CTextRes& script, int from, int chosen) {
  int depth = 0;
  CTokenizer tokens;
  for (int line = from; line < script.GetCount(); ++line) {
    tokens.Tokenize(script.GetLine(line));
    if (tokens.GetCount() == 0) continue;
    const std::string& word = tokens[0];
    if (word == "choose") {
      ++depth;
    } else if (word == "endchoose") {
      if (depth == 0) return -1;
      --depth;
    } else if (depth == 0 && word == "case" && tokens.GetCount() > 1 && tokens.GetInt(1) == chosen) {
      return line;
    }
  }
  return -1;
}

}  // namespace selvarinframefield
}  // namespace

bool CSelvarinFrame::TakeConfirmPress() { return selvarinframefield::TakeConfirmButton(); }

void CSelvarinFrame::SelectNextMember() {
  if (m_selectedMember >= m_compassCount) m_selectedMember = -1;
  m_selectedMember = m_selectedMember + 1 < m_compassCount ? m_selectedMember + 1 : -1;
}

void CSelvarinFrame::SelectPreviousMember() {
  if (m_selectedMember >= m_compassCount) m_selectedMember = -1;
  m_selectedMember = m_selectedMember == -1 ? m_compassCount - 1 : m_selectedMember - 1;
}

void CSelvarinFrame::RunFieldMode() {
  ++g_fieldTick;
  m_cameraRotating = 0;
  CSelvarinView* view = GetView();
  CSelvarinContext* context = GetContext();
  const int noMap = view != nullptr ? view->m_noMap : 0;
  const int noRotate = view != nullptr ? view->m_noRotate : 0;

  if (g_uiRequest == selvarinframefield::kUiFieldMenu || g_uiRequest == selvarinframefield::kUiMapView) {
    const int mode = g_uiRequest;
    g_uiRequest = 0;
    ChangeMode(mode);
    return;
  }
  if (selvarinframefield::KeyDown(platform::VK_ESCAPE) && ShowQuitConfirm() == kQuitYes) {
    if (CRC::s_fogOn != 0 && m_pRC != nullptr) m_pRC->SetFog(false);
    CFrameMgr::GetInstance().ChangeFrame("title");
    return;
  }
  if (selvarinframefield::KeyDown(platform::VK_F2) && m_scriptBusy == 0 && m_menuAllowed != 0 && !IsMessageShowing() &&
      m_choiceCount == 0) {
    g_uiRequest = selvarinframefield::kUiFieldMenu;
    return;
  }
  if (selvarinframefield::KeyDown(platform::VK_F5) && noMap == 0 && noRotate == 0 && m_compassOn != 0 && m_scriptBusy == 0) {
    ChangeMode(kModeMapView);
    return;
  }
  StepPartyKeys(noMap);
  if (g_timeAttack.m_on != 0 && g_timeAttack.m_current >= g_timeAttack.m_limit) {
    const int label = context != nullptr && context->m_script != nullptr ? context->m_script->FindLine("Frame::TimeAttack") : -1;
    if (label >= 0) RunEventScript(label + 1, "", m_scriptPosition);
    g_timeAttack.m_on = 0;
    return;
  }
  UpdateChoiceBox();
  ConfirmMessage();
  if (!selvarinframefield::FadeOutRuns(m_transKind)) {
    if (context != nullptr) {
      context->Update();
      context->UpdateEffects();
      context->ProcessExtraActors();
      context->CheckMapEvents();
    }
    UpdateFieldMessage();
    TickCaptionTimer();
    TickHudTimers();
    if (view != nullptr) view->TickCamera();
  } else if ((m_transKind == 1 || m_transKind == 2) && view != nullptr) {
    view->TickCamera();
  }
  UpdateWeather();
  UpdateMouseCursor();
  if (!WaitNextFrame() || m_pRC == nullptr) return;
  DrawField();
}

// F3 and F4 step the selection once a press.
void CSelvarinFrame::StepPartyKeys(int noMap) {
  const bool allowed = noMap == 0 && m_compassOn != 0 && m_scriptBusy == 0;
  const int before = m_selectedMember;
  if (!selvarinframefield::KeyDown(platform::VK_F3)) {
    m_f3Latch = 0;
  } else if (m_f3Latch == 0 && allowed) {
    m_f3Latch = 1;
    SelectNextMember();
  }
  if (!selvarinframefield::KeyDown(platform::VK_F4)) {
    m_f4Latch = 0;
  } else if (m_f4Latch == 0 && allowed) {
    m_f4Latch = 1;
    SelectPreviousMember();
  }
  if (m_selectedMember != before) PlayWave(selvarinframefield::kPageSound);
}

void CSelvarinFrame::ConfirmMessage() {
  if (m_messageState != selvarinframefield::kMessageWaiting) return;
  const bool click = CMouse::GetInstance().m_mouseButtons[0] == kStatePressed;
  if (!TakeConfirmPress() && !click) return;
  PlayWave(selvarinframefield::kPageSound);
  m_choiceSelected = 0;
  if (m_messagePending == 0) {
    m_messageState = 2;
    m_messageTick = 0;
    m_messageLine = std::max(m_messageLine - 1, 0);
    return;
  }
  m_messageState = 0;
  m_messageTick = 0;
  const size_t taken = std::min(static_cast<size_t>(std::max(m_messagePending, 0)), m_messageText.size());
  m_messageText.erase(0, taken);
  m_messagePending = 0;
  TellMessageListeners();
  const CSelvarinContext* context = GetContext();
  if (context != nullptr && context->m_player != nullptr) context->m_player->OnMessage(nullptr, selvarinframefield::kMessageClosed, 0, 0, 0);
}

void CSelvarinFrame::DrawField() {
  ComposeField();
  TakeScreenshot();
  m_pRC->Flip();
}

void CSelvarinFrame::ComposeField() {
  CRC& rc = *m_pRC;
  if (g_dispBmp.GetSurface() != nullptr) {
    g_dispBmp.Draw();
    if (rc.BeginScene()) {
      DrawTransition();
      rc.EndScene();
    }
  } else {
    DrawBackground();
    if (rc.BeginScene()) {
      g_pickRegionList.Clear();
      DrawScene();
      DrawTransition();
      rc.EndScene();
    }
  }
  if (rc.BeginScene()) {
    DrawDebugOverlay();
    DrawScreenOverlay();
    rc.EndScene();
  }
  if (IsHudActive() && rc.LockBackBuffer()) {
    DrawFieldHud();
    DrawHudCaptions();
    rc.UnlockBackBuffer();
  }
  if (rc.BeginScene()) {
    DrawLcdHud();
    if (m_messageState == selvarinframefield::kMessageWaiting || m_messageState == selvarinframefield::kMessageFinished) {
      DrawSpinningCursor(&rc, rc.ViewWidth() - 40, rc.ViewHeight() - 30);
    }
    DrawMouseCursor();
    rc.EndScene();
  }
}

void CSelvarinFrame::DrawBackground() {
  CRC& rc = *m_pRC;
  rc.Clear(true);
  const bool four = std::all_of(m_overlayTextures.begin(), m_overlayTextures.begin() + 4,
                                [](const CTexture* t) { return t != nullptr; });
  if (four) {
    if (rc.BeginScene()) {
      for (int i = 0; i < 4; ++i) rc.DrawScreenTexture(m_overlayTextures[static_cast<size_t>(i)], i);
      rc.EndScene();
    }
  } else if (m_overlayTextures[4] != nullptr && rc.BeginScene()) {
    rc.DrawScreenTexture(m_overlayTextures[4], 4);
    rc.EndScene();
  }
}

void CSelvarinFrame::DrawSky() {
  const CSelvarinView* view = GetView();
  if (view == nullptr || m_pRC == nullptr) return;
  if (!(view->m_noRotate != 0 && view->m_noMap != 0) && !view->m_sky.empty()) {
    // A sky that does not load draws nothing rather than blank strips.
    if (CTexture* sky = CTextureMgr::GetInstance().GetTexture(view->m_sky.c_str(), 0)) {
      m_pRC->DrawScrollingTexture(view->m_yaw, view->m_pitch, sky);
    }
  }
}

void CSelvarinFrame::DrawScene() {
  const SceneProbeScope probe;
  if (m_aviOpen != 0 && m_pAvi != nullptr) {
    // The movie stands in for the scene, to its last frame.
    if (m_pAvi->FrameIndex() >= m_pAvi->FrameCount()) {
      m_pAvi->Close();
      m_aviOpen = 0;
    } else {
      m_pAvi->UpdateFrame();
      // Scale 1.0 is full opacity: white alone has alpha 0 and blends away.
      constexpr uint32_t kOpaqueWhite = 0xFF000000u | 0xFFFFFFu;
      m_pRC->DrawSplitQuad(platform::Rect{0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight()}, &m_pAvi->m_leftDecal,
                           &m_pAvi->m_rightDecal, kOpaqueWhite);
    }
    return;
  }
  CSelvarinView* view = GetView();
  if (view == nullptr) return;
  DrawSky();
  // A cut-scene shows its own actors in place of the field's.
  if (m_mode == kModeScript) {
    view->RenderMacroScene(*m_pRC);
  } else {
    view->Render(*m_pRC);
  }
  DrawWeather(*m_pRC);
}

// The distance in pixels from the mouse to the player on the screen; from
// the screen centre without a player.
static float CursorDistance(const CSelvarinContext* context, int x, int y, int width, int height) {
  const bool player = context != nullptr && context->m_player != nullptr;
  const int px = player ? g_leaderAnchor.x : width / 2;
  const int py = player ? g_leaderAnchor.y : height / 2;
  const float dx = static_cast<float>(x - px);
  const float dy = static_cast<float>(y - py);
  return std::sqrt(dx * dx + dy * dy);
}

void CSelvarinFrame::UpdateMouseCursor() {
  const CMouse& mouse = CMouse::GetInstance();
  const int x = mouse.m_x;
  const int y = mouse.m_y;
  const bool leftUp = mouse.m_mouseButtons[0] == kStateUp;
  const bool leftClick = mouse.m_mouseButtons[0] == kStatePressed;
  const bool rightClick = mouse.m_mouseButtons[1] == kStatePressed;
  const CSelvarinView* view = GetView();
  const int noRotate = view != nullptr ? view->m_noRotate : 0;
  const int noMap = view != nullptr ? view->m_noMap : 0;
  const int width = m_pRC != nullptr ? m_pRC->ViewWidth() : 640;
  const int height = m_pRC != nullptr ? m_pRC->ViewHeight() : 480;

  if (selvarinframefield::Inside(x, y, 20, 120, 105, 165) && m_compassOn != 0 && noRotate == 0) {
    m_cursorKind = selvarinframefield::kCursorPointer;
    const int before = m_selectedMember;
    if (m_scriptBusy == 0) {
      if (leftClick) SelectNextMember();
      if (rightClick) SelectPreviousMember();
    }
    if (m_selectedMember != before) PlayWave(selvarinframefield::kPageSound);
    return;
  }
  // A right press alone is a click (on the player it opens the menu); the
  // held button drags the camera round.
  if (mouse.m_mouseButtons[1] == kStateHeld && leftUp && noRotate == 0 && view != nullptr) {
    m_cameraRotating = 1;
    GetView()->m_targetYaw -= static_cast<float>(mouse.m_dx);
  } else if (selvarinframefield::Inside(x, y, 34, 34, 94, 94) && noRotate == 0 && noMap == 0 && !IsMessageShowing() && m_compassOn != 0) {
    m_cursorKind = selvarinframefield::kCursorPointer;
    if (leftClick && m_scriptBusy == 0) g_uiRequest = selvarinframefield::kUiMapView;
    return;
  } else if (PickUnderCursor(x, y, CursorDistance(GetContext(), x, y, width, height), width)) {
    return;
  }
  if (m_cameraRotating != 0) {
    m_cursorKind = selvarinframefield::kCursorTurn;
  } else if (IsMessageShowing()) {
    m_cursorKind = selvarinframefield::kCursorMessage;
  } else if (m_choiceCount > 0) {
    m_cursorKind = selvarinframefield::kCursorPointer;
  }
}

// The cursor kind from what lies under the cursor; true when a click has
// asked for the field menu and the step ends there.
bool CSelvarinFrame::PickUnderCursor(int x, int y, float distance, int width) {
  const CMouse& mouse = CMouse::GetInstance();
  const float talkReach = static_cast<float>(width) * 150.0f / 640.0f;
  const float farAway = static_cast<float>(width) * 200.0f / 640.0f;
  CSelvarinActor* actor = nullptr;
  CSelvarin3dActor* model = nullptr;
  switch (g_pickRegionList.HitTest(x, y, &actor, &model)) {
    case 0:
      m_cursorKind = distance > farAway ? selvarinframefield::kCursorFar : selvarinframefield::kCursorOutward;
      break;
    case 1:
      m_cursorKind = mouse.m_mouseButtons[0] != kStateUp ? selvarinframefield::kCursorOutward : selvarinframefield::kCursorPlayer;
      if (mouse.m_mouseButtons[1] == kStatePressed && mouse.m_mouseButtons[0] == kStateUp && !IsMessageShowing() &&
          m_choiceCount == 0 && m_scriptBusy == 0 && m_menuAllowed != 0) {
        g_uiRequest = selvarinframefield::kUiFieldMenu;
        return true;
      }
      break;
    case 2:
      m_cursorKind = selvarinframefield::kCursorOutward;
      if (distance < talkReach) {
        m_cursorKind = selvarinframefield::kCursorTalk;
        m_pPickedActor = actor;
      }
      break;
    case 3:
      m_cursorKind = selvarinframefield::kCursorOutward;
      if (distance < talkReach) {
        m_cursorKind = selvarinframefield::kCursorUse;
        m_pPicked3dActor = model;
      }
      break;
    default:
      m_cursorKind = selvarinframefield::kCursorOutward;
      break;
  }
  return false;
}

void CSelvarinFrame::DrawMouseCursor() {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  int angle = 0;
  const int action = MouseCursorAction(mouse.m_x, mouse.m_y, &angle);
  m_pRC->DrawAction(mouse.m_x, mouse.m_y, actions, sprites, action, 0, 1.0f, angle, 0xFFFFFFFF, true);
}

int CSelvarinFrame::MouseCursorAction(int x, int y, int* angle) const {
  *angle = 0;
  if (m_choiceCount > 0 || selvarinframefield::TransitionHidesCursorKind(m_transKind)) return 0;
  switch (m_cursorKind) {
    case selvarinframefield::kCursorOutward:
    case selvarinframefield::kCursorFar:
      *angle = static_cast<int>(std::atan2(static_cast<float>(y - 240), static_cast<float>(x - 320)) * 57.29579f);
      return m_cursorKind;
    case selvarinframefield::kCursorMessage:
      return 1;
    case selvarinframefield::kCursorPointer:
      return 2;
    default:
      return m_cursorKind;
  }
}

void CSelvarinFrame::UpdateChoiceBox() {
  if (m_choiceCount <= 0) return;
  CMouse& mouse = CMouse::GetInstance();
  const int x = mouse.m_x;
  const int y = mouse.m_y;
  const int top = m_choiceY;
  if (m_choiceX < x && x < m_choiceX + m_choiceWidth + 10 && top + 5 < y && y < top + m_choiceCount * selvarinframefield::kChoiceRow + 3) {
    m_choiceSelected = (y - top - 5) / selvarinframefield::kChoiceRow;
    m_choiceMouseOver = 1;
  } else {
    m_choiceMouseOver = 0;
  }
  if (selvarinframefield::PadPressedOrRepeating(kPadUp)) m_choiceSelected = m_choiceSelected > 0 ? m_choiceSelected - 1 : m_choiceCount - 1;
  if (selvarinframefield::PadPressedOrRepeating(kPadDown)) m_choiceSelected = m_choiceSelected + 1 < m_choiceCount ? m_choiceSelected + 1 : 0;
  const bool click = mouse.m_mouseButtons[0] == kStatePressed && m_choiceMouseOver != 0;
  if (!TakeConfirmPress() && !click) return;
  mouse.Center();
  const CSelvarinContext* context = GetContext();
  CSelvarinActor* player = context != nullptr ? context->m_player : nullptr;
  if (m_pMessageVillager == nullptr && player != nullptr) player->OnMessage(nullptr, selvarinframefield::kMessageClosed, 0, 0, 0);
  m_choiceCount = 0;
  ResumeAtChoice();
}

// The script goes on at the chosen "case" of the open "choose" block, with
// the subject that asked.
void CSelvarinFrame::ResumeAtChoice() {
  const CSelvarinContext* context = GetContext();
  if (context == nullptr || context->m_script == nullptr) return;
  const int from = m_choiceLine % selvarinframefield::kChooseLineModulo + 1;
  const int line = selvarinframefield::FindCaseLine(*context->m_script, from, m_choiceSelected + 1);
  if (line < 0) return;
  if (m_pMessageVillager != nullptr) {
    RunEventScript(line, m_pMessageVillager->m_name, m_pMessageVillager->m_scriptStack);
  } else if (m_pMessageEvent != nullptr) {
    RunEventScript(line, m_pMessageEvent->m_name, m_pMessageEvent->m_script);
  } else if (m_pMessage3dActor != nullptr) {
    RunEventScript(line, m_pMessage3dActor->m_name, m_scriptPosition);
  } else {
    DebugLog("No Saying Actor");
    RunEventScript(line, "", m_scriptPosition);
  }
}

void CSelvarinFrame::RememberPlace() {
  CSession& session = CSession::GetInstance();
  const CSelvarinContext* context = GetContext();
  const CSelvarinView* view = GetView();
  // A map that stopped loading has no player: the last place stays.
  if (context != nullptr && context->m_player != nullptr) {
    session.placeName = m_name;
    session.posX = context->m_player->m_pos.x;
    session.posZ = context->m_player->m_pos.z;
    session.facing = view != nullptr ? static_cast<int32_t>(view->m_yaw) : 0;
  }
  // The count runs from its start (a loaded game's start lies its play time
  // back), a wrapping clock's difference.
  session.playTime = ClockSecondsSince(session.startClock);
}
