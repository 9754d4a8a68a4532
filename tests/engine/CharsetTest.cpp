#include <gtest/gtest.h>

#include <string>

// Narrow literals are compiled to the game's code page 949 bytes.
TEST(Charset, KoreanLiteralIsCodePage949) {
  EXPECT_EQ(std::string("게임"), std::string("\xB0\xD4\xC0\xD3"));
}
