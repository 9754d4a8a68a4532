#include "engine/Tokenizer.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/TextStream.h"
#include "platform/DebugLog.h"

namespace {

// Bytes from 0x80 up belong to double-byte characters and are never blanks.
bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipBlanks(const std::string& s, size_t i) {
  while (i < s.size() && IsBlank(static_cast<unsigned char>(s[i]))) ++i;
  return i;
}

size_t SkipDigits(const std::string& s, size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// The decimal number at the start of s, as atof reads it (no hexadecimal,
// no "inf" or "nan").
std::string DecimalPrefix(const std::string& s) {
  const size_t start = SkipBlanks(s, 0);
  size_t i = start;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const size_t intStart = i;
  i = SkipDigits(s, i);
  bool digits = i > intStart;
  if (i < s.size() && s[i] == '.') {
    const size_t fracStart = i + 1;
    const size_t fracEnd = SkipDigits(s, fracStart);
    if (digits || fracEnd > fracStart) i = fracEnd;
    digits = digits || fracEnd > fracStart;
  }
  if (!digits) return std::string();
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    const size_t expEnd = SkipDigits(s, e);
    if (expEnd > e) i = expEnd;
  }
  return s.substr(start, i - start);
}

}  // namespace

void CTokenizer::Tokenize(const std::string& line) {
  enum class State { Bare, Quoted, Between };
  m_tokens.clear();
  State state = State::Bare;
  std::string token;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (state == State::Between) {
      if (IsBlank(static_cast<unsigned char>(c))) continue;
      state = State::Bare;
    }
    if (state == State::Quoted) {
      if (c == '"') {
        m_tokens.push_back(std::move(token));
        token.clear();
        state = State::Between;
      } else {
        token += c;
      }
      continue;
    }
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') return;  // comment
    if (IsBlank(static_cast<unsigned char>(c))) {
      if (i != 0) m_tokens.push_back(std::move(token));
      token.clear();
      state = State::Between;
    } else if (c == '"') {
      token.clear();
      state = State::Quoted;
    } else {
      token += c;
    }
  }
  if (state != State::Between && !line.empty()) m_tokens.push_back(std::move(token));
}

bool CTokenizer::ReadLine(CTextStream& stream) {
  std::string line;
  const bool read = stream.ReadLine(line, kMaxLineLen);
  Tokenize(line);
  return read;
}

const std::string& CTokenizer::operator[](int i) const {
  static const std::string kEmpty;
  if (i >= 0 && i < GetCount()) return m_tokens[static_cast<size_t>(i)];
  DebugLog("Error in CTokenizer :: operator []");
  for (const std::string& token : m_tokens) DebugLog(token);
  return kEmpty;
}

int CTokenizer::GetInt(int i) const {
  // Base 10 and clamped, where atoi would give up on overflow.
  const long value = std::strtol((*this)[i].c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

float CTokenizer::GetFloat(int i) const {
  const double value = std::strtod(DecimalPrefix((*this)[i]).c_str(), nullptr);
  // Past the float range the value becomes infinite, as on the original.
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

void CTokenizer::ToLower() {
  for (std::string& token : m_tokens) LowerCaseText(token);
}

void LowerCaseText(std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      ++i;  // the trail byte of a double-byte character
    } else if (c >= 'A' && c <= 'Z') {
      text[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
}

int CountKeywords(const std::string& text) {
  int count = 0;
  for (size_t at = text.find("<%"); at != std::string::npos; at = text.find("<%", at + 2)) ++count;
  return count;
}

std::string GetKeyword(const std::string& text, int n) {
  size_t at = n >= 0 ? text.find("<%") : std::string::npos;
  for (int k = 0; k < n && at != std::string::npos; ++k) at = text.find("<%", at + 2);
  if (at == std::string::npos) {
    DebugLog("keyword find error : invalid index");
    return std::string();
  }
  const size_t start = at + 2;
  const size_t end = text.find("%>", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
