#include "tools/lib/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, Utf8SourcesBecomeCodePage949) {
  std::string out;
  ASSERT_TRUE(slvtools::Utf8ToCp949("#item < \xEC\x97\x86\xEC\x9D\x8C >\n", &out));
  EXPECT_EQ(out, "#item < 없음 >\n");  // literals are code page 949
  EXPECT_FALSE(slvtools::Utf8ToCp949("\xFF\xFE", &out));
  ASSERT_TRUE(slvtools::Utf8ToCp949("", &out));
  EXPECT_EQ(out, "");
}

}  // namespace
