// The controls' contract: what the program may rely on of every control,
// checked on whichever backend the build has (headless natively, Win32
// under Wine), so that the two behave alike.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/ui_automation.h"

namespace vorbel {
namespace {

TFormLayout TestFormLayout() {
  TFormLayout form;
  form.ClassName = "TContractForm";
  form.Caption = "契約";
  form.Client = {200, 150};
  form.Style = TFormStyle::SizeableToolWindow;
  form.Controls = {
      {"Memo1",
       TControlKind::Memo,
       "",
       {2, 2, 150, 60},
       kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
       0,
       "",
       kFixedFont,
       kScrollBars},
      {"Edit1", TControlKind::Edit, "0", {2, 70, 60, 20}, kAnchorLeft | kAnchorTop, 1, "", {}, kImeClosed},
      {"Edit2", TControlKind::Edit, "", {70, 70, 60, 20}, kAnchorTop | kAnchorRight, 2, "", {}, 0},
      {"Check1",
       TControlKind::CheckBox,
       "座標順",
       {2, 95, 80, 17},
       kAnchorLeft | kAnchorBottom,
       3,
       "",
       {},
       0},
      {"Button1",
       TControlKind::Button,
       "終了",
       {100, 95, 50, 23},
       kAnchorRight | kAnchorBottom,
       4,
       "",
       {},
       0},
      {"Label1",
       TControlKind::Label,
       "0",
       {2, 125, 8, 13},
       kAnchorLeft | kAnchorBottom,
       -1,
       "",
       kBoldFont,
       0},
  };
  return form;
}

class TTestForm : public TForm {
 public:
  TTestForm()
      : TForm(TestFormLayout()),
        Memo1(*this, "Memo1"),
        Edit1(*this, "Edit1"),
        Edit2(*this, "Edit2"),
        Check1(*this, "Check1"),
        Button1(*this, "Button1"),
        Label1(*this, "Label1"),
        Timer1(*this, 50) {}
  TMemo Memo1;
  TEdit Edit1;
  TEdit Edit2;
  TCheckBox Check1;
  TButton Button1;
  TLabel Label1;
  TTimer Timer1;
};

// A dialog laid out like the program's: buttons, a radio group of two
// columns, group boxes with an edit and a check box in them.
TFormLayout TestDialogLayout() {
  TFormLayout form;
  form.ClassName = "TContractDialog";
  form.Caption = "＋ｎ";
  form.Client = {129, 161};
  form.Style = TFormStyle::ToolDialog;
  TControlLayout radio{"RadioGroup1", TControlKind::RadioGroup, "対象数値", {0, 2, 127, 35}};
  radio.TabOrder = 1;
  radio.Items = {"最初", "最後"};
  radio.Columns = 2;
  radio.ItemIndex = 1;
  form.Controls = {
      {"Button1", TControlKind::Button, "実行", {14, 130, 49, 25}, kAnchorLeft | kAnchorTop, 0},
      radio,
      {"GroupBox1", TControlKind::GroupBox, "加算数", {0, 82, 127, 39}, kAnchorLeft | kAnchorTop, 2},
      {"Edit1",
       TControlKind::Edit,
       "1",
       {16, 14, 89, 20},
       kAnchorLeft | kAnchorTop,
       0,
       "GroupBox1",
       {},
       kImeClosed},
      {"Button2", TControlKind::Button, "ｷｬﾝｾﾙ", {68, 130, 51, 25}, kAnchorLeft | kAnchorTop, 3},
      {"GroupBox2", TControlKind::GroupBox, "桁合わせ", {0, 40, 127, 37}, kAnchorLeft | kAnchorTop, 4},
      {"CheckBox1",
       TControlKind::CheckBox,
       "前に 0 を追加",
       {14, 14, 95, 17},
       kAnchorLeft | kAnchorTop,
       0,
       "GroupBox2",
       {},
       kChecked},
  };
  return form;
}

class TTestDialog : public TForm {
 public:
  TTestDialog()
      : TForm(TestDialogLayout()),
        Button1(*this, "Button1"),
        RadioGroup1(*this, "RadioGroup1"),
        GroupBox1(*this, "GroupBox1"),
        Edit1(*this, "Edit1"),
        Button2(*this, "Button2"),
        GroupBox2(*this, "GroupBox2"),
        CheckBox1(*this, "CheckBox1") {}
  TButton Button1;
  TRadioGroup RadioGroup1;
  TGroupBox GroupBox1;
  TEdit Edit1;
  TButton Button2;
  TGroupBox GroupBox2;
  TCheckBox CheckBox1;
};

// A dialog with a drop-down list between an edit and a button.
TFormLayout ComboDialogLayout() {
  TFormLayout form;
  form.ClassName = "TContractCombo";
  form.Caption = "連番作成";
  form.Client = {176, 80};
  form.Style = TFormStyle::ToolDialog;
  TControlLayout combo{"ComboBox1", TControlKind::ComboBox, "", {62, 30, 105, 20}};
  combo.TabOrder = 1;
  combo.Items = {"数字", "丸数字", "いろは"};
  combo.ItemIndex = 0;
  form.Controls = {
      {"Edit1", TControlKind::Edit, "001", {8, 4, 51, 20}, kAnchorLeft | kAnchorTop, 0, "", {}, kImeClosed},
      combo,
      {"Button1", TControlKind::Button, "実行", {30, 54, 57, 25}, kAnchorLeft | kAnchorTop, 2},
  };
  return form;
}

class TComboDialog : public TForm {
 public:
  TComboDialog()
      : TForm(ComboDialogLayout()),
        Edit1(*this, "Edit1"),
        ComboBox1(*this, "ComboBox1"),
        Button1(*this, "Button1") {}
  TEdit Edit1;
  TComboBox ComboBox1;
  TButton Button1;
};

// A sizeable window with a list of two columns and a button, shown modal or
// modeless.
TFormLayout ListFormLayout() {
  TFormLayout form;
  form.ClassName = "TContractList";
  form.Caption = "一覧";
  form.Client = {300, 200};
  form.Style = TFormStyle::SizeableDialog;
  TControlLayout list{"ListView1", TControlKind::ListView, "", {4, 4, 292, 160}};
  list.Anchors = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
  list.TabOrder = 0;
  list.ListColumns = {{"行", 50}, {"文字列", 200}};
  form.Controls = {
      list,
      {"Button1", TControlKind::Button, "閉じる", {220, 170, 75, 25}, kAnchorRight | kAnchorBottom, 1},
      {"Label1",
       TControlKind::Label,
       "長い説明の文がラベルの幅で折り返されます",
       {4, 166, 100, 30},
       kAnchorLeft | kAnchorBottom,
       -1,
       "",
       {},
       kWordWrap},
  };
  form.CancelButton = "Button1";
  return form;
}

class TListForm : public TForm {
 public:
  TListForm()
      : TForm(ListFormLayout()),
        ListView1(*this, "ListView1"),
        Button1(*this, "Button1"),
        Label1(*this, "Label1") {}
  TListView ListView1;
  TButton Button1;
  TLabel Label1;
};

class ControlsContract : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication("Vorbel Ver.1.11a");
    RecordErrorBoxes(true);
    TakeErrorBoxes();
    SetModalDriver(nullptr);
  }
  void TearDown() override {
    SetModalDriver(nullptr);
    TakeErrorBoxes();
  }
};

