// Positions in a native edit control's UTF-16 text as the code page 932
// byte offsets the program counts in.
#include <array>
#include <cstdint>

#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

constexpr UINT kCodePage = 932;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

int Cp932Length(const wchar_t* units, int count) {
  return WideCharToMultiByte(kCodePage, 0, units, count, nullptr, 0, nullptr, nullptr);
}

// Bytes of one UTF-16 unit in code page 932, learnt on first use (0: not yet).
uint8_t UnitLength(wchar_t unit) {
  static std::array<uint8_t, 65536> lengths{};
  uint8_t& length = lengths[static_cast<uint16_t>(unit)];
  if (length == 0) length = static_cast<uint8_t>(Cp932Length(&unit, 1));
  return length;
}

// Bytes of the character that begins at text[i], and its UTF-16 units.
std::pair<size_t, size_t> CharAt(std::wstring_view text, size_t i) {
  if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    return {static_cast<size_t>(Cp932Length(text.data() + i, 2)), 2};
  }
  return {UnitLength(text[i]), 1};
}

}  // namespace

size_t ByteOffset(std::wstring_view text, size_t wideIndex) {
  size_t bytes = 0;
  for (size_t i = 0; i < wideIndex && i < text.size();) {
    const auto [length, units] = CharAt(text, i);
    bytes += length;
    i += units;
  }
  return bytes;
}

size_t WideIndex(std::wstring_view text, size_t byteOffset) {
  size_t bytes = 0;
  size_t i = 0;
  while (i < text.size()) {
    const auto [length, units] = CharAt(text, i);
    if (bytes + length > byteOffset) break;
    bytes += length;
    i += units;
  }
  return i;
}

std::wstring WindowTextWide(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace vorbel
