// The number in a line, the lines a memo selection touches, and letter case
// on code page 932 text.
#include "texttools/string_utils.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "texttools/acad_codes.h"
#include "texttools/memo_edit.h"

namespace vorbel {
namespace {

TEST(StringUtilsSplitNumber, CutsBeforeTheRunAndAfterIt) {
  struct TCase {
    std::string line;
    bool fromEnd;
    std::string prefix;
    std::string number;
    std::string suffix;
  };
  const TCase cases[] = {
      {"A-12B3", false, "A-", "12", "B3"},
      {"A-12B3", true, "A-12B", "3", ""},
      {"No.007 ", false, "No.", "007", " "},
      {"No.007 ", true, "No.", "007", " "},
      {"12-34", false, "", "12", "-34"},
      {"12-34", true, "12-", "34", ""},
      {"a1b22c333", false, "a", "1", "b22c333"},
      {"a1b22c333", true, "a1b22c", "333", ""},
      {"abc", false, "abc", "", ""},
      {"abc", true, "abc", "", ""},
      {"9", false, "", "9", ""},
      {"9", true, "", "9", ""},
      {"0099", true, "", "0099", ""},
      {"X-5", true, "X-", "5", ""},  // the sign stays in the prefix
      {"", false, "", "", ""},
      {"", true, "", "", ""},
      // Up to two line-break characters at the end belong to no part.
      {"A-12B3\r\n", false, "A-", "12", "B3"},
      {"A-12B3\r\n", true, "A-12B", "3", ""},
      {"No.5\n\r", true, "No.", "5", ""},
      {"No.5\r\r", false, "No.", "5", ""},
      {"No.5\n", true, "No.", "5", ""},
      {"No.5\r\n\r", true, "No.", "5", "\r"},  // three: the first one stays
      {"abc\n\n\n", false, "abc\n", "", ""},
      {"12\r\n\r", false, "", "12", "\r"},
      {"\r\n", true, "", "", ""},
      {"\r", false, "", "", ""},
      // Full-width digits are no digits; double-byte characters around a
      // run, among them 表 and ポ whose second bytes are \ and |.
      {"第１２号", false, "第１２号", "", ""},
      {"第１２号", true, "第１２号", "", ""},
      {"表12ポ3", false, "表", "12", "ポ3"},
      {"表12ポ3", true, "表12ポ", "3", ""},
      {"ｶﾞ7ｶﾞ", true, "ｶﾞ", "7", "ｶﾞ"},
      // Digits inside AutoCAD's codes are no number.
      {"45%%d", true, "", "45", "%%d"},
      {"R%%1234", true, "R%%123", "4", ""},
      {"\\U+2460", true, "\\U+2460", "", ""},
      {"7\\M+18140", true, "", "7", "\\M+18140"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.line << "\" fromEnd " << c.fromEnd);
    std::string prefix = "old";
    std::string number = "42";
    std::string suffix = "old";
    SplitNumber(c.line, prefix, number, suffix, c.fromEnd);
    EXPECT_EQ(prefix, c.prefix);
    EXPECT_EQ(number, c.number);
    EXPECT_EQ(suffix, c.suffix);
  }
}

// A text cut into codes and ordinary runs, written with the codes in
// brackets.
std::string Pieces(std::string_view text) {
  std::string written;
  for (const TTextPiece& piece : SplitAcadCodes(text)) {
    written += piece.IsCode ? "[" + std::string(piece.Text) + "]" : std::string(piece.Text) + "|";
  }
  return written;
}

TEST(AcadCodes, WholeCodesScannedByWholeCharacters) {
  struct TCase {
    std::string text;
    std::string pieces;
  };
  const TCase cases[] = {
      {"45%%d", "45|[%%d]"},
      {"%%%d", "[%%%]d|"},  // "%%%" first, then an ordinary d
      {"%%123x%%12", "[%%123]x|[%%1]2|"},
      {"%%C%%p%%O%%u%%K%%z", "[%%C][%%p][%%O][%%u][%%K][%%z]"},
      {"%%あ%", "[%%あ]%|"},               // any character, a double-byte one whole
      {"a%%\r\nb%%", "a|[%%]\r\nb|[%%]"},  // a code never takes in a line break
      {"\\U+2460\\u+24a0x", "[\\U+2460][\\u+24a0]x|"},
      {"\\U+24G0\\U+246", "\\U+24G0\\U+246|"},
      {"\\M+18140\\m+2ABCD\\M+A8140", "[\\M+18140][\\m+2ABCD]\\M+A8140|"},
      {"ソU+2460表U+1234", "ソU+2460表U+1234|"},  // their second byte is \, no code
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Pieces(c.text), c.pieces);
  }
  // A conversion keeps the codes, also a code that the range cuts.
  const auto upper = [](std::string& s) { ToUpperSingleByte(s); };
  EXPECT_EQ(ConvertOutsideCodes("x%%d\\u+24a0y", 0, 12, upper), "X%%d\\u+24a0Y");
  EXPECT_EQ(ConvertOutsideCodes("x%%d\\u+24a0y", 2, 9, upper), "%d\\u+24a0");
  std::string text = "45%%d";
  ConvertOutsideCodes(text, ToFullWidth);
  EXPECT_EQ(text, "４５%%d");
}

TFormLayout MemoFormLayout() {
  TFormLayout form;
  form.ClassName = "TMemoHost";
  form.Caption = "memo";
  form.Client = {200, 150};
  form.Style = TFormStyle::SizeableToolWindow;
  form.Controls = {{"Memo1", TControlKind::Memo, "", {2, 2, 190, 140}, kAnchorLeft | kAnchorTop, 0}};
  return form;
}

class TMemoForm : public TForm {
 public:
  TMemoForm() : TForm(MemoFormLayout()), Memo1(*this, "Memo1") {}
  TMemo Memo1;
};

TEST(StringUtilsGetSelLineRange, LinesTheSelectionTouches) {
  InitApplication("Vorbel Ver.1.11a");
  const std::string three = "ab\r\ncd\r\nef";             // lines end at 2, 6 and 10
  const std::string japanese = "日本語\r\nテスト\r\nｶﾅ";  // lines end at 6, 14 and 18
  struct TCase {
    std::string text;
    size_t start;
    size_t length;
    bool result;
    int firstLine;
    int lastLine;
  };
  const TCase cases[] = {
      {three, 5, 0, false, 0, 0},  // a caret only
      {three, 0, 0, false, 0, 0},       {"", 0, 0, false, 0, 0},
      {three, 4, 1, true, 1, 1},         // inside a line
      {three, 0, 1, true, 0, 0},         // the first character of the memo
      {three, 0, 2, true, 0, 0},         // line 0 without its break
      {three, 0, 4, true, 0, 1},         // line 0 with its break ends at the start of line 1
      {three, 0, 8, true, 0, 2},         // from the start of line 0 to the start of line 2
      {three, 2, 3, true, 0, 1},         // starting at the end of line 0, before its break
      {three, 3, 2, true, 1, 1},         // starting inside the break of line 0
      {three, 4, 2, true, 1, 1},         // line 1 exactly
      {three, 4, 3, true, 1, 2},         // line 1 and half its break
      {three, 8, 2, true, 2, 2},         // the last line
      {three, 0, 10, true, 0, 2},        // everything, no final break
      {"a\r\nb\r\n", 0, 6, true, 0, 1},  // everything, with a final break
      {"a\r\n\r\n", 0, 5, true, 0, 0},   // a, an empty line, a final break
      {"a\r\nb\r\n", 4, 2, true, 1, 1},  // only the final break
      {"\r\n\r\n", 0, 4, true, 0, 0},    // empty lines only
      {japanese, 8, 6, true, 1, 1},      // テスト
      {japanese, 6, 2, true, 0, 1},      // the break behind 日本語
      {japanese, 2, 14, true, 0, 2},    {japanese, 16, 2, true, 2, 2},  // ｶﾅ
      {japanese, 0, 18, true, 0, 2},
  };
  TMemoForm form;
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" " << c.start << '+' << c.length);
    form.Memo1.SetText(c.text);
    form.Memo1.SetSel(c.start, c.length);
    ASSERT_EQ(form.Memo1.SelStart(), c.start);
    ASSERT_EQ(form.Memo1.SelLength(), c.length);
    int firstLine = -1;
    int lastLine = -1;
    EXPECT_EQ(GetSelLineRange(form.Memo1, firstLine, lastLine), c.result);
    EXPECT_EQ(firstLine, c.firstLine);
    EXPECT_EQ(lastLine, c.lastLine);
    EXPECT_EQ(form.Memo1.Text(), c.text);  // read only
    EXPECT_EQ(form.Memo1.SelStart(), c.start);
    EXPECT_EQ(form.Memo1.SelLength(), c.length);
  }
}

