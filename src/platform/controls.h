// The controls of the program's windows: buttons, check boxes, single-line
// edits, the multi-line memo, labels, group boxes, radio groups, drop-down
// lists, the virtual list view, the pop-up menu and the timer.
//
// A control is a member of its form and is built from the form's layout row
// of the same name. Texts are code page 932 bytes, and every position and
// length in a text counts bytes, a double-byte character two; the Win32
// backend converts to and from the native control's UTF-16 explicitly.
//
// Events are plain function objects. Every event runs through the event
// boundary (application.h): an exception that escapes it is shown in the
// standard error box and goes no further. Setting a text a control already
// holds raises nothing; setting a different text raises the change event
// just as typing would; changing a check box's or radio group's state from
// the program raises its click event, and changing a drop-down list's
// selection its change event.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_types.h"

namespace vorbel {

class TForm;
class TPopupMenu;
struct TControlImpl;

class TControl {
 public:
  // Builds the control from the form's layout row `name`, which must be of
  // the kind `kind`.
  TControl(TForm& form, std::string_view name, TControlKind kind);
  ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string& Name() const;
  TControlKind Kind() const;
  TForm& Form() const;
  const TControlLayout& Layout() const;

  // The caption, or the text of an edit or memo.
  std::string Text() const;
  void SetText(std::string_view text);

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);

  // Position within the form's client area, in the form's current pixels.
  TRect Bounds() const;

  // The font's face as it was found on the system, and the text colour.
  std::string FontFace() const;
  TColor FontColor() const;
  void SetFontColor(TColor color);

  // Gives the control the keyboard focus, as the program or the Tab key does
  // (a single-line edit then selects its whole text).
  void SetFocus();
  bool Focused() const;
  // Whether the control takes the focus at all (by kind), and now.
  bool CanFocus() const;

  TControlImpl& Impl() const { return *impl_; }

 private:
  TForm& form_;
  const TControlLayout& layout_;
  std::unique_ptr<TControlImpl> impl_;
};

class TButton : public TControl {
 public:
  TButton(TForm& form, std::string_view name) : TControl(form, name, TControlKind::Button) {}
  std::function<void()> OnClick;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TForm& form, std::string_view name) : TControl(form, name, TControlKind::CheckBox) {}
  bool Checked() const;
  // Raises OnClick when the state changes.
  void SetChecked(bool checked);
  std::function<void()> OnClick;
};

// How a change the program makes to an edit's text stands to Ctrl+Z. The
// edit keeps one step, as the edit control of Windows does: Ctrl+Z takes it
// back, and a second Ctrl+Z brings it again.
enum class TUndo {
  // No step: Ctrl+Z has nothing to take back afterwards (a listing).
  None,
  // A step of its own in place of the one kept (a command's change).
  NewStep,
  // Part of the step kept when it continues it (an insertion right behind
  // the last one, or a deletion next to the last deletion), else a step of
  // its own: what typing does.
  SameStep,
};

// What the single-line edit and the memo have in common: the text with its
// selection, and the change event. Setting the text and Clear keep no step
// for Ctrl+Z; typing and pasting record one as the edit control does.
class TCustomEdit : public TControl {
 public:
  TCustomEdit(TForm& form, std::string_view name, TControlKind kind) : TControl(form, name, kind) {}

  size_t SelStart() const;
  size_t SelLength() const;
  std::string SelText() const;
  // Selects `length` bytes from `start`; both ends are kept inside the text
  // and moved back to the start of a double-byte character they would split.
  void SetSel(size_t start, size_t length);
  void SelectAll();
  // Replaces the selection (or inserts at the caret); the caret then stands
  // behind the new text and nothing is selected. `undo` says what Ctrl+Z
  // does afterwards.
  void ReplaceSelection(std::string_view text, TUndo undo = TUndo::None);
  // Empties the text; Ctrl+Z then has nothing to take back.
  void Clear();

  std::function<void()> OnChange;
};

class TEdit : public TCustomEdit {
 public:
  TEdit(TForm& form, std::string_view name) : TCustomEdit(form, name, TControlKind::Edit) {}
  // A typed character: the ASCII code, or for a double-byte character the
  // code page 932 code (lead byte * 256 + trail byte). The handler may change
  // it, or set it to 0 to discard it. Enter (13) never reaches the text: it
  // is swallowed after the handler has seen it, without a beep.
  std::function<void(unsigned& key)> OnKeyPress;

  // Whether the input method is switched off when the edit gets the focus
  // (the layout's kImeClosed at first); when it is not, the edit leaves the
  // input method as the user has it, so Japanese text can be typed.
  bool ImeClosed() const;
  void SetImeClosed(bool closed);
};

// The multi-line memo. Its lines are the text split at CR LF; an empty line
// after a final line break is not a line of its own.
class TMemo : public TCustomEdit {
 public:
  TMemo(TForm& form, std::string_view name) : TCustomEdit(form, name, TControlKind::Memo) {}

