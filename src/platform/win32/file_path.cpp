#include "platform/file_path.h"

#include "platform/win32/text_codec.h"

namespace vorbel {

std::filesystem::path FilePath(std::string_view cp932Path) {
  return std::filesystem::path(Cp932ToWide(cp932Path));
}

std::string PathText(const std::filesystem::path& path) { return WideToCp932(path.wstring()); }

}  // namespace vorbel
