#include "texttools/memo_edit.h"

#include <string>
#include <vector>

namespace vorbel {

bool GetSelLineRange(const TMemo& memo, int& firstLine, int& lastLine) {
  firstLine = 0;
  lastLine = 0;
  const size_t selLength = memo.SelLength();
  if (selLength == 0) return false;
  const size_t selStart = memo.SelStart();
  const size_t selEnd = selStart + selLength;

  // One walk over the lines: line i ends (just before its CR LF) at the sum
  // of the lengths of lines 0 to i plus 2 per earlier line break.
  const std::vector<std::string> lines = memo.Lines();
  bool firstFound = false;
  bool lastFound = false;
  int lastNonEmpty = 0;
  size_t lineEnd = 0;
  for (size_t i = 0; i < lines.size() && !lastFound; ++i) {
    lineEnd += lines[i].size() + (i > 0 ? 2 : 0);
    if (!lines[i].empty()) lastNonEmpty = static_cast<int>(i);
    if (!firstFound && selStart <= lineEnd) {
      firstLine = static_cast<int>(i);
      firstFound = true;
    }
    if (selEnd <= lineEnd) {
      lastLine = static_cast<int>(i);
      lastFound = true;
    }
  }
  if (lastFound) return true;

  // The selection runs on into the final line break: it ends in the last
  // line that has a character (lastNonEmpty is that line, the walk having
  // seen every line).
  lastLine = lastNonEmpty;
  // A selection that starts inside that final line break touches the last
  // line, not the first: taking line 0 would make the dialogs rewrite lines
  // the selection never reached.
  if (!firstFound && !lines.empty()) firstLine = static_cast<int>(lines.size() - 1);
  return true;
}

}  // namespace vorbel
