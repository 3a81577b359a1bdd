// The process's command line and standard streams.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

// The program's arguments (without the program name) as code page 932 bytes.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard output and error pass bytes through unchanged (no CR added to LF).
void SetBinaryStdio();

// Writes a text for a person to read (a usage, an error message; code page
// 932 like every text of the program) to `stream` so that it reads right
// where it arrives. On Linux it is converted to UTF-8, the terminals' and
// logs' encoding. On Windows a console gets it through the wide console API,
// whatever the console's code page; a file or pipe gets the code page 932
// bytes unchanged, the encoding of the program's files and of a Japanese
// Windows. A byte that is no code page 932 character becomes U+FFFD on Linux.
// Data (listed lines, files) is never passed through here: it stays bytes.
void WriteMessage(std::FILE* stream, std::string_view text);

}  // namespace vorbel
