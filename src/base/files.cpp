#include "base/files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "base/errors.h"
#include "cp932/cp932.h"
#include "platform/file_path.h"

namespace vorbel {

namespace fs = std::filesystem;

bool FileExists(std::string_view path) {
  std::error_code error;
  return fs::is_regular_file(FilePath(path), error);
}

std::string ExtractFileDir(std::string_view path) {
  size_t separator = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsLeadByte(path[i])) {
      ++i;
    } else if (path[i] == '\\' || path[i] == '/') {
      separator = i;
    }
  }
  return separator == std::string_view::npos ? std::string() : std::string(path.substr(0, separator));
}

bool DeleteFileAt(std::string_view path) {
  std::error_code error;
  fs::remove(FilePath(path), error);
  return !fs::exists(FilePath(path), error);
}

std::string ReadFileBytes(std::string_view path) {
  std::ifstream in(FilePath(path), std::ios::binary);
  if (!in) RaiseCannotOpen(path);
  // Read the size the file has in one go, then whatever it may have grown by.
  std::error_code error;
  const auto size = fs::file_size(FilePath(path), error);
  std::string bytes(error ? 0 : static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  if (in.bad()) RaiseCannotOpen(path);
  if (in) bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) RaiseCannotOpen(path);
  return bytes;
}

bool CanCreateFileIn(std::string_view folder) {
  // A name nothing else uses: only the file made here is deleted again.
  fs::path probe = FilePath(folder);
  probe /= ".vorbel-write-test-" + std::to_string(std::random_device()()) + ".tmp";
  bool made = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    made = static_cast<bool>(out << "0");
  }
  std::error_code error;
  if (made) fs::remove(probe, error);
  return made;
}

TLineList LoadLines(std::string_view path) { return TLineList::FromBytes(ReadFileBytes(path)); }

namespace {

// Streams the lines out in large blocks instead of building the whole file.
bool WriteLines(std::ofstream& out, const TLineList& lines) {
  constexpr size_t kBlock = 1 << 20;
  std::string block;
  block.reserve(kBlock + 4096);
  for (size_t i = 0; i < lines.size(); ++i) {
    block.append(lines[i]);
    block.append("\r\n");
    if (block.size() >= kBlock) {
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
      block.clear();
    }
  }
  out.write(block.data(), static_cast<std::streamsize>(block.size()));
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

void SaveLines(std::string_view path, const TLineList& lines) {
  const fs::path target = FilePath(path);
  fs::path temporary = target;
  temporary += ".vorbel-tmp";
  bool written = false;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    written = out && WriteLines(out, lines);
  }
  std::error_code error;
  if (written) fs::rename(temporary, target, error);
  if (!written || error) {
    fs::remove(temporary, error);
    RaiseCannotWrite(path);
  }
}

}  // namespace vorbel
