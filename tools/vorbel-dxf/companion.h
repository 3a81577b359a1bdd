// vorbel-dxf: the DXF exchange of the tool on files, without a CAD program.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vorbel {

// Runs the companion on its arguments (code page 932). The listed lines go to
// `out` as the bytes they are; texts for a person go through WriteMessage:
// the usage of --help or -h and the version of --version to `out`, an error
// message or, after wrong usage, the usage to `err`.
// Exit status: 0 done, 1 error, 2 wrong usage.
int RunCompanion(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace vorbel
