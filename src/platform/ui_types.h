// The vocabulary of the window layouts: rectangles, colours, fonts, anchors
// and the rows of a form's layout table.
//
// A form is built from a table that lists every control with its kind,
// caption, position, anchors, tab order and initial state. Positions are
// pixels at 96 dots per inch; the form scales them to its monitor's DPI.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

inline bool operator==(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

struct TSize {
  int Width = 0;
  int Height = 0;
};

inline bool operator==(const TSize& a, const TSize& b) { return a.Width == b.Width && a.Height == b.Height; }

// A colour as red, green and blue bytes in the order Windows keeps them
// (0x00BBGGRR).
using TColor = uint32_t;

constexpr TColor Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) | (static_cast<TColor>(blue) << 16);
}

constexpr TColor kColorBlack = Rgb(0, 0, 0);
// No colour of the program's own: the system's window-text colour, which
// follows the user's scheme (high contrast included).
constexpr TColor kColorWindowText = 0xFF000000;
constexpr TColor kColorRed = Rgb(255, 0, 0);
constexpr TColor kColorBlue = Rgb(0, 0, 255);

// The edges of the parent's client area a control keeps its distance to when
// the window is resized; anchored to both left and right (or top and bottom)
// it stretches.
enum TAnchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
};

// A font by face name and character height in pixels at 96 DPI. Where the
// face is not installed, another face with Japanese glyphs of the same pitch
// (fixed or proportional) takes its place.
struct TFont {
  std::string_view Face{};  // code page 932; empty: the form's font
  int Height = 0;
  bool Bold = false;
  bool FixedPitch = false;
};

// The window's default font, the memo's fixed-pitch font and the bold
// counters' font.
constexpr TFont kFormFont{"ＭＳ Ｐゴシック", 12, false, false};
constexpr TFont kFixedFont{"ＭＳ ゴシック", 13, false, true};
constexpr TFont kBoldFont{"ＭＳ Ｐゴシック", 13, true, false};

enum class TControlKind { Button, CheckBox, Edit, Memo, Label, GroupBox, RadioGroup, ComboBox, ListView };

// A column of a list view: its heading and its width at 96 DPI.
struct TListColumn {
  std::string Caption{};
  int Width = 0;
};

// Initial states and options of a control.
enum TControlFlag : unsigned {
  kDisabled = 1,    // starts disabled
  kChecked = 2,     // check box: starts checked
  kImeClosed = 4,   // edit: the input method is switched off when it gets the focus (see TEdit::SetImeClosed)
  kScrollBars = 8,  // memo: horizontal and vertical scroll bars, no wrapping
  kWordWrap = 16,   // label: keeps its layout width and breaks its text into lines there
};

// One row of a form's layout table.
struct TControlLayout {
  std::string Name{};
  TControlKind Kind = TControlKind::Label;
  std::string Caption{};  // caption or initial text, code page 932
  TRect Bounds{};         // at 96 DPI, within the parent
  unsigned Anchors = kAnchorLeft | kAnchorTop;
  int TabOrder = -1;     // within the parent; -1 for controls that take no focus
  std::string Parent{};  // the name of a group box of the same form, or empty
  TFont Font{};          // empty face: the form's font
  unsigned Flags = 0;
  // Radio group: the items, top to bottom and then across; drop-down list:
  // its items, top to bottom.
  std::vector<std::string> Items{};
  int Columns = 1;                         // radio group
  int ItemIndex = -1;                      // radio group, drop-down list: the selected item
  std::vector<TListColumn> ListColumns{};  // list view: its columns, left to right
};

enum class TFormStyle {
  // Sizeable tool window (small caption bar, resizable frame): the main window.
  SizeableToolWindow,
  // Fixed tool-window border: the dialogs.
  ToolDialog,
  // Sizeable tool window owned by the main form: windows with a list to
  // read, modal or not (ShowModal, ShowModeless).
  SizeableDialog,
};

struct TFormLayout {
  std::string ClassName{};  // the window class, also the form's type name
  std::string Caption{};
  TSize Client{};  // client area at 96 DPI
  TFormStyle Style = TFormStyle::ToolDialog;
  bool StayOnTop = false;
  TFont Font = kFormFont;
  std::vector<TControlLayout> Controls{};
  // The button that Escape presses (a dialog's キャンセル); with none,
  // Escape does nothing.
  std::string CancelButton{};
};

}  // namespace vorbel
