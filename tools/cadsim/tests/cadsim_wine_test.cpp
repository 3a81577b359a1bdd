// cadsim.exe as a program of its own, driven by the real CAD link through
// its windows: a selection, the export, the update by ERASE P and an
// exploded insertion, new texts placed at a point, and the drawing saved
// and checked afterwards. Run under Wine with either code page.
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
#include "platform/win32/text_codec.h"
#include "support/dxf_builder.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

constexpr std::string_view kIdle = "コマンド: ";
constexpr std::uintptr_t kPointerInput = 2;

// cadsim.exe running on a drawing; closed (or, failing that, ended) when the
// owner goes.
class TCadSimProcess {
 public:
  explicit TCadSimProcess(const std::string& drawing) {
    std::wstring commandLine = L"\"" + Cp932ToWide(CADSIM_EXE) + L"\" \"" + Cp932ToWide(drawing) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info_)) {
      WaitForInputIdle(info_.hProcess, 20000);
    }
  }
  ~TCadSimProcess() {
    if (info_.hProcess == nullptr) return;
    if (!Close()) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  TCadSimProcess(const TCadSimProcess&) = delete;
  TCadSimProcess& operator=(const TCadSimProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }

  // The main window, once the program shows it.
  TWindow WaitForMainWindow(const std::string& title) {
    for (int attempt = 0; attempt < 200; ++attempt) {
      const TWindow window = FindAcadWindow();
      if (window != kNoWindow && WindowTitle(window) == title) return main_ = window;
      Sleep(100);
    }
    return kNoWindow;
  }

  // Closes the main window; true when the program ended with status 0.
  bool Close() {
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &status);
    if (status == STILL_ACTIVE) {
      if (main_ != kNoWindow) PostMessageW(reinterpret_cast<HWND>(main_), WM_CLOSE, 0, 0);
      if (WaitForSingleObject(info_.hProcess, 20000) != WAIT_OBJECT_0) return false;
      GetExitCodeProcess(info_.hProcess, &status);
    }
    return status == 0;
  }

 private:
  PROCESS_INFORMATION info_{};
  TWindow main_ = kNoWindow;
};

// The mouse of the stand-in: picks by handle, points.
void Pointer(const std::string& text) {
  SendCopyData(FindAcadWindow(), kPointerInput, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}

TTextEnts TextsOf(const std::string& file) {
  TTextEnts ents;
  ParseTextEnts(LoadLines(file), ents);
  return ents;
}

struct TDrawingCase {
  const char* name;
  TLineList drawing;
  std::string picks;                  // "PICK ..." for the selection
  int32_t count;                      // what GetSelectedCount reads
  std::vector<std::string> texts;     // of the export, in file order
  std::vector<std::string> newTexts;  // the memo after editing
  std::vector<std::string> saved;     // the saved drawing's texts, in order
};

std::vector<TDrawingCase> DrawingCases() {
  std::vector<TDrawingCase> cases;
  cases.push_back({"a drawing of texts and a line",
                   test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A-1"),
                                        test::TextEntity("2B", "20.0", "20.0", "A-2"), test::LineEntity("2C"),
                                        test::TextEntity("2D", "30.0", "20.0", "日本語")}),
                   "PICK 2A,2C,2D",
                   3,
                   {"A-1", "日本語"},
                   {"B-1", "ｶﾀｶﾅ 2"},
                   {"A-2", "B-1", "ｶﾀｶﾅ 2"}});
  const std::string jw = std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/jwcad_r001rt_three_texts.dxf";
  // Its texts have no handles; the stand-in gives them 27, 28 and 29.
  cases.push_back({"a Japanese drawing without handles",
                   LoadLines(jw),
                   "PICK 27,29",
                   2,
                   {"ABC", "Z"},
                   {"", "Ｚ２"},
                   {"日本B", "Ｚ２"}});
  return cases;
}

