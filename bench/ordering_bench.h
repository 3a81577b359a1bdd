// The coordinate ordering of a selection's records (SortByCoords) on
// generated layouts of several sizes, as a Markdown section of the report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorbel::bench {

struct TOrderingRequest {
  std::vector<int32_t> Sizes;
  // Largest size that also times a layout the ordering has to sort step by
  // step (quadratic); 0 for none.
  int32_t FallbackMax = 0;
};

// Times SortByCoords on every layout and size (fastest of several runs; the
// step-by-step layout once) and returns the report's section. `progress`
// receives a line per layout.
std::string OrderingReport(const TOrderingRequest& request,
                           const std::function<void(const std::string&)>& progress);

}  // namespace vorbel::bench
