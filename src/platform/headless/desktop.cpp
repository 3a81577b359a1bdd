// The headless backend of desktop.h: the simulated desktop of sim_desktop.h.
//
// Texts are measured in characters as Windows measures them in UTF-16: a
// double-byte character of code page 932 counts one, like its single UTF-16
// unit, so both backends cut titles and window texts at the same place.
#include "platform/desktop.h"

#include "cp932/cp932.h"
#include "platform/headless/sim_desktop.h"

namespace vorbel {

namespace {

constexpr long kTitleBufferSize = 255;  // passed for a 256-character buffer

// The number of characters in the text (a double-byte character counts one).
long CharacterCount(std::string_view text) {
  long count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(text[i]) && i + 1 < text.size()) ++i;
    ++count;
  }
  return count;
}

// The first `count` characters of the text; a double-byte character is never
// split.
std::string FirstCharacters(std::string_view text, long count) {
  size_t end = 0;
  for (long taken = 0; taken < count && end < text.size(); ++taken) {
    end += IsLeadByte(text[end]) && end + 1 < text.size() ? 2u : 1u;
  }
  return std::string(text.substr(0, end));
}

// What the window answers to WM_GETTEXT: its owner's text, or its caption
// when the owner gives none (DefWindowProc).
std::string AnsweredText(const sim::TSimDesktop::TEntry& entry) {
  auto onGetText = entry.owner.onGetText;  // the owner may change the table
  return onGetText ? onGetText() : entry.title;
}

void LogReceived(TWindow window, const char* kind, std::uintptr_t value, std::string bytes = {}) {
  sim::Desktop().received.push_back({window, kind, value, std::move(bytes)});
}

}  // namespace

std::vector<TWindow> TopLevelWindows() { return sim::Desktop().TopLevelOrder(); }

std::vector<TWindow> ChildWindows(TWindow parent) { return sim::Desktop().Descendants(parent); }

std::string WindowTitle(TWindow window) {
  const auto* entry = sim::Desktop().Find(window);
  return entry ? FirstCharacters(entry->title, kTitleBufferSize - 1) : std::string();
}

std::string WindowClassName(TWindow window) {
  const auto* entry = sim::Desktop().Find(window);
  return entry ? FirstCharacters(entry->className, kTitleBufferSize - 1) : std::string();
}

uint32_t WindowThreadId(TWindow window) {
  const auto* entry = sim::Desktop().Find(window);
  return entry ? entry->threadId : 0;
}

bool IsWindowAlive(TWindow window) { return sim::Desktop().Find(window) != nullptr; }

bool BringToForeground(TWindow window) {
  if (!IsWindowAlive(window)) return false;
  sim::Desktop().SetForeground(window);
  return true;
}

void SendCopyData(TWindow window, std::uintptr_t dwData, const char* data, uint32_t cbData) {
  const auto* entry = sim::Desktop().Find(window);
  if (!entry) return;
  const std::string bytes = cbData > 0 ? std::string(data, cbData) : std::string();
  auto onCopyData = entry->owner.onCopyData;
  LogReceived(window, "WM_COPYDATA", dwData, bytes);
  if (onCopyData) onCopyData(dwData, bytes);
}

long SendGetTextLength(TWindow window) {
  const auto* entry = sim::Desktop().Find(window);
  if (!entry) return 0;
  LogReceived(window, "WM_GETTEXTLENGTH", 0);
  return CharacterCount(AnsweredText(*entry));
}

std::string SendGetText(TWindow window, long capacity) {
  const auto* entry = sim::Desktop().Find(window);
  if (!entry) return {};
  LogReceived(window, "WM_GETTEXT", capacity > 0 ? static_cast<std::uintptr_t>(capacity) : 0);
  if (capacity <= 0) return {};
  return FirstCharacters(AnsweredText(*entry), capacity - 1);
}

void SendCommandMessage(TWindow window, uint32_t commandId) {
  const auto* entry = sim::Desktop().Find(window);
  if (!entry) return;
  auto onCommand = entry->owner.onCommand;
  LogReceived(window, "WM_COMMAND", commandId);
  if (onCommand) onCommand(commandId);
}

void PostNullMessage(TWindow window) {
  // The simulated desktop has no message queue: the window gets the message
  // at once.
  const auto* entry = sim::Desktop().Find(window);
  if (!entry) return;
  auto onNull = entry->owner.onNull;
  LogReceived(window, "WM_NULL", 0);
  if (onNull) onNull();
}

bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
  // The simulated desktop's time passes only here: in steps, so that work
  // the other windows were given runs in between.
  constexpr unsigned kStep = 10;
  for (unsigned waited = 0;; waited += kStep) {
    if (condition()) return true;
    if (waited >= timeoutMs) return false;
    sim::Desktop().AdvanceTime(kStep);
  }
}

}  // namespace vorbel
