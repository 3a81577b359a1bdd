#include "platform/headless/sim_desktop.h"

#include <algorithm>
#include <utility>

namespace vorbel::sim {

TWindow TSimDesktop::Create(std::string title, std::string className, uint32_t threadId, TWindow parent,
                            TWindowOwner owner) {
  const TWindow handle = next_;
  next_ += 4;  // handles are multiples of 4, as on Windows
  entries_.push_back({handle, std::move(title), std::move(className), threadId, parent, std::move(owner)});
  if (parent == kNoWindow) topLevel_.insert(topLevel_.begin(), handle);
  return handle;
}

void TSimDesktop::Destroy(TWindow window) {
  if (Find(window) == nullptr) return;
  std::vector<TWindow> gone = Descendants(window);
  gone.push_back(window);
  for (TWindow handle : gone) {
    std::erase_if(entries_, [handle](const TEntry& entry) { return entry.handle == handle; });
    std::erase(topLevel_, handle);
    if (foreground_ == handle) foreground_ = kNoWindow;
  }
}

void TSimDesktop::SetTitle(TWindow window, std::string title) {
  for (TEntry& entry : entries_) {
    if (entry.handle == window) entry.title = std::move(title);
  }
}

void TSimDesktop::SetOwner(TWindow window, TWindowOwner owner) {
  for (TEntry& entry : entries_) {
    if (entry.handle == window) entry.owner = std::move(owner);
  }
}

void TSimDesktop::RaiseToTop(TWindow window) {
  const auto found = std::find(topLevel_.begin(), topLevel_.end(), window);
  if (found != topLevel_.end()) std::rotate(topLevel_.begin(), found, found + 1);
}

void TSimDesktop::Reset() {
  entries_.clear();
  topLevel_.clear();
  clipboardText.clear();
  clipboardOther.clear();
  received.clear();
  foreground_ = kNoWindow;
  scheduled_.clear();
}

void TSimDesktop::Schedule(uint64_t delayMs, std::function<void()> work) {
  scheduled_.emplace(std::make_pair(now_ + delayMs, scheduledCount_++), std::move(work));
}

void TSimDesktop::AdvanceTime(uint64_t ms) {
  const uint64_t until = now_ + ms;
  // Work may schedule more work, also for moments already passed.
  while (!scheduled_.empty() && scheduled_.begin()->first.first <= until) {
    const auto next = scheduled_.begin();
    now_ = std::max(now_, next->first.first);
    std::function<void()> work = std::move(next->second);
    scheduled_.erase(next);
    work();
  }
  now_ = until;
}

const TSimDesktop::TEntry* TSimDesktop::Find(TWindow window) const {
  if (window == kNoWindow) return nullptr;
  for (const TEntry& entry : entries_) {
    if (entry.handle == window) return &entry;
  }
  return nullptr;
}

std::vector<TWindow> TSimDesktop::Descendants(TWindow parent) const {
  // Depth first: each child, then its own descendants, children in the order
  // they were created.
  std::vector<TWindow> result;
  if (parent == kNoWindow) return result;
  for (const TEntry& entry : entries_) {
    if (entry.parent != parent) continue;
    result.push_back(entry.handle);
    const std::vector<TWindow> below = Descendants(entry.handle);
    result.insert(result.end(), below.begin(), below.end());
  }
  return result;
}

TSimDesktop& Desktop() {
  static TSimDesktop desktop;
  return desktop;
}

}  // namespace vorbel::sim
