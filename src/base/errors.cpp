#include "base/errors.h"

namespace vorbel {

namespace {
// Builds a message from a code page 932 pattern with one %s.
std::string Substitute(std::string_view pattern, std::string_view text) {
  std::string message;
  const size_t at = pattern.find("%s");
  message.reserve(pattern.size() + text.size());
  message.append(pattern.substr(0, at));
  message.append(text);
  message.append(pattern.substr(at + 2));
  return message;
}
}  // namespace

void RaiseNotInteger(std::string_view text) {
  throw TRuntimeError(Substitute("'%s' は整数ではありません", text));
}

void RaiseNotReal(std::string_view text) {
  throw TRuntimeError(Substitute("'%s' は浮動小数点数ではありません", text));
}

void RaiseCannotWrite(std::string_view path) { throw TRuntimeError(Substitute("%s に書き込めません", path)); }

void RaiseCannotOpen(std::string_view path) { throw TRuntimeError(Substitute("%s を開けません", path)); }

}  // namespace vorbel