TEST_F(ControlsContract, MemoLinesCountWithoutTheEmptyLineAfterAFinalBreak) {
  struct TCase {
    std::string text;
    std::vector<std::string> lines;
    std::string held = "";  // the text the memo then holds, when not `text`
  };
  const TCase cases[] = {
      {"", {}},
      {"abc", {"abc"}},
      {"abc\r\n", {"abc"}},
      {"abc\r\n\r\n", {"abc", ""}},
      {"\r\n", {""}},
      {"日本\r\n語", {"日本", "語"}},
      {"表示\r\n\r\n  \r\nｶﾅ", {"表示", "", "  ", "ｶﾅ"}},
      {"a\tb\r\n　", {"a\tb", "　"}},
      {"a\nb\rc\r\nd\r", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},  // a lone LF or CR becomes CR LF
  };
  TTestForm form;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    form.Memo1.SetText(c.text);
    EXPECT_EQ(form.Memo1.Text(), c.held.empty() ? c.text : c.held);
    EXPECT_EQ(form.Memo1.LineCount(), c.lines.size());
    EXPECT_EQ(form.Memo1.Lines(), c.lines);
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(form.Memo1.Line(i), c.lines[i]);
    EXPECT_EQ(form.Memo1.Line(c.lines.size()), "");
  }
}

TEST_F(ControlsContract, EditsHoldTheirTextAsUtf16ReadsBack) {
  // Through UTF-16 and back, duplicate codes come back as the one Windows
  // writes, and codes the code page lacks and broken characters as ・.
  struct TCase {
    std::string text;
    std::string held;
  };
  const TCase cases[] = {
      {"No.1 図面 ｶﾅ ＝", "No.1 図面 ｶﾅ ＝"},
      {"\x87\x90\x87\x9A", "\x81\xE0\x81\xE6"},    // ≒ ∵ of NEC row 13 as their JIS codes
      {"\xED\x40\xFA\x4A", "\xFA\x5C\x87\x54"},    // 纊 Ⅰ as the IBM extension and NEC row 13 codes
      {"a\x85\x40z", "a\x81\x45z"},                // a code the code page lacks
      {"a\x81\x20z", "a\x81\x45z"},                // a lead byte and a byte outside the trail range
      {"end\x81", "end\x81\x45"},                  // a lead byte at the end
      {"cut\x81\r\nnext", "cut\x81\x45\r\nnext"},  // at the end of a line: the line break stays
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.held);
    TTestForm form;
    int changes = 0;
    form.Memo1.OnChange = [&] { ++changes; };
    form.Memo1.SetText(c.text);
    form.Memo1.SetText(c.text);
    EXPECT_EQ(form.Memo1.Text(), c.held);
    form.Memo1.SelectAll();
    form.Memo1.ReplaceSelection(c.text);
    EXPECT_EQ(changes, 1);  // the same text each time
    form.Memo1.SetText("");
    form.Memo1.AddLines({c.text, "次"});
    EXPECT_EQ(form.Memo1.Text(), c.held + "\r\n次\r\n");
    EXPECT_EQ(form.Memo1.LineCount(), form.Memo1.Lines().size());
    EXPECT_EQ(form.Memo1.Line(form.Memo1.LineCount() - 1), "次");
    if (c.text.find('\n') != std::string::npos) continue;
    form.Edit2.SetText(c.text);
    EXPECT_EQ(form.Edit2.Text(), c.held);
    form.Memo1.SetText("");
    TypeText(form.Memo1, c.text);
    EXPECT_EQ(form.Memo1.Text(), c.held);
  }
}

