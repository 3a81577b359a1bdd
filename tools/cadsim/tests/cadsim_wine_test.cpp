// cadsim.exe as a program of its own, driven by the real CAD link through
// its windows: a selection, the export, the update by ERASE P and an
// exploded insertion, and the drawing saved and checked afterwards. Run under
// Wine with either code page. The steps' variations (other endings of the
// selection, the placement of new texts) run on the simulated desktop
// (acadctrl_on_cadsim_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "base/files.h"
#include "dxf/rewrite.h"
#include "dxf/text_ents.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/file_path.h"
#include "support/dxf_builder.h"
#include "support/temp_dir.h"
#include "windriver/cadsim_driver.h"

namespace vorbel {
namespace {

using namespace windriver;

std::vector<std::string> TextsOf(const TLineList& lines) {
  TTextEnts ents;
  ParseTextEnts(lines, ents);
  std::vector<std::string> texts;
  for (const TTextEnt& ent : ents) texts.push_back(ent.Text);
  return texts;
}

TEST(CadSimWine, TheToolsSelectionAndUpdateRunAgainstTheProgram) {
  test::TTempDir temp;
  const std::string folder = temp.File("作業 フォルダ");
  std::filesystem::create_directories(FilePath(folder));
  const std::string drawing = temp.File("drawing.dxf");
  const std::string exchange = folder + "/vorbel.dxf";
  SaveLines(drawing,
            test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A-1"),
                                 test::TextEntity("2B", "20.0", "20.0", "A-2"), test::LineEntity("2C"),
                                 test::TextEntity("2D", "30.0", "20.0", "日本語")}));

  TCadProgram cad(FilePath(CADSIM_EXE), drawing, folder, "図面 1.dxf");
  ASSERT_TRUE(cad.Ready()) << "its title names the drawing, its prompt is idle";
  EXPECT_EQ(WindowTitle(FindTextWindow()), "AutoCAD テキスト ウィンドウ - 図面 1.dxf");
  SendCommand("SNAPMODE 1 ");

  // Select: cancel, save snap, snap off, SELECT; the person picks and ends.
  ASSERT_TRUE(ActivateAcad());
  SendCommand("\x03\x03");
  const std::string savedSnapMode = GetSysVar("SNAPMODE");
  EXPECT_EQ(savedSnapMode, "1");
  SendCommand("SNAPMODE 0 ");
  SendCommand("SELECT ");
  EXPECT_EQ(ReadCommandLine(), "オブジェクトを選択: ");
  EXPECT_EQ(GetSelectedCount(), 0);
  Pointer("PICK 2A,2C,2D");
  SendCommand("\r");

  // The timer's tick that sees the idle prompt, up to the export.
  ASSERT_EQ(ReadCommandLine(), kIdlePrompt);
  EXPECT_EQ(LastHistoryLine().find("キャンセル"), std::string::npos);
  EXPECT_EQ(ClipboardText(), "") << "the history was read through the clipboard";
  SendCommand("SNAPMODE " + savedSnapMode + "\r");
  ASSERT_EQ(GetSelectedCount(), 3);
  DeleteFileAt(exchange);
  SendCommand("FILEDIA 0 ");
  SendCommand("DXFOUT " + exchange + "\r" + "V 2000 O P " + "\r" + "16 ");
  SendCommand("'FILEDIA 1 ");
  ASSERT_TRUE(FileExists(exchange)) << "written before the send returned";
  TLineList dxfLines = LoadLines(exchange);
  EXPECT_EQ(TextsOf(dxfLines), (std::vector<std::string>{"A-1", "日本語"}));
  EXPECT_EQ(GetSysVar("SNAPMODE"), "1");
  EXPECT_EQ(GetSysVar("FILEDIA"), "1");

  // Update: the edited strings into the export, ERASE P, the exploded insertion.
  TTextEnts ents;
  ParseTextEnts(dxfLines, ents);
  TakeMemoLines({"B-1", "ｶﾀｶﾅ 2"}, ents);
  ApplyTextEnts(ents, dxfLines);
  DeleteMarkedEntities(ents, dxfLines);
  SaveLines(exchange, dxfLines);
  SendCommand(
      "\x03\x03"
      "ERASE P \r");
  SendCommand("\x03-INSERT *" + exchange + "\r" + "0,0 1 0 ");
  EXPECT_EQ(ReadCommandLine(), kIdlePrompt);

