// The width table against Windows' own mapping: every character of code page
// 932 (every single byte, every double-byte code that MultiByteToWideChar
// takes, and every half-width kana followed by a sound mark) is converted by
// ToFullWidth / ToHalfWidth and by LCMapStringW for Japanese with
// LCMAP_FULLWIDTH / LCMAP_HALFWIDTH, through UTF-16 and back to code page
// 932 as LCMapStringA would do it. Where the two part, the difference is
// listed below with its reason, and the test asserts exactly those lists, so
// a change on either side fails it. The locale of the process plays no part:
// the locale and the code page are given explicitly.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texttools/string_utils.h"

namespace vorbel {
namespace {

constexpr UINT kCodePage = 932;
const LCID kJapanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);

// The text as UTF-16; nothing when code page 932 does not take it.
std::optional<std::wstring> Decode(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
  return wide;
}

// The text in code page 932 as LCMapStringA writes it: best fit allowed, "?"
// for a character without any code there.
std::string Encode(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(kCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kCodePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring WindowsMap(const std::wstring& wide, DWORD flag) {
  const int size = static_cast<int>(wide.size());
  const int length = LCMapStringW(kJapanese, flag, wide.data(), size, nullptr, 0);
  if (length <= 0) return L"(failed)";
  std::wstring mapped(static_cast<size_t>(length), L'\0');
  mapped.resize(static_cast<size_t>(LCMapStringW(kJapanese, flag, wide.data(), size, mapped.data(), length)));
  return mapped;
}

std::string Hex(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    text += digits;
  }
  return text;
}

std::string Hex(std::wstring_view wide) {
  std::string text;
  for (wchar_t c : wide) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "U+%04X", static_cast<unsigned>(c));
    text += text.empty() ? "" : " ";
    text += digits;
  }
  return text;
}

// Windows 7 and later map ﾞ ﾟ (and ゛ ゜ themselves) under LCMAP_FULLWIDTH to
// the combining sound marks U+3099 / U+309A, which code page 932 lacks, so
// LCMapStringA writes "?" for them (Microsoft's Japanese developer support
// described this change against Vista in 2015: StrConv(Wide) of ゛ gives
// "?"); Wine does the same. The table keeps the spacing marks ゛ ゜, as
// earlier Windows did: a conversion must not turn characters into "?". The
// comparison reads Windows' combining marks as the spacing ones and counts
// the characters where it had to.
std::wstring SpacingMarks(std::wstring wide, int& replaced) {
  bool any = false;
  for (wchar_t& c : wide) {
    if (c == 0x3099 || c == 0x309A) {
      c = static_cast<wchar_t>(c + 2);
      any = true;
    }
  }
  if (any) ++replaced;
  return wide;
}

// What the comparison of one direction found.
struct TWidthComparison {
  int compared = 0;
  int changed = 0;                        // characters the table converts
  int combiningMarks = 0;                 // Windows' results read with spacing marks
  std::vector<std::string> differences;   // "SOURCE: ours OURS, Windows WINDOWS (UTF-16)"
  std::vector<std::string> foreignCodes;  // our results in codes Windows would not write
};

// Compares the two conversions of `source` as LCMapStringA would return them,
// each written back in the codes Windows gives its characters (so 0xEEFC and
// 0xFA57, both ＂, count as the same).
void Compare(const std::string& source, void (*convert)(std::string&), DWORD flag, TWidthComparison& result) {
  const std::optional<std::wstring> wide = Decode(source);
  if (!wide) return;  // not a character of code page 932
  ++result.compared;
  std::string ours = source;
  convert(ours);
  if (ours != source) ++result.changed;
  const std::optional<std::wstring> oursWide = Decode(ours);
  const std::wstring windows = SpacingMarks(WindowsMap(*wide, flag), result.combiningMarks);
  if (!oursWide || Encode(*oursWide) != Encode(windows)) {
    result.differences.push_back(Hex(source) + ": ours " + Hex(ours) + ", Windows " + Hex(Encode(windows)) +
                                 " (" + Hex(windows) + ")");
  }
  if (ours != source && (!oursWide || Encode(*oursWide) != ours)) result.foreignCodes.push_back(Hex(ours));
}

