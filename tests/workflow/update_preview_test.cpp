// The preview of an update against the stand-in CAD: what it lists, when it
// opens by itself and which button Enter presses then, キャンセル sending
// nothing, and one confirmation only when other objects are drawn again.
#include <gtest/gtest.h>

#include "app/update_preview_form.h"
#include "platform/ui_automation.h"
#include "support/dxf_builder.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::AnswerPreview;
using test::ColumnDrawing;
using test::SelectionFile;
using test::TextEntity;
using test::TSeenPreview;
using test::WorkflowTest;

using test::ChangesTheDrawing;

class UpdatePreviewTest : public WorkflowTest {
 protected:
  // Select, the memo set to `memo`, 更新 with the preview asked for or not.
  void Update(const std::string& memo, bool asked) {
    form_->PopupMenu1.Item("ConfirmUpdate1").Checked = asked;
    form_->Memo1.SetText(memo);
    TakeCommands();
    ClickControl(form_->ButtonUpdate);
    Settle();
  }
};

TEST_F(UpdatePreviewTest, ListsWhatTheUpdateWillDoAndOpensByItselfWhenTextsWouldBeLost) {
  struct TCase {
    const char* name;
    bool sorted;   // 座標順
    bool realign;  // XY間隔を更新 at dY -5
    const char* memo;
    std::vector<std::string> rows;
    const char* counts;
    bool byItself;
  };
  const TCase cases[] = {
      {"a changed string",
       true,
       false,
       "A-1\r\nB-2\r\nA-3",
       {"変更|2|A-2|B-2"},
       "変更 1　削除 0　移動 0　新規 0　文字にならない 0",
       false},
      {"nothing changed",
       true,
       false,
       "A-1\r\nA-2\r\nA-3\r\n\r\n",
       {},
       "変更 0　削除 0　移動 0　新規 0　文字にならない 0",
       false},
      {"an emptied line and no line for the last",
       true,
       false,
       "\r\nA-2",
       {"削除|1|A-1|", "削除|行なし|A-3|"},
       "変更 0　削除 2　移動 0　新規 0　文字にならない 0",
       true},
      {"a blank line is a text of blanks",
       true,
       false,
       "A-1\r\n \r\nA-3",
       {"変更|2|A-2| "},
       "変更 1　削除 0　移動 0　新規 0　文字にならない 0",
       false},
      {"new texts; trailing blank lines dropped",
       true,
       false,
       "A-1\r\nA-2\r\nA-3\r\nA-4\r\n\r\nA-6\r\n \r\n",
       {"新規|4||A-4", "新規|6||A-6"},
       "変更 0　削除 0　移動 0　新規 2　文字にならない 0",
       false},
      {"extra lines without 座標順",
       false,
       false,
       "A-1\r\nA-2\r\nA-3\r\nA-4\r\n\r\n",
       {"文字にならない|4||A-4"},
       "変更 0　削除 0　移動 0　新規 0　文字にならない 1",
       true},
      {"a realignment moves texts",
       true,
       true,
       "A-1\r\nC-2\r\nA-3",
       {"変更|2|A-2|C-2", "移動|2|A-2 (10, 10)|C-2 (10, 15)", "移動|3|A-3 (10, 0)|A-3 (10, 10)"},
       "変更 1　削除 0　移動 2　新規 0　文字にならない 0",
       false},
  };
  for (const TCase& c : cases) {
    for (const bool asked : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (asked ? ", asked for" : ", not asked for"));
      Start(ColumnDrawing());
      form_->CheckSort.SetChecked(c.sorted);
      Select({"2A", "2B", "2C"});
      ASSERT_EQ(form_->Memo1.Text(), "A-1\r\nA-2\r\nA-3\r\n");
      if (c.realign) {
        form_->Edit2.SetText("-5");
        ClickControl(form_->CheckXYpit);
      }
      // Asked for, the preview is cancelled: nothing goes out and the memo
      // stays byte for byte. Not asked for, it opens only by itself, and is
      // then confirmed.
      TSeenPreview seen;
      AnswerPreview(seen, !asked);
      const std::string before = SavedDrawing().ToBytes();
      Update(c.memo, asked);
      EXPECT_EQ(seen.Opened, asked || c.byItself);
      if (!seen.Opened) {
        EXPECT_TRUE(ChangesTheDrawing(TakeCommands()));
        continue;
      }
      EXPECT_EQ(seen.Rows, c.rows);
      EXPECT_EQ(seen.Counts, c.counts);
      EXPECT_EQ(seen.CancelIsDefault, c.byItself);
      if (asked) {
        EXPECT_FALSE(ChangesTheDrawing(TakeCommands()));
        EXPECT_EQ(SavedDrawing().ToBytes(), before);
        EXPECT_EQ(form_->Memo1.Text(), c.memo);
        EXPECT_TRUE(form_->ButtonUpdate.Enabled()) << "the user may try again";
      } else {
        EXPECT_TRUE(ChangesTheDrawing(TakeCommands()));
        EXPECT_EQ(form_->Memo1.Text(), "");
      }
      EXPECT_TRUE(TakeQuestions().empty());
      EXPECT_TRUE(TakeErrorBoxes().empty());
    }
  }
}

