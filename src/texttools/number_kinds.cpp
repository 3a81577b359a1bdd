#include "texttools/number_kinds.h"

#include <algorithm>
#include <array>

#include "base/errors.h"
#include "base/numbers.h"
#include "cp932/cp932.h"
#include "texttools/acad_codes.h"
#include "texttools/string_utils.h"

namespace vorbel {

namespace {

// The characters of the kinds, code page 932 (the narrow literals are).
constexpr std::array<std::string_view, 20> kCircled = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩",
                                                       "⑪", "⑫", "⑬", "⑭", "⑮", "⑯", "⑰", "⑱", "⑲", "⑳"};
constexpr std::array<std::string_view, 10> kRoman = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ", "Ⅹ"};
constexpr std::array<std::string_view, 47> kIroha = {
    "い", "ろ", "は", "に", "ほ", "へ", "と", "ち", "り", "ぬ", "る", "を", "わ", "か", "よ", "た",
    "れ", "そ", "つ", "ね", "な", "ら", "む", "う", "ゐ", "の", "お", "く", "や", "ま", "け", "ふ",
    "こ", "え", "て", "あ", "さ", "き", "ゆ", "め", "み", "し", "ゑ", "ひ", "も", "せ", "す"};
// 一 to 九 for 1 to 9, and the units 十, 百, 千.
constexpr std::array<std::string_view, 10> kKanjiDigits = {"",   "一", "二", "三", "四",
                                                           "五", "六", "七", "八", "九"};
constexpr std::array<std::string_view, 3> kKanjiUnits = {"十", "百", "千"};

constexpr std::string_view kFullWidthDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr std::string_view kFullWidthMinus = "－";
constexpr std::string_view kFullWidthBlank = "　";
constexpr std::string_view kDai = "第";

// The upper-case Roman numerals of the IBM extension (FA4A-FA53) stand for
// the same characters as those of the NEC row (8754-875D); a text may come
// with either.
constexpr unsigned kIbmRomanFirst = 0xFA4A;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool IsLetter(char c) { return IsUpper(c) || IsLower(c); }
constexpr bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

size_t CharLength(std::string_view text, size_t pos) {
  return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// The code of the character at `pos`: a byte, or lead byte * 256 + trail.
unsigned CharCode(std::string_view text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (CharLength(text, pos) == 1) return lead;
  return lead * 256u + static_cast<unsigned char>(text[pos + 1]);
}

// The characters of a text as their starting positions.
std::vector<size_t> CharStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) starts.push_back(pos);
  return starts;
}

template <size_t N>
int IndexIn(const std::array<std::string_view, N>& table, std::string_view character) {
  const auto at = std::find(table.begin(), table.end(), character);
  return at == table.end() ? -1 : static_cast<int>(at - table.begin());
}

int FullWidthDigit(unsigned code) {
  return code >= 0x824F && code <= 0x8258 ? static_cast<int>(code - 0x824F) : -1;
}
int CircledValue(unsigned code) {
  return code >= 0x8740 && code <= 0x8753 ? static_cast<int>(code - 0x8740 + 1) : -1;
}
int RomanValue(unsigned code) {
  if (code >= 0x8754 && code <= 0x875D) return static_cast<int>(code - 0x8754 + 1);
  if (code >= kIbmRomanFirst && code <= kIbmRomanFirst + 9)
    return static_cast<int>(code - kIbmRomanFirst + 1);
  return -1;
}

bool IsHiragana(unsigned code) { return code >= 0x829F && code <= 0x82F1; }
bool IsKatakana(unsigned code) { return (code >= 0x8340 && code <= 0x8396) || code == 0x815B; }
bool IsHalfWidthKana(unsigned code) { return code >= 0xA6 && code <= 0xDF; }
// The kanji of code page 932: both levels of JIS X 0208, the NEC-selected
// and IBM extensions, and the iteration marks 々 and 〆.
bool IsKanji(unsigned code) {
  return (code >= 0x889F && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEAA4) ||
         (code >= 0xED40 && code <= 0xEEEC) || (code >= 0xFA5C && code <= 0xFC4B) || code == 0x8158 ||
         code == 0x8159;
}

std::string_view CharAt(std::string_view text, size_t pos) { return text.substr(pos, CharLength(text, pos)); }

