// User input on Windows, through the window messages the keyboard and the
// mouse produce; recorded error boxes and driven dialogs.
#include "platform/ui_automation.h"

#include <windows.h>
// The common controls need windows.h first.
#include <commctrl.h>

#include <stdexcept>

#include "platform/application.h"
#include "platform/ui_automation_store.h"
#include "platform/ui_backend.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

// Posted to the driver's window when a dialog's modal loop begins; the
// dialog's window is the message's lParam.
constexpr UINT kRunModalDriver = WM_APP + 1;

// Runs the driver inside the dialog's modal loop, then closes the dialog if
// the driver left it open. A dialog closed before its turn came is left
// alone.
LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRunModalDriver) return DefWindowProcW(window, message, wParam, lParam);
  TForm* dialog = FormOfWindow(reinterpret_cast<HWND>(lParam));
  if (dialog == nullptr || !dialog->Modal() || dialog->Closed()) return 0;
  RunEventHandler([dialog] {
    if (ModalDriver()) ModalDriver()(*dialog);
  });
  dialog->Close();
  return 0;
}

// A message-only window in the test's thread, so that the driver runs from
// the dialog's own message loop, after what was posted before it.
HWND DriverWindow() {
  static const TWindowHandle window = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DriverProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VorbelModalDriver";
    if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("RegisterClassEx failed");
    HWND created = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, nullptr);
    if (created == nullptr) throw std::runtime_error("CreateWindowEx failed");
    return TWindowHandle(created);
  }();
  return window.get();
}

HWND WindowOf(const TControl& control) { return control.Impl().window.get(); }

void FocusByMouse(TControl& control) {
  if (control.Focused() || !control.CanFocus()) return;
  control.Impl().focusByMouse = true;
  SetFocus(WindowOf(control));
  control.Impl().focusByMouse = false;
}

void PostKey(UINT key, UINT scanCode) {
  HWND focus = GetFocus();
  if (focus == nullptr) return;
  const LPARAM down = 1 | static_cast<LPARAM>(scanCode << 16);
  PostMessageW(focus, WM_KEYDOWN, key, down);
  PostMessageW(focus, WM_KEYUP, key, down | static_cast<LPARAM>(0xC0000000u));
  ProcessMessages();
}

}  // namespace

void TypeKey(TCustomEdit& edit, unsigned key) {
  if (!edit.Enabled() || !edit.Visible()) return;
  FocusByMouse(edit);
  wchar_t unit = static_cast<wchar_t>(key);
  if (key >= 0x80) {
    std::string bytes;
    if (key > 0xFF) bytes.push_back(static_cast<char>((key >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(key & 0xFF));
    const std::wstring wide = Cp932ToWide(bytes);
    if (wide.empty()) return;
    unit = wide[0];
  }
  SendMessageW(WindowOf(edit), WM_CHAR, unit, 1);
}

void PressEnter(TForm&) { PostKey(VK_RETURN, 0x1C); }
void PressEscape(TForm&) { PostKey(VK_ESCAPE, 0x01); }

void ClickControl(TControl& control) {
  if (!control.Enabled() || !control.Visible()) return;
  if (control.Kind() == TControlKind::Button || control.Kind() == TControlKind::CheckBox) {
    SendMessageW(WindowOf(control), BM_CLICK, 0, 0);
  } else {
    FocusByMouse(control);
  }
}

void ClickRadioItem(TRadioGroup& group, int index) {
  if (!group.Enabled() || !group.Visible() || index < 0 || static_cast<size_t>(index) >= group.ItemCount())
    return;
  SendMessageW(group.Impl().items[static_cast<size_t>(index)].get(), BM_CLICK, 0, 0);
}

void ChooseComboItem(TComboBox& box, int index) {
  if (!box.Enabled() || !box.Visible() || index < 0 || static_cast<size_t>(index) >= box.ItemCount()) return;
  // As a choice with the mouse: the list takes the focus, selects the item
  // and tells its form.
  FocusByMouse(box);
  HWND window = WindowOf(box);
  SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(box.Impl().id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(window));
}

void DoubleClick(TMemo& memo) {
  if (!memo.Enabled() || !memo.Visible()) return;
  FocusByMouse(memo);
  SendMessageW(WindowOf(memo), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  SendMessageW(WindowOf(memo), WM_LBUTTONUP, 0, 0);
}

void ClickListRow(TListView& list, int row) {
  if (!list.Enabled() || !list.Visible()) return;
  FocusByMouse(list);
  // What the list view does with a click: the row selected and focused
  // (the one before loses both), or none below the last row; its
  // notifications tell the form.
  HWND window = WindowOf(list);
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (row < 0 || static_cast<size_t>(row) >= list.RowCount()) {
    SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    return;
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void DoubleClickListRow(TListView& list, int row) {
  if (!list.Enabled() || !list.Visible()) return;
  ClickListRow(list, row);
  if (row < 0 || static_cast<size_t>(row) >= list.RowCount()) return;
  // The second click of the pair, on the row itself: the list view hit-tests
  // it and tells the form.
  HWND window = WindowOf(list);
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageW(window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
}

void CloseByCaptionButton(TForm& form) { SendMessageW(form.Impl().window.get(), WM_SYSCOMMAND, SC_CLOSE, 0); }

bool QueryEndSession(TForm& form) {
  return SendMessageW(form.Impl().window.get(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
}

void TickTimer(TTimer& timer) {
  if (timer.Enabled()) SendMessageW(timer.Form().Impl().window.get(), WM_TIMER, timer.Id(), 0);
}

void ProcessMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void RecordErrorBoxes(bool record) { UiHooks().errorBox = record ? KeepErrorBox : nullptr; }

void StartModalDriver(TForm& dialog) {
  PostMessageW(DriverWindow(), kRunModalDriver, 0, reinterpret_cast<LPARAM>(dialog.Impl().window.get()));
}

}  // namespace vorbel
