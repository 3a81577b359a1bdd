#include "machine_rates.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

namespace vorbel::bench {

namespace {

// Large enough that the allocator asks the system for fresh pages.
constexpr size_t kBlockBytes = size_t{64} << 20;
constexpr int kRounds = 3;

// The filled block escapes here, so the fills cannot be left out.
char* volatile gFilled = nullptr;

double FillMs(char* block, int value) {
  const auto start = std::chrono::steady_clock::now();
  std::memset(block, value, kBlockBytes);
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(stop - start).count();
}

}  // namespace

TMachineRates MeasureMachineRates() {
  // Only the first block is sure to be fresh: an allocator may keep the
  // pages of a freed one for the next.
  double firstMs = 0;
  double againMs = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    gFilled = block.get();
    const double first = FillMs(block.get(), 1 + round);
    const double again = FillMs(block.get(), 2 + round);
    if (round == 0) firstMs = first;
    againMs = round == 0 ? again : std::min(againMs, again);
    gFilled = nullptr;
  }
  const double megabytes = static_cast<double>(kBlockBytes) / 1e6;
  TMachineRates rates;
  rates.FirstTouchMsPerMb = firstMs / megabytes;
  rates.FillGbPerSecond = againMs > 0 ? megabytes / againMs : 0;
  return rates;
}

}  // namespace vorbel::bench
