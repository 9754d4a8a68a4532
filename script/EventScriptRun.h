#pragma once
// One run of the field event-script interpreter: the line loop with its
// control words (conditions, choices, waits, return), and the hand-over of
// every other word to the command groups. A run keeps nothing between lines
// but the line number: actors and boxes are looked up by name each time, as
// one answering a message may run a script of its own or go away.
#include <deque>
#include <string>

#include "engine/Tokenizer.h"
#include "script/ScriptLines.h"

class CSelvarinFrame;

class CEventScriptRun {
 public:
  CEventScriptRun(CSelvarinFrame& frame, const std::string& subject, std::deque<int>& conditions);
  // Runs from the line until a line ends the run or the text ends.
  void Run(int line);

 private:
  static constexpr int kEndRun = -1;
  using Command = int (CEventScriptRun::*)(int line, const std::string& text);
  struct Word {
    const char* word;
    Command command;
  };
  static const Word s_words[];

  // Each returns the next line to run, or kEndRun.
  int RunLine(int line, const std::string& text);
  int If(int line, const std::string& text);
  int Else(int line, const std::string& text);
  int ElseIf(int line, const std::string& text);
  int EndIf(int line, const std::string& text);
  int Return(int line, const std::string& text);
  int Error(int line, const std::string& text);
  int Delay(int line, const std::string& text);
  int Choose(int line, const std::string& text);
  int Case(int line, const std::string& text);
  int Break(int line, const std::string& text);

  // The top of the condition stack; 0 (logged) when it is empty.
  int Top(const char* word) const;
  void Pop(const char* word);
  CSelvarinFrame& m_frame;
  CScriptLines m_lines;
  std::string m_subject;
  std::deque<int>& m_conditions;
  CTokenizer m_tokens;
};