TEST_F(ControlsContract, SelectionCountsBytesOfJapaneseText) {
  // 日本語 is 6 bytes, then abc, CR LF, テスト (6 bytes).
  const std::string text = "日本語abc\r\nテスト";
  struct TCase {
    size_t start;
    size_t length;
    size_t selStart;
    size_t selLength;
    std::string selText;
  };
  const TCase cases[] = {
      {0, 0, 0, 0, ""},
      {2, 4, 2, 4, "本語"},
      {6, 3, 6, 3, "abc"},
      {9, 2, 9, 2, "\r\n"},
      {11, 6, 11, 6, "テスト"},
      {3, 2, 2, 2, "本"},  // both ends inside a character move back to its start
      {4, 100, 4, 13, "語abc\r\nテスト"},
      {0, text.size(), 0, text.size(), text},
      {40, 5, text.size(), 0, ""},
  };
  TTestForm form;
  form.Memo1.SetText(text);
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + "+" + std::to_string(c.length));
    form.Memo1.SetSel(c.start, c.length);
    EXPECT_EQ(form.Memo1.SelStart(), c.selStart);
    EXPECT_EQ(form.Memo1.SelLength(), c.selLength);
    EXPECT_EQ(form.Memo1.SelText(), c.selText);
  }
  form.Memo1.SelectAll();
  EXPECT_EQ(form.Memo1.SelStart(), 0u);
  EXPECT_EQ(form.Memo1.SelLength(), text.size());
}

TEST_F(ControlsContract, ReplacingTheSelectionLeavesTheCaretBehindTheNewText) {
  struct TCase {
    std::string text;
    size_t start;
    size_t length;
    std::string insert;
    std::string result;
    size_t caret;
    int changes;
  };
  const TCase cases[] = {
      {"No.01\r\nNo.02", 7, 5, "番号03", "No.01\r\n番号03", 13, 1},
      {"日本語", 2, 2, "", "日語", 2, 1},
      {"abc", 0, 0, "全", "全abc", 2, 1},
      {"abc", 1, 1, "b", "abc", 2, 0},  // the same text: no change
      {"", 0, 0, "", "", 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text + " <- " + c.insert);
    TTestForm form;
    form.Memo1.SetText(c.text);
    int changes = 0;
    form.Memo1.OnChange = [&] { ++changes; };
    form.Memo1.SetSel(c.start, c.length);
    form.Memo1.ReplaceSelection(c.insert);
    EXPECT_EQ(form.Memo1.Text(), c.result);
    EXPECT_EQ(form.Memo1.SelStart(), c.caret);
    EXPECT_EQ(form.Memo1.SelLength(), 0u);
    EXPECT_EQ(changes, c.changes);
  }
}

TEST_F(ControlsContract, AddLineAppendsAsALineOfItsOwn) {
  struct TCase {
    std::string text;
    std::string line;
    std::string result;
  };
  const TCase cases[] = {
      {"", "001", "001\r\n"},
      {"001\r\n", "002", "001\r\n002\r\n"},
      {"001", "002", "001\r\n002"},
      {"a\r\n\r\n", "b", "a\r\n\r\nb\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text + " + " + c.line);
    TTestForm form;
    form.Memo1.SetText(c.text);
    int changes = 0;
    form.Memo1.OnChange = [&] { ++changes; };
    form.Memo1.AddLine(c.line);
    EXPECT_EQ(form.Memo1.Text(), c.result);
    EXPECT_EQ(changes, 1);
    // Many lines at once give what adding them one by one gives, with one
    // change.
    TTestForm other;
    other.Memo1.SetText(c.text);
    other.Memo1.OnChange = [&] { ++changes; };
    form.Memo1.AddLine("次");
    form.Memo1.AddLine("");
    other.Memo1.AddLines({c.line, "次", ""});
    EXPECT_EQ(other.Memo1.Text(), form.Memo1.Text());
    EXPECT_EQ(other.Memo1.SelStart(), other.Memo1.Text().size());
    EXPECT_EQ(changes, 4);
    other.Memo1.AddLines({});
    EXPECT_EQ(changes, 4);
  }
}

TEST_F(ControlsContract, ChangeAndClickEventsComeOnlyWithRealChanges) {
  TTestForm form;
  int memoChanges = 0;
  int editChanges = 0;
  int checkClicks = 0;
  form.Memo1.OnChange = [&] { ++memoChanges; };
  form.Edit1.OnChange = [&] { ++editChanges; };
  form.Check1.OnClick = [&] { ++checkClicks; };
  struct TStep {
    const char* what;
    std::function<void()> action;
    int memo;
    int edit;
    int check;
  };
  const TStep steps[] = {
      {"memo text", [&] { form.Memo1.SetText("一行目\r\n"); }, 1, 0, 0},
      {"same memo text", [&] { form.Memo1.SetText("一行目\r\n"); }, 1, 0, 0},
      {"memo clear", [&] { form.Memo1.Clear(); }, 2, 0, 0},
      {"clear again", [&] { form.Memo1.Clear(); }, 2, 0, 0},
      {"edit same text", [&] { form.Edit1.SetText("0"); }, 2, 0, 0},
      {"edit new text", [&] { form.Edit1.SetText("12.5"); }, 2, 1, 0},
      {"check by program", [&] { form.Check1.SetChecked(true); }, 2, 1, 1},
      {"check unchanged", [&] { form.Check1.SetChecked(true); }, 2, 1, 1},
      {"check by click", [&] { ClickControl(form.Check1); }, 2, 1, 2},
      {"typing", [&] { TypeKey(form.Memo1, 'x'); }, 3, 1, 2},
      {"label text", [&] { form.Label1.SetText("12"); }, 3, 1, 2},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.what);
    step.action();
    EXPECT_EQ(memoChanges, step.memo);
    EXPECT_EQ(editChanges, step.edit);
    EXPECT_EQ(checkClicks, step.check);
  }
  EXPECT_FALSE(form.Check1.Checked());
  EXPECT_EQ(form.Label1.Text(), "12");
}

