#include "windriver/window_driver.h"

#include <algorithm>

#include "platform/win32/text_codec.h"

namespace vorbel::windriver {

namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD patience) {
  const ULONGLONG until = GetTickCount64() + patience;
  while (!condition()) {
    if (GetTickCount64() > until) return false;
    Sleep(20);
  }
  return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kPatience, &result);
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
  std::wstring name(256, L'\0');
  name.resize(static_cast<size_t>(GetClassNameW(window, name.data(), 256)));
  return WideToCp932(name);
}

std::string TextOf(HWND window) {
  const auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH));
  std::wstring text(length + 1, L'\0');
  const auto got = static_cast<size_t>(
      Send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(got, length));
  return WideToCp932(text);
}

bool ChooseListItem(HWND box, const std::string& text) {
  const std::wstring wide = Cp932ToWide(text);
  const LRESULT index =
      Send(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  if (index == CB_ERR) return false;
  Send(box, CB_SETCURSEL, static_cast<WPARAM>(index));
  Send(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
       reinterpret_cast<LPARAM>(box));
  return true;
}

void SetTextOf(HWND window, const std::string& text) {
  const std::wstring wide = Cp932ToWide(text);
  Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ChildWithText(HWND window, const std::string& text, const std::string& className) {
  for (HWND child : Children(window)) {
    if (!className.empty() && _stricmp(ClassOf(child).c_str(), className.c_str()) != 0) continue;
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindProcessWindow(processId, className, title);
    return found != nullptr;
  });
  return found;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
  return text;
}

namespace {

// A message box of the process captioned `caption`, once shown; null when
// none came within the patience.
HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD patience) {
  HWND box = nullptr;
  const std::wstring title = Cp932ToWide(caption);
  WaitFor(
      [&] {
        box = FindProcessWindow(processId, L"#32770", title.c_str());
        return box != nullptr;
      },
      patience);
  return box;
}

// The longest static text of a message box: its message (the icon is a
// static without text).
std::string MessageOf(HWND box) {
  std::string message;
  for (HWND child : Children(box)) {
    if (_stricmp(ClassOf(child).c_str(), "Static") == 0 && TextOf(child).size() > message.size()) {
      message = TextOf(child);
    }
  }
  return message;
}

}  // namespace

std::string AnswerQuestionBox(DWORD processId, const std::string& caption, bool yes, int* defaultButton,
                              DWORD patience) {
  HWND box = WaitForMessageBox(processId, caption, patience);
  if (box == nullptr) return {};
  const std::string message = MessageOf(box);
  if (defaultButton != nullptr) {
    // The button Enter presses is drawn as the default push button.
    *defaultButton = 0;
    for (const int id : {IDYES, IDNO}) {
      HWND candidate = GetDlgItem(box, id);
      if (candidate != nullptr && (GetWindowLongW(candidate, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        *defaultButton = id;
      }
    }
  }
  HWND button = GetDlgItem(box, yes ? IDYES : IDNO);
  if (button == nullptr) return {};
  PostMessageW(button, BM_CLICK, 0, 0);
  return message;
}

std::string TakeErrorBox(DWORD processId, const std::string& caption, DWORD patience) {
  HWND box = WaitForMessageBox(processId, caption, patience);
  if (box == nullptr) return {};
  const std::string message = MessageOf(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return message;
}

}  // namespace vorbel::windriver
