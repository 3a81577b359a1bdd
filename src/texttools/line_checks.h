// The duplicate and gap check over a list of strings (the memo's lines, or
// the texts of an export): strings that stand on more than one line, and in
// each run of numbered lines the numbers missing between its smallest and
// largest and the lines whose number is smaller than the one before them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

// No line: an entry that points at none.
inline constexpr size_t kNoLine = static_cast<size_t>(-1);

// The gap entries a run shows before "ほか N 件".
inline constexpr size_t kGapEntriesShown = 100;

// A string (trimmed) and the lines it stands on, ascending, from 0.
struct TDuplicate {
  std::string Text;
  std::vector<size_t> Lines;
};

// The numbers From to To are missing from a run; FromText and ToText are
// them written as the run writes its lines ("P-5", "P-9"). Line holds the
// run's number just below the gap.
struct TGap {
  int32_t From = 0;
  int32_t To = 0;
  std::string FromText;
  std::string ToText;
  size_t Line = kNoLine;
};

// A line of a run whose number is smaller than that of the run's line
// before it; both texts trimmed.
struct TBackStep {
  size_t Line = kNoLine;
  std::string Text;
  size_t Before = kNoLine;
  std::string BeforeText;
};

// The lines whose text before and after their last number is the same
// (trimmed, the number written in the same notation: ASCII digits,
// full-width digits or one circled number), where something is amiss.
struct TNumberedRun {
  std::vector<TGap> Gaps;  // ascending
  std::vector<TBackStep> BackSteps;
};

struct TLineCheck {
  std::vector<TDuplicate> Duplicates;  // by their first line
  std::vector<TNumberedRun> Runs;      // by their first line; only runs with findings
  bool empty() const { return Duplicates.empty() && Runs.empty(); }
};

// Checks `lines`. Strings are compared as bytes after trimming blanks and
// control characters; blank lines are no duplicates. A number beyond
// 2147483647 puts its line in no run.
TLineCheck CheckLines(const std::vector<std::string>& lines);

// The texts of the findings: "重複: 「P-3」 3, 7 行目", "欠番: P-4 がありません",
// "欠番: P-5～P-9 がありません", "欠番: ほか 12 件", "順序: P-3 (12 行目) は
// 前の P-5 (9 行目) より小さい番号です". Line numbers count from 1.
std::string DuplicateText(const TDuplicate& duplicate);
std::string GapText(const TGap& gap);
std::string MoreGapsText(size_t count);
std::string BackStepText(const TBackStep& step);

// One row of the report: its text and the line it points at (kNoLine for
// none).
struct TCheckEntry {
  size_t Line = kNoLine;
  std::string Text;
};

// The report's rows: the duplicates (with `everyLine` one row for each of
// their lines, else one at the first), then run by run its first
// kGapEntriesShown gaps, "ほか N 件" for the rest, and its back steps.
std::vector<TCheckEntry> LineCheckEntries(const TLineCheck& check, bool everyLine);

}  // namespace vorbel