bool IsKanjiNumeral(std::string_view character) {
  return IndexIn(kKanjiDigits, character) > 0 || IndexIn(kKanjiUnits, character) >= 0;
}

// A plain decimal number: an optional sign and ASCII digits, nothing else.
std::optional<int32_t> PlainDecimal(std::string_view text) {
  const size_t digitsFrom = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (digitsFrom == text.size()) return std::nullopt;
  for (size_t i = digitsFrom; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
  }
  return TryStrToInt(text);
}

// The %*.*d rule on ASCII: zeros, sign, blanks.
std::string DecimalText(int32_t value, size_t width, size_t zeros) {
  const int64_t wide = value;
  return DigitsField(std::to_string(wide < 0 ? -wide : wide), value < 0, width, zeros);
}

// Digits, blank and minus of an ASCII number in full width.
std::string ToFullWidthNumber(std::string_view ascii) {
  std::string text;
  for (char c : ascii) {
    if (IsDigit(c)) {
      text.append(kFullWidthDigits[c - '0']);
    } else if (c == '-') {
      text.append(kFullWidthMinus);
    } else if (c == ' ') {
      text.append(kFullWidthBlank);
    } else {
      text.push_back(c);
    }
  }
  return text;
}

// Spreadsheet columns: 1 A, 26 Z, 27 AA.
std::string LetterText(int32_t value, char first) {
  std::string text;
  for (auto rest = static_cast<uint32_t>(value); rest > 0; rest = (rest - 1) / 26) {
    text.insert(text.begin(), static_cast<char>(first + static_cast<char>((rest - 1) % 26)));
  }
  return text;
}

std::optional<int32_t> LetterValue(std::string_view text, bool upper) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (upper ? !IsUpper(c) : !IsLower(c)) return std::nullopt;
    value = value * 26 + (c - (upper ? 'A' : 'a') + 1);
    if (value > INT32_MAX) return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

// 1 to 9999 as usually read: 十 not 一十, 二十, 百一, 二千三百四十五.
std::string KanjiText(int32_t value) {
  std::string text;
  const int32_t places[] = {1000, 100, 10};
  for (size_t i = 0; i < 3; ++i) {
    const int32_t digit = value / places[i] % 10;
    if (digit == 0) continue;
    if (digit > 1) text.append(kKanjiDigits[static_cast<size_t>(digit)]);
    text.append(kKanjiUnits[2 - i]);
  }
  text.append(kKanjiDigits[static_cast<size_t>(value % 10)]);
  return text;
}

std::optional<int32_t> KanjiValue(std::string_view text) {
  // Read loosely, then kept only when written back the same: that rejects
  // 一十, 十十, 二二 and the like.
  int32_t value = 0;
  int32_t pending = 0;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    const std::string_view character = CharAt(text, pos);
    const int digit = IndexIn(kKanjiDigits, character);
    const int unit = IndexIn(kKanjiUnits, character);
    if (digit > 0) {
      if (pending != 0) return std::nullopt;
      pending = digit;
    } else if (unit >= 0) {
      const int32_t places[] = {10, 100, 1000};
      value += (pending == 0 ? 1 : pending) * places[unit];
      pending = 0;
    } else {
      return std::nullopt;
    }
  }
  value += pending;
  if (value < 1 || value > 9999 || KanjiText(value) != text) return std::nullopt;
  return value;
}

// A single character of a table, by its code or its text.
std::optional<int32_t> SingleCharValue(std::string_view text, int (*valueOf)(unsigned)) {
  if (text.empty() || CharLength(text, 0) != text.size()) return std::nullopt;
  const int value = valueOf(CharCode(text, 0));
  if (value < 0) return std::nullopt;
  return value;
}

std::optional<int32_t> FullWidthValue(std::string_view text) {
  std::string ascii;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    const std::string_view character = CharAt(text, pos);
    const int digit = FullWidthDigit(CharCode(text, pos));
    if (digit >= 0) {
      ascii.push_back(static_cast<char>('0' + digit));
    } else if (pos == 0 && character == kFullWidthMinus) {
      ascii.push_back('-');
    } else {
      return std::nullopt;
    }
  }
  return PlainDecimal(ascii);
}

