#include "session/TableReader.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/FileStream.h"
#include "engine/TextStream.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

namespace {
namespace tablereader {

// A table line carries no limit of its own.
constexpr size_t kNoLineLimit = std::string::npos;

// The line as the text gathers it: without its line end, a carriage return
// included.
void DropLineEnd(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

// The decimal number at the start of a token as atof reads it: no
// hexadecimal, no "inf" or "nan".
double DecimalValue(const std::string& token) {
  const size_t end = token.find_first_not_of("+-.0123456789eE");
  return std::strtod(token.substr(0, end).c_str(), nullptr);
}

int ClampToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace tablereader
}  // namespace

bool ReadTableFile(const std::string& fileName, std::string* bytes) {
  CFileStream file;
  bytes->clear();
  if (!file.Open(fileName, CFileStream::kRead)) {
    DebugLogf("Cannot read the table %s", fileName.c_str());
    return false;
  }
  const int32_t size = file.GetSize();
  bytes->resize(static_cast<size_t>(size > 0 ? size : 0));
  const int32_t got = bytes->empty() ? 0 : file.Read(bytes->data(), size);
  file.Close();
  if (got != static_cast<int32_t>(bytes->size())) {
    DebugLogf("Cannot read the table %s", fileName.c_str());
    bytes->clear();
    return false;
  }
  return true;
}

int ReadTableBlocks(const std::string& bytes, const TableFormat& format, CTableBlockSink& sink) {
  CTextStream stream(bytes, format.openKey);
  CTokenizer tokens;
  std::string line;
  int opened = 0;
  bool open = false;     // inside a block
  bool dropped = false;  // inside a block past the table's size
  while (stream.ReadLine(line, tablereader::kNoLineLimit)) {
    tablereader::DropLineEnd(line);
    tokens.Tokenize(line);
    if (tokens.GetCount() == 0) continue;
    const std::string& key = tokens[0];
    if (key == format.openKey) {
      const bool next = open && format.openStartsNext;
      if ((open && !next) || dropped) {
        DebugLog(format.syntaxError);
      } else if (opened + (next ? 1 : 0) >= format.maxBlocks) {
        DebugLogf("%s: more than %d blocks, the rest are dropped", format.openKey, format.maxBlocks);
        open = false;
        dropped = true;
      } else {
        if (next) ++opened;
        open = true;
        sink.OpenBlock(opened, tokens);
      }
    } else if (key == "#end") {
      if (open) {
        sink.CloseBlock(opened);
        ++opened;
      } else if (!dropped) {
        DebugLog(format.syntaxError);
      }
      open = dropped = false;
    } else if (open) {
      sink.BlockLine(opened, tokens, line);
    } else if (!dropped) {
      DebugLog(format.syntaxError);
    }
  }
  // A block the file leaves open still counts as opened.
  return open ? opened + 1 : opened;
}

int IntAt(const CTokenizer& tokens, int i, int missing) {
  return i < tokens.GetCount() ? tokens.GetInt(i) : missing;
}

int HundredthsAt(const CTokenizer& tokens, int i) {
  if (i >= tokens.GetCount()) return 0;
  // In double, as the original's atof: 0.7 gives 70 and 1.15 gives 114.
  return tablereader::ClampToInt(tablereader::DecimalValue(tokens[i]) * 100.0);
}

float FloatAt(const CTokenizer& tokens, int i, float missing) {
  return i < tokens.GetCount() ? tokens.GetFloat(i) : missing;
}

std::string TextAt(const CTokenizer& tokens, int i, const std::string& missing) {
  return i < tokens.GetCount() ? tokens[i] : missing;
}

std::string WordsFrom(const CTokenizer& tokens, int first) {
  std::string words;
  for (int i = first; i < tokens.GetCount(); ++i) words += " " + tokens[i];
  return words;
}

int MaskFrom(const CTokenizer& tokens) {
  int mask = 0;
  for (int k = 1; k <= 8; ++k) {
    if (IntAt(tokens, k, 0) != 0) mask |= 1 << (k - 1);
  }
  return mask;
}

void KeyFrom(const CTokenizer& tokens, char key[4]) {
  std::memset(key, 0, 4);
  const std::string value = TextAt(tokens, 1, "");
  value.copy(key, 3);
}

void PowerFrom(const CTokenizer& tokens, int* power, int* absolute) {
  const std::string value = TextAt(tokens, 1, "");
  *power = IntAt(tokens, 1, 0);
  *absolute = !value.empty() && value[0] == '+' ? 0 : 1;
}

NameGroups ReadNameGroups(const CTokenizer& tokens, int groupCount) {
  NameGroups groups;
  std::string* target[2] = {&groups.first, &groups.second};
  int closed = 0;
  bool inGroup = false;
  int i = 1;
  for (; i < tokens.GetCount() && closed < groupCount; ++i) {
    const std::string& token = tokens[i];
    if (!inGroup) {
      inGroup = token == "<";
    } else if (token == ">") {
      inGroup = false;
      ++closed;
    } else if (closed < 2) {
      std::string& words = *target[closed];
      if (!words.empty()) words += ' ';
      words += token;
    }
  }
  groups.next = i;
  return groups;
}
