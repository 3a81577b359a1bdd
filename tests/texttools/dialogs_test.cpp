// The three dialogs of the memo on the headless backend: their layouts, the
// sequence numbers, adding and renumbering, replacing, the key filters and
// the Enter chains, each run inside its modal loop over a main window's memo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/ui_automation.h"
#include "platform/ui_backend.h"
#include "texttools/form2.h"
#include "texttools/form3.h"
#include "texttools/form4.h"

namespace vorbel {
namespace {

// The main window as far as the dialogs see it: a memo.
const TFormLayout& HostLayout() {
  static const TFormLayout layout{"THost",
                                  "host",
                                  {248, 249},
                                  TFormStyle::SizeableToolWindow,
                                  true,
                                  kFormFont,
                                  {{"Memo1", TControlKind::Memo, "", {2, 50, 249, 121}, kAnchorLeft, 0}}};
  return layout;
}

class THostForm : public TForm {
 public:
  THostForm() : TForm(HostLayout()), Memo1(*this, "Memo1") {
    Memo1.OnChange = [this] { ++changes; };
  }
  TMemo Memo1;
  int changes = 0;
};

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication("Vorbel Ver.1.11a");
    TakeErrorBoxes();
    SetModalDriver(nullptr);
    host_.SetBounds({200, 100, 256, 276});
    host_.Show();
  }
  void TearDown() override {
    SetModalDriver(nullptr);
    TakeErrorBoxes();
  }

  // Puts `text` in the memo and selects `length` bytes from `start`.
  void SetMemo(const std::string& text, size_t start, size_t length) {
    host_.Memo1.SetText(text);
    host_.Memo1.SetSel(start, length);
    host_.changes = 0;
  }

  // Shows `dialog` modally and runs `drive` inside its modal loop.
  template <typename TDialog, typename TDrive>
  void Run(TDialog& dialog, TDrive drive) {
    bool driven = false;
    SetModalDriver([&](TForm& shown) {
      driven = true;
      EXPECT_EQ(&shown, &dialog);
      drive();
    });
    dialog.ShowModal();
    SetModalDriver(nullptr);
    EXPECT_TRUE(driven);
  }

  THostForm host_;
};

std::vector<std::string> Names(const std::vector<TControl*>& controls) {
  std::vector<std::string> names;
  for (const TControl* control : controls) names.push_back(control->Name());
  return names;
}

