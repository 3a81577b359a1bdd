#include "acadctrl/text_functions.h"

#include "cp932/cp932.h"

namespace vorbel {

namespace {

// The position after the last occurrence of `marker`, occurrences taken from
// left to right without overlap; npos when it does not occur (an empty marker
// never occurs).
size_t AfterLastOccurrence(std::string_view marker, std::string_view text) {
  if (marker.empty()) return std::string_view::npos;
  size_t after = std::string_view::npos;
  for (size_t found = text.find(marker); found != std::string_view::npos; found = text.find(marker, after)) {
    after = found + marker.size();
  }
  return after;
}

}  // namespace

std::string TextBetween(std::string_view opener, std::string_view closer, std::string_view text) {
  const size_t start = AfterLastOccurrence(opener, text);
  if (start == std::string_view::npos) return {};
  const std::string_view rest = text.substr(start);
  const size_t end = closer.empty() ? std::string_view::npos : rest.find(closer);
  if (end == std::string_view::npos || end == 0) return {};
  return std::string(TrimBlanks(rest.substr(0, end)));
}

std::string TextAfterLast(std::string_view marker, std::string_view text) {
  const size_t start = AfterLastOccurrence(marker, text);
  if (start == std::string_view::npos) return {};
  return std::string(TrimBlanks(text.substr(start)));
}

std::string TrimZeros(std::string_view number) {
  size_t n = number.size();
  // A zero goes only while it is not the first digit after the point; the
  // first character always stays ("0" is left as it is).
  while (n > 1 && number[n - 1] == '0' && number[n - 2] != '.') --n;
  return std::string(number.substr(0, n));
}

}  // namespace vorbel
