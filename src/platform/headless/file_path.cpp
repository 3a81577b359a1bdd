#include "platform/file_path.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "platform/headless/sim_screen.h"

namespace vorbel {

namespace {

// The short names tests gave folders, by the folder's whole path.
std::map<std::string, std::string>& ShortNames() {
  static std::map<std::string, std::string> names;
  return names;
}

}  // namespace

namespace sim {
void SetShortName(std::string folder, std::string shortName) {
  if (shortName.empty()) {
    ShortNames().erase(folder);
  } else {
    ShortNames()[std::move(folder)] = std::move(shortName);
  }
}
}  // namespace sim

std::filesystem::path FilePath(std::string_view cp932Path) {
  return std::filesystem::path(std::string(cp932Path));
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

std::string ShortPathName(std::string_view cp932Path) {
  // Each folder along the path that has a short name is given by it. The
  // separator is "/" alone here: no byte of a code page 932 character is one.
  std::string shortPath;
  for (size_t start = 0;;) {
    const size_t end = std::min(cp932Path.find('/', start), cp932Path.size());
    const auto found = ShortNames().find(std::string(cp932Path.substr(0, end)));
    if (found == ShortNames().end()) {
      shortPath += cp932Path.substr(start, end - start);
    } else {
      shortPath += found->second;
    }
    if (end == cp932Path.size()) return shortPath;
    shortPath += '/';
    start = end + 1;
  }
}

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
