// Conversion between code page 932 bytes and UTF-16 at the Win32 boundary.
// Always code page 932 explicitly, never the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace vorbel {

std::wstring Cp932ToWide(std::string_view text);
std::string WideToCp932(std::wstring_view text);

}  // namespace vorbel
