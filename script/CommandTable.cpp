#include "script/CommandTable.h"

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

bool RunCommandRow(std::span<const CommandRow> table, CSelvarinFrame* frame, const CTokenizer& tokens,
                   CSelvarinActor* subject) {
  if (tokens.GetCount() == 0) return false;
  const std::string& word = tokens[0];
  for (const CommandRow& row : table) {
    if (word != row.word) continue;
    if (row.tokens != 0 && tokens.GetCount() != row.tokens) {
      DebugLog(row.syntax);
      return true;
    }
    row.handler(frame, tokens, subject);
    return true;
  }
  return false;
}