// Ctrl+Z in an edit takes back the one step it keeps, and a second Ctrl+Z
// brings it again, as Windows' edit control does: typing makes a step,
// the program's change a step of its own or none at all.
TEST_F(ControlsContract, CtrlZTakesBackTheStepTheEditKeeps) {
  constexpr unsigned kCtrlZ = 26;
  struct TCase {
    const char* name;
    std::function<void(TTestForm&)> change;
    std::string changed;  // the memo after the change
    std::string undone;   // after Ctrl+Z; a second one gives `changed` again
  };
  const std::vector<TCase> cases = {
      {"typed", [](TTestForm& f) { TypeText(f.Memo1, "ab\r漢"); }, "ab\r\n漢", ""},
      {"a step of its own after typing",
       [](TTestForm& f) {
         TypeText(f.Memo1, "ab-1");
         f.Memo1.SetSel(0, 2);
         f.Memo1.ReplaceSelection("ＡＢ", TUndo::NewStep);
       },
       "ＡＢ-1", "ab-1"},
      {"appended lines as one step",
       [](TTestForm& f) {
         f.Memo1.SetText("1\r\n");
         f.Memo1.AddLines({"2", "3"}, TUndo::NewStep);
         f.Memo1.AddLines({"4"}, TUndo::SameStep);
       },
       "1\r\n2\r\n3\r\n4\r\n", "1\r\n"},
      {"typing that continues a step",
       [](TTestForm& f) {
         f.Memo1.SetText("a");
         f.Memo1.SetSel(1, 0);
         f.Memo1.ReplaceSelection("b", TUndo::NewStep);
         TypeText(f.Memo1, "c");
       },
       "abc", "a"},
      {"backspaces after typing",
       [](TTestForm& f) {
         f.Memo1.SetText("xyz");
         f.Memo1.SetSel(3, 0);
         TypeKey(f.Memo1, 8);
         TypeKey(f.Memo1, 8);
       },
       "x", "xyz"},
      {"a change without a step after one",
       [](TTestForm& f) {
         f.Memo1.ReplaceSelection("a", TUndo::NewStep);
         f.Memo1.AddLines({"listed"});
       },
       "a\r\nlisted", "a\r\nlisted"},
      {"the text set after a step",
       [](TTestForm& f) {
         TypeText(f.Memo1, "typed");
         f.Memo1.SetText("set");
       },
       "set", "set"},
      {"cleared when already empty",
       [](TTestForm& f) {
         TypeText(f.Memo1, "a");
         TypeKey(f.Memo1, 8);
         f.Memo1.Clear();
       },
       "", ""},
  };
  TTestForm form;
  form.Show();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    form.Memo1.OnChange = nullptr;
    form.Memo1.Clear();
    c.change(form);
    ASSERT_EQ(form.Memo1.Text(), c.changed);
    int changes = 0;
    form.Memo1.OnChange = [&] { ++changes; };
    TypeKey(form.Memo1, kCtrlZ);
    EXPECT_EQ(form.Memo1.Text(), c.undone);
    TypeKey(form.Memo1, kCtrlZ);
    EXPECT_EQ(form.Memo1.Text(), c.changed);
    EXPECT_EQ(changes, c.undone != c.changed ? 2 : 0);
  }
  // A single-line edit keeps its step too.
  form.Edit2.SetText("");
  TypeText(form.Edit2, "12");
  TypeKey(form.Edit2, kCtrlZ);
  EXPECT_EQ(form.Edit2.Text(), "");
}

TEST_F(ControlsContract, SettingTheTextPutsTheCaretAtTheStart) {
  TTestForm form;
  form.Memo1.SetText("abc");
  form.Memo1.SetSel(1, 2);
  form.Memo1.SetText("漢字");
  EXPECT_EQ(form.Memo1.SelStart(), 0u);
  EXPECT_EQ(form.Memo1.SelLength(), 0u);
}

TEST_F(ControlsContract, ErrorBoxAppendsAPointByTheLastCharacter) {
  struct TCase {
    std::string message;
    std::string shown;
  };
  const TCase cases[] = {
      {"'abc' は整数ではありません", "'abc' は整数ではありません."},
      {"disk full", "disk full."},
      {"done.", "done."},
      {"what!", "what!"},   // "!" sorts below "."
      {"a-", "a-"},         // "-" too
      {"path/", "path/."},  // "/" sorts above "."
      {"trailing ", "trailing "},
      {"ｶﾅ", "ｶﾅ."},          // half-width katakana are single bytes above "."
      {"全角　", "全角　."},  // a double-byte character, whatever its second byte
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ErrorBoxText(c.message), c.shown);
  }
}

TEST_F(ControlsContract, TheQuestionBoxGivesTheAnswerAndGoesOnWithTheHandler) {
  TTestForm form;
  std::vector<bool> answers;
  form.Button1.OnClick = [&] {
    answers.push_back(AskYesNo("図形を描き直しますか?", false));
    answers.push_back(AskYesNo("続けますか?", true));
  };
  for (const bool yes : {true, false}) {
    AnswerQuestions(yes);
    ClickControl(form.Button1);
  }
  StopAnsweringQuestions();
  EXPECT_EQ(answers, (std::vector<bool>{true, true, false, false}));
  const auto questions = TakeQuestions();
  ASSERT_EQ(questions.size(), 4u);
  EXPECT_EQ(questions[0].Caption, "Vorbel Ver.1.11a");
  EXPECT_EQ(questions[0].Text, "図形を描き直しますか?");  // no point appended
  EXPECT_FALSE(questions[0].YesIsDefault);
  EXPECT_EQ(questions[3].Text, "続けますか?");
  EXPECT_TRUE(questions[3].YesIsDefault);
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(ControlsContract, AnExceptionInAHandlerEndsInTheErrorBoxAndGoesNoFurther) {
  TTestForm form;
  bool after = false;
  form.Button1.OnClick = [&] {
    form.Edit1.SetText("1");
    throw std::runtime_error("'x' は整数ではありません");
  };
  form.Edit2.OnChange = [] { throw std::runtime_error("changed"); };
  ClickControl(form.Button1);
  form.Edit2.SetText("y");  // the change handler fails inside the program's own call
  after = true;
  const auto boxes = TakeErrorBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Caption, "Vorbel Ver.1.11a");
  EXPECT_EQ(boxes[0].Text, "'x' は整数ではありません.");
  EXPECT_EQ(boxes[1].Text, "changed.");
  EXPECT_EQ(form.Edit1.Text(), "1");  // state changed before the failure stays
  EXPECT_EQ(form.Edit2.Text(), "y");
  EXPECT_TRUE(after);
}

