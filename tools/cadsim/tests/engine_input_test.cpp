// Typed input as the command line reads it: what ends an input, cancels,
// transparent commands, the prompts offered and the history written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/cad_engine.h"

namespace vorbel {
namespace {

using cadsim::TCadEngine;

std::vector<std::string> HistoryLines(const std::string& history) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < history.size()) {
    const size_t end = history.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every history line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(history.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(CadSimInput, TypedKeysGiveThePromptAndHistoryOfTheCommandLine) {
  struct TCase {
    const char* name;
    std::string keys;
    std::string prompt;
    std::vector<std::string> history;
    int32_t snapMode;
  };
  const std::vector<TCase> cases = {
      {"nothing typed", "", "コマンド: ", {}, 0},
      {"a blank ends the command name",
       "SNAPMODE ",
       "SNAPMODE の新しい値を入力 <0>: ",
       {"コマンド: SNAPMODE"},
       0},
      {"CR ends it as well",
       "SNAPMODE\r1\r",
       "コマンド: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: 1"},
       1},
      {"the prompt offers the current value",
       "SNAPMODE 1 SNAPMODE ",
       "SNAPMODE の新しい値を入力 <1>: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: 1", "コマンド: SNAPMODE"},
       1},
      {"an empty answer keeps the value",
       "SNAPMODE 1 SNAPMODE \r",
       "コマンド: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: 1", "コマンド: SNAPMODE",
        "SNAPMODE の新しい値を入力 <1>: "},
       1},
      {"names in any letter case, with an underscore",
       "_snapmode 1 ",
       "コマンド: ",
       {"コマンド: _snapmode", "SNAPMODE の新しい値を入力 <0>: 1"},
       1},
      {"an unfinished input stays on the prompt line", "SNAP", "コマンド: SNAP", {}, 0},
      {"a cancel at the idle prompt",
       "\x03\x03",
       "コマンド: ",
       {"コマンド: *キャンセル*", "コマンド: *キャンセル*"},
       0},
      {"a transparent query cancelled",
       "'SNAPMODE\r\x03",
       "コマンド: ",
       {"コマンド: 'SNAPMODE", "SNAPMODE の新しい値を入力 <0>: *キャンセル*"},
       0},
      {"a cancel drops what was typed",
       "SNAPMODE 1\x03",
       "コマンド: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: 1*キャンセル*"},
       0},
      {"a value out of range is refused",
       "SNAPMODE 2 ",
       "SNAPMODE の新しい値を入力 <0>: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: 2", "0 から 1 までの整数を入力してください。"},
       0},
      {"a hexadecimal value is no value",
       "SNAPMODE $1 ",
       "SNAPMODE の新しい値を入力 <0>: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: $1", "0 から 1 までの整数を入力してください。"},
       0},
      {"an unknown command",
       "FOO ",
       "コマンド: ",
       {"コマンド: FOO", "未定義のコマンド \"FOO\"。F1 キーを押すとヘルプが表示されます。"},
       0},
      {"an empty input at the idle prompt repeats the last command",
       "SNAPMODE 1  ",
       "SNAPMODE の新しい値を入力 <1>: ",
       {"コマンド: SNAPMODE", "SNAPMODE の新しい値を入力 <0>: 1", "コマンド: "},
       1},
      {"a transparent command inside SELECT",
       "SELECT 'SNAPMODE\r1 ",
       "オブジェクトを選択: ",
       {"コマンド: SELECT", "オブジェクトを選択: 'SNAPMODE", ">>SNAPMODE の新しい値を入力 <0>: 1",
        "SELECT コマンドを再開します。"},
       1},
      {"the transparent prompt while it runs",
       "SELECT 'SNAPMODE ",
       ">>SNAPMODE の新しい値を入力 <0>: ",
       {"コマンド: SELECT", "オブジェクトを選択: 'SNAPMODE"},
       0},
      {"a cancel ends both commands",
       "SELECT 'SNAPMODE \x03",
       "コマンド: ",
       {"コマンド: SELECT", "オブジェクトを選択: 'SNAPMODE", ">>SNAPMODE の新しい値を入力 <0>: *キャンセル*"},
       0},
      {"ERASE cannot run transparently",
       "SELECT 'ERASE ",
       "オブジェクトを選択: ",
       {"コマンド: SELECT", "オブジェクトを選択: 'ERASE", "** このコマンドは透過的に使用できません **"},
       0},
      {"a command name inside SELECT is no selection",
       "SELECT SNAPMODE ",
       "オブジェクトを選択: ",
       {"コマンド: SELECT", "オブジェクトを選択: SNAPMODE", "*無効な選択です*",
        "点を指定するか、または [すべて(ALL)/最後(L)/追加(A)/除外(R)/前回(P)]"},
       0},
      {"a blank does not end a file name",
       "DXFOUT C:\\My Files\\a b",
       "ファイル名を入力 <Drawing1.dxf>: C:\\My Files\\a b",
       {"コマンド: DXFOUT"},
       0},
      {"a file name ends with CR",
       "DXFOUT C:\\My Files\\a b\r",
       "精度の小数点以下の桁数を入力 (0 - 16) または [オブジェクト(O)/バージョン(V)/バイナリ(B)] <16>: ",
       {"コマンド: DXFOUT", "ファイル名を入力 <Drawing1.dxf>: C:\\My Files\\a b"},
       0},
      {"the -INSERT name prompt takes a file name",
       "-INSERT *a b",
       "ブロック名を入力 または [?]: *a b",
       {"コマンド: -INSERT"},
       0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine;
    engine.Type(c.keys);
    EXPECT_EQ(engine.PromptText(), c.prompt);
    EXPECT_EQ(HistoryLines(engine.FullHistory()), c.history);
    EXPECT_EQ(engine.SnapMode(), c.snapMode);
  }
}

