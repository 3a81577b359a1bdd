// The user coordinate system, ANGBASE, ELEVATION and UCSFOLLOW: the
// commands that set them, the prompts that show them, the readings of typed
// points and angles that measure from them, and the header that keeps them.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "base/files.h"
#include "dxf/dxf_pairs.h"
#include "dxf/text_ents.h"
#include "engine/cad_engine.h"
#include "engine/cad_options.h"
#include "support/dxf_builder.h"
#include "support/history_lines.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using cadsim::TCadEngine;

constexpr double kNear = 1e-9;

// Header variables as {name, group code, value}.
using THeader = std::vector<std::vector<std::string>>;

// One text at 10,20, and the header variables after the handle seed.
TLineList DrawingWithHeader(const THeader& header) {
  std::vector<std::string> lines =
      test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A")}).ToStrings();
  std::vector<std::string> added;
  for (size_t i = 0; i < header.size(); ++i) {
    if (i == 0 || header[i][0] != header[i - 1][0]) added.insert(added.end(), {"  9", header[i][0]});
    added.insert(added.end(), {header[i][1], header[i][2]});
  }
  lines.insert(lines.begin() + 12, added.begin(), added.end());  // after "$HANDSEED"
  return TLineList::FromStrings(lines);
}

// A user's UCS at 1000,500 turned by 30 degrees, ANGBASE 90, ELEVATION 7.5,
// UCSFOLLOW 1.
const THeader kUserSettings = {{"$UCSORG", " 10", "1000.0"}, {"$UCSORG", " 20", "500.0"},
                               {"$UCSORG", " 30", "0.0"},    {"$UCSXDIR", " 10", "0.8660254037844386"},
                               {"$UCSXDIR", " 20", "0.5"},   {"$UCSXDIR", " 30", "0.0"},
                               {"$UCSYDIR", " 10", "-0.5"},  {"$UCSYDIR", " 20", "0.8660254037844386"},
                               {"$UCSYDIR", " 30", "0.0"},   {"$ANGBASE", " 50", "1.570796326794897"},
                               {"$ELEVATION", " 40", "7.5"}, {"$UCSFOLLOW", " 70", "1"}};

using test::HistoryLines;

std::vector<std::string> LastLines(const TCadEngine& engine, size_t count) {
  const std::vector<std::string> lines = HistoryLines(engine.FullHistory());
  return {lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())), lines.end()};
}

// The value of a header variable's pair with the group code.
std::string HeaderPair(const TLineList& lines, std::string_view variable, std::string_view code) {
  for (size_t p = 0; p < PairCount(lines); ++p) {
    if (!IsPair(lines, p, "9", variable)) continue;
    for (size_t q = p + 1; q < PairCount(lines) && PairCode(lines, q) != "9" && PairCode(lines, q) != "0";
         ++q) {
      if (PairCode(lines, q) == code) return std::string(PairValue(lines, q));
    }
  }
  return {};
}

double Cos(double degrees) { return std::cos(degrees / 180 * std::numbers::pi); }
double Sin(double degrees) { return std::sin(degrees / 180 * std::numbers::pi); }

