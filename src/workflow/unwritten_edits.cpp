#include "workflow/unwritten_edits.h"

#include <algorithm>
#include <string_view>

#include "cp932/cp932.h"

namespace vorbel {

namespace {

// The strings the listing put in the memo for the records, in their current
// order: what the memo gave back for each when it was listed.
std::vector<std::string_view> ListedLines(const TSelection& selection) {
  std::vector<std::string_view> lines;
  lines.reserve(selection.TextEnts.size());
  for (const TTextEnt& ent : selection.TextEnts) {
    const auto index = static_cast<size_t>(ent.Index);
    lines.push_back(index < selection.Shown.size() ? std::string_view(selection.Shown[index])
                                                   : std::string_view());
  }
  return lines;
}

// The first `count` lines without the blank lines at their end.
template <typename TLines>
size_t CountWithoutTrailingBlanks(const TLines& lines, size_t count) {
  while (count > 0 && IsBlank(lines[count - 1])) --count;
  return count;
}

// The first `count` memo lines, trailing blank lines left out, against the
// listed lines, theirs left out too.
bool DifferFromListed(const TSelection& selection, const std::vector<std::string>& memoLines, size_t count) {
  const std::vector<std::string_view> listed = ListedLines(selection);
  const size_t listedCount = CountWithoutTrailingBlanks(listed, listed.size());
  const size_t memoCount = CountWithoutTrailingBlanks(memoLines, count);
  return !std::equal(listed.begin(), listed.begin() + static_cast<std::ptrdiff_t>(listedCount),
                     memoLines.begin(), memoLines.begin() + static_cast<std::ptrdiff_t>(memoCount));
}

}  // namespace

bool HoldsUnwrittenEdits(const TSelection& selection, const std::vector<std::string>& memoLines) {
  return DifferFromListed(selection, memoLines, memoLines.size());
}

bool RecordLinesEdited(const TSelection& selection, const std::vector<std::string>& memoLines) {
  return DifferFromListed(selection, memoLines, std::min(memoLines.size(), selection.TextEnts.size()));
}

}  // namespace vorbel
