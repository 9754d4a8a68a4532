#pragma once
// The shape every data table shares: a text file of blocks, each from its
// opening key line ("#item", "#magic" ...) to "#end", keys as "#"-words with
// their values in the tokens after them. The tables differ in what they make
// of the lines, not in how the lines are found.
#include <climits>
#include <cstddef>
#include <string>
#include <vector>

class CTokenizer;

// What one table makes of its blocks' lines.
class CTableBlockSink {
 public:
  virtual ~CTableBlockSink() = default;
  // The opening line of the block numbered `index` (0 for the first).
  virtual void OpenBlock(int index, const CTokenizer& tokens) = 0;
  // Any other line with tokens inside the block; `line` is the line as it
  // stands in the file, without its line end.
  virtual void BlockLine(int index, const CTokenizer& tokens, const std::string& line) = 0;
  // "#end" of the block.
  virtual void CloseBlock(int index) = 0;
};

struct TableFormat {
  const char* openKey;      // "#item"
  const char* syntaxError;  // logged for a line that stands in no block
  int maxBlocks;            // the blocks after these are logged and dropped
  // An opening line inside a block starts the next block, the open one left
  // unclosed; otherwise it is logged and goes nowhere.
  bool openStartsNext = false;
};
inline constexpr int kNoBlockLimit = INT_MAX;

// The whole file through the file layer; false, with a log naming the file,
// when it cannot be read.
bool ReadTableFile(const std::string& fileName, std::string* bytes);

// Feeds the blocks of `bytes` to the sink and returns how many blocks were
// opened. An "#end" outside a block and any line between blocks are logged
// and go nowhere.
int ReadTableBlocks(const std::string& bytes, const TableFormat& format, CTableBlockSink& sink);

// Values of a key line ------------------------------------------------------

// Token i as an integer, or `missing` when the line has no token i.
int IntAt(const CTokenizer& tokens, int i, int missing);
// Token i read as a decimal number (as atof reads it), times 100, truncated;
// 0 when missing. Values past the int range are clamped.
int HundredthsAt(const CTokenizer& tokens, int i);
// Token i as a float, or `missing`.
float FloatAt(const CTokenizer& tokens, int i, float missing);
// Token i, or `missing` when the line has no token i.
std::string TextAt(const CTokenizer& tokens, int i, const std::string& missing);
// Every token from `first` on, each with one blank before it.
std::string WordsFrom(const CTokenizer& tokens, int first);
// Eight 0/1 values from token 1 on: value k sets bit k-1.
int MaskFrom(const CTokenizer& tokens);
// A hotkey of at most three bytes from token 1, ended by a zero.
void KeyFrom(const CTokenizer& tokens, char key[4]);
// "#power": the number with its sign, and the absolute flag: 0 when the value
// is written with a "+", else 1.
void PowerFrom(const CTokenizer& tokens, int* power, int* absolute);

// The angle-bracket groups after an opening key: "<" words ">" with each
// bracket a token of its own, the words joined by single blanks. Tokens that
// stand outside a group before the last group closes are passed over.
struct NameGroups {
  std::string first;
  std::string second;
  int next = 0;  // the token after the last group
};
NameGroups ReadNameGroups(const CTokenizer& tokens, int groupCount);

// Plain integer keys of a record: the key and the field its value goes to
// (0 when the line has no value).
template <class Record>
struct IntKey {
  const char* key;
  int Record::*field;
};

template <class Record, size_t N>
bool ApplyIntKey(const IntKey<Record> (&keys)[N], const CTokenizer& tokens, Record& record);

// A table whose blocks each fill one named record from key lines alone
// (magic, skills): the opening line's two groups are the name and the second
// name, and an unknown line is logged and passed over.
template <class Record>
class CKeyRecordLoader final : public CTableBlockSink {
 public:
  using KeyFn = bool (*)(const CTokenizer& tokens, Record& record);
  CKeyRecordLoader(std::vector<Record>& records, KeyFn applyKey, const char* unknownKey)
      : m_records(records), m_applyKey(applyKey), m_unknownKey(unknownKey) {}

  void OpenBlock(int index, const CTokenizer& tokens) override;
  void BlockLine(int index, const CTokenizer& tokens, const std::string& line) override;
  void CloseBlock(int) override {}

 private:
  std::vector<Record>& m_records;
  KeyFn m_applyKey;
  const char* m_unknownKey;
};

#include "session/TableReader.inl"