class CadSimUcs : public ::testing::Test {
 protected:
  void SetUp() override {
    drawingFile = temp.File("user.dxf");
    SaveLines(drawingFile, DrawingWithHeader(kUserSettings));
    insertFile = temp.File("vorbel.dxf");
    SaveLines(insertFile, test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A")}));
  }
  TCadEngine Engine(const std::vector<std::string>& options) const {
    TCadEngine engine(drawingFile);
    ApplyReadings(cadsim::ParseCadOptions(options), engine);
    return engine;
  }
  // The inserted text, the drawing's second.
  TTextEnt Inserted(const TCadEngine& engine) const {
    TTextEnts ents;
    EXPECT_EQ(ParseTextEnts(engine.Drawing().ToDxf({}, 16), ents), 2);
    return ents.size() == 2 ? ents[1] : TTextEnt{};
  }
  test::TTempDir temp;
  std::string drawingFile;
  std::string insertFile;
};

TEST_F(CadSimUcs, TypedPointsAndAnglesOfTheInsertionFollowTheReadings) {
  // The text lies at 10,20 from the insertion point: where it lands with the
  // insertion point P and the world rotation R.
  struct TCase {
    std::vector<std::string> options;
    std::string answers;  // point, scale and rotation
    TDxfPoint point;      // P, world
    double rotation;      // R, degrees
  };
  const std::vector<std::string> all = {"--ucs", "--angbase", "--elevation"};
  const std::vector<TCase> cases = {
      {{}, "0,0 1 0 ", {0, 0, 0}, 0},
      {{}, "0,0,0 1 0 ", {0, 0, 0}, 0},
      {{}, "*0,0 1 0 ", {0, 0, 0}, 0},
      {{}, "5,6 1 1.5707963267948966r ", {5, 6, 0}, 90},
      {{}, "5,6 1 50g ", {5, 6, 0}, 45},
      {{"--ucs"}, "0,0 1 0 ", {1000, 500, 0}, 30},
      {{"--ucs"}, "0,0,0 1 0 ", {1000, 500, 0}, 30},
      {{"--ucs"}, "*0,0 1 0 ", {0, 0, 0}, 30},
      {{"--ucs"}, "10,0,2 1 45 ", {1000 + 10 * Cos(30), 500 + 10 * Sin(30), 2}, 75},
      {{"--ucs"}, "0,0 1 \r", {1000, 500, 0}, 30},
      {{"--angbase"}, "0,0 1 0 ", {0, 0, 0}, 90},
      {{"--angbase"}, "0,0 1 -90 ", {0, 0, 0}, 0},
      {{"--elevation"}, "0,0 1 0 ", {0, 0, 7.5}, 0},
      {{"--elevation"}, "0,0,0 1 0 ", {0, 0, 0}, 0},
      {{"--elevation"}, "*0,0 1 0 ", {0, 0, 7.5}, 0},
      {all, "0,0 1 0 ", {1000, 500, 7.5}, 120},
      {all, "0,0,0 1 0 ", {1000, 500, 0}, 120},
      {all, "*0,0 1 0 ", {0, 0, 7.5}, 120},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.options) + " " + c.answers);
    TCadEngine engine = Engine(c.options);
    engine.Type("\x03-INSERT *" + insertFile + "\r" + c.answers);
    ASSERT_EQ(engine.PromptText(), "コマンド: ");
    const TTextEnt text = Inserted(engine);
    EXPECT_NEAR(text.InsPoint.X, c.point.X + 10 * Cos(c.rotation) - 20 * Sin(c.rotation), kNear);
    EXPECT_NEAR(text.InsPoint.Y, c.point.Y + 10 * Sin(c.rotation) + 20 * Cos(c.rotation), kNear);
    EXPECT_NEAR(text.InsPoint.Z, c.point.Z, kNear);
    EXPECT_NEAR(std::fmod(text.Rotation + 360, 360), c.rotation, kNear);
  }
  // A click is a world point whatever the readings.
  TCadEngine engine = Engine(all);
  engine.Type("\x03-INSERT *" + insertFile + "\r");
  EXPECT_TRUE(engine.PlacePoint({0, 0, 0}));
  engine.Type("1 -120 ");
  EXPECT_NEAR(Inserted(engine).InsPoint.X, 10, kNear);
  EXPECT_NEAR(Inserted(engine).InsPoint.Z, 0, kNear);
}

