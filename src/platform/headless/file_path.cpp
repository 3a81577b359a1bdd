#include "platform/file_path.h"

namespace vorbel {

std::filesystem::path FilePath(std::string_view cp932Path) {
  return std::filesystem::path(std::string(cp932Path));
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

std::string ShortPathName(std::string_view cp932Path) { return std::string(cp932Path); }

}  // namespace vorbel