  // Saved under a name with a blank, as the person may type it.
  const std::string saved = folder + "/保存 済み.dxf";
  SendCommand("SAVEAS " + saved + "\r");
  ASSERT_TRUE(FileExists(saved));
  EXPECT_EQ(TextsOf(LoadLines(saved)), (std::vector<std::string>{"A-2", "B-1", "ｶﾀｶﾅ 2"}));
  EXPECT_TRUE(cad.Close());
}

TEST(CadSimWine, InputStepShowsTheProgramsPromptsBetweenTheInputs) {
  test::TTempDir temp;
  const std::string drawing = temp.File("drawing.dxf");
  SaveLines(drawing,
            test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A-1"), test::LineEntity("2C")}));
  const std::string folder = temp.File("cad");
  std::filesystem::create_directories(FilePath(folder));
  TCadProgram cad(FilePath(CADSIM_EXE), drawing, folder, "drawing.dxf",
                  {"--input-step=300", "--locked-layers", "--osnap-typed=5", "--model-space-only"});
  ASSERT_TRUE(cad.Ready());
  EXPECT_EQ(ReadTextWindowLine().find("cadsim:"), std::string::npos) << "every option understood";
  SendCommand("SELECT ALL \r");
  EXPECT_EQ(ReadCommandLine(), kIdlePrompt) << "nothing carried out before the send returns";
  EXPECT_TRUE(WaitForPrompt([](std::string_view prompt) { return prompt == "オブジェクトを選択: "; }, 5000));
  EXPECT_TRUE(WaitForPrompt(IsIdlePrompt, 5000));
  EXPECT_EQ(GetSelectedCount(), 2);
  EXPECT_TRUE(cad.Close());
}

// The settings the tool saves, sets for its insertion and gives back, one
// WM_COPYDATA each, with input queued and typed values measured in the
// drawing's own UCS, from its ANGBASE, at its ELEVATION.
TEST(CadSimWine, TheToolsSettingsAroundAnInsertionRunAgainstTheProgram) {
  test::TTempDir temp;
  const std::string folder = temp.File("作業 フォルダ");
  std::filesystem::create_directories(FilePath(folder));
  const std::string drawing = temp.File("user.dxf");
  const std::string exchange = folder + "/vorbel.dxf";
  std::vector<std::string> lines = test::SelectionFile({}).ToStrings();
  const std::vector<std::string> header =
      TLineList::FromBytes(
          "  9\n$UCSORG\n 10\n1000.0\n  9\n$UCSXDIR\n 10\n0.8660254037844386\n 20\n0.5\n"
          "  9\n$ANGBASE\n 50\n1.570796326794897\n  9\n$ELEVATION\n 40\n7.5\n  9\n$UCSFOLLOW\n 70\n1")
          .ToStrings();
  lines.insert(lines.begin() + 12, header.begin(), header.end());  // after "$HANDSEED"
  SaveLines(drawing, TLineList::FromStrings(lines));
  SaveLines(exchange, test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A")}));

  TCadProgram cad(FilePath(CADSIM_EXE), drawing, folder, "user.dxf",
                  {"--queue=0", "--ucs", "--angbase", "--elevation"});
  ASSERT_TRUE(cad.Ready());
  const std::string follow = GetSysVar("UCSFOLLOW");
  EXPECT_EQ(follow, "1");
  for (const std::string& command :
       {std::string("_.UCSFOLLOW 0 "), std::string("_.UCS _W "), std::string("_.ANGBASE 0 "),
        "\x03-INSERT *" + exchange + "\r0,0,0 1 0 ", std::string("_.ANGBASE 1.5707963267948966r "),
        std::string("_.UCS _P "), std::string("_.ELEVATION 7.5 "), "_.UCSFOLLOW " + follow + " "}) {
    SendCommand(command);
  }
  EXPECT_EQ(GetSysVar("ANGBASE"), "90");
  EXPECT_EQ(GetSysVar("ELEVATION"), "7.5000");
  EXPECT_EQ(GetSysVar("WORLDUCS"), "0");
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(cad.SaveDrawing(folder + "/saved.dxf"), ents), 1);
  EXPECT_EQ(ents[0].InsPoint.X, 10) << "placed in the world";
  EXPECT_EQ(ents[0].InsPoint.Y, 20);
  EXPECT_EQ(ents[0].Rotation, 0);
  EXPECT_TRUE(cad.Close());
}

}  // namespace
}  // namespace vorbel
