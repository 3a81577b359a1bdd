// The number in a line and letter case.
// Character widths live in width_table.cpp.
#include "texttools/string_utils.h"

#include <cstddef>
#include <string>
#include <vector>

#include "cp932/cp932.h"
#include "texttools/acad_codes.h"

namespace vorbel {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Applies `change` to every single-byte character of `s`; a double-byte
// character is stepped over whole, so its trail byte (which may be in the
// range of ASCII letters) is never seen. A lead byte at the very end (a
// truncated character) is left as it is.
template <typename TChange>
void ForEachSingleByte(std::string& s, TChange change) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(s[i])) {
      ++i;
      continue;
    }
    s[i] = change(s[i]);
  }
}

}  // namespace

void SplitNumber(std::string_view line, std::string& prefix, std::string& number, std::string& suffix,
                 bool fromEnd) {
  // At most two line-break characters at the end belong to none of the parts.
  size_t length = line.size();
  if (length > 0 && IsLineBreak(line[length - 1])) --length;
  if (length > 0 && IsLineBreak(line[length - 1])) --length;
  const std::string_view text = line.substr(0, length);

  // A digit byte is never the trail byte of a double-byte character (those
  // lie in 0x40-0xFC), so a plain byte scan finds whole digits only; digits
  // inside AutoCAD's codes (%%123, \U+2460) are no number.
  const std::vector<bool> inCode = AcadCodeMask(text);
  const auto digitAt = [&](size_t i) { return IsDigit(text[i]) && !inCode[i]; };
  size_t begin = 0;
  size_t end = 0;
  if (!fromEnd) {
    while (begin < length && !digitAt(begin)) ++begin;
    end = begin;
    while (end < length && digitAt(end)) ++end;
  } else {
    end = length;
    while (end > 0 && !digitAt(end - 1)) --end;
    begin = end;
    while (begin > 0 && digitAt(begin - 1)) --begin;
    if (begin == end) begin = end = length;  // no digit: all of it is the prefix
  }
  prefix.assign(text.substr(0, begin));
  number.assign(text.substr(begin, end - begin));
  suffix.assign(text.substr(end));
}

void ToUpperSingleByte(std::string& s) {
  ForEachSingleByte(s, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
}

void ToLowerSingleByte(std::string& s) {
  ForEachSingleByte(s, [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
}

}  // namespace vorbel