// Trailing blanks of a line: ASCII blanks, control characters and the
// full-width blank.
size_t EndWithoutBlanks(std::string_view text, const std::vector<size_t>& starts, size_t& count) {
  count = starts.size();
  while (count > 0) {
    const std::string_view character = CharAt(text, starts[count - 1]);
    if (character != kFullWidthBlank && static_cast<unsigned char>(character[0]) > 32) break;
    --count;
  }
  return count == 0 ? 0 : starts[count - 1] + CharLength(text, starts[count - 1]);
}

TContinuation Continued(std::string_view text, size_t begin, size_t end, TNumberKind kind,
                        const std::string& initial) {
  TContinuation next;
  next.Prefix.assign(text.substr(0, begin));
  next.Initial = initial;
  next.Suffix.assign(text.substr(end));
  next.Kind = kind;
  next.Found = true;
  return next;
}

// The next value in the kind's notation, or its plain decimal number past
// the kind's end.
std::string NextText(TNumberKind kind, int32_t value) {
  const auto next = static_cast<int32_t>(static_cast<uint32_t>(value) + 1);
  return FormatKind(kind, next).value_or(std::to_string(next));
}

// The item at the end of the line (before trailing blanks): a Roman numeral,
// letters, an いろは kana or kanji numerals.
std::optional<TContinuation> ContinueAtEnd(std::string_view text) {
  const std::vector<size_t> starts = CharStarts(text);
  size_t count = 0;
  const size_t end = EndWithoutBlanks(text, starts, count);
  if (count == 0) return std::nullopt;
  const size_t lastStart = starts[count - 1];
  if (AcadCodeMask(text)[lastStart]) return std::nullopt;  // the letter of %%d is no item
  const unsigned lastCode = CharCode(text, lastStart);
  const auto before = [&](size_t index) { return index == 0 ? 0u : CharCode(text, starts[index - 1]); };

  if (const int roman = RomanValue(lastCode); roman > 0)
    return Continued(text, lastStart, end, TNumberKind::Roman, NextText(TNumberKind::Roman, roman));

  if (IsLetter(text[lastStart]) && CharLength(text, lastStart) == 1) {
    const bool upper = IsUpper(text[lastStart]);
    size_t first = count - 1;
    while (first > 0 && count - first < 2 && CharLength(text, starts[first - 1]) == 1 &&
           (upper ? IsUpper(text[starts[first - 1]]) : IsLower(text[starts[first - 1]])))
      --first;
    const bool letterBefore =
        first > 0 && CharLength(text, starts[first - 1]) == 1 && IsLetter(text[starts[first - 1]]);
    if (letterBefore) return std::nullopt;
    const TNumberKind kind = upper ? TNumberKind::UpperLetter : TNumberKind::LowerLetter;
    const int32_t value = *LetterValue(text.substr(starts[first], end - starts[first]), upper);
    return Continued(text, starts[first], end, kind, NextText(kind, value));
  }

  if (const int iroha = IndexIn(kIroha, CharAt(text, lastStart)); iroha >= 0) {
    const unsigned previous = before(count - 1);
    if (IsHiragana(previous) || IsKatakana(previous) || IsHalfWidthKana(previous) || IsKanji(previous))
      return std::nullopt;
    return Continued(text, lastStart, end, TNumberKind::Iroha, NextText(TNumberKind::Iroha, iroha + 1));
  }

  if (IsKanjiNumeral(CharAt(text, lastStart))) {
    size_t first = count - 1;
    while (first > 0 && IsKanjiNumeral(CharAt(text, starts[first - 1]))) --first;
    if (first > 0) {
      const std::string_view previous = CharAt(text, starts[first - 1]);
      if (previous != kDai && IsKanji(CharCode(text, starts[first - 1]))) return std::nullopt;
    }
    const std::optional<int32_t> value = KanjiValue(text.substr(starts[first], end - starts[first]));
    if (!value) return std::nullopt;
    return Continued(text, starts[first], end, TNumberKind::Kanji, NextText(TNumberKind::Kanji, *value));
  }
  return std::nullopt;
}

// Cuts at most two line-break characters off the end of a line.
std::string_view WithoutLineBreaks(std::string_view line) {
  size_t length = line.size();
  if (length > 0 && IsLineBreak(line[length - 1])) --length;
  if (length > 0 && IsLineBreak(line[length - 1])) --length;
  return line.substr(0, length);
}