TEST_F(ControlsContract, KeyFilterAndEnterInAnEdit) {
  TTestForm form;
  form.Show();
  // A filter like the number fields': digits, Backspace and Enter pass;
  // Enter moves the focus on.
  form.Edit1.OnKeyPress = [&](unsigned& key) {
    if (key == 13) {
      key = 0;
      form.Edit2.SetFocus();
    } else if (!(key >= '0' && key <= '9') && key != 8) {
      key = 0;
    }
  };
  int changes = 0;
  form.Edit1.OnChange = [&] { ++changes; };
  form.Edit1.SetText("");
  changes = 0;
  form.Edit1.SetFocus();
  TypeText(form.Edit1, "1a-2 ３");
  EXPECT_EQ(form.Edit1.Text(), "12");
  EXPECT_EQ(changes, 2);
  TypeKey(form.Edit1, 8);
  EXPECT_EQ(form.Edit1.Text(), "1");
  TypeKey(form.Edit1, 13);
  EXPECT_EQ(form.Edit1.Text(), "1");
  EXPECT_TRUE(form.Edit2.Focused());

  // Without a handler Enter is swallowed all the same; other characters,
  // double-byte ones included, go in.
  form.Edit2.SetText("");
  TypeText(form.Edit2, "ab漢\r");
  EXPECT_EQ(form.Edit2.Text(), "ab漢");
  TypeKey(form.Edit2, 8);
  EXPECT_EQ(form.Edit2.Text(), "ab");

  // In the memo Enter makes a new line and Backspace takes the line break
  // back as one.
  form.Memo1.SetText("");
  TypeText(form.Memo1, "行\r");
  EXPECT_EQ(form.Memo1.Text(), "行\r\n");
  TypeKey(form.Memo1, 8);
  EXPECT_EQ(form.Memo1.Text(), "行");
}

TEST_F(ControlsContract, AnEditFocusedOtherThanByTheMouseSelectsItsText) {
  TTestForm form;
  form.Show();
  form.Edit1.SetText("123");
  form.Edit1.SetSel(1, 0);
  form.Memo1.SetFocus();
  ClickControl(form.Edit1);
  EXPECT_TRUE(form.Edit1.Focused());
  EXPECT_EQ(form.Edit1.SelLength(), 0u);
  form.Memo1.SetFocus();
  form.Edit1.SetFocus();
  EXPECT_EQ(form.Edit1.SelStart(), 0u);
  EXPECT_EQ(form.Edit1.SelLength(), 3u);
}

TEST_F(ControlsContract, TheFirstControlInTabOrderTakesTheFocus) {
  TTestForm form;
  form.Show();
  EXPECT_TRUE(form.Memo1.Focused());
  EXPECT_EQ(form.NextInTabOrder(form.Memo1), &form.Edit1);
  form.Check1.SetEnabled(false);
  EXPECT_EQ(form.NextInTabOrder(form.Edit2), &form.Button1);
  EXPECT_EQ(form.NextInTabOrder(form.Button1), &form.Memo1);
}

TEST_F(ControlsContract, DialogTabOrderRunsThroughItsGroupBoxes) {
  TTestForm owner;
  TTestDialog dialog;
  const std::vector<TControl*> expected = {&dialog.Button1, &dialog.RadioGroup1, &dialog.Edit1,
                                           &dialog.Button2, &dialog.CheckBox1};
  EXPECT_EQ(dialog.TabSequence(), expected);
  EXPECT_EQ(dialog.RadioGroup1.ItemIndex(), 1);
  EXPECT_TRUE(dialog.CheckBox1.Checked());
  EXPECT_EQ(dialog.Edit1.Bounds().Left, owner.Scale(16));
  EXPECT_EQ(dialog.Edit1.Bounds().Top, owner.Scale(96));
}

TEST_F(ControlsContract, ModalDialogCentredOverTheMainFormWithFocusOnItsFirstControl) {
  TTestForm owner;
  owner.SetBounds({300, 200, owner.Width(), owner.Height()});
  owner.Show();
  TTestDialog dialog;
  int runs = 0;
  int radioClicks = 0;
  dialog.RadioGroup1.OnClick = [&] { ++radioClicks; };
  dialog.Button1.OnClick = [&] {
    ++runs;
    dialog.Close();
  };
  bool driven = false;
  SetModalDriver([&](TForm& shown) {
    driven = true;
    EXPECT_EQ(&shown, &dialog);
    EXPECT_TRUE(dialog.Modal());
    const TRect expected = CentredOver(owner.Bounds(), TSize{dialog.Width(), dialog.Height()},
                                       TSize{ScreenWidth(), ScreenHeight()});
    EXPECT_EQ(dialog.Bounds(), expected);
    EXPECT_TRUE(dialog.Button1.Focused());
    PressEscape(dialog);  // Escape does not close a dialog
    EXPECT_FALSE(dialog.Closed());
    ClickRadioItem(dialog.RadioGroup1, 0);
    EXPECT_EQ(dialog.RadioGroup1.ItemIndex(), 0);
    dialog.Button2.SetFocus();
    EXPECT_TRUE(dialog.Button2.Focused());
    dialog.Button1.SetFocus();
    PressEnter(dialog);  // Enter on a focused button presses it
  });
  dialog.ShowModal();
  EXPECT_TRUE(driven);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(radioClicks, 1);
  EXPECT_TRUE(dialog.Closed());
  EXPECT_FALSE(dialog.Modal());
}

