// Update against the stand-in CAD: the edited strings back at their own
// places, emptied lines deleted, realignments, extra lines as new texts, the
// reset, "/E", and the cases where nothing may reach the drawing.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "dxf/creation.h"
#include "dxf/dxf_slices.h"
#include "platform/file_path.h"
#include "platform/headless/sim_screen.h"
#include "platform/ui_automation.h"
#include "support/dxf_builder.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::ColumnDrawing;
using test::SelectionFile;
using test::TextEntity;
using test::WorkflowTest;

using test::ChangesTheDrawing;
using test::DrawingStateQueries;
using test::InsertCommand;
using test::TCommands;

// What Update sends: the check of the previous selection set, the erasure,
// the insertions.
TCommands UpdateCommands(const WorkflowTest& t, bool newTexts) {
  TCommands commands = DrawingStateQueries(t.CheckFile());
  commands.push_back(
      "\x03\x03"
      "_.UNDO _BE ");
  commands.push_back(
      "\x03\x03"
      "ERASE P \r");
  commands.push_back(InsertCommand(t.ExchangeFile()));
  if (newTexts) commands.push_back(InsertCommand(t.NewTextsFile()));
  commands.push_back(
      "\x03"
      "_.UNDO _E ");
  return commands;
}

struct TPlaced {
  std::string text;
  double x;
  double y;
  bool operator==(const TPlaced&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TPlaced& p) {
  return out << "{" << p.text << " " << p.x << " " << p.y << "}";
}

// The drawing's texts by string, as placed.
std::vector<TPlaced> Placed(const TTextEnts& texts) {
  std::vector<TPlaced> placed;
  for (const TTextEnt& t : texts) placed.push_back({t.Text, t.InsPoint.X, t.InsPoint.Y});
  std::sort(placed.begin(), placed.end(), [](const TPlaced& a, const TPlaced& b) { return a.text < b.text; });
  return placed;
}

using UpdateTest = WorkflowTest;

TEST_F(UpdateTest, EditedStringsGoBackToTheirOwnPlaces) {
  Start(ColumnDrawing());
  Select({"2A", "2B", "2C", "2D"});
  // Texts are erased: the preview opens, carrying the question about the
  // LINE, which is drawn again only when the user says so.
  test::TSeenPreview seen;
  test::AnswerPreview(seen, true);
  Update("B-1\r\n\r\nB-3 日本");
  EXPECT_EQ(TakeCommands(), UpdateCommands(*this, false));
  EXPECT_TRUE(TakeQuestions().empty());
  EXPECT_NE(seen.Warning.find("線分 1 個"), std::string::npos);
  EXPECT_EQ(Placed(SavedTexts()),
            (std::vector<TPlaced>{{"B-1", 10, 20}, {"B-3 日本", 10, 0}, {"端子", 40, 20}}));
  EXPECT_EQ(SavedDrawing().ToBytes().find("AcDbLine") != std::string::npos, true) << "the LINE came back";
  // The window is ready for the next selection.
  EXPECT_EQ(form_->Memo1.Text(), "");
  EXPECT_EQ(form_->Label1.Text(), "0");
  EXPECT_EQ(form_->Label3.Text(), "0");
  EXPECT_EQ(form_->Label3.FontColor(), kColorBlack);
  EXPECT_TRUE(form_->Selection.TextEnts.empty());
  EXPECT_EQ(form_->Edit1.Text(), "0");
  EXPECT_EQ(form_->Edit2.Text(), "0");
  EXPECT_FALSE(form_->ButtonUpdate.Enabled());
  EXPECT_FALSE(form_->ButtonMake.Enabled());
  EXPECT_TRUE(form_->CheckXpit.Enabled()) << "the pitch boxes keep their state";
  EXPECT_FALSE(form_->Closed());
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(UpdateTest, LinesTheUserLeftAloneKeepTheirTextsBytes) {
  // The memo gives these back as other bytes: duplicate codes of code page
  // 932 (the NEC row, NEC-selected IBM extensions), an undefined code, a
  // lead byte without its second byte.
  const std::vector<std::string> strings = {"\x87\x90\x87\x91 NEC", "\xED\x40 IBM", "\x85\x40 \x81", "ABC"};
  std::vector<test::TPairs> texts;
  for (size_t i = 0; i < strings.size(); ++i) {
    texts.push_back(TextEntity("2" + std::to_string(i), "0.0", std::to_string(10 * i) + ".0", strings[i]));
  }
  // In coordinate order the memo lists them bottom text last: the other way
  // round from the file.
  for (const bool sorted : {false, true}) {
    SCOPED_TRACE(sorted ? "coordinate order" : "file order");
    Start(SelectionFile(texts));
    form_->CheckSort.SetChecked(sorted);
    Select({"20", "21", "22", "23"});
    std::vector<std::string> lines = form_->Memo1.Lines();
    ASSERT_EQ(lines.size(), strings.size());
    EXPECT_NE(lines[sorted ? 3 : 0], strings[0]) << "the memo shows other bytes";
    lines.back() = "XYZ";
    std::string memo;
    for (const std::string& line : lines) memo += line + "\r\n";
    std::vector<std::string> expected = strings;
    expected[static_cast<size_t>(form_->Selection.TextEnts.back().Index)] = "XYZ";
    Update(memo);
    std::vector<std::string> saved;
    for (const TTextEnt& t : SavedTexts()) saved.push_back(t.Text);
    EXPECT_EQ(saved, expected);
  }
}

TEST_F(UpdateTest, AShortMemoDeletesTheTextsBeyondIt) {
  Start(ColumnDrawing());
  Select({"2A", "2B", "2C"});
  test::TSeenPreview seen;
  test::AnswerPreview(seen, true);
  Update("X-1");
  EXPECT_EQ(seen.Rows, (std::vector<std::string>{"変更|1|A-1|X-1", "削除|行なし|A-2|", "削除|行なし|A-3|"}));
  EXPECT_EQ(Placed(SavedTexts()), (std::vector<TPlaced>{{"X-1", 10, 20}, {"端子", 40, 20}}));
}

TEST_F(UpdateTest, Realignments) {
  // A row with uneven steps and heights: (0, 0), (3, 0.5), (4, -0.2).
  const TLineList row =
      SelectionFile({TextEntity("2A", "3.0", "0.5", "b"), TextEntity("2B", "0.0", "0.0", "a"),
                     TextEntity("2C", "4.0", "-0.2", "c")});
  struct TCase {
    const char* name;
    TCheckBox TForm1::*box;
    const char* memo;
    std::vector<TPlaced> placed;
  };
  const std::vector<TCase> cases = {
      {"XY間隔を更新 with dX 2.5, dY 0",
       &TForm1::CheckXYpit,
       "a\r\nb\r\nc",
       {{"a", 0, 0}, {"b", 2.5, 0}, {"c", 5, 0}}},
      // New texts continue from the last realigned text, not from the first.
      {"XY間隔を更新 and two lines more",
       &TForm1::CheckXYpit,
       "a\r\nb\r\nc\r\nd\r\ne",
       {{"a", 0, 0}, {"b", 2.5, 0}, {"c", 5, 0}, {"d", 7.5, 0}, {"e", 10, 0}}},
      {"横整列", &TForm1::CheckYpit, "a\r\nb\r\nc", {{"a", 0, 0}, {"b", 3, 0}, {"c", 4, 0}}},
      {"none", nullptr, "a\r\nb\r\nc", {{"a", 0, 0}, {"b", 3, 0.5}, {"c", 4, -0.2}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(row);
    Select({"2A", "2B", "2C"});
    ASSERT_EQ(form_->Memo1.Text(), "a\r\nb\r\nc\r\n");
    form_->Edit1.SetText("2.5");
    form_->Edit2.SetText("0");
    if (c.box != nullptr) ClickControl((*form_).*c.box);
    Update(c.memo);
    EXPECT_EQ(Placed(SavedTexts()), c.placed);
  }
}

TEST_F(UpdateTest, AColumnRealignmentInFileOrderKeepsEachLineOnItsText) {
  // Listed in file order: 2A "upper right", 2B "lower left", 2C "middle";
  // 縦整列 sorts them top to bottom, yet every line stays with its text.
  Start(SelectionFile({TextEntity("2A", "0.3", "20.0", "upper"), TextEntity("2B", "0.0", "0.0", "lower"),
                       TextEntity("2C", "0.1", "10.0", "middle")}));
  form_->CheckSort.SetChecked(false);
  Select({"2A", "2B", "2C"});
  ASSERT_EQ(form_->Memo1.Text(), "upper\r\nlower\r\nmiddle\r\n");
  ASSERT_TRUE(form_->CheckXpit.Enabled());
  ClickControl(form_->CheckXpit);
  test::TSeenPreview seen;
  test::AnswerPreview(seen, true);
  Update("UPPER\r\nLOWER\r\nMIDDLE\r\nnot made");
  EXPECT_TRUE(seen.Opened) << "the line beyond the records becomes no text";
  EXPECT_EQ(Placed(SavedTexts()),
            (std::vector<TPlaced>{{"LOWER", 0.3, 0}, {"MIDDLE", 0.3, 10}, {"UPPER", 0.3, 20}}));
  EXPECT_EQ(TakeCommands(), UpdateCommands(*this, false))
      << "lines beyond the records are not made in file order";
}

TEST_F(UpdateTest, ExtraLinesBecomeNewTextsAtThePitch) {
  Start(ColumnDrawing());
  Select({"2A", "2B", "2C"});
  ASSERT_EQ(form_->Edit2.Text(), "-10.0");
  const int32_t maxHandle = form_->Selection.MaxHandle;
  const std::string before = SavedDrawing().ToBytes();
  Update("A-1\r\nA-2\r\nA-3\r\nA-4\r\n  \r\nA-6\r\n\r\n \r\n");
  EXPECT_EQ(TakeCommands(), UpdateCommands(*this, true));
  EXPECT_EQ(Placed(SavedTexts()), (std::vector<TPlaced>{{"A-1", 10, 20},
                                                        {"A-2", 10, 10},
                                                        {"A-3", 10, 0},
                                                        {"A-4", 10, -10},
                                                        {"A-6", 10, -30},
                                                        {"端子", 40, 20}}));
  // The new texts have a file of their own, with the handles the stand-in
  // read; the update file keeps the three texts.
  TTextEnts updated;
  EXPECT_EQ(ParseTextEnts(LoadLines(ExchangeFile()), updated), 3);
  TTextEnts created;
  ParseTextEnts(LoadLines(NewTextsFile()), created);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0].Handle, NewHandleText(maxHandle + 101));
  EXPECT_EQ(created[1].Handle, NewHandleText(maxHandle + 103));
  EXPECT_EQ(form_->Memo1.Text(), "");
  // One U takes the whole update back: the erasure and both insertions.
  engine_->Type("U ");
  EXPECT_EQ(SavedDrawing().ToBytes(), before);
}

TEST_F(UpdateTest, EndsTheProgramWhenStartedWithE) {
  struct TCase {
    std::vector<std::string> arguments;
    bool ends;
  };
  const std::vector<TCase> cases = {{{"/E"}, true}, {{"/e"}, true},  {{"/E", "x"}, true},
                                    {{}, false},    {{"/X"}, false}, {{"x", "/E"}, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "none" : c.arguments.front());
    Start(ColumnDrawing(), c.arguments);
    Select({"2A"});
    Update("B");
    EXPECT_EQ(form_->Closed(), c.ends);
  }
}

TEST_F(UpdateTest, NothingReachesTheDrawingWhenUpdateCannotFinish) {
  struct TCase {
    const char* name;
    std::function<void(UpdateTest&)> spoil;
    const char* error;     // the error box's text, or none
    bool mayBeTriedAgain;  // Update and Make stay enabled
  };
  const std::vector<TCase> cases = {
      {"no AutoCAD", [](UpdateTest& t) { t.windows_.reset(); }, nullptr, true},
      {"dX no number", [](UpdateTest& t) { t.form_->Edit1.SetText("1,5"); },
       "'1,5' は浮動小数点数ではありません.", true},
      {"the exchange file cannot be written",
       [](UpdateTest& t) {
         DeleteFileAt(t.ExchangeFile());
         std::filesystem::create_directory(FilePath(t.ExchangeFile()));
       },
       "に書き込めません.", false},
      // The user selected every object in AutoCAD after the listing: ERASE P
      // would erase them all.
      {"the previous selection set is no longer the listed one",
       [](UpdateTest& t) { t.engine_->Type("SELECT ALL \r"); },
       "AutoCAD の前回の選択セットが一覧の図形と違うため、更新しませんでした。", true},
      {"the check export never comes whole",
       [](UpdateTest& t) {
         t.engine_->DxfOutFilter = [](TLineList& lines) { lines.Erase(lines.size() - 2, 2); };
       },
       "AutoCAD の前回の選択セットを書き出せなかったため、更新しませんでした。", true},
      {"a blank in the program's folder, which has no short name",
       [](UpdateTest& t) { sim::SetProgramPath(t.dir_.File("図面 作業/vorbel.exe")); },
       "図面 作業 の名前に空白があるため、AutoCAD に渡せません。", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(FilePath(ExchangeFile()));
    Start(ColumnDrawing());
    Select({"2A", "2B"});
    const std::string before = SavedDrawing().ToBytes();
    c.spoil(*this);
    Update("new\r\nlines");
    sim::SetProgramPath(dir_.File("vorbel.exe"));
    EXPECT_FALSE(ChangesTheDrawing(TakeCommands()));
    if (windows_) {
      EXPECT_EQ(SavedDrawing().ToBytes(), before);
    }
    const auto boxes = TakeErrorBoxes();
    if (c.error == nullptr) {
      EXPECT_TRUE(boxes.empty());
    } else {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].Text.find(c.error), std::string::npos) << boxes[0].Text;
    }
    EXPECT_EQ(form_->Memo1.Text(), "new\r\nlines") << "the edits stay";
    EXPECT_EQ(form_->ButtonUpdate.Enabled(), c.mayBeTriedAgain);
    EXPECT_EQ(form_->ButtonMake.Enabled(), c.mayBeTriedAgain);
    EXPECT_EQ(form_->Selection.TextEnts.size(), 2u);
    // Tried again, the update starts from the selection as it was listed.
    if (c.mayBeTriedAgain) {
      EXPECT_EQ(form_->Selection.TextEnts[0].Text, "A-1");
    }
  }
}

TEST_F(UpdateTest, AnotherSelectionOfAsManyObjectsIsNotErased) {
  // After the listing the user selects two other objects in AutoCAD: ERASE P
  // would erase them, although they are as many as the listed ones.
  Start(ColumnDrawing());
  Select({"2A", "2B"});
  const std::string before = SavedDrawing().ToBytes();
  engine_->Type("SELECT ");
  EXPECT_TRUE(engine_->PickHandles({"2C", "2E"}));
  engine_->Type("\r");
  Update("new\r\nlines");
  EXPECT_FALSE(ChangesTheDrawing(TakeCommands()));
  EXPECT_EQ(SavedDrawing().ToBytes(), before);
  const auto boxes = TakeErrorBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Text.find("AutoCAD の前回の選択セットが一覧の図形と違うため、"), std::string::npos)
      << boxes[0].Text;
}

