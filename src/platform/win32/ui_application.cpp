// The application on Windows: common controls, the message loop, the
// screen, the program's path and the standard error box.
#include <windows.h>
// The common controls need windows.h first.
#include <commctrl.h>

#include <vector>

#include "platform/application.h"
#include "platform/ui_automation.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

struct TApplicationState {
  std::string title;
  bool recordErrorBoxes = false;
  std::vector<TErrorBoxRecord> errorBoxes;
  std::function<void(TForm&)> modalDriver;
};

TApplicationState& State() {
  static TApplicationState state;
  return state;
}

}  // namespace

void InitApplication(std::string_view title) {
  State().title = std::string(title);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

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
  if (State().recordErrorBoxes) {
    State().errorBoxes.push_back(TErrorBoxRecord{State().title, text});
    return;
  }
  HWND owner = GetActiveWindow();
  if (owner == nullptr && MainForm() != nullptr) owner = MainForm()->Impl().window.get();
  MessageBoxW(owner, Cp932ToWide(text).c_str(), Cp932ToWide(State().title).c_str(), MB_OK | MB_ICONSTOP);
}

bool RecordingErrorBoxes() { return State().recordErrorBoxes; }
void RecordErrorBoxes(bool record) { State().recordErrorBoxes = record; }

std::vector<TErrorBoxRecord> TakeErrorBoxes() {
  std::vector<TErrorBoxRecord> boxes;
  boxes.swap(State().errorBoxes);
  return boxes;
}

const std::function<void(TForm&)>& ModalDriver() { return State().modalDriver; }
void SetModalDriver(std::function<void(TForm&)> driver) { State().modalDriver = std::move(driver); }

}  // namespace vorbel
