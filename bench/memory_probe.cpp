#include "memory_probe.h"

#ifdef __linux__
#include <sys/resource.h>

#include <fstream>
#include <string>
#include <string_view>
#endif

namespace vorbel::bench {

#ifdef __linux__

namespace {

// A "Name:   1234 kB" line of /proc/self/status, in bytes.
std::optional<uint64_t> StatusKilobytes(std::string_view name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != ':') continue;
    uint64_t kilobytes = 0;
    bool digits = false;
    for (size_t i = name.size() + 1; i < line.size(); ++i) {
      const char c = line[i];
      if (c >= '0' && c <= '9') {
        kilobytes = kilobytes * 10 + static_cast<uint64_t>(c - '0');
        digits = true;
      } else if (digits) {
        break;
      }
    }
    if (digits) return kilobytes * 1024;
  }
  return std::nullopt;
}

}  // namespace

std::optional<uint64_t> CurrentRssBytes() { return StatusKilobytes("VmRSS"); }

std::optional<uint64_t> PeakRssBytes() {
  // VmHWM belongs to this program image alone; ru_maxrss also remembers
  // the process before it was re-executed, so it only stands in.
  if (auto peak = StatusKilobytes("VmHWM")) return peak;
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0 || usage.ru_maxrss <= 0) return std::nullopt;
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;
}

#else

std::optional<uint64_t> CurrentRssBytes() { return std::nullopt; }
std::optional<uint64_t> PeakRssBytes() { return std::nullopt; }

#endif

}  // namespace vorbel::bench
