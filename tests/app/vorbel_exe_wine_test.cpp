// vorbel.exe as a user runs it: started from a folder of its own, its window
// found by title and class, its task-bar window, its settings file read and
// written, closed by WM_CLOSE.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "platform/file_path.h"
#include "platform/win32/text_codec.h"
#include "support/temp_dir.h"
#include "vorbel_version.h"
#include "windriver/vorbel_window.h"
#include "windriver/window_driver.h"

namespace vorbel {
namespace {

using namespace windriver;
using test::ReadBytes;

// vorbel.exe runs from the test's folder, so that its settings file is the
// test's.
std::filesystem::path Folder(const test::TTempDir& temp) { return FilePath(temp.File("")); }

std::string Expected(int width, int height, int left, int top, bool sorted) {
  return "[Form]\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) +
         "\r\nLeft=" + std::to_string(left) + "\r\nTop=" + std::to_string(top) +
         "\r\n[Sort]\r\nChecked=" + (sorted ? "1" : "0") + "\r\n[Update]\r\nConfirm=0\r\n";
}

TEST(VorbelExe, StartsAsTheStayOnTopToolWindowAndWritesItsSettingsOnClose) {
  test::TTempDir temp;
  TVorbelProgram program(FilePath(VORBEL_EXE), Folder(temp), "");
  const TVorbelWindow& w = program.Window();
  ASSERT_TRUE(w.Complete());
  HWND window = w.form;
  const UINT dpi = GetDpiForWindow(window);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, MulDiv(251, static_cast<int>(dpi), 96));
  EXPECT_EQ(client.bottom, MulDiv(251, static_cast<int>(dpi), 96));
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_NE(style & WS_THICKFRAME, 0);
  EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
  RECT outer{};
  GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

  for (const char* caption : {"dX ", "dY", "選択数：", "行数："}) {
    EXPECT_NE(ChildWithText(window, caption), nullptr) << caption;
  }
  EXPECT_TRUE(w.Checked(w.sort));
  EXPECT_FALSE(w.Enabled(w.update));
  EXPECT_FALSE(w.Enabled(w.make));
  EXPECT_TRUE(w.Enabled(w.close));

  EXPECT_EQ(program.Close(), 0);
  EXPECT_EQ(ReadBytes(temp.File("vorbel.ini")),
            Expected(MulDiv(width, 96, static_cast<int>(dpi)), MulDiv(height, 96, static_cast<int>(dpi)),
                     outer.left, outer.top, true));
}

// The task-bar button is the application window's: a visible top-level
// window of no size with the application title, owner of the main window
// (the stay-on-top tool window of the test above).
// Minimised, by the task bar (its system commands) or by the program (the
// main window's), it hides the main window; restored it shows it again with
// the focus back in the memo.
TEST(VorbelExe, TheApplicationWindowHasTheTaskBarButtonAndMinimisesTheProgram) {
  test::TTempDir temp;
  TVorbelProgram program(FilePath(VORBEL_EXE), Folder(temp), "");
  const TVorbelWindow& w = program.Window();
  ASSERT_TRUE(w.Complete());
  HWND window = w.form;
  HWND application = GetWindow(window, GW_OWNER);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(TextOf(application), "Vorbel Ver.1.11a");
  EXPECT_EQ(GetAncestor(application, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(application));
  EXPECT_EQ(GetWindowLongPtrW(application, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  RECT rect{};
  GetWindowRect(application, &rect);
  EXPECT_TRUE(IsRectEmpty(&rect));

  ASSERT_TRUE(WaitFor([&] { return FocusedControl(window) == w.memo; }));
  for (HWND asked : {application, window}) {
    SCOPED_TRACE(asked == application ? "the task bar" : "the program");
    PostMessageW(asked, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(application) != FALSE && IsWindowVisible(window) == FALSE; }));
    PostMessageW(asked, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(application) == FALSE && IsWindowVisible(window) != FALSE; }));
    EXPECT_TRUE(WaitFor([&] { return FocusedControl(window) == w.memo; }));
  }
  EXPECT_EQ(program.Close(), 0);
}

TEST(VorbelExe, SettingsRoundTripAlsoWhenClosedMinimised) {
  test::TTempDir temp;
  TVorbelProgram program(
      FilePath(VORBEL_EXE), Folder(temp),
      "[Recent]\r\nFile=a.dxf\r\n[Form]\r\nWidth=300\r\nHeight=320\r\nLeft=40\r\nTop=30\r\n"
      "[Sort]\r\nChecked=0\r\n[Update]\r\nConfirm=1\r\n");
  const TVorbelWindow& w = program.Window();
  ASSERT_TRUE(w.Complete());
  HWND window = w.form;
  ASSERT_EQ(GetDpiForWindow(window), 96u) << "the sizes below are at 96 DPI";
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 30);
  EXPECT_EQ(outer.right - outer.left, 300);
  EXPECT_EQ(outer.bottom - outer.top, 320);
  EXPECT_FALSE(w.Checked(w.sort));
  EXPECT_FALSE(w.Enabled(w.make));
  HWND dXLabel = ChildWithText(window, "dX ");
  ASSERT_NE(dXLabel, nullptr);
  EXPECT_FALSE(w.Enabled(dXLabel));
  // The pitch fields, which show "0".
  EXPECT_FALSE(w.Enabled(w.edit1));
  EXPECT_FALSE(w.Enabled(w.edit2));

  SetWindowPos(window, nullptr, 60, 70, 310, 330, SWP_NOZORDER | SWP_NOACTIVATE);
  // Minimised and closed from the task bar.
  HWND application = GetWindow(window, GW_OWNER);
  PostMessageW(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(application) != FALSE && IsWindowVisible(window) == FALSE; }));
  PostMessageW(application, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(program.Process().WaitForExit(kPatience), 0);
  EXPECT_EQ(ReadBytes(temp.File("vorbel.ini")),
            "[Recent]\r\nFile=a.dxf\r\n[Form]\r\nWidth=310\r\nHeight=330\r\nLeft=60\r\nTop=70\r\n"
            "[Sort]\r\nChecked=0\r\n[Update]\r\nConfirm=1\r\n");
}

