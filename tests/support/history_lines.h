// The lines of a text whose every line ends with CR LF, as the stand-in CAD
// answers its history.
#pragma once

#include <string>
#include <vector>

namespace vorbel::test {

inline std::vector<std::string> HistoryLines(const std::string& history) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < history.size();) {
    const size_t end = history.find("\r\n", start);
    lines.push_back(history.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

}  // namespace vorbel::test
