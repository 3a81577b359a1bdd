// Win32 forms: top-level windows of one registered class per form type, with
// one window procedure that finds its form, dispatches to small handlers and
// keeps every exception inside.
#include <stdexcept>
#include <unordered_set>

#include "platform/application.h"
#include "platform/ui_backend.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

TForm* mainForm = nullptr;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

TFormImpl* ImplOf(HWND window) {
  return reinterpret_cast<TFormImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void RegisterFormClass(const std::wstring& name) {
  static std::unordered_set<std::wstring> registered;
  if (registered.count(name) != 0) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormProc;
  windowClass.hInstance = Instance();
  windowClass.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = name.c_str();
  if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("RegisterClassEx failed");
  registered.insert(name);
}

struct TFrameStyle {
  DWORD style;
  DWORD exStyle;
};

TFrameStyle FrameStyle(const TFormLayout& layout) {
  TFrameStyle frame{};
  if (layout.Style == TFormStyle::SizeableToolWindow) {
    frame = {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW};
  } else if (layout.Style == TFormStyle::SizeableDialog) {
    frame = {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW};
  } else {
    frame = {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME};
  }
  if (layout.StayOnTop) frame.exStyle |= WS_EX_TOPMOST;
  return frame;
}

// The outer size of a window whose client area is the layout's at `dpi`.
SIZE OuterSize(const TForm& form) {
  const TFrameStyle frame = FrameStyle(form.Layout());
  RECT rect{0, 0, form.Scale(form.Layout().Client.Width), form.Scale(form.Layout().Client.Height)};
  AdjustWindowRectExForDpi(&rect, frame.style, FALSE, frame.exStyle, static_cast<UINT>(form.Dpi()));
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// The window whose minimised state is the form's: for the main form the
// application window, which hides and shows it; a dialog's own.
HWND StateWindow(const TForm& form) {
  HWND application = ApplicationWindow();
  return form.IsMainForm() && application != nullptr ? application : form.Impl().window.get();
}

void FocusFirst(TForm& form) {
  for (TControl* control : form.TabSequence()) {
    if (control->CanFocus()) {
      control->SetFocus();
      return;
    }
  }
}

// Stacks the controls in tab order, which is also the order the dialog
// manager's Tab key follows; labels after them, group frames at the bottom
// so they never cover their members.
void ArrangeTabOrder(TForm& form) {
  std::vector<HWND> order;
  for (TControl* control : form.TabSequence()) {
    const TControlImpl& impl = control->Impl();
    if (impl.items.empty()) {
      order.push_back(impl.window.get());
    } else {
      for (const TWindowHandle& item : impl.items) order.push_back(item.get());
    }
  }
  for (TControl* control : form.Controls()) {
    if (control->Kind() == TControlKind::Label) order.push_back(control->Impl().window.get());
  }
  for (TControl* control : form.Controls()) {
    if (control->Kind() == TControlKind::GroupBox || control->Kind() == TControlKind::RadioGroup) {
      order.push_back(control->Impl().window.get());
    }
  }
  HWND after = HWND_TOP;
  for (HWND window : order) {
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = window;
  }
  form.Impl().arranged = true;
}

void OnCommand(TForm& form, WPARAM wParam, LPARAM lParam) {
  TControl* control = ControlOfWindow(form, reinterpret_cast<HWND>(lParam));
  if (control == nullptr) return;  // IDOK or IDCANCEL of the dialog manager
  TControlImpl& impl = control->Impl();
  const UINT code = HIWORD(wParam);
  switch (control->Kind()) {
    case TControlKind::Button:
      if (code == BN_CLICKED) RunEventHandler(static_cast<TButton*>(control)->OnClick);
      break;
    case TControlKind::CheckBox:
      if (code == BN_CLICKED && impl.notify) RunEventHandler(static_cast<TCheckBox*>(control)->OnClick);
      break;
    case TControlKind::RadioGroup:
      if (code == BN_CLICKED) {
        auto* group = static_cast<TRadioGroup*>(control);
        const int index = group->ItemIndex();
        if (index != impl.itemIndex) {
          impl.itemIndex = index;
          RunEventHandler(group->OnClick);
        }
      }
      break;
    case TControlKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        auto* box = static_cast<TComboBox*>(control);
        const int index = box->ItemIndex();
        if (index != impl.itemIndex) {
          impl.itemIndex = index;
          RunEventHandler(box->OnChange);
        }
      }
      break;
    case TControlKind::Edit:
    case TControlKind::Memo:
      if (code == EN_CHANGE && impl.notify) RunEventHandler(static_cast<TCustomEdit*>(control)->OnChange);
      break;
    default:
      break;
  }
}

// The control's colour for its text, where the program gives it one; else,
// and for disabled controls, the colours of the user's scheme.
LRESULT OnControlColor(TForm& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT brush = DefWindowProcW(window, message, wParam, lParam);
  const TControl* control = ControlOfWindow(form, reinterpret_cast<HWND>(lParam));
  if (control != nullptr && control->Enabled() && control->Impl().fontColor != kColorWindowText) {
    SetTextColor(reinterpret_cast<HDC>(wParam), control->Impl().fontColor);
  }
  return brush;
}

void OnActivate(TForm& form, WPARAM wParam) {
  TFormImpl& impl = form.Impl();
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(impl.window.get(), focus)) impl.lastFocus = focus;
    return;
  }
  if (impl.lastFocus != nullptr && IsWindow(impl.lastFocus) && IsChild(impl.window.get(), impl.lastFocus)) {
    SetFocus(impl.lastFocus);
  } else {
    FocusFirst(form);
  }
}

