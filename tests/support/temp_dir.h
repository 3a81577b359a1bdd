// A fresh temporary directory for one test, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace vorbel::test {

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  // A path inside the directory, as the program's code page 932 text.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace vorbel::test
