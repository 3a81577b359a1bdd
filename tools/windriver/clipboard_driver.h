// The clipboard as a user's other programs fill it: formats put on it by a
// window of the driving program, and their bytes read back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vorbel::windriver {

struct TClipboardItem {
  UINT format;
  std::string bytes;
};

// A message-only window that owns the clipboard as a user's program would;
// it leaves the clipboard empty when it goes.
class TClipboardOwner {
 public:
  TClipboardOwner();
  ~TClipboardOwner();
  TClipboardOwner(const TClipboardOwner&) = delete;
  TClipboardOwner& operator=(const TClipboardOwner&) = delete;

  // Empties the clipboard and puts the items on it; false when that failed.
  bool Put(const std::vector<TClipboardItem>& items);

 private:
  HWND window_;
};

// The bytes of a format's memory object on the clipboard; empty when it holds
// no such format.
std::string ClipboardBytes(UINT format);

// A text as the bytes of CF_UNICODETEXT, its NUL included.
std::string UnicodeTextBytes(const std::string& cp932Text);
// A 2 x 2 pixel, 24-bit DIB.
std::string SmallDib();

}  // namespace vorbel::windriver
