// vorbel.exe as a user works it: its main window and controls, found by
// caption, class and place, and the program started from a folder of its
// own.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "windriver/process.h"

namespace vorbel::windriver {

struct TVorbelWindow {
  HWND form = nullptr;
  HWND select = nullptr;
  HWND sort = nullptr;
  HWND update = nullptr;
  HWND make = nullptr;
  HWND close = nullptr;
  HWND checkXpit = nullptr;
  HWND checkYpit = nullptr;
  HWND checkXYpit = nullptr;
  HWND memo = nullptr;
  HWND edit1 = nullptr;   // dX, the upper of the two single-line edits
  HWND edit2 = nullptr;   // dY
  HWND label1 = nullptr;  // the number of texts read, the upper of the two counters
  HWND label3 = nullptr;  // the line counter

  // Every control was found.
  bool Complete() const;
  std::vector<std::string> MemoLines() const;
  bool Minimized() const;
  bool Enabled(HWND control) const;
  bool Checked(HWND control) const;
  void Click(HWND control) const;
  // A single-line edit's text, as typing it would leave it.
  void SetText(HWND edit, const std::string& text) const;
  // The memo's whole text replaced as a paste would replace it, so the
  // program sees the change the way it sees the user's.
  void PasteIntoMemo(const std::string& text) const;
};

// The controls of the main window `form` (its counters while they show "0").
TVorbelWindow VorbelControls(HWND form);

// vorbel.exe in `folder` (copied there unless it is there already), with
// `settings` as its settings file (none when empty), started with
// `arguments`.
class TVorbelProgram {
 public:
  TVorbelProgram(const std::filesystem::path& exe, const std::filesystem::path& folder,
                 const std::string& settings, const std::vector<std::string>& arguments = {});

  // The main window once shown; not Complete() when it did not come.
  const TVorbelWindow& Window() const { return window_; }
  TProcess& Process() { return *process_; }
  // Closes the main window as its close button does; the exit code, or -1.
  long Close();

 private:
  std::unique_ptr<TProcess> process_;
  TVorbelWindow window_;
};

}  // namespace vorbel::windriver
