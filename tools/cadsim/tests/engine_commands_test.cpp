// The commands the tool relies on, on a small drawing: SELECT and its echo,
// DXFOUT of the previous selection, ERASE P, -INSERT of an exported file and
// SAVEAS for reading the drawing back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/dxf_pairs.h"
#include "dxf/dxf_slices.h"
#include "dxf/text_ents.h"
#include "engine/cad_engine.h"
#include "engine/cad_options.h"
#include "engine/stepped_input.h"
#include "platform/file_path.h"
#include "support/dxf_builder.h"
#include "support/history_lines.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using cadsim::TCadEngine;

// Three texts and a line; the largest handle is 2D, the seed 30.
TLineList SampleDrawing() {
  return test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A-1"),
                              test::TextEntity("2B", "20.0", "20.0", "A-2"), test::LineEntity("2C"),
                              test::TextEntity("2D", "30.0", "20.0", "日本語 テキスト")});
}

using test::HistoryLines;

// The history written since `before` lines.
std::vector<std::string> LinesSince(const TCadEngine& engine, size_t before) {
  std::vector<std::string> lines = HistoryLines(engine.FullHistory());
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(before));
  return lines;
}

// Typed keys, or "#2A" for a pick of the entity with handle 2A.
void Drive(TCadEngine& engine, const std::vector<std::string>& actions) {
  for (const std::string& action : actions) {
    if (action.starts_with("#")) {
      EXPECT_TRUE(engine.Pick(action.substr(1))) << action;
    } else {
      engine.Type(action);
    }
  }
}

std::vector<std::string> Handles(const TTextEnts& ents) {
  std::vector<std::string> handles;
  for (const TTextEnt& ent : ents) handles.push_back(ent.Handle);
  return handles;
}

// The entity types of the entities section, in order.
std::vector<std::string> EntityTypes(const TLineList& lines) {
  std::vector<std::string> types;
  bool inEntities = false;
  for (size_t p = 0; p < PairCount(lines); ++p) {
    if (IsEndSection(lines, p)) inEntities = false;
    if (inEntities && PairCode(lines, p) == "0") types.emplace_back(PairValue(lines, p));
    if (IsEntitiesMarker(lines, p)) inEntities = true;
  }
  return types;
}

// The value of a header variable.
std::string HeaderValue(const TLineList& lines, std::string_view name) {
  for (size_t p = 0; p + 1 < PairCount(lines); ++p) {
    if (IsPair(lines, p, "9", name)) return std::string(PairValue(lines, p + 1));
  }
  return {};
}

// A drawing of the header variables, the tables and the entities given, the
// handle seed 30.
TLineList DrawingFile(const test::TPairs& header, const test::TPairs& tables,
                      const std::vector<test::TPairs>& entities) {
  test::TPairs pairs = {{"0", "SECTION"}, {"2", "HEADER"}, {"9", "$HANDSEED"}, {"5", "30"}};
  pairs.insert(pairs.end(), header.begin(), header.end());
  pairs.insert(pairs.end(), {{"0", "ENDSEC"}, {"0", "SECTION"}, {"2", "TABLES"}});
  pairs.insert(pairs.end(), tables.begin(), tables.end());
  pairs.insert(pairs.end(), {{"0", "ENDSEC"}, {"0", "SECTION"}, {"2", "ENTITIES"}});
  for (const test::TPairs& entity : entities) pairs.insert(pairs.end(), entity.begin(), entity.end());
  pairs.insert(pairs.end(), {{"0", "ENDSEC"}, {"0", "EOF"}});
  return test::PairsToLines(pairs);
}

using test::OnLayer;

std::vector<std::string> EntityHandles(const TCadEngine& engine) {
  std::vector<std::string> handles;
  for (const cadsim::TEntity& entity : engine.Drawing().Entities()) handles.push_back(entity.Handle);
  return handles;
}

std::string DxfOutCommand(const std::string& file) {
  return "DXFOUT " + file + "\r" + "V 2000 O P " + "\r" + "16 ";
}

class CadSimCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    drawingFile = temp.File("図面.dxf");
    SaveLines(drawingFile, SampleDrawing());
  }
  test::TTempDir temp;
  std::string drawingFile;
};

