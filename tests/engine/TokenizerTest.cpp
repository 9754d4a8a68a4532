#include "engine/Tokenizer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "engine/TextStream.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> Tokens(const CTokenizer& t) {
  std::vector<std::string> out;
  for (int i = 0; i < t.GetCount(); ++i) out.push_back(t[i]);
  return out;
}

std::vector<std::string> Split(const std::string& line) {
  CTokenizer t;
  t.Tokenize(line);
  return Tokens(t);
}

using V = std::vector<std::string>;

struct LineCase {
  const char* line;
  V tokens;
};

TEST(Tokenizer, SplitsLines) {
  const std::string dbBlank = "\xA1\xA1";
  const std::string korean = "한글" + dbBlank + "문장";
  const std::string upperTrail = "\x81\x41\x81\x5A";  // trail bytes 'A' and 'Z'
  const LineCase cases[] = {
      {"load  \"my file.spr\"  x", {"load", "my file.spr", "x"}},
      {"key value//comment", {"key"}},
      {"key value //comment", {"key", "value"}},
      {"//only a comment", {}},
      {"a/b /c", {"a/b", "/c"}},
      {"a\"b c\"d", {"b c", "d"}},
      {"\"\"", {""}},
      {"\"a // b\" c", {"a // b", "c"}},
      {"x \"unclosed text", {"x", "unclosed text"}},
      {"", {}},
      {" \t ", {}},
      {" lead", {"lead"}},
      {"\tx\ty\r", {"x", "y"}},
      {"\v\fa\f", {"a"}},
  };
  for (const LineCase& c : cases) EXPECT_EQ(Split(c.line), c.tokens) << "line: " << c.line;

  EXPECT_EQ(Split(korean + " x"), (V{korean, "x"}));
  EXPECT_EQ(Split(upperTrail + "\"" + korean + " q\""), (V{korean + " q"}));
  EXPECT_EQ(Split(upperTrail + " " + upperTrail), (V{upperTrail, upperTrail}));
}

TEST(Tokenizer, TokenizeReplacesThePreviousLine) {
  CTokenizer t;
  t.Tokenize("a b c");
  t.Tokenize("d");
  EXPECT_EQ(Tokens(t), (V{"d"}));
  t.Tokenize("");
  EXPECT_EQ(t.GetCount(), 0);
}

TEST(Tokenizer, ToLowerLeavesDoubleByteCharactersAlone) {
  CTokenizer t;
  t.Tokenize("ABC\x81\x41" "Def한글X \xB0\x5AQ \"Z\x81\"");
  t.ToLower();
  EXPECT_EQ(Tokens(t), (V{"abc\x81\x41" "def한글x", "\xB0\x5Aq", "z\x81"}));
}

TEST(Tokenizer, IndexPastTheTokensIsReportedAndGivesEmptyOrZero) {
  CTokenizer t;
  t.Tokenize("12 ab");
  testsupport::DebugLogCapture log;
  EXPECT_EQ(t[2], "");
  EXPECT_EQ(log.Lines(), (V{"Error in CTokenizer :: operator []", "12", "ab"}));
  EXPECT_EQ(t[-1], "");
  EXPECT_EQ(t.GetInt(5), 0);
  EXPECT_EQ(t.GetFloat(2), 0.0f);
  EXPECT_EQ(log.Lines().size(), 12u);
}

TEST(Tokenizer, NumbersReadLikeTheRuntime) {
  struct Case {
    const char* token;
    int asInt;
    float asFloat;
  };
  const Case cases[] = {
      {"42", 42, 42.0f},        {"-7", -7, -7.0f},     {"+3", 3, 3.0f},
      {"12abc", 12, 12.0f},     {"abc", 0, 0.0f},      {"3.75", 3, 3.75f},
      {".5", 0, 0.5f},          {"-.5e1", 0, -5.0f},   {"1e3", 1, 1000.0f},
      {"0x10", 0, 0.0f},        {"inf", 0, 0.0f},      {"\" 8\"", 8, 8.0f},
      {"99999999999", 2147483647, 99999999999.0f},     {"\"\"", 0, 0.0f},
      {"-1e40", -1, -std::numeric_limits<float>::infinity()},
  };
  for (const Case& c : cases) {
    CTokenizer t;
    t.Tokenize(c.token);
    ASSERT_EQ(t.GetCount(), 1) << c.token;
    EXPECT_EQ(t.GetInt(0), c.asInt) << c.token;
    EXPECT_FLOAT_EQ(t.GetFloat(0), c.asFloat) << c.token;
  }
}

// A line of 1023 bytes reads whole; a longer one is cut there, handed out,
// and fails the stream: nothing after it is read.
TEST(Tokenizer, ReadLineStopsAfterACutLine) {
  const std::string fits(1023, 'f');
  const std::string longLine = "x" + std::string(1100, 'y');
  CTextStream stream("first line\r\n" + fits + "\n" + longLine + " z\n\nlast", "list.ini");
  testsupport::DebugLogCapture log;
  CTokenizer t;
  std::vector<V> lines;
  while (t.ReadLine(stream)) lines.push_back(Tokens(t));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (V{"first", "line"}));
  EXPECT_EQ(lines[1], (V{fits}));
  EXPECT_EQ(lines[2], (V{longLine.substr(0, 1023)}));
  EXPECT_TRUE(log.Contains("list.ini: line 3 is longer than 1023 bytes"));
  EXPECT_EQ(t.GetCount(), 0);  // the failed read leaves no tokens
}

TEST(TextStream, LinesEndAtLineFeedsAndKeepCarriageReturns) {
  struct Case {
    std::string text;
    V lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a\r\nb", {"a\r", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {std::string(5, 'q') + "\n" + std::string(6, 'r') + "\nok", {"qqqqq", "rrrrr"}},  // the cut line is the last
  };
  for (const Case& c : cases) {
    CTextStream stream(c.text, "t");
    V lines;
    std::string line;
    while (stream.ReadLine(line, 5)) lines.push_back(line);
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(Keywords, CountAndExtract) {
  testsupport::DebugLogCapture log;
  EXPECT_EQ(CountKeywords("a<%x%>b<%y%>"), 2);
  EXPECT_EQ(GetKeyword("a<%x%>b<%y%>", 0), "x");
  EXPECT_EQ(GetKeyword("a<%x%>b<%y%>", 1), "y");
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(GetKeyword("a<%x%>b<%y%>", 2), "");
  EXPECT_EQ(log.Lines(), (V{"keyword find error : invalid index"}));
  EXPECT_EQ(GetKeyword("<%open", 0), "open");
  // The search resumes right after a mark, so a mark inside a keyword counts.
  EXPECT_EQ(CountKeywords("<%a<%b%>"), 2);
  EXPECT_EQ(GetKeyword("<%a<%b%>", 0), "a<%b");
  EXPECT_EQ(GetKeyword("<%a<%b%>", 1), "b");
  EXPECT_EQ(CountKeywords("no marks %>"), 0);
  EXPECT_EQ(GetKeyword("x", -1), "");
}

}  // namespace
