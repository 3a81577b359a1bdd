// The duplicate and gap check and the character check on strings, and the
// table of standard forms against the code page.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "platform/ui_text.h"
#include "texttools/char_check.h"
#include "texttools/line_checks.h"
#include "texttools/standard_forms.h"

namespace vorbel {
namespace {

std::vector<std::string> EntryTexts(const std::vector<std::string>& lines) {
  std::vector<std::string> texts;
  for (const TCheckEntry& entry : LineCheckEntries(CheckLines(lines), true)) {
    texts.push_back((entry.Line == kNoLine ? std::string("-") : std::to_string(entry.Line + 1)) + " " +
                    entry.Text);
  }
  return texts;
}

TEST(LineChecks, DuplicatesGapsAndBackSteps) {
  struct TCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> entries;  // "line text", line from 1, "-" for none
  };
  const TCase cases[] = {
      {"nothing amiss", {"P-1", "P-2", "P-3", "", "", "A"}, {}},
      {"trimmed bytes; blank lines are no duplicates",
       {"  A-1", "B", "A-1 ", "", " ", "B", "b"},
       {"1 重複: 「A-1」 1, 3 行目", "3 重複: 「A-1」 1, 3 行目", "2 重複: 「B」 2, 6 行目",
        "6 重複: 「B」 2, 6 行目"}},
      {"one gap and a range of them, by the line below the gap",
       {"P-1", "P-3", "P-10", "P-2"},
       {"2 欠番: P-4～P-9 がありません", "4 順序: P-2 (4 行目) は前の P-10 (3 行目) より小さい番号です"}},
      {"a single missing number", {"P-3", "P-5"}, {"1 欠番: P-4 がありません"}},
      {"the last number of the line; the text around it makes the run",
       {"1-1", "1-3", "2-1", "2-2", "室1", "室3号", "室5号"},
       {"1 欠番: 1-2 がありません", "6 欠番: 室4号 がありません"}},
      {"zeros in front and full-width digits written as the run writes them",
       {"No.08", "No.12", "第１号", "第３号"},
       {"1 欠番: No.09～No.11 がありません", "3 欠番: 第２号 がありません"}},
      {"circled numbers; ASCII and full-width digits are runs of their own",
       {"①", "④", "1", "３"},
       {"1 欠番: ②～③ がありません"}},
      {"a smaller number after a larger one, also when equal numbers repeat",
       {"W5", "W5", "W4", "W6"},
       {"1 重複: 「W5」 1, 2 行目", "2 重複: 「W5」 1, 2 行目",
        "3 順序: W4 (3 行目) は前の W5 (2 行目) より小さい番号です"}},
      {"digits inside AutoCAD's codes and numbers beyond 32 bits make no run",
       {"%%127x", "%%129x", "99999999999", "99999999997"},
       {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EntryTexts(c.lines), c.entries);
  }
}

TEST(LineChecks, AHundredGapsOfARunThenTheCount) {
  std::vector<std::string> lines;
  for (int n = 1; n <= 2 * 103 + 1; n += 2) lines.push_back("R" + std::to_string(n));  // 103 gaps
  lines.push_back("S1");
  lines.push_back("S3");
  const std::vector<TCheckEntry> entries = LineCheckEntries(CheckLines(lines), true);
  ASSERT_EQ(entries.size(), kGapEntriesShown + 2);
  EXPECT_EQ(entries[99].Text, "欠番: R200 がありません");
  EXPECT_EQ(entries[100].Text, "欠番: ほか 3 件");
  EXPECT_EQ(entries[100].Line, kNoLine);
  EXPECT_EQ(entries[101].Text, "欠番: S2 がありません");
}

TEST(CharCheck, FindsAndReplacesOutsideTheCodes) {
  struct TCase {
    std::string text;
    std::vector<std::string> found;  // OddCharText of each
    std::string replaced;
  };
  const TCase cases[] = {
      {"第①工区 Ⅲ-ⅲ", {"① → (1)", "Ⅲ → III", "ⅲ → iii"}, "第(1)工区 III-iii"},
      {"10㎡ 5㎝ ㈱山田 ㍻元年",
       {"㎡ → m2", "㎝ → cm", "㈱ → (株)", "㍻ → 平成"},
       "10m2 5cm (株)山田 平成元年"},
      {"№3 ℡", {"№ → No.", "℡ → TEL"}, "No.3 TEL"},
      // The IBM codes of the same characters, and ＂ ＇ in both of their rows.
      {"\xFA\x4C\xFA\x42\xEE\xF1\xFA\x58",
       {"\xFA\x4C → III", "\xFA\x42 → iii", "\xEE\xF1 → iii", "\xFA\x58 → (株)"},
       "IIIiiiiii(株)"},
      {"\xFA\x57x\xFA\x56\xEE\xFC\xEE\xFB",
       {"\xFA\x57 → ”", "\xFA\x56 → ’", "\xEE\xFC → ”", "\xEE\xFB → ’"},
       "”x’”’"},
      // NEC row 13 twins of JIS X 0208 characters: the JIS code.
      {"\x87\x90\x87\x9A", {"\x87\x90 → \x81\xE0", "\x87\x9A → \x81\xE6"}, "\x81\xE0\x81\xE6"},
      // Half-width katakana by runs, sound marks composed; nothing else widened.
      {"ｺﾝｸﾘｰﾄ 1F ﾊﾟｲﾌﾟ", {"ｺﾝｸﾘｰﾄ → コンクリート", "ﾊﾟｲﾌﾟ → パイプ"}, "コンクリート 1F パイプ"},
      // IBM kanji (髙 﨑), a user-defined character and ∑: no proposal.
      {"\xFB\xFC\xFA\xB1\xF0\x40\x87\x94①",
       {"\xFB\xFC (置き換えなし)", "\xFA\xB1 (置き換えなし)", "\xF0\x40 (置き換えなし)",
        "\x87\x94 (置き換えなし)", "① → (1)"},
       "\xFB\xFC\xFA\xB1\xF0\x40\x87\x94(1)"},
      // AutoCAD's codes are no characters; a character after one is.
      {"%%d\\U+2460\\M+N8740%%①①", {"① → (1)"}, "%%d\\U+2460\\M+N8740%%①(1)"},
      // JIS X 0208 only, among it the 0x5C second byte of ソ and a broken end.
      {"ソ表－ー～“”\x81", {}, "ソ表－ー～“”\x81"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> found;
    for (const TOddChar& odd : FindOddChars(c.text)) found.push_back(OddCharText(c.text, odd));
    EXPECT_EQ(found, c.found);
    EXPECT_EQ(WithStandardForms(c.text), c.replaced);
  }
}

// The character of a code of code page 932, in UTF-8, by glibc's CP932.
std::string Decoded(unsigned code) {
  char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  char out[8] = {};
  iconv_t cd = iconv_open("UTF-8", "CP932");
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 2;
  size_t outLeft = sizeof out - 1;
  const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  return done == static_cast<size_t>(-1) ? std::string() : std::string(out);
}

TEST(CharCheck, StandardFormsKeepToTheCodePage) {
  for (const TStandardForm& form : kStandardForms) {
    const std::string code{static_cast<char>(form.Code >> 8), static_cast<char>(form.Code & 0xFF)};
    SCOPED_TRACE(code + " " + form.Standard);
    // The code is machine-dependent, and its proposal is not.
    EXPECT_EQ(FindOddChars(code).size(), 1U);
    EXPECT_TRUE(FindOddChars(form.Standard).empty());
    // Its twin is the same character.
    EXPECT_FALSE(Decoded(form.Code).empty());
    if (form.Twin != 0) {
      EXPECT_EQ(Decoded(form.Twin), Decoded(form.Code));
    }
    // A character that JIS X 0208 has itself is proposed as the code the memo
    // shows for it.
    const std::string shown = Cp932RoundTrip(code);
    if (FindOddChars(shown).empty()) {
      EXPECT_EQ(form.Standard, shown);
    }
  }
}

}  // namespace
}  // namespace vorbel
