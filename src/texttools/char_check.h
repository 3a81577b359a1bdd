// The character check for drawings that must keep to JIS X 0208: the
// characters of code page 932 outside it, each with the standard form that
// can replace it (standard_forms.h, the width table for half-width kana).
// AutoCAD's codes (%%d, \U+2460, \M+N8740 ...) are no characters here: they
// are neither reported nor replaced.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

enum class TOddKind {
  NecSpecial,    // NEC row 13, 0x8740-0x879E: ① Ⅲ ㎡ ㈱ ...
  NecSelected,   // the IBM extensions as NEC chose them, 0xED40-0xEEFC
  UserDefined,   // 外字, 0xF040-0xF9FC
  IbmExtension,  // 0xFA40-0xFC4B
  HalfWidthKana  // 0xA1-0xDF, reported as a run
};

// A machine-dependent character of a text, or a run of half-width katakana:
// its place in bytes and its standard form (empty when there is none).
struct TOddChar {
  size_t Begin = 0;
  size_t Length = 0;
  TOddKind Kind = TOddKind::NecSpecial;
  std::string Standard;
};

// The machine-dependent characters of `text`, left to right.
std::vector<TOddChar> FindOddChars(std::string_view text);

// `text` with every machine-dependent character that has a standard form
// replaced by it; everything else, codes included, stays as it is.
std::string WithStandardForms(std::string_view text);

// The lines (from 0) that hold machine-dependent characters, with them.
struct TOddLine {
  size_t Line = 0;
  std::vector<TOddChar> Chars;
};
std::vector<TOddLine> CheckChars(const std::vector<std::string>& texts);

// The kind as the list names it: "NEC特殊文字", "NEC選定IBM拡張文字", "外字",
// "IBM拡張文字", "半角カナ".
std::string_view OddKindName(TOddKind kind);

// What the report says of a character: "① → (1)", or "髙 (置き換えなし)".
std::string OddCharText(std::string_view text, const TOddChar& odd);

}  // namespace vorbel
