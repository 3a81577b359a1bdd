// Edits not written back, against the stand-in CAD: Select, the other order
// and every way of closing ask before they throw them away; Ctrl+Z takes
// back a command's change of the memo but never brings back what a listing
// or an update replaced.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui_automation.h"
#include "texttools/form2.h"
#include "texttools/form4.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::ColumnDrawing;
using test::WorkflowTest;

constexpr unsigned kCtrlZ = 26;
const std::string kQuestion = "編集した行はまだ図面に書き戻していません。編集を破棄して続けますか?";

class UnwrittenEditsTest : public WorkflowTest {
 public:
  // The column in the stand-in and a window in coordinate order, which an
  // earlier window may have left unticked in the settings.
  void StartSorted() {
    Start(ColumnDrawing());
    form_->CheckSort.SetChecked(true);
  }
  // The column's three texts listed: "A-1", "A-2", "A-3".
  void List() {
    StartSorted();
    Select({"2A", "2B", "2C"});
    ASSERT_EQ(form_->Memo1.Text(), "A-1\r\nA-2\r\nA-3\r\n");
  }
  // Types `text` at byte `at` of the memo.
  void TypeAt(size_t at, const std::string& text) {
    form_->Memo1.SetSel(at, 0);
    TypeText(form_->Memo1, text);
  }
  TMemo& Memo() { return form_->Memo1; }
};

TEST_F(UnwrittenEditsTest, LeavingEditedLinesAsksFirstAndNoKeepsEverything) {
  struct TState {
    const char* name;
    std::function<void(UnwrittenEditsTest&)> make;
    bool edited;         // asked before Select and a close
    bool recordsEdited;  // asked before the other order: the records' lines differ
  };
  const std::vector<TState> states = {
      {"listed", [](UnwrittenEditsTest& t) { t.List(); }, false, false},
      {"a listed line typed into",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.TypeAt(3, "b");
       },
       true, true},
      {"blank lines typed after the listed ones",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.TypeAt(15, " \r\n\t\r\n");
       },
       false, false},
      {"a line added after the listed ones",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.TypeAt(15, "A-4");
       },
       true, false},
      {"the last listed line deleted",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.Memo().SetSel(10, 5);
         TypeKey(t.Memo(), 8);
       },
       true, true},
      {"typed back to the listed strings",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.TypeAt(3, "b");
         TypeKey(t.Memo(), 8);
       },
       false, false},
      {"lines typed without a listing",
       [](UnwrittenEditsTest& t) {
         t.StartSorted();
         TypeText(t.Memo(), "新しい行");
       },
       true, false},
      {"blank lines typed without a listing",
       [](UnwrittenEditsTest& t) {
         t.StartSorted();
         TypeText(t.Memo(), "\r\n \r");
       },
       false, false},
      {"lines made into new texts by Make",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.Memo().SetText("作成 1\r\n作成 2");
         ClickControl(t.form_->ButtonMake);
         ASSERT_TRUE(t.engine_->PlacePoint({100, 50, 0}));
         t.Tick();
         ASSERT_EQ(t.form_->TimerMode, TTimerMode::Idle);
       },
       true, true},
      {"written back by Update",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.Memo().SetText("B-1\r\nB-2\r\nB-3");
         ClickControl(t.form_->ButtonUpdate);
         t.Settle();
         ASSERT_EQ(t.Memo().Text(), "");
       },
       false, false},
  };
  struct TWay {
    const char* name;
    bool byOrder;  // the other order asks only for the records' lines
    // Leaves as the user does; true when the program went on.
    std::function<bool(UnwrittenEditsTest&)> leave;
  };
  const std::vector<TWay> ways = {
      {"選択", false,
       [](UnwrittenEditsTest& t) {
         ClickControl(t.form_->ButtonSelect);
         return t.form_->TimerMode == TTimerMode::AwaitingSelection;
       }},
      {"座標順", true,
       [](UnwrittenEditsTest& t) {
         const bool sorted = t.form_->CheckSort.Checked();
         ClickControl(t.form_->CheckSort);
         return t.form_->CheckSort.Checked() != sorted;
       }},
      {"the caption's close button", false,
       [](UnwrittenEditsTest& t) {
         CloseByCaptionButton(*t.form_);
         return t.form_->Closed();
       }},
      {"終了", false,
       [](UnwrittenEditsTest& t) {
         ClickControl(t.form_->Button1);
         return t.form_->Closed();
       }},
      {"signing out", false, [](UnwrittenEditsTest& t) { return QueryEndSession(*t.form_); }},
  };
  for (const TState& state : states) {
    for (const TWay& way : ways) {
      for (const bool yes : {true, false}) {
        SCOPED_TRACE(std::string(state.name) + ", " + way.name + (yes ? ", はい" : ", いいえ"));
        state.make(*this);
        AnswerQuestions(yes);
        TakeQuestions();
        TakeCommands();
        const std::string memo = Memo().Text();
        const bool updateEnabled = form_->ButtonUpdate.Enabled();
        const bool asked = way.byOrder ? state.recordsEdited : state.edited;
        const bool wentOn = way.leave(*this);
        const auto questions = TakeQuestions();
        ASSERT_EQ(questions.size(), asked ? 1u : 0u);
        if (asked) {
          EXPECT_EQ(questions[0].Text, kQuestion);
          EXPECT_FALSE(questions[0].YesIsDefault) << "Enter keeps the edits";
        }
        EXPECT_EQ(wentOn, !asked || yes);
        if (!wentOn) {
          EXPECT_EQ(Memo().Text(), memo);
          EXPECT_EQ(form_->ButtonUpdate.Enabled(), updateEnabled);
          EXPECT_TRUE(TakeCommands().empty());
        }
        EXPECT_TRUE(TakeErrorBoxes().empty());
      }
    }
  }
}

