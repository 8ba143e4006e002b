#include <gtest/gtest.h>

#include "rt/numbers.h"

using namespace rt;

TEST(Numbers, RoundingIsHalfToEven) {
  EXPECT_EQ(CLng(0.5), 0);
  EXPECT_EQ(CLng(1.5), 2);
  EXPECT_EQ(CLng(2.5), 2);
  EXPECT_EQ(CLng(-0.5), 0);
  EXPECT_EQ(CLng(-1.5), -2);
  EXPECT_EQ(CLng(2.4999), 2);
  EXPECT_EQ(CLng(5.4), 5);  // 81 px / 15 rounds down
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_EQ(CInt(32768), -32768);  // 16-bit wrap
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(Int(2.999), 2);
}

TEST(Numbers, IntegerDivisionAndModTruncate) {
  EXPECT_EQ(IDiv(7, 2), 3);
  EXPECT_EQ(IDiv(-7, 2), -3);
  EXPECT_EQ(Mod(-7, 3), -1);
  EXPECT_EQ(Mod(7, 0), 0);
  EXPECT_EQ(IDiv(7, 0), 0);
}

TEST(Numbers, ValTakesTheLeadingNumber) {
  EXPECT_EQ(Val(" 12$"), 12);
  EXPECT_EQ(Val("  -3 M"), -3);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("1 2 3"), 123);  // blanks inside are skipped
  EXPECT_EQ(Val("2.5x"), 2.5);
  EXPECT_EQ(Val("-"), 0);
  EXPECT_EQ(Val("1e400"), 0);    // out of range gives nothing rather than infinity
  EXPECT_EQ(Val("7e"), 7);
}

TEST(Numbers, TextForms) {
  EXPECT_EQ(Plain(0), "0");
  EXPECT_EQ(Blank(0), " 0");
  EXPECT_EQ(Blank(-4), "-4");
  EXPECT_EQ(BlankMoney(0), " 0$");
  EXPECT_EQ(Money(120), "120$");
  EXPECT_EQ(twi(1215), 81);
}
