// File names cross into the operating system here.
//
// The program keeps paths as code page 932 bytes. Windows takes them as
// UTF-16 converted from code page 932 explicitly, so a path with Japanese
// folder names works whatever the system's ANSI code page is; elsewhere the
// bytes are the path.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorbel {

std::filesystem::path FilePath(std::string_view cp932Path);
std::string PathText(const std::filesystem::path& path);

// The short (8.3) form of an existing path; the path as it is where the
// volume keeps no short names, and on systems that have none.
std::string ShortPathName(std::string_view cp932Path);

}  // namespace vorbel
