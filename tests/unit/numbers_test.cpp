#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/errors.h"

namespace vorbel {
namespace {

TEST(IntegerReading, AcceptsTheDecimalAndHexadecimalForms) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"   7", 7},
      {"-0", 0},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"$1F", 31},
      {"$1f", 31},
      {"x10", 16},
      {"X10", 16},
      {"0x200", 512},
      {"0X200", 512},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"$000000001", 1},
      {"007", 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << c.text;
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  }
}

TEST(IntegerReading, RejectsEverythingElse) {
  const char* const cases[] = {"",    " ",   "abc", "1 ",  "1a",         "+",           "-",
                               "$",   "0x",  "$G",  "1.0", "2147483648", "-2147483649", "$100000000",
                               "-$1", "+$1", "\t1", "１２"};
  for (const char* text : cases) {
    EXPECT_FALSE(TryStrToInt(text).has_value()) << text;
    EXPECT_EQ(StrToIntDef(text, -7), -7) << text;
  }
}

TEST(IntegerReading, StrictFormRaisesTheConversionErrorWithTheText) {
  try {
    StrToInt("abc");
    FAIL() << "no error";
  } catch (const TRuntimeError& error) {
    EXPECT_STREQ(error.what(), "'abc' は整数ではありません");
  }
}

TEST(RealReading, AcceptsSignsPointsAndExponents) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0", 0},
      {"1.5", 1.5},
      {"-2.25", -2.25},
      {"+3", 3},
      {".5", 0.5},
      {"5.", 5},
      {"1E3", 1000},
      {"1e-3", 0.001},
      {"2.5E+2", 250},
      {"  12.5  ", 12.5},
      {"123.4560000000000000", 123.456},
      {"1e-400", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TryStrToFloat(c.text), c.value) << c.text;
}

TEST(RealReading, RejectsWhatIsNoNumber) {
  const char* const cases[] = {"",    "abc", "1,5", "1.2.3", "e5",    "1e",   "1e+",
                               "--1", ".",   "inf", "nan",   "1e400", "0x10", "1 2"};
  for (const char* text : cases) EXPECT_FALSE(TryStrToFloat(text).has_value()) << text;
  try {
    StrToFloat("1,5");
    FAIL() << "no error";
  } catch (const TRuntimeError& error) {
    EXPECT_STREQ(error.what(), "'1,5' は浮動小数点数ではありません");
  }
}

TEST(GeneralFormat, WritesFifteenSignificantDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {100.0, "100"},
      {12.5, "12.5"},
      {1.0 / 3.0, "0.333333333333333"},
      {-2.0, "-2"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.0005, "0.0005"},
      {0.0001, "0.0001"},
      {0.00005, "5E-5"},
      {1.25e15, "1.25E15"},
      {1e15, "1E15"},
      {999999999999999.0, "999999999999999"},
      {123456.789, "123456.789"},
      {-123456.789, "-123456.789"},
      {0.1 + 0.2, "0.3"},
      {2.0 / 3.0 * 1e-7, "6.66666666666667E-8"},
      {1e100, "1E100"},
      {99999999999999.95, "100000000000000"},
      {1234567890123456789.0, "1.23456789012346E18"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatGeneral15(c.value), c.text) << c.text;
}

TEST(FixedFormat, WritesTwelveDecimals) {
  EXPECT_EQ(FormatFixed12(0), "0.000000000000");
  EXPECT_EQ(FormatFixed12(-5), "-5.000000000000");
  EXPECT_EQ(FormatFixed12(2.5), "2.500000000000");
  EXPECT_EQ(FormatFixed12(1.0 / 3.0), "0.333333333333");
  EXPECT_EQ(FormatFixed12(std::numeric_limits<double>::infinity()), "INF");
}

TEST(HexText, IsUpperCaseWithAMinimumWidth) {
  EXPECT_EQ(IntToHex(0, 2), "00");
  EXPECT_EQ(IntToHex(260, 2), "104");
  EXPECT_EQ(IntToHex(0xABCDEFu, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(0xFFFFFFFFu, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(5, 4), "0005");
}

}  // namespace
}  // namespace vorbel
