#include "acadctrl/command_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "fake_acad.h"

namespace vorbel {
namespace {

using test::TDesktopTest;
using test::TFakeAcad;
using Inputs = std::vector<std::string>;

using CommandLineTest = TDesktopTest;

TEST_F(CommandLineTest, ReadsWhatTheWindowsAnswerNotTheirCaptions) {
  TFakeAcad acad;
  acad.prompt = "オブジェクトを選択: ";
  acad.recentHistory = std::string(2000, 'h') + "総数";
  EXPECT_EQ(WindowTitle(acad.promptWnd), "Headlands");
  EXPECT_EQ(ReadCommandLine(), "オブジェクトを選択: ");
  EXPECT_EQ(ReadTextWindowLine(), acad.recentHistory);

  // The length asked first, then the text with room for the NUL, counted in
  // characters: "オブジェクトを選択: " is 11.
  sim::Desktop().received.clear();
  EXPECT_EQ(GetWindowString(acad.promptWnd), acad.prompt);
  const auto& received = sim::Desktop().received;
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].kind, "WM_GETTEXTLENGTH");
  EXPECT_EQ(received[1].kind, "WM_GETTEXT");
  EXPECT_EQ(received[1].value, 12u);

  // A window without a text of its own answers with its caption; a window
  // with an empty text is not asked for it.
  const TWindow plain = sim::Desktop().Create("キャプション", "Static", 1);
  EXPECT_EQ(GetWindowString(plain), "キャプション");
  acad.prompt.clear();
  sim::Desktop().received.clear();
  EXPECT_EQ(GetWindowString(acad.promptWnd), "");
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].kind, "WM_GETTEXTLENGTH");
}

TEST_F(CommandLineTest, GetsNothingWithoutAutoCad) {
  const TWindow look = sim::Desktop().Create("AutoCAD", test::kMainClass, 1);
  sim::Desktop().Create("Headlands", "Edit", 1, look,
                        test::AnsweringWith([] { return std::string("コマンド: "); }));
  sim::Desktop().clipboardText = "SNAPMODE = 1";

  EXPECT_EQ(FindAcadWindow(), kNoWindow);
  EXPECT_EQ(FindTextWindow(), kNoWindow);
  EXPECT_FALSE(ActivateAcad());
  EXPECT_EQ(ReadCommandLine(), "");
  EXPECT_EQ(ReadTextWindowLine(), "");
  EXPECT_EQ(LastHistoryLine(), "");
  EXPECT_EQ(GetSysVar("SNAPMODE"), "");
  EXPECT_EQ(GetSelectedCount(), 0);
  EXPECT_EQ(CopyHistory(), "");
  EXPECT_EQ(sim::Desktop().clipboardText, "SNAPMODE = 1");
  EXPECT_TRUE(sim::Desktop().received.empty());
}

TEST_F(CommandLineTest, GetsASystemVariableFromThePromptTheHistoryOrTheLastLine) {
  const std::string filler(300, '-');
  const struct {
    const char* name;
    const char* variable;
    std::string promptAfterQuery;
    std::string recentHistory;
    std::string history;
    std::string value;
    Inputs inputs;  // the query, and the cancel when the prompt offered the value
  } cases[] = {
      {"the prompt offers it",
       "SNAPMODE",
       "SNAPMODE の新しい値を入力 <0>: ",
       "コマンド: 'SNAPMODE\r\n",
       "",
       "0",
       {"'SNAPMODE\r", "\x03"}},
      {"the last of several offers",
       "FILEDIA",
       "<a> FILEDIA の新しい値を入力 < 1 >: ",
       "",
       "",
       "1",
       {"'FILEDIA\r", "\x03"}},
      {"the recent history shows it",
       "CDATE",
       "コマンド: ",
       "コマンド: 'CDATE\r\nCDATE = 20240101.1200 (読み込み専用)\r\nコマンド: ",
       "",
       "20240101.1200",
       {"'CDATE\r"}},
      {"an empty offer: the recent history",
       "SNAPMODE",
       "値 <>: ",
       "SNAPMODE = 1 (オン)",
       "",
       "1",
       {"'SNAPMODE\r"}},
      {"beyond the last 256 bytes of the recent history: the last line",
       "DBMOD",
       "コマンド: ",
       "DBMOD = 9 (x)" + filler,
       "DBMOD = 9 (x)\r\nDBMOD = 4\r\n",
       "4",
       {"'DBMOD\r"}},
      {"the last line",
       "LASTPOINT",
       "コマンド: ",
       "コマンド: ",
       "LASTPOINT = 0.0000,0.0000,0.0000",
       "0.0000,0.0000,0.0000",
       {"'LASTPOINT\r"}},
      {"nowhere",
       "NOSUCHVAR",
       "コマンド: ",
       "** 不明な変数名です **",
       "** 不明な変数名です **\r\n",
       "",
       {"'NOSUCHVAR\r"}},
  };
  for (const auto& c : cases) {
    sim::Desktop().Reset();
    TFakeAcad acad;
    acad.recentHistory = c.recentHistory;
    acad.history = c.history;
    acad.onInput = [&acad, &c](const std::string& input) {
      acad.prompt = input == "\x03" ? "コマンド: " : c.promptAfterQuery;
    };
    EXPECT_EQ(GetSysVar(c.variable), c.value) << c.name;
    EXPECT_EQ(acad.inputs, c.inputs) << c.name;
    EXPECT_EQ(sim::Desktop().clipboardText, "") << c.name;
  }
}

