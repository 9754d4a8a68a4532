#pragma once
// A text file held whole as lines, for readers that search it by line (map
// and event scripts, data tables).
#include <string>
#include <vector>

#include "engine/Res.h"

class CTextRes : public CRes {
  SLV_RES(CTextRes)
 public:
  // Lines longer than this are cut.
  static constexpr size_t kMaxLineLen = 999;

  // Appends the file's lines; false when it cannot be opened.
  bool Load(const std::string& name) override;
  void Reset() override { m_lines.clear(); }

  // The first line holding the text, or -1; an empty text matches line 0.
  int FindLine(const std::string& text) const;
  // A copy of line i; empty past the lines.
  std::string GetLine(int i) const;
  int GetCount() const { return static_cast<int>(m_lines.size()); }

 private:
  std::vector<std::string> m_lines;
};
