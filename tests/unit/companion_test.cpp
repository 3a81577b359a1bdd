#include "vorbel-dxf/companion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>

#include "base/files.h"
#include "dxf/text_ents.h"
#include "support/dxf_builder.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using test::SelectionFile;
using test::TextEntity;

// A message as it reaches the reader: UTF-8 on Linux; on Windows, written
// to a file, the code page 932 bytes of the program (the literals here).
#ifdef _WIN32
std::string Shown(const char* cp932, const char8_t*) { return cp932; }
#else
std::string Shown(const char*, const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }
#endif
#define SHOWN(text) Shown(text, u8##text)

struct TRun {
  int status;
  std::string out;
  std::string err;
};

struct TFileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileClose>;

std::string ReadBack(std::FILE* file) {
  std::rewind(file);
  std::string bytes;
  char buffer[4096];
  while (const size_t got = std::fread(buffer, 1, sizeof buffer, file)) bytes.append(buffer, got);
  return bytes;
}

// The companion with its standard output and error redirected to files.
TRun RunTool(const std::vector<std::string>& args) {
  const TFile out(std::tmpfile());
  const TFile err(std::tmpfile());
  TRun run{};
  run.status = RunCompanion(args, out.get(), err.get());
  run.out = ReadBack(out.get());
  run.err = ReadBack(err.get());
  return run;
}

class CompanionTest : public testing::Test {
 protected:
  void SetUp() override {
    exported_ = dir_.File("sel.dxf");
    SaveLines(exported_, SelectionFile({TextEntity("1A", "0.0", "0.0", "端子1"),
                                        TextEntity("1B", "0.0", "-5.0", "端子2")}));
  }
  std::string Lines(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    test::WriteBytes(path, bytes);
    return path;
  }
  test::TTempDir dir_;
  std::string exported_;
};

TEST_F(CompanionTest, ListsTheTextsOnePerLine) {
  const TRun run = RunTool({"list", exported_});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "端子1\r\n端子2\r\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CompanionTest, SortListsAndUpdatesInCoordinateOrder) {
  // A row written right to left.
  const std::string row = dir_.File("row.dxf");
  SaveLines(row, SelectionFile({TextEntity("1A", "20.0", "0.0", "c"), TextEntity("1B", "10.0", "0.0", "b"),
                                TextEntity("1C", "0.0", "0.0", "a")}));
  EXPECT_EQ(RunTool({"list", row}).out, "c\r\nb\r\na\r\n");
  EXPECT_EQ(RunTool({"list", "--sort", row}).out, "a\r\nb\r\nc\r\n");
  const std::string out = dir_.File("out.dxf");
  ASSERT_EQ(RunTool({"update", "--sort", row, Lines("l.txt", "A\r\nB\r\n"), out}).status, 0);
  EXPECT_EQ(RunTool({"list", out}).out, "B\r\nA\r\n") << "c, the last in coordinate order, is gone";
}

TEST_F(CompanionTest, UpdateWritesTheUpdateFile) {
  const std::string out = dir_.File("out.dxf");
  const TRun run = RunTool({"update", exported_, Lines("l.txt", "X-1\r\n\r\n"), out});
  ASSERT_EQ(run.status, 0) << run.err;
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(LoadLines(out), ents), 1);
  EXPECT_EQ(ents[0].Text, "X-1");
  EXPECT_EQ(ents[0].Handle, "1A");
}

TEST_F(CompanionTest, MakeWritesTheCreationFile) {
  const std::string out = dir_.File("new.dxf");
  const TRun run =
      RunTool({"make", exported_, Lines("l.txt", "a\nb\n\nc\n\n\n"), out, "--dx", "0", "--dy", "-5"});
  ASSERT_EQ(run.status, 0) << run.err;
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(LoadLines(out), ents), 3);
  // The largest handle is the header's seed 30 (48): handles from 480 on.
  EXPECT_EQ(ents[0].Handle, "1E0");
  EXPECT_EQ(ents[1].Handle, "1E1");
  EXPECT_EQ(ents[2].Handle, "1E3");
  EXPECT_EQ(ents[2].InsPoint.Y, -15);
  EXPECT_EQ(ents[2].Text, "c");
}

