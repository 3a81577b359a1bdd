// vorbel.exe as a drafter runs it from the unpacked release package: started
// from its folder (a Japanese name with a blank), beside the stand-in CAD, it
// selects, updates and ends cleanly, writing its settings beside itself.
//
// The folder comes from VORBEL_PACKAGE_DIR (as Windows sees it).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "base/files.h"
#include "dxf/text_ents.h"
#include "platform/file_path.h"
#include "windriver/cadsim_driver.h"
#include "windriver/vorbel_window.h"
#include "windriver/window_driver.h"

namespace vorbel {
namespace {

using namespace windriver;

TEST(PackageWine, TheUnpackedProgramSelectsUpdatesAndEndsCleanly) {
  const char* folderVariable = std::getenv("VORBEL_PACKAGE_DIR");
  ASSERT_NE(folderVariable, nullptr) << "VORBEL_PACKAGE_DIR names the unpacked folder";
  const std::string folder = folderVariable;
  ASSERT_TRUE(FileExists(folder + "/vorbel.exe"));
  ASSERT_FALSE(FileExists(folder + "/vorbel.ini")) << "the package holds no settings file";

  TCadProgram cad(FilePath(CADSIM_EXE),
                  std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/jwcad_r001rt_three_texts.dxf", folder,
                  "図面.dxf");
  ASSERT_TRUE(cad.Ready());
  TVorbelProgram vorbel(FilePath(folder + "/vorbel.exe"), FilePath(folder), "");
  const TVorbelWindow& w = vorbel.Window();
  ASSERT_TRUE(w.Complete());

  w.Click(w.select);
  ASSERT_TRUE(WaitFor([] { return ReadCommandLine() == "オブジェクトを選択: "; }));
  Pointer("PICKALL");
  SendCommand("\r");
  ASSERT_TRUE(WaitFor([&] { return w.MemoLines().size() == 3 && !w.Minimized(); })) << TextOf(w.memo);

  w.PasteIntoMemo("端子 1\r\n端子 2\r\n端子 3");
  // The drawing's POINT was picked too: Update asks before it draws it again.
  PostMessageW(w.update, BM_CLICK, 0, 0);
  EXPECT_NE(AnswerQuestionBox(vorbel.Process().Id(), "Vorbel Ver.1.11a", true), "");
  ASSERT_TRUE(WaitFor([&] { return w.MemoLines().empty(); }));
  TTextEnts texts;
  ParseTextEnts(cad.SaveDrawing(folder + "/saved.dxf"), texts);
  std::vector<std::string> strings;
  for (const TTextEnt& text : texts) strings.push_back(text.Text);
  std::sort(strings.begin(), strings.end());
  EXPECT_EQ(strings, (std::vector<std::string>{"端子 1", "端子 2", "端子 3"}));

  EXPECT_EQ(vorbel.Close(), 0);
  EXPECT_TRUE(FileExists(folder + "/vorbel.ini")) << "the settings are written beside the program";
  EXPECT_TRUE(cad.Close());
}

}  // namespace
}  // namespace vorbel
