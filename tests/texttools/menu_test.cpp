// The memo's pop-up menu on the main window of the headless backend: its
// items, their enabling, the conversions of the selection, and how each
// dialog command pre-fills and opens its dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/application.h"
#include "platform/headless/sim_screen.h"
#include "platform/ui_automation.h"
#include "support/temp_dir.h"
#include "texttools/char_check_form.h"
#include "texttools/form2.h"
#include "texttools/form3.h"
#include "texttools/form4.h"
#include "texttools/line_check_form.h"
#include "workflow/selection.h"

namespace vorbel {
namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication("Vorbel Ver.1.11a");
    TakeErrorBoxes();
    SetModalDriver(nullptr);
    sim::SetScreenSize(1024, 768);
    sim::SetScreenDpi(96);
    sim::SetProgramPath(dir_.File("vorbel.exe"));
    form_ = std::make_unique<TForm1>();
    form_->Show();
  }
  void TearDown() override {
    form_.reset();
    SetModalDriver(nullptr);
    TakeErrorBoxes();
    sim::SetProgramPath("");
  }

  void SetMemo(const std::string& text, size_t start, size_t length) {
    form_->Memo1.SetText(text);
    form_->Memo1.SetSel(start, length);
  }

  // Chooses `item` with `drive` run in the dialog it opens; the class names
  // of the dialogs opened.
  std::vector<std::string> Choose(const std::string& item, const std::function<void(TForm&)>& drive = {}) {
    std::vector<std::string> opened;
    SetModalDriver([&](TForm& dialog) {
      opened.push_back(dialog.Layout().ClassName);
      EXPECT_EQ(dialog.Bounds(), CentredOver(form_->Bounds(), TSize{dialog.Width(), dialog.Height()},
                                             TSize{ScreenWidth(), ScreenHeight()}));
      if (drive) drive(dialog);
    });
    if (item == "dblclick") {
      DoubleClick(form_->Memo1);
    } else {
      ChooseMenuItem(form_->Memo1, item);
    }
    SetModalDriver(nullptr);
    return opened;
  }

  TMemo& Memo() { return form_->Memo1; }

  test::TTempDir dir_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(MenuTest, ItemsInOrderAndEnabledOnlyWithASelection) {
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"N18", "すべてを選択"},
      {"N19", "-"},
      {"n1", "加算、減算"},
      {"N5", "先頭行が基準の連番に"},
      {"N6", "-"},
      {"Replace1", "置換"},
      {"N3", "-"},
      {"N8", "大文字に"},
      {"N11", "小文字に"},
      {"N12", "-"},
      {"N16", "全角に"},
      {"N17", "半角に"},
      {"N2", "-"},
      {"N4", "最終行に連番追加"},
      {"N20", "-"},
      {"CheckLines1", "重複・欠番を調べる"},
      {"CheckChars1", "機種依存文字を調べる"},
      {"ConfirmUpdate1", "更新前に確認"},
  };
  std::vector<std::pair<std::string, std::string>> items;
  for (const TMenuItem& item : form_->PopupMenu1.Items()) items.emplace_back(item.Name, item.Caption);
  EXPECT_EQ(items, expected);

  // With lines in the memo the checks are enabled too.
  const std::vector<std::string> always = {"N18", "N4", "CheckLines1", "CheckChars1", "ConfirmUpdate1"};
  for (const size_t selLength : {size_t{0}, size_t{1}}) {
    SetMemo("abc\r\ndef", 2, selLength);
    ChooseMenuItem(Memo(), "N19");  // opens the menu; a separator does nothing
    for (const TMenuItem& item : form_->PopupMenu1.Items()) {
      if (item.IsSeparator()) continue;
      const bool alwaysOn = std::find(always.begin(), always.end(), item.Name) != always.end();
      EXPECT_EQ(item.Enabled, alwaysOn || selLength != 0) << item.Name << " " << selLength;
    }
  }
  SetMemo("", 0, 0);
  ChooseMenuItem(Memo(), "N19");
  EXPECT_FALSE(form_->PopupMenu1.Item("CheckLines1").Enabled);
  EXPECT_FALSE(form_->PopupMenu1.Item("CheckChars1").Enabled);
  // A disabled item does nothing.
  SetMemo("a1", 1, 0);
  EXPECT_TRUE(Choose("n1").empty());
  EXPECT_TRUE(Choose("Replace1").empty());
  ChooseMenuItem(Memo(), "N18");
  EXPECT_EQ(Memo().SelStart(), 0u);
  EXPECT_EQ(Memo().SelLength(), 2u);
}

