// The runtime errors of the program.
//
// A failed number conversion or file operation raises TRuntimeError with the
// runtime's message in code page 932. It ends the running handler and is shown
// once, by the event dispatch, in the standard error box.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vorbel {

class TRuntimeError : public std::runtime_error {
 public:
  explicit TRuntimeError(const std::string& message) : std::runtime_error(message) {}
};

// "'%s' は整数ではありません"
[[noreturn]] void RaiseNotInteger(std::string_view text);
// "'%s' は浮動小数点数ではありません"
[[noreturn]] void RaiseNotReal(std::string_view text);
// "%s に書き込めません"
[[noreturn]] void RaiseCannotWrite(std::string_view path);
// "%s を開けません"
[[noreturn]] void RaiseCannotOpen(std::string_view path);

}  // namespace vorbel