// Every number of a line, left to right.
std::vector<TNumberRun> NumberRuns(std::string_view text, bool withAscii) {
  const std::vector<bool> inCode = AcadCodeMask(text);
  std::vector<TNumberRun> runs;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (inCode[pos]) continue;
    const unsigned code = CharCode(text, pos);
    const size_t next = pos + CharLength(text, pos);
    std::optional<TNotation> notation;
    if (withAscii && IsDigit(text[pos])) notation = TNotation::Ascii;
    if (FullWidthDigit(code) >= 0) notation = TNotation::FullWidth;
    if (CircledValue(code) > 0) notation = TNotation::Circled;
    if (!notation) continue;
    if (!runs.empty() && runs.back().End == pos && runs.back().Notation == *notation &&
        *notation != TNotation::Circled) {
      runs.back().End = next;
    } else {
      runs.push_back({pos, next, *notation});
    }
  }
  return runs;
}

}  // namespace

std::string DigitsField(std::string digits, bool negative, size_t width, size_t zeros) {
  if (zeros <= 16 && digits.size() < zeros) digits.insert(0, zeros - digits.size(), '0');
  if (negative) digits.insert(0, 1, '-');
  if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
  return digits;
}

const std::vector<std::string>& NumberKindNames() {
  static const std::vector<std::string> names = {"数字",     "全角数字", "丸数字", "英大文字",
                                                 "英小文字", "漢数字",   "いろは", "ローマ数字"};
  return names;
}

std::string_view NumberKindName(TNumberKind kind) { return NumberKindNames()[static_cast<size_t>(kind)]; }

bool KindHasWidth(TNumberKind kind) { return kind == TNumberKind::Decimal || kind == TNumberKind::FullWidth; }

int32_t KindLast(TNumberKind kind) {
  switch (kind) {
    case TNumberKind::Circled:
      return static_cast<int32_t>(kCircled.size());
    case TNumberKind::Roman:
      return static_cast<int32_t>(kRoman.size());
    case TNumberKind::Iroha:
      return static_cast<int32_t>(kIroha.size());
    case TNumberKind::Kanji:
      return 9999;
    default:
      return 0;
  }
}

bool KindHolds(TNumberKind kind, int32_t value) {
  if (KindHasWidth(kind)) return true;
  const int32_t last = KindLast(kind);
  return value >= 1 && (last == 0 || value <= last);
}

std::optional<std::string> FormatKind(TNumberKind kind, int32_t value, size_t width, size_t zeros) {
  if (!KindHolds(kind, value)) return std::nullopt;
  // The place in a table of the finite kinds, which count from 1 (the
  // decimal kinds take any value and no table).
  const size_t index = value >= 1 ? static_cast<size_t>(value) - 1 : 0;
  switch (kind) {
    case TNumberKind::Decimal:
      return DecimalText(value, width, zeros);
    case TNumberKind::FullWidth:
      return ToFullWidthNumber(DecimalText(value, width, zeros));
    case TNumberKind::Circled:
      return std::string(kCircled[index]);
    case TNumberKind::UpperLetter:
      return LetterText(value, 'A');
    case TNumberKind::LowerLetter:
      return LetterText(value, 'a');
    case TNumberKind::Kanji:
      return KanjiText(value);
    case TNumberKind::Iroha:
      return std::string(kIroha[index]);
    case TNumberKind::Roman:
      return std::string(kRoman[index]);
  }
  return std::nullopt;
}

std::optional<int32_t> ParseKind(TNumberKind kind, std::string_view text) {
  if (const std::optional<int32_t> plain = PlainDecimal(text)) return plain;
  switch (kind) {
    case TNumberKind::Decimal:
      return std::nullopt;
    case TNumberKind::FullWidth:
      return FullWidthValue(text);
    case TNumberKind::Circled:
      return SingleCharValue(text, CircledValue);
    case TNumberKind::UpperLetter:
      return LetterValue(text, true);
    case TNumberKind::LowerLetter:
      return LetterValue(text, false);
    case TNumberKind::Kanji:
      return KanjiValue(text);
    case TNumberKind::Iroha: {
      const int index = IndexIn(kIroha, text);
      if (index < 0) return std::nullopt;
      return index + 1;
    }
    case TNumberKind::Roman:
      return SingleCharValue(text, RomanValue);
  }
  return std::nullopt;
}

