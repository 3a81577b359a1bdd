#include "base/line_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vorbel {

namespace {
constexpr size_t kMaxBufferSize = 0xFFFFFFFFu;
}

TLineList::TLineList(const TLineList& other) : file_(other.file_) {
  // The copy takes the file as it is and the other lines compactly.
  spans_.reserve(other.spans_.size());
  for (size_t i = 0; i < other.size(); ++i) {
    const TSpan span = other.spans_[i];
    spans_.push_back((span.length & kInArena) != 0 ? Store(other[i]) : span);
  }
}

TLineList& TLineList::operator=(const TLineList& other) {
  if (this != &other) *this = TLineList(other);
  return *this;
}

std::string_view TLineList::operator[](size_t i) const {
  const TSpan span = spans_[i];
  if ((span.length & kInArena) == 0) return std::string_view(file_.data() + span.offset, span.length);
  const char* chunk = chunks_[span.offset >> kChunkBits].get();
  return std::string_view(chunk + (span.offset & (kChunkLimit - 1)), span.length & ~kInArena);
}

void TLineList::AddFileLine(size_t offset, size_t length) {
  if (length >= kInArena) throw std::length_error("line too long");
  spans_.push_back({static_cast<uint32_t>(offset), static_cast<uint32_t>(length)});
}

TLineList TLineList::FromBytes(std::string bytes) {
  const size_t zero = bytes.find('\0');
  if (zero != std::string::npos) bytes.resize(zero);
  if (bytes.size() > kMaxBufferSize) throw std::length_error("line list too large");

  TLineList list;
  list.file_ = std::move(bytes);
  const char* data = list.file_.data();
  const size_t size = list.file_.size();
  size_t breaks = static_cast<size_t>(std::count(data, data + size, '\n'));
  if (breaks == 0) breaks = static_cast<size_t>(std::count(data, data + size, '\r'));
  list.spans_.reserve(breaks + 1);
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
    list.AddFileLine(start, i - start);
    i += (c == '\r' && i + 1 < size && data[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < size) list.AddFileLine(start, size - start);
  return list;
}

std::string TLineList::ToBytes() const {
  size_t total = 0;
  for (const TSpan& span : spans_) total += (span.length & ~kInArena) + 2;
  std::string bytes;
  bytes.reserve(total);
  for (size_t i = 0; i < spans_.size(); ++i) {
    bytes.append((*this)[i]);
    bytes.append("\r\n");
  }
  return bytes;
}

TLineList::TSpan TLineList::Store(std::string_view line) {
  if (line.empty()) return TSpan{0, 0};  // an empty line needs no bytes
  if (line.size() >= kInArena) throw std::length_error("line too long");
  // Chunks never move, so `line` may be a view of this very list.
  if (line.size() > chunkSize_ - chunkUsed_) {
    if (chunks_.size() >= (size_t{1} << (32 - kChunkBits))) throw std::length_error("line list too large");
    // Chunks grow from 4 KiB to 1 MiB; a longer line gets a chunk of its own.
    const size_t grown = chunkSize_ == 0 ? 4096 : std::min(chunkSize_ * 2, kChunkLimit);
    chunkSize_ = std::max(grown, line.size());
    chunks_.push_back(std::make_unique_for_overwrite<char[]>(chunkSize_));
    chunkUsed_ = 0;
  }
  std::copy(line.begin(), line.end(), chunks_.back().get() + chunkUsed_);
  const size_t chunk = chunks_.size() - 1;
  const TSpan span{static_cast<uint32_t>((chunk << kChunkBits) | chunkUsed_),
                   static_cast<uint32_t>(line.size()) | kInArena};
  // A chunk of its own for a long line is full at once.
  chunkUsed_ = chunkSize_ > kChunkLimit ? chunkSize_ : chunkUsed_ + line.size();
  return span;
}

void TLineList::push_back(std::string_view line) {
  const TSpan span = Store(line);
  spans_.push_back(span);
}

void TLineList::AppendRange(const TLineList& source, size_t first, size_t last) {
  for (size_t i = first; i <= last && i < source.size(); ++i) push_back(source[i]);
}

void TLineList::AppendAll(const TLineList& source) {
  if (!source.empty()) AppendRange(source, 0, source.size() - 1);
}

void TLineList::Replace(size_t i, std::string_view line) { spans_.at(i) = Store(line); }

void TLineList::Insert(size_t i, std::string_view line) {
  const TSpan span = Store(line);
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(std::min(i, spans_.size())), span);
}

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

void TLineList::clear() { *this = TLineList(); }

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
