#include "engine/TextStream.h"

#include <algorithm>

#include "engine/FileStream.h"
#include "platform/DebugLog.h"

CTextStream::CTextStream(std::string bytes, std::string name)
    : m_bytes(std::move(bytes)), m_name(std::move(name)) {}

bool CTextStream::Open(const std::string& name) {
  CFileStream file;
  if (!file.Open(name, CFileStream::kRead)) return false;
  std::string bytes(static_cast<size_t>(std::max<int32_t>(file.GetSize(), 0)), '\0');
  const int32_t got = file.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
  file.Close();
  bytes.resize(static_cast<size_t>(std::max<int32_t>(got, 0)));
  *this = CTextStream(std::move(bytes), name);
  return true;
}

bool CTextStream::ReadLine(std::string& line, size_t maxLen) {
  line.clear();
  if (m_failed || AtEnd()) return false;
  ++m_lineNo;
  size_t end = m_bytes.find('\n', m_pos);
  if (end == std::string::npos) end = m_bytes.size();
  const size_t len = end - m_pos;
  line.assign(m_bytes, m_pos, len < maxLen ? len : maxLen);
  if (len > maxLen) {
    DebugLogf("%s: line %d is longer than %zu bytes; reading stops there", m_name.c_str(), m_lineNo, maxLen);
    m_failed = true;
  }
  m_pos = end + 1;
  return true;
}