TEST_F(DialogsTest, LayoutsOpenCentredWithTheFocusOnTheFirstControlAndEscapeDoesNotClose) {
  TMemo& memo = host_.Memo1;
  TForm2 form2(memo);
  TForm3 form3(memo);
  TForm4 form4(memo);
  form4.Edit1.SetText("abc");
  struct TCase {
    TForm* dialog;
    const char* caption;
    TSize client;
    std::vector<std::string> tabs;
    TControl* focused;
    TButton* run;
  };
  const TCase cases[] = {
      {&form2,
       "連番作成",
       {176, 237},
       {"Button1", "Button2", "Edit1", "Edit2", "Edit4", "ComboBox1", "Edit5", "Edit3", "CheckBox1",
        "CheckBox2", "CheckBox3"},
       &form2.Button1,
       &form2.Button1},
      {&form3,
       "＋ｎ",
       {129, 161},
       {"Button1", "RadioGroup1", "Edit1", "Button2", "CheckBox1"},
       &form3.Button1,
       &form3.Button1},
      {&form4,
       "置換",
       {173, 171},
       {"Edit1", "Edit2", "CheckBox1", "CheckBox2", "Button1", "Button2"},
       &form4.Edit1,
       &form4.Button1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(c.dialog->Caption(), c.caption);
    EXPECT_EQ(c.dialog->ClientSize(), c.client);
    EXPECT_EQ(Names(c.dialog->TabSequence()), c.tabs);
    EXPECT_EQ(c.run->Text(), "実行");
    Run(*c.dialog, [&] {
      EXPECT_TRUE(c.dialog->Modal());
      EXPECT_EQ(c.dialog->Bounds(), CentredOver(host_.Bounds(), TSize{c.dialog->Width(), c.dialog->Height()},
                                                TSize{ScreenWidth(), ScreenHeight()}));
      EXPECT_TRUE(c.focused->Focused());
      PressEscape(*c.dialog);
      EXPECT_FALSE(c.dialog->Closed());
      CloseByCaptionButton(*c.dialog);
    });
    EXPECT_TRUE(c.dialog->Closed());
  }
  // The replace dialog opens with the search text selected, ready to be typed
  // over; its check box says what ticking it does.
  EXPECT_EQ(form4.Edit1.SelLength(), 3u);
  EXPECT_EQ(form4.CheckBox1.Text(), "大文字/小文字を無視");
  EXPECT_EQ(form4.CheckBox2.Text(), "同一行内のすべてを置換");
  EXPECT_EQ(form3.RadioGroup1.ItemIndex(), 1);
  EXPECT_EQ(form3.Edit1.Text(), "1");
  EXPECT_TRUE(form3.CheckBox1.Checked());
  EXPECT_EQ(form2.Label8.Text(), "[001]");
  EXPECT_EQ(form2.Label9.Text(), "[015]");
  EXPECT_EQ(form2.ComboBox1.Layout().Items,
            (std::vector<std::string>{"数字", "全角数字", "丸数字", "英大文字", "英小文字", "漢数字",
                                      "いろは", "ローマ数字"}));
  EXPECT_EQ(form2.ComboBox1.Text(), "数字");
  EXPECT_EQ(form2.Label10.Text(), "種類");
  EXPECT_EQ(host_.Memo1.Text(), "");
}

TEST_F(DialogsTest, HexToIntWeighsTheLastEightPositions) {
  struct TCase {
    std::string text;
    int32_t value;
  };
  const TCase cases[] = {
      {"", 0},
      {"0F", 15},
      {"00ff", 255},
      {"1G", 16},  // G stands for 0 but still counts as a position
      {"FFFFFFFF", -1},
      {"80000000", INT32_MIN},
      {"123456789", 0x23456789},  // the ninth position from the end weighs 0
      {"-1", 1},
      {"ア", 0},  // 0x83 0x41: its second byte is no "A"
      {"ア1", 1},
  };
  for (const TCase& c : cases) EXPECT_EQ(HexToInt(c.text), c.value) << c.text;
}

TEST_F(DialogsTest, NumberedLineFollowsThePrintfRules) {
  struct TCase {
    size_t width;
    size_t zeros;
    int32_t value;
    bool hex;
    std::string number;
  };
  const TCase cases[] = {
      {3, 3, 1, false, "001"},
      {3, 0, 1, false, "  1"},
      {0, 0, 15, false, "15"},
      {0, 0, 0, false, "0"},
      {2, 2, -1, false, "-01"},  // the sign before the zeros; not cut to 2
      {3, 3, -5, false, "-005"},
      {5, 2, -5, false, "  -05"},
      {2, 2, 15, true, "0F"},
      {4, 4, 256, true, "0100"},
      {1, 1, -1, true, "FFFFFFFF"},
      {1, 1, INT32_MIN, false, "-2147483648"},
      {16, 16, 7, false, "0000000000000007"},
      {17, 17, 7, false, "                7"},  // zero fill only up to 16
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(NumberedLine("No.", c.width, c.zeros, c.value, "-A", c.hex), "No." + c.number + "-A")
        << c.number;
  }
}

TEST_F(DialogsTest, SequenceDialogPreviewsAndAppends) {
  struct TCase {
    std::string prefix, initial, suffix, step, count;
    bool hex, align, zeros;
    std::string first, last;  // the previews
    std::vector<std::string> lines;
  };
  const TCase cases[] = {
      {"", "001", "", "1", "3", false, true, true, "[001]", "[003]", {"001", "002", "003"}},
      {"",
       "001",
       "",
       "1",
       "15",
       false,
       true,
       false,
       "[  1]",
       "[ 15]",
       {"  1", "  2", "  3", "  4", "  5", "  6", "  7", "  8", "  9", " 10", " 11", " 12", " 13", " 14",
        " 15"}},
      {"", "001", "", "7", "2", false, false, true, "[1]", "[8]", {"1", "8"}},
      {"No.",
       "08",
       "-A",
       "2",
       "3",
       false,
       true,
       true,
       "[No.08-A]",
       "[No.12-A]",
       {"No.08-A", "No.10-A", "No.12-A"}},
      {"", "0F", "", "1", "3", true, true, true, "[0F]", "[11]", {"0F", "10", "11"}},
      {"", "00ff", "", "1", "3", true, true, true, "[00FF]", "[0101]", {"00FF", "0100", "0101"}},
      {"", "05", "", "-3", "3", false, true, true, "[05]", "[-01]", {"05", "02", "-01"}},
      {"", "0", "", "-1", "2", true, true, true, "[0]", "[FFFFFFFF]", {"0", "FFFFFFFF"}},
      {"",
       "2147483647",
       "",
       "1",
       "2",
       false,
       false,
       true,
       "[2147483647]",
       "[-2147483648]",
       {"2147483647", "-2147483648"}},
      {"", "5", "", "2", "0", false, true, true, "[5]", "[3]", {}},                 // count 0: V0 - D
      {"", "5", "", "x", "2", false, true, true, "[5]", "[5]", {"5", "5"}},         // step unreadable: 0
      {"", "001f", "", "1", "1", false, true, true, "[0000]", "[0000]", {"0000"}},  // not decimal: 0
      {"", "$10", "", "$10", "2", false, false, true, "[16]", "[32]", {"16", "32"}},
      {"",
       "00000000000000001",
       "",
       "1",
       "1",
       false,
       true,
       true,
       "[                1]",
       "[                1]",
       {"                1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.prefix + c.initial + c.suffix + " step " + c.step + " count " + c.count);
    SetMemo("abc", 1, 0);
    TForm2 dialog(host_.Memo1);
    dialog.Edit1.SetText(c.prefix);
    dialog.Edit2.SetText(c.initial);
    dialog.Edit4.SetText(c.suffix);
    dialog.Edit5.SetText(c.step);
    dialog.Edit3.SetText(c.count);
    Run(dialog, [&] {
      dialog.CheckBox1.SetChecked(c.hex);
      dialog.CheckBox3.SetChecked(c.zeros);
      dialog.CheckBox2.SetChecked(c.align);
      EXPECT_EQ(dialog.CheckBox3.Enabled(), c.align);
      EXPECT_EQ(dialog.CheckBox3.Checked(), c.zeros);
      EXPECT_EQ(dialog.Label8.Text(), c.first);
      EXPECT_EQ(dialog.Label9.Text(), c.last);
      ClickControl(dialog.Button1);
      EXPECT_TRUE(dialog.Closed());
    });
    std::string expected = "abc";
    for (const std::string& line : c.lines) expected += "\r\n" + line;
    EXPECT_EQ(host_.Memo1.Text(), expected);
    EXPECT_EQ(host_.changes, c.lines.empty() ? 0 : 1);
  }
}

TEST_F(DialogsTest, SequenceDialogKinds) {
  struct TCase {
    std::string kind, prefix, initial, step, count;
    bool align, zeros;
    std::string first, last;         // the previews
    std::vector<std::string> lines;  // appended
    std::string error{};             // or the error box, the dialog staying open
  };
  const TCase cases[] = {
      {"全角数字",
       "",
       "００１",
       "1",
       "3",
       true,
       true,
       "[００１]",
       "[００３]",
       {"００１", "００２", "００３"}},
      {"全角数字",
       "",
       "００８",
       "1",
       "3",
       true,
       false,
       "[　　８]",
       "[　１０]",
       {"　　８", "　　９", "　１０"}},
      {"全角数字", "", "05", "-3", "3", true, true, "[０５]", "[－０１]", {"０５", "０２", "－０１"}},
      {"丸数字", "No.", "①", "1", "3", true, true, "[No.①]", "[No.③]", {"No.①", "No.②", "No.③"}},
      {"丸数字", "", "3", "2", "2", false, false, "[③]", "[⑤]", {"③", "⑤"}},
      {"丸数字", "", "⑲", "1", "3", true, true, "[⑲]", "[範囲外]", {}, "丸数字の連番は ① から ⑳ までです."},
      {"丸数字", "", "②", "-1", "3", true, true, "[②]", "[範囲外]", {}, "丸数字の連番は ① から ⑳ までです."},
      {"丸数字", "", "①", "1", "0", true, true, "[①]", "[範囲外]", {}},  // count 0: nothing to add
      {"丸数字",
       "",
       "x",
       "1",
       "3",
       true,
       true,
       "[不正な値]",
       "[不正な値]",
       {},
       "'x' は丸数字ではありません."},
      {"英大文字", "", "Y", "1", "4", true, true, "[Y]", "[AB]", {"Y", "Z", "AA", "AB"}},
      {"英大文字", "", "A", "-1", "2", true, true, "[A]", "[範囲外]", {}, "英大文字の連番は A からです."},
      {"英小文字", "", "x", "1", "3", true, true, "[x]", "[z]", {"x", "y", "z"}},
      {"漢数字", "第", "九", "1", "3", true, true, "[第九]", "[第十一]", {"第九", "第十", "第十一"}},
      {"漢数字",
       "",
       "9999",
       "1",
       "2",
       true,
       true,
       "[九千九百九十九]",
       "[範囲外]",
       {},
       "漢数字の連番は 一 から 九千九百九十九 までです."},
      {"いろは", "", "い", "1", "3", true, true, "[い]", "[は]", {"い", "ろ", "は"}},
      {"いろは",
       "",
       "せ",
       "1",
       "3",
       true,
       true,
       "[せ]",
       "[範囲外]",
       {},
       "いろはの連番は い から す までです."},
      {"ローマ数字", "", "Ⅸ", "1", "2", true, true, "[Ⅸ]", "[Ⅹ]", {"Ⅸ", "Ⅹ"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.kind + " " + c.initial + " step " + c.step + " count " + c.count);
    SetMemo("abc", 1, 0);
    TForm2 dialog(host_.Memo1);
    dialog.ComboBox1.SetText(c.kind);
    dialog.Edit1.SetText(c.prefix);
    dialog.Edit2.SetText(c.initial);
    dialog.Edit5.SetText(c.step);
    dialog.Edit3.SetText(c.count);
    Run(dialog, [&] {
      dialog.CheckBox3.SetChecked(c.zeros);
      dialog.CheckBox2.SetChecked(c.align);
      // Width and fill for 全角数字 only of these, hexadecimal for none.
      const bool width = c.kind == "全角数字";
      EXPECT_EQ(dialog.CheckBox2.Enabled(), width);
      EXPECT_EQ(dialog.CheckBox3.Enabled(), width && c.align);
      EXPECT_FALSE(dialog.CheckBox1.Enabled());
      EXPECT_EQ(dialog.Label8.Text(), c.first);
      EXPECT_EQ(dialog.Label9.Text(), c.last);
      ClickControl(dialog.Button1);
      std::vector<std::string> boxes;
      for (const TErrorBoxRecord& box : TakeErrorBoxes()) boxes.push_back(box.Text);
      EXPECT_EQ(boxes, c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error});
      EXPECT_EQ(dialog.Closed(), c.error.empty());
      CloseByCaptionButton(dialog);
    });
    std::string expected = "abc";
    for (const std::string& line : c.lines) expected += "\r\n" + line;
    EXPECT_EQ(host_.Memo1.Text(), expected);
  }
}

TEST_F(DialogsTest, SequenceDialogKindChangeRewritesTheInitialValue) {
  SetMemo("", 0, 0);
  TForm2 dialog(host_.Memo1);
  Run(dialog, [&] {
    // Each choice of kind and the initial value it leaves, from "001".
    const std::vector<std::pair<std::string, std::string>> steps = {
        {"全角数字", "００１"}, {"丸数字", "①"}, {"英大文字", "A"}, {"漢数字", "一"}, {"数字", "1"},
    };
    for (const auto& [kind, initial] : steps) {
      ChooseComboItem(dialog.ComboBox1, ComboIndexOf(dialog.ComboBox1.Layout().Items, kind));
      EXPECT_EQ(dialog.Edit2.Text(), initial) << kind;
      EXPECT_EQ(dialog.Edit2.ImeClosed(), kind != "漢数字" && kind != "いろは") << kind;
      EXPECT_EQ(dialog.CheckBox1.Enabled(), kind == "数字") << kind;
    }
    // A value a kind cannot write gives its first value, and comes back in
    // the next kind that can (as when the arrow keys pass through the list).
    dialog.Edit2.SetText("25");
    const std::vector<std::pair<std::string, std::string>> passing = {
        {"丸数字", "①"},     {"英大文字", "Y"},    {"英小文字", "y"},    {"いろは", "ゐ"},
        {"ローマ数字", "Ⅰ"}, {"漢数字", "二十五"}, {"全角数字", "２５"}, {"数字", "25"},
    };
    for (const auto& [kind, initial] : passing) {
      dialog.ComboBox1.SetText(kind);
      EXPECT_EQ(dialog.Edit2.Text(), initial) << kind;
      EXPECT_EQ(dialog.Label8.Text(), "[" + initial + "]") << kind;
    }
    // A text the kind does not read gives the next kind's first value;
    // hexadecimal reads and writes 数字 with "16進".
    dialog.ComboBox1.SetText("全角数字");
    dialog.Edit2.SetText("abc");
    dialog.ComboBox1.SetText("丸数字");
    EXPECT_EQ(dialog.Edit2.Text(), "①");
    dialog.ComboBox1.SetText("数字");
    dialog.CheckBox1.SetChecked(true);
    dialog.Edit2.SetText("0F");
    dialog.ComboBox1.SetText("全角数字");
    EXPECT_EQ(dialog.Edit2.Text(), "１５");
    EXPECT_TRUE(dialog.CheckBox1.Checked());  // disabled, its mark kept
    dialog.ComboBox1.SetText("数字");
    EXPECT_EQ(dialog.Edit2.Text(), "0F");
    CloseByCaptionButton(dialog);
  });
}

TEST_F(DialogsTest, SequenceDialogInitialValueTakesTheKeysOfItsKind) {
  struct TCase {
    std::string kind, typed, held;
  };
  const TCase cases[] = {
      {"数字", "1g- fAＡ", "1fA"},     {"全角数字", "1a１ｘ-", "1１"}, {"丸数字", "1①a⑳", "1①⑳"},
      {"英大文字", "a1B-", "A1B"},     {"英小文字", "A1b", "a1b"},     {"漢数字", "一x十2千", "一十2千"},
      {"いろは", "いんa3ゑ", "い3ゑ"}, {"ローマ数字", "ⅠIⅹⅩ", "ⅠⅩ"},
  };
  SetMemo("", 0, 0);
  for (const TCase& c : cases) {
    TForm2 dialog(host_.Memo1);
    Run(dialog, [&] {
      dialog.ComboBox1.SetText(c.kind);
      dialog.Edit2.SetText("");
      TypeText(dialog.Edit2, c.typed);
      EXPECT_EQ(dialog.Edit2.Text(), c.held) << c.kind;
      CloseByCaptionButton(dialog);
    });
  }
}

TEST_F(DialogsTest, SequenceDialogAppendsBehindAFinalLineBreakInOneChange) {
  SetMemo("x\r\n", 0, 0);
  TForm2 dialog(host_.Memo1);
  dialog.Edit1.SetText("L");
  dialog.Edit3.SetText("100000");
  EXPECT_EQ(dialog.Label9.Text(), "[L100000]");
  Run(dialog, [&] { ClickControl(dialog.Button1); });
  const std::vector<std::string> lines = host_.Memo1.Lines();
  ASSERT_EQ(lines.size(), 100001u);
  EXPECT_EQ(lines[1], "L001");
  EXPECT_EQ(lines[999], "L999");
  EXPECT_EQ(lines[1000], "L1000");
  EXPECT_EQ(lines[100000], "L100000");
  EXPECT_TRUE(host_.Memo1.Text().ends_with("L100000\r\n"));
  EXPECT_EQ(host_.changes, 1);
}

TEST_F(DialogsTest, SequenceDialogKeysAndEnterChain) {
  SetMemo("", 0, 0);
  TForm2 dialog(host_.Memo1);
  Run(dialog, [&] {
    // The initial value takes hexadecimal digits only, typed.
    dialog.Edit2.SetText("");
    TypeText(dialog.Edit2, "1g- fAＡ");  // and no full-width Ａ
    EXPECT_EQ(dialog.Edit2.Text(), "1fA");
    TypeKey(dialog.Edit2, 8);
    EXPECT_EQ(dialog.Edit2.Text(), "1f");
    TypeText(dialog.Edit1, "a-1 ");
    EXPECT_EQ(dialog.Edit1.Text(), "a-1 ");
    // Enter moves on: prefix, initial value, suffix, step, count, "実行".
    const std::vector<TControl*> chain = {&dialog.Edit2, &dialog.Edit4, &dialog.Edit5, &dialog.Edit3,
                                          &dialog.Button1};
    dialog.Edit1.SetFocus();
    for (TControl* next : chain) {
      PressEnter(dialog);
      EXPECT_TRUE(next->Focused()) << next->Name();
      if (next != &dialog.Button1) {
        EXPECT_EQ(static_cast<TEdit*>(next)->SelLength(), next->Text().size()) << next->Name();
      }
    }
    EXPECT_EQ(dialog.Edit1.Text(), "a-1 ");
    EXPECT_EQ(dialog.Edit5.Text(), "1");
    dialog.CheckBox1.SetChecked(true);
    dialog.Edit3.SetText("2");
    PressEnter(dialog);  // on "実行"
    EXPECT_TRUE(dialog.Closed());
  });
  // Lines appended to an empty memo each end with a line break.
  EXPECT_EQ(host_.Memo1.Text(), "a-1 1F\r\na-1 20\r\n");
}

TEST_F(DialogsTest, SequenceDialogCancelAppendsNothing) {
  SetMemo("a", 0, 0);
  TForm2 dialog(host_.Memo1);
  Run(dialog, [&] { ClickControl(dialog.Button2); });
  EXPECT_EQ(host_.Memo1.Text(), "a");
  EXPECT_EQ(host_.changes, 0);
}

TEST_F(DialogsTest, AddAndRenumberRewriteTheSelectedLines) {
  struct TCase {
    const char* caption;
    std::string text;
    size_t selStart, selLength;
    std::string amount;
    bool fromEnd, fill;
    std::string expected;
    size_t caret;          // where the caret stands afterwards
    size_t unchanged = 0;  // lines left for a result outside ①-⑳
  };
  const TCase cases[] = {
      {kAddCaption, "A-01\r\nA-02\r\nB-10", 0, 16, "5", true, true, "A-06\r\nA-07\r\nB-15", 16},
      {kAddCaption, "X009\r\nX9", 0, 8, "1", true, true, "X010\r\nX10", 9},
      {kAddCaption, "X009", 0, 1, "1", true, false, "X10", 3},
      {kAddCaption, "12-34", 0, 1, "5", false, true, "17-34", 5},
      {kAddCaption, "12-34", 0, 1, "5", true, true, "12-39", 5},
      // A line without digits stays; the caret ends behind the last line
      // rewritten.
      {kAddCaption, "a1\r\nxyz\r\nb2\r\nnone", 0, 20, "1", true, true, "a2\r\nxyz\r\nb3\r\nnone", 11},
      // A selection that ends at the start of a line takes that line in.
      {kAddCaption, "a1\r\nb2\r\nc3", 0, 4, "1", true, true, "a2\r\nb3\r\nc3", 6},
      // Pasted negative amounts subtract; the sign stands before the zeros.
      {kAddCaption, "A-07\r\nX3\r\nY003", 0, 14, "-5", true, true, "A-02\r\nX-2\r\nY-02", 15},
      {kAddCaption, "N2147483647", 0, 3, "1", true, true, "N-2147483648", 12},  // wraps
      {kAddCaption, "a1", 0, 2, "0", true, true, "a1", 0},
      {kAddCaption, "a1", 0, 2, "abc", true, true, "a1", 0},
      {kAddCaption, "a1", 1, 0, "1", true, true, "a1", 1},  // no selection
      {"連番", "No.01 A\r\nxyz\r\n\r\n", 0, 14, "1", true, true, "No.01 A\r\nNo.02 A\r\nNo.03 A\r\n", 25},
      {"連番", "P-5\r\nP-5\r\nP-5", 0, 13, "10", true, true, "P-5\r\nP-15\r\nP-25", 15},
      {"連番", "v1w1\r\nq\r\nq", 0, 12, "2", false, true, "v1w1\r\nv3w1\r\nv5w1", 16},
      {"連番", "A-009\r\nq", 0, 8, "-10", true, true, "A-009\r\nA--01", 12},
      {"連番", "P-5\r\nq", 0, 2, "1", true, true, "P-5\r\nq", 0},    // inside one line
      {"連番", "none\r\nq", 0, 7, "1", true, true, "none\r\nq", 0},  // no number in the model
      // Full-width digits and circled numbers keep their notation and width;
      // one run is one notation.
      {kAddCaption, "第０９工区\r\n９\r\n１２", 0, 20, "1", true, true, "第１０工区\r\n１０\r\n１３", 22},
      {kAddCaption, "００９", 0, 6, "1", true, false, "１０", 4},
      {kAddCaption, "X-１２", 0, 6, "-20", true, true, "X-－８", 6},
      {kAddCaption, "1２", 0, 3, "1", true, true, "1３", 3},
      {kAddCaption, "1２", 0, 3, "1", false, true, "2２", 3},
      {kAddCaption, "③\r\n②x⑳", 0, 10, "2", false, true, "⑤\r\n④x⑳", 9},
      {kAddCaption, "⑲\r\n⑳\r\nA1", 0, 10, "1", true, true, "⑳\r\n⑳\r\nA2", 10, 1},
      {kAddCaption, "①", 0, 2, "-1", true, true, "①", 0, 1},
      // Digits inside AutoCAD's codes are no number; letters, Roman
      // numerals, kanji and いろは are none either.
      {kAddCaption, "45%%d\r\n\\U+2460 7\r\n%%123", 0, 24, "1", true, true, "46%%d\r\n\\U+2460 8\r\n%%123",
       16},
      {kAddCaption, "第三Ⅱはa", 0, 9, "1", true, true, "第三Ⅱはa", 0},
      {"連番", "No.①\r\nq\r\nq", 0, 11, "1", true, true, "No.①\r\nNo.②\r\nNo.③", 19},
      {"連番", "⑲\r\nq\r\nq\r\nq", 0, 11, "1", true, true, "⑲\r\n⑳\r\nq\r\nq", 6, 2},
      {"連番", "Ａ－０１\r\nq\r\nq", 0, 13, "1", true, true, "Ａ－０１\r\nＡ－０２\r\nＡ－０３", 28},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + " " + c.text + " + " + c.amount);
    SetMemo(c.text, c.selStart, c.selLength);
    TForm3 dialog(host_.Memo1);
    dialog.SetCaption(c.caption);
    Run(dialog, [&] {
      dialog.Edit1.SetText(c.amount);
      dialog.RadioGroup1.SetItemIndex(c.fromEnd ? 1 : 0);
      dialog.CheckBox1.SetChecked(c.fill);
      ClickControl(dialog.Button1);
      EXPECT_TRUE(dialog.Closed());
    });
    EXPECT_EQ(host_.Memo1.Text(), c.expected);
    EXPECT_EQ(host_.Memo1.SelStart(), c.caret);
    EXPECT_EQ(host_.changes, c.text == c.expected ? 0 : 1);
    EXPECT_EQ(dialog.UnchangedLines(), c.unchanged);
  }
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(DialogsTest, AddStopsAtANumberBeyond32BitsWithTheDialogOpen) {
  struct TCase {
    const char* caption;
    std::string expected;
  };
  const TCase cases[] = {
      {kAddCaption, "A2\r\nB99999999999\r\nC3"},  // the line before is changed
      {"連番", "B99999999999\r\nC3"},             // the model cannot be read
  };
  for (const TCase& c : cases) {
    const std::string text =
        c.caption == std::string(kAddCaption) ? "A1\r\nB99999999999\r\nC3" : "B99999999999\r\nC3";
    SetMemo(text, 0, text.size());
    TForm3 dialog(host_.Memo1);
    dialog.SetCaption(c.caption);
    Run(dialog, [&] {
      ClickControl(dialog.Button1);
      EXPECT_FALSE(dialog.Closed());
      const auto boxes = TakeErrorBoxes();
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].Caption, "Vorbel Ver.1.11a");
      EXPECT_EQ(boxes[0].Text, "'99999999999' は整数ではありません.");
      ClickControl(dialog.Button2);
    });
    EXPECT_EQ(host_.Memo1.Text(), c.expected);
  }
}

TEST_F(DialogsTest, AmountTakesTypedDigitsOnlyAndEnterRuns) {
  SetMemo("a1\r\nb1", 0, 6);
  TForm3 dialog(host_.Memo1);
  dialog.SetCaption(kAddCaption);
  Run(dialog, [&] {
    EXPECT_TRUE(dialog.Button1.Focused());
    dialog.Edit1.SetFocus();
    EXPECT_EQ(dialog.Edit1.SelLength(), 1u);
    TypeText(dialog.Edit1, "-1a 2１");  // the minus sign, letters, blanks, a full-width 1
    EXPECT_EQ(dialog.Edit1.Text(), "12");
    PressEnter(dialog);
    EXPECT_TRUE(dialog.Button1.Focused());
    EXPECT_FALSE(dialog.Closed());
    PressEnter(dialog);
    EXPECT_TRUE(dialog.Closed());
  });
  EXPECT_EQ(host_.Memo1.Text(), "a13\r\nb13");
}

TEST_F(DialogsTest, ReplaceInLineKeepsToCharacterBoundaries) {
  struct TCase {
    std::string line, find, replacement;
    bool ignoreCase, all;
    std::string expected;
  };
  const TCase cases[] = {
      {"abc-ABC", "ab", "Z", false, false, "Zc-ABC"},
      {"abc-ABC", "ab", "Z", false, true, "Zc-ABC"},
      {"abc-ABC", "ab", "Z", true, false, "Zc-ABC"},
      {"abc-ABC", "ab", "Z", true, true, "Zc-ZC"},
      {"xAbx", "ab", "Z", true, false, "xZx"},
      {"xAbx", "ab", "Z", false, true, "xAbx"},
      {"aaa", "a", "aa", false, true, "aaaaaa"},  // never into the replacement
      {"aaaa", "aa", "b", false, true, "bb"},     // occurrences do not overlap
      {"abc", "", "x", false, true, "abc"},       // an empty search text is never found
      {"ソ\\", "\\", "/", false, true, "ソ/"},    // ソ ends in 0x5C
      {"アA", "A", "Z", false, true, "アZ"},      // ア is 0x83 0x41
      {"アa", "A", "Z", true, true, "アZ"},
      {"ポ|", "|", "!", false, false, "ポ!"},  // ポ ends in "|"
      {"日本", "本", "国", false, true, "日国"},
      {"ＡＢ", "Ａ", "A", false, true, "AＢ"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ReplaceInLine(c.line, c.find, c.replacement, c.ignoreCase, c.all), c.expected)
        << c.line << " " << c.find << " " << c.ignoreCase << c.all;
  }
}

TEST_F(DialogsTest, ReplaceRewritesTheLinesOfTheSelection) {
  struct TCase {
    std::string text;
    size_t selStart, selLength;
    std::string find, replacement;
    bool ignoreCase, all;
    std::string expected;
    size_t caret;
  };
  const TCase cases[] = {
      {"abc-ABC\r\nxAbx", 0, 10, "ab", "Z", false, false, "Zc-ABC\r\nxAbx", 12},
      {"abc-ABC\r\nxAbx", 0, 10, "ab", "Z", false, true, "Zc-ABC\r\nxAbx", 12},
      {"abc-ABC\r\nxAbx", 0, 10, "ab", "Z", true, false, "Zc-ABC\r\nxZx", 11},
      {"abc-ABC\r\nxAbx", 0, 10, "ab", "Z", true, true, "Zc-ZC\r\nxZx", 10},
      {"ab\r\nab\r\nab", 5, 1, "ab", "c", false, false, "ab\r\nc\r\nab", 5},  // inside one line
      {"ab\r\nab\r\nab", 0, 4, "ab", "c", false, false, "c\r\nc\r\nab", 4},   // ends at a line's start
      {"ab\r\nab", 1, 0, "ab", "c", false, false, "ab\r\nab", 1},             // no selection
      {"ab\r\nab", 0, 2, "ab", "ab", true, true, "ab\r\nab", 0},              // equal texts
      {"ab\r\nab", 0, 2, "", "x", true, true, "ab\r\nab", 2},                 // written back unchanged
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text + " " + c.find + " -> " + c.replacement);
    SetMemo(c.text, c.selStart, c.selLength);
    TForm4 dialog(host_.Memo1);
    dialog.Edit1.SetText(c.find);
    dialog.Edit2.SetText(c.replacement);
    Run(dialog, [&] {
      if (c.ignoreCase) ClickControl(dialog.CheckBox1);
      if (c.all) ClickControl(dialog.CheckBox2);
      ClickControl(dialog.Button1);
      EXPECT_TRUE(dialog.Closed());
    });
    EXPECT_EQ(host_.Memo1.Text(), c.expected);
    EXPECT_EQ(host_.Memo1.SelStart(), c.caret);
    // Equal texts leave even the selection; otherwise every line of the
    // range is written back.
    EXPECT_EQ(host_.Memo1.SelLength(), c.find == c.replacement ? c.selLength : 0u);
    EXPECT_EQ(host_.changes, c.text == c.expected ? 0 : 1);
  }
}

