#include "acadctrl/acad_windows.h"

#include <string>
#include <string_view>

namespace vorbel {

namespace {

constexpr std::string_view kTitlePrefix = "AutoCAD ";
constexpr std::string_view kClassPrefix = "Afx:";
constexpr std::string_view kMainClassMark = "400000:8:";
constexpr std::string_view kTextClassMark = "400000:b:";
constexpr std::string_view kPromptTitle = "Headlands";
constexpr std::string_view kHistoryTitle = "MountTam";

// The main window as one search found it, with the thread that created it.
struct TAcadMain {
  TWindow MainWnd = kNoWindow;
  uint32_t MainThread = 0;
};

// The title and class tests shared by the main and the text window. A window
// without a title is passed over before its class is read.
bool IsAcadWindow(TWindow window, std::string_view classMark) {
  const std::string title = WindowTitle(window);
  if (title.empty()) return false;
  const std::string className = WindowClassName(window);
  return title.starts_with(kTitlePrefix) && className.starts_with(kClassPrefix) &&
         className.find(classMark, 1) != std::string::npos;
}

TAcadMain SearchAcadMain() {
  TAcadMain found;
  for (TWindow window : TopLevelWindows()) {
    if (!IsAcadWindow(window, kMainClassMark)) continue;
    found.MainWnd = window;
    found.MainThread = WindowThreadId(window);
    break;
  }
  return found;
}

}  // namespace

TWindow FindAcadWindow() { return SearchAcadMain().MainWnd; }

TWindow FindTextWindow() {
  TWindow textWnd = kNoWindow;
  const TAcadMain main = SearchAcadMain();
  if (!IsWindowAlive(main.MainWnd)) return kNoWindow;
  // Only the text window of the same AutoCAD: another running AutoCAD has one
  // of its own.
  for (TWindow window : TopLevelWindows()) {
    if (!IsAcadWindow(window, kTextClassMark) || WindowThreadId(window) != main.MainThread) continue;
    textWnd = window;
    break;
  }
  return IsWindowAlive(textWnd) ? textWnd : kNoWindow;
}

bool ActivateAcad() {
  const TWindow mainWnd = FindAcadWindow();
  // Asked also when none was found; then nothing happens.
  BringToForeground(mainWnd);
  return IsWindowAlive(mainWnd);
}

TCommandLineWindows FindCommandLineWindows(TWindow parent) {
  TCommandLineWindows found;
  for (TWindow child : ChildWindows(parent)) {
    const std::string title = WindowTitle(child);
    // Both tests on every child; a later match replaces an earlier one.
    if (title.starts_with(kPromptTitle)) found.PromptWnd = child;
    if (title.starts_with(kHistoryTitle)) found.HistoryWnd = child;
    if (found.PromptWnd != kNoWindow && found.HistoryWnd != kNoWindow) break;
  }
  return found;
}

}  // namespace vorbel
