// The Win32 backend of desktop.h.
//
// Titles, class names and window texts are read with the W functions and
// converted with code page 932 explicitly, so the CAD link gets the same
// bytes whatever the system's ANSI code page is. WM_COPYDATA carries the
// bytes unchanged.
#include "platform/desktop.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/win32/text_codec.h"

namespace vorbel {

namespace {

// A 256-character buffer, 255 passed as its size: at most 254 characters
// arrive.
constexpr int kTitleBufferLength = 256;
constexpr int kTitleSizePassed = 255;

HWND Handle(TWindow window) { return reinterpret_cast<HWND>(window); }
TWindow Window(HWND handle) { return reinterpret_cast<TWindow>(handle); }

BOOL CALLBACK CollectWindow(HWND handle, LPARAM list) {
  reinterpret_cast<std::vector<TWindow>*>(list)->push_back(Window(handle));
  return TRUE;
}

// The text in the buffer up to its first NUL (or its end).
std::string BufferText(const std::wstring& buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), L'\0');
  return WideToCp932(std::wstring_view(buffer.data(), static_cast<size_t>(end - buffer.begin())));
}

}  // namespace

std::vector<TWindow> TopLevelWindows() {
  std::vector<TWindow> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<TWindow> ChildWindows(TWindow parent) {
  std::vector<TWindow> windows;
  // EnumChildWindows with no parent would report the top-level windows.
  if (parent == kNoWindow) return windows;
  EnumChildWindows(Handle(parent), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowTitle(TWindow window) {
  std::wstring buffer(kTitleBufferLength, L'\0');
  if (GetWindowTextW(Handle(window), buffer.data(), kTitleSizePassed) <= 0) return {};
  return BufferText(buffer);
}

std::string WindowClassName(TWindow window) {
  std::wstring buffer(kTitleBufferLength, L'\0');
  if (GetClassNameW(Handle(window), buffer.data(), kTitleSizePassed) <= 0) return {};
  return BufferText(buffer);
}

uint32_t WindowThreadId(TWindow window) {
  if (window == kNoWindow) return 0;
  return GetWindowThreadProcessId(Handle(window), nullptr);
}

bool IsWindowAlive(TWindow window) { return window != kNoWindow && IsWindow(Handle(window)); }

bool BringToForeground(TWindow window) { return SetForegroundWindow(Handle(window)) != FALSE; }

void SendCopyData(TWindow window, std::uintptr_t dwData, const char* data, uint32_t cbData) {
  COPYDATASTRUCT record{};
  record.dwData = dwData;
  record.cbData = cbData;
  // The receiver only reads the data; the structure's field is not const.
  record.lpData = const_cast<char*>(data);
  SendMessageW(Handle(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
}

long SendGetTextLength(TWindow window) {
  const LRESULT length = SendMessageW(Handle(window), WM_GETTEXTLENGTH, 0, 0);
  return static_cast<long>(std::clamp<LRESULT>(length, LONG_MIN, LONG_MAX));
}

std::string SendGetText(TWindow window, long capacity) {
  if (capacity <= 0) return {};
  // The capacity counts the window's characters: UTF-16 units here.
  std::wstring buffer(static_cast<size_t>(capacity), L'\0');
  SendMessageW(Handle(window), WM_GETTEXT, static_cast<WPARAM>(capacity),
               reinterpret_cast<LPARAM>(buffer.data()));
  return BufferText(buffer);
}

void SendCommandMessage(TWindow window, uint32_t commandId) {
  SendMessageW(Handle(window), WM_COMMAND, static_cast<WPARAM>(commandId), 0);
}

void PostNullMessage(TWindow window) {
  // Posted to no window, WM_NULL would land in this thread's own queue.
  if (window == kNoWindow) return;
  PostMessageW(Handle(window), WM_NULL, 0, 0);
}

bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
  constexpr DWORD kStep = 10;
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= until) return false;
    // Wakes for a message another program sends (answered inside PeekMessage)
    // or a window to paint; input stays queued until the handler is done.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kStep, QS_SENDMESSAGE | QS_PAINT);
    MSG message{};
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
  }
}

}  // namespace vorbel
