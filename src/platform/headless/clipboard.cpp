// The headless backend of clipboard.h: the simulated desktop's clipboard.
#include "platform/clipboard.h"

#include "platform/headless/sim_desktop.h"

namespace vorbel {

namespace {

// The text's format number, CF_UNICODETEXT's on Windows.
constexpr uint32_t kTextFormat = 13;

}  // namespace

std::string ClipboardText() { return sim::Desktop().clipboardText; }

std::optional<TClipboardContents> SaveClipboardContents() {
  const sim::TSimDesktop& desktop = sim::Desktop();
  TClipboardContents contents;
  if (!desktop.clipboardText.empty()) contents.push_back({kTextFormat, desktop.clipboardText});
  contents.insert(contents.end(), desktop.clipboardOther.begin(), desktop.clipboardOther.end());
  return contents;
}

void RestoreClipboardContents(const TClipboardContents& contents) {
  sim::TSimDesktop& desktop = sim::Desktop();
  desktop.clipboardText.clear();
  desktop.clipboardOther.clear();
  for (const TClipboardData& data : contents) {
    if (data.format == kTextFormat) {
      desktop.clipboardText = data.bytes;
    } else {
      desktop.clipboardOther.push_back(data);
    }
  }
}

}  // namespace vorbel
