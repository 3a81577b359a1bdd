// The DXF exchange pipeline of a selection, stage by stage, with a wall
// clock around every stage; the floor it is compared with; the
// record-by-record walks the indexed update replaces.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/text_ents.h"

namespace vorbel::bench {

enum class TStage : size_t {
  Load,        // LoadLines
  MaxHandle,   // GetMaxHandle
  Parse,       // ParseTextEnts
  CopyEntity,  // CopyEntityByHandle of the last record's handle, "TEXT"
  CopyHead,    // CopyDxfHead
  CopyTail,    // CopyDxfTail
  TakeMemo,    // TakeMemoLines
  Apply,       // ApplyTextEnts
  Delete,      // DeleteMarkedEntities
  Save,        // SaveLines
};
constexpr size_t kStageCount = 10;

// The stage's column heading.
std::string_view StageName(size_t stage);

struct TStageTimes {
  std::array<double, kStageCount> Ms{};

  double& operator[](TStage stage) { return Ms[static_cast<size_t>(stage)]; }
  double TotalMs() const;
};

// The memo the update takes back: the records' texts, with every tenth line
// emptied so that every tenth record is deleted.
std::vector<std::string> EditedMemo(const TTextEnts& textEnts);

// The TEXT entities the update leaves of `textCount`.
int32_t RemainingTexts(int32_t textCount);

// Called after each stage, off the clock.
using TStageObserver = std::function<void(TStage)>;

// One pass of the pipeline over the selection export at `path`, writing the
// updated file to `outPath`. The memo is made between the stages, off the
// clock. Whatever does not come out as the export promises (record count,
// pattern entity, head and tail) is added to `problems`, one line each.
TStageTimes RunPipeline(const std::string& path, const std::string& outPath, int32_t textCount,
                        std::string& problems, const TStageObserver& afterStage = {});

// Adds a line to `problems` unless the updated file at `outPath` is complete
// and holds RemainingTexts(textCount) TEXT entities.
void CheckUpdatedFile(const std::string& outPath, int32_t textCount, std::string& problems);

// The floor: reads the file's bytes and writes the same bytes to `outPath`,
// without looking at them. Milliseconds.
double RunFloor(const std::string& path, const std::string& outPath);

struct TWalkTimes {
  double IndexedMs = 0;  // ApplyTextEnts + DeleteMarkedEntities
  double WalkMs = 0;     // ApplyTextEntsByWalk + DeleteMarkedEntitiesByWalk
  bool SameLines = false;
};

// Both updates on the same selection and memo, each on a fresh load; the
// fastest of `indexedRuns` and of `walkRuns` passes.
TWalkTimes RunWalkComparison(const std::string& path, int32_t indexedRuns, int32_t walkRuns);

}  // namespace vorbel::bench
