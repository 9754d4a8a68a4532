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

CBattleEventScriptRun::CBattleEventScriptRun(CSelvarinFrame& frame) : m_frame(frame), m_lines(frame) {}

// Every jump goes forward. Past the text the run ends as at "return", so
// that the battle never waits on a run that nothing will resume.
void CBattleEventScriptRun::Run(int line) {
  while (line != kBattleRunStops) {
    if (line < 0 || line >= m_lines.Count()) {
      DebugLogf("battle script: line %d is outside the text; the run returns", line);
      EndBattleScriptRun(m_frame);
      return;
    }
    line = RunLine(line, m_lines.Script()->GetLine(line));
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
  if (holds == 0) return m_lines.FindWord(line + 1, "endevent");
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
  return value != 0 ? line + 1 : m_lines.FindClosing(line + 1, "if", "endif", true);
}

// After a taken branch the construct ends here: past its "endif", and its
// entry leaves the stack, so that skipped "endif"s leave nothing behind.
int CBattleEventScriptRun::Else(int line, const std::string&) {
  if (Top(m_frame.m_battleConditions, "else") == 0) return line + 1;
  const int endif = m_lines.FindClosing(line + 1, "if", "endif", false);
  Pop(m_frame.m_battleConditions, "else");
  return endif + 1;
}

int CBattleEventScriptRun::ElseIf(int line, const std::string& text) {
  std::deque<int>& conditions = m_frame.m_battleConditions;
  if (Top(conditions, "elseif") != 0) {
    const int endif = m_lines.FindClosing(line + 1, "if", "endif", false);
    Pop(conditions, "elseif");
    return endif + 1;
  }
  Pop(conditions, "elseif");
  const int32_t value = EvalBattleCondition(text);
  conditions.push_back(value);
  return value != 0 ? line + 1 : m_lines.FindClosing(line + 1, "if", "endif", true);
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
