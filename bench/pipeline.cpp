#include "pipeline.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "base/files.h"
#include "base/line_list.h"
#include "cp932/cp932.h"
#include "dxf/dxf_slices.h"
#include "dxf/rewrite.h"
#include "dxf/rewrite_walk.h"
#include "platform/file_path.h"

namespace vorbel::bench {

namespace {

template <typename TAction>
double TimeMs(TAction&& action) {
  const auto start = std::chrono::steady_clock::now();
  std::forward<TAction>(action)();
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(stop - start).count();
}

void AddProblem(std::string& problems, const std::string& problem) {
  if (!problems.empty()) problems += '\n';
  problems += problem;
}

std::string Trimmed(const TLineList& lines, size_t i) {
  return i < lines.size() ? std::string(TrimBlanks(lines[i])) : std::string("(none)");
}

// A selection loaded and given the edited memo, ready for the update.
struct TPrepared {
  TLineList dxfLines;
  TTextEnts textEnts;
};

TPrepared Prepare(const std::string& path) {
  TPrepared prepared;
  prepared.dxfLines = LoadLines(path);
  ParseTextEnts(prepared.dxfLines, prepared.textEnts);
  TakeMemoLines(EditedMemo(prepared.textEnts), prepared.textEnts);
  return prepared;
}

}  // namespace

std::string_view StageName(size_t stage) {
  static constexpr std::array<std::string_view, kStageCount> kNames = {
      "load",      "max handle", "parse", "copy entity", "copy head",
      "copy tail", "memo",       "apply", "delete",      "save"};
  return stage < kNames.size() ? kNames[stage] : std::string_view("?");
}

double TStageTimes::TotalMs() const {
  double total = 0;
  for (double ms : Ms) total += ms;
  return total;
}

std::vector<std::string> EditedMemo(const TTextEnts& textEnts) {
  std::vector<std::string> memo;
  memo.reserve(textEnts.size());
  for (size_t i = 0; i < textEnts.size(); ++i) {
    memo.push_back((i + 1) % 10 == 0 ? std::string() : textEnts[i].Text);
  }
  return memo;
}

int32_t RemainingTexts(int32_t textCount) { return textCount - textCount / 10; }

TStageTimes RunPipeline(const std::string& path, const std::string& outPath, int32_t textCount,
                        std::string& problems, const TStageObserver& afterStage) {
  TStageTimes times;
  TLineList dxfLines;
  TTextEnts textEnts;
  TLineList pattern;
  TLineList head;
  TLineList tail;
  std::vector<std::string> memo;
  int32_t maxHandle = 0;
  int32_t records = 0;
  const auto timed = [&](TStage stage, auto&& action) {
    times[stage] = TimeMs(action);
    if (afterStage) afterStage(stage);
  };

  timed(TStage::Load, [&] { dxfLines = LoadLines(path); });
  timed(TStage::MaxHandle, [&] { maxHandle = GetMaxHandle(dxfLines); });
  timed(TStage::Parse, [&] { records = ParseTextEnts(dxfLines, textEnts); });
  if (textEnts.empty()) throw std::runtime_error(path + ": no TEXT entity in the entities section");
  timed(TStage::CopyEntity, [&] { CopyEntityByHandle("TEXT", textEnts.back().Handle, dxfLines, pattern); });
  timed(TStage::CopyHead, [&] { CopyDxfHead(dxfLines, head); });
  timed(TStage::CopyTail, [&] { CopyDxfTail(dxfLines, tail); });

  memo = EditedMemo(textEnts);
  timed(TStage::TakeMemo, [&] { TakeMemoLines(memo, textEnts); });
  timed(TStage::Apply, [&] { ApplyTextEnts(textEnts, dxfLines); });
  timed(TStage::Delete, [&] { DeleteMarkedEntities(textEnts, dxfLines); });
  timed(TStage::Save, [&] { SaveLines(outPath, dxfLines); });

  if (records != textCount) {
    AddProblem(problems,
               "parsed " + std::to_string(records) + " TEXT entities, expected " + std::to_string(textCount));
  }
  if (maxHandle <= 0) AddProblem(problems, "no handle found");
  if (Trimmed(pattern, 1) != "TEXT") {
    AddProblem(problems, "pattern entity starts with " + Trimmed(pattern, 1));
  }
  if (head.empty() || Trimmed(head, head.size() - 1) != "ENTITIES") {
    AddProblem(problems, "head does not end at the entities marker");
  }
  if (Trimmed(tail, 1) != "ENDSEC" || !EndsWithEof(tail)) {
    AddProblem(problems, "tail does not run from ENDSEC to EOF");
  }
  return times;
}

void CheckUpdatedFile(const std::string& outPath, int32_t textCount, std::string& problems) {
  const TLineList updated = LoadLines(outPath);
  TTextEnts textEnts;
  const int32_t records = ParseTextEnts(updated, textEnts);
  if (records != RemainingTexts(textCount)) {
    AddProblem(problems, "updated file holds " + std::to_string(records) + " TEXT entities, expected " +
                             std::to_string(RemainingTexts(textCount)));
  }
  if (!EndsWithEof(updated)) AddProblem(problems, "updated file does not end with 0/EOF");
}

double RunFloor(const std::string& path, const std::string& outPath) {
  return TimeMs([&] {
    std::ifstream in(FilePath(path), std::ios::binary);
    const auto size = std::filesystem::file_size(FilePath(path));
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ofstream out(FilePath(outPath), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + outPath);
  });
}

TWalkTimes RunWalkComparison(const std::string& path, int32_t indexedRuns, int32_t walkRuns) {
  TWalkTimes times;
  TLineList indexedLines;
  for (int32_t run = 0; run < std::max(indexedRuns, 1); ++run) {
    TPrepared indexed = Prepare(path);
    const double ms = TimeMs([&] {
      ApplyTextEnts(indexed.textEnts, indexed.dxfLines);
      DeleteMarkedEntities(indexed.textEnts, indexed.dxfLines);
    });
    times.IndexedMs = run == 0 ? ms : std::min(times.IndexedMs, ms);
    if (run == 0) indexedLines = std::move(indexed.dxfLines);
  }
  for (int32_t run = 0; run < std::max(walkRuns, 1); ++run) {
    TPrepared walked = Prepare(path);
    const double ms = TimeMs([&] {
      ApplyTextEntsByWalk(walked.textEnts, walked.dxfLines);
      DeleteMarkedEntitiesByWalk(walked.textEnts, walked.dxfLines);
    });
    times.WalkMs = run == 0 ? ms : std::min(times.WalkMs, ms);
    if (run == 0) times.SameLines = walked.dxfLines == indexedLines;
  }
  return times;
}

}  // namespace vorbel::bench