TEST_F(MenuTest, CaseAndWidthConvertTheSelectionOnly) {
  struct TCase {
    std::string text;
    size_t selStart, selLength;
    std::string item;
    std::string expected;
  };
  const TCase cases[] = {
      {"xaｂアbcz", 1, 7, "N8", "xAｂアBCz"},  // a full-width letter and katakana stay
      {"ｱｲabc", 0, 5, "N8", "ｱｲABC"},
      {"ソ表ポヂホa\r\nb", 0, 14, "N8", "ソ表ポヂホA\r\nB"},  // second bytes 0x5C, 0x7C, "a", "z" stay
      {"アイウ", 0, 6, "N11", "アイウ"},
      {"ＡＢAB\r\nCD", 0, 10, "N11", "ＡＢab\r\ncd"},
      {"アヂ", 0, 4, "N11", "アヂ"},  // second bytes 0x41 "A" and 0x61 "a"
      {"AB", 0, 2, "N16", "ＡＢ"},
      {"ＡＢＣ１２３", 0, 12, "N17", "ABC123"},
      {"x ab", 1, 3, "N16", "x　ａｂ"},
      // AutoCAD's codes stay as they are, also where the selection cuts one.
      {"45%%d", 0, 5, "N16", "４５%%d"},
      {"%%c1\\U+24a0b", 0, 12, "N8", "%%c1\\U+24a0B"},
      {"%%C%%%D\\M+18140", 0, 15, "N11", "%%C%%%d\\M+18140"},
      {"45%%d", 3, 2, "N16", "45%%d"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text + " " + c.item);
    SetMemo(c.text, c.selStart, c.selLength);
    ChooseMenuItem(Memo(), c.item);
    EXPECT_EQ(Memo().Text(), c.expected);
    EXPECT_EQ(Memo().SelLength(), 0u);
    EXPECT_EQ(Memo().SelStart(), c.expected.size() - (c.text.size() - c.selStart - c.selLength));
  }
  // Full width and back gives the letters again; the line counter follows.
  SetMemo("abc\r\nxyz", 0, 8);
  ChooseMenuItem(Memo(), "N16");
  EXPECT_EQ(Memo().Text(), "ａｂｃ\r\nｘｙｚ");
  ChooseMenuItem(Memo(), "N17");  // nothing selected any more: disabled
  EXPECT_EQ(Memo().Text(), "ａｂｃ\r\nｘｙｚ");
  ChooseMenuItem(Memo(), "N18");
  ChooseMenuItem(Memo(), "N17");
  EXPECT_EQ(Memo().Text(), "abc\r\nxyz");
  EXPECT_EQ(form_->Label3.Text(), "2");
}

