// Text arithmetic shared by both backends of the controls: how a memo's text
// falls into lines and where characters begin. Code page 932 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

// The memo's lines: the text split at CR LF, without the empty line after a
// final line break (an empty text has no lines). A lone CR or LF is no line
// break, as in the edit control.
std::vector<std::string_view> SplitMemoLines(std::string_view text);

// `position` kept inside the text and moved back to the start of the
// character it falls in.
size_t CharBoundaryAtOrBefore(std::string_view text, size_t position);

// A memo's text with every lone CR or LF made a CR LF, so that the lines are
// the same for the program, the edit control and the eye.
std::string NormalizeLineBreaks(std::string_view text);
bool HasLoneLineBreak(std::string_view text);

// What appending `lines` to a memo's text inserts at its end: each line
// followed by CR LF after an empty text or a final line break, else each
// line after a CR LF.
std::string AppendedLines(bool afterBreak, const std::vector<std::string>& lines);

// The start of the character that ends at `position` (a character boundary
// above 0).
size_t PreviousCharStart(std::string_view text, size_t position);

// The text a typed character puts in: one byte, or two for a code page 932
// double-byte code.
std::string KeyText(unsigned key);

}  // namespace vorbel
