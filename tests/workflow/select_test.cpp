// Select and the timer's ticks against the stand-in CAD: the commands in the
// order AutoCAD receives them, the listing, and every way a selection stops.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "dxf/dxf_slices.h"
#include "platform/clipboard.h"
#include "platform/file_path.h"
#include "platform/headless/sim_desktop.h"
#include "platform/headless/sim_screen.h"
#include "platform/ui_automation.h"
#include "support/dxf_builder.h"
#include "support/temp_dir.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::ColumnDrawing;
using test::SelectionFile;
using test::TextEntity;
using test::WorkflowTest;

using test::PreviousSetExport;
using test::TCommands;

TCommands SelectionStart() { return {"\x03\x03", "'SNAPMODE\r", "\x03", "SNAPMODE 0 ", "SELECT "}; }

TCommands ExportCommands(const std::string& file) {
  TCommands commands = {"SNAPMODE 1\r"};
  for (std::string& command : PreviousSetExport(file)) commands.push_back(std::move(command));
  return commands;
}

TEST_F(WorkflowTest, SelectionListsTheTextsInCoordinateOrder) {
  Start(ColumnDrawing());
  sim::Desktop().clipboardText = "利用者のコピー";
  ClickControl(form_->ButtonSelect);
  EXPECT_EQ(TakeCommands(), SelectionStart());
  EXPECT_TRUE(form_->Minimized());
  EXPECT_EQ(form_->TimerMode, TTimerMode::AwaitingSelection);
  EXPECT_TRUE(form_->Timer1.Enabled());
  EXPECT_EQ(engine_->SnapMode(), 0);

  // Ticks while the user picks do nothing.
  for (const char* handle : {"2C", "2D", "2A", "2B"}) {
    EXPECT_TRUE(engine_->Pick(handle));
    Tick();
  }
  EXPECT_TRUE(TakeCommands().empty());
  EXPECT_TRUE(form_->Minimized());

  engine_->Type("\r");
  Tick();
  EXPECT_EQ(TakeCommands(), ExportCommands(ExchangeFile()));
  EXPECT_FALSE(form_->Minimized());
  EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
  EXPECT_FALSE(form_->Timer1.Enabled());
  EXPECT_EQ(engine_->SnapMode(), 1);
  EXPECT_EQ(engine_->FileDia(), 1);
  EXPECT_EQ(ClipboardText(), "利用者のコピー");

  EXPECT_EQ(form_->Memo1.Text(), "A-1\r\nA-2\r\nA-3\r\n");
  EXPECT_EQ(form_->Label1.Text(), "3");
  EXPECT_EQ(form_->Label3.Text(), "3");
  EXPECT_EQ(form_->Edit1.Text(), "0.0");
  EXPECT_EQ(form_->Edit2.Text(), "-10.0");
  EXPECT_FALSE(form_->CheckYpit.Enabled()) << "dX is 0";
  EXPECT_TRUE(form_->CheckXpit.Enabled());
  EXPECT_TRUE(form_->CheckXYpit.Enabled());
  EXPECT_TRUE(form_->ButtonUpdate.Enabled());
  EXPECT_TRUE(form_->ButtonMake.Enabled());

  const TLineList exported = LoadLines(ExchangeFile());
  EXPECT_EQ(form_->Selection.DxfLines, exported);
  EXPECT_EQ(form_->Selection.MaxHandle, GetMaxHandle(exported));
  TLineList pattern;
  CopyEntityByHandle("TEXT", "2C", exported, pattern);
  EXPECT_EQ(form_->Selection.DxfTemplate, pattern) << "the last text in coordinate order";
  EXPECT_EQ(form_->Selection.BaseInsPoint.Y, 0);
  TLineList head;
  TLineList tail;
  CopyDxfHead(exported, head);
  CopyDxfTail(exported, tail);
  EXPECT_EQ(form_->Selection.DxfHead, head);
  EXPECT_EQ(form_->Selection.DxfTail, tail);
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(WorkflowTest, SelectionInFileOrder) {
  Start(ColumnDrawing());
  form_->CheckSort.SetChecked(false);
  Select({"2E", "2C", "2A"});
  EXPECT_EQ(form_->Memo1.Text(), "A-1\r\nA-3\r\n端子\r\n");
  EXPECT_EQ(form_->Edit1.Text(), "30.0") << "from A-3 at (10, 0) to 端子 at (40, 20)";
  EXPECT_EQ(form_->Edit2.Text(), "20.0");
  EXPECT_TRUE(form_->ButtonUpdate.Enabled());
  EXPECT_FALSE(form_->ButtonMake.Enabled());
  EXPECT_FALSE(form_->CheckXYpit.Enabled());
  EXPECT_TRUE(form_->CheckXpit.Enabled());
  EXPECT_TRUE(form_->CheckYpit.Enabled());
}

TEST_F(WorkflowTest, PitchFieldsAndTheBoxesTheyEnable) {
  struct TCase {
    const char* name;
    std::vector<test::TPairs> texts;
    const char* dX;
    const char* dY;
  };
  const std::vector<TCase> cases = {
      {"row at 2.5",
       {TextEntity("2A", "0.0", "5.0", "a"), TextEntity("2B", "2.5", "5.0", "b")},
       "2.5",
       "0.0"},
      {"column at 10",
       {TextEntity("2A", "0.0", "5.0", "a"), TextEntity("2B", "0.0", "-5.0", "b")},
       "0.0",
       "-10.0"},
      {"a step too small for twelve decimals counts as 0",
       {TextEntity("2A", "0.0", "0.0", "a"), TextEntity("2B", "7.25", "0.0000000000001", "b")},
       "7.25",
       "0.0"},
      {"one text: one and a half heights down", {TextEntity("2A", "3.0", "4.0", "a")}, "0.0", "-3.75"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(SelectionFile(c.texts));
    Select(c.texts.size() == 1 ? std::vector<std::string>{"2A"} : std::vector<std::string>{"2A", "2B"});
    EXPECT_EQ(form_->Edit1.Text(), c.dX);
    EXPECT_EQ(form_->Edit2.Text(), c.dY);
    EXPECT_EQ(form_->CheckYpit.Enabled(), std::string(c.dX) != "0.0");
    EXPECT_EQ(form_->CheckXpit.Enabled(), std::string(c.dY) != "0.0" && std::string(c.dY) != "-0.0");
  }
}

TEST_F(WorkflowTest, SelectionsThatStopOnTheWayLeaveNothingToWriteBack) {
  struct TCase {
    const char* name;
    std::vector<std::string> picks;
    const char* ending;
    bool exportedAnything;
    const char* label1;
  };
  const std::vector<TCase> cases = {
      {"cancelled", {"2A", "2B"}, "\x03", false, "2"},
      {"nothing picked", {}, "\r", false, "2"},
      {"only a LINE", {"2D"}, "\r", true, "0"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(ColumnDrawing());
    // An earlier selection, listed and edited.
    Select({"2A", "2B"});
    form_->Edit1.SetText("1.5");
    TakeCommands();
    const size_t drawn = engine_->Drawing().size();
    Select(c.picks, c.ending);
    TCommands expected = SelectionStart();
    const TCommands exported = ExportCommands(ExchangeFile());
    expected.push_back(exported[0]);
    if (c.exportedAnything) expected.insert(expected.end(), exported.begin() + 1, exported.end());
    EXPECT_EQ(TakeCommands(), expected);
    EXPECT_EQ(engine_->SnapMode(), 1);
    EXPECT_FALSE(form_->Minimized());
    EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
    EXPECT_FALSE(form_->Timer1.Enabled());
    EXPECT_EQ(form_->Memo1.Text(), "");
    EXPECT_EQ(form_->Label1.Text(), c.label1);
    EXPECT_EQ(form_->Edit1.Text(), "1.5");
    EXPECT_FALSE(form_->CheckXpit.Enabled());
    EXPECT_EQ(ClipboardText(), "");
    // The memo lists nothing now: neither button, nor a click that reaches
    // the handlers all the same, may write the empty memo back.
    EXPECT_FALSE(form_->ButtonUpdate.Enabled());
    EXPECT_FALSE(form_->ButtonMake.Enabled());
    form_->ButtonUpdateClick();
    form_->ButtonMakeClick();
    Settle();
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_EQ(engine_->Drawing().size(), drawn);
  }
}

TEST_F(WorkflowTest, AMissingOrCutExportListsNothing) {
  struct TCase {
    const char* name;
    bool cut;
  };
  for (const TCase c : {TCase{"missing", false}, TCase{"cut", true}}) {
    SCOPED_TRACE(c.name);
    Start(ColumnDrawing());
    // The export goes beside the program: into a folder that is not there,
    // or cut before its end as a full disk leaves it.
    if (c.cut) {
      engine_->DxfOutFilter = [](TLineList& lines) {
        lines.Erase(lines.size() / 2, lines.size() - lines.size() / 2);
      };
    } else {
      sim::SetProgramPath(dir_.File("missing/vorbel.exe"));
    }
    form_->Label1.SetText("2");
    Select({"2A", "2B"});
    EXPECT_EQ(FileExists(TForm1::ExchangeFile()), c.cut);
    EXPECT_TRUE(form_->Selection.DxfLines.empty());
    EXPECT_FALSE(form_->Selection.Listed);
    EXPECT_EQ(form_->Memo1.Text(), "");
    EXPECT_EQ(form_->Label1.Text(), "2");
    EXPECT_FALSE(form_->ButtonUpdate.Enabled());
    EXPECT_FALSE(form_->Minimized());
    for (const auto& box : TakeErrorBoxes()) ADD_FAILURE() << box.Text;
    sim::SetProgramPath(dir_.File("vorbel.exe"));
  }
}

TEST_F(WorkflowTest, AutoCadClosedWhileTheTimerWaits) {
  // Waiting for the end of a selection, and for the user to place new texts.
  for (const bool placing : {false, true}) {
    SCOPED_TRACE(placing ? "placing" : "selecting");
    Start(ColumnDrawing());
    if (placing) {
      Select({"2A", "2B"});
      ClickControl(form_->ButtonMake);
    } else {
      ClickControl(form_->ButtonSelect);
    }
    ASSERT_TRUE(form_->Timer1.Enabled());
    ASSERT_TRUE(form_->Minimized());
    const std::string memo = form_->Memo1.Text();
    windows_.reset();
    Tick();
    EXPECT_FALSE(form_->Minimized());
    EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
    EXPECT_FALSE(form_->Timer1.Enabled());
    EXPECT_EQ(form_->Memo1.Text(), memo);
    EXPECT_TRUE(TakeErrorBoxes().empty());
  }
}

TEST_F(WorkflowTest, SelectWithoutAutoCadOnlyClearsTheMemo) {
  Start(ColumnDrawing());
  windows_.reset();
  form_->Memo1.SetText("a\r\nb");
  form_->CheckXpit.SetEnabled(true);
  ClickControl(form_->ButtonSelect);
  EXPECT_EQ(form_->Memo1.Text(), "");
  EXPECT_TRUE(form_->CheckXpit.Enabled());
  EXPECT_FALSE(form_->Minimized());
  EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
  EXPECT_FALSE(form_->Timer1.Enabled());
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(WorkflowTest, TogglingTheOrderKeepsTypedLines) {
  // A row written right to left.
  Start(SelectionFile({TextEntity("3A", "30.0", "0.0", "c"), TextEntity("3B", "20.0", "0.0", "b"),
                       TextEntity("3C", "10.0", "0.0", "a")}));
  Select({"3A", "3B", "3C"});
  ASSERT_EQ(form_->Memo1.Text(), "a\r\nb\r\nc\r\n");
  form_->Memo1.SetText("edited\r\nb\r\nc\r\nnew 1\r\nnew 2");
  ClickControl(form_->CheckSort);
  EXPECT_EQ(form_->Memo1.Text(), "c\r\nb\r\na\r\nnew 1\r\nnew 2\r\n") << "file order, typed lines kept";
  EXPECT_EQ(form_->Edit1.Text(), "-10.0");
  EXPECT_EQ(form_->Selection.BaseInsPoint.X, 10);
  EXPECT_FALSE(form_->ButtonMake.Enabled());
  EXPECT_FALSE(form_->Edit1.Enabled());
  EXPECT_FALSE(form_->CheckXYpit.Enabled());
  ClickControl(form_->CheckSort);
  EXPECT_EQ(form_->Memo1.Text(), "a\r\nb\r\nc\r\nnew 1\r\nnew 2\r\n");
  EXPECT_EQ(form_->Selection.TextEnts.back().Handle, "3A");
  EXPECT_EQ(form_->Selection.BaseInsPoint.X, 30);
  EXPECT_EQ(form_->Edit1.Text(), "10.0");
  EXPECT_TRUE(form_->ButtonMake.Enabled());
  EXPECT_EQ(form_->Label3.Text(), "5");
}

TEST_F(WorkflowTest, SelectTypesTheProgramsPathAsAutoCadTakesIt) {
  // "Program Files" has its short name as on Windows, the volume keeping both
  // names of the folder; "図面 作業" has none.
  const std::string programFiles = dir_.File("Program Files");
  std::filesystem::create_directory(FilePath(programFiles));
  std::filesystem::create_directory_symlink(FilePath(programFiles), FilePath(dir_.File("PROGRA~1")));
  std::filesystem::create_directory(FilePath(dir_.File("図面 作業")));
  sim::SetShortName(programFiles, "PROGRA~1");
  struct TCase {
    const char* program;  // in dir_
    const char* typed;    // the export as typed, in dir_; none when Select stops
    const char* error;    // the start of the error box's text then
  };
  const std::vector<TCase> cases = {
      {"Program Files/vorbel.exe", "PROGRA~1/vorbel.dxf", nullptr},
      {"図面 作業/vorbel.exe", nullptr, "図面 作業 の名前に空白があるため、AutoCAD に渡せません。"},
      {"vorbel 2.exe", nullptr, "vorbel 2.dxf の名前に空白があるため、AutoCAD に渡せません。"},
  };
  for (const bool blankEndsNames : {false, true}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.program) + (blankEndsNames ? ", a blank ends a typed name" : ""));
      cadsim::TCadOptions readings;
      readings.BlankEndsFileNames = blankEndsNames;
      Start(ColumnDrawing(), {}, readings);
      Select({"2A", "2B"});
      TakeCommands();
      sim::SetProgramPath(dir_.File(c.program));
      if (c.typed != nullptr) {
        Select({"2C"});
        TCommands expected = SelectionStart();
        const TCommands exported = ExportCommands(dir_.File(c.typed));
        expected.insert(expected.end(), exported.begin(), exported.end());
        EXPECT_EQ(TakeCommands(), expected);
        EXPECT_EQ(form_->Memo1.Text(), "A-3\r\n");
        EXPECT_TRUE(TakeErrorBoxes().empty());
      } else {
        // Stopped before anything changes: AutoCAD got nothing, the window
        // stays, the listed selection too.
        ClickControl(form_->ButtonSelect);
        EXPECT_TRUE(TakeCommands().empty());
        const auto boxes = TakeErrorBoxes();
        EXPECT_EQ(boxes.size(), 1u);
        for (const auto& box : boxes) EXPECT_EQ(box.Text.find(dir_.File(c.error)), 0u) << box.Text;
        EXPECT_FALSE(form_->Minimized());
        EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
        EXPECT_FALSE(form_->Timer1.Enabled());
        EXPECT_EQ(form_->Memo1.Text(), "A-1\r\nA-2\r\n");
        EXPECT_TRUE(form_->ButtonUpdate.Enabled());
      }
      sim::SetProgramPath(dir_.File("vorbel.exe"));
    }
  }
  sim::SetShortName(programFiles, "");
}

TEST_F(WorkflowTest, AutoCadClosedWhileSelectWaitsForItsPrompt) {
  // AutoCAD takes typed input 200 ms late and is closed 100 ms into Select:
  // the click comes back within a poll, not after every wait's patience, and
  // the next tick brings the window back.
  cadsim::TCadOptions readings;
  readings.Timing.InputDelay = 200;
  Start(ColumnDrawing(), {}, readings);
  sim::Desktop().Schedule(100, [this] { windows_.reset(); });
  const uint64_t start = sim::Desktop().Now();
  ClickControl(form_->ButtonSelect);
  EXPECT_LE(sim::Desktop().Now() - start, 200u);
  ASSERT_FALSE(windows_);
  Tick();
  EXPECT_FALSE(form_->Minimized());
  EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
  EXPECT_FALSE(form_->Timer1.Enabled());
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

}  // namespace
}  // namespace vorbel
