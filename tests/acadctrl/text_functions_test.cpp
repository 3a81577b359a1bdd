#include "acadctrl/text_functions.h"

#include <gtest/gtest.h>

namespace vorbel {
namespace {

TEST(TextFunctions, TextBetweenTakesTheValueAfterTheLastOpener) {
  const struct {
    const char* opener;
    const char* closer;
    const char* text;
    const char* value;
  } cases[] = {
      {"<", ">", "SNAPMODE の新しい値を入力 <0>: ", "0"},
      {"<", ">", "値を入力 < 12.5 >: ", "12.5"},
      {"<", ">", "値を入力 <>: ", ""},      // the closer directly after the opener
      {"<", ">", "<1> または <2>: ", "2"},  // the last opener
      {"<", ">", "<a<b>", "b"},
      {"<", ">", "値を入力: ", ""},     // no opener
      {"<", ">", "値を入力 <0: ", ""},  // no closer
      {"<", ">", "<0", ""},
      {"<", ">", "", ""},
      {"<", ">", "<\t>", ""},  // only blanks between them
      {"=", "(", "CDATE = 20240101.12 (読み込み専用)", "20240101.12"},
      {"=", "(", "A = 1 (x)\r\nB = 2 (y)", "2"},
      {"=", "(", "A = 1 (x)\r\nB = 2", ""},  // no closer after the last opener
      {"=", "(", "A == 3 (x)", "3"},
      {"総数", "オブジェクトを", "総数 3 オブジェクトを", "3"},
      {"", ">", "<0>", ""},  // an empty opener never occurs
      {"<", "", "<0>", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TextBetween(c.opener, c.closer, c.text), c.value) << c.text;
}

TEST(TextFunctions, TextAfterLastTakesWhatFollowsTheLastMarker) {
  const struct {
    const char* marker;
    const char* text;
    const char* rest;
  } cases[] = {
      {"SELECT", "SELECT 1\r\nSELECT 2\r\n", "2"},  // the second occurrence
      {"SELECT", "コマンド: SELECT\r\n総数 3 ", "総数 3"},
      {"SELECT", "SELECT", ""},
      {"SELECT", "select", ""},
      {"SELECT", "", ""},
      {"=", "LASTPOINT = 1,2,3", "1,2,3"},
      {"=", "A = B = C", "C"},
      {"aa", "aaa b", "a b"},  // occurrences do not overlap
      {"aa", "aaaa b", "b"},
      {"", "text", ""},
      {"総数", "総数 1 総数 2 ", "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextAfterLast(c.marker, c.text), c.rest) << c.text;
}

TEST(TextFunctions, TrimZerosKeepsOneDigitAfterThePoint) {
  const struct {
    const char* number;
    const char* trimmed;
  } cases[] = {
      {"1.500000000000", "1.5"},
      {"2.250000000000", "2.25"},
      {"-3.000000000000", "-3.0"},
      {"0.000000000000", "0.0"},
      {"10.000000000000", "10.0"},
      {"100.000000000000", "100.0"},
      {"0.000000000001", "0.000000000001"},
      {"-0.125000000000", "-0.125"},
      {"12.0", "12.0"},
      {"", ""},
      {"0", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimZeros(c.number), c.trimmed) << c.number;
}

}  // namespace
}  // namespace vorbel