TEST_F(UpdatePreviewTest, LinesShiftedByOneOpenThePreviewWithCancelForEnter) {
  std::vector<test::TPairs> texts;
  for (int i = 1; i <= 6; ++i) {
    texts.push_back(TextEntity("2" + std::to_string(i), "0.0", std::to_string(60 - 10 * i) + ".0",
                               "P-" + std::to_string(i)));
  }
  struct TCase {
    const char* name;
    const char* memo;
    size_t shiftedFrom;  // 0: the preview does not open
  };
  const TCase cases[] = {
      // Line 2 deleted instead of emptied, a line added at the end: every
      // string from line 2 on would go onto the text above its own.
      {"a line deleted", "P-1\r\nP-3\r\nP-4\r\nP-5\r\nP-6\r\nP-7", 2},
      {"a line inserted", "P-1\r\nP-2\r\nX\r\nP-3\r\nP-4\r\nP-5", 4},
      {"two lines only", "P-1\r\nP-3\r\nP-4\r\nX\r\nP-5\r\nP-6", 0},
      {"renumbered", "Q-1\r\nQ-2\r\nQ-3\r\nQ-4\r\nQ-5\r\nQ-6", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(SelectionFile(texts));
    Select({"21", "22", "23", "24", "25", "26"});
    ASSERT_EQ(form_->Memo1.Text(), "P-1\r\nP-2\r\nP-3\r\nP-4\r\nP-5\r\nP-6\r\n");
    bool opened = false;
    bool cancelFocused = false;
    SetModalDriver([&](TForm& form) {
      ASSERT_EQ(form.Layout().ClassName, "TUpdatePreviewForm");
      auto& preview = static_cast<TUpdatePreviewForm&>(form);
      opened = true;
      cancelFocused = preview.ButtonCancel.Focused();
      EXPECT_NE(preview.Label2.Text().find(std::to_string(c.shiftedFrom) + " 行目から"), std::string::npos);
      PressEnter(preview);
    });
    Update(c.memo, false);
    EXPECT_EQ(opened, c.shiftedFrom > 0);
    EXPECT_EQ(ChangesTheDrawing(TakeCommands()), c.shiftedFrom == 0);
    if (opened) {
      EXPECT_TRUE(cancelFocused);
      EXPECT_EQ(form_->Memo1.Text(), c.memo) << "Enter cancelled: the memo stays byte for byte";
    }
  }
}

TEST_F(UpdatePreviewTest, OneConfirmationWhenObjectsOtherThanTextsAreDrawnAgain) {
  struct TCase {
    const char* name;
    bool asked;
    const char* memo;
    bool preview;  // else the question box
  };
  const TCase cases[] = {
      {"plain edit", false, "X\r\nY\r\nZ", false},
      {"preview asked for", true, "X\r\nY\r\nZ", true},
      {"preview by itself", false, "X", true},
  };
  for (const TCase& c : cases) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (yes ? " yes" : " no"));
      Start(ColumnDrawing());
      Select({"2A", "2B", "2C", "2D"});
      AnswerQuestions(yes);
      TSeenPreview seen;
      AnswerPreview(seen, yes);
      Update(c.memo, c.asked);
      const auto questions = TakeQuestions();
      EXPECT_EQ(seen.Opened, c.preview);
      EXPECT_EQ(questions.size(), c.preview ? 0u : 1u) << "one box, not two";
      const std::string asked = c.preview ? seen.Warning : questions.at(0).Text;
      EXPECT_NE(asked.find("線分 1 個"), std::string::npos) << asked;
      if (c.preview) {
        EXPECT_TRUE(seen.CancelIsDefault) << "as the question box's いいえ";
      }
      EXPECT_EQ(ChangesTheDrawing(TakeCommands()), yes);
      EXPECT_EQ(form_->Memo1.Text(), yes ? "" : c.memo);
    }
  }
}

}  // namespace
}  // namespace vorbel
