// Win32 controls: native buttons, check boxes, edits, labels and group boxes
// made from the layout rows, each subclassed so that its keys, focus, pop-up
// menu and double click reach the program.
#include <windows.h>
// The common controls and the input method need windows.h first.
#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "platform/application.h"
#include "platform/clipboard.h"
#include "platform/ui_backend.h"
#include "platform/ui_text.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

constexpr unsigned kEnter = 13;
constexpr UINT_PTR kSubclassId = 1;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HWND FormWindow(const TForm& form) { return form.Impl().window.get(); }

void RaiseChange(TControl& control) {
  if (control.Kind() == TControlKind::Edit || control.Kind() == TControlKind::Memo) {
    RunEventHandler(static_cast<TCustomEdit&>(control).OnChange);
  }
}

// A typed UTF-16 unit as the program counts keys: ASCII as it is, other
// characters by their code page 932 bytes.
unsigned KeyOfUnit(wchar_t unit) {
  if (unit < 0x80) return unit;
  const std::string bytes = WideToCp932(std::wstring_view(&unit, 1));
  if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 2)
    return static_cast<unsigned char>(bytes[0]) * 256u + static_cast<unsigned char>(bytes[1]);
  return unit;
}

// A text as UTF-16 for a control: the memo's with its line breaks made CR LF
// and converted piece by piece, so that a lead byte at the end of a line
// does not take the line break with it.
std::wstring WideText(TControlKind kind, std::string_view text) {
  if (kind != TControlKind::Memo) return Cp932ToWide(text);
  const std::string normal = NormalizeLineBreaks(text);
  const std::vector<std::string_view> pieces = MemoConversionPieces(normal);
  if (pieces.size() == 1) return Cp932ToWide(normal);
  std::wstring wide;
  for (std::string_view piece : pieces) wide += Cp932ToWide(piece);
  return wide;
}

wchar_t UnitOfKey(unsigned key) {
  if (key < 0x80) return static_cast<wchar_t>(key);
  std::string bytes;
  if (key > 0xFF) bytes.push_back(static_cast<char>((key >> 8) & 0xFF));
  bytes.push_back(static_cast<char>(key & 0xFF));
  const std::wstring wide = Cp932ToWide(bytes);
  return wide.empty() ? L'?' : wide[0];
}

void CloseInputMethod(HWND window) {
  HIMC context = ImmGetContext(window);
  if (context != nullptr) {
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(window, context);
  }
}

void ShowPopupMenu(TControlImpl& impl, LPARAM position) {
  TPopupMenu& menu = *impl.popup;
  RunEventHandler(menu.OnPopup);
  const TMenuHandle handle = NativePopupMenu(menu);
  POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the control's top left corner.
    at = POINT{0, 0};
    ClientToScreen(impl.window.get(), &at);
  }
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(handle.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                                         at.y, FormWindow(impl.self->Form()), nullptr));
  if (chosen == 0 || chosen > menu.Items().size()) return;
  TPopupMenu::Choose(menu.Items()[chosen - 1]);
}

