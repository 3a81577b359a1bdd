#include "workflow/update_plan.h"

#include <algorithm>
#include <unordered_map>

#include "cp932/cp932.h"
#include "workflow/memo_lines.h"

namespace vorbel {

namespace {

bool SamePoint(const TDxfPoint& a, const TDxfPoint& b) { return a.X == b.X && a.Y == b.Y && a.Z == b.Z; }

void Add(TUpdatePreview& preview, TChange change) {
  ++preview.Counts[static_cast<size_t>(change.Kind)];
  preview.Changes.push_back(std::move(change));
}

// What the memo showed for the record on memo line i (from 0).
const std::string& ShownAt(const TSelection& selection, size_t i) {
  static const std::string kNone;
  const auto index = static_cast<size_t>(selection.TextEnts[i].Index);
  return index < selection.Shown.size() ? selection.Shown[index] : kNone;
}

// The first line (from 1) of a run of kShiftedRun or more changed lines
// where line i holds what the memo showed on line i + step; 0 for none.
size_t ShiftedRun(const TSelection& selection, const std::vector<std::string>& lines, int step) {
  const size_t records = selection.TextEnts.size();
  const size_t end = std::min(lines.size(), records);
  size_t run = 0;
  for (size_t i = 0; i < end; ++i) {
    const bool shifted = !lines[i].empty() && lines[i] != ShownAt(selection, i) && !(step < 0 && i == 0) &&
                         !(step > 0 && i + 1 >= records) &&
                         lines[i] == ShownAt(selection, step > 0 ? i + 1 : i - 1);
    run = shifted ? run + 1 : 0;
    if (run == kShiftedRun) return i + 2 - kShiftedRun;
  }
  return 0;
}

}  // namespace

TUpdatePlan PlanUpdate(const TSelection& selection, const std::vector<std::string>& lines,
                       TRealignment realignment, double dX, double dY, bool newTexts) {
  TUpdatePlan plan;
  plan.TextEnts = selection.TextEnts;
  plan.BaseInsPoint = selection.BaseInsPoint;
  plan.BaseAlignPoint = selection.BaseAlignPoint;
  // A line the user did not touch keeps its text's own bytes, which the memo
  // may not give back unchanged.
  std::vector<std::string> texts = lines;
  KeepUntouchedBytes(selection, texts);
  // Each line goes to the text listed on it before a realignment puts the
  // records into coordinate order, so texts may move but never swap
  // strings.
  TakeMemoLines(texts, plan.TextEnts);
  Realign(plan.TextEnts, realignment, dX, dY, plan.BaseInsPoint, plan.BaseAlignPoint);
  const size_t records = selection.TextEnts.size();
  if (newTexts && lines.size() > records) {
    plan.NewTexts = ExtraTextsAtPitch(lines, records, selection.MaxHandle, plan.BaseInsPoint,
                                      plan.BaseAlignPoint, dX, dY);
  }
  return plan;
}

TUpdatePreview PreviewUpdate(const TSelection& selection, const std::vector<std::string>& lines,
                             const TUpdatePlan& plan) {
  TUpdatePreview preview;
  const TTextEnts& listed = selection.TextEnts;
  // The plan's records by their index in the export (they may be reordered).
  std::unordered_map<int32_t, const TTextEnt*> planned;
  planned.reserve(plan.TextEnts.size());
  for (const TTextEnt& ent : plan.TextEnts) planned.emplace(ent.Index, &ent);
  std::vector<TChange> byKind[kChangeKinds];
  for (size_t i = 0; i < listed.size(); ++i) {
    const TTextEnt& before = listed[i];
    const auto at = planned.find(before.Index);
    if (at == planned.end()) continue;
    const TTextEnt& after = *at->second;
    const size_t line = i < lines.size() ? i + 1 : 0;
    if (after.Text.empty()) {
      byKind[static_cast<size_t>(TChangeKind::Erased)].push_back(
          {TChangeKind::Erased, line, before.Text, {}, RefPoint(before), RefPoint(before)});
      continue;  // an erased text moves nowhere
    }
    if (after.Text != before.Text) {
      byKind[static_cast<size_t>(TChangeKind::Changed)].push_back(
          {TChangeKind::Changed, line, before.Text, after.Text, RefPoint(before), RefPoint(after)});
    }
    if (!SamePoint(before.InsPoint, after.InsPoint) || !SamePoint(before.AlignPoint, after.AlignPoint)) {
      byKind[static_cast<size_t>(TChangeKind::Moved)].push_back(
          {TChangeKind::Moved, line, before.Text, after.Text, RefPoint(before), RefPoint(after)});
    }
  }
  if (lines.size() > listed.size()) {
    // The lines beyond the records that are not blank: new texts, each in
    // its turn, or lines that become nothing.
    if (!plan.NewTexts.empty()) {
      size_t k = 0;
      for (size_t i = listed.size(); i < lines.size(); ++i) {
        if (IsBlank(lines[i])) continue;
        const TNewText& text = plan.NewTexts[k++];
        byKind[static_cast<size_t>(TChangeKind::Added)].push_back(
            {TChangeKind::Added, i + 1, {}, text.Text, text.InsPoint, text.InsPoint});
      }
    } else {
      for (size_t i = listed.size(); i < lines.size(); ++i) {
        if (IsBlank(lines[i])) continue;
        byKind[static_cast<size_t>(TChangeKind::Dropped)].push_back(
            {TChangeKind::Dropped, i + 1, {}, lines[i], {}, {}});
      }
    }
  }
  for (auto& changes : byKind) {
    for (TChange& change : changes) Add(preview, std::move(change));
  }
  preview.ShiftedFrom = ShiftedRun(selection, lines, 1);
  if (preview.ShiftedFrom == 0) preview.ShiftedFrom = ShiftedRun(selection, lines, -1);
  return preview;
}

}  // namespace vorbel