TEST_F(ControlsContract, DropDownListChoosesOneOfItsItems) {
  TTestForm owner;
  owner.Show();
  TComboDialog dialog;
  TComboBox& box = dialog.ComboBox1;
  std::vector<std::string> changes;  // the text at each change event
  box.OnChange = [&] { changes.push_back(box.Text()); };
  EXPECT_EQ(box.ItemCount(), 3u);
  EXPECT_EQ(box.ItemIndex(), 0);
  EXPECT_EQ(box.Text(), "数字");
  const std::vector<TControl*> tabs = {&dialog.Edit1, &box, &dialog.Button1};
  EXPECT_EQ(dialog.TabSequence(), tabs);
  // Closed, the list is as high as its font makes it on Windows: about its
  // layout row.
  const TRect bounds = box.Bounds();
  EXPECT_EQ((TRect{bounds.Left, bounds.Top, bounds.Width, 0}),
            (TRect{owner.Scale(62), owner.Scale(30), owner.Scale(105), 0}));
  EXPECT_NEAR(bounds.Height, owner.Scale(20), owner.Scale(4));
  // The program's changes: an event for a new selection only.
  box.SetItemIndex(0);
  box.SetItemIndex(2);
  box.SetText("丸数字");
  box.SetText("丸数字");
  box.SetText("x");  // no such item: none selected
  box.SetItemIndex(5);
  EXPECT_EQ(changes, (std::vector<std::string>{"いろは", "丸数字", ""}));
  EXPECT_EQ(box.ItemIndex(), -1);
  // The input method of an edit: closed on focus as the layout says, until
  // the program frees it.
  EXPECT_TRUE(dialog.Edit1.ImeClosed());
  dialog.Edit1.SetImeClosed(false);
  EXPECT_FALSE(dialog.Edit1.ImeClosed());
  changes.clear();
  SetModalDriver([&](TForm&) {
    ChooseComboItem(box, 1);
    EXPECT_TRUE(box.Focused());
    ChooseComboItem(box, 1);  // the same item again: no event
    PressEscape(dialog);      // Escape on the list does not close the dialog
    EXPECT_FALSE(dialog.Closed());
    box.SetEnabled(false);
    ChooseComboItem(box, 2);  // a disabled list ignores the mouse
    box.SetEnabled(true);
    ChooseComboItem(box, 0);
    ClickControl(dialog.Button1);
    dialog.Close();
  });
  dialog.ShowModal();
  EXPECT_EQ(changes, (std::vector<std::string>{"丸数字", "数字"}));
  EXPECT_EQ(box.Text(), "数字");
}

