#include "script/EventScriptRun.h"

#include <cstring>

#include "engine/TextRes.h"
#include "field/MapEvent.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "render/3dActor.h"
#include "script/ActorCommands.h"
#include "script/DialogueCommands.h"
#include "script/ScriptExpression.h"

namespace {
namespace eventscriptrun {

// What the subject and the player are told.
enum ScriptMessage : int {
  kWaitForDialogue = 12,
  kScriptReturned = 14,
  kDelay = 17,
};

}  // namespace eventscriptrun
}  // namespace

const CEventScriptRun::Word CEventScriptRun::s_words[] = {
    {"if", &CEventScriptRun::If},         {"else", &CEventScriptRun::Else},
    {"elseif", &CEventScriptRun::ElseIf}, {"endif", &CEventScriptRun::EndIf},
    {"return", &CEventScriptRun::Return}, {"error", &CEventScriptRun::Error},
    {"delay", &CEventScriptRun::Delay},   {"choose", &CEventScriptRun::Choose},
    {"case", &CEventScriptRun::Case},     {"break", &CEventScriptRun::Break},
};

CEventScriptRun::CEventScriptRun(CSelvarinFrame& frame, const std::string& subject, std::deque<int>& conditions)
    : m_frame(frame), m_lines(frame), m_subject(subject), m_conditions(conditions) {}

// Every jump goes forward, so a run ends within the line count.
void CEventScriptRun::Run(int line) {
  while (line >= 0 && line < m_lines.Count()) line = RunLine(line, m_lines.Script()->GetLine(line));
}

int CEventScriptRun::RunLine(int line, const std::string& text) {
  m_tokens.Tokenize(text);
  if (m_tokens.GetCount() == 0) return line + 1;
  m_tokens.ToLower();
  const std::string& word = m_tokens[0];
  for (const Word& entry : s_words) {
    if (word == entry.word) return (this->*entry.command)(line, text);
  }
  bool goesOn = true;
  if (ExecActorCommand(m_frame, m_tokens, line, m_subject, &goesOn)) return goesOn ? line + 1 : kEndRun;
  if (ExecDialogueCommand(m_frame, m_tokens, line, m_subject, &goesOn)) return goesOn ? line + 1 : kEndRun;
  const CSelvarinContext* context = m_frame.GetContext();
  CSelvarinActor* subject = context != nullptr ? context->FindActorByName(m_subject) : nullptr;
  return CSelvarinFrame::ExecPhysicsCommand(&m_frame, m_tokens, line, subject, m_conditions) ? line + 1 : kEndRun;
}

int CEventScriptRun::Top(const char* word) const {
  if (m_conditions.empty()) {
    DebugLog(std::string(word) + " without an open if");
    return 0;
  }
  return m_conditions.back();
}

void CEventScriptRun::Pop(const char* word) {
  if (m_conditions.empty()) {
    DebugLog(std::string(word) + " without an open if");
    return;
  }
  m_conditions.pop_back();
}

int CEventScriptRun::If(int line, const std::string& text) {
  const int32_t value = EvalCondition(text.c_str());
  m_conditions.push_back(value);
  return value != 0 ? line + 1 : m_lines.FindClosing(line + 1, "if", "endif", true);
}

// After a taken branch the construct ends here: past its "endif", and its
// entry leaves the stack.
int CEventScriptRun::Else(int line, const std::string&) {
  if (Top("else") == 0) return line + 1;
  const int endif = m_lines.FindClosing(line + 1, "if", "endif", false);
  Pop("else");
  return endif + 1;
}

int CEventScriptRun::ElseIf(int line, const std::string& text) {
  if (Top("elseif") != 0) {
    const int endif = m_lines.FindClosing(line + 1, "if", "endif", false);
    Pop("elseif");
    return endif + 1;
  }
  const int32_t value = EvalCondition(text.c_str());
  // Without an open "if" the entry is new, so that its "endif" has one.
  if (m_conditions.empty()) {
    m_conditions.push_back(value);
  } else {
    m_conditions.back() = value;
  }
  return value != 0 ? line + 1 : m_lines.FindClosing(line + 1, "if", "endif", true);
}

int CEventScriptRun::EndIf(int line, const std::string&) {
  Pop("endif");
  return line + 1;
}

int CEventScriptRun::Return(int, const std::string&) {
  if (CSelvarinContext* context = m_frame.GetContext()) {
    if (CSelvarinActor* actor = context->FindActorByName(m_subject)) {
      actor->OnMessage(nullptr, eventscriptrun::kScriptReturned, 0, 0, 0);
    }
  }
  // The first answer may have changed the context's lists.
  if (CSelvarinContext* context = m_frame.GetContext()) {
    if (C3dActor* actor = context->FindActorByResName(m_subject)) actor->OnMessage(nullptr, eventscriptrun::kScriptReturned, 0, 0, 0);
  }
  return kEndRun;
}

// The text as written, not lower-cased.
int CEventScriptRun::Error(int line, const std::string& text) {
  CTokenizer raw;
  raw.Tokenize(text);
  DebugLog(raw.GetCount() > 1 ? raw[1] : std::string());
  return line + 1;
}

int CEventScriptRun::Delay(int line, const std::string&) {
  const int ticks = m_tokens.GetInt(1);
  const int next = line + 1;
  CSelvarinContext* context = m_frame.GetContext();
  if (context == nullptr) {
    DebugLog("oops : delay command has no revelant owner");
  } else if (CSelvarinActor* actor = context->FindActorByName(m_subject)) {
    actor->OnMessage(nullptr, eventscriptrun::kDelay, ticks, next, 0);
  } else if (C3dActor* model = context->FindActorByResName(m_subject)) {
    model->OnMessage(nullptr, eventscriptrun::kDelay, ticks, next, 0);
  } else if (MapEvent* box = context->FindMapEvent(m_subject)) {
    box->SetTarget(ticks, next);
  } else {
    DebugLog("oops : delay command has no revelant owner");
  }
  return kEndRun;
}

// The frame's choice list opens with the texts; the subject and the player
// wait for the choice.
int CEventScriptRun::Choose(int line, const std::string&) {
  const int texts = m_tokens.GetCount() - 1;
  if (texts > CSelvarinFrame::kChoiceSlots) DebugLogf("choose: %d texts, the first %d kept", texts, CSelvarinFrame::kChoiceSlots);
  m_frame.m_choiceCount = texts < CSelvarinFrame::kChoiceSlots ? texts : CSelvarinFrame::kChoiceSlots;
  for (int i = 0; i < CSelvarinFrame::kChoiceSlots; ++i) {
    m_frame.m_choiceTexts[static_cast<size_t>(i)] = i < m_frame.m_choiceCount ? m_tokens[i + 1] : std::string();
  }
  m_frame.m_choiceSelected = 0;
  m_frame.m_choiceLine = line;
  m_frame.m_choiceSpeaker = m_subject;
  MakeSubjectWait(m_frame, m_subject, line + 1);
  if (CSelvarinContext* context = m_frame.GetContext()) {
    if (CSelvarinActor* player = context->GetPlayer()) player->OnMessage(nullptr, eventscriptrun::kWaitForDialogue, 0, 0, 0);
  }
  return kEndRun;
}

int CEventScriptRun::Case(int line, const std::string&) { return line + 1; }

int CEventScriptRun::Break(int line, const std::string&) {
  return m_lines.FindClosing(line + 1, "choose", "endchoose", false) + 1;
}