TEST_F(MenuTest, AppendNumberedLinesPrefillsFromTheLastLine) {
  struct TCase {
    std::string text;
    std::string prefix, initial, suffix, step;
    std::string firstPreview;
    std::string kind = "数字";
  };
  const TCase cases[] = {
      {"No.099", "No.", "100", "", "1", "[No.100]"},
      {"x\r\nA-009B", "A-", "010", "B", "1", "[A-010B]"},
      {"0099", "", "0100", "", "1", "[0100]"},
      {"99", "", "100", "", "1", "[100]"},
      {"abc", "abc", "001", "", "1", "[abc001]"},
      {"a1b22", "a1b", "23", "", "1", "[a1b23]"},
      {"x5\r\n  \r\n\t", "x", "6", "", "1", "[x6]"},     // trailing blank lines are passed over
      {"x5\r\n　", "　", "001", "", "1", "[　001]"},     // a full-width space is no blank
      {"  \r\n   ", "   ", "001", "", "1", "[   001]"},  // all blank: the last line, untrimmed
      // The next value wraps around; the preview zero-fills to the width of its
      // text, the sign before the zeros.
      {"N2147483647", "N", "-2147483648", "", "1", "[N-02147483648]"},
      // The kind of the last item carries over.
      {"Y-1a", "Y-", "2", "a", "1", "[Y-2a]"},
      {"⑤", "", "⑥", "", "1", "[⑥]", "丸数字"},
      {"⑳", "", "21", "", "1", "[範囲外]", "丸数字"},
      {"Ｂ１２", "Ｂ", "１３", "", "1", "[Ｂ１３]", "全角数字"},
      {"通りC", "通り", "D", "", "1", "[通りD]", "英大文字"},
      {"AZ", "", "BA", "", "1", "[BA]", "英大文字"},
      {"は", "", "に", "", "1", "[に]", "いろは"},
      {"第三", "第", "四", "", "1", "[第四]", "漢数字"},
      {"Ⅱ", "", "Ⅲ", "", "1", "[Ⅲ]", "ローマ数字"},
      {"統一", "統一", "001", "", "1", "[統一001]"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    SetMemo(c.text, 0, 0);
    const auto opened = Choose("N4", [&](TForm& shown) {
      auto& dialog = static_cast<TForm2&>(shown);
      EXPECT_EQ(dialog.Edit1.Text(), c.prefix);
      EXPECT_EQ(dialog.Edit2.Text(), c.initial);
      EXPECT_EQ(dialog.Edit4.Text(), c.suffix);
      EXPECT_EQ(dialog.Edit5.Text(), c.step);
      EXPECT_EQ(dialog.Edit3.Text(), "15");
      EXPECT_EQ(dialog.Label8.Text(), c.firstPreview);
      EXPECT_EQ(dialog.ComboBox1.Text(), c.kind);
      EXPECT_TRUE(dialog.Button1.Focused());
    });
    EXPECT_EQ(opened, std::vector<std::string>{"TForm2"});
    EXPECT_EQ(Memo().Text(), c.text);  // closed without running
  }
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(MenuTest, AppendNumberedLinesRunsAndRefusesNumbersBeyond32Bits) {
  SetMemo("No.099\r\n", 0, 0);
  Choose("N4", [](TForm& shown) {
    auto& dialog = static_cast<TForm2&>(shown);
    dialog.Edit3.SetText("3");
    ClickControl(dialog.Button1);
  });
  EXPECT_EQ(Memo().Text(), "No.099\r\nNo.100\r\nNo.101\r\nNo.102\r\n");
  EXPECT_EQ(form_->Label3.Text(), "4");

  SetMemo("X2147483648", 0, 0);
  EXPECT_TRUE(Choose("N4").empty());
  const auto boxes = TakeErrorBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "'2147483648' は整数ではありません.");
  EXPECT_EQ(Memo().Text(), "X2147483648");

  SetMemo("", 0, 0);
  EXPECT_TRUE(Choose("N4").empty());
}

TEST_F(MenuTest, DoubleClickAppendsOnlyOnceTextsWereRead) {
  SetMemo("A1", 0, 0);
  EXPECT_TRUE(Choose("dblclick").empty());
  form_->Selection.TextEnts.push_back(TTextEnt{});
  EXPECT_EQ(Choose("dblclick"), std::vector<std::string>{"TForm2"});
}

TEST_F(MenuTest, AddAndRenumberOpenTheirDialogWithItsCaption) {
  struct TCase {
    std::string item;
    std::string text;
    size_t selStart, selLength;
    std::vector<std::string> captions;  // of the dialogs opened
    std::string expected;               // after "実行" with amount 1
    std::vector<std::string> boxes{};   // shown once the dialog has closed
  };
  const TCase cases[] = {
      {"n1", "a1\r\nb1", 0, 6, {"＋ｎ"}, "a2\r\nb2"},
      {"n1", "a1\r\nb1", 0, 0, {}, "a1\r\nb1"},  // disabled without a selection
      {"N5", "a1\r\nb1", 0, 6, {"連番"}, "a1\r\na2"},
      {"N5", "", 0, 0, {}, ""},
      // Results outside ①-⑳ leave their lines and are counted.
      {"n1",
       "⑳\r\n⑲\r\n⑳",
       0,
       10,
       {"＋ｎ"},
       "⑳\r\n⑳\r\n⑳",
       {"2 行は結果が丸数字（①～⑳）の範囲外のため変更できませんでした."}},
      {"N5",
       "⑲\r\nx\r\nx\r\nx",
       0,
       14,
       {"連番"},
       "⑲\r\n⑳\r\nx\r\nx",
       {"2 行は結果が丸数字（①～⑳）の範囲外のため変更できませんでした."}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.item + " " + c.text);
    SetMemo(c.text, c.selStart, c.selLength);
    std::vector<std::string> captions;
    Choose(c.item, [&](TForm& shown) {
      captions.push_back(shown.Caption());
      EXPECT_EQ(shown.Layout().ClassName, "TForm3");
      ClickControl(static_cast<TForm3&>(shown).Button1);
    });
    EXPECT_EQ(captions, c.captions);
    EXPECT_EQ(Memo().Text(), c.expected);
    std::vector<std::string> boxes;
    for (const TErrorBoxRecord& box : TakeErrorBoxes()) boxes.push_back(box.Text);
    EXPECT_EQ(boxes, c.boxes);
  }
  // Renumbering is offered even without a selection: the dialog then changes
  // nothing.
  SetMemo("a1\r\nb1", 1, 0);
  form_->N5Click();
  EXPECT_EQ(Memo().Text(), "a1\r\nb1");
}

TEST_F(MenuTest, ReplacePrefillsTheLineOfTheSelectionStart) {
  const std::string text = "l0\r\nl1\r\nline 2\r\nl3 x\r\nl4\r\nl5 x\r\n";
  struct TCase {
    size_t selStart, selLength;
    std::string line;
  };
  const TCase cases[] = {
      {0, 2, "l0"},    {2, 1, "l0"},      // at the end of line 0, before its break
      {3, 2, "l1"},                       // between CR and LF: past line 0's end
      {4, 1, "l1"},    {18, 12, "l3 x"},  // from line 3 into line 5
      {32, 0, "l5 x"},                    // behind the final break: the last line
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.selStart);
    SetMemo(text, c.selStart, c.selLength);
    bool shown = false;
    SetModalDriver([&](TForm& dialog) {
      shown = true;
      auto& form4 = static_cast<TForm4&>(dialog);
      EXPECT_EQ(form4.Edit1.Text(), c.line);
      EXPECT_EQ(form4.Edit2.Text(), c.line);
      EXPECT_TRUE(form4.Edit1.Focused());
      EXPECT_EQ(form4.Edit1.SelLength(), c.line.size());
    });
    form_->Replace1Click();
    SetModalDriver(nullptr);
    EXPECT_TRUE(shown);
  }
  // Run from the menu: " x" goes in the lines from the selection's start to
  // its end.
  SetMemo(text, 18, 12);
  Choose("Replace1", [](TForm& shown) {
    auto& dialog = static_cast<TForm4&>(shown);
    dialog.Edit1.SetText(" x");
    dialog.Edit2.SetText("!");
    ClickControl(dialog.Button1);
  });
  EXPECT_EQ(Memo().Text(), "l0\r\nl1\r\nline 2\r\nl3!\r\nl4\r\nl5!\r\n");

  SetMemo("", 0, 0);
  bool shown = false;
  SetModalDriver([&](TForm&) { shown = true; });
  form_->Replace1Click();
  EXPECT_FALSE(shown);
}

