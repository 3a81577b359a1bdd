// Driving the controls the way a user does: typing, clicking, choosing menu
// items, closing windows. The tests use it on both backends; on Windows it
// goes through the same window messages as the keyboard and mouse. Library
// platform_ui_automation, linked by the test programs and the memo
// benchmark, never by vorbel.exe; it reaches into the controls only through
// the hooks of ui_backend.h.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

class TButton;
class TCheckBox;
class TComboBox;
class TControl;
class TCustomEdit;
class TForm;
class TListView;
class TMemo;
class TRadioGroup;
class TTimer;

// Types one character (as TEdit::OnKeyPress counts it: 8 is Backspace, 13
// Enter, 26 the Ctrl+Z that takes back the edit's last step) into the
// control that has it, which gets the focus first.
void TypeKey(TCustomEdit& edit, unsigned key);
// Types every character of a code page 932 text.
void TypeText(TCustomEdit& edit, std::string_view text);

// Presses Enter or Escape with the focus where it is.
void PressEnter(TForm& form);
void PressEscape(TForm& form);

// A mouse click: focuses the control as a click does (an edit keeps its
// selection) and presses it. Disabled controls ignore it.
void ClickControl(TControl& control);
void ClickRadioItem(TRadioGroup& group, int index);
// Chooses an item of a drop-down list as the user does with the mouse: the
// list takes the focus, and its change event comes when the choice differs.
void ChooseComboItem(TComboBox& box, int index);
void DoubleClick(TMemo& memo);
// A click on row `row` of a list view (-1: below the last row): the list
// takes the focus and selects the row, or none. A double click does the
// same and then raises OnDblClick for a row.
void ClickListRow(TListView& list, int row);
void DoubleClickListRow(TListView& list, int row);
// Opens the memo's pop-up menu and chooses an item; a disabled item does
// nothing, a check item turns its mark over (TPopupMenu::Choose).
void ChooseMenuItem(TMemo& memo, std::string_view itemName);
// The close button on the caption bar.
void CloseByCaptionButton(TForm& form);
// Windows asks the program whether the session may end (the user signs out
// or shuts down): true when the form lets it.
bool QueryEndSession(TForm& form);
// One tick of an enabled timer.
void TickTimer(TTimer& timer);

// Handles the window messages already waiting, as the message loop would.
void ProcessMessages();

// Error boxes: while recording, the standard error box is kept here instead
// of being shown (the headless backend always records).
struct TErrorBoxRecord {
  std::string Caption;
  std::string Text;
};
void RecordErrorBoxes(bool record);
std::vector<TErrorBoxRecord> TakeErrorBoxes();

// Question boxes: while answering, each one is kept here and answered with
// `yes` instead of being shown; stopped, they go to the screen again (the
// headless backend then answers with the default button).
struct TQuestionRecord {
  std::string Caption;
  std::string Text;
  bool YesIsDefault = false;
};
void AnswerQuestions(bool yes);
void StopAnsweringQuestions();
std::vector<TQuestionRecord> TakeQuestions();

// Runs `driver` when a dialog opens, inside its modal loop; a dialog still
// open when it returns is closed as by its close button. Without a driver a
// headless dialog closes at once.
void SetModalDriver(std::function<void(TForm&)> driver);

}  // namespace vorbel
