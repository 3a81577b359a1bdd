#include "base/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "platform/file_path.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using test::ReadBytes;
using test::TTempDir;
using test::WriteBytes;

TEST(SettingsFile, ReadsIntegersWithDefaults) {
  struct TCase {
    std::string file;  // empty: no file
    const char* section;
    const char* key;
    int32_t expected;
  };
  const TCase cases[] = {
      {"", "Form", "Width", 7},
      {"[Form]\r\nWidth=256\r\n", "Form", "Width", 256},
      {"[Form]\r\nWidth=0x200\r\n", "Form", "Width", 512},
      {"[Form]\r\nWidth=0X1f\r\n", "Form", "Width", 31},
      {"[Form]\r\nWidth=0xFFFFFFFF\r\n", "Form", "Width", -1},
      {"[Form]\r\nWidth=0x\r\n", "Form", "Width", 7},
      {"[Form]\r\nWidth=0x-5\r\n", "Form", "Width", 7},
      {"[Form]\r\nWidth=$10\r\n", "Form", "Width", 16},
      {"[Form]\r\nWidth=abc\r\n", "Form", "Width", 7},
      {"[Form]\r\nWidth=\r\n", "Form", "Width", 7},
      {"[Form]\r\nWidth=12abc\r\n", "Form", "Width", 7},
      {"[Form]\r\nWidth=2147483648\r\n", "Form", "Width", 7},
      {"[Form]\r\nLeft=-300\r\n", "Form", "Left", -300},
      {"[Form]\r\n  Width =  42  \r\n", "Form", "Width", 42},
      {"[Form]\r\nWidth=\"12\"\r\n", "Form", "Width", 12},
      {"[form]\nwidth=9\n", "Form", "Width", 9},
      {"[Form]\r\nWidth=1\r\nWidth=2\r\n", "Form", "Width", 1},
      {"[Sort]\r\nWidth=5\r\n[Form]\r\nHeight=3\r\n", "Form", "Width", 7},
      {"Width=5\r\n[Form]\r\n", "Form", "Width", 7},
      {"[Form]\r\n;Width=5\r\n", "Form", "Width", 7},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.file);
    TTempDir dir;
    const std::string path = dir.File("vorbel.ini");
    if (!c.file.empty()) WriteBytes(path, c.file);
    EXPECT_EQ(TSettingsFile(path).ReadInteger(c.section, c.key, 7), c.expected);
  }
}

TEST(SettingsFile, ReadsBooleansAsIntegers) {
  struct TCase {
    std::string file;
    bool fallback;
    bool expected;
  };
  const TCase cases[] = {
      {"", true, true},
      {"", false, false},
      {"[Sort]\r\nChecked=1\r\n", false, true},
      {"[Sort]\r\nChecked=0\r\n", true, false},
      {"[Sort]\r\nChecked=2\r\n", false, true},
      {"[Sort]\r\nChecked=-1\r\n", false, true},
      {"[Sort]\r\nChecked=\r\n", true, true},
      {"[Sort]\r\nChecked=no\r\n", true, true},
      {"[Sort]\r\nChecked=0x0\r\n", true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.file);
    TTempDir dir;
    const std::string path = dir.File("vorbel.ini");
    if (!c.file.empty()) WriteBytes(path, c.file);
    EXPECT_EQ(TSettingsFile(path).ReadBool("Sort", "Checked", c.fallback), c.expected);
  }
}

TEST(SettingsFile, WritesKeepEveryOtherLine) {
  struct TWrite {
    const char* section;
    const char* key;
    const char* value;
  };
  struct TCase {
    std::string before;  // empty: no file
    std::vector<TWrite> writes;
    std::string after;
  };
  const TCase cases[] = {
      {"",
       {{"Form", "Width", "256"},
        {"Form", "Height", "276"},
        {"Form", "Left", "384"},
        {"Form", "Top", "246"},
        {"Sort", "Checked", "1"}},
       "[Form]\r\nWidth=256\r\nHeight=276\r\nLeft=384\r\nTop=246\r\n[Sort]\r\nChecked=1\r\n"},
      {"; settings\r\n[Other]\r\nA=1\r\n\r\n[Form]\r\nWidth=1\r\nExtra=x\r\n\r\n[Tail]\r\nB=2\r\n",
       {{"Form", "Width", "300"}, {"Form", "Top", "5"}, {"Sort", "Checked", "0"}},
       "; settings\r\n[Other]\r\nA=1\r\n\r\n[Form]\r\nWidth=300\r\nExtra=x\r\nTop=5\r\n\r\n[Tail]\r\nB=2\r\n"
       "[Sort]\r\nChecked=0\r\n"},
      {"[FORM]\nwidth = 3\n", {{"Form", "Width", "4"}}, "[FORM]\r\nwidth=4\r\n"},
      {"[表]\r\nキー=値\r\n", {{"表", "キー", "新"}}, "[表]\r\nキー=新\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.before);
    TTempDir dir;
    const std::string path = dir.File("vorbel.ini");
    if (!c.before.empty()) WriteBytes(path, c.before);
    TSettingsFile settings(path);
    for (const TWrite& write : c.writes) settings.WriteString(write.section, write.key, write.value);
    EXPECT_EQ(ReadBytes(path), c.after);
  }
}

TEST(SettingsFile, FailedWriteNamesTheFile) {
  TTempDir dir;
  // A folder where the file should be: no user, root included, can write it.
  const std::string path = dir.File("vorbel.ini");
  std::filesystem::create_directory(FilePath(path));
  TSettingsFile settings(path);
  EXPECT_EQ(settings.ReadInteger("Form", "Width", 256), 256);
  try {
    settings.WriteInteger("Form", "Width", 256);
    FAIL() << "no error";
  } catch (const TRuntimeError& error) {
    EXPECT_EQ(std::string(error.what()), path + " に書き込めません");
  }
}

TEST(SettingsFile, ChangeFileExtReplacesTheLastExtensionOnly) {
  struct TCase {
    const char* path;
    const char* expected;
  };
  const TCase cases[] = {
      {"C:\\Tools\\vorbel.exe", "C:\\Tools\\vorbel.ini"},
      {"/opt/a.b/vorbel", "/opt/a.b/vorbel.ini"},
      {"vorbel.tar.exe", "vorbel.tar.ini"},
      {"C:\\表\\vorbel", "C:\\表\\vorbel.ini"},   // 表 ends in the byte of "\"
      {"C:\\ソフト\\a.ソ", "C:\\ソフト\\a.ini"},  // so does ソ
      {"C:vorbel", "C:vorbel.ini"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ChangeFileExt(c.path, ".ini"), c.expected) << c.path;
}

}  // namespace
}  // namespace vorbel
