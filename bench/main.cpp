// vorbel-bench: times the DXF exchange pipeline on generated AutoCAD-like
// selection exports of several sizes and prints a Markdown report.
//
// On Linux every size runs in two child processes of its own (this program
// again, with a hidden command): one writes the export, the next measures
// it, so that the peak resident set belongs to that size's pipeline alone.

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "child_process.h"
#include "machine_rates.h"
#include "measure.h"
#include "ordering_bench.h"
#include "platform/file_path.h"
#include "platform/process_io.h"
#include "report.h"
#include "selection_file.h"

namespace vorbel::bench {

namespace {

constexpr std::array<int32_t, 3> kDefaultSizes = {1000, 10000, 100000};
constexpr std::array<int32_t, 3> kDefaultOrderSizes = {1000, 25000, 100000};
constexpr int32_t kMaxTexts = 2000000;
constexpr int32_t kMaxRuns = 1000;
// Sizes up to kSmallSize get kSmallRuns runs, larger ones kLargeRuns.
constexpr int32_t kSmallSize = 10000;
constexpr int32_t kSmallRuns = 7;
constexpr int32_t kLargeRuns = 3;
// The walks are quadratic: above this many texts they would take minutes.
constexpr int32_t kDefaultWalkMax = 10000;
// The step-by-step ordering is quadratic too: 25,000 texts take about a second.
constexpr int32_t kDefaultOrderFallbackMax = 25000;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The hidden commands the children run.
constexpr std::string_view kGenerateCommand = "--generate-file";
constexpr std::string_view kMeasureCommand = "--measure-file";

const char* const kUsageText =
    "usage: vorbel-bench [--sizes N[,N...]] [--runs N] [--walk-max N] [--dir DIR] [--keep]\n"
    "                    [--warm-memory] [--order-sizes N[,N...]] [--order-fallback-max N]\n"
    "                    [--ordering-only]\n"
    "\n"
    "Times the DXF exchange pipeline on generated selection exports with N TEXT\n"
    "entities each, and the coordinate ordering of the records, and prints a\n"
    "Markdown report on standard output.\n"
    "\n"
    "  --sizes N,...  numbers of TEXT entities (default 1000,10000,100000)\n"
    "  --runs N       runs per size, the fastest counts (default 7 up to 10000\n"
    "                 texts, 3 above)\n"
    "  --walk-max N   largest size that also times the record-by-record walks\n"
    "                 (default 10000; 0 for none)\n"
    "  --dir DIR      where the generated files go (default: a new folder in the\n"
    "                 system's temporary folder, removed afterwards)\n"
    "  --keep         keep the generated selection exports\n"
    "  --warm-memory  (Linux, glibc) the measuring processes keep freed memory,\n"
    "                 so the fastest run leaves out the system's cost of fresh\n"
    "                 pages; no peak memory then\n"
    "  --order-sizes N,...  numbers of texts the coordinate ordering is timed on\n"
    "                 (default 1000,25000,100000)\n"
    "  --order-fallback-max N  largest size that also times a layout the\n"
    "                 ordering sorts step by step (default 25000; 0 for none)\n"
    "  --ordering-only  only the coordinate ordering, no pipeline\n";

struct TOptions {
  std::vector<int32_t> sizes;
  std::optional<int32_t> runs;
  int32_t walkMax = kDefaultWalkMax;
  std::string dir;
  bool keep = false;
  bool warmMemory = false;
  std::vector<int32_t> orderSizes;
  int32_t orderFallbackMax = kDefaultOrderFallbackMax;
  bool orderingOnly = false;
};

std::optional<int32_t> ParseCount(std::string_view text, int32_t min, int32_t max) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::optional<std::vector<int32_t>> ParseSizes(std::string_view text) {
  std::vector<int32_t> sizes;
  while (true) {
    const size_t comma = text.find(',');
    const auto size = ParseCount(text.substr(0, comma), 1, kMaxTexts);
    if (!size) return std::nullopt;
    sizes.push_back(*size);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return sizes;
}

std::optional<TOptions> ParseOptions(const std::vector<std::string>& args) {
  TOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--keep") {
      options.keep = true;
    } else if (arg == "--warm-memory") {
      options.warmMemory = true;
    } else if (arg == "--ordering-only") {
      options.orderingOnly = true;
    } else if (arg == "--order-sizes" && hasValue) {
      const auto sizes = ParseSizes(args[++i]);
      if (!sizes) return std::nullopt;
      options.orderSizes = *sizes;
    } else if (arg == "--order-fallback-max" && hasValue) {
      const auto fallbackMax = ParseCount(args[++i], 0, kMaxTexts);
      if (!fallbackMax) return std::nullopt;
      options.orderFallbackMax = *fallbackMax;
    } else if (arg == "--sizes" && hasValue) {
      const auto sizes = ParseSizes(args[++i]);
      if (!sizes) return std::nullopt;
      options.sizes = *sizes;
    } else if (arg == "--runs" && hasValue) {
      options.runs = ParseCount(args[++i], 1, kMaxRuns);
      if (!options.runs) return std::nullopt;
    } else if (arg == "--walk-max" && hasValue) {
      const auto walkMax = ParseCount(args[++i], 0, kMaxTexts);
      if (!walkMax) return std::nullopt;
      options.walkMax = *walkMax;
    } else if (arg == "--dir" && hasValue) {
      options.dir = args[++i];
    } else {
      return std::nullopt;
    }
  }
  if (options.sizes.empty()) options.sizes.assign(kDefaultSizes.begin(), kDefaultSizes.end());
  if (options.orderSizes.empty()) {
    options.orderSizes.assign(kDefaultOrderSizes.begin(), kDefaultOrderSizes.end());
  }
  return options;
}

void Progress(const std::string& text) {
  std::fputs(("vorbel-bench: " + text + "\n").c_str(), stderr);
  std::fflush(stderr);
}

std::string InDir(const std::string& dir, const std::string& name) {
  return PathText(FilePath(dir) / FilePath(name));
}

// The folder the generated files go to; removed at the end when the
// benchmark made it and nothing is to be kept.
class TWorkDir {
 public:
  TWorkDir(const std::string& dir, bool keep) : keep_(keep) {
    std::filesystem::path path;
    if (dir.empty()) {
      const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
      path = std::filesystem::temp_directory_path() / ("vorbel-bench-" + std::to_string(ticks));
    } else {
      path = FilePath(dir);
    }
    std::error_code error;
    made_ = std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path)) {
      throw std::runtime_error("cannot create the folder " + PathText(path));
    }
    path_ = PathText(path);
  }
  TWorkDir(const TWorkDir&) = delete;
  TWorkDir& operator=(const TWorkDir&) = delete;
  ~TWorkDir() {
    if (!made_ || keep_) return;
    std::error_code error;
    std::filesystem::remove_all(FilePath(path_), error);
  }

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool keep_;
  bool made_ = false;
};

