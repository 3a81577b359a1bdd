// How the stand-in CAD's windows look to other programs: the titles and
// class names of its main window and text window, the captions of the
// command-line windows inside them, the kinds of input its main window takes
// and the text window's command that copies the history. The headless adapter and the Win32 program both use
// them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorbel::cadsim {

// MFC frame classes: "Afx:" instance, class style, cursor, brush, icon.
constexpr std::string_view kMainWindowClass = "Afx:400000:8:10011:0:1d0129";
constexpr std::string_view kTextWindowClass = "Afx:400000:b:10011:6:1d0131";
constexpr std::string_view kCommandBarClass = "AfxControlBar42";
constexpr std::string_view kCommandLineClass = "AfxWnd42";

// Captions of the command-line windows: each answers WM_GETTEXT with its own
// text, not with its caption.
constexpr std::string_view kCommandBarTitle = "コマンド ライン";
constexpr std::string_view kPromptWindowTitle = "Headlands";
constexpr std::string_view kHistoryWindowTitle = "MountTam";

// WM_COPYDATA's dwData on the main window: typed input, and the stand-in's
// pointer input (its mouse for programs that drive it).
constexpr std::uintptr_t kTypedInput = 1;
constexpr std::uintptr_t kPointerInput = 2;

// WM_COMMAND id on the text window: the whole history onto the clipboard.
constexpr uint32_t kCopyHistoryCommand = 32781;

inline std::string MainWindowTitle(std::string_view drawingName) {
  return "AutoCAD 2000 - [" + std::string(drawingName) + "]";
}

inline std::string TextWindowTitle(std::string_view drawingName) {
  return "AutoCAD テキスト ウィンドウ - " + std::string(drawingName);
}

}  // namespace vorbel::cadsim
