// The process's command line and standard streams.
#pragma once

#include <string>
#include <vector>

namespace vorbel {

// The program's arguments (without the program name) as code page 932 bytes.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard output and error pass bytes through unchanged (no CR added to LF).
void SetBinaryStdio();

}  // namespace vorbel
