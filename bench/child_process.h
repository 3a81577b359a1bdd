// Running this program again as a child process, so that every size is
// measured in a fresh process of its own. Linux only: elsewhere the sizes
// run in the one process and no memory is reported.
#pragma once

#include <string>
#include <vector>

namespace vorbel::bench {

#ifdef __linux__
// Re-executes /proc/self/exe with `args`, collects its standard output in
// `out` (standard error passes through) and returns its exit status; a
// child ended by a signal gives 128 plus the signal's number. Throws
// std::runtime_error when the child cannot be started.
int RunSelf(const std::vector<std::string>& args, std::string& out);
#endif

}  // namespace vorbel::bench
