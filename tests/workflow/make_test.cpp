// Make against the stand-in CAD: the creation file, the insertion the user
// places, the timer answering the scale prompt; the pitch boxes.
#include <gtest/gtest.h>

#include "base/files.h"
#include "dxf/creation.h"
#include "platform/ui_automation.h"
#include "support/dxf_builder.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::ColumnDrawing;
using test::WorkflowTest;

using TCommands = std::vector<std::string>;

class MakeTest : public WorkflowTest {
 protected:
  // A selection of the column, then Make with `memo` at the pitch dX, dY.
  void Make(const std::string& memo, const char* dX, const char* dY) {
    Start(ColumnDrawing());
    Select({"2A", "2B", "2C"});
    form_->Edit1.SetText(dX);
    form_->Edit2.SetText(dY);
    form_->Memo1.SetText(memo);
    before_ = SavedDrawing().ToBytes();
    TakeCommands();
    ClickControl(form_->ButtonMake);
  }

  std::string before_;  // the drawing as saved before Make
};

TEST_F(MakeTest, NewTextsAtThePitchPlacedByTheUser) {
  Make("N-1\r\n\r\nN-3\r\n \r\n", "0", "-5");
  TCommands expected = test::DrawingStateQueries(CheckFile());
  expected.push_back(
      "\x03"
      "_.UNDO _BE ");
  expected.push_back("\x03-INSERT *" + ExchangeFile() + "\r");
  EXPECT_EQ(TakeCommands(), expected);
  EXPECT_EQ(form_->Memo1.Text(), "N-1\r\n\r\nN-3") << "trailing blank lines go";
  EXPECT_EQ(form_->TimerMode, TTimerMode::AwaitingPlacement);
  EXPECT_TRUE(form_->Timer1.Enabled());
  EXPECT_TRUE(form_->Minimized());

  TTextEnts created;
  ParseTextEnts(LoadLines(ExchangeFile()), created);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0].Text, "N-1");
  EXPECT_EQ(created[0].InsPoint.Y, 0);
  EXPECT_EQ(created[1].Text, "N-3");
  EXPECT_EQ(created[1].InsPoint.Y, -10);
  EXPECT_EQ(created[1].InsPoint.X, 0);
  EXPECT_EQ(created[0].Handle, NewHandleText(form_->Selection.MaxHandle * 10));
  EXPECT_EQ(created[1].Handle, NewHandleText(form_->Selection.MaxHandle * 10 + 2));

  // Ticks while AutoCAD asks for the insertion point do nothing.
  Tick();
  EXPECT_TRUE(TakeCommands().empty());
  EXPECT_EQ(form_->TimerMode, TTimerMode::AwaitingPlacement);
  ASSERT_TRUE(engine_->PlacePoint({100, 50, 0}));
  Tick();
  EXPECT_EQ(TakeCommands(), (TCommands{"1 0 ", "_.UNDO _E "}));
  EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
  EXPECT_FALSE(form_->Timer1.Enabled());
  EXPECT_FALSE(form_->Minimized());

  size_t found = 0;
  for (const TTextEnt& t : SavedTexts()) {
    if (t.Text == "N-1") found += t.InsPoint.X == 100 && t.InsPoint.Y == 50;
    if (t.Text == "N-3") found += t.InsPoint.X == 100 && t.InsPoint.Y == 40;
  }
  EXPECT_EQ(found, 2u);
  // Make leaves the list as it was, so it can be repeated.
  EXPECT_EQ(form_->Selection.TextEnts.size(), 3u);
  EXPECT_TRUE(form_->ButtonMake.Enabled());
  EXPECT_TRUE(form_->ButtonUpdate.Enabled());
  // One U takes all of it back.
  engine_->Type("U ");
  EXPECT_EQ(SavedDrawing().ToBytes(), before_);
}

