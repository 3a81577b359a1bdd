// The Win32 backend of clipboard.h: the clipboard's CF_UNICODETEXT, converted
// with code page 932 explicitly, and its memory formats saved and put back.
#include "platform/clipboard.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <type_traits>

#include "platform/win32/text_codec.h"

namespace vorbel {

namespace {

// Another program (a clipboard viewer reading what was just put there) may
// hold the clipboard open for a moment.
constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenRetryMs = 10;

// The clipboard, open for this thread while the object lives.
class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner = nullptr) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      if (attempt > 0) Sleep(kOpenRetryMs);
      open_ = OpenClipboard(owner) != FALSE;
    }
  }
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
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
  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

struct TGlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
// Global memory until the clipboard takes it over (release()).
using TGlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, TGlobalFreer>;

// A message-only window to own the clipboard while the contents are put
// back: after EmptyClipboard with no owner, SetClipboardData may fail. The
// data stays on the clipboard when the window is gone.
class TMessageWindow {
 public:
  TMessageWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~TMessageWindow() {
    if (window_) DestroyWindow(window_);
  }
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// Formats whose data is a global memory object. Bitmaps, palettes and
// metafiles are GDI handles, owner-display and private formats hold what only
// their owner understands (CF_DSPTEXT goes with such data).
bool IsMemoryFormat(UINT format) {
  switch (format) {
    case CF_TEXT:
    case CF_SYLK:
    case CF_DIF:
    case CF_TIFF:
    case CF_OEMTEXT:
    case CF_DIB:
    case CF_PENDATA:
    case CF_RIFF:
    case CF_WAVE:
    case CF_UNICODETEXT:
    case CF_HDROP:
    case CF_LOCALE:
    case CF_DIBV5:
      return true;
    default:
      return format >= 0xC000;  // registered formats (RegisterClipboardFormat)
  }
}

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

std::optional<TClipboardContents> SaveClipboardContents() {
  TOpenClipboard clipboard;
  if (!clipboard.IsOpen()) return std::nullopt;
  TClipboardContents contents;
  // Formats Windows synthesises (CF_TEXT from CF_UNICODETEXT, CF_DIBV5 from
  // CF_DIB) are listed and saved as well; put back, they read the same.
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (!IsMemoryFormat(format)) continue;
    HANDLE memory = GetClipboardData(format);  // asks an owner that renders on demand
    if (!memory) continue;
    TGlobalLock lock(memory);
    if (!lock.Data()) continue;
    contents.push_back({format, std::string(static_cast<const char*>(lock.Data()), GlobalSize(memory))});
  }
  return contents;
}

void RestoreClipboardContents(const TClipboardContents& contents) {
  const TMessageWindow owner;
  const TOpenClipboard clipboard(owner.Handle());
  if (!clipboard.IsOpen()) return;
  EmptyClipboard();
  for (const TClipboardData& data : contents) {
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, data.bytes.size()));
    if (!memory) continue;
    {
      const TGlobalLock lock(memory.get());
      if (!lock.Data()) continue;
      std::copy(data.bytes.begin(), data.bytes.end(), static_cast<char*>(lock.Data()));
    }
    // The clipboard owns the memory once it took it.
    if (SetClipboardData(data.format, memory.get()) != nullptr) memory.release();
  }
}

}  // namespace vorbel
