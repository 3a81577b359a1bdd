// File names cross into the operating system here, and the reading of a file
// another program is still writing.
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
// volume keeps no short names, and on systems that have none (the headless
// backend gives the short names tests set, headless/sim_screen.h).
std::string ShortPathName(std::string_view cp932Path);

// The last `maxBytes` bytes of a file (all of a shorter one); empty when it
// cannot be read. The file is opened so that the program writing it may go
// on writing, replace it or delete it meanwhile: watching AutoCAD's export
// never makes its write fail.
std::string ReadFileTail(std::string_view cp932Path, size_t maxBytes);

}  // namespace vorbel
