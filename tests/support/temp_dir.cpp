#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/file_path.h"

namespace vorbel::test {

TTempDir::TTempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const auto name = "vorbel-test-" + std::to_string(random()) + "-" + std::to_string(counter++);
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(path_);
}

TTempDir::~TTempDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string TTempDir::File(const std::string& name) const { return PathText(path_) + "/" + name; }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(FilePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(FilePath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vorbel::test