TEST_F(CommandLineTest, CountsTheObjectsOfTheLastSelectionOnceAutoCadIsIdle) {
  const struct {
    const char* name;
    std::string prompt;
    std::string recentHistory;
    int32_t count;
  } cases[] = {
      {"still selecting", "オブジェクトを選択: ", "SELECT\r\n総数 3\r\nオブジェクトを選択: ", 0},
      {"a prompt like the idle one", "コマンド:", "SELECT\r\n総数 3\r\nオブジェクトを選択: ", 0},
      {"the idle prompt with one blank more", "コマンド:  ", "SELECT\r\n総数 3\r\nオブジェクトを選択: ", 0},
      {"full-width prompt and mark", "コマンド: ",
       "コマンド: SELECT\r\nオブジェクトを選択: 1 個を検出、総数 3\r\nオブジェクトを選択: \r\nコマンド: ", 3},
      {"half-width prompt and mark",
       "ｺﾏﾝﾄﾞ: ", "ｺﾏﾝﾄﾞ: SELECT\r\n総数 12\r\nｵﾌﾞｼﾞｪｸﾄを選択: \r\nｺﾏﾝﾄﾞ: ", 12},
      {"the half-width mark is looked for first",
       "コマンド: ", "SELECT\r\n総数 5 オブジェクトを 6 ｵﾌﾞｼﾞｪｸﾄを選択: ", -1},
      {"the last selection counts", "コマンド: ",
       "SELECT\r\n総数 9\r\nオブジェクトを選択: \r\nコマンド: SELECT\r\n総数 2\r\nオブジェクトを選択: "
       "\r\nコマンド: ",
       2},
      {"the last total counts", "コマンド: ", "SELECT\r\n総数 1\r\n総数 2\r\nオブジェクトを選択: ", 2},
      {"a total without the object prompt", "コマンド: ", "SELECT\r\n総数 4\r\nコマンド: ", -1},
      {"a total without a number", "コマンド: ", "SELECT\r\n総数 \r\nオブジェクトを選択: ", -1},
      {"a total that is no number", "コマンド: ", "SELECT\r\n総数 3 個\r\nオブジェクトを選択: ", -1},
      {"the number found", "コマンド: ", "SELECT\r\nオブジェクトを選択: ALL 認識された数: 7", 7},
      {"the number found before the object prompt",
       "コマンド: ", "SELECT\r\n認識された数: 7\r\nオブジェクトを選択: \r\nコマンド: ", 7},
      {"the number found before the half-width prompt", "ｺﾏﾝﾄﾞ: ", "SELECT\r\n認識された数: 8 ｵﾌﾞｼﾞｪｸﾄを", 8},
      {"the number found ends its line: the lines after it are no part of it", "コマンド: ",
       "SELECT\r\n認識された数: 7\r\nコマンド: SNAPMODE\r\nSNAPMODE の新しい値を入力 <0>: 1\r\n", 7},
      {"the number found followed by other text on its line",
       "コマンド: ", "SELECT\r\n認識された数: 7 個\r\n", -1},
      {"the number found empty", "コマンド: ", "SELECT\r\n認識された数: \r\nオブジェクトを選択: ", -1},
      {"a total before SELECT is not this selection's",
       "コマンド: ", "総数 3\r\nオブジェクトを\r\nSELECT\r\n", -1},
      {"no selection in the history", "コマンド: ", "コマンド: LINE\r\n", -1},
      {"an empty history", "コマンド: ", "", -1},
  };
  for (const auto& c : cases) {
    sim::Desktop().Reset();
    TFakeAcad acad;
    acad.prompt = c.prompt;
    acad.recentHistory = c.recentHistory;
    EXPECT_EQ(GetSelectedCount(), c.count) << c.name;
    EXPECT_TRUE(acad.inputs.empty()) << c.name;
  }
}

TEST_F(CommandLineTest, WaitingForAPromptEndsWithinAPollOfAutoCadsGoing) {
  // 300 ms into a wait of 5 s, the prompt comes or AutoCAD is closed: either
  // ends the wait within a poll, and only the prompt counts as shown.
  const struct {
    const char* name;
    std::function<void(TFakeAcad&)> change;
    bool shown;
  } cases[] = {
      {"the prompt comes", [](TFakeAcad& acad) { acad.prompt = "オブジェクトを選択: "; }, true},
      {"AutoCAD is closed", [](TFakeAcad& acad) { sim::Desktop().Destroy(acad.mainWnd); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim::Desktop().Reset();
    TFakeAcad acad;
    sim::Desktop().Schedule(300, [&] { c.change(acad); });
    const uint64_t start = sim::Desktop().Now();
    EXPECT_EQ(WaitForPrompt([](std::string_view prompt) { return prompt == "オブジェクトを選択: "; }, 5000),
              c.shown);
    EXPECT_LE(sim::Desktop().Now() - start, 300u + 100u);
  }
}

}  // namespace
}  // namespace vorbel
