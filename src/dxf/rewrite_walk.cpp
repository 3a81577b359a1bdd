#include "dxf/rewrite_walk.h"

#include <string>

#include "dxf/dxf_pairs.h"
#include "dxf/rewrite.h"

namespace vorbel {

namespace {
size_t PairBefore(size_t p) { return p > 0 ? p - 1 : 0; }
}  // namespace

void ApplyTextEntsByWalk(TTextEnts& textEnts, TLineList& dxfLines) {
  size_t searchFrom = 0;
  std::string value;
  for (TTextEnt& ent : textEnts) {
    if (ent.Text.empty()) {
      MarkForDeletion(ent);
      continue;
    }
    bool inEntities = false;
    bool inText = false;
    bool matched = false;
    const size_t from = searchFrom;
    for (size_t p = from; p < PairCount(dxfLines); ++p) {
      // Replacing a line may move the list's bytes: `code` is not read after it.
      const std::string_view code = PairCode(dxfLines, p);
      const bool entityEnds = code == "0";
      if (inText) {
        if (code == "5" && PairValue(dxfLines, p) == ent.Handle) matched = true;
        if (matched && WriteTextGroup(ent, code, TTextWrite::Update, value)) {
          dxfLines.Replace(2 * p + 1, value);
        }
        if (entityEnds) {
          inText = false;
          matched = false;
        }
      }
      if (IsEndSection(dxfLines, p)) {
        inEntities = false;
        inText = false;
      }
      if (inEntities && IsTextStart(dxfLines, p)) inText = true;
      if (IsEntitiesMarker(dxfLines, p)) {
        searchFrom = PairBefore(p);
        inEntities = true;
      }
    }
  }
}

void DeleteMarkedEntitiesByWalk(const TTextEnts& textEnts, TLineList& dxfLines) {
  size_t searchFrom = 0;
  for (const TTextEnt& ent : textEnts) {
    if (!ent.Handle.starts_with('-')) continue;
    const std::string_view key = std::string_view(ent.Handle).substr(1);
    long start = -1;
    long end = -1;
    bool inEntities = false;
    bool inText = false;
    bool found = false;
    const size_t from = searchFrom;
    for (size_t p = from; p < PairCount(dxfLines); ++p) {
      const std::string_view code = PairCode(dxfLines, p);
      if (inText) {
        if (code == "5" && PairValue(dxfLines, p) == key) found = true;
        if (code == "0") {
          if (found) {
            end = static_cast<long>(2 * p) - 1;
            break;
          }
          // The TEXT entity ended without the key: a later entity of another
          // type that happens to carry the key is no part of it.
          inText = false;
        }
      }
      if (IsEndSection(dxfLines, p)) {
        inEntities = false;
        inText = false;
      }
      if (inEntities && IsTextStart(dxfLines, p)) {
        start = static_cast<long>(2 * p);
        inText = true;
      }
      if (IsEntitiesMarker(dxfLines, p)) {
        if (searchFrom == 0) searchFrom = PairBefore(p);
        inEntities = true;
      }
    }
    if (found && end > start) {
      dxfLines.Erase(static_cast<size_t>(start), static_cast<size_t>(end - start + 1));
    }
  }
}

}  // namespace vorbel
