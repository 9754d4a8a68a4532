// The cut-scene macro runner, one tick of the script mode: a command a
// tick on the frame its key names, the message window's pauses, and the
// scene's end back to the field.
#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/MacroRes.h"
#include "engine/Mouse.h"
#include "engine/Wave.h"
#include "field/QuitConfirm.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"

namespace {
namespace macroscript {

enum MacroPause : int32_t { kRunning = 0, kForWindow = 1, kForKey = 2 };
enum MessageState : int32_t { kClosed = 0, kNextPage = 2, kWaitingForKey = 5, kFinished = 7 };
constexpr const char* kPageSound = "대사넘길때나오는소리.wav";

bool EscapeHeld() { return (static_cast<uint16_t>(platform::GetKeyState(platform::VK_ESCAPE)) & 0x8000) != 0; }

// A confirm button of the pad or either mouse button, newly pressed; the
// press is marked used.
bool TakeConfirm() {
  bool taken = CSelvarinFrame::TakeConfirmPress();
  CMouse& mouse = CMouse::GetInstance();
  for (int32_t& button : mouse.m_mouseButtons) {
    if (button == kStatePressed) {
      button = kStateHeld;
      taken = true;
    }
  }
  return taken;
}

// The last frame of a macro: its length in tenths, twelve frames each. Kept
// where the counter can still pass it.
int32_t EndFrame(const CMacroRes* macro) {
  if (macro == nullptr) return 0;
  const int64_t end = static_cast<int64_t>(macro->m_headerValue / 10) * 12;
  return static_cast<int32_t>(std::clamp<int64_t>(end, INT32_MIN, INT32_MAX - 1));
}

}  // namespace macroscript
}  // namespace

void CSelvarinFrame::StartMacro() {
  m_macroCommands.clear();
  m_macroCommand = 0;
  m_macroPauseLimit = macroscript::EndFrame(m_pMacro);
  if (m_pMacro == nullptr) return;
  const std::vector<MacroTrack>& tracks = m_pMacro->m_tracks;
  for (size_t channel = 0; channel < tracks.size(); ++channel) {
    for (const auto& [key, entry] : tracks[channel].entries) {
      m_macroCommands.push_back(MacroCommand{key, static_cast<int32_t>(channel), entry.text});
    }
  }
  std::stable_sort(m_macroCommands.begin(), m_macroCommands.end(),
                   [](const MacroCommand& a, const MacroCommand& b) { return a.m_key < b.m_key; });
}

void CSelvarinFrame::EndMacro() {
  CSelvarinContext* context = GetContext();
  if (context != nullptr) {
    // A line's speaker goes with the scene's actors.
    for (CSelvarinActor* actor : context->m_macroActors) {
      if (m_pBattleSpeaker == actor) m_pBattleSpeaker = nullptr;
    }
    context->ReleaseMacroActors();
  }
  m_macroCommands.clear();
  m_macroCommand = 0;
  m_macroPause = macroscript::kRunning;
}

void CSelvarinFrame::RunMacroScript() {
  if (macroscript::EscapeHeld() && ShowQuitConfirm() == kQuitYes) {
    CFrameMgr::GetInstance().ChangeFrame("title");
    // The scene's actors go now: nothing of the scene runs on without them.
    EndMacro();
    m_mode = kModeField;
    return;
  }
  if (m_macroPause == macroscript::kForWindow) {
    if (m_messageState == macroscript::kClosed || m_messageState == macroscript::kFinished || m_macroFrame < m_macroPauseLimit) {
      m_macroPause = macroscript::kRunning;
    }
  } else if (m_macroPause == macroscript::kForKey) {
    if (macroscript::TakeConfirm()) {
      PlayWave(macroscript::kPageSound);
      m_messageText.clear();
      m_messagePending = 0;
      m_messageState = macroscript::kClosed;
      m_macroPause = macroscript::kRunning;
    } else if (m_macroFrame < m_macroPauseLimit) {
      m_messageText.clear();
      m_macroPause = macroscript::kRunning;
    }
  } else if ((m_pMacro == nullptr || m_macroFrame > macroscript::EndFrame(m_pMacro)) && m_transKind != 2) {
    // Without a macro there is nothing to play.
    ResetFrameTimer();
    if (CSelvarinContext* context = GetContext()) context->RefreshMacroActors();
    EndMacro();
    ChangeMode(kModeField);
    return;
  } else if (m_macroCommand >= m_macroCommands.size() || m_macroCommands[m_macroCommand].m_key != m_macroFrame) {
    if (m_macroCommand < m_macroCommands.size() && m_macroCommands[m_macroCommand].m_key < m_macroFrame) {
      // It could never run, and would hold back every command after it.
      DebugLog("macro : command at frame " + std::to_string(m_macroCommands[m_macroCommand].m_key) +
               " behind the frame " + std::to_string(m_macroFrame) + " skipped");
      ++m_macroCommand;
    } else {
      ++m_macroFrame;
    }
  } else {
    const MacroCommand command = m_macroCommands[m_macroCommand];
    ++m_macroCommand;
    ExecMacroCommand(command);
    if (m_mode != kModeScript) return;
  }
  RunMacroUpkeep();
}

void CSelvarinFrame::RunMacroUpkeep() {
  if (m_messageState == macroscript::kWaitingForKey && macroscript::TakeConfirm()) {
    PlayWave(macroscript::kPageSound);
    m_messageState = macroscript::kNextPage;
    if (m_macroFrame < m_macroPauseLimit) {
      m_macroPause = macroscript::kRunning;
      m_messageState = macroscript::kClosed;
    }
  }
  CSelvarinContext* context = GetContext();
  CSelvarinView* view = GetView();
  if (context != nullptr) {
    context->UpdateMacroActors();
    context->ProcessExtraActors();
  }
  if (view != nullptr) {
    view->FollowTarget();
    view->UpdateCamera();
  }
  if (context != nullptr) context->UpdateEffects();
  UpdateWeather();
  UpdateFieldMessage();
  TickCaptionTimer();
  TickHudTimers();
  if (!WaitNextFrame() || m_pRC == nullptr) return;
  DrawField();
}
