// vorbel.exe as a user runs it: started from a folder of its own, its window
// found by title and class, its task-bar window, its settings file read and
// written, closed by WM_CLOSE.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_path.h"
#include "platform/win32/text_codec.h"
#include "support/temp_dir.h"
#include "vorbel_version.h"

namespace vorbel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// How long a step of the program may take (milliseconds).
constexpr DWORD kPatience = 20000;

struct TChild {
  HWND window;
  std::string className;
  std::string text;
  bool enabled;
  LRESULT check;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  std::wstring className(256, L'\0');
  className.resize(static_cast<size_t>(GetClassNameW(window, className.data(), 256)));
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  reinterpret_cast<std::vector<TChild>*>(list)->push_back(
      TChild{window, WideToCp932(className), WideToCp932(text), IsWindowEnabled(window) != FALSE,
             SendMessageW(window, BM_GETCHECK, 0, 0)});
  return TRUE;
}

std::string Title(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return WideToCp932(text);
}

std::vector<TChild> Children(HWND window) {
  std::vector<TChild> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

const TChild* ChildWithText(const std::vector<TChild>& children, const std::string& text) {
  for (const TChild& child : children) {
    if (child.text == text) return &child;
  }
  return nullptr;
}

// The top-level window of `processId` with this class and title.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

template <typename TCondition>
bool WaitFor(TCondition condition) {
  const ULONGLONG until = GetTickCount64() + kPatience;
  while (!condition()) {
    if (GetTickCount64() > until) return false;
    Sleep(20);
  }
  return true;
}

// A copy of vorbel.exe in a folder of its own, so that its settings file is
// the test's.
class TProgram {
 public:
  TProgram() {
    folder_ = fs::temp_directory_path() /
              ("vorbel-exe-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter_++));
    fs::create_directories(folder_);
    exe_ = folder_ / "vorbel.exe";
    fs::copy_file(fs::path(VORBEL_EXE), exe_);
  }
  ~TProgram() {
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    std::error_code error;
    fs::remove_all(folder_, error);
  }

  std::string IniPath() const { return PathText(folder_ / "vorbel.ini"); }

  HWND Start() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe_.wstring() + L"\"";
    if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
      return nullptr;
    }
    HWND window = nullptr;
    WaitFor([&] {
      window = FindProcessWindow(process_.dwProcessId, L"TForm1", L"Vorbel Ver.1.12");
      return window != nullptr && IsWindowVisible(window);
    });
    return window;
  }

  // The exit code once the program has ended, or -1.
  long WaitForExit() {
    if (WaitForSingleObject(process_.hProcess, kPatience) != WAIT_OBJECT_0) {
      return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

  DWORD ProcessId() const { return process_.dwProcessId; }

 private:
  static inline int counter_ = 0;
  fs::path folder_;
  fs::path exe_;
  PROCESS_INFORMATION process_{};
};

std::string Expected(int width, int height, int left, int top, bool sorted) {
  return "[Form]\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) +
         "\r\nLeft=" + std::to_string(left) + "\r\nTop=" + std::to_string(top) +
         "\r\n[Sort]\r\nChecked=" + (sorted ? "1" : "0") + "\r\n";
}

TEST(VorbelExe, StartsAsTheStayOnTopToolWindowAndWritesItsSettingsOnClose) {
  TProgram program;
  HWND window = program.Start();
  ASSERT_NE(window, nullptr);
  const UINT dpi = GetDpiForWindow(window);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, MulDiv(248, static_cast<int>(dpi), 96));
  EXPECT_EQ(client.bottom, MulDiv(249, static_cast<int>(dpi), 96));
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

  const auto children = Children(window);
  for (const char* caption : {"選択", "座標順", "dX ", "dY", "選択数：", "行数：", "縦整列(dX=0)",
                              "横整列(dY=0)", "XY間隔を更新", "更新", "作成", "終了"}) {
    EXPECT_NE(ChildWithText(children, caption), nullptr) << caption;
  }
  EXPECT_EQ(ChildWithText(children, "座標順")->check, BST_CHECKED);
  EXPECT_FALSE(ChildWithText(children, "更新")->enabled);
  EXPECT_FALSE(ChildWithText(children, "作成")->enabled);
  EXPECT_TRUE(ChildWithText(children, "終了")->enabled);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0);
  EXPECT_EQ(ReadBytes(program.IniPath()),
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
  TProgram program;
  HWND window = program.Start();
  ASSERT_NE(window, nullptr);
  HWND application = GetWindow(window, GW_OWNER);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(Title(application), "Vorbel Ver.1.11a");
  EXPECT_EQ(GetAncestor(application, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(application));
  EXPECT_EQ(GetWindowLongPtrW(application, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  RECT rect{};
  GetWindowRect(application, &rect);
  EXPECT_TRUE(IsRectEmpty(&rect));

  HWND memo = nullptr;
  for (const TChild& child : Children(window)) {
    if (child.className == "Edit" && (GetWindowLongPtrW(child.window, GWL_STYLE) & ES_MULTILINE) != 0) {
      memo = child.window;
    }
  }
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
  };
  ASSERT_TRUE(WaitFor([&] { return focus() == memo; }));
  for (HWND asked : {application, window}) {
    SCOPED_TRACE(asked == application ? "the task bar" : "the program");
    PostMessageW(asked, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(application) != FALSE && IsWindowVisible(window) == FALSE; }));
    PostMessageW(asked, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(application) == FALSE && IsWindowVisible(window) != FALSE; }));
    EXPECT_TRUE(WaitFor([&] { return focus() == memo; }));
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(VorbelExe, SettingsRoundTripAlsoWhenClosedMinimised) {
  TProgram program;
  WriteBytes(program.IniPath(),
             "[Recent]\r\nFile=a.dxf\r\n[Form]\r\nWidth=300\r\nHeight=320\r\nLeft=40\r\nTop=30\r\n"
             "[Sort]\r\nChecked=0\r\n");
  HWND window = program.Start();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(GetDpiForWindow(window), 96u) << "the sizes below are at 96 DPI";
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 30);
  EXPECT_EQ(outer.right - outer.left, 300);
  EXPECT_EQ(outer.bottom - outer.top, 320);
  const auto children = Children(window);
  EXPECT_EQ(ChildWithText(children, "座標順")->check, BST_UNCHECKED);
  EXPECT_FALSE(ChildWithText(children, "作成")->enabled);
  EXPECT_FALSE(ChildWithText(children, "dX ")->enabled);
  for (const TChild& child : children) {
    if (child.className == "Edit" && child.text == "0") {
      EXPECT_FALSE(child.enabled);
    }
  }

  SetWindowPos(window, nullptr, 60, 70, 310, 330, SWP_NOZORDER | SWP_NOACTIVATE);
  // Minimised and closed from the task bar.
  HWND application = GetWindow(window, GW_OWNER);
  PostMessageW(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(application) != FALSE && IsWindowVisible(window) == FALSE; }));
  PostMessageW(application, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(program.WaitForExit(), 0);
  EXPECT_EQ(ReadBytes(program.IniPath()),
            "[Recent]\r\nFile=a.dxf\r\n[Form]\r\nWidth=310\r\nHeight=330\r\nLeft=60\r\nTop=70\r\n"
            "[Sort]\r\nChecked=0\r\n");
}

TEST(VorbelExe, UnwritableSettingsFileShowsTheErrorBoxAndTheProgramEnds) {
  TProgram program;
  fs::create_directory(FilePath(program.IniPath()));
  HWND window = program.Start();
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    box = FindProcessWindow(program.ProcessId(), L"#32770", L"Vorbel Ver.1.11a");
    return box != nullptr;
  }));
  bool named = false;
  for (const TChild& child : Children(box)) {
    if (child.text.find(" に書き込めません.") != std::string::npos) {
      named = true;
      EXPECT_NE(child.text.find("vorbel.ini"), std::string::npos) << child.text;
    }
  }
  EXPECT_TRUE(named);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.WaitForExit(), 0);
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
