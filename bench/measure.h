// One size of the benchmark: the pipeline's runs on one generated selection
// export, its floor, its memory and the walk comparison, gathered in one
// result that crosses from the measuring child process to the report as
// text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pipeline.h"

namespace vorbel::bench {

struct TMeasureRequest {
  int32_t TextCount = 0;
  std::string Path;     // the selection export, generated beforehand
  std::string WorkDir;  // where the updated file and the floor's copy go
  int32_t Runs = 1;
  bool Walk = false;  // also time the record-by-record walks
};

struct TSizeResult {
  int32_t TextCount = 0;
  uint64_t FileBytes = 0;
  int32_t Runs = 0;
  TStageTimes Best;                        // each stage: the fastest of the runs
  double BestTotalMs = 0;                  // the fastest run, all stages
  double FirstTotalMs = 0;                 // the first run, all stages
  double FloorMs = 0;                      // the fastest floor pass
  std::optional<uint64_t> RssGrowthBytes;  // peak during the first run less the resident set before it
  std::optional<std::array<uint64_t, kStageCount>> RssGrowthAfter;  // the same, after each stage
  std::optional<TWalkTimes> Walk;
  std::string Problems;  // one line per failed check; empty when all passed
  bool Failed = false;   // no times: the measurement itself went wrong (see Problems)
};

// Runs the pipeline `Runs` times on the export. The first run comes first
// of all, so the memory it takes is what the pipeline alone takes in a
// fresh process.
TSizeResult MeasureSize(const TMeasureRequest& request);

// "key value" lines, and back. Unknown keys are passed over.
std::string ResultText(const TSizeResult& result);
TSizeResult ResultFromText(std::string_view text);

}  // namespace vorbel::bench