std::vector<std::string> Cells(const TListView& list, size_t column) {
  std::vector<std::string> cells;
  for (size_t row = 0; row < list.RowCount(); ++row) cells.push_back(list.CellText(row, column));
  return cells;
}

TEST_F(MenuTest, LineCheckReportFollowsTheMemo) {
  // The tool at the screen's right edge.
  form_->SetLeft(1024 - form_->Width());
  SetMemo("P-1\r\nP-3\r\nP-1\r\n", 0, 0);
  EXPECT_TRUE(Choose("CheckLines1").empty()) << "the report is no modal dialog";
  TLineCheckForm* report = form_->LineCheckForm();
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(report->Visible());
  // Beside the main window, not over its memo, and on the screen.
  const TRect main = form_->Bounds();
  const TRect beside = report->Bounds();
  EXPECT_TRUE(beside.Left + beside.Width <= main.Left || beside.Left >= main.Left + main.Width);
  EXPECT_GE(beside.Left, 0);
  EXPECT_LE(beside.Left + beside.Width, 1024);
  TListView& list = report->ListView1;
  EXPECT_EQ(Cells(list, 0), (std::vector<std::string>{"1", "3", "1", "3"}));
  EXPECT_EQ(list.CellText(0, 1), "重複: 「P-1」 1, 3 行目");
  EXPECT_EQ(list.CellText(2, 1), "欠番: P-2 がありません");

  // A double click selects the entry's line in the memo.
  DoubleClickListRow(list, 1);
  EXPECT_EQ(Memo().SelStart(), 10u);
  EXPECT_EQ(Memo().SelLength(), 3u);

  // The memo changes: until the report is new, an entry does nothing.
  Memo().SetText("P-2\r\nP-3\r\nP-1\r\n");
  EXPECT_TRUE(report->Timer1.Enabled());
  Memo().SetSel(0, 0);
  DoubleClickListRow(list, 1);
  EXPECT_EQ(Memo().SelLength(), 0u) << "line 3 no longer holds P-1 twice";
  EXPECT_EQ(Cells(list, 1),
            (std::vector<std::string>{"順序: P-1 (3 行目) は前の P-3 (2 行目) より小さい番号です"}));
  // Typing has it worked out again once the memo rests.
  Memo().SetText("A\r\nA\r\n");
  EXPECT_EQ(list.RowCount(), 1u);
  TickTimer(report->Timer1);
  EXPECT_EQ(Cells(list, 0), (std::vector<std::string>{"1", "2"}));
  EXPECT_FALSE(report->Timer1.Enabled());

  // Closed, it no longer follows; opened again, it is new.
  ClickControl(report->Button1);
  EXPECT_FALSE(report->Visible());
  Memo().SetText("B\r\nB\r\nB\r\n");
  EXPECT_FALSE(report->Timer1.Enabled());
  Choose("CheckLines1");
  EXPECT_EQ(form_->LineCheckForm(), report);
  EXPECT_TRUE(report->Visible());
  EXPECT_EQ(Cells(list, 0), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(MenuTest, CharCheckReadsTheTextsOwnBytesAndReplacesInOneStep) {
  // Listed texts: ≒ of NEC row 13 (which the memo shows as the JIS ≒), kana
  // and ①, an IBM kanji, a plain line, an AutoCAD code; then a typed line.
  TSelection& s = form_->Selection;
  const std::vector<std::string> texts = {"\x87\x90", "ｺﾝｸﾘｰﾄ①", "\xFB\xFC", "普通", "\\U+2460"};
  for (size_t i = 0; i < texts.size(); ++i) {
    TTextEnt ent;
    ent.Index = static_cast<int32_t>(i);
    ent.Text = texts[i];
    s.TextEnts.push_back(ent);
  }
  Memo().SetText("\x87\x90\r\nｺﾝｸﾘｰﾄ①\r\n\xFB\xFC\r\n普通\r\n\\U+2460\r\n㎡\r\n");
  ASSERT_EQ(Memo().Line(0), "\x81\xE0") << "the memo shows the JIS twin";
  RememberShown(s, Memo().Lines());
  s.Listed = true;

  std::vector<std::string> before;
  std::vector<std::string> after;
  bool replaceEnabled = true;
  const std::vector<std::string> opened = Choose("CheckChars1", [&](TForm& shown) {
    auto& dialog = static_cast<TCharCheckForm&>(shown);
    for (size_t row = 0; row < dialog.ListView1.RowCount(); ++row) {
      before.push_back(dialog.ListView1.CellText(row, 0) + " " + dialog.ListView1.CellText(row, 1) + " " +
                       dialog.ListView1.CellText(row, 2));
    }
    ClickControl(dialog.Button1);
    for (size_t row = 0; row < dialog.ListView1.RowCount(); ++row) {
      after.push_back(dialog.ListView1.CellText(row, 0) + " " + dialog.ListView1.CellText(row, 1));
    }
    replaceEnabled = dialog.Button1.Enabled();
  });
  EXPECT_EQ(opened, (std::vector<std::string>{"TCharCheckForm"}));
  // The list shows ≒ of NEC row 13 as the window can: as ≒.
  EXPECT_EQ(before, (std::vector<std::string>{"1 \x81\xE0 \x81\xE0", "2 ｺﾝｸﾘｰﾄ コンクリート", "2 ① (1)",
                                              "3 \xFB\xFC (なし)", "6 ㎡ m2"}));
  EXPECT_EQ(after, (std::vector<std::string>{"3 \xFB\xFC"}));
  EXPECT_FALSE(replaceEnabled);
  EXPECT_EQ(Memo().Text(), "\x81\xE0\r\nコンクリート(1)\r\n\xFB\xFC\r\n普通\r\n\\U+2460\r\nm2\r\n");
  // What goes back to the drawing: the replaced ≒ as the JIS code although
  // the memo shows it as before; the untouched lines with their own bytes.
  std::vector<std::string> written = Memo().Lines();
  KeepUntouchedBytes(s, written);
  EXPECT_EQ(written,
            (std::vector<std::string>{"\x81\xE0", "コンクリート(1)", "\xFB\xFC", "普通", "\\U+2460", "m2"}));
}

}  // namespace
}  // namespace vorbel
