// Update and Make against the drawing's own state in the stand-in CAD: the
// base point, UCS, angle base, elevation and running snaps that change what
// typed values mean, locked layers that ERASE leaves, paper space that an
// insertion leaves out, and objects other than plain texts in the selection.
#include "dxf/drawing_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dxf/dxf_pairs.h"
#include "platform/ui_automation.h"
#include "support/dxf_builder.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::LayerTable;
using test::LineEntity;
using test::OnLayer;
using test::SelectionFile;
using test::TextEntity;
using test::TPairs;
using test::WorkflowTest;

struct TPlacedText {
  std::string text;
  double x;
  double y;
  double z;
  double angle;
};

std::ostream& operator<<(std::ostream& out, const TPlacedText& t) {
  return out << "{" << t.text << " " << t.x << "," << t.y << "," << t.z << " " << t.angle << "°}";
}

bool operator==(const TPlacedText& a, const TPlacedText& b) {
  const auto near = [](double p, double q) { return std::fabs(p - q) < 1e-6; };
  return a.text == b.text && near(a.x, b.x) && near(a.y, b.y) && near(a.z, b.z) &&
         near(std::fmod(a.angle + 360, 360), std::fmod(b.angle + 360, 360));
}

std::vector<TPlacedText> Placed(const TTextEnts& texts) {
  std::vector<TPlacedText> placed;
  for (const TTextEnt& t : texts)
    placed.push_back({t.Text, t.InsPoint.X, t.InsPoint.Y, t.InsPoint.Z, t.Rotation});
  std::sort(placed.begin(), placed.end(),
            [](const TPlacedText& a, const TPlacedText& b) { return a.text < b.text; });
  return placed;
}

class DrawingStateTest : public WorkflowTest {
 protected:
  bool DrawingChanged() { return test::ChangesTheDrawing(TakeCommands()); }
};

// Three texts in a column, one of them turned, at Z 0.
std::vector<TPairs> Column() {
  return {TextEntity("2A", "10.0", "20.0", "A-1"), TextEntity("2B", "10.0", "10.0", "A-2"),
          test::WithPairs(TextEntity("2C", "10.0", "0.0", "A-3"), {{"50", "30.0"}})};
}

const std::vector<TPlacedText> kColumnUpdated = {
    {"B-1", 10, 20, 0, 0}, {"B-2", 10, 10, 0, 0}, {"B-3", 10, 0, 0, 30}};

// The drawing's own settings, as its header holds them.
const TPairs kUserUcs = {{"9", "$UCSORG"},
                         {"10", "1000.0"},
                         {"20", "500.0"},
                         {"30", "0.0"},
                         {"9", "$UCSXDIR"},
                         {"10", "0.8660254037844387"},
                         {"20", "0.5"},
                         {"30", "0.0"},
                         {"9", "$UCSYDIR"},
                         {"10", "-0.5"},
                         {"20", "0.8660254037844387"},
                         {"30", "0.0"}};
const TPairs kViewFollowsUcs = {{"9", "$UCSFOLLOW"}, {"70", "1"}};
const TPairs kNorthUp = {{"9", "$ANGBASE"}, {"50", "1.5707963267948966"}};
const TPairs kElevation = {{"9", "$ELEVATION"}, {"40", "7.5"}};
const TPairs kBasePoint = {{"9", "$INSBASE"}, {"10", "250.0"}, {"20", "-40.0"}, {"30", "0.0"}};

