// The real CAD link driving the stand-in CAD on the simulated desktop: the
// steps of a selection, an update and a placement of new texts as the tool
// takes them, with the drawing checked afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "base/files.h"
#include "dxf/rewrite.h"
#include "dxf/text_ents.h"
#include "engine/cad_engine.h"
#include "headless/sim_windows.h"
#include "platform/clipboard.h"
#include "platform/file_path.h"
#include "platform/headless/sim_desktop.h"
#include "support/dxf_builder.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using cadsim::TCadEngine;
using cadsim::TSimCadWindows;

constexpr std::string_view kIdle = "コマンド: ";

TLineList SampleDrawing() {
  return test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A-1"),
                              test::TextEntity("2B", "20.0", "20.0", "A-2"), test::LineEntity("2C"),
                              test::TextEntity("2D", "30.0", "20.0", "日本語")});
}

std::string DxfOutCommand(const std::string& file) {
  return "DXFOUT " + file + "\r" + "V 2000 O P " + "\r" + "16 ";
}

TTextEnts TextsOf(const std::string& file) {
  TTextEnts ents;
  ParseTextEnts(LoadLines(file), ents);
  return ents;
}

class AcadCtrlOnCadSim : public ::testing::Test {
 protected:
  void SetUp() override {
    // The exchange file lies in a folder with blanks and Japanese names.
    folder = temp.File("作業 フォルダ");
    std::filesystem::create_directories(FilePath(folder));
    exchange = folder + "/vorbel.dxf";
    SaveLines(temp.File("図面.dxf"), SampleDrawing());
    StartCad();
  }
  // A fresh stand-in on an empty desktop, with snap on.
  void StartCad(cadsim::TCadTiming timing = {}) {
    windows.reset();
    sim::Desktop().Reset();
    engine = std::make_unique<TCadEngine>(temp.File("図面.dxf"));
    windows = std::make_unique<TSimCadWindows>(*engine, cadsim::kSimCadThreadId, timing);
    engine->Type("SNAPMODE 1 ");
  }
  void TearDown() override {
    windows.reset();
    sim::Desktop().Reset();
  }

  // The select button and the ticks of the timer up to the export, as the
  // tool runs them; the person picks `picks` and ends with `ending`.
  int32_t SelectAndExport(const std::vector<std::string>& picks, std::string_view ending) {
    EXPECT_TRUE(ActivateAcad());
    SendCommand("\x03\x03");
    const std::string savedSnapMode = GetSysVar("SNAPMODE");
    EXPECT_EQ(savedSnapMode, "1");
    SendCommand("SNAPMODE 0 ");
    SendCommand("SELECT ");
    EXPECT_EQ(engine->SnapMode(), 0);
    EXPECT_EQ(ReadCommandLine(), "オブジェクトを選択: ");
    EXPECT_EQ(GetSelectedCount(), 0) << "busy while the selection runs";
    for (const std::string& handle : picks) EXPECT_TRUE(engine->Pick(handle));
    engine->Type(ending);
    EXPECT_EQ(ReadCommandLine(), kIdle);
    const std::string lastLine = LastHistoryLine();
    SendCommand("SNAPMODE " + savedSnapMode + "\r");
    EXPECT_EQ(engine->SnapMode(), 1);
    EXPECT_EQ(ClipboardText(), "");
    if (lastLine.find("キャンセル") != std::string::npos) return -2;
    const int32_t count = GetSelectedCount();
    if (count <= 0) return count;
    DeleteFileAt(exchange);
    SendCommand("FILEDIA 0 ");
    SendCommand(DxfOutCommand(exchange));
    SendCommand("'FILEDIA 1 ");
    EXPECT_EQ(engine->FileDia(), 1);
    EXPECT_TRUE(FileExists(exchange));
    return count;
  }

  test::TTempDir temp;
  std::string folder;
  std::string exchange;
  std::unique_ptr<TCadEngine> engine;
  std::unique_ptr<TSimCadWindows> windows;
};

