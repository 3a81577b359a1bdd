// The desktop as the CAD link sees it: top-level and child windows, their
// titles, classes and threads, and the messages sent to them.
//
// Texts are code page 932 bytes. The Win32 backend reads titles and window
// texts as UTF-16 and converts them with code page 932 explicitly; the
// headless backend is a simulated desktop (headless/sim_desktop.h).
//
// As on Windows, reading another program's window title returns its caption
// without asking the window, while WM_GETTEXT is answered by the window
// itself: a window may show one caption and answer another text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

// A window handle; kNoWindow is none.
using TWindow = std::uintptr_t;
constexpr TWindow kNoWindow = 0;

// The top-level windows in the system's order, topmost first (EnumWindows).
std::vector<TWindow> TopLevelWindows();
// Every descendant of `parent`, children before their own children, in the
// order EnumChildWindows reports them. None for kNoWindow.
std::vector<TWindow> ChildWindows(TWindow parent);

// The caption, read into a 256-character buffer with 255 passed as its size:
// at most 254 characters arrive. Empty for a window without a title.
std::string WindowTitle(TWindow window);
// The class name, read the same way.
std::string WindowClassName(TWindow window);
// The identifier of the thread that created the window (0 for none).
uint32_t WindowThreadId(TWindow window);
bool IsWindowAlive(TWindow window);
bool BringToForeground(TWindow window);

// WM_COPYDATA: a COPYDATASTRUCT with dwData, cbData and lpData = data.
// Returns when the window has handled the message.
void SendCopyData(TWindow window, std::uintptr_t dwData, const char* data, uint32_t cbData);
// WM_GETTEXTLENGTH, answered by the window itself.
long SendGetTextLength(TWindow window);
// WM_GETTEXT with a buffer of `capacity` characters (the terminating NUL
// included); the text up to the NUL.
std::string SendGetText(TWindow window, long capacity);
// WM_COMMAND with the command id and lParam 0.
void SendCommandMessage(TWindow window, uint32_t commandId);
// PostMessage WM_NULL; nothing for kNoWindow (it would go to the calling
// thread's own queue).
void PostNullMessage(TWindow window);

// Waits until `condition` holds, testing it every few milliseconds, for at
// most `timeoutMs` milliseconds; true when it held. Meanwhile the program's
// windows are painted and messages other programs send them are answered,
// but no input reaches them: the program is busy, not frozen, and no handler
// runs inside another.
bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs);

}  // namespace vorbel
