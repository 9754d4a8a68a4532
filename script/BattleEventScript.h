#pragma once
// One run of the battle event script: the line loop with its control words
// (event blocks, conditions, return) over the frame's condition and event
// stacks, and the hand-over of every other word to the battle commands.
// A run ends at "return", at a command that waits for the player (the
// frame's resume line then holds where it goes on), or, as "return" does,
// at the end of the text.
#include <deque>
#include <string>

#include "engine/Tokenizer.h"
#include "script/ScriptLines.h"

class CSelvarinFrame;

class CBattleEventScriptRun {
 public:
  explicit CBattleEventScriptRun(CSelvarinFrame& frame);
  void Run(int line);

 private:
  using Control = int (CBattleEventScriptRun::*)(int line, const std::string& text);
  struct Word {
    const char* word;
    Control control;
  };
  static const Word s_words[];

  // Each returns the next line to run, or kBattleRunStops.
  int RunLine(int line, const std::string& text);
  int Event(int line, const std::string& text);
  int EndEvent(int line, const std::string& text);
  int Return(int line, const std::string& text);
  int If(int line, const std::string& text);
  int Else(int line, const std::string& text);
  int ElseIf(int line, const std::string& text);
  int EndIf(int line, const std::string& text);

  // The top of a stack; 0 (logged) when it is empty. Popping an empty
  // stack only logs.
  static int Top(const std::deque<int>& stack, const char* word);
  static void Pop(std::deque<int>& stack, const char* word);
  CSelvarinFrame& m_frame;
  CScriptLines m_lines;
  CTokenizer m_tokens;
};