TEST_F(ControlsContract, DialogPositionIsRaisedToZeroAndKeptOnTheScreen) {
  struct TCase {
    TRect owner;
    TSize dialog;
    TRect expected;
  };
  const TCase cases[] = {
      {{100, 50, 256, 276}, {137, 188}, {159, 94, 137, 188}},
      {{0, 0, 100, 100}, {137, 188}, {0, 0, 137, 188}},
      {{-20, 5, 256, 276}, {300, 100}, {0, 93, 300, 100}},
      {{10, 10, 255, 275}, {100, 100}, {87, 97, 100, 100}},  // div truncates
      // The tool at the screen's right edge, a dialog wider than it: kept on
      // the screen.
      {{966, 10, 251, 251}, {608, 444}, {672, 0, 608, 444}},
      {{966, 900, 251, 251}, {300, 300}, {942, 724, 300, 300}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(CentredOver(c.owner, c.dialog, TSize{1280, 1024}), c.expected);
  }
}

TEST_F(ControlsContract, AnchorsKeepTheirDistancesOnResize) {
  TTestForm form;
  const TSize client = form.ClientSize();
  ASSERT_EQ(client, (TSize{form.Scale(200), form.Scale(150)}));
  const TRect memo = form.Memo1.Bounds();
  const TRect edit1 = form.Edit1.Bounds();
  const TRect edit2 = form.Edit2.Bounds();
  const TRect check = form.Check1.Bounds();
  const TRect button = form.Button1.Bounds();
  const int dx = 30;
  const int dy = 20;
  form.SetBounds({form.Left(), form.Top(), form.Width() + dx, form.Height() + dy});
  ASSERT_EQ(form.ClientSize(), (TSize{client.Width + dx, client.Height + dy}));
  EXPECT_EQ(form.Memo1.Bounds(), (TRect{memo.Left, memo.Top, memo.Width + dx, memo.Height + dy}));
  EXPECT_EQ(form.Edit1.Bounds(), edit1);
  EXPECT_EQ(form.Edit2.Bounds(), (TRect{edit2.Left + dx, edit2.Top, edit2.Width, edit2.Height}));
  EXPECT_EQ(form.Check1.Bounds(), (TRect{check.Left, check.Top + dy, check.Width, check.Height}));
  EXPECT_EQ(form.Button1.Bounds(), (TRect{button.Left + dx, button.Top + dy, button.Width, button.Height}));
}

// The main form minimised and restored keeps its normal bounds and gives the
// focus back to the control that had it.
TEST_F(ControlsContract, MinimisedWindowKeepsItsNormalBoundsAndFocus) {
  TTestForm form;
  form.Show();
  const TRect normal{120, 80, form.Width() + 10, form.Height() + 4};
  form.SetBounds(normal);
  ClickControl(form.Edit2);
  EXPECT_EQ(form.NormalBounds(), normal);
  form.Minimize();
  EXPECT_TRUE(form.Minimized());
  EXPECT_EQ(form.NormalBounds(), normal);
  form.Restore();
  EXPECT_FALSE(form.Minimized());
  EXPECT_EQ(form.Bounds(), normal);
  EXPECT_EQ(form.FocusedControl(), &form.Edit2);
}

TEST_F(ControlsContract, TimerTicksOnlyWhileEnabled) {
  TTestForm form;
  int ticks = 0;
  form.Timer1.OnTimer = [&] { ++ticks; };
  EXPECT_EQ(form.Timer1.Interval(), 50u);
  TickTimer(form.Timer1);
  EXPECT_EQ(ticks, 0);
  form.Timer1.SetEnabled(true);
  TickTimer(form.Timer1);
  form.Timer1.SetEnabled(false);
  TickTimer(form.Timer1);
  EXPECT_EQ(ticks, 1);
}

TEST_F(ControlsContract, PopupMenuOpensThenRunsAnEnabledItem) {
  TTestForm form;
  TPopupMenu menu;
  std::vector<std::string> calls;
  menu.Add("N18", "すべてを選択").OnClick = [&] { calls.push_back("N18"); };
  menu.Add("N19", "-");
  menu.Add("n1", "加算、減算").OnClick = [&] { calls.push_back("n1"); };
  menu.OnPopup = [&] {
    calls.push_back("popup");
    menu.Item("n1").Enabled = form.Memo1.SelLength() != 0;
  };
  form.Memo1.SetPopupMenu(&menu);
  form.Memo1.SetText("abc");
  ChooseMenuItem(form.Memo1, "n1");
  form.Memo1.SetSel(0, 1);
  ChooseMenuItem(form.Memo1, "n1");
  ChooseMenuItem(form.Memo1, "N18");
  const std::vector<std::string> expected = {"popup", "popup", "n1", "popup", "N18"};
  EXPECT_EQ(calls, expected);
  EXPECT_TRUE(menu.Items()[1].IsSeparator());
}

TEST_F(ControlsContract, ListViewAsksItsRowSourceForTheRowsItShows) {
  TTestForm owner;
  owner.Show();
  TListForm form;
  TListView& list = form.ListView1;
  size_t asked = 0;
  list.OnGetText = [&](size_t row, size_t column) {
    ++asked;
    if (row == 7) return std::string(column == 0 ? "\x87\x90" : "図面 ｶﾅ");  // ≒ of NEC row 13
    return std::to_string(row) + (column == 0 ? "" : "行目");
  };
  std::vector<int> selections;  // the selected row at each selection event
  int doubleClicks = 0;
  list.OnSelect = [&] { selections.push_back(list.ItemIndex()); };
  list.OnDblClick = [&] { ++doubleClicks; };
  EXPECT_EQ(list.ColumnCount(), 2u);
  EXPECT_EQ(list.RowCount(), 0u);
  list.SetRowCount(25000);
  form.ShowModeless();
  ProcessMessages();
  EXPECT_EQ(list.RowCount(), 25000u);
  EXPECT_LT(asked, 1000u) << "only the rows shown are asked for";
  struct TCell {
    size_t row;
    size_t column;
    std::string text;
  };
  const TCell cells[] = {
      {0, 0, "0"},       {24999, 1, "24999行目"}, {7, 0, "\x81\xE0"},  // as the control holds it
      {7, 1, "図面 ｶﾅ"}, {25000, 0, ""},          {3, 2, ""},          // outside the list
  };
  for (const TCell& c : cells) {
    SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
    EXPECT_EQ(list.CellText(c.row, c.column), c.text);
  }
  struct TStep {
    const char* what;
    std::function<void()> action;
    int index;
    std::vector<int> selections;
    int doubleClicks;
  };
  const TStep steps[] = {
      {"none at first", [] {}, -1, {}, 0},
      {"program selects", [&] { list.SetItemIndex(3); }, 3, {3}, 0},
      {"the same row", [&] { list.SetItemIndex(3); }, 3, {3}, 0},
      {"far down", [&] { list.SetItemIndex(24000); }, 24000, {3, 24000}, 0},
      {"outside: none", [&] { list.SetItemIndex(25000); }, -1, {3, 24000, -1}, 0},
      {"click", [&] { ClickListRow(list, 10); }, 10, {3, 24000, -1, 10}, 0},
      {"double click", [&] { DoubleClickListRow(list, 20); }, 20, {3, 24000, -1, 10, 20}, 1},
      {"double click again", [&] { DoubleClickListRow(list, 20); }, 20, {3, 24000, -1, 10, 20}, 2},
      {"click below the rows", [&] { ClickListRow(list, -1); }, -1, {3, 24000, -1, 10, 20, -1}, 2},
      {"new rows select none",
       [&] {
         list.SetItemIndex(4);
         list.SetRowCount(5);
       },
       -1,
       {3, 24000, -1, 10, 20, -1, 4},
       2},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.what);
    step.action();
    ProcessMessages();
    EXPECT_EQ(list.ItemIndex(), step.index);
    EXPECT_EQ(selections, step.selections);
    EXPECT_EQ(doubleClicks, step.doubleClicks);
  }
  EXPECT_TRUE(list.Focused());
  EXPECT_EQ(list.CellText(4, 1), "4行目");
  EXPECT_EQ(list.CellText(5, 1), "");
  form.Close();
}

