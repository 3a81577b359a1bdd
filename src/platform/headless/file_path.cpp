#include "platform/file_path.h"

#include <algorithm>
#include <fstream>

namespace vorbel {

std::filesystem::path FilePath(std::string_view cp932Path) {
  return std::filesystem::path(std::string(cp932Path));
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

std::string ShortPathName(std::string_view cp932Path) { return std::string(cp932Path); }

std::string ReadFileTail(std::string_view cp932Path, size_t maxBytes) {
  std::ifstream in(FilePath(cp932Path), std::ios::binary | std::ios::ate);
  if (!in) return {};
  const std::streamoff size = in.tellg();
  if (size < 0) return {};
  const auto count = static_cast<std::streamoff>(std::min<size_t>(maxBytes, static_cast<size_t>(size)));
  in.seekg(size - count);
  std::string bytes(static_cast<size_t>(count), '\0');
  in.read(bytes.data(), count);
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

}  // namespace vorbel
