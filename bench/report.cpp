#include "report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "joined.h"

namespace vorbel::bench {

namespace {

constexpr int32_t kTargetTexts = 100000;
constexpr double kTargetTotalMs = 1000;
constexpr double kTenfoldStepLimit = 12;
constexpr double kFloorLimit = 5;
constexpr double kMemoryLimit = 4;

std::string Fixed(double value, int decimals) {
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  return std::string(buffer.data(), result.ptr);
}

// Three significant digits or whole milliseconds.
std::string Ms(double ms) {
  if (ms < 1) return Fixed(ms, 3);
  if (ms < 10) return Fixed(ms, 2);
  if (ms < 100) return Fixed(ms, 1);
  return Fixed(ms, 0);
}

std::string Mb(uint64_t bytes) { return Fixed(static_cast<double>(bytes) / 1e6, 2); }

std::string Times(double factor) { return Joined({Fixed(factor, factor < 10 ? 2 : 1), "x"}); }

std::string Count(int64_t value) {
  const std::string digits = std::to_string(value < 0 ? -value : value);
  std::string text = value < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string Verdict(std::optional<bool> met) {
  if (!met) return "[not measured]";
  return *met ? "[met]" : "[MISSED]";
}

std::optional<double> MemoryRatio(const TSizeResult& r) {
  if (!r.RssGrowthBytes || r.FileBytes == 0) return std::nullopt;
  return static_cast<double>(*r.RssGrowthBytes) / static_cast<double>(r.FileBytes);
}

double FloorRatio(const TSizeResult& r) { return r.FloorMs > 0 ? r.BestTotalMs / r.FloorMs : 0; }

// What a step from `from` to `to` texts may cost: 12 times per tenfold,
// scaled to the step's own size ratio.
double AllowedGrowth(int32_t from, int32_t to) {
  const double sizeRatio = static_cast<double>(to) / static_cast<double>(from);
  return std::pow(kTenfoldStepLimit, std::log10(sizeRatio));
}

void AppendRow(std::string& out, const std::vector<std::string>& cells) {
  out += '|';
  for (const std::string& cell : cells) out += Joined({" ", cell, " |"});
  out += '\n';
}

void AppendHeading(std::string& out, const std::vector<std::string>& cells) {
  AppendRow(out, cells);
  out += '|';
  for (size_t i = 0; i < cells.size(); ++i) out += "---:|";
  out += '\n';
}

void AppendStageTable(std::string& out, const std::vector<TSizeResult>& results) {
  std::vector<std::string> heading = {"texts", "file MB", "runs"};
  for (size_t stage = 0; stage < kStageCount; ++stage) heading.emplace_back(StageName(stage));
  const std::vector<std::string> tailHeading = {"total",       "1st run",     "floor",
                                                "total/floor", "peak RSS MB", "RSS/file"};
  heading.insert(heading.end(), tailHeading.begin(), tailHeading.end());
  AppendHeading(out, heading);
  for (const TSizeResult& r : results) {
    std::vector<std::string> cells = {Count(r.TextCount), Mb(r.FileBytes)};
    if (r.Failed) {
      cells.emplace_back("failed");
      cells.resize(heading.size(), "-");
      AppendRow(out, cells);
      continue;
    }
    cells.push_back(std::to_string(r.Runs));
    for (double ms : r.Best.Ms) cells.push_back(Ms(ms));
    cells.push_back(Joined({"**", Ms(r.BestTotalMs), "**"}));
    cells.push_back(Ms(r.FirstTotalMs));
    cells.push_back(Ms(r.FloorMs));
    cells.push_back(Times(FloorRatio(r)));
    const auto ratio = MemoryRatio(r);
    cells.push_back(r.RssGrowthBytes ? Mb(*r.RssGrowthBytes) : "n/a");
    cells.push_back(ratio ? Times(*ratio) : "n/a");
    AppendRow(out, cells);
  }
}

// Where the first run's memory went: the high-water mark after each stage.
void AppendMemoryTable(std::string& out, const std::vector<TSizeResult>& results) {
  bool any = false;
  for (const TSizeResult& r : results) any = any || r.RssGrowthAfter.has_value();
  if (!any) return;
  out += "\nPeak RSS growth after each stage of the first run, MB (bold: the stage that set the peak):\n\n";
  std::vector<std::string> heading = {"texts", "file MB"};
  for (size_t stage = 0; stage < kStageCount; ++stage) heading.emplace_back(StageName(stage));
  AppendHeading(out, heading);
  for (const TSizeResult& r : results) {
    if (!r.RssGrowthAfter) continue;
    const auto& after = *r.RssGrowthAfter;
    std::vector<std::string> cells = {Count(r.TextCount), Mb(r.FileBytes)};
    bool peakMarked = false;
    for (size_t stage = 0; stage < kStageCount; ++stage) {
      const bool isPeak = !peakMarked && after[stage] == after[kStageCount - 1] && after[stage] > 0;
      peakMarked = peakMarked || isPeak;
      cells.push_back(isPeak ? Joined({"**", Mb(after[stage]), "**"}) : Mb(after[stage]));
    }
    AppendRow(out, cells);
  }
}

// The total's growth between consecutive sizes; whether every step kept to
// the limit (nullopt: fewer than two sizes).
std::optional<bool> AppendGrowthTable(std::string& out, const std::vector<TSizeResult>& results) {
  std::optional<bool> allMet;
  std::string table;
  AppendHeading(table, {"step", "size ratio", "total ratio", "allowed", ""});
  for (size_t i = 1; i < results.size(); ++i) {
    const TSizeResult& a = results[i - 1];
    const TSizeResult& b = results[i];
    if (a.Failed || b.Failed || a.BestTotalMs <= 0 || a.TextCount <= 0) continue;
    const double sizeRatio = static_cast<double>(b.TextCount) / static_cast<double>(a.TextCount);
    const double growth = b.BestTotalMs / a.BestTotalMs;
    const double allowed = AllowedGrowth(a.TextCount, b.TextCount);
    const bool met = growth <= allowed;
    allMet = allMet.value_or(true) && met;
    AppendRow(table, {Joined({Count(a.TextCount), " -> ", Count(b.TextCount)}), Times(sizeRatio),
                      Joined({"**", Times(growth), "**"}), Times(allowed), met ? "ok" : "MISSED"});
  }
  if (allMet) {
    out += "\nGrowth of the total between consecutive sizes (allowed: 12x per tenfold step, ";
    out += "scaled as 12^log10(size ratio)):\n\n";
    out += table;
  }
  return allMet;
}

void AppendWalkTable(std::string& out, const std::vector<TSizeResult>& results) {
  std::vector<const TSizeResult*> walked;
  for (const TSizeResult& r : results) {
    if (r.Walk) walked.push_back(&r);
  }
  if (walked.empty()) return;
  out += "\nThe record-by-record walks (ApplyTextEntsByWalk + DeleteMarkedEntitiesByWalk) against the ";
  out += "indexed update (ApplyTextEnts + DeleteMarkedEntities), on the same selection and memo:\n\n";
  AppendHeading(out, {"texts", "indexed ms", "walks ms", "walks/indexed", "same lines"});
  for (const TSizeResult* r : walked) {
    const TWalkTimes& w = *r->Walk;
    AppendRow(out, {Count(r->TextCount), Ms(w.IndexedMs), Ms(w.WalkMs),
                    w.IndexedMs > 0 ? Times(w.WalkMs / w.IndexedMs) : "-", w.SameLines ? "yes" : "NO"});
  }
  for (size_t i = 1; i < walked.size(); ++i) {
    const TSizeResult& a = *walked[i - 1];
    const TSizeResult& b = *walked[i];
    if (a.Walk->WalkMs <= 0 || a.Walk->IndexedMs <= 0) continue;
    out += Joined({"\nFrom ", Count(a.TextCount), " to ", Count(b.TextCount), " texts the walks grow ",
                   Times(b.Walk->WalkMs / a.Walk->WalkMs), ", the indexed update ",
                   Times(b.Walk->IndexedMs / a.Walk->IndexedMs), ".\n"});
  }
}

void AppendTargets(std::string& out, const std::vector<TSizeResult>& results, std::optional<bool> growthMet) {
  out += "\n### Targets\n\n";

  const auto target = std::find_if(results.begin(), results.end(), [](const TSizeResult& r) {
    return r.TextCount == kTargetTexts && !r.Failed;
  });
  const bool measured = target != results.end();
  out += Joined({"- ",
                 Verdict(measured ? std::optional<bool>(target->BestTotalMs < kTargetTotalMs) : std::nullopt),
                 " ", Count(kTargetTexts), " texts through the whole pipeline under 1 s"});
  if (measured) {
    out += Joined({": ", Ms(target->BestTotalMs), " ms (first run ", Ms(target->FirstTotalMs), " ms)"});
  }
  out += ".\n";

  out += Joined({"- ", Verdict(growthMet), " each tenfold step costs at most 12 times (table above).\n"});

  std::optional<bool> floorMet;
  std::string floorList;
  std::optional<bool> memoryMet;
  std::string memoryList;
  for (const TSizeResult& r : results) {
    if (r.Failed) continue;
    const double floorRatio = FloorRatio(r);
    floorMet = floorMet.value_or(true) && floorRatio <= kFloorLimit;
    floorList += Joined({floorList.empty() ? "" : ", ", Count(r.TextCount), ": ", Times(floorRatio)});
    if (const auto ratio = MemoryRatio(r)) {
      memoryMet = memoryMet.value_or(true) && *ratio <= kMemoryLimit;
      memoryList += Joined({memoryList.empty() ? "" : ", ", Count(r.TextCount), ": ", Times(*ratio)});
    }
  }
  out += Joined({"- ", Verdict(floorMet), " stretch: the whole pipeline within 5 times the floor"});
  out += floorList.empty() ? ".\n" : Joined({" (", floorList, ").\n"});
  out += Joined({"- ", Verdict(memoryMet), " peak memory at most 4 times the file size"});
  out += memoryList.empty() ? " (memory is measured on Linux only).\n" : Joined({" (", memoryList, ").\n"});
}

void AppendProblems(std::string& out, const std::vector<TSizeResult>& results) {
  std::string lines;
  for (const TSizeResult& r : results) {
    if (r.Walk && !r.Walk->SameLines) {
      lines += Joined(
          {"- ", Count(r.TextCount), " texts: the walks and the indexed update wrote different lines\n"});
    }
    size_t start = 0;
    while (start < r.Problems.size()) {
      size_t end = r.Problems.find('\n', start);
      if (end == std::string::npos) end = r.Problems.size();
      lines += Joined({"- ", Count(r.TextCount),
                       " texts: ", std::string_view(r.Problems).substr(start, end - start), "\n"});
      start = end + 1;
    }
  }
  if (!lines.empty()) out += Joined({"\n### Problems\n\n", lines});
}

}  // namespace

std::string MarkdownReport(std::vector<TSizeResult> results, const TReportContext& context) {
  std::sort(results.begin(), results.end(),
            [](const TSizeResult& a, const TSizeResult& b) { return a.TextCount < b.TextCount; });
  std::string out = "## DXF exchange pipeline\n\n";
  out += "AutoCAD-like release 2000 selection exports with one LINE, INSERT or MTEXT per three TEXT ";
  out += "entities; the memo empties every tenth text. Times in ms (wall clock); each stage is the ";
  out += "fastest of the runs, total the fastest run and 1st run the first one, both summed over all ";
  out += "stages. Floor: reading the file's bytes and writing them to another file. Peak RSS: growth ";
  out += "of the resident set during the first run in a fresh process; MB = 10^6 bytes.\n\n";
  out += Joined({"This machine: touching fresh memory costs ", Fixed(context.Machine.FirstTouchMsPerMb, 2),
                 " ms per MB (page faults); filling memory already touched runs at ",
                 Fixed(context.Machine.FillGbPerSecond, 1), " GB/s.\n\n"});
  if (context.WarmMemory) {
    out += "Warm memory (--warm-memory): the measuring processes kept all freed memory, so runs after ";
    out += "the first reuse pages already touched and the fastest run shows the code's own cost; peak ";
    out += "RSS is not reported in this mode.\n\n";
    for (TSizeResult& r : results) {
      r.RssGrowthBytes.reset();
      r.RssGrowthAfter.reset();
    }
  }
  AppendStageTable(out, results);
  AppendMemoryTable(out, results);
  const std::optional<bool> growthMet = AppendGrowthTable(out, results);
  AppendWalkTable(out, results);
  AppendTargets(out, results, growthMet);
  AppendProblems(out, results);
  return out;
}

}  // namespace vorbel::bench