  size_t LineCount() const;
  // Line i without its line break; empty beyond the last line.
  std::string Line(size_t i) const;
  // All lines at once: the way to walk the memo.
  std::vector<std::string> Lines() const;
  // Appends a line as a list box's add does: behind a final line break when
  // the text ends with one, else after a new line break.
  void AddLine(std::string_view line);
  // Appends lines as AddLine does one by one, with one change event: the way
  // to fill the memo with many lines.
  void AddLines(const std::vector<std::string>& lines, TUndo undo = TUndo::None);

  void SetPopupMenu(TPopupMenu* menu);
  TPopupMenu* PopupMenu() const;

  std::function<void()> OnDblClick;
};

class TLabel : public TControl {
 public:
  TLabel(TForm& form, std::string_view name) : TControl(form, name, TControlKind::Label) {}
};

class TGroupBox : public TControl {
 public:
  TGroupBox(TForm& form, std::string_view name) : TControl(form, name, TControlKind::GroupBox) {}
};

// Round buttons in a captioned frame, arranged in the layout's columns;
// exactly one or none selected.
class TRadioGroup : public TControl {
 public:
  TRadioGroup(TForm& form, std::string_view name) : TControl(form, name, TControlKind::RadioGroup) {}
  size_t ItemCount() const { return Layout().Items.size(); }
  int ItemIndex() const;
  // Raises OnClick when the selection changes.
  void SetItemIndex(int index);
  std::function<void()> OnClick;
};

// A drop-down list (a combo box that only chooses, no typing): the layout's
// items, one or none selected. Its text is the selected item's, or empty.
class TComboBox : public TControl {
 public:
  TComboBox(TForm& form, std::string_view name) : TControl(form, name, TControlKind::ComboBox) {}
  size_t ItemCount() const { return Layout().Items.size(); }
  int ItemIndex() const;
  // Selects item `index` (-1 or a number outside the items: none); raises
  // OnChange when the selection changes. SetText selects the item of that
  // text in the same way.
  void SetItemIndex(int index);
  std::function<void()> OnChange;
};

// A list of many rows in columns (a report view), whose texts are not kept
// in the control: the row source gives the text of a cell when the list
// shows it, so that 25,000 rows cost no more than a screenful. One row or
// none is selected.
class TListView : public TControl {
 public:
  TListView(TForm& form, std::string_view name) : TControl(form, name, TControlKind::ListView) {}

  // The text of cell (row, column), code page 932; the list asks for the
  // rows it shows, whenever it shows them.
  std::function<std::string(size_t row, size_t column)> OnGetText;

  // The number of rows. Setting it shows the rows anew from the row source
  // and selects none (without an OnSelect).
  size_t RowCount() const;
  void SetRowCount(size_t count);
  size_t ColumnCount() const { return Layout().ListColumns.size(); }
  // The cell's text as the list shows it (asked of the row source).
  std::string CellText(size_t row, size_t column) const;

  // The selected row, or -1. Selecting scrolls the row into view and raises
  // OnSelect when the selection changes; -1 or a row outside the list
  // selects none.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // The selection changed (by the user or by the program).
  std::function<void()> OnSelect;
  // A row was double-clicked (it is selected by then); not raised for a
  // double click below the last row.
  std::function<void()> OnDblClick;
};

// One entry of a pop-up menu; the caption "-" makes a separator line. A
// check item shows a check mark while Checked; with AutoCheck, choosing it
// turns the mark over before its OnClick runs.
struct TMenuItem {
  std::string Name;
  std::string Caption;
  bool Enabled = true;
  std::function<void()> OnClick;
  bool Checked = false;
  bool AutoCheck = false;
  bool IsSeparator() const { return Caption == "-"; }
};

class TPopupMenu {
 public:
  TPopupMenu() = default;
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  TMenuItem& Add(std::string_view name, std::string_view caption);
  TMenuItem& Item(std::string_view name);
  const std::deque<TMenuItem>& Items() const { return items_; }
  std::deque<TMenuItem>& Items() { return items_; }

  // Runs when the menu is about to open, before it is shown.
  std::function<void()> OnPopup;

  // What choosing an item does: nothing for a disabled item or a separator;
  // else the check mark of an AutoCheck item turns over, then OnClick runs.
  static void Choose(TMenuItem& item);

 private:
  std::deque<TMenuItem> items_;
};

// Raises OnTimer every Interval milliseconds while enabled, on the
// user-interface thread.
class TTimer {
 public:
  TTimer(TForm& form, unsigned interval);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  unsigned Id() const { return id_; }
  TForm& Form() const { return form_; }

  std::function<void()> OnTimer;

 private:
  TForm& form_;
  unsigned interval_;
  unsigned id_;
  bool enabled_ = false;
};

}  // namespace vorbel