TEST_F(CadSimCommands, SelectEchoesEveryPickAndEndsWithTheTotal) {
  struct TCase {
    const char* name;
    std::vector<std::string> actions;  // after "SELECT "
    std::vector<std::string> echo;     // the history from the first selection prompt on
    std::vector<std::string> previous;
  };
  const std::vector<TCase> cases = {
      {"two picks ended with CR",
       {"#2A", "#2B", "\r"},
       {"オブジェクトを選択: 1 個を検出", "オブジェクトを選択: 1 個を検出、合計 2 個",
        "オブジェクトを選択: ", "総数 2 オブジェクトを選択しました。"},
       {"2A", "2B"}},
      {"ended with a blank",
       {"#2D", " "},
       {"オブジェクトを選択: 1 個を検出", "オブジェクトを選択: ", "総数 1 オブジェクトを選択しました。"},
       {"2D"}},
      {"a pick of a picked object",
       {"#2A", "#2a", "\r"},
       {"オブジェクトを選択: 1 個を検出", "オブジェクトを選択: 1 個を検出 (1 個重複)、合計 1 個",
        "オブジェクトを選択: ", "総数 1 オブジェクトを選択しました。"},
       {"2A"}},
      {"everything",
       {"ALL ", "\r"},
       {"オブジェクトを選択: ALL 4 個を検出", "オブジェクトを選択: ", "総数 4 オブジェクトを選択しました。"},
       {"2A", "2B", "2C", "2D"}},
      {"everything but one removed",
       {"ALL R ", "#2C", "\r"},
       {"オブジェクトを選択: ALL 4 個を検出", "オブジェクトを選択: R",
        "オブジェクトを除外: 1 個を検出、1 個を除外、合計 3 個",
        "オブジェクトを除外: ", "総数 3 オブジェクトを選択しました。"},
       {"2A", "2B", "2D"}},
      {"the last entity",
       {"L ", " "},
       {"オブジェクトを選択: L 1 個を検出", "オブジェクトを選択: ", "総数 1 オブジェクトを選択しました。"},
       {"2D"}},
      {"a handle the drawing lacks",
       {"#99", "\r"},
       {"オブジェクトを選択: 0 個を検出", "オブジェクトを選択: ", "総数 0 オブジェクトを選択しました。"},
       {}},
      {"nothing picked", {"\r"}, {"オブジェクトを選択: ", "総数 0 オブジェクトを選択しました。"}, {}},
      {"cancelled",
       {"#2A", "\x03"},
       {"オブジェクトを選択: 1 個を検出", "オブジェクトを選択: *キャンセル*"},
       {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine(drawingFile);
    EXPECT_FALSE(engine.Pick("2A")) << "no pick outside a selection";
    engine.Type("SELECT ");
    EXPECT_TRUE(engine.IsSelecting());
    Drive(engine, c.actions);
    EXPECT_EQ(LinesSince(engine, 1), c.echo);
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    EXPECT_EQ(engine.PreviousSelection(), c.previous);
  }
}

TEST_F(CadSimCommands, PreviousSelectionCarriesOverToTheNextCommand) {
  TCadEngine engine(drawingFile);
  Drive(engine, {"SELECT ", "#2B", "#2D", "\r", "SELECT P ", "\r"});
  EXPECT_EQ(HistoryLines(engine.FullHistory()).at(6), "オブジェクトを選択: P 2 個を検出");
  // A cancelled selection leaves the previous set as it was.
  Drive(engine, {"SELECT ", "#2A", "\x03"});
  EXPECT_EQ(engine.PreviousSelection(), (std::vector<std::string>{"2B", "2D"}));
}

TEST_F(CadSimCommands, DxfOutWritesThePreviousSelectionAsRelease2000Dxf) {
  struct TCase {
    const char* name;
    std::string file;     // in the temporary folder
    std::string written;  // the file the command writes
  };
  const std::vector<TCase> cases = {
      {"a plain name", "export.dxf", "export.dxf"},
      {"blanks and Japanese folder names", "作業 フォルダ/出力 ファイル.dxf",
       "作業 フォルダ/出力 ファイル.dxf"},
      {"a name without extension gets .dxf", "export", "export.dxf"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::create_directories(FilePath(temp.File("作業 フォルダ")));
    TCadEngine engine(drawingFile);
    Drive(engine, {"SELECT ", "#2D", "#2C", "#2A", "\r", "FILEDIA 0 "});
    const size_t before = HistoryLines(engine.FullHistory()).size();
    engine.Type(DxfOutCommand(temp.File(c.file)));
    const std::string written = temp.File(c.written);
    ASSERT_TRUE(FileExists(written)) << "written before the send returns";
    engine.Type("'FILEDIA 1 ");
    EXPECT_EQ(engine.FileDia(), 1);
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    EXPECT_EQ(LinesSince(engine, before),
              (std::vector<std::string>{"コマンド: DXFOUT",
                                        "ファイル名を入力 <" + drawingFile + ">: " + temp.File(c.file),
                                        "精度の小数点以下の桁数を入力 (0 - 16) または "
                                        "[オブジェクト(O)/バージョン(V)/バイナリ(B)] <16>: V",
                                        "書き出すバージョンを入力 [R12/2000] <2000>: 2000",
                                        "精度の小数点以下の桁数を入力 (0 - 16) または "
                                        "[オブジェクト(O)/バージョン(V)/バイナリ(B)] <16>: O",
                                        "オブジェクトを選択: P 3 個を検出", "オブジェクトを選択: ",
                                        "精度の小数点以下の桁数を入力 (0 - 16) または [バイナリ(B)] <16>: 16",
                                        "コマンド: 'FILEDIA", "FILEDIA の新しい値を入力 <0>: 1"}));

    const std::string bytes = ReadFileBytes(written);
    EXPECT_TRUE(bytes.ends_with("  0\r\nEOF\r\n"));
    EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1) << "CR LF line ends";
    const TLineList lines = TLineList::FromBytes(bytes);
    for (size_t i = 0; i < lines.size(); i += 2) {
      const std::string code(TrimBlanks(lines[i]));
      ASSERT_EQ(lines[i].size(), std::max<size_t>(3, code.size())) << "group code line " << i;
      ASSERT_EQ(lines[i], std::string(lines[i].size() - code.size(), ' ') + code) << "group code line " << i;
    }
    EXPECT_TRUE(EndsWithEof(lines));
    EXPECT_EQ(EntityTypes(lines), (std::vector<std::string>{"TEXT", "LINE", "TEXT"})) << "drawing order";
    TTextEnts ents;
    ASSERT_EQ(ParseTextEnts(lines, ents), 2);
    EXPECT_EQ(Handles(ents), (std::vector<std::string>{"2A", "2D"}));
    EXPECT_EQ(ents[1].Text, "日本語 テキスト");
    EXPECT_EQ(HeaderValue(lines, "$ACADVER"), "AC1015");
    EXPECT_EQ(HeaderValue(lines, "$HANDSEED"), "30");
    EXPECT_EQ(GetMaxHandle(lines), 0x30);
  }
}

TEST_F(CadSimCommands, DxfOutAnswersChooseWhatIsWritten) {
  struct TCase {
    const char* name;
    std::string answers;  // after the file name
    std::vector<std::string> types;
    std::string message;  // a line the history must hold, if any
  };
  const std::vector<TCase> cases = {
      {"the tool's answers", "V 2000 O P \r16 ", {"TEXT", "TEXT"}, ""},
      {"defaults after the objects", "O P \r\r", {"TEXT", "TEXT"}, ""},
      {"no objects option: the whole drawing", "16 ", {"TEXT", "TEXT", "LINE", "TEXT"}, ""},
      {"the objects option without objects", "O \r16 ", {}, ""},
      {"binary is refused", "O P  B 16 ", {"TEXT", "TEXT"}, "この代替 CAD はバイナリ DXF を書き出しません。"},
      {"R12 is written as 2000",
       "V R12 O P  \r",
       {"TEXT", "TEXT"},
       "この代替 CAD は 2000 形式だけを書き出します。"},
      {"a precision out of range",
       "O P  17 16 ",
       {"TEXT", "TEXT"},
       "0 から 16 までの整数、またはオプション キーワードが必要です。"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = temp.File("answers.dxf");
    DeleteFileAt(file);
    TCadEngine engine(drawingFile);
    Drive(engine, {"SELECT ", "#2A", "#2B", "\r", "DXFOUT " + file + "\r" + c.answers});
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(EntityTypes(LoadLines(file)), c.types);
    if (!c.message.empty()) {
      const std::vector<std::string> history = HistoryLines(engine.FullHistory());
      EXPECT_NE(std::find(history.begin(), history.end(), c.message), history.end());
    }
  }
}

TEST_F(CadSimCommands, EraseAndExplodedInsertPutTheExportBackWithNewHandles) {
  TCadEngine engine(drawingFile);
  const std::string exported = temp.File("exchange.dxf");
  Drive(engine, {"SELECT ", "#2A", "#2B", "\r", "FILEDIA 0 ", DxfOutCommand(exported), "'FILEDIA 1 "});
  engine.Type(
      "\x03\x03"
      "ERASE P \r");
  EXPECT_EQ(engine.Drawing().size(), 2u);
  EXPECT_EQ(engine.Drawing().Find("2A"), std::string::npos);
  EXPECT_EQ(engine.Drawing().Find("2B"), std::string::npos);
  engine.Type("\x03-INSERT *" + exported + "\r" + "0,0 1 0 ");
  EXPECT_EQ(engine.PromptText(), "コマンド: ");

  const std::string saved = temp.File("saved.dxf");
  engine.Type("SAVEAS " + saved + "\r");
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(LoadLines(saved), ents), 3);
  EXPECT_EQ(Handles(ents), (std::vector<std::string>{"2D", "30", "31"})) << "new handles from the seed";
  EXPECT_EQ(ents[1].Text, "A-1");
  EXPECT_EQ(ents[2].Text, "A-2");
  EXPECT_EQ(ents[1].InsPoint.X, 10);
  EXPECT_EQ(ents[2].InsPoint.X, 20);
  EXPECT_EQ(ents[2].InsPoint.Y, 20);
  EXPECT_EQ(ents[2].Height, 2.5);
  EXPECT_EQ(EntityTypes(LoadLines(saved)), (std::vector<std::string>{"LINE", "TEXT", "TEXT", "TEXT"}));
  EXPECT_EQ(GetMaxHandle(LoadLines(saved)), 0x32) << "the seed moved on";
  EXPECT_EQ(engine.DrawingName(), "saved.dxf");
}

TEST_F(CadSimCommands, InsertionPointScaleAndRotationPlaceTheTexts) {
  struct TCase {
    const char* name;
    std::vector<std::string> answers;  // "@x,y" gives the point as a pick
    double x, y, height, rotation;
  };
  const std::vector<TCase> cases = {
      {"at the origin", {"0,0 1 0 "}, 10, 20, 2.5, 0},
      {"moved", {"10,5,0 1 0 "}, 20, 25, 2.5, 0},
      {"picked point, then scale and angle", {"@10,5", "1 0 "}, 20, 25, 2.5, 0},
      {"defaults for scale and angle", {"@10,5", "\r\r"}, 20, 25, 2.5, 0},
      {"scaled and turned", {"10,5 2 90 "}, -30, 25, 5, 90},
  };
  const std::string exported = temp.File("one.dxf");
  {
    TCadEngine engine(drawingFile);
    Drive(engine, {"SELECT ", "#2A", "\r", DxfOutCommand(exported)});
  }
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine(drawingFile);
    engine.Type("\x03-INSERT *" + exported + "\r");
    EXPECT_EQ(engine.PromptText(), "挿入点を指定: ");
    EXPECT_TRUE(engine.WantsPoint());
    for (const std::string& answer : c.answers) {
      if (answer.starts_with("@")) {
        EXPECT_TRUE(engine.PlacePoint({10, 5, 0}));
        EXPECT_NE(engine.PromptText().find("尺度を指定:"), std::string::npos);
      } else {
        engine.Type(answer);
      }
    }
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    ASSERT_EQ(engine.Drawing().size(), 5u);
    TLineList lines = engine.Drawing().ToDxf({}, 16);
    TTextEnts ents;
    ASSERT_EQ(ParseTextEnts(lines, ents), 4);
    EXPECT_EQ(ents[3].Handle, "30");
    EXPECT_NEAR(ents[3].InsPoint.X, c.x, 1e-9);
    EXPECT_NEAR(ents[3].InsPoint.Y, c.y, 1e-9);
    EXPECT_EQ(ents[3].Height, c.height);
    EXPECT_EQ(ents[3].Rotation, c.rotation);
  }
}

TEST_F(CadSimCommands, InsertLeavesTheDrawingAloneForFilesItCannotInsert) {
  const std::string cut = temp.File("cut.dxf");
  TLineList cutLines = SampleDrawing();
  cutLines.Erase(cutLines.size() - 2, 2);
  SaveLines(cut, cutLines);
  struct TCase {
    const char* name;
    std::string typed;  // the answer to the block name prompt
    std::string message;
  };
  const std::vector<TCase> cases = {
      {"a missing file", std::string("*").append(temp.File("missing.dxf")),
       "ファイル \"" + temp.File("missing.dxf") + "\" が見つかりません。"},
      {"a file cut short", std::string("*").append(cut),
       "DXF ファイルが不完全です (EOF がありません): " + cut},
      {"a block reference instead of an exploded file", drawingFile,
       "この代替 CAD はファイルの分解挿入 (*ファイル名) だけを行います。"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine(drawingFile);
    engine.Type("-INSERT " + c.typed + "\r0,0 1 0 ");
    EXPECT_EQ(engine.Drawing().size(), 4u);
    const std::vector<std::string> history = HistoryLines(engine.FullHistory());
    EXPECT_EQ(history.at(2), c.message);
  }
}

TEST_F(CadSimCommands, AFileThatCannotBeWrittenEndsTheCommandWithTheMessage) {
  TCadEngine engine(drawingFile);
  const std::string file = temp.File("no such folder/x.dxf");
  engine.Type("DXFOUT " + file + "\r16 ");
  EXPECT_EQ(engine.PromptText(), "コマンド: ");
  EXPECT_EQ(HistoryLines(engine.FullHistory()).back(), file + " に書き込めません");
}

TEST_F(CadSimCommands, ReadingsChosenAtStart) {
  struct TCase {
    std::vector<std::string> arguments;
    const char* fileWritten;  // by DXFOUT of "a b.dxf"
    std::string lastLine;     // of a selection of everything
  };
  const std::vector<TCase> cases = {
      {{}, "a b.dxf", "総数 4 オブジェクトを選択しました。"},
      {{"--blank-ends-names", "--count-line=recognized"}, "a.dxf", "認識された数: 4"},
      {{"--count-line=total", "--queue=200", "--export-delay=600"},
       "a b.dxf",
       "総数 4 オブジェクトを選択しました。"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back(drawingFile);
    const cadsim::TCadOptions options = cadsim::ParseCadOptions(arguments);
    EXPECT_EQ(options.Drawing, drawingFile);
    TCadEngine engine(options.Drawing);
    ApplyReadings(options, engine);
    engine.Type("SELECT ALL \r");
    EXPECT_EQ(HistoryLines(engine.FullHistory()).back(), c.lastLine);
    engine.Type("DXFOUT " + temp.File("a b.dxf") + "\r\r");
    EXPECT_TRUE(FileExists(temp.File(c.fileWritten)));
    DeleteFileAt(temp.File(c.fileWritten));
  }
  const cadsim::TCadOptions timed = cadsim::ParseCadOptions({"--queue=200", "--export-delay=600"});
  EXPECT_EQ(timed.Timing.InputDelay, 200);
  EXPECT_EQ(timed.Timing.ExportDelay, 600);
  EXPECT_TRUE(timed.Drawing.empty());
  const cadsim::TCadOptions more =
      cadsim::ParseCadOptions({"--input-step=30", "--locked-layers", "--osnap-typed", "--model-space-only"});
  EXPECT_EQ(more.Timing.InputStep, 30);
  TCadEngine engine;
  ApplyReadings(more, engine);
  EXPECT_TRUE(engine.LockedLayers);
  EXPECT_EQ(engine.TypedPointSnap, 10.0);
  EXPECT_TRUE(engine.ModelSpaceOnly);
  EXPECT_EQ(cadsim::ParseCadOptions({"--osnap-typed=2.5"}).TypedPointSnap, 2.5);
  for (const char* wrong :
       {"--queue=-1", "--queue=x", "--fast", "--input-step=-1", "--osnap-typed=0", "--osnap-typed=x"}) {
    EXPECT_THROW(cadsim::ParseCadOptions({wrong}), TRuntimeError) << wrong;
  }
}

TEST_F(CadSimCommands, UndoTakesBackStepsAndGroups) {
  const std::string one = temp.File("one.dxf");
  SaveLines(one, test::SelectionFile({test::TextEntity("10", "5.0", "5.0", "X")}));
  const std::string insert = "\x03-INSERT *" + one + "\r0,0 1 0 ";
  const std::string prompt =
      "取り消す操作の数を入力 または [自動(A)/コントロール(C)/開始(BE)/終了(E)/マーク(M)/後退(B)] <1>: ";
  const std::vector<std::string> all = {"2A", "2B", "2C", "2D"};
  const std::vector<std::string> but2D = {"2A", "2B", "2C"};
  struct TCase {
    const char* name;
    std::vector<std::string> actions;
    std::vector<std::string> handles;  // of the drawing afterwards
    std::vector<std::string> tail;     // the last lines of the history
  };
  const std::vector<TCase> cases = {
      {"erasing the last entity keeps the ones before it", {"ERASE L \r"}, but2D, {"オブジェクトを選択: "}},
      {"one step by U", {"ERASE L \r", "U "}, all, {"コマンド: U", "ERASE"}},
      {"U takes back the last step only", {"ERASE L \r", insert, "U "}, but2D, {"コマンド: U", "-INSERT"}},
      {"a group of an erasure and two insertions by one U",
       {"ERASE L \r", "\x03_.UNDO _BE ", "ERASE L \r", insert, insert, "\x03_.UNDO _E ", "U "},
       but2D,
       {"コマンド: U", "グループ"}},
      {"UNDO 1", {"ERASE L \r", "ERASE L \r", "UNDO 1 "}, but2D, {"コマンド: UNDO", prompt + "1", "ERASE"}},
      {"an empty answer takes one step", {"ERASE L \r", "ERASE L \r", "UNDO \r"}, but2D, {prompt, "ERASE"}},
      {"more steps asked than there are",
       {"ERASE L \r", "UNDO 3 "},
       all,
       {prompt + "3", "ERASE", "取り消す操作はありません。"}},
      {"name and keyword forms",
       {"undo be ", "ERASE L \r", ".UNDO E ", "ERASE L \r", "_.undo _begin ", insert, "Undo End ", "UNDO 2 "},
       but2D,
       {prompt + "2", "グループ", "ERASE"}},
      {"an unknown option is asked again until cancelled",
       {"ERASE L \r", "UNDO X ", "ERASE ", "\x03"},
       {"2A", "2B", "2C"},
       {prompt + "X", "無効なオプション キーワードです。", prompt + "ERASE",
        "無効なオプション キーワードです。", prompt + "*キャンセル*"}},
      {"options the stand-in does not do, and no steps",
       {"UNDO M 0 ", "\x03"},
       all,
       {prompt + "M", "この代替 CAD の UNDO は数、開始 (BE)、終了 (E) だけを行います。", prompt + "0",
        "値は正で 0 以外にしてください。", prompt + "*キャンセル*"}},
      {"a cancelled UNDO leaves the group open",
       {"UNDO BE ", "UNDO X ", "\x03", "ERASE L \r", "ERASE L \r", "UNDO E ", "U "},
       all,
       {"コマンド: U", "グループ"}},
      {"nothing to undo after commands that change nothing",
       {"SELECT ALL \r", "ERASE \r", "SNAPMODE 1 ", "U "},
       all,
       {"コマンド: U", "取り消す操作はありません。"}},
      {"a group begun inside a group ends it",
       {"UNDO BE ", "ERASE L \r", "UNDO BE ", "ERASE L \r", "UNDO E ", "UNDO E ", "U "},
       but2D,
       {"コマンド: U", "グループ"}},
      {"an end without a group", {"UNDO E ", "ERASE L \r", "UNDO E ", "U "}, all, {"コマンド: U", "ERASE"}},
      {"U ends an open group and takes it back",
       {"UNDO BE ", "ERASE L \r", "U ", "ERASE L \r", "ERASE L \r", "U "},
       but2D,
       {"コマンド: U", "ERASE"}},
      {"a placement cancelled inside a group leaves the group alone",
       {"\x03_.UNDO _BE ", "\x03-INSERT *" + one + "\r", "\x03", "\x03_.UNDO _E ", "U ", "U "},
       all,
       {"コマンド: U", "グループ", "コマンド: U", "取り消す操作はありません。"}},
      {"an empty input repeats U", {"ERASE L \r", "ERASE L \r", "U ", "\r"}, all, {"コマンド: ", "ERASE"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine(drawingFile);
    Drive(engine, c.actions);
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    std::vector<std::string> handles;
    for (const cadsim::TEntity& entity : engine.Drawing().Entities()) handles.push_back(entity.Handle);
    EXPECT_EQ(handles, c.handles);
    const std::vector<std::string> history = HistoryLines(engine.FullHistory());
    ASSERT_GE(history.size(), c.tail.size());
    EXPECT_EQ(
        std::vector<std::string>(history.end() - static_cast<std::ptrdiff_t>(c.tail.size()), history.end()),
        c.tail);
  }
}

TEST_F(CadSimCommands, UndoOfAGroupBringsBackTheDrawingSavedBeforeIt) {
  TCadEngine engine(drawingFile);
  const std::string exported = temp.File("exchange.dxf");
  // A step before the group, which stays.
  Drive(engine, {"ERASE L \r", "SELECT ", "#2A", "#2B", "\r", DxfOutCommand(exported)});
  const std::string before = temp.File("before.dxf");
  engine.Type("SAVEAS " + before + "\r");
  engine.Type(
      "\x03_.UNDO _BE \x03"
      "ERASE P \r\x03-INSERT *" +
      exported + "\r0,0 1 0 \x03-INSERT *" + exported + "\r10,10 1 0 \x03_.UNDO _E ");
  ASSERT_EQ(engine.Drawing().size(), 5u);
  const uint64_t version = engine.DrawingVersion();
  engine.Type("U ");
  EXPECT_NE(engine.DrawingVersion(), version) << "the plan and the list are drawn again";
  const std::string after = temp.File("after.dxf");
  engine.Type("SAVEAS " + after + "\r");
  EXPECT_EQ(ReadFileBytes(after), ReadFileBytes(before)) << "entities, handles and the handle seed";
}

TEST_F(CadSimCommands, LockedLayersKeepTheirObjectsFromErase) {
  // Layer "Locked" is locked, "ア" only frozen, "Plain" has no flags; the
  // line has no layer of its own.
  const test::TPairs layers = {{"0", "TABLE"}, {"2", "LAYER"}, {"5", "2"},      {"70", "4"},
                               {"0", "LAYER"}, {"5", "10"},    {"2", "0"},      {"70", "     0"},
                               {"0", "LAYER"}, {"5", "11"},    {"2", "Locked"}, {"70", "     4"},
                               {"0", "LAYER"}, {"5", "12"},    {"2", "ア"},     {"70", "     1"},
                               {"0", "LAYER"}, {"5", "13"},    {"2", "Plain"},  {"0", "ENDTAB"}};
  SaveLines(drawingFile, DrawingFile({}, layers,
                                     {test::TextEntity("2A", "10.0", "20.0", "A"),
                                      OnLayer(test::TextEntity("2B", "20.0", "20.0", "B"), "LOCKED"),
                                      OnLayer(test::LineEntity("2C"), ""),
                                      OnLayer(test::TextEntity("2D", "30.0", "20.0", "D"), "ア"),
                                      OnLayer(test::TextEntity("2E", "40.0", "20.0", "E"), "plain")}));
  const std::string optionPrompt = "オプションを入力 [ロック(LO)/ロック解除(U)]: ";
  const std::vector<std::string> all = {"2A", "2B", "2C", "2D", "2E"};
  struct TCase {
    const char* name;
    bool honoured;  // --locked-layers
    std::vector<std::string> actions;
    std::vector<std::string> handles;  // of the drawing afterwards
    std::vector<std::string> tail;     // the last lines of the history
    std::set<std::string> locked;      // the layers locked in the saved drawing
  };
  const std::vector<TCase> cases = {
      {"without the option every object goes",
       false,
       {"ERASE ALL \r"},
       {},
       {"オブジェクトを選択: "},
       {"LOCKED"}},
      {"objects on a locked layer stay",
       true,
       {"ERASE ALL \r"},
       {"2B"},
       {"オブジェクトを選択: ", "1 個はロックされた画層上にあります。"},
       {"LOCKED"}},
      {"unlocked, then erased",
       true,
       {"-LAYER U locked \r", "ERASE ALL \r"},
       {},
       {"オブジェクトを選択: "},
       {}},
      {"locked by names, an entity without layer on 0",
       true,
       {"_-LAYER _LOCK 0,plain \r", "ERASE ALL \r"},
       {"2A", "2B", "2C", "2E"},
       {"オブジェクトを選択: ", "4 個はロックされた画層上にあります。"},
       {"0", "LOCKED", "PLAIN"}},
      {"the whole command is one step of U",
       true,
       {"-LAYER LO * U * \r", "U ", "ERASE ALL \r"},
       {"2B"},
       {"オブジェクトを選択: ", "1 個はロックされた画層上にあります。"},
       {"LOCKED"}},
      {"U names the command", true, {"-LAYER U * \r", "U "}, all, {"コマンド: U", "-LAYER"}, {"LOCKED"}},
      {"a selection still picks them",
       true,
       {"SELECT ALL \r"},
       all,
       {"オブジェクトを選択: ", "総数 5 オブジェクトを選択しました。"},
       {"LOCKED"}},
      {"prompts, a refused keyword, a name the table lacks",
       true,
       {"-LAYER X LO ヂ,Locked \r"},
       all,
       {optionPrompt + "X", "無効なオプション キーワードです。", optionPrompt + "LO",
        "ロックする画層名を入力: ヂ,Locked", "画層 \"ヂ\" が見つかりません。", optionPrompt},
       {"LOCKED"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine(drawingFile);
    engine.LockedLayers = c.honoured;
    Drive(engine, c.actions);
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    EXPECT_EQ(EntityHandles(engine), c.handles);
    const std::vector<std::string> history = HistoryLines(engine.FullHistory());
    ASSERT_GE(history.size(), c.tail.size());
    EXPECT_EQ(
        std::vector<std::string>(history.end() - static_cast<std::ptrdiff_t>(c.tail.size()), history.end()),
        c.tail);
    const std::string saved = temp.File("saved.dxf");
    engine.Type("SAVEAS " + saved + "\r");
    const std::unordered_set<std::string> locked = cadsim::TDrawing::Load(saved).LockedLayers();
    EXPECT_EQ(std::set<std::string>(locked.begin(), locked.end()), c.locked);
  }
}

TEST_F(CadSimCommands, TypedInsertionPointsSnapToEndPointsAndInsertionPoints) {
  // The text lies on the file's insertion base, so it lands on the point.
  const std::string one = temp.File("one.dxf");
  SaveLines(one, test::SelectionFile({test::TextEntity("10", "0.0", "0.0", "X")}));
  // The sample's line runs from 0,0 to 10,0, its texts stand at 10,20 ...
  const std::string paperCurrent = temp.File("paper.dxf");
  SaveLines(paperCurrent, DrawingFile({{"9", "$TILEMODE"}, {"70", "     0"}}, {}, {test::LineEntity("2C")}));
  struct TCase {
    const char* name;
    std::optional<double> aperture;  // --osnap-typed
    bool paperSpace;                 // the drawing's current space
    std::string settings;            // typed first and read (--ucs --elevation) when given
    std::string typed;               // at the point prompt
    TDxfPoint at;                    // where the text lands
  };
  const std::string kUcsAt10 = "UCS M 10,0 ELEVATION 3 ";
  const std::vector<TCase> cases = {
      {"without snaps as typed", std::nullopt, false, "", "10.5,0.5", {10.5, 0.5, 0}},
      {"the nearest end point", 10, false, "", "10.5,0.5", {10, 0, 0}},
      {"the other end point", 10, false, "", "3,1,2", {0, 0, 0}},
      {"an insertion point nearer than an end point", 15, false, "", "10,11", {10, 20, 0}},
      {"nothing within the aperture", 0.1, false, "", "10.5,0.5", {10.5, 0.5, 0}},
      {"_non takes the next point as typed", 10, false, "", "_non 10.5,0.5", {10.5, 0.5, 0}},
      {"none in any letter case", 10, false, "", "None 10.5,0.5", {10.5, 0.5, 0}},
      {"_non without snaps changes nothing", std::nullopt, false, "", "_non 0,0,0", {0, 0, 0}},
      {"objects of the other space are not snapped to", 10, true, "", "10.5,0.5", {10.5, 0.5, 0}},
      // In the UCS at 10,0 the typed 0.5,0.5 is the world's 10.5,0.5 at Z 3: it lands on the
      // line's end 10,0, not on 0,0 next to the point as typed.
      {"a point of the UCS at the elevation snapped as a world point",
       10,
       false,
       kUcsAt10,
       "0.5,0.5",
       {10, 0, 0}},
      {"_non takes a point of the UCS at the elevation as typed",
       10,
       false,
       kUcsAt10,
       "_non 0.5,0.5",
       {10.5, 0.5, 3}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine(c.paperSpace ? paperCurrent : drawingFile);
    engine.TypedPointSnap = c.aperture;
    engine.PointsInUcs = engine.ElevationOfFlatPoints = !c.settings.empty();
    engine.Type(c.settings);
    engine.Type("\x03-INSERT *" + one + "\r" + c.typed + " 1 0 ");
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
    const auto at = cadsim::EntityPosition(engine.Drawing().Entities().back());
    ASSERT_TRUE(at);
    EXPECT_EQ(at->X, c.at.X);
    EXPECT_EQ(at->Y, c.at.Y);
    EXPECT_EQ(at->Z, c.at.Z);
    if (c.typed.find(' ') != std::string::npos) {
      const std::vector<std::string> history = HistoryLines(engine.FullHistory());
      const auto noSnap =
          std::find(history.begin(), history.end(), "挿入点を指定: " + c.typed.substr(0, c.typed.find(' ')));
      ASSERT_LT(noSnap + 1, history.end());
      EXPECT_EQ(noSnap[1], "挿入点を指定: " + c.typed.substr(c.typed.find(' ') + 1));
    }
  }
}

TEST_F(CadSimCommands, ModelSpaceOnlyInsertsIntoTheCurrentSpace) {
  const std::string source = temp.File("spaces.dxf");
  test::TPairs paperText = test::TextEntity("11", "5.0", "5.0", "P");
  paperText.insert(paperText.begin() + 4, {"67", "     1"});
  SaveLines(source, test::SelectionFile({test::TextEntity("10", "0.0", "0.0", "M"), paperText}));
  const test::TPairs records = {{"0", "TABLE"}, {"2", "BLOCK_RECORD"}, {"0", "BLOCK_RECORD"},
                                {"5", "1F"},    {"2", "*Model_Space"}, {"0", "BLOCK_RECORD"},
                                {"5", "1B"},    {"2", "*Paper_Space"}, {"0", "ENDTAB"}};
  struct TCase {
    const char* name;
    bool modelSpaceOnly;
    const char* tileMode;
    std::vector<std::string> strings;  // of the texts inserted
    std::vector<int32_t> firstCodes;   // the first group codes of the first one
    std::vector<std::string> owners;   // group 330 of each
    size_t all;                        // objects "ALL" selects afterwards
  };
  const std::vector<int32_t> model = {0, 5, 330, 100, 8, 100};
  const std::vector<int32_t> paper = {0, 5, 330, 100, 67, 8};
  const std::vector<TCase> cases = {
      {"every entity, in model space", false, "1", {"M", "P"}, model, {"1F", "1F"}, 3},
      {"every entity also when paper space is current", false, "0", {"M", "P"}, model, {"1F", "1F"}, 3},
      {"model space into model space", true, "1", {"M"}, model, {"1F"}, 2},
      // Only the current space's objects can be selected.
      {"model space into paper space", true, "0", {"M"}, paper, {"1B"}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    SaveLines(drawingFile, DrawingFile({{"9", "$TILEMODE"}, {"70", c.tileMode}}, records,
                                       {test::TextEntity("2A", "10.0", "20.0", "A")}));
    TCadEngine engine(drawingFile);
    engine.ModelSpaceOnly = c.modelSpaceOnly;
    engine.Type("\x03-INSERT *" + source + "\r0,0 1 0 ");
    const auto& entities = engine.Drawing().Entities();
    ASSERT_EQ(entities.size(), 1 + c.strings.size());
    std::vector<std::string> strings;
    std::vector<std::string> owners;
    for (size_t i = 1; i < entities.size(); ++i) {
      strings.push_back(cadsim::EntityString(entities[i]));
      owners.push_back(entities[i].Pairs.at(2).Value);
      EXPECT_EQ(cadsim::InPaperSpace(entities[i]), strings.back() == "P" || c.firstCodes == paper);
    }
    EXPECT_EQ(strings, c.strings);
    EXPECT_EQ(owners, c.owners);
    std::vector<int32_t> codes;
    for (size_t i = 0; i < c.firstCodes.size(); ++i) codes.push_back(entities[1].Pairs.at(i).Code);
    EXPECT_EQ(codes, c.firstCodes);
    engine.Type("SELECT ALL \r");
    EXPECT_EQ(engine.PreviousSelection().size(), c.all);
  }
}

TEST_F(CadSimCommands, InputStepShowsThePromptsBetweenInputs) {
  std::filesystem::create_directories(FilePath(temp.File("a b")));
  const std::string one = temp.File("a b/one.dxf");
  SaveLines(one, test::SelectionFile({test::TextEntity("10", "0.0", "0.0", "X")}));
  struct TMessage {
    std::uintptr_t dwData;
    std::string bytes;
  };
  struct TCase {
    const char* name;
    std::vector<TMessage> messages;
    std::vector<std::string> prompts;  // after each step
  };
  const std::vector<TCase> cases = {
      {"a selection", {{1, "SELECT ALL \r"}}, {"オブジェクトを選択: ", "オブジェクトを選択: ", "コマンド: "}},
      {"cancels alone, a file name up to CR, the tool's insertion",
       {{1, "\x03\x03-INSERT *" + one + "\r_non 0,0,0 1 0 "}},
       {"コマンド: ", "コマンド: ", "ブロック名を入力 または [?]: ", "挿入点を指定: ", "挿入点を指定: ",
        "尺度を指定: <1>: ", "回転角度を指定 <0>: ", "コマンド: "}},
      {"keys before a cancel, then pointer input in its turn",
       {{1, "SEL\x03SELECT "}, {2, "PICK 2A"}, {5, "FILEDIA 0 "}, {1, "\r"}},
       {"コマンド: SEL", "コマンド: ", "オブジェクトを選択: ", "オブジェクトを選択: ", "コマンド: "}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine atOnce(drawingFile);
    TCadEngine stepwise(drawingFile);
    cadsim::TSteppedInput stepped;
    for (size_t i = 0; i < c.messages.size(); ++i) {
      atOnce.OnCopyData(c.messages[i].dwData, c.messages[i].bytes);
      EXPECT_EQ(stepped.Add(c.messages[i].dwData, c.messages[i].bytes), i == 0)
          << "the first step is scheduled once";
    }
    std::vector<std::string> prompts;
    for (bool more = true; more && prompts.size() <= c.prompts.size();) {
      more = stepped.Step(stepwise);
      prompts.push_back(stepwise.PromptText());
    }
    EXPECT_EQ(prompts, c.prompts);
    EXPECT_TRUE(stepped.empty());
    EXPECT_EQ(stepwise.FullHistory(), atOnce.FullHistory());
    EXPECT_EQ(stepwise.Drawing().ToDxf({}, 16).ToBytes(), atOnce.Drawing().ToDxf({}, 16).ToBytes());
  }
}

}  // namespace
}  // namespace vorbel
