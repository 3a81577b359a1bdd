#include "texttools/acad_codes.h"

#include <algorithm>
#include <utility>

#include "cp932/cp932.h"

namespace vorbel {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

constexpr bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

bool AllOf(std::string_view text, size_t from, size_t count, bool (*test)(char)) {
  if (from + count > text.size()) return false;
  for (size_t i = from; i < from + count; ++i) {
    if (!test(text[i])) return false;
  }
  return true;
}

// The length of the character at `pos`: two for a lead byte with its second
// byte, else one.
size_t CharLength(std::string_view text, size_t pos) {
  return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

size_t PercentCodeLength(std::string_view text, size_t pos) {
  if (text.compare(pos, 2, "%%") != 0) return 0;
  if (pos + 2 == text.size() || IsLineBreak(text[pos + 2])) return 2;
  if (AllOf(text, pos + 2, 3, IsDigit)) return 5;
  // %%%, the named codes and any other single character alike.
  return 2 + CharLength(text, pos + 2);
}

size_t BackslashCodeLength(std::string_view text, size_t pos) {
  if (pos + 2 >= text.size() || text[pos] != '\\' || text[pos + 2] != '+') return 0;
  const char letter = text[pos + 1];
  if ((letter == 'U' || letter == 'u') && AllOf(text, pos + 3, 4, IsHexDigit)) return 7;
  if ((letter == 'M' || letter == 'm') && pos + 3 < text.size() && IsDigit(text[pos + 3]) &&
      AllOf(text, pos + 4, 4, IsHexDigit))
    return 8;
  return 0;
}

}  // namespace

size_t AcadCodeLength(std::string_view text, size_t pos) {
  if (pos >= text.size()) return 0;
  if (text[pos] == '%') return PercentCodeLength(text, pos);
  if (text[pos] == '\\') return BackslashCodeLength(text, pos);
  return 0;
}

std::vector<TTextPiece> SplitAcadCodes(std::string_view text) {
  std::vector<TTextPiece> pieces;
  size_t runStart = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t code = AcadCodeLength(text, pos);
    if (code == 0) {
      pos += CharLength(text, pos);
      continue;
    }
    if (pos > runStart) pieces.push_back({text.substr(runStart, pos - runStart), false});
    pieces.push_back({text.substr(pos, code), true});
    pos += code;
    runStart = pos;
  }
  if (pos > runStart) pieces.push_back({text.substr(runStart, pos - runStart), false});
  return pieces;
}

std::vector<bool> AcadCodeMask(std::string_view text) {
  std::vector<bool> mask(text.size(), false);
  size_t pos = 0;
  for (const TTextPiece& piece : SplitAcadCodes(text)) {
    if (piece.IsCode) std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(pos), piece.Text.size(), true);
    pos += piece.Text.size();
  }
  return mask;
}

std::string ConvertOutsideCodes(std::string_view text, size_t from, size_t length,
                                void (*convert)(std::string&)) {
  from = std::min(from, text.size());
  const size_t to = from + std::min(length, text.size() - from);
  std::string result;
  result.reserve(to - from);
  size_t pos = 0;
  for (const TTextPiece& piece : SplitAcadCodes(text)) {
    // The part of this piece inside [from, to).
    const size_t begin = std::max(pos, from);
    const size_t end = std::min(pos + piece.Text.size(), to);
    if (begin < end) {
      std::string part(text.substr(begin, end - begin));
      if (!piece.IsCode) convert(part);
      result.append(part);
    }
    pos += piece.Text.size();
  }
  return result;
}

void ConvertOutsideCodes(std::string& text, void (*convert)(std::string&)) {
  text = ConvertOutsideCodes(text, 0, text.size(), convert);
}

}  // namespace vorbel
