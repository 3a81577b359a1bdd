// WriteMessage on a console: the text arrives as its characters whatever the
// console's code page. The test makes a console of its own, with the code
// page of an American one (437), in which code page 932 bytes would come out
// garbled, and reads back what it shows.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/process_io.h"
#include "platform/win32/text_codec.h"

namespace vorbel {
namespace {

struct TFileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

TEST(WriteMessage, AConsoleShowsTheCharacters) {
  // The standard streams stay where they are (gtest reports through them).
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  ASSERT_TRUE(SetConsoleOutputCP(437));
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(console, INVALID_HANDLE_VALUE);
  // The stream owns the handle: closing it closes the handle.
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(console), _O_WRONLY | _O_BINARY);
  ASSERT_NE(descriptor, -1);
  const std::unique_ptr<std::FILE, TFileClose> stream(_fdopen(descriptor, "wb"));
  ASSERT_NE(stream, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO before{};
  ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &before));

  const std::string message = "missing-図.dxf を開けません";
  WriteMessage(stream.get(), message + "\n");
  std::wstring shown(64, L'\0');
  DWORD read = 0;
  ASSERT_TRUE(ReadConsoleOutputCharacterW(console, shown.data(), static_cast<DWORD>(shown.size()),
                                          before.dwCursorPosition, &read));
  shown.resize(read);
  EXPECT_EQ(WideToCp932(shown.substr(0, shown.find_last_not_of(L' ') + 1)), message);
  FreeConsole();
}

}  // namespace
}  // namespace vorbel
