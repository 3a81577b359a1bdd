#include "platform/process_io.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <type_traits>

namespace vorbel {

namespace {

struct TIconvClose {
  void operator()(iconv_t converter) const { iconv_close(converter); }
};
using TIconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, TIconvClose>;

// glibc's CP932 is Microsoft's table, the one Windows converts with.
std::string Cp932ToUtf8(std::string_view text) {
  const TIconv converter(iconv_open("UTF-8", "CP932"));
  if (converter.get() == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string input(text);
  // A byte of code page 932 becomes at most three bytes of UTF-8 (U+FFFD
  // for a byte that is no character, a kana or kanji for two bytes).
  std::string output(3 * input.size(), '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  while (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
    if (errno != EILSEQ && errno != EINVAL) break;
    // No character here (or a lead byte at the end): U+FFFD for its byte.
    for (const char byte : {'\xEF', '\xBF', '\xBD'}) *out++ = byte;
    outLeft -= 3;
    ++in;
    --inLeft;
  }
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

void SetBinaryStdio() {}

void WriteMessage(std::FILE* stream, std::string_view text) {
  const std::string shown = Cp932ToUtf8(text);
  std::fwrite(shown.data(), 1, shown.size(), stream);
}

}  // namespace vorbel
