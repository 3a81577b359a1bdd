// Finding a running AutoCAD's windows and bringing it to the front.
//
// AutoCAD's main window is a top-level window whose title begins with
// "AutoCAD " and whose class name begins with "Afx:" and contains
// "400000:8:"; its text window passes the same tests with "400000:b:" and was
// created by the same thread. Every operation searches the desktop anew, so
// AutoCAD may be started, closed or restarted between any two calls.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

namespace vorbel {

// The command-line windows under a main or text window; either may be none.
struct TCommandLineWindows {
  TWindow PromptWnd = kNoWindow;   // title begins with "Headlands": the current prompt
  TWindow HistoryWnd = kNoWindow;  // title begins with "MountTam": the recent history
};

// The main window highest in the window order, or none.
TWindow FindAcadWindow();
// The text window created by the main window's thread, or none.
TWindow FindTextWindow();
// Brings the main window to the front; true when there is one.
bool ActivateAcad();
// The children of `parent` (descendants included) that show the prompt and
// the history.
TCommandLineWindows FindCommandLineWindows(TWindow parent);

}  // namespace vorbel
