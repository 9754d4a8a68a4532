// The battle and battle-result modes of the game frame. Until battles are
// fought, a member's command menu and the battle's event script run; a
// battle without a script ends at once, one with a script when the script
// ends it, and its result returns to the field.
#include "engine/ActRes.h"
#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "render/RC.h"
#include "ui/BICaptionDeskTop.h"

namespace {

constexpr int kPointerOverWidget = 5;
constexpr int kPointer = 2;
constexpr int32_t kWaitingForKey = 5;
constexpr const char* kPageSound = "대사넘길때나오는소리.wav";

enum BattlePhase : int32_t {
  kPhaseRunning = 0,
  kPhaseCommandMenu = 1,
  kPhaseOpening = 5,
  kPhaseScriptEnded = 6,
  kPhaseEscaped = 9,
};

// Keypad button 5 or 6 newly pressed, or a fresh left click; what it takes
// is marked used.
bool TakeBattleConfirm() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && g_pMainKeyPad->m_buttons[button] == kStatePressed) {
      g_pMainKeyPad->m_buttons[button] = kStateHeld;
      return true;
    }
  }
  CMouse& mouse = CMouse::GetInstance();
  if (mouse.m_mouseButtons[0] != kStatePressed) return false;
  mouse.m_mouseButtons[0] = kStateHeld;
  return true;
}

void DrawPointer(CRC& rc, int action) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr || !rc.BeginScene()) return;
  const CMouse& mouse = CMouse::GetInstance();
  rc.DrawAction(mouse.m_x, mouse.m_y, actions, sprites, action, 0, 1.0f, 0, 0xFFFFFFFF, true);
  rc.EndScene();
}

}  // namespace

// A battle with no event script ends at its first tick outside the command
// menu; one with a script runs it until the script ends the battle.
void CSelvarinFrame::RunBattle() {
  BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
  const bool ended = m_battlePhase == kPhaseScriptEnded || m_battlePhase == kPhaseEscaped;
  if (ended || (m_battleEventLine == -1 && m_battlePhase != kPhaseCommandMenu)) {
    if (m_battleEndKindSet == 0) m_battleEndKind = m_battlePhase == kPhaseEscaped ? 1 : 0;
    m_pBattleSpeaker = nullptr;
    ClearMessageLines();
    deskTop.Close();
    ChangeMode(kModeBattleResult);
    return;
  }
  if (m_battlePhase == kPhaseCommandMenu) deskTop.OnKey();
  StepBattleScript();
  DrawBattle();
}

// A run starts from the script's first line on an idle tick; the message
// window steps while a run waits on it or closes, and a confirm in state 5
// resumes the run.
void CSelvarinFrame::StepBattleScript() {
  const bool idle = m_battlePhase == kPhaseRunning || m_battlePhase == kPhaseOpening;
  const bool windowFree = m_messageState == 0 || m_messageState == kWaitingForKey;
  if (idle && m_battleScriptRunning == 0 && windowFree && m_battleScriptLine == -1) {
    m_battleScriptRunning = 1;
    m_battleConditions.clear();
    m_battleEvents.clear();
    RunBattleEventScript(m_battleEventLine);
  }
  if (m_battleScriptRunning == 0 && m_messageState == 0) return;
  UpdateBattleMessage();
  if (m_battleScriptRunning != 0 && m_messageState == kWaitingForKey && TakeBattleConfirm()) {
    PlayWave(kPageSound);
    RunBattleEventScript(m_battleScriptLine);
  }
}

void CSelvarinFrame::DrawBattle() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  if (CSelvarinView* view = GetView(); view != nullptr && rc.BeginScene()) {
    view->RenderBattleScene(rc);
    rc.EndScene();
  }
  if (m_battlePhase == kPhaseCommandMenu) {
    BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
    deskTop.DrawTree(&rc);
    DrawPointer(rc, deskTop.ChildUnderPointer() != nullptr ? kPointerOverWidget : kPointer);
  }
  rc.Flip();
}

void CSelvarinFrame::DimScreen() {}

void CSelvarinFrame::BuildTargetList(int kind) {}

void CSelvarinFrame::IssueBattleOrder(int value, int kind) {}

void CSelvarinFrame::ValidateBattleCommand(int command, int value) {}

void CSelvarinFrame::ShowBattleResult() {
  RestoreBattleCamera();
  if (CSelvarinContext* context = GetContext()) context->ReturnFromBattle();
  ChangeMode(kModeField);
}
