#include "base/line_list.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/files.h"
#include "platform/file_path.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using Lines = std::vector<std::string>;

TEST(LineList, SplitsAtEveryKindOfLineBreak) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
      {std::string("\0abc", 4), {}},
      {"日本語\r\nｶﾅ\r\n", {"日本語", "ｶﾅ"}},
      {"  0\r\nSECTION  \r\n", {"  0", "SECTION  "}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TLineList::FromBytes(c.bytes).ToStrings(), c.lines) << c.bytes;
  }
}

TEST(LineList, WritesEveryLineWithCrLf) {
  EXPECT_EQ(TLineList::FromStrings({"a", "", "b"}).ToBytes(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(TLineList().ToBytes(), "");
}

TEST(LineList, EditsKeepTheOtherLines) {
  TLineList list = TLineList::FromStrings({"a", "b", "c", "d"});
  list.Replace(1, "BB");
  list.Replace(2, list[0]);  // a line of the list itself
  EXPECT_EQ(list.ToStrings(), (Lines{"a", "BB", "a", "d"}));
  list.Erase(1, 2);
  EXPECT_EQ(list.ToStrings(), (Lines{"a", "d"}));
  list.Erase(5, 1);
  list.Erase(1, 10);
  EXPECT_EQ(list.ToStrings(), (Lines{"a"}));
  list.AppendRange(list, 0, 0);
  EXPECT_EQ(list.ToStrings(), (Lines{"a", "a"}));
  TLineList blank;
  blank.push_back("");
  blank.Replace(0, "");
  EXPECT_EQ(blank.ToBytes(), "\r\n");
  TLineList flagged = TLineList::FromStrings({"1", "2", "3", "4"});
  flagged.EraseFlagged({true, false, true, false});
  EXPECT_EQ(flagged.ToStrings(), (Lines{"2", "4"}));
}

TEST(LineList, ViewsStayValidWhileLinesAreAddedAndReplaced) {
  TLineList list = TLineList::FromBytes("  5\r\n1A\r\n");
  const std::string_view fileLine = list[1];
  list.push_back("first added");
  const std::string_view added = list[2];
  // Enough lines, long and short, to need many chunks.
  for (int i = 0; i < 20000; ++i) list.Replace(1, std::string(static_cast<size_t>(i % 300), 'x'));
  list.push_back(std::string(3 << 20, 'y'));
  list.push_back(list[2]);
  EXPECT_EQ(fileLine, "1A");
  EXPECT_EQ(added, "first added");
  EXPECT_EQ(list[4], "first added");
  EXPECT_EQ(list[3].size(), 3u << 20);
  const TLineList copy = list;
  EXPECT_EQ(copy, list);
  EXPECT_EQ(copy.ToBytes(), list.ToBytes());
}

TEST(LineFile, SavesAndLoadsTheSameLines) {
  test::TTempDir dir;
  const std::string path = dir.File("x.dxf");
  const TLineList lines = TLineList::FromStrings({"  0", "TEXT", "  1", "日本語 ", ""});
  SaveLines(path, lines);
  EXPECT_EQ(test::ReadBytes(path), "  0\r\nTEXT\r\n  1\r\n日本語 \r\n\r\n");
  EXPECT_EQ(LoadLines(path), lines);
  // Saving again replaces the file whole.
  SaveLines(path, TLineList::FromStrings({"x"}));
  EXPECT_EQ(test::ReadBytes(path), "x\r\n");
}

TEST(LineFile, JapaneseFolderNamesWork) {
  test::TTempDir dir;
  const std::string folder = dir.File("図面 フォルダ");
  std::filesystem::create_directory(FilePath(folder));
  const std::string path = folder + "/端子番号.dxf";
  SaveLines(path, TLineList::FromStrings({"a"}));
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(LoadLines(path).ToStrings(), (Lines{"a"}));
  EXPECT_TRUE(DeleteFileAt(path));
  EXPECT_FALSE(FileExists(path));
}

TEST(LineFile, FailuresRaiseTheRuntimeMessages) {
  test::TTempDir dir;
  const std::string missing = dir.File("no-such-folder") + "/x.dxf";
  try {
    SaveLines(missing, TLineList::FromStrings({"a"}));
    FAIL() << "no error";
  } catch (const TRuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), missing + " に書き込めません");
  }
  EXPECT_FALSE(FileExists(missing));
  try {
    LoadLines(missing);
    FAIL() << "no error";
  } catch (const TRuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), missing + " を開けません");
  }
}

TEST(LineFile, AFailedSaveLeavesTheOldFile) {
  test::TTempDir dir;
  const std::string path = dir.File("old.dxf");
  SaveLines(path, TLineList::FromStrings({"old"}));
  // A directory where the temporary file would go makes the write fail.
  std::filesystem::create_directory(FilePath(path + ".vorbel-tmp"));
  EXPECT_THROW(SaveLines(path, TLineList::FromStrings({"new"})), TRuntimeError);
  EXPECT_EQ(test::ReadBytes(path), "old\r\n");
}

}  // namespace
}  // namespace vorbel