TEST_F(AcadCtrlOnCadSim, TheLinkFindsTheStandInsWindows) {
  EXPECT_EQ(FindAcadWindow(), windows->MainWindow());
  EXPECT_EQ(FindTextWindow(), windows->TextWindow());
  EXPECT_EQ(WindowTitle(windows->MainWindow()), "AutoCAD 2000 - [図面.dxf]");
  EXPECT_EQ(WindowTitle(windows->TextWindow()), "AutoCAD テキスト ウィンドウ - 図面.dxf");
  const TCommandLineWindows mainLine = FindCommandLineWindows(windows->MainWindow());
  const TCommandLineWindows textLine = FindCommandLineWindows(windows->TextWindow());
  for (const TCommandLineWindows& line : {mainLine, textLine}) {
    EXPECT_EQ(WindowTitle(line.PromptWnd), "Headlands");
    EXPECT_EQ(WindowTitle(line.HistoryWnd), "MountTam");
    EXPECT_EQ(GetWindowString(line.PromptWnd), kIdle) << "the window answers with the prompt";
  }
  SendCommand("FILEDIA 0 ");
  EXPECT_EQ(ReadTextWindowLine(),
            "コマンド: SNAPMODE\r\nSNAPMODE の新しい値を入力 <0>: 1\r\n"
            "コマンド: FILEDIA\r\nFILEDIA の新しい値を入力 <1>: 0\r\n");
  EXPECT_EQ(CopyHistory(), ReadTextWindowLine());
  EXPECT_EQ(ClipboardText(), "");
}

TEST_F(AcadCtrlOnCadSim, SelectionsEndAsTheToolReadsThem) {
  struct TCase {
    const char* name;
    std::vector<std::string> picks;
    std::string ending;
    int32_t result;  // the count, or -2 for a cancelled selection
  };
  const std::vector<TCase> cases = {
      {"three objects ended with Enter", {"2A", "2C", "2D"}, "\r", 3},
      {"one object ended with a blank", {"2B"}, " ", 1},
      {"nothing picked", {}, "\r", 0},
      {"cancelled", {"2A"}, "\x03", -2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    StartCad();
    EXPECT_EQ(SelectAndExport(c.picks, c.ending), c.result);
  }
}

TEST_F(AcadCtrlOnCadSim, UpdateErasesAndInsertsTheRewrittenExport) {
  ASSERT_EQ(SelectAndExport({"2A", "2C", "2D"}, "\r"), 3);
  TLineList dxfLines = LoadLines(exchange);
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(dxfLines, ents), 2);
  EXPECT_EQ(ents[0].Handle, "2A");
  EXPECT_EQ(ents[1].Text, "日本語");

  // The update: new strings into the export, the selection erased, the file
  // inserted exploded at the origin.
  TakeMemoLines({"B-1", "日本語 2"}, ents);
  ApplyTextEnts(ents, dxfLines);
  DeleteMarkedEntities(ents, dxfLines);
  SaveLines(exchange, dxfLines);
  SendCommand(
      "\x03\x03"
      "ERASE P \r");
  EXPECT_EQ(engine->Drawing().size(), 1u) << "only 2B is left";
  SendCommand("\x03-INSERT *" + exchange + "\r" + "0,0 1 0 ");
  EXPECT_EQ(ReadCommandLine(), kIdle);

  const std::string saved = temp.File("saved.dxf");
  SendCommand("SAVEAS " + saved + "\r");
  const TTextEnts after = TextsOf(saved);
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0].Handle, "2B");
  EXPECT_EQ(after[0].Text, "A-2");
  EXPECT_EQ(after[1].Text, "B-1");
  EXPECT_EQ(after[1].InsPoint.X, 10);
  EXPECT_EQ(after[2].Text, "日本語 2");
  EXPECT_EQ(after[2].InsPoint.X, 30);
  EXPECT_GT(std::stoi(after[1].Handle, nullptr, 16), 0x2D) << "new handles";
  EXPECT_EQ(engine->Drawing().size(), 4u) << "2B, and the two texts and the LINE inserted";
  EXPECT_EQ(WindowTitle(FindAcadWindow()), "AutoCAD 2000 - [saved.dxf]");
}

TEST_F(AcadCtrlOnCadSim, NewTextsWaitForThePlacementAndTheScalePrompt) {
  struct TCase {
    const char* name;
    bool placed;  // the person places the point, or cancels
    size_t entities;
  };
  const std::vector<TCase> cases = {{"placed", true, 5}, {"cancelled", false, 4}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    StartCad();
    ASSERT_EQ(SelectAndExport({"2A"}, "\r"), 1);
    SendCommand("\x03-INSERT *" + exchange + "\r");
    // The timer's ticks: neither the scale prompt nor the idle prompt yet.
    EXPECT_EQ(ReadCommandLine(), "挿入点を指定: ");
    if (c.placed) {
      EXPECT_TRUE(engine->PlacePoint({100, 50, 0}));
      ASSERT_NE(ReadCommandLine().find("尺度を指定:"), std::string::npos);
      SendCommand("1 0 ");
    } else {
      engine->Type("\x03");
    }
    EXPECT_EQ(ReadCommandLine(), kIdle);
    ASSERT_EQ(engine->Drawing().size(), c.entities);
    if (c.placed) {
      const TLineList lines = engine->Drawing().ToDxf({}, 16);
      TTextEnts ents;
      ASSERT_EQ(ParseTextEnts(lines, ents), 4);
      EXPECT_EQ(ents[3].Text, "A-1");
      EXPECT_EQ(ents[3].InsPoint.X, 110);
      EXPECT_EQ(ents[3].InsPoint.Y, 70);
    }
  }
}

