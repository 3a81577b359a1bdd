// AutoCAD's control codes inside a TEXT string. AutoCAD reads them, in
// either letter case, as one character each: %%nnn (three decimal digits),
// %%% (a percent sign), %%c %%d %%p %%o %%u %%k and "%%" with any other
// single character, \U+hhhh (a Unicode character by four hexadecimal digits)
// and \M+Nhhhh (a multibyte character: a digit and four hexadecimal digits).
// The conversions of the text tools leave these codes as they are, and the
// number tools never read digits inside one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

// The length in bytes of the code that begins at `pos`, which must be the
// start of a character; 0 when none begins there. A code never takes in a
// line break: a "%%" at the end of a line or of the text is a code of its
// own, whose character is still to come.
size_t AcadCodeLength(std::string_view text, size_t pos);

// One piece of a text: a code or a run of ordinary characters.
struct TTextPiece {
  std::string_view Text;
  bool IsCode = false;
};

// The text cut into codes and runs of ordinary characters, scanned left to
// right by whole characters: "%%%d" is the code "%%%" and the character "d",
// and the byte \ that is the second byte of ソ or 表 opens no code.
std::vector<TTextPiece> SplitAcadCodes(std::string_view text);

// For every byte of the text, whether it belongs to a code.
std::vector<bool> AcadCodeMask(std::string_view text);

// The `length` bytes of `text` from `from` with `convert` applied to every
// run of ordinary characters among them; the codes, found in the whole of
// `text` (a selection may cut one), stay as they are.
std::string ConvertOutsideCodes(std::string_view text, size_t from, size_t length,
                                void (*convert)(std::string&));

// `text` with `convert` applied outside its codes.
void ConvertOutsideCodes(std::string& text, void (*convert)(std::string&));

}  // namespace vorbel