TEST_F(UpdateTest, UpdateWhileMakeAwaitsThePlacementEndsThePlacementFirst) {
  Start(ColumnDrawing());
  Select({"2A", "2B", "2C"});
  ClickControl(form_->ButtonMake);
  ASSERT_EQ(form_->TimerMode, TTimerMode::AwaitingPlacement);
  Update("B-1\r\nB-2\r\nB-3");
  // The insertion is cancelled and its undo group ended before the update's
  // commands, which would otherwise go to the prompt for the point.
  TCommands expected = {"\x03", "_.UNDO _E "};
  const TCommands update = UpdateCommands(*this, false);
  expected.insert(expected.end(), update.begin(), update.end());
  EXPECT_EQ(TakeCommands(), expected);
  EXPECT_EQ(Placed(SavedTexts()),
            (std::vector<TPlaced>{{"B-1", 10, 20}, {"B-2", 10, 10}, {"B-3", 10, 0}, {"端子", 40, 20}}));
  EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
  EXPECT_FALSE(form_->Timer1.Enabled());
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(UpdateTest, SwappedLinesInCoordinateOrderSwapTheirTextsStrings) {
  // The file holds the lower text first; the memo lists the upper one first.
  Start(SelectionFile({TextEntity("2A", "0.0", "0.0", "lower"), TextEntity("2B", "0.0", "10.0", "upper")}));
  Select({"2A", "2B"});
  ASSERT_EQ(form_->Memo1.Text(), "upper\r\nlower\r\n");
  Update("lower\r\nupper");
  EXPECT_EQ(Placed(SavedTexts()), (std::vector<TPlaced>{{"lower", 0, 10}, {"upper", 0, 0}}));
}

}  // namespace
}  // namespace vorbel
