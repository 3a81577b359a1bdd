// The kinds of numbering: their sequences, widths, ends, the reading of an
// initial value and the continuation of a last line.
#include "texttools/number_kinds.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "base/errors.h"

namespace vorbel {
namespace {

using K = TNumberKind;

TEST(NumberKinds, SequencesWidthsAndEnds) {
  struct TCase {
    TNumberKind kind;
    int32_t value;
    size_t width, zeros;
    std::optional<std::string> text;  // nothing: past the kind's end
  };
  const TCase cases[] = {
      {K::Decimal, 1, 3, 3, "001"},
      {K::Decimal, 7, 3, 0, "  7"},
      {K::Decimal, -5, 0, 3, "-005"},
      {K::FullWidth, 1, 3, 3, "００１"},
      {K::FullWidth, 7, 3, 0, "　　７"},
      {K::FullWidth, -1, 3, 3, "－００１"},
      {K::FullWidth, 123, 2, 2, "１２３"},
      {K::Decimal, INT32_MIN, 0, 11, "-02147483648"},
      {K::FullWidth, INT32_MIN, 0, 0, "－２１４７４８３６４８"},
      {K::Circled, 1, 3, 3, "\x87\x40"},  // ①, width and fill do not apply
      {K::Circled, 20, 0, 0, "⑳"},
      {K::Circled, 21, 0, 0, std::nullopt},
      {K::Circled, 0, 0, 0, std::nullopt},
      {K::UpperLetter, 1, 0, 0, "A"},
      {K::UpperLetter, 26, 0, 0, "Z"},
      {K::UpperLetter, 27, 0, 0, "AA"},
      {K::UpperLetter, 52, 0, 0, "AZ"},
      {K::UpperLetter, 53, 0, 0, "BA"},
      {K::UpperLetter, 702, 0, 0, "ZZ"},
      {K::UpperLetter, 703, 0, 0, "AAA"},
      {K::UpperLetter, 0, 0, 0, std::nullopt},
      {K::LowerLetter, 28, 0, 0, "ab"},
      {K::LowerLetter, -1, 0, 0, std::nullopt},
      {K::Kanji, 1, 0, 0, "一"},
      {K::Kanji, 10, 0, 0, "十"},
      {K::Kanji, 11, 0, 0, "十一"},
      {K::Kanji, 20, 0, 0, "二十"},
      {K::Kanji, 99, 0, 0, "九十九"},
      {K::Kanji, 100, 0, 0, "百"},
      {K::Kanji, 101, 0, 0, "百一"},
      {K::Kanji, 1010, 0, 0, "千十"},
      {K::Kanji, 2345, 0, 0, "二千三百四十五"},
      {K::Kanji, 9999, 0, 0, "九千九百九十九"},
      {K::Kanji, 10000, 0, 0, std::nullopt},
      {K::Kanji, 0, 0, 0, std::nullopt},
      {K::Iroha, 1, 0, 0, "い"},
      {K::Iroha, 3, 0, 0, "は"},
      {K::Iroha, 25, 0, 0, "ゐ"},
      {K::Iroha, 47, 0, 0, "す"},
      {K::Iroha, 48, 0, 0, std::nullopt},
      {K::Roman, 1, 0, 0, "\x87\x54"},   // Ⅰ
      {K::Roman, 10, 0, 0, "\x87\x5D"},  // Ⅹ
      {K::Roman, 11, 0, 0, std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << NumberKindName(c.kind) << " " << c.value);
    EXPECT_EQ(FormatKind(c.kind, c.value, c.width, c.zeros), c.text);
  }
}

TEST(NumberKinds, EveryValueReadsBackAndPlainNumbersServeEveryKind) {
  for (size_t k = 0; k < NumberKindNames().size(); ++k) {
    const auto kind = static_cast<TNumberKind>(k);
    const int32_t last = KindLast(kind) == 0 ? 1000 : KindLast(kind);
    for (int32_t value = 1; value <= last; ++value) {
      const std::string text = *FormatKind(kind, value);
      ASSERT_EQ(ParseKind(kind, text), value) << NumberKindName(kind) << " " << value;
      ASSERT_EQ(ParseKind(kind, std::to_string(value)), value);
    }
  }
  struct TCase {
    TNumberKind kind;
    std::string text;
    std::optional<int32_t> value;
  };
  const TCase cases[] = {
      {K::FullWidth, "－３", -3},
      {K::FullWidth, "1２", std::nullopt},
      {K::Circled, "①②", std::nullopt},
      {K::UpperLetter, "Ab", std::nullopt},
      {K::LowerLetter, "A", std::nullopt},
      {K::Kanji, "一十", std::nullopt},
      {K::Kanji, "二二", std::nullopt},
      {K::Kanji, "〇", std::nullopt},
      {K::Kanji, "十百", std::nullopt},
      {K::Iroha, "ん", std::nullopt},
      {K::Roman, "I", std::nullopt},
      {K::Roman, "\xFA\x4C", 3},
      {K::Decimal, "x", std::nullopt},
      {K::Circled, "", std::nullopt},
      {K::UpperLetter, "ZZZZZZZ", std::nullopt},
  };
  for (const TCase& c : cases) EXPECT_EQ(ParseKind(c.kind, c.text), c.value) << c.text;
}

TEST(NumberKinds, ContinuingTheLastLine) {
  struct TCase {
    std::string line;
    std::string prefix, initial, suffix;
    TNumberKind kind;
    bool found;
  };
  const TCase cases[] = {
      {"No.099", "No.", "100", "", K::Decimal, true},
      {"X3", "X", "4", "", K::Decimal, true},
      {"Y-1a", "Y-", "2", "a", K::Decimal, true},
      {"45%%d", "", "46", "%%d", K::Decimal, true},
      {"１2", "１", "3", "", K::Decimal, true},  // ASCII digits come first
      {"⑤", "", "⑥", "", K::Circled, true},
      {"⑳", "", "21", "", K::Circled, true},  // past the end: the plain number
      {"Ｂ１２", "Ｂ", "１３", "", K::FullWidth, true},
      {"第０９工区", "第", "１０", "工区", K::FullWidth, true},
      {"①-１", "①-", "２", "", K::FullWidth, true},  // whichever ends later
      {"通りC", "通り", "D", "", K::UpperLetter, true},
      {"AZ ", "", "BA", " ", K::UpperLetter, true},
      {"-ab", "-", "ac", "", K::LowerLetter, true},
      {"は", "", "に", "", K::Iroha, true},
      {"Aい　", "A", "ろ", "　", K::Iroha, true},
      {"す", "", "48", "", K::Iroha, true},
      {"第三", "第", "四", "", K::Kanji, true},
      {"十九", "", "二十", "", K::Kanji, true},
      {"通り九十九", "通り", "百", "", K::Kanji, true},
      {"Ⅱ", "", "Ⅲ", "", K::Roman, true},
      {"Ⅹ", "", "11", "", K::Roman, true},
      {"abc", "abc", "", "", K::Decimal, false},
      {"aB", "aB", "", "", K::Decimal, false},
      {"通り", "通り", "", "", K::Decimal, false},
      {"いろは", "いろは", "", "", K::Decimal, false},
      {"統一", "統一", "", "", K::Decimal, false},
      {"二二", "二二", "", "", K::Decimal, false},
      {"ＡＢ", "ＡＢ", "", "", K::Decimal, false},  // full-width letters are not read
      {"%%c", "%%c", "", "", K::Decimal, false},
      {"\\U+2460", "\\U+2460", "", "", K::Decimal, false},
      {"", "", "", "", K::Decimal, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.line);
    const TContinuation next = ContinueLine(c.line);
    EXPECT_EQ(next.Prefix, c.prefix);
    EXPECT_EQ(next.Initial, c.initial);
    EXPECT_EQ(next.Suffix, c.suffix);
    EXPECT_EQ(next.Kind, c.kind);
    EXPECT_EQ(next.Found, c.found);
  }
  EXPECT_THROW(ContinueLine("A2147483648"), TRuntimeError);
}

}  // namespace
}  // namespace vorbel
