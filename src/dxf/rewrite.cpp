#include "dxf/rewrite.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dxf/dxf_pairs.h"
#include "dxf/entity_walk.h"
#include "dxf/rewrite_walk.h"

namespace vorbel {

void MarkForDeletion(TTextEnt& ent) { ent.Handle = ("-" + ent.Handle).substr(0, kHandleWidth); }

namespace {

// A TEXT entity of the entities section as the update sees it: its
// "0"/"TEXT" pair, and its groups up to the next "0" pair (`end`, or the pair
// count when none follows).
struct TTextRun {
  size_t first;
  size_t end;
};

constexpr uint32_t kNoPlace = 0xFFFFFFFFu;

// Where a handle occurs: the run and the pair of the first group 5 in that
// run with the handle as its value; `next` chains the places of one handle.
struct THandlePlace {
  size_t run;
  size_t pair;
  uint32_t next;
};

struct TTextRunIndex {
  std::vector<TTextRun> runs;
  std::vector<THandlePlace> places;
  // First and last place of each handle; the keys view the list's bytes.
  std::unordered_map<std::string_view, std::pair<uint32_t, uint32_t>> handles;
  size_t entitiesMarkers = 0;
};

// One pass over the list: the TEXT entities of the section and the handles
// they carry.
TTextRunIndex IndexTextRuns(const TLineList& lines) {
  TTextRunIndex index;
  // A TEXT entity takes at least a dozen pairs.
  index.handles.reserve(PairCount(lines) / 12 + 1);
  TEntityWalk walk(lines);
  while (walk.Next()) {
    if (!walk.IsText()) continue;
    const uint32_t run = static_cast<uint32_t>(index.runs.size());
    while (walk.NextGroup()) {
      if (walk.Code() != "5") continue;
      const size_t p = walk.Pair();
      const auto [found, added] = index.handles.try_emplace(PairValue(lines, p), kNoPlace, kNoPlace);
      auto& [first, last] = found->second;
      if (!added && index.places[last].run == run) continue;
      const uint32_t place = static_cast<uint32_t>(index.places.size());
      index.places.push_back({run, p, kNoPlace});
      if (added) {
        first = place;
      } else {
        index.places[last].next = place;
      }
      last = place;
    }
    index.runs.push_back({walk.First(), walk.End()});
  }
  index.entitiesMarkers = walk.EntitiesMarkers();
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
  for (TTextEnt& ent : textEnts) {
    if (ent.Text.empty()) MarkForDeletion(ent);
  }
  // The first place of each record's handle. Records sharing a handle write
  // the same lines, so only the last of them needs to: its values win.
  std::vector<uint32_t> firstPlace(textEnts.size(), kNoPlace);
  std::vector<size_t> lastWriter(index.places.size(), 0);
  for (size_t i = 0; i < textEnts.size(); ++i) {
    if (textEnts[i].Text.empty()) continue;
    const auto found = index.handles.find(textEnts[i].Handle);
    if (found == index.handles.end()) continue;
    firstPlace[i] = found->second.first;
    lastWriter[firstPlace[i]] = i;
  }
  std::string value;
  for (size_t i = 0; i < textEnts.size(); ++i) {
    if (firstPlace[i] == kNoPlace || lastWriter[firstPlace[i]] != i) continue;
    const TTextEnt& ent = textEnts[i];
    for (uint32_t k = firstPlace[i]; k != kNoPlace; k = index.places[k].next) {
      const THandlePlace& place = index.places[k];
      for (size_t p = place.pair + 1; p < index.runs[place.run].end; ++p) {
        if (WriteTextGroup(ent, PairCode(dxfLines, p), TTextWrite::Update, value)) {
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
  std::unordered_map<std::string_view, uint32_t> nextPlace;
  for (const TTextEnt& ent : textEnts) {
    if (!ent.Handle.starts_with('-')) continue;
    const std::string_view key = std::string_view(ent.Handle).substr(1);
    const auto found = index.handles.find(key);
    if (found == index.handles.end()) continue;
    // Each marked record takes the first TEXT entity with its key that is
    // still there, as a walk from the start of the section would.
    uint32_t& next = nextPlace.try_emplace(found->first, found->second.first).first->second;
    while (next != kNoPlace && runDeleted[index.places[next].run]) next = index.places[next].next;
    if (next == kNoPlace) continue;
    const size_t runNo = index.places[next].run;
    const TTextRun& run = index.runs[runNo];
    if (run.end >= pairCount) continue;  // no "0" line follows: the walk finds no end
    runDeleted[runNo] = true;
    next = index.places[next].next;
    for (size_t line = 2 * run.first; line < 2 * run.end; ++line) dropLine[line] = true;
  }
  dxfLines.EraseFlagged(dropLine);
}

void FillTextTemplate(TLineList& tmpl, std::string_view handle, const TDxfPoint& insPt,
                      const TDxfPoint& alignPt, std::string_view text) {
  TTextEnt ent;
  ent.Handle.assign(handle);
  ent.InsPoint = insPt;
  ent.AlignPoint = alignPt;
  ent.Text.assign(text);
  std::string value;
  for (size_t p = 0; p < PairCount(tmpl); ++p) {
    if (WriteTextGroup(ent, PairCode(tmpl, p), TTextWrite::Pattern, value)) tmpl.Replace(2 * p + 1, value);
  }
}

}  // namespace vorbel
