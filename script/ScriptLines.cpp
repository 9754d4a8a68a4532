#include "script/ScriptLines.h"

#include "engine/TextRes.h"
#include "engine/Tokenizer.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"

const CTextRes* CScriptLines::Script() const {
  const CSelvarinContext* context = m_frame.GetContext();
  return context != nullptr ? context->m_script : nullptr;
}

int CScriptLines::Count() const {
  const CTextRes* script = Script();
  return script != nullptr ? script->GetCount() : 0;
}

std::string CScriptLines::WordAt(int line) const {
  if (line < 0 || line >= Count()) return std::string();
  CTokenizer tokens;
  tokens.Tokenize(Script()->GetLine(line));
  if (tokens.GetCount() == 0) return std::string();
  tokens.ToLower();
  return tokens[0];
}

int CScriptLines::FindClosing(int from, const char* open, const char* close, bool elseCloses) const {
  const int count = Count();
  int depth = 0;
  for (int line = from; line < count; ++line) {
    const std::string word = WordAt(line);
    if (word == open) {
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

int CScriptLines::FindWord(int from, const char* word) const {
  const int count = Count();
  for (int line = from; line < count; ++line) {
    if (WordAt(line) == word) return line;
  }
  return count;
}