TEST_F(CadSimUcs, UcsOptionsChangeTheUcsAndGoBackToPreviousOnes) {
  struct TCase {
    std::vector<std::string> options;
    std::string keys;
    TDxfPoint origin;
    double angle;  // of the UCS's X axis
    double elevation;
    std::vector<std::string> tail;  // the last lines of the history
  };
  const std::string prompt = "UCS のオプションを入力 [新規(N)/移動(M)/前(P)/ワールド(W)] <ワールド>: ";
  const std::vector<TCase> cases = {
      {{}, "'WORLDUCS\r", {1000, 500, 0}, 30, 7.5, {"コマンド: 'WORLDUCS", "WORLDUCS = 0 (読み込み専用)"}},
      {{},
       "_.UCS _W WORLDUCS ",
       {0, 0, 0},
       0,
       0,
       {prompt + "_W", "コマンド: WORLDUCS", "WORLDUCS = 1 (読み込み専用)"}},
      {{}, "ucs \r", {0, 0, 0}, 0, 0, {prompt}},
      {{}, "UCS W UCS P ", {1000, 500, 0}, 30, 0, {prompt + "P"}},
      {{}, "UCS P ", {1000, 500, 0}, 30, 7.5, {prompt + "P", "前の UCS はありません。"}},
      {{},
       "UCS N 10,0,0 ",
       {10, 0, 0},
       30,
       0,
       {prompt + "N", "新しい UCS の原点を指定 または [Z] <0,0,0>: 10,0,0"}},
      {{"--ucs"}, "UCS NEW 10,0 ", {1000 + 10 * Cos(30), 500 + 10 * Sin(30), 0}, 30, 0, {}},
      {{"--ucs"}, "UCS M *10,0 ", {10, 0, 0}, 30, 0, {prompt + "M", "新しい原点を指定 <0,0,0>: *10,0"}},
      {{"--ucs"}, "UCS M \r", {1000, 500, 0}, 30, 0, {}},
      {{},
       "_UCS _N _Z 60 ",
       {1000, 500, 0},
       90,
       0,
       {prompt + "_N", "新しい UCS の原点を指定 または [Z] <0,0,0>: _Z",
        "Z 軸回りの回転角度を指定 <90>: 60"}},
      {{}, "UCS N Z \r", {1000, 500, 0}, 120, 0, {}},
      {{}, "UCS N Z -0.5235987755982988r ", {1000, 500, 0}, 0, 0, {}},
      {{}, "UCS M *0,0 UCS N Z -30 'WORLDUCS\r", {0, 0, 0}, 0, 0, {"WORLDUCS = 1 (読み込み専用)"}},
      {{},
       "UCS X N Z x 10 ",
       {1000, 500, 0},
       40,
       0,
       {prompt + "X", "無効なオプション キーワードです。", prompt + "N",
        "新しい UCS の原点を指定 または [Z] <0,0,0>: Z", "Z 軸回りの回転角度を指定 <90>: x",
        "角度が必要です。", "Z 軸回りの回転角度を指定 <90>: 10"}},
      {{},
       "UCS M 1,a \x03",
       {1000, 500, 0},
       30,
       7.5,
       {"点、またはオプション キーワードが必要です。", "新しい原点を指定 <0,0,0>: *キャンセル*"}},
      {{},
       "SELECT 'WORLDUCS\r\r",
       {1000, 500, 0},
       30,
       7.5,
       {"オブジェクトを選択: 'WORLDUCS", "WORLDUCS = 0 (読み込み専用)", "SELECT コマンドを再開します。",
        "オブジェクトを選択: ", "総数 0 オブジェクトを選択しました。"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.options) + " " + c.keys);
    TCadEngine engine = Engine(c.options);
    engine.Type(c.keys);
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    const cadsim::TUcs ucs = engine.Ucs();
    EXPECT_NEAR(ucs.Origin.X, c.origin.X, kNear);
    EXPECT_NEAR(ucs.Origin.Y, c.origin.Y, kNear);
    EXPECT_NEAR(ucs.Origin.Z, c.origin.Z, kNear);
    EXPECT_NEAR(cadsim::UcsAngle(ucs), c.angle, kNear);
    EXPECT_EQ(engine.Elevation(), c.elevation);
    EXPECT_EQ(LastLines(engine, c.tail.size()), c.tail);
  }
}