TEST_F(MakeTest, AnAbandonedPlacementEndsItsUndoGroup) {
  struct TCase {
    const char* name;
    std::function<void(MakeTest&)> abandon;
    TCommands commands;  // the first ones sent then
  };
  const std::vector<TCase> cases = {
      {"cancelled in AutoCAD",
       [](MakeTest& t) {
         t.engine_->Type("\x03");
         t.Tick();
       },
       {"_.UNDO _E "}},
      {"Select pressed while AutoCAD asks for the point",
       [](MakeTest& t) { ClickControl(t.form_->ButtonSelect); },
       {"\x03", "_.UNDO _E ", "\x03\x03"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Make("N-1", "0", "-5");
    TakeCommands();
    c.abandon(*this);
    TCommands commands = TakeCommands();
    commands.resize(std::min(commands.size(), c.commands.size()));
    EXPECT_EQ(commands, c.commands);
    EXPECT_FALSE(form_->Timer1.Enabled() && form_->TimerMode == TTimerMode::AwaitingPlacement);
    engine_->Type("\x03\x03");
    EXPECT_EQ(SavedDrawing().ToBytes(), before_);
    // The group is closed: a U takes back only the empty group.
    engine_->Type("U ");
    EXPECT_EQ(SavedDrawing().ToBytes(), before_);
  }
}

TEST_F(MakeTest, HandlesFromTheLargestHandle) {
  Start(ColumnDrawing());
  Select({"2A"});
  form_->Selection.MaxHandle = 0x1A;
  form_->Memo1.SetText("a\r\nb");
  ClickControl(form_->ButtonMake);
  TTextEnts created;
  ParseTextEnts(LoadLines(ExchangeFile()), created);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0].Handle, "104");
  EXPECT_EQ(created[1].Handle, "105");
}

TEST_F(MakeTest, MakeThatDoesNothing) {
  struct TCase {
    const char* name;
    std::function<void(MakeTest&)> prepare;
  };
  const std::vector<TCase> cases = {
      {"empty memo", [](MakeTest& t) { t.form_->Memo1.SetText(""); }},
      {"more blank lines than records", [](MakeTest& t) { t.form_->Memo1.SetText(" \r\n\r\n \r\n"); }},
      {"file order", [](MakeTest& t) { t.form_->CheckSort.SetChecked(false); }},
      {"no AutoCAD", [](MakeTest& t) { t.windows_.reset(); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(ColumnDrawing());
    Select({"2A", "2B"});
    DeleteFileAt(ExchangeFile());
    c.prepare(*this);
    TakeCommands();
    form_->ButtonMakeClick();
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_FALSE(FileExists(ExchangeFile()));
    EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
    EXPECT_FALSE(form_->Minimized());
    EXPECT_TRUE(TakeErrorBoxes().empty());
    EXPECT_EQ(form_->Selection.TextEnts.size(), 2u);
  }
}

TEST_F(MakeTest, AtMostOnePitchBoxIsChecked) {
  Start(ColumnDrawing());
  form_->CheckXpit.SetEnabled(true);
  form_->CheckYpit.SetEnabled(true);
  form_->CheckXYpit.SetEnabled(true);
  struct TCase {
    TCheckBox TForm1::*click;
    const char* checked;  // X, Y, XY after the click
  };
  const std::vector<TCase> cases = {
      {&TForm1::CheckXYpit, "001"}, {&TForm1::CheckYpit, "010"},  {&TForm1::CheckYpit, "000"},
      {&TForm1::CheckXpit, "100"},  {&TForm1::CheckXYpit, "001"}, {&TForm1::CheckXYpit, "000"},
  };
  for (const TCase& c : cases) {
    ClickControl((*form_).*c.click);
    const std::string state = {form_->CheckXpit.Checked() ? '1' : '0', form_->CheckYpit.Checked() ? '1' : '0',
                               form_->CheckXYpit.Checked() ? '1' : '0'};
    EXPECT_EQ(state, c.checked);
  }
}

TEST_F(MakeTest, MakeWithoutAListedSelectionDoesNothing) {
  // 座標順 ticked before any selection and lines typed: there is no listed
  // text to shape new texts like, so neither the button nor a click that
  // reaches the handler all the same may make any.
  Start(ColumnDrawing());
  ClickControl(form_->CheckSort);
  ClickControl(form_->CheckSort);
  ASSERT_TRUE(form_->CheckSort.Checked());
  form_->Memo1.SetText("N-1\r\nN-2");
  EXPECT_FALSE(form_->ButtonMake.Enabled());
  TakeCommands();
  form_->ButtonMakeClick();
  EXPECT_TRUE(TakeCommands().empty());
  EXPECT_FALSE(FileExists(ExchangeFile()));
  EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
  EXPECT_FALSE(form_->Minimized());
}

}  // namespace
}  // namespace vorbel