bool IsKindKey(TNumberKind kind, unsigned key) {
  if (key >= '0' && key <= '9') return true;
  std::string character;
  if (key > 0xFF) character.push_back(static_cast<char>(key >> 8));
  character.push_back(static_cast<char>(key & 0xFF));
  switch (kind) {
    case TNumberKind::Decimal:
      return false;
    case TNumberKind::FullWidth:
      return FullWidthDigit(key) >= 0;
    case TNumberKind::Circled:
      return CircledValue(key) > 0;
    case TNumberKind::UpperLetter:
      return key >= 'A' && key <= 'Z';
    case TNumberKind::LowerLetter:
      return key >= 'a' && key <= 'z';
    case TNumberKind::Kanji:
      return IsKanjiNumeral(character);
    case TNumberKind::Iroha:
      return IndexIn(kIroha, character) >= 0;
    case TNumberKind::Roman:
      return RomanValue(key) > 0;
  }
  return false;
}

size_t CharCount(std::string_view text) { return CharStarts(text).size(); }

TContinuation ContinueLine(std::string_view line) {
  std::string prefix;
  std::string number;
  std::string suffix;
  SplitNumber(line, prefix, number, suffix, true);
  const std::string_view text = WithoutLineBreaks(line);
  if (!number.empty()) {
    // The width and leading zeros carry over: 009 gives 010, 99 gives 100.
    const auto value = static_cast<uint32_t>(StrToInt(number));
    return Continued(text, prefix.size(), prefix.size() + number.size(), TNumberKind::Decimal,
                     FilledNumber(static_cast<int32_t>(value + 1), number.size(), true));
  }
  const std::vector<TNumberRun> runs = NumberRuns(text, false);
  if (!runs.empty()) {
    const TNumberRun& run = runs.back();
    const std::string_view runText = text.substr(run.Begin, run.End - run.Begin);
    const int32_t value = NumberRunValue(runText, run.Notation);
    const TNumberKind kind =
        run.Notation == TNotation::Circled ? TNumberKind::Circled : TNumberKind::FullWidth;
    const std::string next = kind == TNumberKind::Circled
                                 ? NextText(kind, value)
                                 : *FormatNumberRun(static_cast<int32_t>(static_cast<uint32_t>(value) + 1),
                                                    run.Notation, CharCount(runText), true);
    return Continued(text, run.Begin, run.End, kind, next);
  }
  if (std::optional<TContinuation> atEnd = ContinueAtEnd(text)) return *atEnd;
  TContinuation none;
  none.Prefix.assign(text);
  return none;
}

std::optional<TNumberRun> FindNumberRun(std::string_view line, bool fromEnd) {
  const std::vector<TNumberRun> runs = NumberRuns(WithoutLineBreaks(line), true);
  if (runs.empty()) return std::nullopt;
  return fromEnd ? runs.back() : runs.front();
}

int32_t NumberRunValue(std::string_view run, TNotation notation) {
  switch (notation) {
    case TNotation::Ascii:
      return StrToInt(run);
    case TNotation::FullWidth: {
      const std::optional<int32_t> value = FullWidthValue(run);
      if (!value) RaiseNotInteger(run);
      return *value;
    }
    case TNotation::Circled:
      return CircledValue(CharCode(run, 0));
  }
  return 0;
}

std::string FilledNumber(int32_t value, size_t digits, bool fill) {
  std::string text = std::to_string(value);
  if (fill && text.size() < digits) text.insert(value < 0 ? size_t{1} : size_t{0}, digits - text.size(), '0');
  return text;
}

std::optional<std::string> FormatNumberRun(int32_t value, TNotation notation, size_t digits, bool fill) {
  switch (notation) {
    case TNotation::Ascii:
      return FilledNumber(value, digits, fill);
    case TNotation::FullWidth:
      return ToFullWidthNumber(FilledNumber(value, digits, fill));
    case TNotation::Circled:
      return FormatKind(TNumberKind::Circled, value);
  }
  return std::nullopt;
}

}  // namespace vorbel
