#include "session/PlaceNameTable.h"

#include <algorithm>

#include "engine/FileStream.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

bool CPlaceNameTable::Load() {
  // The stream's path follows the resource folder the last load left set.
  SetResDirectory("\\");
  CFileStream file;
  if (!file.Open("Name.txt", CFileStream::kRead)) {
    DebugLog("name.txt file 열기");
    return false;
  }
  std::string text(static_cast<size_t>(std::max(file.GetSize(), 0)), '\0');
  const int32_t read = file.Read(text.data(), static_cast<int32_t>(text.size()));
  text.resize(static_cast<size_t>(std::max(read, 0)));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    AddLine(text.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

void CPlaceNameTable::AddLine(const std::string& line) {
  CTokenizer tokens;
  tokens.Tokenize(line);
  if (tokens.GetCount() < 2) return;
  std::string shown;
  for (int i = 1; i < tokens.GetCount(); ++i) shown += tokens[i] + " ";
  m_names.emplace(tokens[0], shown);
}

std::string CPlaceNameTable::Lookup(const std::string& key) const {
  const auto it = m_names.find(key);
  return it == m_names.end() ? std::string() : it->second;
}