TEST_F(CadSimUcs, PreviousGoesBackThroughTheLastTenUcss) {
  TCadEngine engine = Engine({});
  for (int i = 0; i < 11; ++i) engine.Type("UCS N Z 10 ");
  EXPECT_NEAR(cadsim::UcsAngle(engine.Ucs()), 140, kNear);
  for (int i = 0; i < 10; ++i) engine.Type("UCS P ");
  EXPECT_NEAR(cadsim::UcsAngle(engine.Ucs()), 40, kNear) << "the first turn's UCS is no longer kept";
  engine.Type("UCS P ");
  EXPECT_EQ(LastLines(engine, 1).front(), "前の UCS はありません。");
  EXPECT_NEAR(cadsim::UcsAngle(engine.Ucs()), 40, kNear);
}

TEST_F(CadSimUcs, UcsFollowTurnsTheViewToThePlanOfEveryNewUcs) {
  struct TCase {
    std::string keys;
    double twist;
  };
  const std::vector<TCase> cases = {
      {"UCSFOLLOW 0 UCS N Z 60 ", 0},
      {"UCS N Z 60 ", -90},
      {"UCS N Z 120 ", -150},
      {"UCS W UCS N Z 180 ", 180},
      {"UCS N Z 60 UCS P ", -30},
      {"UCS N Z 60 UCSFOLLOW 0 UCS W ", -90},
      {"UCS W ", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.keys);
    TCadEngine engine = Engine({});
    EXPECT_EQ(engine.UcsFollow(), 1);
    engine.Type(c.keys);
    EXPECT_NEAR(engine.ViewTwist(), c.twist, kNear);
  }
}

TEST_F(CadSimUcs, AngBaseAndElevationPromptsShowTheDrawingsUnits) {
  struct TCase {
    THeader header;
    std::string command;
    std::string prompt;
  };
  auto angle = [](const char* units, const char* precision, const char* radians) {
    return THeader{{"$AUNITS", " 70", units}, {"$AUPREC", " 70", precision}, {"$ANGBASE", " 50", radians}};
  };
  const std::string quarter = "1.570796326794897";
  const std::vector<TCase> cases = {
      {{}, "ANGBASE", "<0>"},
      {angle("0", "0", quarter.c_str()), "ANGBASE", "<90>"},
      {angle("0", "2", quarter.c_str()), "ANGBASE", "<90.00>"},
      {angle("0", "4", "6.2831"), "ANGBASE", "<359.9951>"},
      {angle("0", "0", "6.2831"), "ANGBASE", "<0>"},
      {angle("1", "2", "0.5323254218582705"), "ANGBASE", "<30d30'>"},
      {angle("1", "5", "0.5323254218582705"), "ANGBASE", "<30d30'0.0\">"},
      {angle("2", "0", quarter.c_str()), "ANGBASE", "<100g>"},
      {angle("3", "4", quarter.c_str()), "ANGBASE", "<1.5708r>"},
      {angle("4", "0", quarter.c_str()), "ANGBASE", "<N>"},
      {angle("4", "0", "0.0"), "ANGBASE", "<E>"},
      {angle("4", "0", "3.141592653589793"), "ANGBASE", "<W>"},
      {angle("4", "0", "4.71238898038469"), "ANGBASE", "<S>"},
      {angle("4", "0", "1.0471975511965976"), "ANGBASE", "<N 30d E>"},
      {angle("4", "0", "2.0943951023931957"), "ANGBASE", "<N 30d W>"},
      {angle("4", "0", "3.6651914291880923"), "ANGBASE", "<S 60d W>"},
      {angle("4", "0", "5.235987755982989"), "ANGBASE", "<S 30d E>"},
      {angle("4", "3", "1.0471975511965976"), "ANGBASE", "<N 30d0'0\" E>"},
      {{}, "ELEVATION", "<0.0000>"},
      {{{"$ELEVATION", " 40", "7.5"}}, "ELEVATION", "<7.5000>"},
      {{{"$ELEVATION", " 40", "-7.5"}, {"$LUPREC", " 70", "1"}}, "ELEVATION", "<-7.5>"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.prompt);
    SaveLines(drawingFile, DrawingWithHeader(c.header));
    TCadEngine engine(drawingFile);
    engine.Type("'" + c.command + "\r");
    EXPECT_EQ(engine.PromptText(), c.command + " の新しい値を入力 " + c.prompt + ": ");
  }
}

