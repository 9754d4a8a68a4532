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

class CSelvarinFrame;
class CTextRes;

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
  // The line of the `close` word matching a block open before `from`
  // (nested `if` blocks passed over); with `elseCloses` an else or elseif
  // of the same depth ends the search too. The line count when none.
  int FindClosing(int from, const char* close, bool elseCloses) const;
  // The first line from `from` whose first word is the word; the line count
  // when none.
  int FindWord(int from, const char* word) const;
  std::string WordAt(int line) const;

  const CTextRes* Script() const;
  int LineCount() const;

  CSelvarinFrame& m_frame;
  CTokenizer m_tokens;
};
