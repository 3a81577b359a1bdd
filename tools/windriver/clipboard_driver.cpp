#include "windriver/clipboard_driver.h"

#include "platform/win32/text_codec.h"

namespace vorbel::windriver {

namespace {

// The clipboard, open for this thread, trying for a while: Wine's clipboard
// manager reads every new content and holds the clipboard meanwhile.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

TClipboardOwner::TClipboardOwner()
    : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}

TClipboardOwner::~TClipboardOwner() {
  Put({});
  if (window_) DestroyWindow(window_);
}

bool TClipboardOwner::Put(const std::vector<TClipboardItem>& items) {
  if (!window_ || !OpenClipboardPatiently(window_)) return false;
  EmptyClipboard();
  bool put = true;
  for (const TClipboardItem& item : items) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, item.bytes.size());
    if (memory) {
      item.bytes.copy(static_cast<char*>(GlobalLock(memory)), item.bytes.size());
      GlobalUnlock(memory);
    }
    if (!memory || !SetClipboardData(item.format, memory)) {
      if (memory) GlobalFree(memory);
      put = false;
    }
  }
  CloseClipboard();
  return put;
}

std::string ClipboardBytes(UINT format) {
  if (!OpenClipboardPatiently(nullptr)) return "(clipboard not open)";
  std::string bytes;
  HANDLE memory = GetClipboardData(format);
  if (const void* data = memory ? GlobalLock(memory) : nullptr) {
    bytes.assign(static_cast<const char*>(data), GlobalSize(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return bytes;
}

std::string UnicodeTextBytes(const std::string& cp932Text) {
  const std::wstring text = Cp932ToWide(cp932Text);
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

std::string SmallDib() {
  // The header and two rows of 8 bytes (6 bytes of pixels, padded to 4).
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = 2;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = 16;
  std::string dib(reinterpret_cast<const char*>(&header), sizeof(header));
  dib += std::string("\x10\x20\x30\x40\x50\x60\0\0\x70\x80\x90\xa0\xb0\xc0\0\0", 16);
  return dib;
}

}  // namespace vorbel::windriver
