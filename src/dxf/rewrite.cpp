#include "dxf/rewrite.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/numbers.h"
#include "dxf/dxf_pairs.h"
#include "dxf/rewrite_walk.h"

namespace vorbel {

bool TextEntValueFor(std::string_view code, std::string_view text, const TDxfPoint& insPt,
                     const TDxfPoint& alignPt, std::string& value) {
  if (code == "1") {
    value.assign(text);
  } else if (code == "10") {
    value = FormatGeneral15(insPt.X);
  } else if (code == "20") {
    value = FormatGeneral15(insPt.Y);
  } else if (code == "30") {
    value = FormatGeneral15(insPt.Z);
  } else if (code == "11") {
    value = FormatGeneral15(alignPt.X);
  } else if (code == "21") {
    value = FormatGeneral15(alignPt.Y);
  } else if (code == "31") {
    value = FormatGeneral15(alignPt.Z);
  } else {
    return false;
  }
  return true;
}

void MarkForDeletion(TTextEnt& ent) { ent.Handle = ("-" + ent.Handle).substr(0, kHandleWidth); }

namespace {

// A TEXT entity of the entities section as the update's walks see it: its
// "0"/"TEXT" pair, and its groups up to the next "0" pair (`end`, or the pair
// count when none follows).
struct TTextRun {
  size_t first;
  size_t end;
};

// Where a handle occurs: the run and the pair of the first group 5 in that
// run with the handle as its value.
struct THandlePlace {
  size_t run;
  size_t pair;
};

struct TTextRunIndex {
  std::vector<TTextRun> runs;
  std::unordered_map<std::string, std::vector<THandlePlace>> places;
  size_t entitiesMarkers = 0;
};

// One pass over the list, following the walks' reading of the pairs.
TTextRunIndex IndexTextRuns(const TLineList& lines) {
  TTextRunIndex index;
  const size_t pairCount = PairCount(lines);
  bool inEntities = false;
  bool inText = false;
  for (size_t p = 0; p < pairCount; ++p) {
    const std::string_view code = PairCode(lines, p);
    if (inText && code == "0") {
      index.runs.back().end = p;
      inText = false;
    }
    if (inText && code == "5") {
      auto& places = index.places[std::string(PairValue(lines, p))];
      const size_t run = index.runs.size() - 1;
      if (places.empty() || places.back().run != run) places.push_back({run, p});
    }
    if (IsEndSection(lines, p)) inEntities = false;
    if (inEntities && IsTextStart(lines, p)) {
      index.runs.push_back({p, pairCount});
      inText = true;
    }
    if (IsEntitiesMarker(lines, p)) {
      ++index.entitiesMarkers;
      inEntities = true;
    }
  }
  return index;
}

// With at most one entities marker every walk of a record reads the same
// runs as a walk from the first pair, which is what the index describes.
bool IndexCoversWalks(const TTextRunIndex& index) { return index.entitiesMarkers <= 1; }

}  // namespace

void ApplyTextEnts(TTextEnts& textEnts, TLineList& dxfLines) {
  const TTextRunIndex index = IndexTextRuns(dxfLines);
  if (!IndexCoversWalks(index)) {
    ApplyTextEntsByWalk(textEnts, dxfLines);
    return;
  }
  // Records sharing a handle write the same lines; the last of them wins.
  std::unordered_map<std::string, size_t> lastWriter;
  for (size_t i = 0; i < textEnts.size(); ++i) {
    if (textEnts[i].Text.empty()) {
      MarkForDeletion(textEnts[i]);
    } else {
      lastWriter[textEnts[i].Handle] = i;
    }
  }
  std::string value;
  for (size_t i = 0; i < textEnts.size(); ++i) {
    const TTextEnt& ent = textEnts[i];
    if (ent.Text.empty() || lastWriter[ent.Handle] != i) continue;
    const auto found = index.places.find(ent.Handle);
    if (found == index.places.end()) continue;
    for (const THandlePlace& place : found->second) {
      for (size_t p = place.pair + 1; p < index.runs[place.run].end; ++p) {
        if (TextEntValueFor(PairCode(dxfLines, p), ent.Text, ent.InsPoint, ent.AlignPoint, value)) {
          dxfLines.Replace(2 * p + 1, value);
        }
      }
    }
  }
}

void DeleteMarkedEntities(const TTextEnts& textEnts, TLineList& dxfLines) {
  const TTextRunIndex index = IndexTextRuns(dxfLines);
  if (!IndexCoversWalks(index)) {
    DeleteMarkedEntitiesByWalk(textEnts, dxfLines);
    return;
  }
  const size_t pairCount = PairCount(dxfLines);
  std::vector<bool> runDeleted(index.runs.size(), false);
  std::vector<bool> dropLine(dxfLines.size(), false);
  std::unordered_map<std::string_view, size_t> nextPlace;
  for (const TTextEnt& ent : textEnts) {
    if (!ent.Handle.starts_with('-')) continue;
    const std::string_view key = std::string_view(ent.Handle).substr(1);
    const auto found = index.places.find(std::string(key));
    if (found == index.places.end()) continue;
    // Each marked record takes the first TEXT entity with its key that is
    // still there, as a walk from the start of the section would.
    size_t& next = nextPlace[found->first];
    const std::vector<THandlePlace>& places = found->second;
    while (next < places.size() && runDeleted[places[next].run]) ++next;
    if (next == places.size()) continue;
    const TTextRun& run = index.runs[places[next].run];
    if (run.end >= pairCount) continue;  // no "0" line follows: the walk finds no end
    runDeleted[places[next].run] = true;
    ++next;
    for (size_t line = 2 * run.first; line < 2 * run.end; ++line) dropLine[line] = true;
  }
  dxfLines.EraseFlagged(dropLine);
}

void FillTextTemplate(TLineList& tmpl, std::string_view handle, const TDxfPoint& insPt,
                      const TDxfPoint& alignPt, std::string_view text) {
  std::string value;
  for (size_t p = 0; p < PairCount(tmpl); ++p) {
    const std::string_view code = PairCode(tmpl, p);
    if (code == "5") {
      tmpl.Replace(2 * p + 1, handle);
    } else if (TextEntValueFor(code, text, insPt, alignPt, value)) {
      tmpl.Replace(2 * p + 1, value);
    }
  }
}

}  // namespace vorbel