TEST(CadSimInput, CopyDataIsTypedInputUpToItsNul) {
  struct TCase {
    const char* name;
    std::uintptr_t dwData;
    std::string bytes;
    int32_t fileDia;
  };
  const std::vector<TCase> cases = {
      {"typed input", 1, std::string("FILEDIA 0 \0", 11), 0},
      {"bytes after the NUL are not read", 1, std::string("FILEDIA 0 \0FILEDIA 1 ", 21), 0},
      {"another kind of data is not typed", 5, std::string("FILEDIA 0 \0", 11), 1},
      {"without a NUL every byte counts", 1, "FILEDIA\r0\r", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCadEngine engine;
    engine.OnCopyData(c.dwData, c.bytes);
    EXPECT_EQ(engine.FileDia(), c.fileDia);
    EXPECT_EQ(engine.PromptText(), "コマンド: ");
  }
}

TEST(CadSimInput, RecentHistoryIsTheLastLinesOfAHistoryOfBoundedLength) {
  struct TCase {
    size_t queries;
    size_t recentLines;
    size_t fullLines;
  };
  // Each cancelled query writes two lines.
  const std::vector<TCase> cases = {{1, 2, 2}, {100, 200, 200}, {101, 200, 202}, {1500, 200, 2000}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.queries);
    TCadEngine engine;
    for (size_t i = 0; i < c.queries; ++i)
      engine.Type(i + 1 == c.queries ? "'FILEDIA\r\x03" : "'SNAPMODE\r\x03");
    const std::vector<std::string> recent = HistoryLines(engine.RecentHistory());
    const std::vector<std::string> full = HistoryLines(engine.FullHistory());
    EXPECT_EQ(recent.size(), c.recentLines);
    EXPECT_EQ(full.size(), c.fullLines);
    EXPECT_EQ(recent.back(), "FILEDIA の新しい値を入力 <1>: *キャンセル*");
    EXPECT_EQ(full.back(), recent.back());
  }
}

}  // namespace
}  // namespace vorbel
