// The benchmark's Markdown report: the table of sizes and stages, the
// growth between sizes, the walk comparison and the targets.
#pragma once

#include <string>
#include <vector>

#include "machine_rates.h"
#include "measure.h"

namespace vorbel::bench {

struct TReportContext {
  TMachineRates Machine;
  bool WarmMemory = false;  // the children kept freed memory (--warm-memory)
};

// `results` in any order; the report sorts them by size.
std::string MarkdownReport(std::vector<TSizeResult> results, const TReportContext& context);

}  // namespace vorbel::bench