TEST_F(AcadCtrlOnCadSim, TheCountOfASelectionTypedInputByInputWaitsForTheIdlePrompt) {
  cadsim::TCadTiming timing;
  timing.InputStep = 50;
  StartCad(timing);
  // An earlier selection's count stands in the history.
  engine->Type("SELECT ");
  EXPECT_TRUE(engine->Pick("2B"));
  engine->Type("\r");
  SendCommand("SELECT ALL \r");
  std::vector<std::pair<std::string, int32_t>> seen = {{ReadCommandLine(), GetSelectedCount()}};
  while (sim::Desktop().HasScheduledWork()) {
    sim::Desktop().AdvanceTime(50);
    seen.emplace_back(ReadCommandLine(), GetSelectedCount());
  }
  EXPECT_EQ(
      seen,
      (std::vector<std::pair<std::string, int32_t>>{
          {"コマンド: ", 1}, {"オブジェクトを選択: ", 0}, {"オブジェクトを選択: ", 0}, {"コマンド: ", 4}}));
}

// The settings the tool saves, sets for its insertion and gives back, read
// and sent by the real link, with input carried out at once and queued.
TEST_F(AcadCtrlOnCadSim, TheLinkReadsAndSetsTheUcsAndItsSettingsInEveryTiming) {
  // A user's UCS at 1000,0 turned by 30 degrees, ANGBASE 90, ELEVATION 7.5,
  // UCSFOLLOW 1, after the handle seed.
  const std::vector<std::string> header =
      TLineList::FromBytes(
          "  9\n$UCSORG\n 10\n1000.0\n  9\n$UCSXDIR\n 10\n0.8660254037844386\n 20\n0.5\n"
          "  9\n$ANGBASE\n 50\n1.570796326794897\n  9\n$ELEVATION\n 40\n7.5\n  9\n$UCSFOLLOW\n 70\n1")
          .ToStrings();
  std::vector<std::string> lines = SampleDrawing().ToStrings();
  lines.insert(lines.begin() + 12, header.begin(), header.end());
  const std::string drawing = temp.File("user.dxf");
  SaveLines(drawing, TLineList::FromStrings(lines));
  SaveLines(exchange, test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A")}));
  for (const int delay : {-1, 0, 200}) {
    SCOPED_TRACE(delay);
    windows.reset();
    sim::Desktop().Reset();
    engine = std::make_unique<TCadEngine>(drawing);
    engine->PointsInUcs = engine->AnglesFromAngBase = engine->ElevationOfFlatPoints = true;
    windows =
        std::make_unique<TSimCadWindows>(*engine, cadsim::kSimCadThreadId, cadsim::TCadTiming{delay, -1});
    const std::string follow = GetSysVar("UCSFOLLOW");
    EXPECT_EQ(follow, "1");
    EXPECT_EQ(GetSysVar("WORLDUCS"), "0");
    for (const std::string& command :
         {std::string("_.UCSFOLLOW 0 "), std::string("_.UCS _W "), std::string("_.ANGBASE 0 "),
          "\x03-INSERT *" + exchange + "\r0,0,0 1 0 ", std::string("_.ANGBASE 1.5707963267948966r "),
          std::string("_.UCS _P "), std::string("_.ELEVATION 7.5 "), "_.UCSFOLLOW " + follow + " "}) {
      SendCommand(command);
    }
    EXPECT_EQ(GetSysVar("WORLDUCS"), "0");
    EXPECT_EQ(GetSysVar("ANGBASE"), "90");
    EXPECT_EQ(GetSysVar("ELEVATION"), "7.5000");
    EXPECT_TRUE(WaitForPrompt(IsIdlePrompt, 1000)) << "the prompt offering the value cancelled";
    EXPECT_EQ(engine->UcsFollow(), 1);
    TTextEnts ents;
    ASSERT_EQ(ParseTextEnts(engine->Drawing().ToDxf({}, 16), ents), 4);
    EXPECT_EQ(ents[3].InsPoint.X, 10) << "placed in the world";
    EXPECT_EQ(ents[3].InsPoint.Y, 20);
    EXPECT_EQ(ents[3].Rotation, 0);
    const std::string history = engine->FullHistory();
    EXPECT_EQ(history.find("必要"), std::string::npos) << history;
  }
}

}  // namespace
}  // namespace vorbel