TEST_F(ControlsContract, ModelessWindowLeavesTheProgramRunning) {
  TTestForm owner;
  owner.SetBounds({300, 200, owner.Width(), owner.Height()});
  owner.Show();
  TListForm form;
  int clicks = 0;
  form.Button1.OnClick = [&] { ++clicks; };
  bool driven = false;
  SetModalDriver([&](TForm&) { driven = true; });
  form.ShowModeless();  // returns at once, with no modal loop
  EXPECT_FALSE(driven);
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(form.Modal());
  EXPECT_EQ(form.Bounds(), CentredOver(owner.Bounds(), TSize{form.Width(), form.Height()},
                                       TSize{ScreenWidth(), ScreenHeight()}));
  EXPECT_EQ(form.ClientSize(), (TSize{owner.Scale(300), owner.Scale(200)}));
  EXPECT_TRUE(form.ListView1.Focused());
  // Both windows take input; Escape presses the form's cancel button.
  form.Button1.SetFocus();
  PressEnter(form);
  form.ListView1.SetFocus();
  PressEscape(form);
  TypeText(owner.Memo1, "ab");
  EXPECT_EQ(clicks, 2);
  // A wrapping label keeps its layout width.
  EXPECT_EQ(form.Label1.Bounds().Width, form.Scale(100));
  EXPECT_EQ(owner.Memo1.Text(), "ab");
  // It goes and comes with the main form.
  owner.Minimize();
  EXPECT_FALSE(form.Visible());
  owner.Restore();
  EXPECT_TRUE(form.Visible());
  // Closed, it hides and the program goes on; shown again it is where the
  // user left it.
  const TRect moved{40, 30, form.Width() + 20, form.Height() + 10};
  form.SetBounds(moved);
  CloseByCaptionButton(form);
  ProcessMessages();
  EXPECT_TRUE(form.Closed());
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(owner.Closed());
  EXPECT_TRUE(owner.Visible());
  owner.Minimize();
  owner.Restore();
  EXPECT_FALSE(form.Visible()) << "a closed window stays closed";
  form.ShowModeless();
  EXPECT_EQ(form.Bounds(), moved);
  EXPECT_FALSE(form.Closed());
  form.Close();
}

TEST_F(ControlsContract, CheckItemTurnsItsMarkOverWhenChosen) {
  TTestForm form;
  TPopupMenu menu;
  std::vector<bool> seen;  // the mark as each click sees it
  TMenuItem& check = menu.Add("Confirm", "更新前に確認");
  check.AutoCheck = true;
  check.OnClick = [&] { seen.push_back(menu.Item("Confirm").Checked); };
  menu.Add("Plain", "すべてを選択").OnClick = [&] { seen.push_back(menu.Item("Plain").Checked); };
  form.Memo1.SetPopupMenu(&menu);
  ChooseMenuItem(form.Memo1, "Confirm");
  ChooseMenuItem(form.Memo1, "Plain");
  ChooseMenuItem(form.Memo1, "Confirm");
  menu.Item("Confirm").Checked = true;  // set by the program: no click
  menu.Item("Confirm").Enabled = false;
  ChooseMenuItem(form.Memo1, "Confirm");  // disabled: nothing
  EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(menu.Item("Confirm").Checked);
  EXPECT_FALSE(menu.Item("Plain").Checked);
}

TEST_F(ControlsContract, FontsAndColours) {
  TTestForm form;
  EXPECT_FALSE(form.Memo1.FontFace().empty());
  EXPECT_FALSE(form.Edit1.FontFace().empty());
  EXPECT_EQ(form.Label1.FontColor(), kColorWindowText) << "no colour of the program's own";
  form.Label1.SetFontColor(kColorBlue);
  form.Memo1.SetFontColor(kColorRed);
  EXPECT_EQ(form.Label1.FontColor(), kColorBlue);
  EXPECT_EQ(form.Memo1.FontColor(), kColorRed);
  EXPECT_EQ(kColorBlue, 0xFF0000u);
  EXPECT_EQ(kColorRed, 0x0000FFu);
}

// The close query: the caption's button, the program's own Close and
// Windows asking whether the session may end all ask it, and a refusal
// (or a handler that fails) keeps the window. The main form is not closed
// here: on Windows that would end the test program's message loop.
TEST_F(ControlsContract, ACloseQueryMayRefuseEveryClose) {
  TTestForm form;
  form.Show();
  TTestDialog dialog;
  dialog.Show();
  bool allow = false;
  bool fail = false;
  int asked = 0;
  int closed = 0;
  for (TForm* shown : {static_cast<TForm*>(&form), static_cast<TForm*>(&dialog)}) {
    shown->OnCloseQuery = [&](bool& canClose) {
      ++asked;
      if (fail) throw std::runtime_error("壊れた");
      canClose = allow;
    };
    shown->OnClose = [&] { ++closed; };
  }
  form.Button1.OnClick = [&] { form.Close(); };
  struct TWay {
    const char* name;
    std::function<bool()> close;  // true when the window went
  };
  const TWay ways[] = {
      {"the caption's button",
       [&] {
         CloseByCaptionButton(form);
         return form.Closed();
       }},
      {"the program's button",
       [&] {
         ClickControl(form.Button1);
         return form.Closed();
       }},
      {"a dialog's caption button",
       [&] {
         CloseByCaptionButton(dialog);
         return dialog.Closed();
       }},
      {"signing out", [&] { return QueryEndSession(form); }},
  };
  for (const bool failing : {false, true}) {
    fail = failing;
    for (const TWay& way : ways) {
      SCOPED_TRACE(std::string(way.name) + (failing ? ", failing" : ""));
      asked = 0;
      EXPECT_FALSE(way.close());
      EXPECT_EQ(asked, 1);
      EXPECT_TRUE(form.Visible());
      EXPECT_TRUE(dialog.Visible());
      EXPECT_EQ(TakeErrorBoxes().size(), failing ? 1u : 0u);
    }
  }
  EXPECT_EQ(closed, 0);
  fail = false;
  allow = true;
  EXPECT_TRUE(QueryEndSession(form));
  EXPECT_FALSE(form.Closed()) << "the query alone closes nothing";
  CloseByCaptionButton(dialog);
  EXPECT_TRUE(dialog.Closed());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace vorbel
