// Lines in the memo that the drawing does not hold: what Select, the other
// order and closing the window would throw away.
#pragma once

#include <string>
#include <vector>

#include "workflow/selection.h"

namespace vorbel {

// Whether the memo holds edits not written back: its lines, trailing blank
// lines left out, are not the strings that the last listing or re-listing
// put there for the selection's records (none when nothing is listed, so
// that every line typed without a listing counts).
bool HoldsUnwrittenEdits(const TSelection& selection, const std::vector<std::string>& memoLines);

// Whether listing the records again in the other order would throw edits
// away: the memo's lines for the records, trailing blank lines left out,
// are not the strings listed for them. The lines beyond the records stay
// in a re-listing and do not count.
bool RecordLinesEdited(const TSelection& selection, const std::vector<std::string>& memoLines);

}  // namespace vorbel