TEST_F(CadSimUcs, AngBaseAndElevationTakeTheirValues) {
  SaveLines(drawingFile, DrawingWithHeader({}));
  struct TCase {
    std::string keys;
    double angBase;  // radians
    double elevation;
    std::vector<std::string> tail;
  };
  const std::string angBase = "ANGBASE の新しい値を入力 <0>: ";
  const std::string elevation = "ELEVATION の新しい値を入力 <0.0000>: ";
  const std::vector<TCase> cases = {
      {"ANGBASE 1.5707963267948966r ", 1.5707963267948966, 0, {angBase + "1.5707963267948966r"}},
      {"ANGBASE 90 ", std::numbers::pi / 2, 0, {}},
      {"ANGBASE 100g ", std::numbers::pi / 2, 0, {}},
      {"ANGBASE -90 ANGBASE ", 3 * std::numbers::pi / 2, 0, {}},
      {"ANGBASE 30 ANGBASE \r", std::numbers::pi / 6, 0, {"ANGBASE の新しい値を入力 <30>: "}},
      {"ANGBASE north ", 0, 0, {angBase + "north", "角度が必要です。"}},
      {"ELEVATION 7.5 ", 0, 7.5, {elevation + "7.5"}},
      {"ELEVATION 7.5 ELEVATION \r", 0, 7.5, {"ELEVATION の新しい値を入力 <7.5000>: "}},
      {"ELEVATION 7,5 ", 0, 0, {elevation + "7,5", "数値が必要です。"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.keys);
    TCadEngine engine(drawingFile);
    engine.Type(c.keys);
    EXPECT_DOUBLE_EQ(engine.AngBase(), c.angBase);
    EXPECT_EQ(engine.Elevation(), c.elevation);
    EXPECT_EQ(LastLines(engine, c.tail.size()), c.tail);
  }
}

// The tool's own sequence around its insertion: the world UCS and ANGBASE 0
// for the insertion, then the user's settings back, in every reading. Inside
// an undo group, U brings the drawing back byte for byte.
TEST_F(CadSimUcs, TheToolsSequencePlacesInTheWorldAndGivesTheSettingsBack) {
  const std::vector<std::vector<std::string>> readings = {
      {}, {"--ucs"}, {"--angbase"}, {"--elevation"}, {"--ucs", "--angbase", "--elevation"}};
  for (const std::vector<std::string>& options : readings) {
    SCOPED_TRACE(::testing::PrintToString(options));
    TCadEngine engine = Engine(options);
    const std::string before = temp.File("before.dxf");
    engine.Type("SAVEAS " + before + "\r\x03_.UNDO _BE ");
    for (const std::string& sent :
         {std::string("_.UCSFOLLOW 0 "), std::string("_.UCS _W "), std::string("_.ANGBASE 0 "),
          "\x03-INSERT *" + insertFile + "\r0,0,0 1 0 ", std::string("_.ANGBASE 1.5707963267948966r "),
          std::string("_.UCS _P "), std::string("_.ELEVATION 7.5 "), std::string("_.UCSFOLLOW 1 "),
          std::string("'WORLDUCS\r"), std::string("'UCSFOLLOW\r")}) {
      engine.Type(sent);
    }
    EXPECT_EQ(engine.PromptText(), "UCSFOLLOW の新しい値を入力 <1>: ");
    engine.Type("\x03");
    EXPECT_EQ(
        LastLines(engine, 4),
        (std::vector<std::string>{"コマンド: 'WORLDUCS", "WORLDUCS = 0 (読み込み専用)",
                                  "コマンド: 'UCSFOLLOW", "UCSFOLLOW の新しい値を入力 <1>: *キャンセル*"}));
    const TTextEnt text = Inserted(engine);
    EXPECT_NEAR(text.InsPoint.X, 10, kNear);
    EXPECT_NEAR(text.InsPoint.Y, 20, kNear);
    EXPECT_NEAR(text.InsPoint.Z, 0, kNear);
    EXPECT_NEAR(text.Rotation, 0, kNear);
    EXPECT_NEAR(engine.Ucs().Origin.X, 1000, kNear);
    EXPECT_NEAR(cadsim::UcsAngle(engine.Ucs()), 30, kNear);
    EXPECT_EQ(engine.AngBase(), std::numbers::pi / 2);
    EXPECT_EQ(engine.Elevation(), 7.5);
    EXPECT_EQ(engine.UcsFollow(), 1);
    EXPECT_EQ(engine.ViewTwist(), 0) << "UCSFOLLOW was 0 while the UCS changed";

    const std::string exported = temp.File("export.dxf");
    engine.Type("\x03_.UNDO _E DXFOUT " + exported + "\r16 U ");
    const TLineList lines = LoadLines(exported);
    EXPECT_EQ(HeaderPair(lines, "$UCSORG", "10"), "1000.0");
    EXPECT_EQ(HeaderPair(lines, "$UCSXDIR", "20"), "0.5");
    EXPECT_EQ(HeaderPair(lines, "$UCSYDIR", "10"), "-0.5");
    EXPECT_EQ(HeaderPair(lines, "$ANGBASE", "50"), "1.570796326794897");
    EXPECT_EQ(HeaderPair(lines, "$ELEVATION", "40"), "7.5");
    const std::string after = temp.File("after.dxf");
    engine.Type("SAVEAS " + after + "\r");
    EXPECT_EQ(ReadFileBytes(after), ReadFileBytes(before));
  }
}

TEST_F(CadSimUcs, SettingsMissingFromTheHeaderAreAddedWhenSet) {
  TCadEngine engine;
  EXPECT_EQ(engine.PromptText(), "コマンド: ");
  EXPECT_TRUE(cadsim::IsWorld(engine.Ucs()));
  const std::string exported = temp.File("new.dxf");
  engine.Type("UCS N 5,6 UCS N Z 90 ANGBASE 45 ELEVATION 2 UCSFOLLOW 1 DXFOUT " + exported + "\r\r");
  const TLineList lines = LoadLines(exported);
  const std::vector<std::vector<std::string>> expected = {
      {"$UCSORG", "10", "5.0"},    {"$UCSORG", "20", "6.0"},
      {"$UCSORG", "30", "0.0"},    {"$UCSXDIR", "10", "0.0"},
      {"$UCSXDIR", "20", "1.0"},   {"$UCSYDIR", "10", "-1.0"},
      {"$UCSYDIR", "20", "0.0"},   {"$ANGBASE", "50", "0.7853981633974483"},
      {"$ELEVATION", "40", "2.0"}, {"$UCSFOLLOW", "70", "1"},
  };
  for (const std::vector<std::string>& pair : expected) {
    EXPECT_EQ(HeaderPair(lines, pair[0], pair[1]), pair[2]) << pair[0] << " " << pair[1];
  }
  engine.Type("U U U U U ");
  EXPECT_EQ(LastLines(engine, 10),
            (std::vector<std::string>{"コマンド: U", "UCSFOLLOW", "コマンド: U", "ELEVATION", "コマンド: U",
                                      "ANGBASE", "コマンド: U", "UCS", "コマンド: U", "UCS"}));
}

}  // namespace
}  // namespace vorbel
