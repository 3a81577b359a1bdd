#include "measure.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "memory_probe.h"
#include "platform/file_path.h"

namespace vorbel::bench {

namespace {

// Above this many texts the walks run once: a pass takes seconds.
constexpr int32_t kWalkRepeatLimit = 1000;

std::string InDir(const std::string& dir, const std::string& name) {
  return PathText(FilePath(dir) / FilePath(name));
}

std::string NumberText(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

uint64_t GrowthOver(uint64_t value, uint64_t base) { return value > base ? value - base : 0; }

template <typename TNumber>
TNumber NumberFrom(std::string_view text) {
  TNumber value{};
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

TSizeResult MeasureSize(const TMeasureRequest& request) {
  const std::string count = std::to_string(request.TextCount);
  const std::string outPath = InDir(request.WorkDir, "updated-" + count + ".dxf");
  const std::string floorPath = InDir(request.WorkDir, "floor-" + count + ".dxf");

  TSizeResult result;
  result.TextCount = request.TextCount;
  result.FileBytes = static_cast<uint64_t>(std::filesystem::file_size(FilePath(request.Path)));
  result.Runs = std::max(request.Runs, 1);

  const auto rssBefore = CurrentRssBytes();
  std::array<uint64_t, kStageCount> peakAfter{};
  bool peaksKnown = rssBefore.has_value();
  const TStageObserver notePeak = [&](TStage stage) {
    const auto peak = PeakRssBytes();
    peaksKnown = peaksKnown && peak.has_value();
    peakAfter[static_cast<size_t>(stage)] = peak.value_or(0);
  };
  const TStageTimes first = RunPipeline(request.Path, outPath, request.TextCount, result.Problems, notePeak);
  const auto rssPeak = PeakRssBytes();
  if (rssBefore && rssPeak) result.RssGrowthBytes = GrowthOver(*rssPeak, *rssBefore);
  if (peaksKnown) {
    std::array<uint64_t, kStageCount> growth{};
    for (size_t stage = 0; stage < kStageCount; ++stage) {
      growth[stage] = GrowthOver(peakAfter[stage], *rssBefore);
    }
    result.RssGrowthAfter = growth;
  }
  CheckUpdatedFile(outPath, request.TextCount, result.Problems);

  result.Best = first;
  result.FirstTotalMs = first.TotalMs();
  result.BestTotalMs = result.FirstTotalMs;
  for (int32_t run = 1; run < result.Runs; ++run) {
    std::string checkedInTheFirstRun;
    const TStageTimes times = RunPipeline(request.Path, outPath, request.TextCount, checkedInTheFirstRun);
    for (size_t stage = 0; stage < kStageCount; ++stage) {
      result.Best.Ms[stage] = std::min(result.Best.Ms[stage], times.Ms[stage]);
    }
    result.BestTotalMs = std::min(result.BestTotalMs, times.TotalMs());
  }

  for (int32_t run = 0; run < result.Runs; ++run) {
    const double floorMs = RunFloor(request.Path, floorPath);
    result.FloorMs = run == 0 ? floorMs : std::min(result.FloorMs, floorMs);
  }

  if (request.Walk) {
    const int32_t walkRuns = request.TextCount <= kWalkRepeatLimit ? result.Runs : 1;
    result.Walk = RunWalkComparison(request.Path, result.Runs, walkRuns);
  }

  std::error_code error;
  std::filesystem::remove(FilePath(outPath), error);
  std::filesystem::remove(FilePath(floorPath), error);
  return result;
}

std::string ResultText(const TSizeResult& result) {
  std::string text;
  const auto put = [&text](std::string_view key, const std::string& value) {
    text.append(key);
    text += ' ';
    text += value;
    text += '\n';
  };
  put("texts", std::to_string(result.TextCount));
  put("file_bytes", std::to_string(result.FileBytes));
  put("runs", std::to_string(result.Runs));
  for (size_t stage = 0; stage < kStageCount; ++stage) {
    put("stage_" + std::to_string(stage), NumberText(result.Best.Ms[stage]));
  }
  put("best_total", NumberText(result.BestTotalMs));
  put("first_total", NumberText(result.FirstTotalMs));
  put("floor", NumberText(result.FloorMs));
  if (result.RssGrowthBytes) put("rss_growth", std::to_string(*result.RssGrowthBytes));
  if (result.RssGrowthAfter) {
    for (size_t stage = 0; stage < kStageCount; ++stage) {
      put("rss_after_" + std::to_string(stage), std::to_string((*result.RssGrowthAfter)[stage]));
    }
  }
  if (result.Walk) {
    put("walk_indexed", NumberText(result.Walk->IndexedMs));
    put("walk_walk", NumberText(result.Walk->WalkMs));
    put("walk_same", result.Walk->SameLines ? "1" : "0");
  }
  size_t start = 0;
  while (start < result.Problems.size()) {
    size_t end = result.Problems.find('\n', start);
    if (end == std::string::npos) end = result.Problems.size();
    put("problem", result.Problems.substr(start, end - start));
    start = end + 1;
  }
  if (result.Failed) put("failed", "1");
  return text;
}

TSizeResult ResultFromText(std::string_view text) {
  TSizeResult result;
  TWalkTimes walk;
  bool haveWalk = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, space);
    const std::string_view value = line.substr(space + 1);
    if (key == "texts") {
      result.TextCount = NumberFrom<int32_t>(value);
    } else if (key == "file_bytes") {
      result.FileBytes = NumberFrom<uint64_t>(value);
    } else if (key == "runs") {
      result.Runs = NumberFrom<int32_t>(value);
    } else if (key.starts_with("stage_")) {
      const size_t stage = NumberFrom<size_t>(key.substr(6));
      if (stage < kStageCount) result.Best.Ms[stage] = NumberFrom<double>(value);
    } else if (key == "best_total") {
      result.BestTotalMs = NumberFrom<double>(value);
    } else if (key == "first_total") {
      result.FirstTotalMs = NumberFrom<double>(value);
    } else if (key == "floor") {
      result.FloorMs = NumberFrom<double>(value);
    } else if (key == "rss_growth") {
      result.RssGrowthBytes = NumberFrom<uint64_t>(value);
    } else if (key.starts_with("rss_after_")) {
      const size_t stage = NumberFrom<size_t>(key.substr(10));
      if (!result.RssGrowthAfter) result.RssGrowthAfter.emplace();
      if (stage < kStageCount) (*result.RssGrowthAfter)[stage] = NumberFrom<uint64_t>(value);
    } else if (key == "walk_indexed") {
      walk.IndexedMs = NumberFrom<double>(value);
      haveWalk = true;
    } else if (key == "walk_walk") {
      walk.WalkMs = NumberFrom<double>(value);
    } else if (key == "walk_same") {
      walk.SameLines = value == "1";
    } else if (key == "problem") {
      if (!result.Problems.empty()) result.Problems += '\n';
      result.Problems.append(value);
    } else if (key == "failed") {
      result.Failed = value == "1";
    }
  }
  if (haveWalk) result.Walk = walk;
  return result;
}

}  // namespace vorbel::bench
