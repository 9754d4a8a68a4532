// The event scripts' second command group: the physics of the field's 3-D
// models, the action mode, experience and the title. Words it does not know
// go on to the third group.
#include <cmath>
#include <cstdint>

#include "engine/FrameMgr.h"
#include "engine/Tokenizer.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "script/CommandTable.h"
#include "script/ScriptArgs.h"
#include "script/ScriptPosition.h"
#include "session/Session.h"

namespace {
namespace physicscommands {

// The models' physics messages; the reals go by address.
enum PhysicsMessage : int {
  kActivate = 9,
  kGravityOn = 52,
  kGravityOff = 53,
  kGravityFactor = 54,
  kVelocity = 55,
  kSpringFactor = 56,
  kFrictionFactor = 57,
  kDrawEffect = 58,
  kOpaqueAlpha = 59,
};

// A real truncated toward zero as a real, never through an integer, so that
// no value overflows; NaN and infinities give 0.
float WholeReal(const CTokenizer& tokens, int i) {
  const float value = Has(tokens, i) ? tokens.GetFloat(i) : 0.0f;
  return std::isfinite(value) ? std::trunc(value) : 0.0f;
}

void Send(CSelvarinActor* subject, int code, intptr_t value = 0) {
  if (subject != nullptr) subject->OnMessage(nullptr, code, value, 0, 0);
}

void SendReal(CSelvarinActor* subject, int code, const CTokenizer& tokens) {
  float value = WholeReal(tokens, 1);
  Send(subject, code, reinterpret_cast<intptr_t>(&value));
}

void Gravity(CSelvarinFrame*, const CTokenizer&, CSelvarinActor* subject) { Send(subject, kGravityOn); }
void NoGravity(CSelvarinFrame*, const CTokenizer&, CSelvarinActor* subject) { Send(subject, kGravityOff); }
void GravityFactor(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor* subject) {
  SendReal(subject, kGravityFactor, tokens);
}
void FrictionFactor(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor* subject) {
  SendReal(subject, kFrictionFactor, tokens);
}
void SpringFactor(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor* subject) {
  SendReal(subject, kSpringFactor, tokens);
}
void RsxEffect(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor* subject) {
  Send(subject, kDrawEffect, IntAt(tokens, 1));
}
void AlphaWhenOpaque(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor* subject) {
  Send(subject, kOpaqueAlpha, IntAt(tokens, 1));
}

void SetMoveSpeed(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor* subject) {
  if (subject == nullptr) {
    DebugLog("잘못된 액터 이름!!!");
    return;
  }
  float velocity[3] = {WholeReal(tokens, 1), WholeReal(tokens, 2), WholeReal(tokens, 3)};
  Send(subject, kVelocity, reinterpret_cast<intptr_t>(velocity));
}

// While on, the followers stay hidden at the leader's feet; turned off, the
// whole party shows again.
void ActionMode(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  g_actionMode = IntAt(tokens, 1);
  const CSelvarinContext* context = frame != nullptr ? frame->GetContext() : nullptr;
  if (g_actionMode != 0 || context == nullptr) return;
  for (CSelvarinActor* actor : context->m_partyChain) actor->m_visible = 1;
}

// The named actor, not the subject: particle makers live in the effect list,
// which the lookup searches too.
void Activate(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  const CSelvarinContext* context = frame != nullptr ? frame->GetContext() : nullptr;
  CSelvarinActor* actor = context != nullptr ? context->FindActorByName(TextAt(tokens, 1)) : nullptr;
  if (actor == nullptr) {
    DebugLog("잘못된 파티클메이커 이름");
    return;
  }
  actor->OnMessage(nullptr, kActivate, 0, 0, 0);
}

void GiveExp(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  CSession& session = CSession::GetInstance();
  const int giver = session.GetPlayerId(TextAt(tokens, 1));
  const int receiver = session.GetPlayerId(TextAt(tokens, 2));
  if (giver < 0 || receiver < 0) return;
  session.players[static_cast<size_t>(receiver)].CopyFrom(session.players[static_cast<size_t>(giver)]);
}

// In the order they are tried.
const CommandRow kPhysicsWords[] = {
    {"gravity", 0, nullptr, Gravity},
    {"nogravity", 0, nullptr, NoGravity},
    {"gravityfactor", 2, "Syntax Error In garvityfactor", GravityFactor},
    {"frictionfactor", 2, "Syntax Error In frictionfactor", FrictionFactor},
    {"springfactor", 2, "Syntax Error In springfactor", SpringFactor},
    {"rsxeffect", 2, "Syntax Error In rsxeffect", RsxEffect},
    {"alphawhenopaque", 2, "Syntax Error In alphawhenopaque", AlphaWhenOpaque},
    {"setmovespeed", 4, "문법: setspeed x y z", SetMoveSpeed},
    {"actionmode", 2, "Syntax Error: actionmode (1==On or 0==Off)", ActionMode},
    {"activate", 2, "문법: activate 파티클메이커이름", Activate},
    {"giveexp", 3, "문법: giveexp 주는사람이름 받는사람이름", GiveExp},
    {"averageexp", 2, "문법: aveexp 받는사람이름", AverageExp},
    {"calltitle", 0, nullptr, CallTitle},
};

}  // namespace physicscommands
}  // namespace

// The party's experience summed in party order; an empty party has no
// average and changes nothing.
void AverageExp(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  CSession& session = CSession::GetInstance();
  const int receiver = session.GetPlayerId(TextAt(tokens, 1));
  if (receiver < 0) return;
  int64_t sum = 0;
  int members = 0;
  for (int n = 0; n < session.partyCount && n < CSession::kMaxParty; ++n) {
    if (const PlayerData* member = session.GetPartyMember(n)) {
      sum += member->exp;
      ++members;
    }
  }
  if (members == 0) {
    DebugLog("averageexp: the party is empty");
    return;
  }
  PlayerData& record = session.players[static_cast<size_t>(receiver)];
  record.SetExperience(static_cast<int32_t>(sum / members));
  record.UpdateLevel();
}

void CallTitle(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { CFrameMgr::GetInstance().ChangeFrame("title"); }

bool CSelvarinFrame::ExecPhysicsCommand(CSelvarinFrame* frame, const CTokenizer& tokens, int line,
                                        CSelvarinActor* subject, std::deque<int>& /*conditions*/) {
  if (RunCommandRow(physicscommands::kPhysicsWords, frame, tokens, subject)) return true;
  return ExecSystemCommand(frame, tokens, line);
}