TPairs Joined(std::initializer_list<TPairs> parts) {
  TPairs joined;
  for (const TPairs& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// A line whose end lies 5 units from the origin, within a running snap's
// reach of a point typed there.
const TPairs kLineNearOrigin = {{"0", "LINE"}, {"5", "2F"},   {"8", "0"},    {"100", "AcDbLine"},
                                {"10", "3.0"}, {"20", "4.0"}, {"30", "0.0"}, {"11", "50.0"},
                                {"21", "4.0"}, {"31", "0.0"}};
const TPairs kLayout = {{"9", "$TILEMODE"}, {"70", "0"}};

struct TReadings {
  bool ucs = false;
  bool angBase = false;
  bool elevation = false;
  bool snap = false;
  bool paper = false;  // texts in paper space, inserted by model space only
};

cadsim::TCadOptions Options(const TReadings& r) {
  cadsim::TCadOptions readings;
  readings.PointsInUcs = r.ucs;
  readings.AnglesFromAngBase = r.angBase;
  readings.ElevationOfFlatPoints = r.elevation;
  if (r.snap) readings.TypedPointSnap = 10;
  readings.ModelSpaceOnly = r.paper;
  readings.LockedLayers = true;
  return readings;
}

// The column and the line near the origin; the texts in paper space when
// the user works in a layout.
TLineList StateDrawing(const TPairs& header, bool paper) {
  std::vector<TPairs> entities = Column();
  if (paper) {
    for (TPairs& text : entities) text = test::WithPairs(text, {{"67", "1"}});
  }
  entities.push_back(kLineNearOrigin);
  return SelectionFile(entities, "30", paper ? Joined({header, kLayout}) : header);
}

// The texts of the drawing that lie in paper space.
size_t TextsInPaperSpace(const TLineList& drawing) {
  size_t count = 0;
  bool text = false;
  for (size_t p = 0; p < PairCount(drawing); ++p) {
    if (PairCode(drawing, p) == "0") text = PairValue(drawing, p) == "TEXT";
    if (text && IsPair(drawing, p, "67", "1")) ++count;
  }
  return count;
}

// The user's settings the update and Make must leave as they found them;
// a variable missing from the header has its default.
std::vector<double> UserSettings(const TLineList& drawing) {
  struct TSetting {
    const char* name;
    const char* code;
    double missing;
  };
  const TSetting settings[] = {{"$UCSORG", "10", 0},  {"$UCSORG", "20", 0},    {"$UCSXDIR", "10", 1},
                               {"$UCSXDIR", "20", 0}, {"$UCSYDIR", "10", 0},   {"$UCSYDIR", "20", 1},
                               {"$ANGBASE", "50", 0}, {"$ELEVATION", "40", 0}, {"$UCSFOLLOW", "70", 0}};
  std::vector<double> values;
  for (const TSetting& s : settings) {
    const std::optional<std::string> value = HeaderValue(drawing, s.name, s.code);
    values.push_back(value ? std::stod(*value) : s.missing);
  }
  return values;
}

struct TStateCase {
  const char* name;
  TPairs header;
  TReadings readings;
};

std::vector<TStateCase> StateCases() {
  return {
      {"as the drawing is new", {}, {}},
      // AutoCAD places an inserted file by the file's base point.
      {"a base point of the drawing's own", kBasePoint, {}},
      // Typed points and angles are values of the UCS.
      {"a UCS at 1000,500 turned 30°", kUserUcs, {.ucs = true}},
      {"the same, the view following the UCS", Joined({kUserUcs, kViewFollowsUcs}), {.ucs = true}},
      // A typed angle counts from the angle base.
      {"angle base north", kNorthUp, {.angBase = true}},
      // A point typed with two coordinates gets the elevation as Z.
      {"elevation 7.5", kElevation, {.elevation = true}},
      // "UCS W" sets the elevation to 0 and "UCS P" does not bring it back.
      {"a UCS and elevation 7.5", Joined({kUserUcs, kElevation}), {.ucs = true, .elevation = true}},
      // A running snap takes a typed point to the line's end nearby.
      {"running snaps on typed points", {}, {.snap = true}},
      // AutoCAD inserts only a file's model space.
      {"texts picked in a layout", {}, {.paper = true}},
      {"all of them",
       Joined({kUserUcs, kViewFollowsUcs, kNorthUp, kElevation, kBasePoint}),
       {true, true, true, true, true}},
  };
}

TEST_F(DrawingStateTest, UpdatedTextsStayWhereTheyWereWhateverTheDrawingsState) {
  for (const TStateCase& c : StateCases()) {
    SCOPED_TRACE(c.name);
    Start(StateDrawing(c.header, c.readings.paper), {}, Options(c.readings));
    Select({"2A", "2B", "2C"});
    const TLineList before = SavedDrawing();
    const double view = engine_->ViewTwist();
    Update("B-1\r\nB-2\r\nB-3");
    EXPECT_EQ(Placed(SavedTexts()), kColumnUpdated);
    EXPECT_EQ(TextsInPaperSpace(SavedDrawing()), c.readings.paper ? 3u : 0u) << "back where they were picked";
    EXPECT_TRUE(TakeErrorBoxes().empty());
    EXPECT_EQ(UserSettings(SavedDrawing()), UserSettings(before))
        << "the user's UCS, angle base and elevation";
    EXPECT_EQ(engine_->ViewTwist(), view) << "the view as it was";
    engine_->Type("U ");
    EXPECT_EQ(SavedDrawing().ToBytes(), before.ToBytes()) << "one U takes the update back, settings and all";
  }
}

TEST_F(DrawingStateTest, MadeTextsGoWhereTheUserClicksWhateverTheDrawingsState) {
  // The three ways a placement ends; each gives the user's settings back.
  enum class TEnd { Placed, Cancelled, Interrupted };
  for (const TStateCase& c : StateCases()) {
    for (const TEnd end : {TEnd::Placed, TEnd::Cancelled, TEnd::Interrupted}) {
      SCOPED_TRACE(std::string(c.name) + " " + std::to_string(static_cast<int>(end)));
      Start(StateDrawing(c.header, c.readings.paper), {}, Options(c.readings));
      Select({"2A", "2B", "2C"});
      const TLineList before = SavedDrawing();
      const double view = engine_->ViewTwist();
      form_->Edit1.SetText("2");
      form_->Edit2.SetText("-5");
      form_->Memo1.SetText("N-1\r\nN-2");
      ClickControl(form_->ButtonMake);
      Settle();
      if (end == TEnd::Placed) {
        ASSERT_TRUE(engine_->PlacePoint({100, 50, 0}));
        Tick();
      } else if (end == TEnd::Cancelled) {
        engine_->Type("\x03");
        Tick();
      } else {
        ClickControl(form_->ButtonSelect);
        engine_->Type("\x03");
        Tick();
      }
      Settle();
      EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
      EXPECT_EQ(UserSettings(SavedDrawing()), UserSettings(before));
      EXPECT_EQ(engine_->ViewTwist(), view);
      std::vector<TPlacedText> made;
      for (const TPlacedText& t : Placed(SavedTexts())) {
        if (t.text.starts_with("N-")) made.push_back(t);
      }
      if (end == TEnd::Placed) {
        // The pattern is the last text in coordinate order, A-3, turned 30°.
        EXPECT_EQ(made, (std::vector<TPlacedText>{{"N-1", 100, 50, 0, 30}, {"N-2", 102, 45, 0, 30}}));
      } else {
        EXPECT_TRUE(made.empty());
      }
      EXPECT_TRUE(TakeErrorBoxes().empty());
    }
  }
}

TEST_F(DrawingStateTest, ObjectsOnALockedLayerStopTheUpdateUntilItIsUnlocked) {
  std::vector<TPairs> texts = Column();
  texts[1] = OnLayer(texts[1], "T2");
  texts[2] = OnLayer(texts[2], "t2");
  cadsim::TCadOptions readings;
  readings.LockedLayers = true;
  Start(SelectionFile(texts, "30", {}, LayerTable({{"0", 0}, {"T2", 4}})), {}, readings);
  Select({"2A", "2B", "2C"});
  const std::string before = SavedDrawing().ToBytes();
  const std::string memo = "B-1\r\nB-2\r\nB-3";
  Update(memo);
  EXPECT_FALSE(DrawingChanged());
  EXPECT_EQ(SavedDrawing().ToBytes(), before);
  const auto boxes = TakeErrorBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            "ロックされた画層 (T2) に一覧の図形が 2 個あるため、更新しませんでした。"
            "画層のロックを解除してから、もう一度「更新」してください。編集した行は残っています.");
  EXPECT_EQ(form_->Memo1.Text(), memo);
  EXPECT_TRUE(form_->ButtonUpdate.Enabled());
  EXPECT_TRUE(form_->ButtonMake.Enabled());
  // Unlocked in AutoCAD, one more Update writes the lines back, each text
  // once.
  engine_->Type("-LAYER U T2\r\r");
  Update(memo);
  EXPECT_EQ(Placed(SavedTexts()), kColumnUpdated);
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(DrawingStateTest, ObjectsOtherThanPlainTextsAreDrawnAgainOnlyWhenTheUserSaysSo) {
  const TPairs reactors = {{"102", "{ACAD_REACTORS"}, {"330", "7F"}, {"102", "}"}};
  struct TCase {
    const char* name;
    std::vector<std::string> picked;
    const char* asked;  // part of the question, or none
  };
  const TCase cases[] = {
      {"plain texts", {"2A", "2B"}, nullptr},
      {"a line", {"2A", "2D"}, "線分 1 個"},
      {"a text in a group", {"2A", "2C"}, "グループなどに属する文字 1 個"},
  };
  for (const TCase& c : cases) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (yes ? " はい" : " いいえ"));
      Start(SelectionFile({TextEntity("2A", "10.0", "20.0", "A-1"), TextEntity("2B", "10.0", "10.0", "A-2"),
                           test::WithPairs(TextEntity("2C", "10.0", "0.0", "A-3"), reactors),
                           LineEntity("2D")}));
      Select(c.picked);
      const std::string before = SavedDrawing().ToBytes();
      AnswerQuestions(yes);
      const std::string memo = "X\r\nY\r\n";
      Update(memo);
      const auto questions = TakeQuestions();
      ASSERT_EQ(questions.size(), c.asked != nullptr ? 1u : 0u);
      const bool updated = c.asked == nullptr || yes;
      EXPECT_EQ(DrawingChanged(), updated);
      if (c.asked != nullptr) {
        EXPECT_NE(questions[0].Text.find(c.asked), std::string::npos) << questions[0].Text;
        EXPECT_FALSE(questions[0].YesIsDefault);
      }
      if (!updated) {
        EXPECT_EQ(SavedDrawing().ToBytes(), before);
        EXPECT_EQ(form_->Memo1.Text(), memo) << "the memo stays byte for byte";
        EXPECT_TRUE(form_->ButtonUpdate.Enabled());
      }
      EXPECT_TRUE(TakeErrorBoxes().empty());
    }
  }
}

}  // namespace
}  // namespace vorbel