TEST(VorbelExe, UnwritableSettingsFileShowsTheErrorBoxAndTheProgramEnds) {
  test::TTempDir temp;
  std::filesystem::create_directory(FilePath(temp.File("vorbel.ini")));
  TVorbelProgram program(FilePath(VORBEL_EXE), Folder(temp), "");
  ASSERT_TRUE(program.Window().Complete());
  PostMessageW(program.Window().form, WM_CLOSE, 0, 0);
  const std::string message = TakeErrorBox(program.Process().Id(), "Vorbel Ver.1.11a");
  EXPECT_NE(message.find(" に書き込めません."), std::string::npos) << message;
  EXPECT_NE(message.find("vorbel.ini"), std::string::npos) << message;
  EXPECT_EQ(program.Process().WaitForExit(kPatience), 0);
}

// Lines not written back keep the program open until the user lets them go:
// every way of closing asks, and いいえ (the default) refuses the close.
TEST(VorbelExe, EveryCloseAsksBeforeEditedLinesGo) {
  test::TTempDir temp;
  TVorbelProgram program(FilePath(VORBEL_EXE), Folder(temp), "");
  const TVorbelWindow& w = program.Window();
  ASSERT_TRUE(w.Complete());
  HWND window = w.form;
  HWND application = GetWindow(window, GW_OWNER);
  w.PasteIntoMemo("新しい行");
  const DWORD id = program.Process().Id();
  // The question, answered いいえ.
  const auto refuse = [&] {
    int defaultButton = 0;
    const std::string question = AnswerQuestionBox(id, "Vorbel Ver.1.11a", false, &defaultButton);
    EXPECT_NE(question.find("書き戻していません"), std::string::npos) << question;
    EXPECT_EQ(defaultButton, IDNO);
  };
  struct TWay {
    const char* name;
    std::function<void()> close;
  };
  const TWay ways[] = {
      {"WM_CLOSE", [&] { PostMessageW(window, WM_CLOSE, 0, 0); }},
      {"the caption's button or Alt+F4", [&] { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"終了", [&] { PostMessageW(w.close, BM_CLICK, 0, 0); }},
      {"the task bar", [&] { PostMessageW(application, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const TWay& way : ways) {
    SCOPED_TRACE(way.name);
    way.close();
    refuse();
    EXPECT_EQ(program.Process().WaitForExit(500), -1) << "still running";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(TextOf(w.memo), "新しい行");
  }
  // Signing out: Windows asks the program and waits for its answer.
  LRESULT mayEnd = TRUE;
  std::thread session([&] { mayEnd = Send(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); });
  refuse();
  session.join();
  EXPECT_EQ(mayEnd, FALSE);
  EXPECT_TRUE(IsWindowVisible(window));
  // はい lets the lines go and the program end.
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_NE(AnswerQuestionBox(id, "Vorbel Ver.1.11a", true), "");
  EXPECT_EQ(program.Process().WaitForExit(kPatience), 0);
}

// The version resource as the file's properties show it: the Japanese strings
// first, the English ones, and the version the build gave both programs.
TEST(VorbelExe, BothProgramsCarryTheVersionResource) {
  const struct {
    const char* exe;
    const char* fileName;
    const char* description;
  } programs[] = {
      {VORBEL_EXE, "vorbel.exe", "AutoCAD の文字を一覧で編集するツール"},
      {VORBEL_DXF_EXE, "vorbel-dxf.exe", "Vorbel の DXF コマンドラインツール"},
  };
  for (const auto& program : programs) {
    SCOPED_TRACE(program.fileName);
    const std::wstring path = FilePath(program.exe).wstring();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    const auto query = [&](const std::wstring& name) -> void* {
      void* value = nullptr;
      UINT length = 0;
      return VerQueryValueW(info.data(), name.c_str(), &value, &length) ? value : nullptr;
    };
    const auto text = [&](const wchar_t* block, const wchar_t* name) {
      const auto* value =
          static_cast<const wchar_t*>(query(std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name));
      return value != nullptr ? WideToCp932(value) : "(none)";
    };
    EXPECT_EQ(text(L"041103A4", L"FileDescription"), program.description);
    EXPECT_EQ(text(L"041103A4", L"ProductName"), "Vorbel");
    EXPECT_EQ(text(L"041103A4", L"FileVersion"), VORBEL_VERSION);
    EXPECT_EQ(text(L"041103A4", L"ProductVersion"), VORBEL_VERSION);
    EXPECT_EQ(text(L"041103A4", L"OriginalFilename"), program.fileName);
    EXPECT_EQ(text(L"041103A4", L"LegalCopyright"), "Copyright (C) 2026 Vorbel の開発者");
    EXPECT_EQ(text(L"040904E4", L"LegalCopyright"), "Copyright (C) 2026 The Vorbel developers");
    EXPECT_EQ(text(L"040904E4", L"FileVersion"), VORBEL_VERSION);

    const auto* languages = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(languages[0], 0x0411);
    EXPECT_EQ(languages[1], 932);
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(HIWORD(fixed->dwFileVersionLS)),
              VORBEL_VERSION);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  }
}

}  // namespace
}  // namespace vorbel