TWidthComparison CompareAll(void (*convert)(std::string&), DWORD flag) {
  TWidthComparison result;
  for (int b = 0; b < 256; ++b) {
    Compare(std::string(1, static_cast<char>(b)), convert, flag, result);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      Compare(std::string{static_cast<char>(lead), static_cast<char>(trail)}, convert, flag, result);
    }
  }
  for (int kana = 0xA1; kana <= 0xDF; ++kana) {
    for (int mark : {0xDE, 0xDF}) {
      Compare(std::string{static_cast<char>(kana), static_cast<char>(mark)}, convert, flag, result);
    }
  }
  return result;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(WidthAgainstWindows, FullWidthOfEveryCharacter) {
  const TWidthComparison result = CompareAll(ToFullWidth, LCMAP_FULLWIDTH);
  std::printf("full width: %d characters compared, %d converted, %d read with spacing marks\n",
              result.compared, result.changed, result.combiningMarks);
  EXPECT_GT(result.compared, 9000);
  // ﾞ ﾟ alone, ゛ ゜, and the 98 pairs of a half-width kana or punctuation
  // and a sound mark that compose to no character (see SpacingMarks).
  EXPECT_EQ(result.combiningMarks, 102);
  const std::vector<std::string> expected = {
      // ﾜﾞ and ｦﾞ compose to ヷ and ヺ, which code page 932 lacks: Windows
      // writes "?", the table converts the two characters one by one.
      "A6DE: ours 8392814A, Windows 3F (U+30FA)",
      "DCDE: ours 838F814A, Windows 3F (U+30F7)",
  };
  EXPECT_EQ(Lines(result.differences), Lines(expected));
  EXPECT_EQ(Lines(result.foreignCodes), "");
}

TEST(WidthAgainstWindows, HalfWidthOfEveryCharacter) {
  const TWidthComparison result = CompareAll(ToHalfWidth, LCMAP_HALFWIDTH);
  std::printf("half width: %d characters compared, %d converted\n", result.compared, result.changed);
  EXPECT_GT(result.compared, 9000);
  EXPECT_EQ(result.combiningMarks, 0);
  const std::vector<std::string> expected = {
      // ヾ is not among the Halfwidth Forms: Windows writes ヽ (full width)
      // with ﾞ; the table leaves it.
      "8153: ours 8153, Windows 8152DE (U+30FD U+FF9E)",
      // The quotes ‘ ’ “ ” are not among the Halfwidth Forms (their
      // counterparts ' " widen to ＇ ＂, not back to them); the table leaves
      // them.
      "8165: ours 8165, Windows 27 (U+0027)",
      "8166: ours 8166, Windows 27 (U+0027)",
      "8167: ours 8167, Windows 22 (U+0022)",
      "8168: ours 8168, Windows 22 (U+0022)",
      // ○ ■ ← ↑ → ↓ │ narrow to the half-width forms U+FFE8-U+FFEE, which
      // code page 932 lacks: Windows writes "?", the table leaves them.
      "819B: ours 819B, Windows 3F (U+FFEE)",
      "81A1: ours 81A1, Windows 3F (U+FFED)",
      "81A8: ours 81A8, Windows 3F (U+FFEB)",
      "81A9: ours 81A9, Windows 3F (U+FFE9)",
      "81AA: ours 81AA, Windows 3F (U+FFEA)",
      "81AB: ours 81AB, Windows 3F (U+FFEC)",
      "84A0: ours 84A0, Windows 3F (U+FFE8)",
      // ￤ narrows to the broken bar U+00A6, which code page 932 lacks; the
      // best fit writes the vertical bar |, another character. The table
      // leaves ￤ (both of its codes).
      "EEFA: ours EEFA, Windows 7C (U+00A6)",
      "FA55: ours FA55, Windows 7C (U+00A6)",
  };
  EXPECT_EQ(Lines(result.differences), Lines(expected));
  EXPECT_EQ(Lines(result.foreignCodes), "");
}

// The yen sign and the backslash, which Windows treats apart from the rest of
// printable ASCII: 0x5C (drawn as ¥ on Japanese systems) keeps its width, ＼
// is not narrowed to it, and ￥ is.
TEST(WidthAgainstWindows, YenSignAndBackslash) {
  struct TCase {
    std::string source;
    void (*convert)(std::string&);
    std::string expected;
  };
  const TCase cases[] = {
      {"\x5C", ToFullWidth, "\x5C"},
      {"\x81\x5F", ToHalfWidth, "\x81\x5F"},  // ＼
      {"\x81\x8F", ToHalfWidth, "\x5C"},      // ￥
      {"\x81\x8F", ToFullWidth, "\x81\x8F"},
  };
  for (const TCase& c : cases) {
    std::string converted = c.source;
    c.convert(converted);
    EXPECT_EQ(Hex(converted), Hex(c.expected)) << Hex(c.source);
    const DWORD flag = c.convert == ToFullWidth ? LCMAP_FULLWIDTH : LCMAP_HALFWIDTH;
    EXPECT_EQ(Hex(Encode(WindowsMap(*Decode(c.source), flag))), Hex(c.expected)) << Hex(c.source);
  }
}

}  // namespace
}  // namespace vorbel