TEST_F(UnwrittenEditsTest, CtrlZTakesBackACommandAndASecondOneBringsItAgain) {
  struct TCase {
    const char* name;
    size_t selStart;
    size_t selLength;
    std::function<void(UnwrittenEditsTest&)> command;
    std::string changed;
  };
  const std::vector<TCase> cases = {
      {"大文字に", 0, 8, [](UnwrittenEditsTest& t) { ChooseMenuItem(t.Memo(), "N8"); },
       "AB-1\r\nAB-2\r\nab-3\r\n"},
      {"全角に", 6, 4, [](UnwrittenEditsTest& t) { ChooseMenuItem(t.Memo(), "N16"); },
       "ab-1\r\nａｂ－２\r\nab-3\r\n"},
      {"置換", 0, 14,
       [](UnwrittenEditsTest& t) {
         SetModalDriver([](TForm& shown) {
           auto& dialog = static_cast<TForm4&>(shown);
           dialog.Edit1.SetText("b-");
           dialog.Edit2.SetText("番");
           ClickControl(dialog.Button1);
         });
         ChooseMenuItem(t.Memo(), "Replace1");
         SetModalDriver(nullptr);
       },
       "a番1\r\na番2\r\na番3\r\n"},
      {"最終行に連番追加", 0, 0,
       [](UnwrittenEditsTest& t) {
         SetModalDriver([](TForm& shown) {
           auto& dialog = static_cast<TForm2&>(shown);
           dialog.Edit3.SetText("2");
           ClickControl(dialog.Button1);
         });
         ChooseMenuItem(t.Memo(), "N4");
         SetModalDriver(nullptr);
       },
       "ab-1\r\nab-2\r\nab-3\r\nab-4\r\nab-5\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(ColumnDrawing());
    // Typed before the command: Ctrl+Z takes back the command alone.
    TypeText(Memo(), "ab-1\r\nab-2\r\nab-3\r\n");
    Memo().SetSel(c.selStart, c.selLength);
    c.command(*this);
    ASSERT_EQ(Memo().Text(), c.changed);
    TypeKey(Memo(), kCtrlZ);
    EXPECT_EQ(Memo().Text(), "ab-1\r\nab-2\r\nab-3\r\n");
    EXPECT_EQ(form_->Label3.Text(), "3") << "the line counter follows";
    TypeKey(Memo(), kCtrlZ);
    EXPECT_EQ(Memo().Text(), c.changed);
    TypeKey(Memo(), kCtrlZ);
    EXPECT_EQ(Memo().Text(), "ab-1\r\nab-2\r\nab-3\r\n");
  }
}

TEST_F(UnwrittenEditsTest, CtrlZNeverBringsBackWhatAListingOrAnUpdateReplaced) {
  struct TCase {
    const char* name;
    std::function<void(UnwrittenEditsTest&)> replace;
    std::string memo;  // the memo afterwards, which Ctrl+Z leaves
  };
  const std::vector<TCase> cases = {
      {"the listing",
       [](UnwrittenEditsTest& t) {
         t.StartSorted();
         TypeText(t.Memo(), "typed");
         t.Select({"2A", "2B", "2C"});
       },
       "A-1\r\nA-2\r\nA-3\r\n"},
      {"the listing in the other order",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.Memo().SetSel(0, 15);
         ChooseMenuItem(t.Memo(), "N11");
         ClickControl(t.form_->CheckSort);
       },
       "A-1\r\nA-2\r\nA-3\r\n"},
      {"the update's clearing",
       [](UnwrittenEditsTest& t) {
         t.List();
         t.Memo().SetSel(0, 15);
         ChooseMenuItem(t.Memo(), "N16");
         ClickControl(t.form_->ButtonUpdate);
         t.Settle();
       },
       ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.replace(*this);
    ASSERT_EQ(Memo().Text(), c.memo);
    TypeKey(Memo(), kCtrlZ);
    EXPECT_EQ(Memo().Text(), c.memo);
  }
}

}  // namespace
}  // namespace vorbel
