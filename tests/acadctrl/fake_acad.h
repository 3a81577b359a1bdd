// A small AutoCAD on the simulated desktop for the CAD link's native tests:
// the main window with its prompt window, the text window with its history
// window, all created by one thread, answering from texts the test sets.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/sim_desktop.h"

namespace vorbel::test {

constexpr const char* kMainTitle = "AutoCAD 2000 - [test.dwg]";
constexpr const char* kMainClass = "Afx:400000:8:10011:0:1234";
constexpr const char* kTextTitle = "AutoCAD テキスト ウィンドウ - test.dwg";
constexpr const char* kTextClass = "Afx:400000:b:10011:6:0";
constexpr const char* kPromptTitle = "Headlands";
constexpr const char* kHistoryTitle = "MountTam";

class TFakeAcad {
 public:
  // Puts the windows on the simulated desktop, on top of the window order.
  explicit TFakeAcad(uint32_t threadId = 1);
  TFakeAcad(const TFakeAcad&) = delete;
  TFakeAcad& operator=(const TFakeAcad&) = delete;

  TWindow mainWnd;
  TWindow promptWnd;
  TWindow textWnd;
  TWindow historyWnd;

  std::string prompt = "コマンド: ";  // what the prompt window answers
  std::string recentHistory;          // what the history window answers
  std::string history;                // what goes on the clipboard
  // The typed inputs as they arrived, each up to its NUL.
  std::vector<std::string> inputs;
  // Called after an input was recorded, to change what AutoCAD shows.
  std::function<void(const std::string& input)> onInput;
};

// An owner that answers WM_GETTEXT with what `text` gives.
sim::TWindowOwner AnsweringWith(std::function<std::string()> text);
// An owner that handles WM_COMMAND.
sim::TWindowOwner CommandedBy(std::function<void(uint32_t commandId)> command);

// A test on a simulated desktop that starts and ends empty.
class TDesktopTest : public ::testing::Test {
 protected:
  TDesktopTest() { sim::Desktop().Reset(); }
  ~TDesktopTest() override { sim::Desktop().Reset(); }
};

}  // namespace vorbel::test
