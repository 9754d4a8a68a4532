#include "engine/TextRes.h"

#include "engine/ResMgr.h"
#include "engine/TextStream.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CTextRes, "scr", ".\\");

bool CTextRes::Load(const std::string& name) {
  CTextStream stream;
  if (!stream.Open(name)) {
    DebugLog("파일 읽기 실패");
    DebugLog("파일 읽기 실패");
    return false;
  }
  std::string line;
  while (stream.ReadLine(line, kMaxLineLen)) m_lines.push_back(line);
  return true;
}

int CTextRes::FindLine(const std::string& text) const {
  for (size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].find(text) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

std::string CTextRes::GetLine(int i) const {
  if (i < 0 || i >= GetCount()) {
    DebugLogf("CTextRes :: GetLine - line %d is past the %d lines", i, GetCount());
    return std::string();
  }
  return m_lines[static_cast<size_t>(i)];
}
