// The Win32 backend and acadctrl against real windows of another process:
// fake_acad.exe (fake_acad_win.cpp), started beside this program for each
// test and ended when the test ends, passed or failed.
//
// Run with the ANSI code page 932 (LC_ALL=ja_JP.UTF-8 under Wine) and without
// (C.UTF-8): the texts must arrive as the same code page 932 bytes both times.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"

namespace vorbel {
namespace {

struct TCloseHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using THandle = std::unique_ptr<void, TCloseHandle>;

// One WM_COPYDATA as fake_acad.exe logged it.
struct TCopyRecord {
  unsigned long long dwData;
  size_t cbData;
  std::string bytes;
};

std::filesystem::path ProgramFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

// fake_acad.exe as a child process. The process is ended with this object,
// and with this program's end even if that comes by a crash (the job object
// kills it when its last handle closes).
class TFakeAcadProcess {
 public:
  explicit TFakeAcadProcess(const std::filesystem::path& logPath) : job_(CreateJobObjectW(nullptr, nullptr)) {
    if (job_) {
      JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
      limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
      SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    std::wstring commandLine =
        L"\"" + (ProgramFolder() / L"fake_acad.exe").wstring() + L"\" \"" + logPath.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info)) {
      return;
    }
    process_.reset(info.hProcess);
    THandle thread(info.hThread);
    if (job_) AssignProcessToJobObject(job_.get(), process_.get());
    ResumeThread(thread.get());
  }
  ~TFakeAcadProcess() { Stop(); }
  TFakeAcadProcess(const TFakeAcadProcess&) = delete;
  TFakeAcadProcess& operator=(const TFakeAcadProcess&) = delete;

  // True once the program's windows are all there (its main window gets its
  // title last); false when it did not start or ended.
  bool WaitUntilReady() const {
    if (!process_) return false;
    for (int i = 0; i < 600; ++i) {
      if (FindAcadWindow() != kNoWindow) return true;
      if (WaitForSingleObject(process_.get(), 50) == WAIT_OBJECT_0) return false;
    }
    return false;
  }

  void Stop() {
    if (!process_) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 10000);
    process_.reset();
  }

 private:
  THandle job_;
  THandle process_;
};

// The clipboard, open for this thread, trying for a while: Wine's clipboard
// manager reads every new content and holds the clipboard meanwhile.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

