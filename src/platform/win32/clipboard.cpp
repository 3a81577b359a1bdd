// The Win32 backend of clipboard.h: the clipboard's CF_UNICODETEXT, converted
// with code page 932 explicitly.
#include "platform/clipboard.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/win32/text_codec.h"

namespace vorbel {

namespace {

// The clipboard, open for this thread while the object lives.
class TOpenClipboard {
 public:
  TOpenClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// A global memory object, locked while the object lives.
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~TGlobalLock() {
    if (data_) GlobalUnlock(memory_);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  const void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

std::string ClipboardText() {
  TOpenClipboard clipboard;
  if (!clipboard.IsOpen()) return {};
  HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  if (!memory) return {};
  TGlobalLock lock(memory);
  if (!lock.Data()) return {};
  // The text ends at its NUL, and never beyond the memory object, even when
  // the program that put it there left the NUL out.
  const size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
  const auto* text = static_cast<const wchar_t*>(lock.Data());
  const size_t length = static_cast<size_t>(std::find(text, text + capacity, L'\0') - text);
  return WideToCp932(std::wstring_view(text, length));
}

void EmptyClipboardContents() {
  TOpenClipboard clipboard;
  if (clipboard.IsOpen()) EmptyClipboard();
}

}  // namespace vorbel
