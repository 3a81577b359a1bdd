// The native windows behind the Win32 controls and forms, and the pieces of
// the backend its files share.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"

namespace vorbel {

struct TWindowDestroyer {
  void operator()(HWND window) const {
    if (IsWindow(window)) DestroyWindow(window);
  }
};
using TWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDestroyer>;

struct TGdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TFontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, TGdiDeleter>;

struct TMenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using TMenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, TMenuDestroyer>;

// A window's device context (the screen's for no window), released when done.
class TDeviceContext {
 public:
  explicit TDeviceContext(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TDeviceContext() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

struct TControlImpl {
  TControl* self = nullptr;
  TWindowHandle window;              // the control; a radio group's frame
  std::vector<TWindowHandle> items;  // a radio group's buttons
  int itemIndex = -1;                // a radio group's or drop-down list's selection as last reported
  bool imeClosed = false;            // an edit: the input method is closed on focus
  UINT id = 0;
  TRect design;  // form client coordinates, 96 DPI
  TFont font;    // as asked for; the face as found
  std::string fontFace;
  TColor fontColor = kColorWindowText;
  bool notify = true;  // false while the program itself changes the control
  bool focusByMouse = false;
  TPopupMenu* popup = nullptr;
  size_t rowCount = 0;  // a list view's rows
  int columnDpi = 0;    // the DPI its column widths were set for
  std::wstring cell;    // a list view's text of the cell last asked for
};

struct TFormImpl {
  TForm* self = nullptr;
  TWindowHandle window;
  bool closed = false;
  bool modal = false;
  bool shown = false;  // shown at least once without a modal loop
  bool arranged = false;
  int dpi = 96;
  HWND lastFocus = nullptr;
  // Fonts by face, height, weight and pitch at the current DPI.
  std::map<std::tuple<std::string, int, bool, bool>, TFontHandle> fonts;
};

// Fonts (ui_fonts.cpp).

// The face to use for a font: the one asked for when it is installed, else
// an installed face with Japanese glyphs of the same pitch.
std::string ResolveFontFace(const TFont& font);
// A font at the form's DPI, made once per form and DPI.
HFONT FormFont(TForm& form, const TFont& font, const std::string& face);

// Text positions (ui_text.cpp): a memo's UTF-16 positions as code page 932
// byte offsets and back.
size_t ByteOffset(std::wstring_view text, size_t wideIndex);
// The UTF-16 index of the character holding `byteOffset` (its start when the
// offset falls inside a double-byte character).
size_t WideIndex(std::wstring_view text, size_t byteOffset);
std::wstring WindowTextWide(HWND window);

// The message loop's handling of keys before they reach a control: Enter
// presses a focused button and never reaches the dialog manager, Escape is
// dropped, Tab moves the focus. True when the message has been handled.
bool PreTranslate(MSG& message);

// The form a window belongs to, if it is one of ours.
TForm* FormOfWindow(HWND window);
TControl* ControlOfWindow(const TForm& form, HWND window);

// Lays the controls out for the form's client size and DPI.
void LayOut(TForm& form);
// Sets the control fonts again (after a DPI change).
void ApplyFonts(TForm& form);
// The native menu of a pop-up menu: its items in order, item i (from 0)
// with the command i + 1, grayed when disabled, with a check mark when
// checked.
TMenuHandle NativePopupMenu(const TPopupMenu& menu);

// A list view's notification to its form (WM_NOTIFY): the text of a cell,
// a changed selection, a double click.
LRESULT OnListNotify(TControl& list, const NMHDR& header);
// Posted to a form when a list view's row lost its selection (lParam: the
// list's window); the event then tells the selection as it has settled.
constexpr UINT kListSelectionSettled = WM_APP + 2;
void ListSelectionSettled(TListView& list);

// The application window (ui_application.cpp), or null before
// InitApplication: a visible top-level window of no size that carries the
// application title and the program's task-bar button, and owns the main
// form. The program is minimised and restored through it.
HWND ApplicationWindow();

}  // namespace vorbel
