// Small routines the memo's pop-up menu and its dialogs share: the number in
// a line, letter case and character widths.
#pragma once

#include <string>
#include <string_view>

namespace vorbel {

// Cuts `line` into the text before a run of ASCII digits, the run and the
// text after it; at most two line-break characters at the end belong to none
// of them, and digits inside AutoCAD's codes (acad_codes.h) are no digits.
// `fromEnd` takes the last run, else the first.
void SplitNumber(std::string_view line, std::string& prefix, std::string& number, std::string& suffix,
                 bool fromEnd);

// Single-byte letters only; both bytes of a double-byte character stay.
void ToUpperSingleByte(std::string& s);
void ToLowerSingleByte(std::string& s);

// Half-width characters to their full-width forms and back, by the table of
// width_table.h, alike in every build: printable ASCII and the space, the
// half-width katakana and punctuation, and a kana followed by a sound mark
// (ｶﾞ ガ). Everything else passes unchanged; a lead byte without its second
// byte stays as it is.
void ToFullWidth(std::string& s);
void ToHalfWidth(std::string& s);

}  // namespace vorbel
