// The headless backend of clipboard.h: the simulated desktop's clipboard.
#include "platform/clipboard.h"

#include "platform/headless/sim_desktop.h"

namespace vorbel {

std::string ClipboardText() { return sim::Desktop().clipboardText; }

void EmptyClipboardContents() { sim::Desktop().clipboardText.clear(); }

}  // namespace vorbel
