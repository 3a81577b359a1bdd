#include "platform/process_io.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "platform/win32/text_codec.h"

namespace vorbel {

namespace {
struct TLocalFree {
  void operator()(LPWSTR* p) const { LocalFree(p); }
};
}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  // argv holds the arguments in the system's ANSI code page; the wide command
  // line converted to code page 932 does not depend on it.
  int count = 0;
  std::unique_ptr<LPWSTR, TLocalFree> wide(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(WideToCp932(wide.get()[i]));
  return arguments;
}

void SetBinaryStdio() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void WriteMessage(std::FILE* stream, std::string_view text) {
  // What was written to the stream before goes out first.
  std::fflush(stream);
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
    // A file or a pipe: the code page 932 bytes, like the program's data.
    std::fwrite(text.data(), 1, text.size(), stream);
    return;
  }
  const std::wstring wide = Cp932ToWide(text);
  DWORD written = 0;
  WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace vorbel