// A selection that starts between the CR and the LF of the final line break
// touches the last line only: it must not send the dialogs back to line 0.
TEST(StringUtilsGetSelLineRange, SelectionInsideTheFinalBreakBelongsToTheLastLine) {
  InitApplication("Vorbel Ver.1.11a");
  TMemoForm form;
  form.Memo1.SetText("a\r\nb\r\n");
  form.Memo1.SetSel(5, 1);
  if (form.Memo1.SelStart() != 5) GTEST_SKIP() << "the memo keeps no position inside a line break";
  int firstLine = -1;
  int lastLine = -1;
  EXPECT_TRUE(GetSelLineRange(form.Memo1, firstLine, lastLine));
  EXPECT_EQ(firstLine, 1);
  EXPECT_EQ(lastLine, 1);
}

TEST(StringUtilsLetterCase, SingleByteLettersOnly) {
  struct TCase {
    std::string text;
    std::string upper;
    std::string lower;
  };
  const TCase cases[] = {
      {"", "", ""},
      {"abcXYZ 0-9_@[`{", "ABCXYZ 0-9_@[`{", "abcxyz 0-9_@[`{"},
      {"a\r\nb", "A\r\nB", "a\r\nb"},
      // Double-byte characters keep both bytes, whatever their second one:
      // ア is 0x83 0x41 ("A"), ッ 0x83 0x62 ("b"), 表 0x95 0x5C, ポ 0x83 0x7C.
      {"ア", "ア", "ア"},
      {"ッ", "ッ", "ッ"},
      {"表a|ポb", "表A|ポB", "表a|ポb"},
      {"Ａｂカbc", "ＡｂカBC", "Ａｂカbc"},  // full-width letters stay
      {"ｶﾞｱx", "ｶﾞｱX", "ｶﾞｱx"},              // half-width katakana stay
      // A lead byte at the very end (a cut character) stays.
      {std::string("a") + "\x83", std::string("A") + "\x83", std::string("a") + "\x83"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::string upper = c.text;
    ToUpperSingleByte(upper);
    EXPECT_EQ(upper, c.upper);
    std::string lower = c.text;
    ToLowerSingleByte(lower);
    EXPECT_EQ(lower, c.lower);
  }
}

}  // namespace
}  // namespace vorbel
