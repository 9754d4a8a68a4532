#include <gtest/gtest.h>

#include "launcher/MemoryStream.h"
#include "launcher/ScriptReader.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  MemoryStream stream(text);
  std::vector<std::string> lines;
  for (std::string line; ReadScriptLine(stream, &line);) lines.push_back(line);
  return lines;
}

TEST(ReadScriptLine, ControlBytesSeparateLinesAndRunsOfThemAreSkipped) {
  EXPECT_EQ(Lines("a b\r\n\r\n\tc\x01"
                  "d\n"),
            (std::vector<std::string>{"a b", "c", "d"}));
  // A tab ends the line; what follows is a line of its own.
  EXPECT_EQ(Lines("1: class(select,\t63 95 225 115)"),
            (std::vector<std::string>{"1: class(select,", "63 95 225 115)"}));
  EXPECT_EQ(Lines(""), std::vector<std::string>{});
  EXPECT_EQ(Lines("\r\n\n"), std::vector<std::string>{});
  // Double-byte text is kept whole.
  EXPECT_EQ(Lines("게임\n"), std::vector<std::string>{"게임"});
}

TEST(ReadScriptLine, ALongLineKeepsItsFirstBytesAndDropsTheRest) {
  const std::vector<std::string> lines = Lines(std::string(2100, 'x') + "\nnext");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(kScriptLineMax, 'x'));
  EXPECT_EQ(lines[1], "next");
}

TEST(ParseScriptCall, FindsTheKeywordAnywhereAndSplitsItsArguments) {
  struct Case {
    const char* line;
    const char* keyword;
    std::vector<std::string> expected;
  };
  const std::string seventy(70, 'a');
  const Case cases[] = {
      {"1: class(select, 63 95 225 115, hwconfig)", "class", {"select", "63 95 225 115", "hwconfig"}},
      {"note check(!install) more", "check", {"!install"}},
      // Spaces after a comma go, spaces before one stay.
      {"class(a ,  b , c)", "class", {"a ", "b ", "c"}},
      {"class( a)", "class", {" a"}},
      {"class(select, 1 2 3 4", "class", {}},       // no ")"
      {"c-l-a-s-s(select, 1 2 3 4)", "class", {}},  // spelt apart: no keyword
      {"Class(select)", "class", {}},               // case counts
      {"class()", "class", {}},
      {"class(a,b,c,d,e,f)", "class", {"a", "b", "c", "d"}},  // room for four
      {"x) class(a)", "class", {"a"}},
      {"class) (a", "class", {}},
  };
  for (const Case& c : cases) {
    ScriptSlots slots;
    const int count = ParseScriptCall(c.line, c.keyword, &slots);
    ASSERT_EQ(count, static_cast<int>(c.expected.size())) << c.line;
    for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(slots[i], c.expected[i]) << c.line;
  }
}

TEST(ParseScriptCall, LongArgumentsAreCutAt63BytesNeverInsideADoubleByteCharacter) {
  ScriptSlots slots;
  ASSERT_EQ(ParseScriptCall("class(" + std::string(70, 'a') + ", b)", "class", &slots), 2);
  EXPECT_EQ(slots[0], std::string(63, 'a'));
  EXPECT_EQ(slots[1], "b");
  // 62 single bytes, then a two-byte character that would end at byte 64.
  ASSERT_EQ(ParseScriptCall("class(" + std::string(62, 'a') + "게임)", "class", &slots), 1);
  EXPECT_EQ(slots[0], std::string(62, 'a'));
}

}  // namespace
