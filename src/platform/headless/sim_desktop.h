// The simulated desktop behind the headless backend of desktop.h and
// clipboard.h: a table of windows with titles, class names, creating threads,
// parents and owners that answer the messages sent to them.
//
// Native tests put windows on it (the stand-in CAD's among them) and then run
// the real CAD link against it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/desktop.h"

namespace vorbel::sim {

// What a simulated window answers. A window without onGetText answers
// WM_GETTEXTLENGTH and WM_GETTEXT with its caption, as DefWindowProc does.
struct TWindowOwner {
  std::function<void(std::uintptr_t dwData, std::string_view bytes)> onCopyData;  // cbData bytes
  std::function<std::string()> onGetText;
  std::function<void(uint32_t commandId)> onCommand;
  std::function<void()> onNull;
};

// One message as a window received it, for tests that check what was sent.
struct TReceived {
  TWindow window;
  std::string kind;      // "WM_COPYDATA", "WM_GETTEXTLENGTH", "WM_GETTEXT", "WM_COMMAND", "WM_NULL"
  std::uintptr_t value;  // dwData, the buffer capacity or the command id
  std::string bytes;     // the copied data (cbData bytes)
};

class TSimDesktop {
 public:
  // A new top-level window goes on top of the order; a child is appended to
  // its parent's children.
  TWindow Create(std::string title, std::string className, uint32_t threadId, TWindow parent = kNoWindow,
                 TWindowOwner owner = {});
  void Destroy(TWindow window);  // with its descendants
  void SetTitle(TWindow window, std::string title);
  void SetOwner(TWindow window, TWindowOwner owner);
  void RaiseToTop(TWindow window);
  TWindow Foreground() const { return foreground_; }

  // The clipboard: its text (CF_UNICODETEXT on Windows) and the other formats
  // it holds, a spreadsheet's or an image's, as saving it gives them.
  std::string clipboardText;
  TClipboardContents clipboardOther;
  std::vector<TReceived> received;

  // Removes every window, the clipboard's contents, the log and the work
  // still to do.
  void Reset();

  // Simulated time, in milliseconds: it passes only while the program waits
  // (WaitUntil) or a test lets it pass. Work scheduled for a moment runs when
  // the time gets there, in the order it was scheduled.
  uint64_t Now() const { return now_; }
  void Schedule(uint64_t delayMs, std::function<void()> work);
  void AdvanceTime(uint64_t ms);
  bool HasScheduledWork() const { return !scheduled_.empty(); }

  // Used by the headless backend.
  struct TEntry {
    TWindow handle;
    std::string title;
    std::string className;
    uint32_t threadId;
    TWindow parent;
    TWindowOwner owner;
  };
  const TEntry* Find(TWindow window) const;
  const std::vector<TWindow>& TopLevelOrder() const { return topLevel_; }
  std::vector<TWindow> Descendants(TWindow parent) const;
  void SetForeground(TWindow window) { foreground_ = window; }

 private:
  std::vector<TEntry> entries_;
  std::vector<TWindow> topLevel_;  // topmost first
  TWindow next_ = 0x100;
  TWindow foreground_ = kNoWindow;
  uint64_t now_ = 0;
  uint64_t scheduledCount_ = 0;
  std::map<std::pair<uint64_t, uint64_t>, std::function<void()>> scheduled_;  // by (time, order)
};

// The one simulated desktop of the process.
TSimDesktop& Desktop();

}  // namespace vorbel::sim