void OnDpiChanged(TForm& form, WPARAM wParam, LPARAM lParam) {
  TFormImpl& impl = form.Impl();
  impl.dpi = HIWORD(wParam);
  // The controls hold the old fonts until they have the new ones.
  auto oldFonts = std::move(impl.fonts);
  impl.fonts.clear();
  ApplyFonts(form);
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(impl.window.get(), nullptr, suggested->left, suggested->top,
               suggested->right - suggested->left, suggested->bottom - suggested->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut(form);
}

LRESULT HandleFormMessage(TForm& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(form, wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      TControl* control = ControlOfWindow(form, header->hwndFrom);
      if (control != nullptr && control->Kind() == TControlKind::ListView)
        return OnListNotify(*control, *header);
      return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return OnControlColor(form, window, message, wParam, lParam);
    case kListSelectionSettled:
      if (TControl* list = ControlOfWindow(form, reinterpret_cast<HWND>(lParam));
          list != nullptr && list->Kind() == TControlKind::ListView) {
        ListSelectionSettled(static_cast<TListView&>(*list));
      }
      return 0;
    case WM_SIZE:
      LayOut(form);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(form, wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(form, wParam);
      return 0;
    case WM_TIMER:
      for (TTimer* timer : form.Timers()) {
        if (timer->Id() == wParam && timer->Enabled()) RunEventHandler(timer->OnTimer);
      }
      return 0;
    case WM_SYSCOMMAND:
      // The main form minimises and restores with the program.
      if (form.IsMainForm() && (wParam & 0xFFF0) == SC_MINIMIZE) {
        form.Minimize();
        return 0;
      }
      if (form.IsMainForm() && (wParam & 0xFFF0) == SC_RESTORE && form.Minimized()) {
        form.Restore();
        return 0;
      }
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_CLOSE:
      form.Close();
      return 0;
    case WM_QUERYENDSESSION:
      // Signing out ends the program as a close does: the main form may
      // refuse it.
      return form.IsMainForm() && !form.CloseQuery() ? FALSE : TRUE;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The event boundary of every form: no exception leaves a window message.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  TFormImpl* impl = ImplOf(window);
  if (impl == nullptr || impl->self == nullptr || impl->window.get() != window) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return HandleFormMessage(*impl->self, window, message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  } catch (...) {
    ShowErrorBox("?");
  }
  return 0;
}

}  // namespace

TForm* MainForm() { return mainForm; }

TForm* FormOfWindow(HWND window) {
  if (window == nullptr) return nullptr;
  const HWND root = GetAncestor(window, GA_ROOT);
  if (root == nullptr || GetWindowLongPtrW(root, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(FormProc)) {
    return nullptr;
  }
  TFormImpl* impl = ImplOf(root);
  return impl != nullptr ? impl->self : nullptr;
}

bool PreTranslate(MSG& message) {
  TForm* form = FormOfWindow(message.hwnd);
  if (form == nullptr) return false;
  if (message.message == WM_KEYDOWN) {
    if (message.wParam == VK_RETURN) {
      TControl* control = ControlOfWindow(*form, message.hwnd);
      if (control != nullptr && control->Kind() == TControlKind::Button) {
        if (control->Enabled()) SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
      }
      return false;  // edits and the memo take Enter as a character
    }
    if (message.wParam == VK_ESCAPE) {
      // Escape closes a dropped list, else presses the form's cancel button
      // if it has one; it never closes a window by itself.
      const TControl* control = ControlOfWindow(*form, message.hwnd);
      if (control != nullptr && control->Kind() == TControlKind::ComboBox &&
          SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
        return false;
      }
      if (TControl* cancel = CancelButtonOf(*form); cancel != nullptr && cancel->Enabled()) {
        SendMessageW(cancel->Impl().window.get(), BM_CLICK, 0, 0);
      }
      return true;
    }
  }
  if (message.message == WM_CHAR && (message.wParam == '\r' || message.wParam == 27)) return false;
  return IsDialogMessageW(form->Impl().window.get(), &message) != FALSE;
}

TForm::TForm(const TFormLayout& layout) : layout_(layout), impl_(std::make_unique<TFormImpl>()) {
  impl_->self = this;
  const std::wstring className = Cp932ToWide(layout.ClassName);
  RegisterFormClass(className);
  const TFrameStyle frame = FrameStyle(layout);
  // The main form belongs to the application window, every later form to
  // the main form.
  HWND owner = mainForm == nullptr ? ApplicationWindow() : mainForm->impl_->window.get();
  HWND window = CreateWindowExW(frame.exStyle, className.c_str(), Cp932ToWide(layout.Caption).c_str(),
                                frame.style, 0, 0, 0, 0, owner, nullptr, Instance(), impl_.get());
  if (window == nullptr) throw std::runtime_error("CreateWindowEx failed");
  impl_->window.reset(window);
  const UINT dpi = GetDpiForWindow(window);
  impl_->dpi = dpi != 0 ? static_cast<int>(dpi) : 96;
  const SIZE outer = OuterSize(*this);
  SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  if (mainForm == nullptr) mainForm = this;
}

TForm::~TForm() {
  if (mainForm == this) mainForm = nullptr;
  // No message of the window's last moments reaches the half-destroyed form.
  impl_->self = nullptr;
  impl_->window.reset();
}

bool TForm::IsMainForm() const { return mainForm == this; }

std::string TForm::Caption() const { return WideToCp932(WindowTextWide(impl_->window.get())); }

void TForm::SetCaption(std::string_view caption) {
  SetWindowTextW(impl_->window.get(), Cp932ToWide(caption).c_str());
}

TRect TForm::Bounds() const {
  RECT rect{};
  GetWindowRect(impl_->window.get(), &rect);
  return TRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TForm::SetBounds(const TRect& bounds) {
  HWND window = impl_->window.get();
  if (IsIconic(window)) {
    // A minimised window keeps the new bounds for its return.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition =
        RECT{bounds.Left, bounds.Top, bounds.Left + bounds.Width, bounds.Top + bounds.Height};
    SetWindowPlacement(window, &placement);
    return;
  }
  SetWindowPos(window, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

TSize TForm::ClientSize() const {
  RECT rect{};
  GetClientRect(impl_->window.get(), &rect);
  return TSize{rect.right, rect.bottom};
}

TRect TForm::NormalBounds() const {
  // A tool window's placement is in screen coordinates.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(impl_->window.get(), &placement);
  const RECT& r = placement.rcNormalPosition;
  return TRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int TForm::Dpi() const { return impl_->dpi; }

void TForm::Show() {
  impl_->closed = false;
  if (!impl_->arranged) ArrangeTabOrder(*this);
  ShowWindow(impl_->window.get(), SW_SHOW);
  SetForegroundWindow(impl_->window.get());
  if (FocusedControl() == nullptr) FocusFirst(*this);
}

bool TForm::Visible() const { return IsWindowVisible(impl_->window.get()) != FALSE; }
void TForm::Minimize() { ShowWindow(StateWindow(*this), SW_MINIMIZE); }
void TForm::Restore() { ShowWindow(StateWindow(*this), SW_RESTORE); }
bool TForm::Minimized() const { return IsIconic(StateWindow(*this)) != FALSE; }

void TForm::Close() {
  if (impl_->closed || !CloseQuery()) return;
  RunEventHandler(OnClose);
  impl_->closed = true;
  if (impl_->modal) return;  // the modal loop hides the dialog
  ShowWindow(impl_->window.get(), SW_HIDE);
  if (IsMainForm()) PostQuitMessage(0);
}

bool TForm::Closed() const { return impl_->closed; }

void TForm::ShowModal() {
  HWND window = impl_->window.get();
  HWND owner = mainForm != nullptr && mainForm != this ? mainForm->impl_->window.get() : nullptr;
  if (owner != nullptr) {
    const TRect& bounds = Bounds();
    const TRect centred = CentredOver(mainForm->Bounds(), TSize{bounds.Width, bounds.Height},
                                      TSize{ScreenWidth(), ScreenHeight()});
    SetWindowPos(window, nullptr, centred.Left, centred.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(owner, FALSE);
  }
  impl_->modal = true;
  impl_->lastFocus = nullptr;
  Show();
  FocusFirst(*this);
  if (UiHooks().modalLoop) UiHooks().modalLoop(*this);
  MSG message{};
  bool quit = false;
  while (!impl_->closed) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // The owner is enabled before the dialog goes, so that it gets the
  // activation back.
  if (owner != nullptr) EnableWindow(owner, TRUE);
  ShowWindow(window, SW_HIDE);
  impl_->modal = false;
  impl_->closed = true;
  if (owner != nullptr) SetActiveWindow(owner);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

bool TForm::Modal() const { return impl_->modal; }

void TForm::ShowModeless() {
  if (!impl_->shown && mainForm != nullptr && mainForm != this) {
    const TRect bounds = Bounds();
    const TRect centred = CentredOver(mainForm->Bounds(), TSize{bounds.Width, bounds.Height},
                                      TSize{ScreenWidth(), ScreenHeight()});
    SetWindowPos(impl_->window.get(), nullptr, centred.Left, centred.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  impl_->shown = true;
  Show();
}

TControl* TForm::FocusedControl() const {
  const HWND focus = GetFocus();
  return focus != nullptr ? ControlOfWindow(*this, focus) : nullptr;
}

}  // namespace vorbel
