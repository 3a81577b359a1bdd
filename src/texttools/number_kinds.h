// The kinds of numbering found on Japanese drawings: decimal and full-width
// digits, circled numbers, letters as spreadsheet columns, kanji numerals,
// the いろは order and Roman numerals. Each kind writes a value in its own
// notation and reads it back; the sequence dialog makes its runs with them,
// and the last line of the memo tells which kind to continue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

// In the order of the sequence dialog's list "種類".
enum class TNumberKind { Decimal, FullWidth, Circled, UpperLetter, LowerLetter, Kanji, Iroha, Roman };

// The captions of the kinds, in the order of TNumberKind: "数字", "全角数字",
// "丸数字", "英大文字", "英小文字", "漢数字", "いろは", "ローマ数字".
const std::vector<std::string>& NumberKindNames();
std::string_view NumberKindName(TNumberKind kind);

// Whether width and zero fill apply (数字 and 全角数字, which also count
// below 1 and wrap around in 32 bits like the decimal numbers).
bool KindHasWidth(TNumberKind kind);

// The last value of a kind that ends (丸数字 20, ローマ数字 10, いろは 47,
// 漢数字 9999), 0 for the others.
int32_t KindLast(TNumberKind kind);

// Whether a value can be written in the kind: every value for 数字 and
// 全角数字, else 1 up to the kind's last value (letters without end).
bool KindHolds(TNumberKind kind, int32_t value);

// The value in the kind's notation, nothing when the kind does not hold it.
// `width` and `zeros` count characters and apply to 数字 and 全角数字 as in
// "%*.*d": zeros in front of the digits up to `zeros` (at most 16), the
// sign, then blanks in front up to `width`; 全角数字 writes the whole in
// full-width digits, "－" and the full-width blank.
std::optional<std::string> FormatKind(TNumberKind kind, int32_t value, size_t width = 0, size_t zeros = 0);

// A text in the kind's own notation ("１２", "③", "AB", "二十", "は", "Ⅲ")
// or as a plain decimal number for any kind (3 is ③, 三, は, Ⅲ, C); nothing
// when it is neither. The kind's range is not checked here.
std::optional<int32_t> ParseKind(TNumberKind kind, std::string_view text);

// The "%*.*d" rule on the digits of a number: zeros in front up to `zeros`
// digits (none when `zeros` is above 16), then the minus sign of a negative
// number, then blanks in front up to `width` characters. Nothing is cut.
std::string DigitsField(std::string digits, bool negative, size_t width, size_t zeros);

// Whether a typed character (ASCII, or lead byte * 256 + trail byte) is an
// ASCII digit or a character of the kind's notation: full-width digits,
// ①-⑳, letters of the kind's case, 一-九 十 百 千, the いろは kana, Ⅰ-Ⅹ.
// 数字 takes the digits only here.
bool IsKindKey(TNumberKind kind, unsigned key);

// The length of a text in characters, a double-byte character counting one.
size_t CharCount(std::string_view text);

// How to continue the memo's last line: the text before the item, the next
// value in the item's notation (its plain decimal number when it runs past
// the kind's end, as ⑳ gives 21), the text after it and the kind. Found is
// false for a line without an item; Prefix is then the whole line.
struct TContinuation {
  std::string Prefix;
  std::string Initial;
  std::string Suffix;
  TNumberKind Kind = TNumberKind::Decimal;
  bool Found = false;
};

// Reads the item of a line, in this order: the last run of ASCII digits
// (outside AutoCAD's codes), then the last run of full-width digits or
// circled number, whichever ends later; then, only at the end of the line
// (trailing blanks go to the suffix), a Roman numeral, one or two ASCII
// letters of one case not preceded by a letter, an いろは kana not preceded
// by kana or kanji, and kanji numerals that are the whole line or follow 第
// or a character that is no kanji. An ASCII run beyond 2147483647 raises
// "'%s' は整数ではありません".
TContinuation ContinueLine(std::string_view line);

// The numbers that 加算、減算 and 先頭行が基準の連番 change: a run of ASCII
// digits, a run of full-width digits, or one circled number (①-⑳).
enum class TNotation { Ascii, FullWidth, Circled };

struct TNumberRun {
  size_t Begin = 0;  // bytes within the line
  size_t End = 0;
  TNotation Notation = TNotation::Ascii;
};

// The first or the last number of a line, or nothing. At most two line
// breaks at the end belong to no part, and digits inside AutoCAD's codes are
// no number; "1２" is two runs.
std::optional<TNumberRun> FindNumberRun(std::string_view line, bool fromEnd);

// The value of a run's text: a run of digits beyond 2147483647 raises
// "'%s' は整数ではありません" with the run.
int32_t NumberRunValue(std::string_view run, TNotation notation);

// `value` in decimal; with `fill`, zeros in front until the text is `digits`
// characters long, a minus sign staying in front of them (-05). A longer
// text is never cut.
std::string FilledNumber(int32_t value, size_t digits, bool fill);

// A value in a run's notation, with `fill` zeros in front up to `digits`
// characters (a minus sign staying in front of them); nothing for a circled
// number outside ①-⑳.
std::optional<std::string> FormatNumberRun(int32_t value, TNotation notation, size_t digits, bool fill);

}  // namespace vorbel
