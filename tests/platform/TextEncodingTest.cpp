#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, Utf8SourcesBecomeCodePage949OrFailWhole) {
  std::string out;
  ASSERT_TRUE(platform::Utf8ToCp949("#item < \xEC\x97\x86\xEC\x9D\x8C >\n", &out));
  EXPECT_EQ(out, "#item < 없음 >\n");  // literals are code page 949
  EXPECT_FALSE(platform::Utf8ToCp949("\xFF\xFE", &out));
  EXPECT_EQ(out, "#item < 없음 >\n");  // untouched by the failure
  ASSERT_TRUE(platform::Utf8ToCp949("", &out));
  EXPECT_EQ(out, "");
}

TEST(TextEncoding, Cp949BecomesUtf8WithQuestionMarksForBadBytes) {
  EXPECT_EQ(platform::Cp949ToUtf8("없음"), "\xEC\x97\x86\xEC\x9D\x8C");
  EXPECT_EQ(platform::Cp949ToUtf8(std::string("a\xFF" "b", 3)), "a?b");
}

}  // namespace

namespace {

// A lead byte whose trail does not fit, a lone lead byte at the end and a
// byte that starts nothing: each is escaped and the bytes after go on.
TEST(TextEncoding, Cp949BecomesUtf8WithBadBytesEscaped) {
  const struct {
    std::string cp949;
    std::string utf8;
  } cases[] = {
      {"없음", "\xEC\x97\x86\xEC\x9D\x8C"},
      {std::string("a\xFF" "b", 3), "a\\xFFb"},
      {std::string("\xB0 \x80", 3), "\\xB0 \\x80"},
      {std::string("x\xB0", 2), "x\\xB0"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::Cp949ToUtf8Escaped(c.cp949), c.utf8) << c.utf8;
}

}  // namespace