LRESULT HandleControlMessage(TControlImpl& impl, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TControl& control = *impl.self;
  switch (message) {
    case WM_CHAR:
      if (control.Kind() == TControlKind::Edit) {
        auto& edit = static_cast<TEdit&>(control);
        const unsigned typed = KeyOfUnit(static_cast<wchar_t>(wParam));
        unsigned key = typed;
        if (edit.OnKeyPress) RunEventHandler([&] { edit.OnKeyPress(key); });
        // Enter never reaches a single-line edit: no beep, nothing inserted.
        if (key == 0 || key == kEnter) return 0;
        if (key != typed) wParam = UnitOfKey(key);
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      impl.focusByMouse = true;
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      impl.focusByMouse = false;
      return result;
    }
    case WM_SETFOCUS:
      if (control.Kind() == TControlKind::Edit) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (!impl.focusByMouse) SendMessageW(window, EM_SETSEL, 0, -1);
        if (impl.imeClosed) CloseInputMethod(window);
        return result;
      }
      break;
    case WM_CONTEXTMENU:
      if (impl.popup != nullptr) {
        ShowPopupMenu(impl, lParam);
        return 0;
      }
      break;
    case WM_PASTE:
      // Pasted text keeps the memo's line breaks CR LF.
      if (control.Kind() == TControlKind::Memo) {
        const std::string text = ClipboardText();
        if (HasLoneLineBreak(text)) {
          static_cast<TMemo&>(control).ReplaceSelection(text, TUndo::SameStep);
          return 0;
        }
      }
      break;
    case WM_UNDO:
    case EM_UNDO:
      if (control.Kind() == TControlKind::Edit || control.Kind() == TControlKind::Memo) {
        // Ctrl+Z with no step kept changes nothing. Wine's control tells of
        // a change twice: the program hears of it once, when the text changed.
        if (SendMessageW(window, EM_CANUNDO, 0, 0) == FALSE) return FALSE;
        const std::wstring before = WindowTextWide(window);
        impl.notify = false;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        impl.notify = true;
        if (WindowTextWide(window) != before) RaiseChange(control);
        return result;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (control.Kind() == TControlKind::Memo) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        RunEventHandler(static_cast<TMemo&>(control).OnDblClick);
        return result;
      }
      break;
    case WM_ERASEBKGND:
      // A group frame paints only its edge and caption; its inside, which
      // the form's clipping of its children leaves to it, gets the form's
      // colour here (the members above it are clipped out).
      if (control.Kind() == TControlKind::GroupBox || control.Kind() == TControlKind::RadioGroup) {
        RECT rect{};
        GetClientRect(window, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, nullptr, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// The event boundary of every control: no exception leaves a window message.
LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) {
  try {
    return HandleControlMessage(*reinterpret_cast<TControlImpl*>(data), window, message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  } catch (...) {
    ShowErrorBox("?");
  }
  return 0;
}

struct TNativeKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

TNativeKind NativeKind(const TControlLayout& layout) {
  switch (layout.Kind) {
    case TControlKind::Button:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case TControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case TControlKind::Edit:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case TControlKind::Memo: {
      DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_TABSTOP;
      if (layout.Flags & kScrollBars) style |= WS_VSCROLL | WS_HSCROLL;
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    case TControlKind::Label:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case TControlKind::GroupBox:
    case TControlKind::RadioGroup:
      return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case TControlKind::ComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case TControlKind::ListView:
      return {WC_LISTVIEWW,
              LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

HWND MakeWindow(const TForm& form, const wchar_t* className, const std::string& text, DWORD style,
                DWORD exStyle, UINT id) {
  HWND window = CreateWindowExW(exStyle, className, Cp932ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                0, 0, 0, 0, FormWindow(form),
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), Instance(), nullptr);
  if (window == nullptr) throw std::runtime_error("CreateWindowEx failed");
  return window;
}

// Resolving a face enumerates the system's fonts: once per face and pitch.
std::string FaceFor(const TFont& font) {
  static std::map<std::pair<std::string, bool>, std::string> faces;
  const auto key = std::make_pair(std::string(font.Face), font.FixedPitch);
  auto at = faces.find(key);
  if (at == faces.end()) at = faces.emplace(key, ResolveFontFace(font)).first;
  return at->second;
}

std::vector<HWND> Windows(const TControlImpl& impl) {
  std::vector<HWND> windows{impl.window.get()};
  for (const TWindowHandle& item : impl.items) windows.push_back(item.get());
  return windows;
}

// EM_REPLACESEL with the undo step `undo` asks for. The edit control keeps
// one step and continues it with a replacement that may be undone; a new
// step starts from an emptied one, and a replacement that may not be undone
// leaves none (emptied here too, not left to the control).
void ReplaceSelectionOf(HWND window, const std::wstring& text, TUndo undo) {
  if (undo == TUndo::NewStep) SendMessageW(window, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(window, EM_REPLACESEL, undo == TUndo::None ? FALSE : TRUE,
               reinterpret_cast<LPARAM>(text.c_str()));
  if (undo == TUndo::None) SendMessageW(window, EM_EMPTYUNDOBUFFER, 0, 0);
}

// The width of a label's text in its font, as the label sizes itself to it.
int TextWidth(const TControlImpl& impl) {
  const std::wstring text = WindowTextWide(impl.window.get());
  HDC dc = GetDC(impl.window.get());
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(impl.window.get(), WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(impl.window.get(), dc);
  return extent.cx;
}

}  // namespace

void ApplyFonts(TForm& form) {
  for (TControl* control : form.Controls()) {
    TControlImpl& impl = control->Impl();
    HFONT font = FormFont(form, impl.font, impl.fontFace);
    for (HWND window : Windows(impl)) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

namespace {

// Puts a control where its anchors keep it in the form's client area now.
void PlaceControl(TControl& control) {
  TForm& form = control.Form();
  RECT client{};
  GetClientRect(FormWindow(form), &client);
  const TSize design = form.Layout().Client;
  const int dx = client.right - form.Scale(design.Width);
  const int dy = client.bottom - form.Scale(design.Height);
  TControlImpl& impl = control.Impl();
  const TRect& d = impl.design;
  TRect bounds =
      Anchored(TRect{form.Scale(d.Left), form.Scale(d.Top), form.Scale(d.Width), form.Scale(d.Height)},
               control.Layout().Anchors, dx, dy);
  if (control.Kind() == TControlKind::Label && (control.Layout().Flags & kWordWrap) == 0)
    bounds.Width = TextWidth(impl);
  if (control.Kind() == TControlKind::ComboBox) {
    // The height given to a drop-down list is that of its dropped list,
    // room for every item; closed, the list is as high as its font makes
    // it, as everywhere on the system.
    const auto itemHeight = static_cast<int>(SendMessageW(impl.window.get(), CB_GETITEMHEIGHT, 0, 0));
    bounds.Height += itemHeight * static_cast<int>(control.Layout().Items.size()) + 2;
  }
  SetWindowPos(impl.window.get(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (control.Kind() == TControlKind::ListView && impl.columnDpi != form.Dpi()) {
    const auto& columns = control.Layout().ListColumns;
    for (size_t i = 0; i < columns.size(); ++i)
      SendMessageW(impl.window.get(), LVM_SETCOLUMNWIDTH, i, form.Scale(columns[i].Width));
    impl.columnDpi = form.Dpi();
  }
  if (impl.items.empty()) return;
  // A radio group's buttons fill its frame below the caption, column by
  // column.
  const int columns = std::max(1, control.Layout().Columns);
  const int count = static_cast<int>(impl.items.size());
  const int rows = (count + columns - 1) / columns;
  const int top = form.Scale(14);
  const int width = (bounds.Width - form.Scale(16)) / columns;
  const int height = std::max(1, (bounds.Height - top - form.Scale(2)) / rows);
  for (int i = 0; i < count; ++i) {
    SetWindowPos(impl.items[static_cast<size_t>(i)].get(), nullptr,
                 bounds.Left + form.Scale(8) + i / rows * width, bounds.Top + top + i % rows * height, width,
                 std::min(height, form.Scale(17)), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

void LayOut(TForm& form) {
  for (TControl* control : form.Controls()) PlaceControl(*control);
}

TControl* ControlOfWindow(const TForm& form, HWND window) {
  for (TControl* control : form.Controls()) {
    for (HWND own : Windows(control->Impl())) {
      if (own == window) return control;
    }
  }
  return nullptr;
}

TControl::TControl(TForm& form, std::string_view name, TControlKind kind)
    : form_(form), layout_(form.ControlLayout(name)), impl_(std::make_unique<TControlImpl>()) {
  if (layout_.Kind != kind) throw std::logic_error("control " + std::string(name) + " is of another kind");
  TControlImpl& impl = *impl_;
  impl.self = this;
  impl.id = static_cast<UINT>(100 + form.controls_.size() * 16);
  impl.design = DesignBoundsInForm(form, layout_);
  impl.font = layout_.Font.Face.empty() ? form.Layout().Font : layout_.Font;
  impl.fontFace = FaceFor(impl.font);
  const TNativeKind native = NativeKind(layout_);
  DWORD style = native.style | WS_GROUP;
  if (layout_.Flags & kDisabled) style |= WS_DISABLED;
  impl.window.reset(MakeWindow(form, native.className, layout_.Caption, style, native.exStyle, impl.id));
  impl.imeClosed = (layout_.Flags & kImeClosed) != 0;
  if (kind == TControlKind::ComboBox) {
    for (const std::string& item : layout_.Items)
      SendMessageW(impl.window.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Cp932ToWide(item).c_str()));
    SendMessageW(impl.window.get(), CB_SETCURSEL, static_cast<WPARAM>(layout_.ItemIndex), 0);
    impl.itemIndex = static_cast<int>(SendMessageW(impl.window.get(), CB_GETCURSEL, 0, 0));
  }
  for (size_t i = 0; kind == TControlKind::RadioGroup && i < layout_.Items.size(); ++i) {
    const DWORD itemStyle = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0) | (style & WS_DISABLED);
    impl.items.emplace_back(
        MakeWindow(form, L"BUTTON", layout_.Items[i], itemStyle, 0, impl.id + 1 + static_cast<UINT>(i)));
  }
  for (HWND window : Windows(impl)) {
    SetWindowSubclass(window, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&impl));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont(form, impl.font, impl.fontFace)),
                 FALSE);
  }
  if (kind == TControlKind::Edit || kind == TControlKind::Memo)
    SendMessageW(impl.window.get(), EM_SETLIMITTEXT, 0, 0);
  if (kind == TControlKind::CheckBox && (layout_.Flags & kChecked)) {
    SendMessageW(impl.window.get(), BM_SETCHECK, BST_CHECKED, 0);
  }
  if (kind == TControlKind::RadioGroup && layout_.ItemIndex >= 0 &&
      static_cast<size_t>(layout_.ItemIndex) < impl.items.size()) {
    SendMessageW(impl.items[static_cast<size_t>(layout_.ItemIndex)].get(), BM_SETCHECK, BST_CHECKED, 0);
    impl.itemIndex = layout_.ItemIndex;
  }
  if (kind == TControlKind::ListView) {
    SendMessageW(impl.window.get(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (size_t i = 0; i < layout_.ListColumns.size(); ++i) {
      std::wstring caption = Cp932ToWide(layout_.ListColumns[i].Caption);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      column.pszText = caption.data();
      column.cx = form.Scale(layout_.ListColumns[i].Width);
      column.iSubItem = static_cast<int>(i);
      SendMessageW(impl.window.get(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    impl.columnDpi = form.Dpi();
  }
  form.controls_.push_back(this);
  PlaceControl(*this);
}

TControl::~TControl() {
  auto& controls = form_.controls_;
  controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
  for (HWND window : Windows(*impl_)) RemoveWindowSubclass(window, ControlProc, kSubclassId);
}

std::string TControl::Text() const {
  if (Kind() == TControlKind::ComboBox) {
    const int index = static_cast<const TComboBox&>(*this).ItemIndex();
    return index >= 0 ? layout_.Items[static_cast<size_t>(index)] : std::string();
  }
  return WideToCp932(WindowTextWide(impl_->window.get()));
}

void TControl::SetText(std::string_view text) {
  if (Kind() == TControlKind::ComboBox) {
    static_cast<TComboBox&>(*this).SetItemIndex(ComboIndexOf(layout_.Items, text));
    return;
  }
  // Compared as the control holds it: a text whose bytes differ only where
  // they come back otherwise from UTF-16 is the same text.
  const std::wstring value = WideText(Kind(), text);
  if (WindowTextWide(impl_->window.get()) == value) return;
  impl_->notify = false;
  SetWindowTextW(impl_->window.get(), value.c_str());
  if (Kind() == TControlKind::Edit || Kind() == TControlKind::Memo)
    SendMessageW(impl_->window.get(), EM_EMPTYUNDOBUFFER, 0, 0);
  impl_->notify = true;
  if (Kind() == TControlKind::Label) PlaceControl(*this);  // labels size themselves to their text
  RaiseChange(*this);
}

bool TControl::Enabled() const { return IsWindowEnabled(impl_->window.get()) != FALSE; }

void TControl::SetEnabled(bool enabled) {
  for (HWND window : Windows(*impl_)) EnableWindow(window, enabled ? TRUE : FALSE);
}

bool TControl::Visible() const {
  return (GetWindowLongPtrW(impl_->window.get(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetVisible(bool visible) {
  for (HWND window : Windows(*impl_)) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

TRect TControl::Bounds() const {
  RECT rect{};
  GetWindowRect(impl_->window.get(), &rect);
  MapWindowPoints(nullptr, FormWindow(form_), reinterpret_cast<POINT*>(&rect), 2);
  return TRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string TControl::FontFace() const { return impl_->fontFace; }
TColor TControl::FontColor() const { return impl_->fontColor; }

void TControl::SetFontColor(TColor color) {
  if (impl_->fontColor == color) return;
  impl_->fontColor = color;
  InvalidateRect(impl_->window.get(), nullptr, TRUE);
}

void TControl::SetFocus() {
  if (!CanFocus()) return;
  HWND target = impl_->window.get();
  if (!impl_->items.empty()) {
    const int index = std::max(0, impl_->itemIndex);
    target = impl_->items[static_cast<size_t>(index)].get();
  }
  ::SetFocus(target);
}

bool TControl::Focused() const {
  const HWND focus = GetFocus();
  if (focus == nullptr) return false;
  const auto windows = Windows(*impl_);
  return std::find(windows.begin(), windows.end(), focus) != windows.end();
}

bool TControl::CanFocus() const { return TakesFocus(Kind()) && Enabled() && Visible(); }

bool TCheckBox::Checked() const {
  return SendMessageW(Impl().window.get(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageW(Impl().window.get(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  RunEventHandler(OnClick);
}

size_t TCustomEdit::SelStart() const {
  DWORD start = 0;
  SendMessageW(Impl().window.get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return ByteOffset(WindowTextWide(Impl().window.get()), start);
}

size_t TCustomEdit::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Impl().window.get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WindowTextWide(Impl().window.get());
  return ByteOffset(text, end) - ByteOffset(text, start);
}

void TCustomEdit::SetSel(size_t start, size_t length) {
  const std::wstring text = WindowTextWide(Impl().window.get());
  const size_t end = length > std::numeric_limits<size_t>::max() - start ? std::numeric_limits<size_t>::max()
                                                                         : start + length;
  const size_t from = WideIndex(text, start);
  const size_t to = std::max(from, WideIndex(text, end));
  SendMessageW(Impl().window.get(), EM_SETSEL, from, static_cast<LPARAM>(to));
  SendMessageW(Impl().window.get(), EM_SCROLLCARET, 0, 0);
}

void TCustomEdit::SelectAll() { SendMessageW(Impl().window.get(), EM_SETSEL, 0, -1); }

void TCustomEdit::ReplaceSelection(std::string_view text, TUndo undo) {
  HWND window = Impl().window.get();
  const std::wstring insert = WideText(Kind(), text);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool changes = WindowTextWide(window).compare(start, end - start, insert) != 0;
  Impl().notify = false;
  ReplaceSelectionOf(window, insert, undo);
  Impl().notify = true;
  if (changes) RaiseChange(*this);
}

void TCustomEdit::Clear() {
  SetText("");
  SendMessageW(Impl().window.get(), EM_EMPTYUNDOBUFFER, 0, 0);
}

// The edit control keeps its own line table: counting and reading lines, and
// appending one, need no copy of the whole text.
size_t TMemo::LineCount() const {
  HWND window = Impl().window.get();
  auto count = static_cast<WPARAM>(SendMessageW(window, EM_GETLINECOUNT, 0, 0));
  const LRESULT lastStart = SendMessageW(window, EM_LINEINDEX, count - 1, 0);
  if (count > 0 && SendMessageW(window, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0) == 0) --count;
  return count;
}

std::string TMemo::Line(size_t i) const {
  HWND window = Impl().window.get();
  if (i >= LineCount()) return {};
  const LRESULT start = SendMessageW(window, EM_LINEINDEX, i, 0);
  const auto length = static_cast<size_t>(SendMessageW(window, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
  // EM_GETLINE takes the buffer's size in its first word and adds no NUL.
  std::wstring line(std::max<size_t>(length, 1), L'\0');
  line[0] = static_cast<wchar_t>(std::min<size_t>(line.size(), 0xFFFF));
  const auto copied =
      static_cast<size_t>(SendMessageW(window, EM_GETLINE, i, reinterpret_cast<LPARAM>(line.data())));
  line.resize(std::min(copied, length));
  return WideToCp932(line);
}

void TMemo::AddLines(const std::vector<std::string>& lines, TUndo undo) {
  if (lines.empty()) return;
  HWND window = Impl().window.get();
  const int length = GetWindowTextLengthW(window);
  const bool afterBreak =
      length == 0 || LineCount() < static_cast<size_t>(SendMessageW(window, EM_GETLINECOUNT, 0, 0));
  const std::wstring insert = WideText(TControlKind::Memo, AppendedLines(afterBreak, lines));
  SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(length), length);
  Impl().notify = false;
  ReplaceSelectionOf(window, insert, undo);
  Impl().notify = true;
  RaiseChange(*this);
}

void TMemo::SetPopupMenu(TPopupMenu* menu) { Impl().popup = menu; }
TPopupMenu* TMemo::PopupMenu() const { return Impl().popup; }

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < Impl().items.size(); ++i) {
    if (SendMessageW(Impl().items[i].get(), BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  }
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(ItemCount())) index = -1;
  if (ItemIndex() == index) return;
  for (size_t i = 0; i < Impl().items.size(); ++i) {
    SendMessageW(Impl().items[i].get(), BM_SETCHECK,
                 static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  Impl().itemIndex = index;
  RunEventHandler(OnClick);
}

bool TEdit::ImeClosed() const { return Impl().imeClosed; }
void TEdit::SetImeClosed(bool closed) { Impl().imeClosed = closed; }

int TComboBox::ItemIndex() const {
  const LRESULT index = SendMessageW(Impl().window.get(), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(ItemCount())) index = -1;
  if (ItemIndex() == index) return;
  SendMessageW(Impl().window.get(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Impl().itemIndex = index;
  RunEventHandler(OnChange);
}

namespace {

int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SetRowState(HWND list, int row, UINT state) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void ListSelectionSettled(TListView& list) {
  TControlImpl& impl = list.Impl();
  const int index = SelectedRow(impl.window.get());
  if (index == impl.itemIndex) return;
  impl.itemIndex = index;
  RunEventHandler(list.OnSelect);
}

// The list view asks for the text of each cell it shows; the text lives in
// the control's state until the next request, long enough for the list to
// copy or draw it.
LRESULT OnListNotify(TControl& control, const NMHDR& header) {
  auto& list = static_cast<TListView&>(control);
  TControlImpl& impl = control.Impl();
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
      if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr || info.item.cchTextMax <= 0)
        break;
      impl.cell.clear();
      const auto row = static_cast<size_t>(info.item.iItem);
      const auto column = static_cast<size_t>(info.item.iSubItem);
      if (list.OnGetText && row < impl.rowCount && column < list.ColumnCount()) {
        RunEventHandler([&] { impl.cell = Cp932ToWide(list.OnGetText(row, column)); });
      }
      const size_t length = std::min(impl.cell.size(), static_cast<size_t>(info.item.cchTextMax - 1));
      std::copy_n(impl.cell.data(), length, info.item.pszText);
      info.item.pszText[length] = L'\0';
      break;
    }
    case LVN_ITEMCHANGED: {
      // A new selection comes as the old row's deselection, then the new
      // row's selection: a row selected is told at once, a deselection only
      // once what follows it has been handled, so that one event tells the
      // one change.
      if (!impl.notify) break;
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) == 0 || ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) == 0)
        break;
      if (change.uNewState & LVIS_SELECTED) {
        ListSelectionSettled(list);
      } else {
        PostMessageW(FormWindow(control.Form()), kListSelectionSettled, 0,
                     reinterpret_cast<LPARAM>(impl.window.get()));
      }
      break;
    }
    case NM_DBLCLK:
      if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) RunEventHandler(list.OnDblClick);
      break;
    default:
      break;
  }
  return 0;
}

TMenuHandle NativePopupMenu(const TPopupMenu& menu) {
  TMenuHandle handle(CreatePopupMenu());
  UINT command = 1;
  for (const TMenuItem& item : menu.Items()) {
    if (item.IsSeparator()) {
      AppendMenuW(handle.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      const UINT state = (item.Enabled ? MF_ENABLED : MF_GRAYED) | (item.Checked ? MF_CHECKED : MF_UNCHECKED);
      AppendMenuW(handle.get(), MF_STRING | state, command, Cp932ToWide(item.Caption).c_str());
    }
    ++command;
  }
  return handle;
}

size_t TListView::RowCount() const { return Impl().rowCount; }

void TListView::SetRowCount(size_t count) {
  HWND window = Impl().window.get();
  Impl().notify = false;
  SetRowState(window, -1, 0);
  Impl().rowCount = count;
  SendMessageW(window, LVM_SETITEMCOUNT, count, 0);
  Impl().notify = true;
  Impl().itemIndex = -1;
  InvalidateRect(window, nullptr, TRUE);
}

std::string TListView::CellText(size_t row, size_t column) const {
  if (row >= RowCount() || column >= ColumnCount()) return {};
  std::wstring text(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = static_cast<int>(column);
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<size_t>(
        SendMessageW(Impl().window.get(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return WideToCp932(text);
    }
    text.resize(text.size() * 4);
  }
}

int TListView::ItemIndex() const { return SelectedRow(Impl().window.get()); }

void TListView::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(RowCount())) index = -1;
  if (ItemIndex() == index) return;
  HWND window = Impl().window.get();
  Impl().notify = false;
  if (index < 0) {
    SetRowState(window, -1, 0);
  } else {
    SetRowState(window, index, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
  }
  Impl().notify = true;
  Impl().itemIndex = index;
  RunEventHandler(OnSelect);
}

TTimer::TTimer(TForm& form, unsigned interval) : form_(form), interval_(interval) {
  static unsigned nextId = 1;
  id_ = nextId++;
  form.timers_.push_back(this);
}

TTimer::~TTimer() {
  if (enabled_) KillTimer(FormWindow(form_), id_);
  auto& timers = form_.timers_;
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    SetTimer(FormWindow(form_), id_, interval_, nullptr);
  } else {
    KillTimer(FormWindow(form_), id_);
  }
}

}  // namespace vorbel
