// The clipboard, as text.
#pragma once

#include <string>

namespace vorbel {

// The clipboard's text as code page 932 bytes (read as UTF-16 on Windows and
// converted explicitly); empty when it holds no text.
std::string ClipboardText();
// Empties the clipboard.
void EmptyClipboardContents();

}  // namespace vorbel
