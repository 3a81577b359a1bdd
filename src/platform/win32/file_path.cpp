#include "platform/file_path.h"

#include <windows.h>

#include <algorithm>
#include <memory>

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

namespace vorbel {

namespace {

struct TCloseFile {
  void operator()(HANDLE file) const { CloseHandle(file); }
};
using TFileHandle = std::unique_ptr<void, TCloseFile>;

}  // namespace

std::string ReadFileTail(std::string_view cp932Path, size_t maxBytes) {
  const std::wstring path = Cp932ToWide(cp932Path);
  const HANDLE opened =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  const TFileHandle file(opened);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {};
  const auto count = static_cast<DWORD>(std::min<ULONGLONG>(maxBytes, static_cast<ULONGLONG>(size.QuadPart)));
  LARGE_INTEGER start{};
  start.QuadPart = size.QuadPart - count;
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return {};
  std::string bytes(count, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), count, &read, nullptr)) return {};
  bytes.resize(read);
  return bytes;
}

}  // namespace vorbel
