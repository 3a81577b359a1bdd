// Headless controls: the state a native control would hold, kept in memory,
// with the same events at the same moments.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/application.h"
#include "platform/headless/ui_state.h"
#include "platform/ui_backend.h"
#include "platform/ui_text.h"

namespace vorbel {

namespace {

void RaiseChange(TControl& control) {
  if (control.Kind() == TControlKind::Edit || control.Kind() == TControlKind::Memo) {
    RunEventHandler(static_cast<TCustomEdit&>(control).OnChange);
  }
}

// The text an edit or the memo holds after `text` is put in. The native
// controls hold their text in UTF-16: what comes back is the text through
// code page 932 and back, and the memo's line breaks are CR LF. Labels,
// buttons and the other kinds keep the program's own texts as they are.
std::string HeldText(TControlKind kind, std::string_view text) {
  switch (kind) {
    case TControlKind::Memo:
      return MemoRoundTrip(text);
    case TControlKind::Edit:
      return Cp932RoundTrip(text);
    default:
      return std::string(text);
  }
}

// The text of a drop-down list: its selected item's, or empty.
std::string SelectedItem(const std::vector<std::string>& items, int index) {
  return index >= 0 && static_cast<size_t>(index) < items.size() ? items[static_cast<size_t>(index)]
                                                                 : std::string();
}

void ForgetUndo(TControlImpl& state) {
  state.undoInserted = 0;
  state.undoDeleted.clear();
}

// Keeps the step Ctrl+Z takes back after `deleted` was replaced by
// `inserted` bytes at `start`, by the rules of the edit control of Windows:
// a deletion next to the last deletion, and an insertion at the last
// deletion or right behind the last insertion, continue the step.
void RecordUndo(TControlImpl& state, TUndo undo, size_t start, const std::string& deleted, size_t inserted) {
  if (undo != TUndo::SameStep) ForgetUndo(state);
  if (undo == TUndo::None) return;
  if (!deleted.empty()) {
    const bool deleting = state.undoInserted == 0 && !state.undoDeleted.empty();
    if (deleting && start == state.undoPosition) {
      state.undoDeleted += deleted;
    } else if (deleting && start + deleted.size() == state.undoPosition) {
      state.undoDeleted.insert(0, deleted);
      state.undoPosition = start;
    } else {
      state.undoDeleted = deleted;
      state.undoPosition = start;
    }
  }
  if (inserted == 0) return;
  if (start == state.undoPosition ||
      (state.undoInserted > 0 && start == state.undoPosition + state.undoInserted)) {
    state.undoInserted += inserted;
  } else {
    state.undoPosition = start;
    state.undoInserted = inserted;
    state.undoDeleted.clear();
  }
}

}  // namespace

TControl::TControl(TForm& form, std::string_view name, TControlKind kind)
    : form_(form), layout_(form.ControlLayout(name)), impl_(std::make_unique<TControlImpl>()) {
  if (layout_.Kind != kind) throw std::logic_error("control " + std::string(name) + " is of another kind");
  TControlImpl& state = *impl_;
  state.text = HeldText(kind, layout_.Caption);
  state.enabled = (layout_.Flags & kDisabled) == 0;
  state.checked = (layout_.Flags & kChecked) != 0;
  state.itemIndex = layout_.ItemIndex;
  state.imeClosed = (layout_.Flags & kImeClosed) != 0;
  if (kind == TControlKind::ComboBox) state.text = SelectedItem(layout_.Items, state.itemIndex);
  state.design = DesignBoundsInForm(form, layout_);
  state.fontFace = std::string(layout_.Font.Face.empty() ? form.Layout().Font.Face : layout_.Font.Face);
  form.controls_.push_back(this);
}

TControl::~TControl() {
  auto& controls = form_.controls_;
  controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
  if (form_.Impl().focused == this) form_.Impl().focused = nullptr;
}

std::string TControl::Text() const { return impl_->text; }

void TControl::SetText(std::string_view text) {
  if (Kind() == TControlKind::ComboBox) {
    static_cast<TComboBox&>(*this).SetItemIndex(ComboIndexOf(layout_.Items, text));
    return;
  }
  std::string value = HeldText(Kind(), text);
  if (impl_->text == value) return;
  impl_->text = std::move(value);
  impl_->selStart = 0;
  impl_->selLength = 0;
  ForgetUndo(*impl_);
  RaiseChange(*this);
}

bool TControl::Enabled() const { return impl_->enabled; }
void TControl::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool TControl::Visible() const { return impl_->visible; }
void TControl::SetVisible(bool visible) { impl_->visible = visible; }

TRect TControl::Bounds() const {
  const TSize client = form_.ClientSize();
  const TSize design = form_.Layout().Client;
  const TRect& d = impl_->design;
  const TRect scaled{form_.Scale(d.Left), form_.Scale(d.Top), form_.Scale(d.Width), form_.Scale(d.Height)};
  return Anchored(scaled, layout_.Anchors, client.Width - form_.Scale(design.Width),
                  client.Height - form_.Scale(design.Height));
}

std::string TControl::FontFace() const { return impl_->fontFace; }
TColor TControl::FontColor() const { return impl_->fontColor; }
void TControl::SetFontColor(TColor color) { impl_->fontColor = color; }

void TControl::SetFocus() { FocusControl(*this, false); }
bool TControl::Focused() const { return form_.Impl().focused == this; }
bool TControl::CanFocus() const { return TakesFocus(Kind()) && impl_->enabled && impl_->visible; }

bool TCheckBox::Checked() const { return Impl().checked; }

void TCheckBox::SetChecked(bool checked) {
  if (Impl().checked == checked) return;
  Impl().checked = checked;
  RunEventHandler(OnClick);
}

size_t TCustomEdit::SelStart() const { return Impl().selStart; }
size_t TCustomEdit::SelLength() const { return Impl().selLength; }

void TCustomEdit::SetSel(size_t start, size_t length) {
  const std::string& text = Impl().text;
  const size_t from = CharBoundaryAtOrBefore(text, start);
  const size_t to = CharBoundaryAtOrBefore(text, start + std::min(length, text.size()));
  Impl().selStart = from;
  Impl().selLength = std::max(from, to) - from;
}

void TCustomEdit::SelectAll() { SetSel(0, Impl().text.size()); }

void TCustomEdit::ReplaceSelection(std::string_view text, TUndo undo) {
  TControlImpl& state = Impl();
  const std::string insert = HeldText(Kind(), text);
  const size_t start = state.selStart;
  const std::string deleted = state.text.substr(start, state.selLength);
  state.text.replace(start, state.selLength, insert);
  state.selStart += insert.size();
  state.selLength = 0;
  RecordUndo(state, undo, start, deleted, insert.size());
  if (deleted != insert) RaiseChange(*this);
}

void TCustomEdit::Clear() {
  SetText("");
  ForgetUndo(Impl());
}

void UndoLastStep(TCustomEdit& edit) {
  TControlImpl& state = edit.Impl();
  if (state.undoInserted == 0 && state.undoDeleted.empty()) return;
  const size_t start = state.undoPosition;
  const std::string restored = state.undoDeleted;
  const std::string taken = state.text.substr(start, state.undoInserted);
  state.text.replace(start, taken.size(), restored);
  // What was taken back is the step now, for a second Ctrl+Z.
  ForgetUndo(state);
  RecordUndo(state, TUndo::SameStep, start, taken, restored.size());
  state.selStart = start;
  state.selLength = restored.size();
  if (taken != restored) RaiseChange(edit);
}

size_t TMemo::LineCount() const { return SplitMemoLines(Impl().text).size(); }

std::string TMemo::Line(size_t i) const {
  const auto lines = SplitMemoLines(Impl().text);
  return i < lines.size() ? std::string(lines[i]) : std::string();
}

void TMemo::AddLines(const std::vector<std::string>& lines, TUndo undo) {
  if (lines.empty()) return;
  const std::string& text = Impl().text;
  const std::string insert = AppendedLines(text.empty() || text.ends_with("\r\n"), lines);
  SetSel(text.size(), 0);
  ReplaceSelection(insert, undo);
}

void TMemo::SetPopupMenu(TPopupMenu* menu) { Impl().popup = menu; }
TPopupMenu* TMemo::PopupMenu() const { return Impl().popup; }

int TRadioGroup::ItemIndex() const { return Impl().itemIndex; }

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(ItemCount())) index = -1;
  if (Impl().itemIndex == index) return;
  Impl().itemIndex = index;
  RunEventHandler(OnClick);
}

