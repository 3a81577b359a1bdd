// What an update will write, worked out from the memo's lines on a copy of
// the records, and what it will do to each text: the one computation behind
// both the update file and its preview.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dxf/creation.h"
#include "dxf/text_ents.h"
#include "workflow/realign.h"
#include "workflow/selection.h"

namespace vorbel {

// The records with the strings and points the update gives them, and the new
// texts it adds. The selection itself is not touched.
struct TUpdatePlan {
  // Each record with its memo line (untouched lines with the record's own
  // bytes; empty when no line is left for it), in coordinate order when
  // realigned.
  TTextEnts TextEnts;
  // Where new texts continue from after the realignment.
  TDxfPoint BaseInsPoint;
  TDxfPoint BaseAlignPoint;
  // The lines beyond the records as texts at the pitch, when they become
  // texts at all (座標順 ticked).
  std::vector<TNewText> NewTexts;
};

// `lines` are the memo's lines with the trailing blank lines already dropped
// (DeleteTrailingBlankLines), as the update takes them.
TUpdatePlan PlanUpdate(const TSelection& selection, const std::vector<std::string>& lines,
                       TRealignment realignment, double dX, double dY, bool newTexts);

// What the update does to one text, as the preview lists it.
enum class TChangeKind {
  Changed,  // its string changes
  Erased,   // its line is empty, or no line is left for it
  Moved,    // a realignment moves it
  Added,    // a line beyond the records becomes a new text
  Dropped,  // a line beyond the records that becomes no text (座標順 not ticked)
};
constexpr size_t kChangeKinds = 5;

struct TChange {
  TChangeKind Kind = TChangeKind::Changed;
  size_t Line = 0;  // memo line from 1; 0 for a text no line is left for
  std::string Before;
  std::string After;
  // A moved text's reference point before and after.
  TDxfPoint From;
  TDxfPoint To;
};

struct TUpdatePreview {
  // Kind by kind in the order of TChangeKind, each by line.
  std::vector<TChange> Changes;
  size_t Counts[kChangeKinds] = {};
  // The first line (from 1) of a run of 3 or more changed lines that hold
  // the strings the records one line above or below had: a line deleted or
  // inserted instead of emptied or overwritten; 0 when there is none.
  size_t ShiftedFrom = 0;

  size_t Count(TChangeKind kind) const { return Counts[static_cast<size_t>(kind)]; }
  // Whether the update may lose or misplace texts unseen: then the preview
  // opens even when it was not asked for.
  bool NeedsLook() const {
    return Count(TChangeKind::Erased) > 0 || Count(TChangeKind::Dropped) > 0 || ShiftedFrom > 0;
  }
};

// Compares the plan with the selection as it was listed. `lines` as for
// PlanUpdate.
TUpdatePreview PreviewUpdate(const TSelection& selection, const std::vector<std::string>& lines,
                             const TUpdatePlan& plan);

// The shortest run of shifted lines that opens the preview by itself.
constexpr size_t kShiftedRun = 3;

}  // namespace vorbel
