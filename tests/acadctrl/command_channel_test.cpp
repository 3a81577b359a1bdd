#include "acadctrl/command_channel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "acadctrl/command_line.h"
#include "fake_acad.h"
#include "platform/clipboard.h"

namespace vorbel {
namespace {

using test::TDesktopTest;
using test::TFakeAcad;

using CommandChannelTest = TDesktopTest;

// A command of `length` bytes with double-byte characters in it, as an export
// to a folder with a Japanese name is.
std::string CommandOfLength(size_t length) {
  std::string command = "DXFOUT C:\\図面\\";
  while (command.size() < length) command += command.size() % 7 == 0 ? "x" : "書";
  command.resize(length);
  return command;
}

TEST_F(CommandChannelTest, SendsTheWholeCommandWithItsNulAndWakesAutoCad) {
  const std::string commands[] = {"",
                                  "SELECT ",
                                  "\x03\x03"
                                  "ERASE P \r",
                                  CommandOfLength(254),
                                  CommandOfLength(255),
                                  CommandOfLength(256),
                                  CommandOfLength(600)};
  for (const std::string& command : commands) {
    sim::Desktop().Reset();
    TFakeAcad other(2);
    TFakeAcad acad(1);  // higher in the window order
    SendCommand(command);

    const std::string name = "command of " + std::to_string(command.size()) + " bytes";
    const auto& received = sim::Desktop().received;
    ASSERT_EQ(received.size(), 2u) << name;
    EXPECT_EQ(received[0].window, acad.mainWnd) << name;
    EXPECT_EQ(received[0].kind, "WM_COPYDATA") << name;
    EXPECT_EQ(received[0].value, 1u) << name;
    // cbData is the length with the NUL: 256 for a 255-byte command.
    EXPECT_EQ(received[0].bytes.size(), command.size() + 1) << name;
    EXPECT_EQ(received[0].bytes, command + '\0') << name;
    EXPECT_EQ(received[1].window, acad.mainWnd) << name;
    EXPECT_EQ(received[1].kind, "WM_NULL") << name;
    EXPECT_EQ(acad.inputs, std::vector<std::string>{command}) << name;
    EXPECT_TRUE(other.inputs.empty()) << name;
  }
}

TEST_F(CommandChannelTest, SendsNothingWithoutAutoCad) {
  sim::Desktop().Create("AutoCAD", test::kMainClass, 1);
  SendCommand("SELECT ");
  EXPECT_TRUE(sim::Desktop().received.empty());
}

TEST_F(CommandChannelTest, CopiesTheHistoryAndGivesBackWhatTheClipboardHeld) {
  const std::string history = "コマンド: SELECT\r\nオブジェクトを選択: \r\nコマンド: ";
  const struct {
    const char* name;
    std::function<void()> setUp;  // puts windows on the desktop
    std::string copied;
    int commandsReceived;  // WM_COMMAND messages anyone received
  } cases[] = {
      {"AutoCAD running", [] {}, history, 1},
      {"no AutoCAD", [] { sim::Desktop().Reset(); }, "", 0},
      {"no text window",
       [] {
         sim::Desktop().Reset();
         sim::Desktop().Create(test::kMainTitle, test::kMainClass, 1);
       },
       "", 0},
      {"a text window of another AutoCAD only",
       [] {
         sim::Desktop().Reset();
         sim::Desktop().Create(test::kMainTitle, test::kMainClass, 1);
         sim::Desktop().Create(test::kTextTitle, test::kTextClass, 2, kNoWindow,
                               test::CommandedBy([](uint32_t) { sim::Desktop().clipboardText = "other"; }));
       },
       "", 0},
  };
  // What the user had copied: nothing, or a text and a spreadsheet's format.
  const struct {
    std::string text;
    TClipboardContents other;
  } userCopies[] = {{"", {}}, {"利用者がコピーした文字列", {{0xC0F1, std::string("\x01\x00\xff", 3)}}}};
  for (const auto& c : cases) {
    for (const auto& userCopy : userCopies) {
      sim::Desktop().Reset();
      TFakeAcad acad;
      acad.history = history;
      c.setUp();
      sim::Desktop().clipboardText = userCopy.text;
      sim::Desktop().clipboardOther = userCopy.other;

      EXPECT_EQ(CopyHistory(), c.copied) << c.name;
      EXPECT_EQ(sim::Desktop().clipboardText, userCopy.text) << c.name;
      EXPECT_EQ(sim::Desktop().clipboardOther, userCopy.other) << c.name;
      int commands = 0;
      for (const auto& message : sim::Desktop().received) {
        if (message.kind != "WM_COMMAND") continue;
        ++commands;
        EXPECT_EQ(message.window, acad.textWnd) << c.name;
        EXPECT_EQ(message.value, 32781u) << c.name;
      }
      EXPECT_EQ(commands, c.commandsReceived) << c.name;
    }
  }
}

TEST_F(CommandChannelTest, TakesTheLastLineOfTheHistory) {
  const struct {
    const char* history;
    const char* last;
  } cases[] = {
      {"コマンド: SELECT\r\nオブジェクトを選択: \r\n", "オブジェクトを選択: "},  // ends with a line break
      {"コマンド: SELECT\r\nオブジェクトを選択: ", "オブジェクトを選択: "},      // without one
      {"コマンド: SELECT\r\n\r\n", ""},                                          // an empty last line
      {"", ""},                                                                  // an empty clipboard
      {"SNAPMODE = 0", "SNAPMODE = 0"},
      {"\r\n", ""},
      {"a\r\nb\r", "b"},
      {"a\nbc\n", "bc"},  // a lone break is cut alone
      {"a\rbc\r", "bc"},
      {"a\r\n\n", ""},
  };
  for (const auto& c : cases) {
    sim::Desktop().Reset();
    TFakeAcad acad;
    acad.history = c.history;
    EXPECT_EQ(LastHistoryLine(), c.last) << c.history;
    EXPECT_EQ(sim::Desktop().clipboardText, "");
  }
}

}  // namespace
}  // namespace vorbel
