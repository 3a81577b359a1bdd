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

// Edit controls hold their text in UTF-16, so a text put in comes back
// through code page 932 as these bytes: what WideToCp932(Cp932ToWide(text))
// gives under Wine (cp932_round_trip.cpp). Duplicate codes come back as the
// one Windows writes (NEC row 13 ≒ 0x8790 as 0x81E0, the NEC-selected IBM
// extensions 0xED40-0xEEFC as the IBM codes 0xFA40-0xFC4B, the IBM Ⅰ 0xFA4A
// as NEC row 13's 0x8754 ...). A code the code page lacks, a lead byte with
// a byte outside the trail range (the two bytes as one character), and a
// lead byte at the end or before a zero byte (alone) come back as ・ 0x8145.
// Every other byte, 0x80, 0xA0 and 0xFD-0xFF included, comes back as it is.
// Linear time.
std::string Cp932RoundTrip(std::string_view text);

// The memo's text cut for its conversion to UTF-16: before every CR or LF
// that follows a lead byte, which converted with it would become the lead
// byte's second byte and take the line break away.
std::vector<std::string_view> MemoConversionPieces(std::string_view text);

// What a memo holds after `text` is put in: line breaks made CR LF, then
// each conversion piece through Cp932RoundTrip.
std::string MemoRoundTrip(std::string_view text);

// The character an edit control receives for a typed key: the first
// character of the key's text after Cp932RoundTrip, as one UTF-16 unit
// carries only one.
unsigned TypedKey(unsigned key);

}  // namespace vorbel
