#include "dxf/insertion_file.h"

#include <array>
#include <string_view>
#include <vector>

#include "dxf/dxf_pairs.h"
#include "dxf/entity_walk.h"

namespace vorbel {

namespace {

constexpr std::string_view kOrigin = "0.0";

// The pair "2"/"HEADER", or the pair count when the file has no header.
size_t HeaderStart(const TLineList& lines) {
  const size_t pairs = PairCount(lines);
  for (size_t p = 0; p < pairs; ++p) {
    if (IsEntitiesMarker(lines, p)) break;
    if (IsPair(lines, p, "2", "HEADER")) return p;
  }
  return pairs;
}

void DropPaperSpacePairs(TLineList& lines) {
  std::vector<bool> drop;
  TEntityWalk walk(lines);
  while (walk.Next()) {
    while (walk.NextGroup()) {
      if (walk.Code() != "67" || PairValue(lines, walk.Pair()) != "1") continue;
      if (drop.empty()) drop.resize(lines.size());
      drop[2 * walk.Pair()] = true;
      drop[2 * walk.Pair() + 1] = true;
    }
  }
  if (!drop.empty()) lines.EraseFlagged(drop);
}

void InsertionBaseAtOrigin(TLineList& lines) {
  const size_t pairs = PairCount(lines);
  const size_t header = HeaderStart(lines);
  if (header == pairs) return;
  size_t secondVariable = 0;  // where a missing $INSBASE goes
  size_t variables = 0;
  size_t p = header + 1;
  for (; p < pairs && PairCode(lines, p) != "0"; ++p) {
    if (PairCode(lines, p) != "9") continue;
    if (++variables == 2) secondVariable = p;
    if (PairValue(lines, p) != "$INSBASE") continue;
    for (size_t q = p + 1; q < pairs; ++q) {
      const std::string_view code = PairCode(lines, q);
      if (code == "9" || code == "0") break;
      if (code == "10" || code == "20" || code == "30") lines.Replace(2 * q + 1, kOrigin);
    }
    return;
  }
  const size_t at = 2 * (secondVariable != 0 ? secondVariable : p);
  constexpr std::array<std::string_view, 8> kVariable = {"  9", "$INSBASE", " 10", kOrigin,
                                                         " 20", kOrigin,    " 30", kOrigin};
  for (size_t i = 0; i < kVariable.size(); ++i) lines.Insert(at + i, kVariable[i]);
}

}  // namespace

void PrepareForInsertion(TLineList& lines) {
  DropPaperSpacePairs(lines);
  InsertionBaseAtOrigin(lines);
}

}  // namespace vorbel
