#include "dxf/dxf_slices.h"

#include <string>

#include "base/numbers.h"
#include "dxf/dxf_pairs.h"
#include "dxf/entity_walk.h"

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
  TEntityWalk walk(src);
  while (walk.Next()) {
    if (walk.Type() != entType) continue;
    bool found = false;
    while (walk.NextGroup()) {
      if (walk.Code() == "5" && PairValue(src, walk.Pair()) == handle) found = true;
    }
    if (!found) continue;
    // An entity without a "0" line after it has no end to copy up to.
    if (walk.End() < PairCount(src)) dst.AppendRange(src, 2 * walk.First(), 2 * walk.End() - 1);
    return;
  }
}

bool EndsWithEof(const TLineList& lines) {
  size_t count = lines.size();
  while (count > 0 && IsBlank(lines[count - 1])) --count;
  if (count < 2 || count % 2 != 0) return false;
  return TrimBlanks(lines[count - 2]) == "0" && TrimBlanks(lines[count - 1]) == "EOF";
}

}  // namespace vorbel
