#pragma once
// The lines of the current map's event script as both interpreters walk
// them: the field's and the battle's. The script is looked up through the
// frame on every call, as a command may change the context under a run.
#include <string>

class CSelvarinFrame;
class CTextRes;

class CScriptLines {
 public:
  explicit CScriptLines(const CSelvarinFrame& frame) : m_frame(frame) {}

  const CTextRes* Script() const;
  int Count() const;
  // The first word of a line, lower-cased; empty for a blank line or one
  // outside the text.
  std::string WordAt(int line) const;
  // The line of the `close` word matching a block already open at `from`,
  // skipping nested `open`/`close` pairs; with `elseCloses`, an else or
  // elseif at the same depth ends the search too. The line count when the
  // text ends first.
  int FindClosing(int from, const char* open, const char* close, bool elseCloses) const;
  // The first line from `from` whose first word is `word`; the line count
  // when none.
  int FindWord(int from, const char* word) const;

 private:
  const CSelvarinFrame& m_frame;
};
