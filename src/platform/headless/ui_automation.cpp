// Headless user input: what the native controls do with a key or a click;
// the error boxes and the dialogs of a program without a screen.
#include "platform/ui_automation.h"

#include "platform/application.h"
#include "platform/headless/ui_state.h"
#include "platform/ui_automation_store.h"
#include "platform/ui_backend.h"
#include "platform/ui_text.h"

namespace vorbel {

namespace {

// A headless error box has no screen to go to: every one is recorded, from
// the program's start.
[[maybe_unused]] const bool kErrorBoxesRecorded = [] {
  UiHooks().errorBox = KeepErrorBox;
  return true;
}();

constexpr unsigned kBackspace = 8;
constexpr unsigned kTab = 9;
constexpr unsigned kEnter = 13;
constexpr unsigned kCtrlZ = 26;

void Backspace(TCustomEdit& edit) {
  if (edit.SelLength() == 0) {
    const std::string text = edit.Text();
    const size_t caret = edit.SelStart();
    if (caret == 0) return;
    size_t from = PreviousCharStart(text, caret);
    if (edit.Kind() == TControlKind::Memo && caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0)
      from = caret - 2;
    edit.SetSel(from, caret - from);
  }
  edit.ReplaceSelection("", TUndo::SameStep);
}

}  // namespace

void TypeKey(TCustomEdit& edit, unsigned key) {
  if (!edit.Enabled() || !edit.Visible()) return;
  if (!edit.Focused()) FocusControl(edit, true);
  // The control receives one UTF-16 unit: the key's first character.
  key = TypedKey(key);
  if (edit.Kind() == TControlKind::Edit) {
    auto& single = static_cast<TEdit&>(edit);
    if (single.OnKeyPress) RunEventHandler([&] { single.OnKeyPress(key); });
    if (key == 0 || key == kEnter) return;
    key = TypedKey(key);
  }
  if (key == kBackspace) {
    Backspace(edit);
  } else if (key == kCtrlZ) {
    UndoLastStep(edit);
  } else if (key == kEnter) {
    edit.ReplaceSelection("\r\n", TUndo::SameStep);
  } else if (key >= 32 || (key == kTab && edit.Kind() == TControlKind::Memo)) {
    edit.ReplaceSelection(KeyText(key), TUndo::SameStep);
  }
}

void PressEnter(TForm& form) {
  TControl* focused = form.FocusedControl();
  if (focused == nullptr || !focused->Enabled()) return;
  switch (focused->Kind()) {
    case TControlKind::Button:
      RunEventHandler(static_cast<TButton*>(focused)->OnClick);
      break;
    case TControlKind::Edit:
    case TControlKind::Memo:
      TypeKey(static_cast<TCustomEdit&>(*focused), kEnter);
      break;
    default:
      break;
  }
}

void PressEscape(TForm& form) {
  if (TControl* cancel = CancelButtonOf(form); cancel != nullptr && cancel->Enabled()) {
    RunEventHandler(static_cast<TButton*>(cancel)->OnClick);
  }
}

void ClickControl(TControl& control) {
  if (!control.Enabled() || !control.Visible()) return;
  FocusControl(control, true);
  if (control.Kind() == TControlKind::Button) {
    RunEventHandler(static_cast<TButton&>(control).OnClick);
  } else if (control.Kind() == TControlKind::CheckBox) {
    auto& check = static_cast<TCheckBox&>(control);
    check.SetChecked(!check.Checked());
  }
}

void ClickRadioItem(TRadioGroup& group, int index) {
  if (!group.Enabled() || !group.Visible()) return;
  FocusControl(group, true);
  group.SetItemIndex(index);
}

void ChooseComboItem(TComboBox& box, int index) {
  if (!box.Enabled() || !box.Visible() || index < 0 || static_cast<size_t>(index) >= box.ItemCount()) return;
  FocusControl(box, true);
  box.SetItemIndex(index);
}

void DoubleClick(TMemo& memo) {
  if (!memo.Enabled() || !memo.Visible()) return;
  FocusControl(memo, true);
  RunEventHandler(memo.OnDblClick);
}

void ClickListRow(TListView& list, int row) {
  if (!list.Enabled() || !list.Visible()) return;
  FocusControl(list, true);
  list.SetItemIndex(row);
}

void DoubleClickListRow(TListView& list, int row) {
  if (!list.Enabled() || !list.Visible()) return;
  ClickListRow(list, row);
  if (row >= 0 && static_cast<size_t>(row) < list.RowCount()) RunEventHandler(list.OnDblClick);
}

void CloseByCaptionButton(TForm& form) { form.Close(); }

bool QueryEndSession(TForm& form) { return form.CloseQuery(); }

void TickTimer(TTimer& timer) {
  if (timer.Enabled()) RunEventHandler(timer.OnTimer);
}

void ProcessMessages() {}

void RecordErrorBoxes(bool) {}

void StartModalDriver(TForm& dialog) {
  if (ModalDriver()) ModalDriver()(dialog);
}

}  // namespace vorbel
