#include "dxf/dxf_slices.h"

#include <string>

#include "base/numbers.h"
#include "dxf/dxf_pairs.h"

namespace vorbel {

int32_t GetMaxHandle(const TLineList& lines) {
  int32_t best = 0;
  std::string text;
  for (size_t p = 0; p < PairCount(lines); ++p) {
    if (PairCode(lines, p) != "5") continue;
    text.clear();
    text.push_back('$');
    text.append(PairValue(lines, p));
    const auto handle = TryStrToInt(text);
    if (handle && *handle > best) best = *handle;
  }
  return best;
}

void CopyDxfHead(const TLineList& src, TLineList& dst) {
  if (src.empty()) return;
  size_t end = 0;
  for (size_t p = 0; p < PairCount(src); ++p) {
    if (IsEntitiesMarker(src, p)) {
      end = 2 * p + 1;
      break;
    }
  }
  dst.AppendRange(src, 0, end);
}

void CopyDxfTail(const TLineList& src, TLineList& dst) {
  if (src.empty()) return;
  size_t start = 0;
  bool inEntities = false;
  for (size_t p = 0; p < PairCount(src); ++p) {
    if (inEntities && IsEndSection(src, p)) {
      start = 2 * p;
      break;
    }
    if (IsEntitiesMarker(src, p)) inEntities = true;
  }
  dst.AppendRange(src, start, src.size() - 1);
}

void CopyEntityByHandle(std::string_view entType, std::string_view handle, const TLineList& src,
                        TLineList& dst) {
  long start = -1;
  long end = -1;
  bool inEntities = false;
  bool inEntity = false;
  bool found = false;
  for (size_t p = 0; p < PairCount(src); ++p) {
    const std::string_view code = PairCode(src, p);
    if (inEntity) {
      if (code == "5" && PairValue(src, p) == handle) found = true;
      if (code == "0") {
        if (found) {
          end = static_cast<long>(2 * p) - 1;
          break;
        }
        // The entity ended without the handle: a later entity of another
        // type that carries it is no part of it.
        inEntity = false;
      }
    }
    if (IsEndSection(src, p)) {
      inEntities = false;
      inEntity = false;
    }
    if (inEntities && code == "0" && PairValue(src, p) == entType) {
      start = static_cast<long>(2 * p);
      inEntity = true;
    }
    if (IsEntitiesMarker(src, p)) inEntities = true;
  }
  if (found && end > start) dst.AppendRange(src, static_cast<size_t>(start), static_cast<size_t>(end));
}

bool EndsWithEof(const TLineList& lines) {
  size_t count = lines.size();
  while (count > 0 && IsBlank(lines[count - 1])) --count;
  if (count < 2 || count % 2 != 0) return false;
  return TrimBlanks(lines[count - 2]) == "0" && TrimBlanks(lines[count - 1]) == "EOF";
}

}  // namespace vorbel
