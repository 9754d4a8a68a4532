// The words of a cut-scene's commands: the message, actor, physics, frame
// and sysex words of the field and battle interpreters, applied to the
// channel's actor, and the camera words of the view.
#include <deque>
#include <string>

#include "engine/FrameClock.h"
#include "engine/MacroRes.h"
#include "engine/ResMgr.h"
#include "engine/Tokenizer.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "script/ActorCommands.h"
#include "script/BattleScriptCommands.h"
#include "script/DialogueCommands.h"
#include "script/MacroActor.h"
#include "script/ScriptArgs.h"
#include "script/SysexCommands.h"
#include "session/Session.h"

namespace {
namespace macrocommands {

enum MacroPause : int32_t { kRunning = 0, kForWindow = 1, kForKey = 2 };

// Words the channel's actor is needed for beyond the message and actor
// words: the focus and the second command group.
constexpr const char* kChannelWords[] = {"focus",          "gravity",     "nogravity",       "gravityfactor",
                                         "frictionfactor", "springfactor", "rsxeffect",      "alphawhenopaque",
                                         "setmovespeed",   "activate"};
// The actor words that act on no actor.
constexpr const char* kFreeActorWords[] = {"pushcamera", "popcamera", "unlockplay", "lockplay",
                                           "warpparty",  "moveto",    "setangle",   "addangle",
                                           "nextangle",  "opendoor",  "closedoor"};
// The dialogue interpreter's words a cut-scene takes as they are.
constexpr const char* kDialogueWords[] = {"joinparty", "leaveparty", "setleader", "callbattle"};

bool OneOf(const std::string& word, std::initializer_list<const char*> words) {
  for (const char* w : words) {
    if (word == w) return true;
  }
  return false;
}

template <size_t N>
bool OneOf(const std::string& word, const char* const (&words)[N]) {
  for (const char* w : words) {
    if (word == w) return true;
  }
  return false;
}

bool NeedsChannel(const std::string& word) {
  if (IsMacroMessageWord(word) || OneOf(word, kChannelWords)) return true;
  return IsActorWord(word) && !OneOf(word, kFreeActorWords);
}

// Three reals from token 1, or false with the word's syntax text.
bool ThreeReals(const CTokenizer& tokens, float* a, float* b, float* c) {
  if (tokens.GetCount() != 4) {
    const std::string& word = tokens[0];
    DebugLog(word + " 문법 잘못 - usage : " + word + " x y z");
    DebugLog("허나 당신이 시도했던 문장은...");
    return false;
  }
  *a = tokens.GetFloat(1);
  *b = tokens.GetFloat(2);
  *c = tokens.GetFloat(3);
  return true;
}

// The camera words; false when the word is none of them.
bool ExecCameraWord(CSelvarinFrame& frame, const CTokenizer& tokens, CActor* channel) {
  CSelvarinView* view = frame.GetView();
  const std::string& word = tokens[0];
  if (!OneOf(word, {"focus", "focusleader", "setcamera", "movecamera", "setcamerapos", "movecamerapos",
                    "setcameraspeed", "holdcamerapos"})) {
    return false;
  }
  if (view == nullptr) return true;
  float a = 0.0f, b = 0.0f, c = 0.0f;
  if (word == "focus") {
    view->m_pFollow = dynamic_cast<CSelvarinActor*>(channel);
  } else if (word == "focusleader") {
    const PlayerData* leader = CSession::GetInstance().GetPartyMember(0);
    const CSelvarinContext* context = frame.GetContext();
    CSelvarinActor* actor = leader != nullptr && context != nullptr ? context->FindMacroActor(leader->engname) : nullptr;
    if (actor == nullptr) {
      DebugLog("focusleader : the leader has no macro actor");
      return true;
    }
    view->m_pFollow = actor;
  } else if (word == "setcamera" || word == "movecamera") {
    // Whole numbers, as the view's angles are set from a script.
    const float pitch = static_cast<float>(IntAt(tokens, 1));
    const float yaw = static_cast<float>(IntAt(tokens, 2));
    const float distance = static_cast<float>(IntAt(tokens, 3));
    if (word == "setcamera") {
      view->SetCamera(pitch, yaw, distance);
    } else {
      view->MoveCamera(pitch, yaw, distance);
    }
  } else if (word == "setcamerapos") {
    if (ThreeReals(tokens, &a, &b, &c)) view->SetCameraPos(Vec3{a, b, c});
  } else if (word == "movecamerapos") {
    if (ThreeReals(tokens, &a, &b, &c)) view->MoveCameraPos(Vec3{a, b, c});
  } else if (word == "setcameraspeed") {
    const auto at = [&](int i) { return i < tokens.GetCount() ? tokens.GetFloat(i) : 0.0f; };
    view->SetFollowSpeeds(at(1), at(2), at(3), at(4));
  } else {
    view->HoldCameraPos();
  }
  return true;
}

}  // namespace macrocommands
}  // namespace

