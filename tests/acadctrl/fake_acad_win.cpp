// fake_acad.exe: an AutoCAD look-alike with real windows, for the Win32
// backend's tests under Wine. Usage: fake_acad.exe LOG-FILE
//
// - The main window "AutoCAD 2000 - [test.dwg]" (class
//   "Afx:400000:8:10011:0:1234") with a child "Headlands" that answers
//   WM_GETTEXT with the prompt; the text window (class "Afx:400000:b:...")
//   with a child "MountTam" that answers with the history; both top-level
//   windows made by the main thread. A second thread makes another text
//   window, higher in the window order, that belongs to no main window.
// - WM_COPYDATA: every record (dwData, cbData, the bytes) is written to the
//   log file before the message returns, as "dwData cbData\n" + bytes + "\n";
//   typed input changes the prompt and the history a little like AutoCAD.
// - WM_COMMAND 32781 on the text window puts the history on the clipboard as
//   CF_UNICODETEXT.
// The main window's title is set last, so a window search finds the program
// only when all its windows exist. The program ends by itself after two
// minutes, should the test that started it fail to end it.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vorbel::test {
namespace {

constexpr UINT kCopyHistoryCommand = 32781;
constexpr UINT_PTR kLifeTimer = 1;
constexpr UINT kLifeTime = 120 * 1000;

const wchar_t* const kMainClass = L"Afx:400000:8:10011:0:1234";
const wchar_t* const kTextClass = L"Afx:400000:b:10011:6:0";
const wchar_t* const kPromptClass = L"FakeAcadPrompt";
const wchar_t* const kHistoryClass = L"FakeAcadHistory";
const wchar_t* const kIdlePrompt = L"コマンド: ";

struct TFakeAcad {
  std::wstring prompt = kIdlePrompt;
  std::wstring history = L"AutoCAD メニュー ユーティリティ ロード済み。\r\n";
  std::filesystem::path logPath;
  std::string log;
  HWND textWnd = nullptr;
};

TFakeAcad& Acad() {
  static TFakeAcad acad;
  return acad;
}

std::wstring FromCp932(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(932, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(932, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

void WriteLog() {
  std::ofstream file(Acad().logPath, std::ios::binary | std::ios::trunc);
  file << Acad().log;
}

// Typed input, as far as the tests need it.
void TakeInput(std::string_view input) {
  TFakeAcad& acad = Acad();
  if (input == "\x03") {
    acad.history += L"*キャンセル*\r\n";
    acad.prompt = kIdlePrompt;
  } else if (input == "'SNAPMODE\r") {
    acad.history += L"コマンド: 'SNAPMODE\r\n";
    acad.prompt = L">>SNAPMODE の新しい値を入力 <0>: ";
  } else if (input == "'USERR1\r") {
    acad.history += L"コマンド: 'USERR1\r\nUSERR1 = 12.5000 (読み込み専用)\r\n";
  } else if (input == "SELECT ") {
    acad.history += L"コマンド: SELECT\r\nオブジェクトを選択: 2 個を検出、総数 2\r\nオブジェクトを選択: \r\n";
  } else if (input == "LINE ") {
    acad.history += L"コマンド: LINE\r\n";
    acad.prompt = L"始点を指定: ";
  } else {
    acad.history += L"コマンド: " + FromCp932(input) + L"\r\n";
  }
}

// WM_GETTEXTLENGTH and WM_GETTEXT answered with `text`.
LRESULT AnswerText(const std::wstring& text, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  const size_t capacity = wParam;
  if (capacity == 0) return 0;
  const size_t count = std::min(text.size(), capacity - 1);
  auto* buffer = reinterpret_cast<wchar_t*>(lParam);
  text.copy(buffer, count);
  buffer[count] = L'\0';
  return static_cast<LRESULT>(count);
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory) {
    auto* data = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(data, text.size());
    data[text.size()] = L'\0';
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      const std::string_view bytes(static_cast<const char*>(record->lpData), record->cbData);
      Acad().log += std::to_string(record->dwData) + " " + std::to_string(record->cbData) + "\n";
      Acad().log.append(bytes);
      Acad().log += "\n";
      WriteLog();
      if (record->dwData == 1) TakeInput(bytes.substr(0, bytes.find('\0')));
      return TRUE;
    }
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK TextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kCopyHistoryCommand) {
    PutOnClipboard(window, window == Acad().textWnd ? Acad().history : L"another AutoCAD's history");
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PromptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
    return AnswerText(Acad().prompt, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK HistoryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
    return AnswerText(Acad().history, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

HWND Make(const wchar_t* className, const wchar_t* title, HWND parent) {
  const DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
  return CreateWindowExW(0, className, title, style, 0, 0, 400, 300, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// The other AutoCAD's text window, made by a thread of its own.
DWORD WINAPI RunOtherTextWindow(LPVOID ready) {
  Make(kTextClass, L"AutoCAD テキスト ウィンドウ - other.dwg", nullptr);
  SetEvent(static_cast<HANDLE>(ready));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

int Run() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 2) return 2;
  Acad().logPath = arguments[1];
  LocalFree(arguments);

  Register(kMainClass, MainProc);
  Register(kTextClass, TextProc);
  Register(kPromptClass, PromptProc);
  Register(kHistoryClass, HistoryProc);
  HWND mainWnd = Make(kMainClass, L"起動中", nullptr);
  Make(kPromptClass, L"Headlands", mainWnd);
  Acad().textWnd = Make(kTextClass, L"AutoCAD テキスト ウィンドウ - test.dwg", nullptr);
  Make(kHistoryClass, L"MountTam", Acad().textWnd);

  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE other = CreateThread(nullptr, 0, RunOtherTextWindow, ready, 0, nullptr);
  WaitForSingleObject(ready, INFINITE);
  CloseHandle(ready);
  CloseHandle(other);

  SetTimer(mainWnd, kLifeTimer, kLifeTime, nullptr);
  SetWindowTextW(mainWnd, L"AutoCAD 2000 - [test.dwg]");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace
}  // namespace vorbel::test

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return vorbel::test::Run(); }
