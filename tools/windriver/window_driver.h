// Windows of another program as a user meets them: waiting until they show
// what is awaited, their texts and controls, messages with a time limit.
// Texts are code page 932 bytes, converted from the windows' UTF-16.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vorbel::windriver {

// How long one step of a program may take (milliseconds).
constexpr DWORD kPatience = 20000;

// Tests `condition` every 20 ms until it holds or `patience` has passed.
bool WaitFor(const std::function<bool()>& condition, DWORD patience = kPatience);

// A message that returns when the window has handled it, or after the
// patience; the window's answer, 0 when there was none.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

std::string ClassOf(HWND window);
// The text the window itself answers to WM_GETTEXT.
std::string TextOf(HWND window);
// WM_SETTEXT, as a program sets a control's text.
void SetTextOf(HWND window, const std::string& text);

// Every descendant, in the order the system keeps them (the tab order).
std::vector<HWND> Children(HWND window);
// The first descendant whose text is `text` (and whose class is `className`,
// when one is given, in any letter case).
HWND ChildWithText(HWND window, const std::string& text, const std::string& className = {});
// Chooses the item with the text `text` in a drop-down list as a click in
// its list does: the item selected and the list's parent told
// (CBN_SELCHANGE). False when the list has no such item.
bool ChooseListItem(HWND box, const std::string& text);

// The control that has the keyboard focus in the thread that made `window`;
// null when none has.
HWND FocusedControl(HWND window);

// A top-level window of the process with this class (and title), once shown;
// null when none came within the patience.
HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);

// A text's lines, split at CR LF (no empty line after a final break), and the
// lines joined again.
std::vector<std::string> SplitLines(const std::string& text);
std::string JoinLines(const std::vector<std::string>& lines);

// The standard error box a process shows (a dialog captioned `caption`):
// its message, and then the box closed with its OK button. Empty when none
// came within `patience`.
std::string TakeErrorBox(DWORD processId, const std::string& caption, DWORD patience = kPatience);

// The same for the question box: its message, and then the box answered
// with its はい or いいえ button (a click, as the user answers); the default
// button, IDYES or IDNO, in `defaultButton` when it is given.
std::string AnswerQuestionBox(DWORD processId, const std::string& caption, bool yes,
                              int* defaultButton = nullptr, DWORD patience = kPatience);

}  // namespace vorbel::windriver
