// The application on Windows: the application window, common controls, the
// message loop, the screen, the program's path and the standard error box.
#include <windows.h>
// The common controls need windows.h first.
#include <commctrl.h>

#include <stdexcept>

#include "platform/application.h"
#include "platform/ui_backend.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

struct TApplicationState {
  std::string title;
  TWindowHandle window;    // the application window
  bool minimised = false;  // the application window has hidden the windows it owns
};

TApplicationState& State() {
  static TApplicationState state;
  return state;
}

HWND MainWindow() { return MainForm() != nullptr ? MainForm()->Impl().window.get() : nullptr; }

// A modal dialog or the error box is up over the main form.
bool ModalWindowUp() {
  HWND main = MainWindow();
  return main != nullptr && IsWindowEnabled(main) == FALSE;
}

// Brings the program to the front: the main form or, while a modal window
// is up over it, that window (the topmost one the main form owns that takes
// input).
void ActivateProgram() {
  HWND target = MainWindow();
  if (ModalWindowUp()) {
    HWND main = target;
    target = nullptr;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
      if (GetWindow(window, GW_OWNER) == main && IsWindowVisible(window) != FALSE &&
          IsWindowEnabled(window) != FALSE) {
        target = window;
        break;
      }
    }
  }
  if (target != nullptr && IsWindowVisible(target) != FALSE) SetActiveWindow(target);
}

// The application window takes no input of its own. Minimised (by the
// program, the task bar or its system menu) it hides the main form it owns;
// restored it shows the main form again and hands the activation on, as it
// does whenever it is activated (the task bar, Alt+Tab). Closing it closes
// the main form as the form's close button does. While a modal window is up
// the program stays as it is and that window comes to the front.
LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TApplicationState& state = State();
  switch (message) {
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED && !state.minimised) {
        state.minimised = true;
        // The windows the main form owns (a report beside it) go with it.
        if (MainWindow() != nullptr) ShowOwnedPopups(MainWindow(), FALSE);
        ShowOwnedPopups(window, FALSE);
      } else if (wParam == SIZE_RESTORED && state.minimised) {
        state.minimised = false;
        ShowOwnedPopups(window, TRUE);
        if (MainWindow() != nullptr) ShowOwnedPopups(MainWindow(), TRUE);
        ActivateProgram();
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) ActivateProgram();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && ModalWindowUp()) {
        ActivateProgram();
        return 0;
      }
      break;
    case WM_CLOSE:
      if (ModalWindowUp()) {
        ActivateProgram();
      } else if (MainForm() != nullptr) {
        MainForm()->Close();
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void MakeApplicationWindow(const std::wstring& title) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ApplicationProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // the program's icon
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.lpszClassName = L"TApplication";
  if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("RegisterClassEx failed");
  // Not a tool window and owned by no one: the task bar and Alt+Tab show it.
  // Of no size, in the middle of the screen, where minimising and restoring
  // start from.
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, title.c_str(),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                      ScreenWidth() / 2, ScreenHeight() / 2, 0, 0, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) throw std::runtime_error("CreateWindowEx failed");
  State().window.reset(window);
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

}  // namespace

void InitApplication(std::string_view title) {
  State().title = std::string(title);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
  InitCommonControlsEx(&controls);
  if (State().window == nullptr) {
    MakeApplicationWindow(Cp932ToWide(title));
  } else {
    SetWindowTextW(State().window.get(), Cp932ToWide(title).c_str());
  }
}

HWND ApplicationWindow() { return State().window.get(); }

const std::string& ApplicationTitle() { return State().title; }

int RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return WideToCp932(path);
    }
    path.resize(path.size() * 2);
  }
}

void ShowErrorBox(std::string_view message) {
  const std::string text = ErrorBoxText(message);
  if (UiHooks().errorBox) {
    UiHooks().errorBox(State().title, text);
    return;
  }
  // The box is modal to the active form; the application window is no form.
  HWND owner = GetActiveWindow();
  if ((owner == nullptr || owner == State().window.get()) && MainWindow() != nullptr) owner = MainWindow();
  MessageBoxW(owner, Cp932ToWide(text).c_str(), Cp932ToWide(State().title).c_str(), MB_OK | MB_ICONSTOP);
}

bool AskYesNo(std::string_view question, bool yesIsDefault) {
  if (UiHooks().questionBox) return UiHooks().questionBox(State().title, question, yesIsDefault);
  HWND owner = GetActiveWindow();
  if ((owner == nullptr || owner == State().window.get()) && MainWindow() != nullptr) owner = MainWindow();
  const UINT style = MB_YESNO | MB_ICONQUESTION | (yesIsDefault ? MB_DEFBUTTON1 : MB_DEFBUTTON2);
  return MessageBoxW(owner, Cp932ToWide(question).c_str(), Cp932ToWide(State().title).c_str(), style) ==
         IDYES;
}

TBusyCursor::TBusyCursor()
    : previous_(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}  // IDC_WAIT

// The cursor the window's class gives comes back with the next mouse move;
// until then the one from before.
TBusyCursor::~TBusyCursor() { SetCursor(static_cast<HCURSOR>(previous_)); }

}  // namespace vorbel