TEST(CadSimWine, TheToolsSelectionAndUpdateRunAgainstTheProgram) {
  for (const TDrawingCase& c : DrawingCases()) {
    SCOPED_TRACE(c.name);
    test::TTempDir temp;
    const std::string folder = temp.File("作業 フォルダ");
    std::filesystem::create_directories(FilePath(folder));
    const std::string drawing = folder + "/図面 1.dxf";
    const std::string exchange = folder + "/vorbel.dxf";
    SaveLines(drawing, c.drawing);

    TCadSimProcess cad(drawing);
    ASSERT_TRUE(cad.Started());
    ASSERT_NE(cad.WaitForMainWindow("AutoCAD 2000 - [図面 1.dxf]"), kNoWindow);
    EXPECT_NE(FindTextWindow(), kNoWindow);
    EXPECT_EQ(WindowTitle(FindTextWindow()), "AutoCAD テキスト ウィンドウ - 図面 1.dxf");
    EXPECT_EQ(ReadCommandLine(), kIdle);
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
    Pointer(c.picks);
    SendCommand("\r");

    // The timer's tick that sees the idle prompt, up to the export.
    ASSERT_EQ(ReadCommandLine(), kIdle);
    EXPECT_EQ(LastHistoryLine().find("キャンセル"), std::string::npos);
    EXPECT_EQ(ClipboardText(), "") << "the history was read through the clipboard";
    SendCommand("SNAPMODE " + savedSnapMode + "\r");
    ASSERT_EQ(GetSelectedCount(), c.count);
    DeleteFileAt(exchange);
    SendCommand("FILEDIA 0 ");
    SendCommand("DXFOUT " + exchange + "\r" + "V 2000 O P " + "\r" + "16 ");
    SendCommand("'FILEDIA 1 ");
    ASSERT_TRUE(FileExists(exchange)) << "written before the send returned";
    TLineList dxfLines = LoadLines(exchange);
    TTextEnts ents;
    ParseTextEnts(dxfLines, ents);
    std::vector<std::string> texts;
    for (const TTextEnt& ent : ents) texts.push_back(ent.Text);
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(GetSysVar("SNAPMODE"), "1");
    EXPECT_EQ(GetSysVar("FILEDIA"), "1");

    // Update: the edited strings into the export, ERASE P, the exploded insertion.
    TakeMemoLines(c.newTexts, ents);
    ApplyTextEnts(ents, dxfLines);
    DeleteMarkedEntities(ents, dxfLines);
    SaveLines(exchange, dxfLines);
    SendCommand(
        "\x03\x03"
        "ERASE P \r");
    SendCommand("\x03-INSERT *" + exchange + "\r" + "0,0 1 0 ");
    EXPECT_EQ(ReadCommandLine(), kIdle);

    const std::string saved = folder + "/保存 済み.dxf";
    SendCommand("SAVEAS " + saved + "\r");
    ASSERT_TRUE(FileExists(saved));
    std::vector<std::string> savedTexts;
    for (const TTextEnt& ent : TextsOf(saved)) savedTexts.push_back(ent.Text);
    EXPECT_EQ(savedTexts, c.saved);
    EXPECT_TRUE(cad.Close());
  }
}

TEST(CadSimWine, NewTextsArePlacedAtThePointThePersonGives) {
  test::TTempDir temp;
  const std::string drawing = temp.File("drawing.dxf");
  const std::string exchange = temp.File("make.dxf");
  SaveLines(drawing, test::SelectionFile({test::TextEntity("2A", "10.0", "20.0", "A-1")}));
  SaveLines(exchange, test::SelectionFile({test::TextEntity("40", "0.0", "0.0", "新しい 1"),
                                           test::TextEntity("41", "0.0", "-5.0", "新しい 2")}));
  TCadSimProcess cad(drawing);
  ASSERT_NE(cad.WaitForMainWindow("AutoCAD 2000 - [drawing.dxf]"), kNoWindow);
  SendCommand("\x03-INSERT *" + exchange + "\r");
  // The timer waits for the scale prompt, which comes once the point is given.
  EXPECT_EQ(ReadCommandLine(), "挿入点を指定: ");
  Pointer("POINT 100,50");
  ASSERT_NE(ReadCommandLine().find("尺度を指定:"), std::string::npos);
  SendCommand("1 0 ");
  EXPECT_EQ(ReadCommandLine(), kIdle);
  const std::string saved = temp.File("saved.dxf");
  SendCommand("SAVEAS " + saved + "\r");
  const TTextEnts ents = TextsOf(saved);
  ASSERT_EQ(ents.size(), 3u);
  EXPECT_EQ(ents[1].Text, "新しい 1");
  EXPECT_EQ(ents[1].InsPoint.X, 100);
  EXPECT_EQ(ents[2].InsPoint.Y, 45);
  EXPECT_NE(ents[1].Handle, "40") << "new handles";
  EXPECT_TRUE(cad.Close());
}

}  // namespace
}  // namespace vorbel