bool TEdit::ImeClosed() const { return Impl().imeClosed; }
void TEdit::SetImeClosed(bool closed) { Impl().imeClosed = closed; }

int TComboBox::ItemIndex() const { return Impl().itemIndex; }

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(ItemCount())) index = -1;
  if (Impl().itemIndex == index) return;
  Impl().itemIndex = index;
  Impl().text = SelectedItem(Layout().Items, index);
  RunEventHandler(OnChange);
}

size_t TListView::RowCount() const { return Impl().rowCount; }

void TListView::SetRowCount(size_t count) {
  Impl().rowCount = count;
  Impl().itemIndex = -1;
}

// The native list view holds the text it is given in UTF-16.
std::string TListView::CellText(size_t row, size_t column) const {
  if (row >= RowCount() || column >= ColumnCount() || !OnGetText) return {};
  return Cp932RoundTrip(OnGetText(row, column));
}

int TListView::ItemIndex() const { return Impl().itemIndex; }

void TListView::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(RowCount())) index = -1;
  if (Impl().itemIndex == index) return;
  Impl().itemIndex = index;
  RunEventHandler(OnSelect);
}

TTimer::TTimer(TForm& form, unsigned interval) : form_(form), interval_(interval) {
  static unsigned nextId = 1;
  id_ = nextId++;
  form.timers_.push_back(this);
}

TTimer::~TTimer() {
  auto& timers = form_.timers_;
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::SetEnabled(bool enabled) { enabled_ = enabled; }

}  // namespace vorbel