TEST_F(DialogsTest, ReplaceEnterChainAndCancel) {
  SetMemo("abc\r\nabc", 0, 8);
  TForm4 dialog(host_.Memo1);
  dialog.Edit1.SetText("abc");
  dialog.Edit2.SetText("abc");
  Run(dialog, [&] {
    EXPECT_TRUE(dialog.Edit1.Focused());
    TypeText(dialog.Edit1, "b");  // over the selected search text
    PressEnter(dialog);
    EXPECT_TRUE(dialog.Edit2.Focused());
    EXPECT_EQ(dialog.Edit2.SelLength(), 3u);
    TypeText(dialog.Edit2, "あ-");  // Japanese text passes
    PressEnter(dialog);
    EXPECT_TRUE(dialog.Button1.Focused());
    EXPECT_EQ(dialog.Edit1.Text(), "b");
    ClickControl(dialog.Button2);
  });
  EXPECT_EQ(host_.Memo1.Text(), "abc\r\nabc");
  TForm4 again(host_.Memo1);
  again.Edit1.SetText("b");
  again.Edit2.SetText("あ-");
  Run(again, [&] {
    EXPECT_FALSE(again.CheckBox1.Checked());  // nothing is remembered
    again.Edit2.SetFocus();
    PressEnter(again);
    PressEnter(again);
  });
  EXPECT_EQ(host_.Memo1.Text(), "aあ-c\r\naあ-c");
}

}  // namespace
}  // namespace vorbel
