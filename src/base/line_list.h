// A list of text lines, the in-memory form of a DXF file or of the memo's lines.
//
// All lines live in one byte buffer and the list keeps an offset and a length
// per line, so a file of millions of short lines costs little more than its
// own size. A replaced line is appended to the buffer; the old bytes stay
// until the list is cleared. As with std::string, a view of a line is valid
// only until the list is next changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel {

class TLineList {
 public:
  TLineList() = default;

  // Splits at CR LF, a lone CR or a lone LF; a final line break adds no empty
  // line, and a zero byte ends the text.
  static TLineList FromBytes(std::string bytes);
  // Every line followed by CR LF, the last one included.
  std::string ToBytes() const;

  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view operator[](size_t i) const {
    return std::string_view(buffer_.data() + spans_[i].offset, spans_[i].length);
  }

  void push_back(std::string_view line);
  // Appends lines first..last (inclusive) of `source`.
  void AppendRange(const TLineList& source, size_t first, size_t last);
  void AppendAll(const TLineList& source);
  void Replace(size_t i, std::string_view line);
  void Erase(size_t first, size_t count);
  // Keeps the lines whose flag is false, in order, and drops the others.
  void EraseFlagged(const std::vector<bool>& drop);
  void clear();

  std::vector<std::string> ToStrings() const;
  static TLineList FromStrings(const std::vector<std::string>& lines);

 private:
  struct TSpan {
    uint32_t offset;
    uint32_t length;
  };
  TSpan Store(std::string_view line);

  std::string buffer_;
  std::vector<TSpan> spans_;
};

bool operator==(const TLineList& a, const TLineList& b);

}  // namespace vorbel
