// The lines a memo selection touches, and rewriting whole lines of the memo.
//
// A dialog that rewrites lines could select each line and replace it; the
// edit control then rebuilds its line table once per line, which makes a
// selection of many thousand lines take minutes. The lines are therefore
// put in with one replacement of the stretch from the first to the last
// rewritten line: the text, the caret behind the last rewritten line and the
// empty selection are the same as after the line-by-line rewrite.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace vorbel {

// The first and last memo line the memo's selection touches, counting
// positions over the lines joined by CR LF: a selection starting at a line's
// end (before its break) belongs to that line, one ending at a line's start
// takes that line in, one running into the final line break ends in the last
// line with a character, and one starting inside that final break starts in
// the last line. False (both 0) without a selection. Reads the memo only.
bool GetSelLineRange(const TMemo& memo, int& firstLine, int& lastLine);

// Where line `index` begins in a memo whose lines are `lines` (CR LF between
// them).
inline size_t MemoLineStart(const std::vector<std::string>& lines, size_t index) {
  size_t start = 0;
  for (size_t i = 0; i < index && i < lines.size(); ++i) start += lines[i].size() + 2;
  return start;
}

// Replaces the lines from `first` on, one by one, by `replacements`, whose
// count must not reach past the last line; `lines` are the memo's lines.
// Raises one change of the memo's text, and none when nothing changes. The
// replacement is one step that Ctrl+Z takes back: a command's change.
inline void ReplaceMemoLines(TMemo& memo, const std::vector<std::string>& lines, size_t first,
                             const std::vector<std::string>& replacements) {
  if (replacements.empty() || first + replacements.size() > lines.size()) return;
  const size_t last = first + replacements.size() - 1;
  const size_t start = MemoLineStart(lines, first);
  const size_t end = MemoLineStart(lines, last) + lines[last].size();
  size_t size = 0;
  for (const std::string& line : replacements) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (size_t i = 0; i < replacements.size(); ++i) {
    if (i > 0) text.append("\r\n");
    text.append(replacements[i]);
  }
  memo.SetSel(start, end - start);
  memo.ReplaceSelection(text, TUndo::NewStep);
}

}  // namespace vorbel
