// Full-width and half-width conversion of code page 932 text: mixed text,
// kana with sound marks, the yen sign, cut characters, and the round trips.
#include <gtest/gtest.h>

#include <string>

#include "cp932/cp932.h"
#include "texttools/string_utils.h"

namespace vorbel {
namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
    text += ' ';
  }
  return text;
}

std::string Full(std::string s) {
  ToFullWidth(s);
  return s;
}

std::string Half(std::string s) {
  ToHalfWidth(s);
  return s;
}

TEST(WidthTable, ConvertsMixedText) {
  const std::string cut = "\x83";  // a lead byte with nothing behind it
  struct TCase {
    std::string text;
    std::string full;  // ToFullWidth(text)
    std::string half;  // ToHalfWidth(text)
  };
  const TCase cases[] = {
      {"", "", ""},
      {"ABC123", "ＡＢＣ１２３", "ABC123"},
      {"ＡＢＣ１２３", "ＡＢＣ１２３", "ABC123"},
      {"a b", "ａ　ｂ", "a b"},
      {"ａ　ｂ", "ａ　ｂ", "a b"},
      {"!~-|", "！～－｜", "!~-|"},
      {"\"'", "\xFA\x57\xFA\x56", "\"'"},                // ＂ ＇
      {"\xFA\x57\xEE\xFC", "\xFA\x57\xEE\xFC", "\"\""},  // ＂ in both of its codes
      // 0x5C is the yen sign here: it keeps its width, ＼ keeps its own, ￥
      // narrows to it.
      {"\\", "\\", "\\"},
      {"＼￥", "＼￥", "＼\\"},
      // Kana with sound marks become one character where one exists.
      {"ｶﾞﾊﾟｳﾞﾎﾟﾀﾞ", "ガパヴポダ", "ｶﾞﾊﾟｳﾞﾎﾟﾀﾞ"},
      {"ガパヴポダ", "ガパヴポダ", "ｶﾞﾊﾟｳﾞﾎﾟﾀﾞ"},
      {"ｱﾞｶﾟﾜﾞﾞﾟ", "ア゛カ゜ワ゛゛゜", "ｱﾞｶﾟﾜﾞﾞﾟ"},
      {"ア゛カ゜", "ア゛カ゜", "ｱﾞｶﾟ"},
      {"ｶ", "カ", "ｶ"},
      {"ﾞｶ", "゛カ", "ﾞｶ"},
      {"｡｢｣､･ｦｧｰﾝ", "。「」、・ヲァーン", "｡｢｣､･ｦｧｰﾝ"},
      // 表 (0x95 0x5C) and 芸 (0x8C 0x7C) are whole characters, never a
      // backslash or a bar; ポ (0x83 0x7C) narrows as a whole.
      {"表芸ポ12ｶﾞ", "表芸ポ１２ガ", "表芸ﾎﾟ12ｶﾞ"},
      {"表芸ポ１２ガ", "表芸ポ１２ガ", "表芸ﾎﾟ12ｶﾞ"},
      // What has no counterpart passes: kanji, hiragana, line breaks, tabs.
      {"漢字ひらがなヵヶ\r\n\t", "漢字ひらがなヵヶ\r\n\t", "漢字ひらがなヵヶ\r\n\t"},
      {"a\r\nb", "ａ\r\nｂ", "a\r\nb"},
      // A cut character at the end, or a lead byte before a line break.
      {"a" + cut, "ａ" + cut, "a" + cut},
      {"ａ" + cut, "ａ" + cut, "a" + cut},
      {cut, cut, cut},
      {cut + "\r\nA", cut + "\r\nＡ", cut + "\r\nA"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    EXPECT_EQ(Hex(Full(c.text)), Hex(c.full));
    EXPECT_EQ(Hex(Half(c.text)), Hex(c.half));
  }
}

// "全角に" then "半角に" gives back every half-width character and every kana
// with a sound mark; the other way round, every double-byte character that
// narrows widens back to itself, but for the second code of ＂ ＇ and ￥.
TEST(WidthTable, RoundTrips) {
  std::string letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters += c;
  for (char c = 'a'; c <= 'z'; ++c) letters += c;
  EXPECT_EQ(Half(Full(letters)), letters);
  EXPECT_EQ(Full(letters).size(), 2 * letters.size());

  int converted = 0;
  for (int b = 0x20; b <= 0xDF; ++b) {
    if (b == 0x5C || (b > 0x7E && b < 0xA1)) continue;
    const std::string half(1, static_cast<char>(b));
    EXPECT_EQ(Hex(Half(Full(half))), Hex(half));
    EXPECT_EQ(Full(half).size(), 2u) << Hex(half);
    for (char mark : {'\xDE', '\xDF'}) {
      EXPECT_EQ(Hex(Half(Full(half + mark))), Hex(half + mark));
    }
    ++converted;
  }
  EXPECT_EQ(converted, 94 + 63);

  int narrowed = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string full{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string half = Half(full);
      if (half == full) continue;
      ++narrowed;
      const bool secondCode = full == "\xEE\xFB" || full == "\xEE\xFC" || full == "\x81\x8F";
      if (!secondCode) {
        EXPECT_EQ(Hex(Full(half)), Hex(full));
      }
    }
  }
  // Printable ASCII but the backslash, ＂ ＇ twice, ￥, the katakana and
  // punctuation of the half-width forms and the 26 kana with a sound mark.
  EXPECT_EQ(narrowed, 94 + 2 + 1 + 63 + 26);
}

}  // namespace
}  // namespace vorbel
