// Reading what AutoCAD shows, and the queries built on it: the value of a
// system variable and the count of objects a selection found.
//
// AutoCAD not running, or a window missing, gives an empty text (the count:
// 0); nothing is reported.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/desktop.h"

namespace vorbel {

// The window's own text (WM_GETTEXTLENGTH, then WM_GETTEXT), or empty.
std::string GetWindowString(TWindow window);

// The current prompt, from the main window's prompt window.
std::string ReadCommandLine();
// The recent history, from the text window's history window.
std::string ReadTextWindowLine();
// The last line of the whole history (taken through the clipboard, which
// holds what it held before afterwards); empty when the history ends with an
// empty line.
std::string LastHistoryLine();

// The current value of a system variable, asked for transparently: the value
// the prompt offers between "<" and ">" (the prompt is then cancelled), else
// the one the recent history shows between "=" and "(", else what follows the
// last "=" on the history's last line. Empty when none is found.
std::string GetSysVar(std::string_view SysVarName);

// The count of objects the last selection found, read from the recent history
// once AutoCAD is idle again: 0 while AutoCAD shows any prompt other than the
// idle one, -1 when no count is found.
int32_t GetSelectedCount();

}  // namespace vorbel
