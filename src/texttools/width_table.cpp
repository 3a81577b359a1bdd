// Full-width and half-width conversion over code page 932 through the table
// of width_table.h, so that every build converts alike, whatever the
// system's locale.
//
// The table follows Windows' own mapping (LCMapString for Japanese) except
// where that mapping would put "?" or another character in place of a
// character: ﾞ ﾟ alone widen to ゛ ゜ (Windows 7 and later give combining
// marks that code page 932 lacks), ﾜﾞ ｦﾞ widen to ワ゛ ヲ゛, and ○ ■ the
// arrows, │ and ￤ keep their width. It also leaves ヾ and the quotes ‘ ’ “ ”,
// which are not among the Unicode Halfwidth Forms. The test of the Windows
// build compares the two for every character of code page 932.
#include "texttools/width_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>

#include "cp932/cp932.h"
#include "texttools/string_utils.h"

namespace vorbel {
namespace {

constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

// The full-width code of each half-width byte, alone and followed by either
// sound mark; 0 where there is none.
struct TFullWidthIndex {
  std::array<unsigned short, 256> Alone{};
  std::array<unsigned short, 256> Voiced{};
  std::array<unsigned short, 256> SemiVoiced{};
};

constexpr TFullWidthIndex MakeFullWidthIndex() {
  TFullWidthIndex index;
  for (const TWidthForm& form : kFullWidthForms) {
    switch (form.Mark) {
      case 0:
        index.Alone[form.Half] = form.Full;
        break;
      case kVoicedMark:
        index.Voiced[form.Half] = form.Full;
        break;
      case kSemiVoicedMark:
        index.SemiVoiced[form.Half] = form.Full;
        break;
      default:
        break;
    }
  }
  return index;
}

constexpr TFullWidthIndex kFullWidthIndex = MakeFullWidthIndex();

constexpr bool IsAscending() {
  for (size_t i = 1; i < std::size(kHalfWidthForms); ++i) {
    if (kHalfWidthForms[i - 1].Full >= kHalfWidthForms[i].Full) return false;
  }
  return true;
}
static_assert(IsAscending(), "kHalfWidthForms must be sorted by code for the binary search");

constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

void AppendCode(std::string& out, unsigned short code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

void ToFullWidth(std::string& s) {
  std::string out;
  out.reserve(s.size() * 2);
  const size_t size = s.size();
  for (size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const unsigned char next = i + 1 < size ? static_cast<unsigned char>(s[i + 1]) : 0;
    if (IsLeadByte(c)) {
      // A double-byte character stays as it is; a lead byte without a trail
      // byte behind it (a cut character) stays alone.
      out.push_back(s[i]);
      if (IsTrailByte(next)) out.push_back(s[++i]);
      continue;
    }
    // A kana with a sound mark behind it becomes one character where one
    // exists (ｶﾞ ガ); otherwise the two convert one by one (ｱﾞ ア゛).
    unsigned short full = 0;
    if (next == kVoicedMark) full = kFullWidthIndex.Voiced[c];
    if (next == kSemiVoicedMark) full = kFullWidthIndex.SemiVoiced[c];
    if (full != 0) {
      ++i;
    } else {
      full = kFullWidthIndex.Alone[c];
    }
    if (full != 0) {
      AppendCode(out, full);
    } else {
      out.push_back(s[i]);
    }
  }
  s = std::move(out);
}

void ToHalfWidth(std::string& s) {
  std::string out;
  out.reserve(s.size());
  const size_t size = s.size();
  for (size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const unsigned char next = i + 1 < size ? static_cast<unsigned char>(s[i + 1]) : 0;
    if (!IsLeadByte(c) || !IsTrailByte(next)) {
      out.push_back(s[i]);  // a single-byte character, or a cut lead byte
      continue;
    }
    const auto code = static_cast<unsigned short>(c << 8 | next);
    const auto* form =
        std::lower_bound(std::begin(kHalfWidthForms), std::end(kHalfWidthForms), code,
                         [](const TWidthForm& f, unsigned short value) { return f.Full < value; });
    if (form != std::end(kHalfWidthForms) && form->Full == code) {
      out.push_back(static_cast<char>(form->Half));
      if (form->Mark != 0) out.push_back(static_cast<char>(form->Mark));
    } else {
      out.append(s, i, 2);
    }
    ++i;
  }
  s = std::move(out);
}

}  // namespace vorbel