TSizeResult FailedResult(int32_t textCount, const std::string& why) {
  TSizeResult result;
  result.TextCount = textCount;
  result.Failed = true;
  result.Problems = why;
  return result;
}

#ifdef __linux__

// glibc keeps every freed block in the process and never maps large blocks
// on their own.
constexpr const char* kWarmMemoryTunables =
    "glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=1099511627776";

bool SetWarmMemory() { return ::setenv("GLIBC_TUNABLES", kWarmMemoryTunables, 1) == 0; }

void GenerateSelection(int32_t textCount, const std::string& path) {
  std::string ignored;
  const int status = RunSelf({std::string(kGenerateCommand), std::to_string(textCount), path}, ignored);
  if (status != 0) {
    throw std::runtime_error("generating " + std::to_string(textCount) + " texts failed (exit status " +
                             std::to_string(status) + ")");
  }
}

TSizeResult Measure(const TMeasureRequest& request) {
  std::string out;
  const int status = RunSelf({std::string(kMeasureCommand), std::to_string(request.TextCount), request.Path,
                              request.WorkDir, std::to_string(request.Runs), request.Walk ? "1" : "0"},
                             out);
  if (status != 0) {
    return FailedResult(request.TextCount,
                        "the measuring process ended with exit status " + std::to_string(status));
  }
  TSizeResult result = ResultFromText(out);
  if (result.TextCount != request.TextCount) {
    return FailedResult(request.TextCount, "the measuring process reported nothing");
  }
  return result;
}

