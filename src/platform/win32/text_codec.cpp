#include "platform/win32/text_codec.h"

#include <windows.h>

namespace vorbel {

namespace {
constexpr UINT kCodePage = 932;
}

std::wstring Cp932ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string WideToCp932(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(kCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kCodePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace vorbel
