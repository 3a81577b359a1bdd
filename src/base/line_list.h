// A list of text lines, the in-memory form of a DXF file or of the memo's lines.
//
// A loaded file's bytes stay in one buffer and the list keeps an offset and a
// length per line, so a file of millions of short lines costs little more
// than its own size. Lines added or replaced later go into an arena of
// chunks that never move. A view of a line therefore stays valid until the
// list is cleared, assigned or destroyed, whatever else is added or replaced.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

class TLineList {
 public:
  TLineList() = default;
  TLineList(const TLineList& other);
  TLineList& operator=(const TLineList& other);
  TLineList(TLineList&&) noexcept = default;
  TLineList& operator=(TLineList&&) noexcept = default;
  ~TLineList() = default;

  // Splits at CR LF, a lone CR or a lone LF; a final line break adds no empty
  // line, and a zero byte ends the text.
  static TLineList FromBytes(std::string bytes);
  // Every line followed by CR LF, the last one included.
  std::string ToBytes() const;

  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view operator[](size_t i) const;

  void push_back(std::string_view line);
  // Appends lines first..last (inclusive) of `source`.
  void AppendRange(const TLineList& source, size_t first, size_t last);
  void AppendAll(const TLineList& source);
  void Replace(size_t i, std::string_view line);
  // Puts `line` before line i (at the end when i is the size).
  void Insert(size_t i, std::string_view line);
  void Erase(size_t first, size_t count);
  // Keeps the lines whose flag is false, in order, and drops the others.
  void EraseFlagged(const std::vector<bool>& drop);
  void clear();

  std::vector<std::string> ToStrings() const;
  static TLineList FromStrings(const std::vector<std::string>& lines);

 private:
  // A line in the file buffer, or (kInArena set in `length`) in the arena,
  // where `offset` holds the chunk number and the position in the chunk.
  struct TSpan {
    uint32_t offset;
    uint32_t length;
  };
  static constexpr uint32_t kInArena = 0x80000000u;
  static constexpr unsigned kChunkBits = 20;  // chunks of up to 1 MiB
  static constexpr size_t kChunkLimit = size_t{1} << kChunkBits;

  TSpan Store(std::string_view line);
  void AddFileLine(size_t offset, size_t length);

  std::string file_;
  std::vector<std::unique_ptr<char[]>> chunks_;
  size_t chunkUsed_ = 0;
  size_t chunkSize_ = 0;
  std::vector<TSpan> spans_;
};

bool operator==(const TLineList& a, const TLineList& b);

}  // namespace vorbel
