#include "base/line_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vorbel {

namespace {
constexpr size_t kMaxBufferSize = 0xFFFFFFFFu;
}

TLineList TLineList::FromBytes(std::string bytes) {
  const size_t zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  if (bytes.size() > kMaxBufferSize) throw std::length_error("line list too large");

  TLineList list;
  list.buffer_ = std::move(bytes);
  const char* data = list.buffer_.data();
  const size_t size = list.buffer_.size();
  size_t start = 0;
  size_t i = 0;
  while (i < size) {
    const char c = data[i];
    if (c != '\r' && c != '\n') {
      // Scan ahead to the next line break in one step.
      const void* cr = std::memchr(data + i, '\r', size - i);
      const void* lf = std::memchr(data + i, '\n', size - i);
      const char* next = data + size;
      if (cr != nullptr) next = static_cast<const char*>(cr);
      if (lf != nullptr && static_cast<const char*>(lf) < next) next = static_cast<const char*>(lf);
      i = static_cast<size_t>(next - data);
      continue;
    }
    list.spans_.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(i - start)});
    i += (c == '\r' && i + 1 < size && data[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < size) {
    list.spans_.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(size - start)});
  }
  return list;
}

std::string TLineList::ToBytes() const {
  size_t total = 0;
  for (const TSpan& span : spans_) total += span.length + 2;
  std::string bytes;
  bytes.reserve(total);
  for (size_t i = 0; i < spans_.size(); ++i) {
    bytes.append((*this)[i]);
    bytes.append("\r\n");
  }
  return bytes;
}

TLineList::TSpan TLineList::Store(std::string_view line) {
  // The line may point into our own buffer, which appending can move.
  const bool aliases = !line.empty() && line.data() >= buffer_.data() &&
                       line.data() < buffer_.data() + buffer_.size();
  if (buffer_.size() + line.size() > kMaxBufferSize) throw std::length_error("line list too large");
  const TSpan span{static_cast<uint32_t>(buffer_.size()), static_cast<uint32_t>(line.size())};
  if (aliases) {
    const std::string copy(line);
    buffer_.append(copy);
  } else {
    buffer_.append(line);
  }
  return span;
}

void TLineList::push_back(std::string_view line) {
  const TSpan span = Store(line);
  spans_.push_back(span);
}

void TLineList::AppendRange(const TLineList& source, size_t first, size_t last) {
  if (&source == this) {
    const TLineList copy = source;
    AppendRange(copy, first, last);
    return;
  }
  for (size_t i = first; i <= last && i < source.size(); ++i) push_back(source[i]);
}

void TLineList::AppendAll(const TLineList& source) {
  if (!source.empty()) AppendRange(source, 0, source.size() - 1);
}

void TLineList::Replace(size_t i, std::string_view line) { spans_.at(i) = Store(line); }

void TLineList::Erase(size_t first, size_t count) {
  if (first >= spans_.size()) return;
  count = std::min(count, spans_.size() - first);
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(first),
               spans_.begin() + static_cast<std::ptrdiff_t>(first + count));
}

void TLineList::EraseFlagged(const std::vector<bool>& drop) {
  size_t kept = 0;
  for (size_t i = 0; i < spans_.size(); ++i) {
    if (i < drop.size() && drop[i]) continue;
    spans_[kept++] = spans_[i];
  }
  spans_.resize(kept);
}

void TLineList::clear() {
  buffer_.clear();
  spans_.clear();
}

std::vector<std::string> TLineList::ToStrings() const {
  std::vector<std::string> lines;
  lines.reserve(size());
  for (size_t i = 0; i < size(); ++i) lines.emplace_back((*this)[i]);
  return lines;
}

TLineList TLineList::FromStrings(const std::vector<std::string>& lines) {
  TLineList list;
  for (const std::string& line : lines) list.push_back(line);
  return list;
}

bool operator==(const TLineList& a, const TLineList& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace vorbel
