// Owners of the Windows handles the stand-in's shell uses: each releases its
// handle when it goes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace vorbel::cadsim {

struct TWindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
// A window this program created; destroyed with its children.
using TWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDestroyer>;

struct TGdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A font, pen, brush or bitmap.
template <typename T>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<T>, TGdiDeleter>;

struct TDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using TMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, TDcDeleter>;

// An object selected into a device context while the owner lives.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelectObject() { SelectObject(dc_, old_); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint .. EndPaint.
class TPaint {
 public:
  explicit TPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaint() { EndPaint(window_, &paint_); }
  TPaint(const TPaint&) = delete;
  TPaint& operator=(const TPaint&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A registered window class, unregistered when the owner goes.
class TWindowClass {
 public:
  TWindowClass(HINSTANCE instance, std::wstring name, WNDCLASSEXW description)
      : instance_(instance), name_(std::move(name)) {
    description.lpszClassName = name_.c_str();
    atom_ = RegisterClassExW(&description);
  }
  ~TWindowClass() {
    if (atom_ != 0) UnregisterClassW(name_.c_str(), instance_);
  }
  TWindowClass(const TWindowClass&) = delete;
  TWindowClass& operator=(const TWindowClass&) = delete;
  bool Registered() const { return atom_ != 0; }

 private:
  HINSTANCE instance_;
  std::wstring name_;
  ATOM atom_ = 0;
};

// The clipboard, open for a window while the owner lives.
class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

struct TGlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
// Global memory until the clipboard takes it over (release()).
using TGlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, TGlobalFreer>;

}  // namespace vorbel::cadsim
