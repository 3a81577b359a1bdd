// Byte-level helpers for code page 932 (Shift-JIS) text.
//
// Inside the program every string is a byte string in code page 932; these
// helpers never convert, they only classify and trim bytes.
#pragma once

#include <string_view>

namespace vorbel {

// True for a byte that opens a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Removes every leading and trailing byte whose code is 32 (blank) or lower.
// Trail bytes of double-byte characters are never that low, so this is safe
// on Japanese text; a full-width space (0x81 0x40) is not blank.
inline std::string_view TrimBlanks(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}

// True when nothing is left of the text after TrimBlanks.
inline bool IsBlank(std::string_view text) { return TrimBlanks(text).empty(); }

}  // namespace vorbel
