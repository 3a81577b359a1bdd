#include "base/cp932.h"

namespace vorbel {

namespace {
bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlankByte(text[first])) ++first;
  while (last > first && IsBlankByte(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool IsBlank(std::string_view text) { return TrimBlanks(text).empty(); }

}  // namespace vorbel
