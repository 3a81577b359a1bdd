// The process's resident memory as the system reports it. Known on Linux
// only; elsewhere every probe answers nullopt.
#pragma once

#include <cstdint>
#include <optional>

namespace vorbel::bench {

// The resident set now, in bytes.
std::optional<uint64_t> CurrentRssBytes();

// The largest resident set of the process so far, in bytes.
std::optional<uint64_t> PeakRssBytes();

}  // namespace vorbel::bench
