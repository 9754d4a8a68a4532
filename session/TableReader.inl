// Template bodies of TableReader.h.
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

template <class Record, size_t N>
bool ApplyIntKey(const IntKey<Record> (&keys)[N], const CTokenizer& tokens, Record& record) {
  for (const IntKey<Record>& key : keys) {
    if (tokens[0] != key.key) continue;
    record.*key.field = IntAt(tokens, 1, 0);
    return true;
  }
  return false;
}

template <class Record>
void CKeyRecordLoader<Record>::OpenBlock(int index, const CTokenizer& tokens) {
  m_records.resize(static_cast<size_t>(index) + 1);
  const NameGroups groups = ReadNameGroups(tokens, 2);
  m_records.back().name = groups.first;
  m_records.back().secondName = groups.second;
}

template <class Record>
void CKeyRecordLoader<Record>::BlockLine(int index, const CTokenizer& tokens, const std::string&) {
  if (!m_applyKey(tokens, m_records[static_cast<size_t>(index)])) DebugLog(m_unknownKey + (" " + tokens[0]));
}