TEST_F(CompanionTest, HelpAndVersionAnswerOnStandardOutput) {
  const std::vector<std::vector<std::string>> asks = {
      {"--help"}, {"-h"}, {"list", exported_, "--help"}, {"make", "-h", "--bogus"}};
  for (const auto& args : asks) {
    const TRun run = RunTool(args);
    EXPECT_EQ(run.status, 0) << args[0];
    EXPECT_TRUE(run.out.starts_with("usage: vorbel-dxf list")) << run.out;
    EXPECT_EQ(run.err, "");
  }
  const TRun run = RunTool({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("vorbel-dxf [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST_F(CompanionTest, WrongUsageShowsTheUsageOnStandardError) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"list"},
      {"frobnicate", exported_},
      {"update", exported_, "l.txt"},
      {"make", exported_, "l.txt", "o.dxf", "--dx", "1"},
      {"list", "--bogus", exported_},
      {"make", exported_, "l.txt", "o.dxf", "--dx", "--help"},
  };
  for (const auto& args : cases) {
    const TRun run = RunTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("usage: vorbel-dxf list")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(CompanionTest, ErrorsNameTheCauseAndWriteNothing) {
  const std::string out = dir_.File("out.dxf");
  const std::string cut = Lines("cut.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nTEXT\r\n");
  const std::string bad = Lines("bad.dxf",
                                "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nTEXT\r\n 10\r\nabc\r\n"
                                "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  const std::string none =
      Lines("none.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  const std::string lines = Lines("l.txt", "a\r\n");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"list", cut}, "incomplete"},
      {{"update", cut, lines, out}, "incomplete"},
      {{"list", bad}, SHOWN("'abc' は浮動小数点数ではありません\n")},
      {{"make", bad, lines, out, "--dx", "1", "--dy", "1"}, SHOWN("'abc' は浮動小数点数ではありません")},
      {{"list", "missing-図.dxf"}, SHOWN("missing-図.dxf を開けません\n")},
      // A byte that is no character of code page 932 (a file name on Linux).
      {{"list", "missing-\xFF.dxf"}, Shown("missing-\xFF.dxf を開", u8"missing-\uFFFD.dxf を開")},
      {{"update", none, lines, out}, "no TEXT entity"},
      {{"make", exported_, lines, out, "--dx", "x", "--dy", "1"}, SHOWN("'x' は浮動小数点数ではありません")},
      {{"make", exported_, Lines("blank.txt", "\r\n  \r\n\r\n"), out, "--dx", "1", "--dy", "1"}, "no line"},
      {{"update", exported_, lines, dir_.File("no-folder") + "/out.dxf"}, SHOWN("に書き込めません")},
  };
  for (const auto& c : cases) {
    const TRun run = RunTool(c.args);
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(FileExists(out)) << c.message;
  }
  // The one well-formed empty selection lists nothing and succeeds.
  EXPECT_EQ(RunTool({"list", none}).status, 0);
}

TEST_F(CompanionTest, CheckPrintsItsFindingsAndTellsThemByItsStatus) {
  // A column written bottom to top: P-3, ≒ of NEC row 13 (the text's own
  // bytes, which a memo would show as the JIS twin), P-1, P-3.
  const std::string column = dir_.File("column.dxf");
  SaveLines(column,
            SelectionFile({TextEntity("1A", "0.0", "0.0", "P-3"), TextEntity("1B", "0.0", "5.0", "\x87\x90"),
                           TextEntity("1C", "0.0", "10.0", "P-1"), TextEntity("1D", "0.0", "15.0", "P-3")}));
  const std::string cut = Lines("cut.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nTEXT\r\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;  // found in standard error
  } cases[] = {
      {{"check", exported_}, 0, SHOWN("重複・欠番・機種依存文字はありません\n"), ""},
      {{"check", column},
       1,
       SHOWN("重複: 「P-3」 1, 4 行目\n欠番: P-2 がありません\n"
             "順序: P-1 (3 行目) は前の P-3 (1 行目) より小さい番号です\n") +
           Shown("機種依存文字: 2 行目 \x87\x90 → \x81\xE0 (NEC特殊文字)\n",
                 u8"機種依存文字: 2 行目 \u2252 → \u2252 (NEC特殊文字)\n"),
       ""},
      {{"check", "--sort", column},  // top to bottom
       1,
       SHOWN("重複: 「P-3」 1, 4 行目\n欠番: P-2 がありません\n"
             "順序: P-1 (2 行目) は前の P-3 (1 行目) より小さい番号です\n") +
           Shown("機種依存文字: 3 行目 \x87\x90 → \x81\xE0 (NEC特殊文字)\n",
                 u8"機種依存文字: 3 行目 \u2252 → \u2252 (NEC特殊文字)\n"),
       ""},
      {{"check", cut}, 2, "", "incomplete"},
      {{"check", dir_.File("missing.dxf")}, 2, "", SHOWN("を開けません")},
      {{"check", exported_, column}, 2, "", "usage: vorbel-dxf list"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const TRun run = RunTool(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

#ifndef _WIN32
TEST_F(CompanionTest, ListingThatCannotBeWrittenIsAnError) {
  // A full disk: the lines must not pass for the whole selection.
  const TFile full(std::fopen("/dev/full", "w"));
  ASSERT_NE(full, nullptr);
  const TFile err(std::tmpfile());
  EXPECT_EQ(RunCompanion({"list", exported_}, full.get(), err.get()), 1);
  EXPECT_NE(ReadBack(err.get()).find("standard output"), std::string::npos);
}
#endif

}  // namespace
}  // namespace vorbel
