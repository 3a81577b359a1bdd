// The Win32 backend and acadctrl against real windows of another process:
// fake_acad.exe (fake_acad_win.cpp), started beside this program and ended
// when the test ends, passed or failed. One journey through what only Windows
// shows: captions the system keeps against texts the windows answer, the
// windows of two threads, WM_COPYDATA carried to another process, the real
// clipboard. What acadctrl makes of the answers (system variables, counts,
// the history's last line, AutoCAD missing) runs on the simulated desktop.
//
// Run with the ANSI code page 932 (LC_ALL=ja_JP.UTF-8 under Wine) and without
// (en_US.UTF-8): the texts must arrive as the same code page 932 bytes both
// times.
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "support/temp_dir.h"
#include "windriver/clipboard_driver.h"
#include "windriver/process.h"
#include "windriver/window_driver.h"

namespace vorbel {
namespace {

using namespace windriver;

// The typed inputs fake_acad.exe logged, as WM_COPYDATA carried them: each
// record is "dwData cbData\n", the bytes and "\n".
std::vector<std::string> ReceivedInputs(const std::string& log) {
  std::vector<std::string> inputs;
  size_t at = 0;
  for (size_t lineEnd; (lineEnd = log.find('\n', at)) != std::string::npos;) {
    const std::string head = log.substr(at, lineEnd - at);
    const size_t blank = head.find(' ');
    EXPECT_EQ(head.substr(0, blank), "1") << "typed input";
    const size_t cbData = std::stoull(head.substr(blank + 1));
    inputs.push_back(log.substr(lineEnd + 1, cbData));
    at = lineEnd + 1 + cbData + 1;
  }
  return inputs;
}

TEST(DesktopWine, TheCadLinkAgainstAnotherProcessAndTheRealClipboard) {
  std::cout << "ANSI code page " << GetACP() << "\n";
  test::TTempDir temp;
  const std::string log = temp.File("fake-acad.log");
  TProcess acad(ProgramFolder() / L"fake_acad.exe", {log}, {});
  // Its main window gets its title last, when all its windows are there.
  ASSERT_TRUE(WaitFor([&] { return FindAcadWindow() != kNoWindow || !acad.Running(); }));
  ASSERT_NE(FindAcadWindow(), kNoWindow) << "fake_acad.exe did not come up";

  // The windows: the main window and the text window of its thread, below
  // another thread's text window that passes every other test.
  const TWindow mainWnd = FindAcadWindow();
  EXPECT_EQ(WindowTitle(mainWnd), "AutoCAD 2000 - [test.dwg]");
  EXPECT_EQ(WindowClassName(mainWnd), "Afx:400000:8:10011:0:1234");
  EXPECT_TRUE(ActivateAcad());
  const TWindow textWnd = FindTextWindow();
  ASSERT_NE(textWnd, kNoWindow);
  EXPECT_EQ(WindowTitle(textWnd), "AutoCAD テキスト ウィンドウ - test.dwg");
  EXPECT_EQ(WindowThreadId(textWnd), WindowThreadId(mainWnd));
  TWindow other = kNoWindow;
  for (TWindow window : TopLevelWindows()) {
    if (window == textWnd) break;
    if (WindowTitle(window) == "AutoCAD テキスト ウィンドウ - other.dwg") other = window;
  }
  ASSERT_NE(other, kNoWindow) << "the other text window must lie above";
  EXPECT_EQ(WindowClassName(other), WindowClassName(textWnd));
  EXPECT_NE(WindowThreadId(other), WindowThreadId(mainWnd));

  // The caption comes from the system, the text from the window itself.
  const TCommandLineWindows mainLines = FindCommandLineWindows(mainWnd);
  EXPECT_EQ(WindowTitle(mainLines.PromptWnd), "Headlands");
  EXPECT_EQ(GetWindowString(mainLines.PromptWnd), "コマンド: ");
  EXPECT_EQ(mainLines.HistoryWnd, kNoWindow);
  EXPECT_EQ(ReadCommandLine(), "コマンド: ");
  const TCommandLineWindows textLines = FindCommandLineWindows(textWnd);
  EXPECT_EQ(WindowTitle(textLines.HistoryWnd), "MountTam");
  EXPECT_EQ(ReadTextWindowLine(), "AutoCAD メニュー ユーティリティ ロード済み。\r\n");

  // The history read through the clipboard gives back what the user copied
  // there: Japanese text, a spreadsheet's rich text, an image.
  const std::vector<TClipboardItem> userCopy = {
      {CF_UNICODETEXT, UnicodeTextBytes("利用者がコピーした新しい文字列")},
      {RegisterClipboardFormatW(L"Rich Text Format"), "{\\rtf1\\ansi\\ansicpg932 A-1\\par A-2}"},
      {CF_DIB, SmallDib()},
  };
  std::vector<std::string> sent;  // each with its NUL
  const auto type = [&sent](const std::string& command) {
    SendCommand(command);
    sent.push_back(command + '\0');
  };
  TClipboardOwner user;
  ASSERT_TRUE(user.Put(userCopy));
  type("SELECT ");
  EXPECT_EQ(LastHistoryLine(), "オブジェクトを選択: ");
  for (const TClipboardItem& item : userCopy)
    EXPECT_EQ(ClipboardBytes(item.format), item.bytes) << item.format;
  EXPECT_EQ(ClipboardText(), "利用者がコピーした新しい文字列");
  // An empty clipboard stays empty.
  ASSERT_TRUE(user.Put({}));
  EXPECT_EQ(CopyHistory(),
            "AutoCAD メニュー ユーティリティ ロード済み。\r\n"
            "コマンド: SELECT\r\nオブジェクトを選択: 2 個を検出、総数 2\r\nオブジェクトを選択: \r\n");
  EXPECT_EQ(ClipboardText(), "");
  EXPECT_EQ(CountClipboardFormats(), 0);

  // Commands arrive whole whatever their length: one that fills the usual
  // 256-byte buffer, and an export to a deep folder with Japanese names, 600
  // bytes.
  std::string exportCommand = "DXFOUT C:\\図面\\";
  while (exportCommand.size() + 7 + 9 <= 600) exportCommand += "日本語\\";
  exportCommand.append(600 - 9 - exportCommand.size(), 'x');
  exportCommand += "選択.dxf\r";
  type("LINE ");
  type(std::string(255, 'a'));
  type(exportCommand);
  EXPECT_EQ(ReceivedInputs(test::ReadBytes(log)), sent);
}

}  // namespace
}  // namespace vorbel
