// Reading what AutoCAD shows, and the queries built on it: the value of a
// system variable and the count of objects a selection found.
//
// AutoCAD not running, or a window missing, gives an empty text (the count:
// 0); nothing is reported.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/desktop.h"

namespace vorbel {

// The window's own text (WM_GETTEXTLENGTH, then WM_GETTEXT), or empty.
std::string GetWindowString(TWindow window);

// The current prompt, from the main window's prompt window.
std::string ReadCommandLine();
// AutoCAD's idle prompt, full-width "コマンド: " or half-width, each with its
// blank.
bool IsIdlePrompt(std::string_view prompt);

// AutoCAD may carry typed input out after the send has returned. What the
// tool reads next waits here, for at most `timeoutMs` milliseconds, until the
// prompt passes `test`; true when it did. The wait ends at once when AutoCAD
// has no main window; the program's windows stay painted meanwhile.
bool WaitForPrompt(const std::function<bool(std::string_view prompt)>& test, unsigned timeoutMs);
// The recent history, from the text window's history window.
std::string ReadTextWindowLine();
// The last line of the whole history (taken through the clipboard, which
// holds what it held before afterwards); empty when the history ends with an
// empty line.
std::string LastHistoryLine();

// The current value of a system variable, asked for transparently: the value
// the prompt offers between "<" and ">" (the prompt is then cancelled), else
// the one the recent history shows between "=" and "(", else what follows the
// last "=" on the history's last line. Empty when none is found. The prompt
// is read once AutoCAD shows the variable's prompt (its name and a value in
// angle brackets) or, for a read-only variable, once it is idle with the
// value on the history's last line; else after a short time.
std::string GetSysVar(std::string_view SysVarName);

// The count of objects the last selection found, read from the recent history
// once AutoCAD is idle again: 0 while AutoCAD shows any prompt other than the
// idle one, -1 when no count is found. The count follows the last "総数" up to
// "オブジェクトを", else the last "認識された数:" up to "オブジェクトを" on
// its own line or, without one there, up to the end of that line.
int32_t GetSelectedCount();

}  // namespace vorbel
