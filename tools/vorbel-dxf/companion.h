// vorbel-dxf: the DXF exchange of the tool on files, without a CAD program.
#pragma once

#include <string>
#include <vector>

namespace vorbel {

// Exit status: 0 done, 1 error (message on `err`), 2 wrong usage.
int RunCompanion(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace vorbel
