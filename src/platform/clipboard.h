// The clipboard: its text, and its whole contents saved and put back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorbel {

// The clipboard's text as code page 932 bytes (read as UTF-16 on Windows and
// converted explicitly); empty when it holds no text.
std::string ClipboardText();

// One format the clipboard held and the bytes of its memory object.
struct TClipboardData {
  uint32_t format;  // the clipboard format's number (a registered one included)
  std::string bytes;
  friend bool operator==(const TClipboardData&, const TClipboardData&) = default;
};
// What the clipboard held, format by format in the order it lists them.
using TClipboardContents = std::vector<TClipboardData>;

// Every format the clipboard can hand out as memory: text in all its forms,
// the locale, spreadsheet and rich-text formats, DIB images, registered
// formats. Formats held as GDI handles (bitmaps, palettes, metafiles) and
// owner-display formats are left out; Windows makes a bitmap again from the
// DIB. Nothing when the clipboard could not be opened.
std::optional<TClipboardContents> SaveClipboardContents();
// Replaces what the clipboard holds with the contents; empty contents leave
// it empty.
void RestoreClipboardContents(const TClipboardContents& contents);

}  // namespace vorbel
