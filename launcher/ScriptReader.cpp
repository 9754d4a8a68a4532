#include "launcher/ScriptReader.h"

namespace {

bool Separates(int byte) { return byte < 0x20; }

// The first `max` bytes of a piece, never ending inside a double-byte
// character (a lead byte is 0x80 or above).
std::string Cut(const std::string& piece, size_t max) {
  if (piece.size() <= max) return piece;
  size_t end = 0;
  while (end < max) {
    const size_t step = static_cast<unsigned char>(piece[end]) >= 0x80 ? 2 : 1;
    if (end + step > max) break;
    end += step;
  }
  return piece.substr(0, end);
}

}  // namespace

bool ReadScriptLine(cFile& stream, std::string* line) {
  line->clear();
  int byte = stream.GetChar();
  while (byte >= 0 && Separates(byte)) byte = stream.GetChar();
  if (byte < 0) return false;
  for (; byte >= 0 && !Separates(byte); byte = stream.GetChar()) {
    if (line->size() < kScriptLineMax) line->push_back(static_cast<char>(byte));
  }
  return true;
}

int ParseScriptCall(const std::string& line, const std::string& keyword, ScriptSlots* slots) {
  const size_t at = line.find(keyword);
  if (at == std::string::npos || keyword.empty()) return 0;
  const size_t after = at + keyword.size();
  const size_t open = line.find('(', after);
  const size_t close = line.find(')', after);
  if (open == std::string::npos || close == std::string::npos || open > close) return 0;
  int count = 0;
  size_t p = open + 1;
  while (p < close) {
    size_t end = line.find(',', p);
    if (end == std::string::npos || end > close) end = close;
    if (static_cast<size_t>(count) < kScriptSlots)
      (*slots)[static_cast<size_t>(count++)] = Cut(line.substr(p, end - p), kScriptArgMax);
    p = end;
    if (p < close) {
      ++p;  // the comma
      while (p < close && line[p] == ' ') ++p;
    }
  }
  return count;
}