// The bytes of a format's memory object on the clipboard; empty when it holds
// no such format.
std::string ClipboardBytes(UINT format) {
  if (!OpenClipboardPatiently(nullptr)) return "(clipboard not open)";
  std::string bytes;
  HANDLE memory = GetClipboardData(format);
  if (const void* data = memory ? GlobalLock(memory) : nullptr) {
    bytes.assign(static_cast<const char*>(data), GlobalSize(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return bytes;
}

// A message-only window that owns the clipboard as a user's program would,
// to put contents on it; it leaves the clipboard empty when it goes.
class TClipboardOwner {
 public:
  TClipboardOwner()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~TClipboardOwner() {
    Put({});
    if (window_) DestroyWindow(window_);
  }
  TClipboardOwner(const TClipboardOwner&) = delete;
  TClipboardOwner& operator=(const TClipboardOwner&) = delete;

  bool Put(const TClipboardContents& contents) {
    if (!window_ || !OpenClipboardPatiently(window_)) return false;
    EmptyClipboard();
    bool put = true;
    for (const TClipboardData& data : contents) {
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, data.bytes.size());
      if (memory) {
        data.bytes.copy(static_cast<char*>(GlobalLock(memory)), data.bytes.size());
        GlobalUnlock(memory);
      }
      if (!memory || !SetClipboardData(data.format, memory)) {
        if (memory) GlobalFree(memory);
        put = false;
      }
    }
    CloseClipboard();
    return put;
  }

 private:
  HWND window_;
};

std::string WideBytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

// A 2 x 2 pixel, 24-bit DIB: the header and two rows of 8 bytes (6 bytes of
// pixels, padded to 4).
std::string SmallDib() {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = 2;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = 16;
  std::string dib(reinterpret_cast<const char*>(&header), sizeof(header));
  dib += std::string("\x10\x20\x30\x40\x50\x60\0\0\x70\x80\x90\xa0\xb0\xc0\0\0", 16);
  return dib;
}

class DesktopWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    logPath_ = std::filesystem::path(folder) /
               (L"vorbel-fake-acad-" + std::to_wstring(GetCurrentProcessId()) + L".log");
    std::filesystem::remove(logPath_);
    acad_ = std::make_unique<TFakeAcadProcess>(logPath_);
    ASSERT_TRUE(acad_->WaitUntilReady()) << "fake_acad.exe did not come up";
  }
  void TearDown() override {
    acad_.reset();
    std::error_code ignored;
    std::filesystem::remove(logPath_, ignored);
  }

  std::vector<TCopyRecord> Received() const {
    std::ifstream file(logPath_, std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<TCopyRecord> records;
    size_t at = 0;
    while (at < log.size()) {
      const size_t lineEnd = log.find('\n', at);
      if (lineEnd == std::string::npos) break;
      TCopyRecord record{};
      const std::string head = log.substr(at, lineEnd - at);
      const size_t blank = head.find(' ');
      record.dwData = std::stoull(head.substr(0, blank));
      record.cbData = std::stoull(head.substr(blank + 1));
      record.bytes = log.substr(lineEnd + 1, record.cbData);
      records.push_back(record);
      at = lineEnd + 1 + record.cbData + 1;
    }
    return records;
  }

  std::filesystem::path logPath_;
  std::unique_ptr<TFakeAcadProcess> acad_;
};

TEST_F(DesktopWineTest, FindsTheWindowsAndTellsCaptionsFromTexts) {
  std::cout << "ANSI code page " << GetACP() << "\n";
  const TWindow mainWnd = FindAcadWindow();
  EXPECT_EQ(WindowTitle(mainWnd), "AutoCAD 2000 - [test.dwg]");
  EXPECT_EQ(WindowClassName(mainWnd), "Afx:400000:8:10011:0:1234");
  EXPECT_TRUE(ActivateAcad());

  const TWindow textWnd = FindTextWindow();
  ASSERT_NE(textWnd, kNoWindow);
  EXPECT_EQ(WindowTitle(textWnd), "AutoCAD テキスト ウィンドウ - test.dwg");
  EXPECT_EQ(WindowThreadId(textWnd), WindowThreadId(mainWnd));
  // The other text window is higher in the window order and passes every
  // test but the thread.
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
}

TEST_F(DesktopWineTest, SendsCommandsWholeWhateverTheirLength) {
  // An export to a deep folder with Japanese names: 600 bytes.
  std::string exportCommand = "DXFOUT C:\\図面\\";
  while (exportCommand.size() + 7 + 9 <= 600) exportCommand += "日本語\\";
  exportCommand.append(600 - 9 - exportCommand.size(), 'x');
  exportCommand += "選択.dxf\r";
  const std::vector<std::string> commands = {"LINE ", std::string(255, 'a'), exportCommand};
  for (const std::string& command : commands) SendCommand(command);

  const std::vector<TCopyRecord> received = Received();
  ASSERT_EQ(received.size(), commands.size());
  for (size_t i = 0; i < commands.size(); ++i) {
    EXPECT_EQ(received[i].dwData, 1u);
    EXPECT_EQ(received[i].cbData, commands[i].size() + 1);
    EXPECT_EQ(received[i].bytes, commands[i] + '\0');
  }
  EXPECT_EQ(received[1].cbData, 256u);
  EXPECT_EQ(received[2].cbData, 601u);
}

TEST_F(DesktopWineTest, CopiesTheHistoryAndGivesBackWhatTheClipboardHeld) {
  // What a user copied: Japanese text, a spreadsheet's rich text, an image.
  const TClipboardContents userCopy = {
      {CF_UNICODETEXT, WideBytes(L"利用者がコピーした新しい文字列")},
      {RegisterClipboardFormatW(L"Rich Text Format"), "{\\rtf1\\ansi\\ansicpg932 A-1\\par A-2}"},
      {CF_DIB, SmallDib()},
  };
  const auto expectUserCopy = [&userCopy](const char* when) {
    for (const TClipboardData& data : userCopy)
      EXPECT_EQ(ClipboardBytes(data.format), data.bytes) << when << ", format " << data.format;
  };
  TClipboardOwner user;
  ASSERT_TRUE(user.Put(userCopy));
  SendCommand("SELECT ");
  EXPECT_EQ(LastHistoryLine(), "オブジェクトを選択: ");
  expectUserCopy("after a history line");
  EXPECT_EQ(ClipboardText(), "利用者がコピーした新しい文字列");

  // An empty clipboard stays empty.
  ASSERT_TRUE(user.Put({}));
  EXPECT_EQ(CopyHistory(),
            "AutoCAD メニュー ユーティリティ ロード済み。\r\n"
            "コマンド: SELECT\r\nオブジェクトを選択: 2 個を検出、総数 2\r\nオブジェクトを選択: \r\n");
  EXPECT_EQ(ClipboardText(), "");
  EXPECT_EQ(CountClipboardFormats(), 0);

  // Without AutoCAD nothing is copied, and the clipboard is left alone.
  acad_->Stop();
  ASSERT_TRUE(user.Put(userCopy));
  EXPECT_EQ(FindAcadWindow(), kNoWindow);
  EXPECT_EQ(CopyHistory(), "");
  expectUserCopy("without AutoCAD");
  EXPECT_FALSE(ActivateAcad());
  EXPECT_EQ(ReadCommandLine(), "");
  EXPECT_EQ(GetSysVar("SNAPMODE"), "");
  EXPECT_EQ(GetSelectedCount(), 0);
}

TEST_F(DesktopWineTest, GetsSystemVariablesAndTheSelectedCount) {
  EXPECT_EQ(GetSelectedCount(), -1);  // idle, no selection yet
  EXPECT_EQ(GetSysVar("SNAPMODE"), "0");
  EXPECT_EQ(ReadCommandLine(), "コマンド: ");  // the offer was cancelled
  EXPECT_EQ(GetSysVar("USERR1"), "12.5000");
  std::vector<std::string> inputs;
  for (const TCopyRecord& record : Received()) inputs.push_back(record.bytes);
  EXPECT_EQ(inputs, (std::vector<std::string>{std::string("'SNAPMODE\r", 11), std::string("\x03", 2),
                                              std::string("'USERR1\r", 9)}));

  SendCommand("SELECT ");
  EXPECT_EQ(GetSelectedCount(), 2);
  SendCommand("LINE ");
  EXPECT_EQ(GetSelectedCount(), 0);  // busy
  SendCommand("\x03");
  EXPECT_EQ(GetSelectedCount(), 2);
}

}  // namespace
}  // namespace vorbel
