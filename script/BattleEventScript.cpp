#include "script/BattleEventScript.h"

#include "battle/ActionCode.h"
#include "engine/TextRes.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "script/BattleEventTrigger.h"
#include "script/BattleScriptCommands.h"
#include "script/BattleScriptValues.h"

const CBattleEventScriptRun::Word CBattleEventScriptRun::s_words[] = {
    {"event", &CBattleEventScriptRun::Event}, {"endevent", &CBattleEventScriptRun::EndEvent},
    {"return", &CBattleEventScriptRun::Return}, {"if", &CBattleEventScriptRun::If},
    {"else", &CBattleEventScriptRun::Else},     {"elseif", &CBattleEventScriptRun::ElseIf},
    {"endif", &CBattleEventScriptRun::EndIf},
};

CBattleEventScriptRun::CBattleEventScriptRun(CSelvarinFrame& frame) : m_frame(frame) {}

const CTextRes* CBattleEventScriptRun::Script() const {
  const CSelvarinContext* context = m_frame.GetContext();
  return context != nullptr ? context->m_script : nullptr;
}

int CBattleEventScriptRun::LineCount() const {
  const CTextRes* script = Script();
  return script != nullptr ? script->GetCount() : 0;
}

// Every jump goes forward. Past the text the run ends as at "return", so
// that the battle never waits on a run that nothing will resume.
void CBattleEventScriptRun::Run(int line) {
  while (line != kBattleRunStops) {
    if (line < 0 || line >= LineCount()) {
      DebugLogf("battle script: line %d is outside the text; the run returns", line);
      EndBattleScriptRun(m_frame);
      return;
    }
    line = RunLine(line, Script()->GetLine(line));
  }
}

int CBattleEventScriptRun::RunLine(int line, const std::string& text) {
  m_tokens.Tokenize(text);
  if (m_tokens.GetCount() == 0) return line + 1;
  m_tokens.ToLower();
  const std::string& word = m_tokens[0];
  for (const Word& entry : s_words) {
    if (word == entry.word) return (this->*entry.control)(line, text);
  }
  int next = line + 1;
  if (ExecBattleCommand(m_frame, m_tokens, line, &next)) return next;
  DebugLog("Unknown Command");
  DebugLog(word);
  return line + 1;
}

std::string CBattleEventScriptRun::WordAt(int line) const {
  CTokenizer tokens;
  tokens.Tokenize(Script()->GetLine(line));
  if (tokens.GetCount() == 0) return std::string();
  tokens.ToLower();
  return tokens[0];
}

int CBattleEventScriptRun::FindClosing(int from, const char* close, bool elseCloses) const {
  const int count = LineCount();
  int depth = 0;
  for (int line = from; line < count; ++line) {
    const std::string word = WordAt(line);
    if (word == "if") {
      ++depth;
    } else if (word == close) {
      if (depth == 0) return line;
      --depth;
    } else if (elseCloses && depth == 0 && (word == "else" || word == "elseif")) {
      return line;
    }
  }
  return count;
}

int CBattleEventScriptRun::FindWord(int from, const char* word) const {
  const int count = LineCount();
  for (int line = from; line < count; ++line) {
    if (WordAt(line) == word) return line;
  }
  return count;
}

int CBattleEventScriptRun::Top(const std::deque<int>& stack, const char* word) {
  if (stack.empty()) {
    DebugLog(std::string(word) + " : the stack is empty");
    return 0;
  }
  return stack.back();
}

void CBattleEventScriptRun::Pop(std::deque<int>& stack, const char* word) {
  if (stack.empty()) {
    DebugLog(std::string(word) + " : the stack is empty");
    return;
  }
  stack.pop_back();
}

// "death" and "random" have no second argument.
int CBattleEventScriptRun::Event(int line, const std::string&) {
  const std::string& trigger = m_tokens[1];
  const bool single = trigger == "death" || trigger == "random";
  const int holds = ParseBattleEventTrigger(trigger, m_tokens[2], single ? std::string() : m_tokens[3]);
  m_frame.m_battleEvents.push_back(holds);
  if (holds == 0) return FindWord(line + 1, "endevent");
  TellBattleParticipants(m_frame, kMsgStopGauge);
  m_frame.m_gaugeShown = 0;
  return line + 1;
}

int CBattleEventScriptRun::EndEvent(int line, const std::string&) {
  Pop(m_frame.m_battleEvents, "endevent");
  return line + 1;
}

int CBattleEventScriptRun::Return(int, const std::string&) {
  EndBattleScriptRun(m_frame);
  return kBattleRunStops;
}

int CBattleEventScriptRun::If(int line, const std::string& text) {
  const int32_t value = EvalBattleCondition(text);
  m_frame.m_battleConditions.push_back(value);
  return value != 0 ? line + 1 : FindClosing(line + 1, "endif", true);
}

// After a taken branch the construct ends here: past its "endif", and its
// entry leaves the stack, so that skipped "endif"s leave nothing behind.
int CBattleEventScriptRun::Else(int line, const std::string&) {
  if (Top(m_frame.m_battleConditions, "else") == 0) return line + 1;
  const int endif = FindClosing(line + 1, "endif", false);
  Pop(m_frame.m_battleConditions, "else");
  return endif + 1;
}

int CBattleEventScriptRun::ElseIf(int line, const std::string& text) {
  std::deque<int>& conditions = m_frame.m_battleConditions;
  if (Top(conditions, "elseif") != 0) {
    const int endif = FindClosing(line + 1, "endif", false);
    Pop(conditions, "elseif");
    return endif + 1;
  }
  Pop(conditions, "elseif");
  const int32_t value = EvalBattleCondition(text);
  conditions.push_back(value);
  return value != 0 ? line + 1 : FindClosing(line + 1, "endif", true);
}

int CBattleEventScriptRun::EndIf(int line, const std::string&) {
  Pop(m_frame.m_battleConditions, "endif");
  return line + 1;
}

// ---- The game frame's side ----

void CSelvarinFrame::RunBattleEventScript(int line) {
  if (line == -1) {
    m_battleScriptRunning = 0;
    return;
  }
  CBattleEventScriptRun(*this).Run(line);
}

void CSelvarinFrame::ResetBattleScript() {
  m_battleScriptRunning = 0;
  m_battleScriptLine = -1;
  m_battleConditions.clear();
  m_battleEvents.clear();
  m_gaugeShown = 1;
  m_pBattleSpeaker = nullptr;
}
