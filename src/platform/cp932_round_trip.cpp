// The bytes a text comes back as after a conversion to UTF-16 and back
// through code page 932, as Wine's MultiByteToWideChar and WideCharToMultiByte
// give them: table-driven, so both builds hold the same text in their edit
// controls.
#include <algorithm>
#include <iterator>

#include "cp932/cp932.h"
#include "platform/cp932_round_trip_table.h"
#include "platform/ui_text.h"

namespace vorbel {

namespace {

constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// What a double-byte code with a second byte in the trail range becomes.
unsigned CodeBack(unsigned code) {
  const auto after =
      std::upper_bound(std::begin(kCp932Changes), std::end(kCp932Changes), code,
                       [](unsigned c, const TCp932Change& change) { return c < change.First; });
  if (after == std::begin(kCp932Changes)) return code;
  const TCp932Change& change = *std::prev(after);
  return code <= change.Last ? change.Becomes : code;
}

}  // namespace

std::string Cp932RoundTrip(std::string_view text) {
  std::string back;
  back.reserve(text.size());
  size_t copied = 0;  // the text before this is in `back`
  const auto replace = [&](size_t at, size_t length, unsigned code) {
    back.append(text, copied, at - copied);
    back.push_back(static_cast<char>(code >> 8));
    back.push_back(static_cast<char>(code & 0xFF));
    copied = at + length;
  };
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(lead)) {
      ++i;
    } else if (i + 1 < text.size() && text[i + 1] != '\0') {
      // A lead byte takes the next byte with it, whatever that is.
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      const unsigned code = lead * 256u + trail;
      const unsigned becomes = IsTrailByte(trail) ? CodeBack(code) : kCp932Replacement;
      if (becomes != code) replace(i, 2, becomes);
      i += 2;
    } else {
      // At the end of the text and before a zero byte it stands alone.
      replace(i, 1, kCp932Replacement);
      ++i;
    }
  }
  back.append(text, copied, text.size() - copied);
  return back;
}

}  // namespace vorbel