void CSelvarinFrame::ExecMacroCommand(const MacroCommand& command) {
  CTokenizer tokens;
  tokens.Tokenize(command.m_text);
  if (tokens.GetCount() == 0) return;
  const std::string& word = tokens[0];
  CSelvarinContext* context = GetContext();
  CSelvarinActor* channel = nullptr;
  if (context != nullptr && m_pMacro != nullptr && command.m_channel >= 0 &&
      static_cast<size_t>(command.m_channel) < m_pMacro->m_tracks.size()) {
    const std::string& name = m_pMacro->m_tracks[static_cast<size_t>(command.m_channel)].name;
    if (!name.empty()) channel = context->FindMacroActor(name);
  }
  if (channel == nullptr && macrocommands::NeedsChannel(word)) {
    DebugLog(word + " : 현재 채널의 액터가 NULL 임");
    return;
  }
  bool goesOn = true;
  if (channel != nullptr && IsMacroMessageWord(word)) {
    // The scene's lines answer to no field script: a talk that started the
    // scene would otherwise take the end of a line as its own and run again.
    m_pMessageVillager = nullptr;
    m_pMessageEvent = nullptr;
    m_pMessage3dActor = nullptr;
    const MacroMessage result = ExecMacroMessage(*this, tokens, *channel);
    if (result == MacroMessage::kDialogue) m_macroPause = macrocommands::kForWindow;
    if (result == MacroMessage::kKeyWait) m_macroPause = macrocommands::kForKey;
    return;
  }
  if (macrocommands::ExecCameraWord(*this, tokens, channel)) return;
  if (word == "setframerate") {
    const int rate = IntAt(tokens, 1);
    // 0 would leave the clock unpaced and a negative rate race it.
    if (rate <= 0) {
      DebugLog("setframerate : the rate must be above 0");
      return;
    }
    SetFrameRate(static_cast<uint32_t>(rate));
    return;
  }
  if (word == "macro") {
    auto* next = dynamic_cast<CMacroRes*>(CResMgr::GetInstance().GetResStr(TextAt(tokens, 1)));
    if (next == nullptr) {
      DebugLog("macro : no macro " + TextAt(tokens, 1) + "; the scene goes on");
      return;
    }
    ResetFrameTimer();
    if (context != nullptr) context->RefreshMacroActors();
    m_pMacro = next;
    StartMacro();
    return;
  }
  if (word == "opendoor" || word == "closedoor") {
    if (context == nullptr || context->FindActorByResName(TextAt(tokens, 1)) == nullptr) {
      DebugLog("링크에러");
      return;
    }
  }
  if (word == "sysex") {
    ExecSysex(*this, tokens, channel);
    return;
  }
  if (macrocommands::OneOf(word, macrocommands::kDialogueWords)) {
    ExecDialogueCommand(*this, tokens, 0, std::string(), &goesOn);
    return;
  }
  if (channel != nullptr ? ExecActorCommand(*this, tokens, 0, *channel, &goesOn)
                         : ExecActorCommand(*this, tokens, 0, std::string(), &goesOn)) {
    return;
  }
  std::deque<int> conditions;
  ExecPhysicsCommand(this, tokens, 0, channel, conditions);
}
