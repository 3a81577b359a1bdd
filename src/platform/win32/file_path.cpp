#include "platform/file_path.h"

#include <windows.h>

#include "platform/win32/text_codec.h"

namespace vorbel {

std::filesystem::path FilePath(std::string_view cp932Path) {
  return std::filesystem::path(Cp932ToWide(cp932Path));
}

std::string PathText(const std::filesystem::path& path) { return WideToCp932(path.wstring()); }

std::string ShortPathName(std::string_view cp932Path) {
  const std::wstring path = Cp932ToWide(cp932Path);
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::string(cp932Path);
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return std::string(cp932Path);
  shortPath.resize(length);
  return WideToCp932(shortPath);
}

}  // namespace vorbel
