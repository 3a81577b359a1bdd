// The settings file: a text file in the profile format of Windows, sections
// in square brackets followed by lines of key=value.
//
// Reading never fails: a missing file, section or key, or a value that is not
// a valid integer, gives the default. Each write goes to the file at once;
// a missing file, section or key is created, an existing key gets the new
// value on its own line, and every other line of the file stays as it was.
// Section and key names compare without regard to ASCII letter case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorbel {

// `path` with its last extension replaced by `extension` (which includes the
// dot), or with `extension` appended when the file name has none.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

class TSettingsFile {
 public:
  explicit TSettingsFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // The value with blanks around it and one pair of enclosing quotes
  // removed, at most 2047 bytes.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // A value longer than 2 characters beginning with "0x" or "0X" is read as
  // the hexadecimal digits after those; any other value in the program's
  // integer reading.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  // An integer, true when not 0.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Raise "%s に書き込めません" with the file's path when the file cannot be
  // written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

 private:
  std::string path_;
};

}  // namespace vorbel
