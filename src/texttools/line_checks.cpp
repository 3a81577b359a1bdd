#include "texttools/line_checks.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "base/errors.h"
#include "cp932/cp932.h"
#include "texttools/number_kinds.h"

namespace vorbel {
namespace {

// A line of a run: its number and how the number is written.
struct TNumberedLine {
  size_t Line = 0;
  int32_t Value = 0;
  std::string Text;  // the trimmed line
  size_t Digits = 0;
  bool Filled = false;  // written with zeros in front ("07")
};

struct TRunKey {
  std::string Prefix;
  std::string Suffix;
  TNotation Notation = TNotation::Ascii;
  bool operator<(const TRunKey& other) const {
    return std::tie(Prefix, Suffix, Notation) < std::tie(other.Prefix, other.Suffix, other.Notation);
  }
};

struct TRun {
  TRunKey Key;
  std::vector<TNumberedLine> Lines;  // in memo order
};

bool StartsWithZero(std::string_view digits, TNotation notation) {
  if (CharCount(digits) < 2) return false;
  if (notation == TNotation::Ascii) return digits[0] == '0';
  return notation == TNotation::FullWidth && digits.starts_with("０");
}

// The value of a number run, or nothing when it is beyond 2147483647.
std::optional<int32_t> RunValue(std::string_view digits, TNotation notation) {
  try {
    return NumberRunValue(digits, notation);
  } catch (const TRuntimeError&) {
    return std::nullopt;
  }
}

std::vector<TRun> NumberedRuns(const std::vector<std::string>& lines) {
  std::vector<TRun> runs;
  std::map<TRunKey, size_t> byKey;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = TrimBlanks(lines[i]);
    const std::optional<TNumberRun> number = FindNumberRun(text, true);
    if (!number) continue;
    const std::string_view digits = text.substr(number->Begin, number->End - number->Begin);
    const std::optional<int32_t> value = RunValue(digits, number->Notation);
    if (!value) continue;
    TRunKey key{std::string(text.substr(0, number->Begin)), std::string(text.substr(number->End)),
                number->Notation};
    auto [at, added] = byKey.try_emplace(key, runs.size());
    if (added) runs.push_back(TRun{std::move(key), {}});
    runs[at->second].Lines.push_back(
        {i, *value, std::string(text), CharCount(digits), StartsWithZero(digits, number->Notation)});
  }
  return runs;
}

// A number written as `like` writes its own, with the run's text around it.
std::string WrittenLike(const TRunKey& key, const TNumberedLine& like, int32_t value) {
  const std::optional<std::string> number = FormatNumberRun(value, key.Notation, like.Digits, like.Filled);
  return key.Prefix + number.value_or(std::to_string(value)) + key.Suffix;
}

std::vector<TGap> Gaps(const TRun& run) {
  // The first line of each value, by value.
  std::map<int32_t, const TNumberedLine*> byValue;
  for (const TNumberedLine& line : run.Lines) byValue.try_emplace(line.Value, &line);
  std::vector<TGap> gaps;
  const TNumberedLine* below = nullptr;
  for (const auto& [value, line] : byValue) {
    if (below != nullptr && static_cast<int64_t>(value) - below->Value > 1) {
      const int32_t from = below->Value + 1;
      const int32_t to = value - 1;
      gaps.push_back(
          {from, to, WrittenLike(run.Key, *below, from), WrittenLike(run.Key, *below, to), below->Line});
    }
    below = line;
  }
  return gaps;
}

std::vector<TBackStep> BackSteps(const TRun& run) {
  std::vector<TBackStep> steps;
  for (size_t k = 1; k < run.Lines.size(); ++k) {
    const TNumberedLine& before = run.Lines[k - 1];
    const TNumberedLine& line = run.Lines[k];
    if (line.Value < before.Value) steps.push_back({line.Line, line.Text, before.Line, before.Text});
  }
  return steps;
}

std::string LineNumber(size_t line) { return std::to_string(line + 1); }

}  // namespace

TLineCheck CheckLines(const std::vector<std::string>& lines) {
  TLineCheck check;
  std::unordered_map<std::string_view, size_t> byText;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = TrimBlanks(lines[i]);
    if (text.empty()) continue;
    auto [at, added] = byText.try_emplace(text, check.Duplicates.size());
    if (added) check.Duplicates.push_back(TDuplicate{std::string(text), {}});
    check.Duplicates[at->second].Lines.push_back(i);
  }
  std::erase_if(check.Duplicates, [](const TDuplicate& d) { return d.Lines.size() < 2; });

  for (const TRun& run : NumberedRuns(lines)) {
    TNumberedRun found{Gaps(run), BackSteps(run)};
    if (!found.Gaps.empty() || !found.BackSteps.empty()) check.Runs.push_back(std::move(found));
  }
  return check;
}

std::string DuplicateText(const TDuplicate& duplicate) {
  std::string text = "重複: 「" + duplicate.Text + "」 ";
  for (size_t k = 0; k < duplicate.Lines.size(); ++k) {
    if (k > 0) text += ", ";
    text += LineNumber(duplicate.Lines[k]);
  }
  return text + " 行目";
}

std::string GapText(const TGap& gap) {
  if (gap.From == gap.To) return "欠番: " + gap.FromText + " がありません";
  return "欠番: " + gap.FromText + "～" + gap.ToText + " がありません";
}

std::string MoreGapsText(size_t count) { return "欠番: ほか " + std::to_string(count) + " 件"; }

std::string BackStepText(const TBackStep& step) {
  return "順序: " + step.Text + " (" + LineNumber(step.Line) + " 行目) は前の " + step.BeforeText + " (" +
         LineNumber(step.Before) + " 行目) より小さい番号です";
}

std::vector<TCheckEntry> LineCheckEntries(const TLineCheck& check, bool everyLine) {
  std::vector<TCheckEntry> entries;
  for (const TDuplicate& duplicate : check.Duplicates) {
    const std::string text = DuplicateText(duplicate);
    if (!everyLine) {
      entries.push_back({duplicate.Lines.front(), text});
      continue;
    }
    for (const size_t line : duplicate.Lines) entries.push_back({line, text});
  }
  for (const TNumberedRun& run : check.Runs) {
    const size_t shown = std::min(run.Gaps.size(), kGapEntriesShown);
    for (size_t k = 0; k < shown; ++k) entries.push_back({run.Gaps[k].Line, GapText(run.Gaps[k])});
    if (run.Gaps.size() > shown) entries.push_back({kNoLine, MoreGapsText(run.Gaps.size() - shown)});
    for (const TBackStep& step : run.BackSteps) entries.push_back({step.Line, BackStepText(step)});
  }
  return entries;
}

}  // namespace vorbel