#else

bool SetWarmMemory() { return false; }

void GenerateSelection(int32_t textCount, const std::string& path) { WriteSelectionFile(path, textCount); }

TSizeResult Measure(const TMeasureRequest& request) {
  try {
    return MeasureSize(request);
  } catch (const std::exception& error) {
    return FailedResult(request.TextCount, error.what());
  }
}

#endif

std::string OrderingSection(const TOptions& options) {
  TOrderingRequest request;
  request.Sizes = options.orderSizes;
  request.FallbackMax = options.orderFallbackMax;
  return OrderingReport(request, Progress);
}

int RunBenchmark(const TOptions& options) {
  if (options.orderingOnly) {
    const std::string report = OrderingSection(options);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return kExitOk;
  }
  const TWorkDir work(options.dir, options.keep);
  TReportContext context;
  context.Machine = MeasureMachineRates();
  if (options.warmMemory) {
    context.WarmMemory = SetWarmMemory();
    if (!context.WarmMemory) Progress("--warm-memory works with glibc on Linux only; ignored");
  }
  std::vector<TSizeResult> results;
  for (const int32_t textCount : options.sizes) {
    const std::string path = InDir(work.Path(), "selection-" + std::to_string(textCount) + ".dxf");
    Progress("generating " + std::to_string(textCount) + " texts in " + path);
    GenerateSelection(textCount, path);

    TMeasureRequest request;
    request.TextCount = textCount;
    request.Path = path;
    request.WorkDir = work.Path();
    request.Runs = options.runs.value_or(textCount <= kSmallSize ? kSmallRuns : kLargeRuns);
    request.Walk = textCount <= options.walkMax;
    Progress("measuring " + std::to_string(textCount) + " texts, " + std::to_string(request.Runs) + " runs" +
             (request.Walk ? " and the walks" : ""));
    results.push_back(Measure(request));
    if (!options.keep) {
      std::error_code error;
      std::filesystem::remove(FilePath(path), error);
    }
  }
  const std::string report = MarkdownReport(results, context) + OrderingSection(options);
  std::fwrite(report.data(), 1, report.size(), stdout);
  for (const TSizeResult& result : results) {
    if (result.Failed) return kExitFailed;
  }
  return kExitOk;
}

// The children's commands: "--generate-file N PATH" and
// "--measure-file N PATH WORKDIR RUNS WALK".
std::optional<int> RunHiddenCommand(const std::vector<std::string>& args) {
  if (args.size() == 3 && args[0] == kGenerateCommand) {
    const auto textCount = ParseCount(args[1], 0, kMaxTexts);
    if (!textCount) return kExitUsage;
    WriteSelectionFile(args[2], *textCount);
    return kExitOk;
  }
  if (args.size() == 6 && args[0] == kMeasureCommand) {
    const auto textCount = ParseCount(args[1], 1, kMaxTexts);
    const auto runs = ParseCount(args[4], 1, kMaxRuns);
    if (!textCount || !runs) return kExitUsage;
    TMeasureRequest request;
    request.TextCount = *textCount;
    request.Path = args[2];
    request.WorkDir = args[3];
    request.Runs = *runs;
    request.Walk = args[5] == "1";
    const std::string text = ResultText(MeasureSize(request));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitOk;
  }
  return std::nullopt;
}

int Main(const std::vector<std::string>& args) {
  if (const auto status = RunHiddenCommand(args)) return *status;
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsageText, stdout);
    return kExitOk;
  }
  const auto options = ParseOptions(args);
  if (!options) {
    std::fputs(kUsageText, stderr);
    return kExitUsage;
  }
  return RunBenchmark(*options);
}

}  // namespace

}  // namespace vorbel::bench

int main(int argc, char** argv) {
  try {
    return vorbel::bench::Main(vorbel::ProgramArguments(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vorbel-bench: %s\n", error.what());
    return 1;
  }
}
