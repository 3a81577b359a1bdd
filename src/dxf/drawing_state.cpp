#include "dxf/drawing_state.h"

#include <algorithm>
#include <unordered_map>

#include "dxf/dxf_pairs.h"
#include "dxf/entity_walk.h"

namespace vorbel {

namespace {

constexpr int kLayerLocked = 4;

// ASCII letters in upper case; the second byte of a double-byte character
// is left alone, whatever its value.
std::string LayerKey(std::string_view name) {
  std::string key(name);
  for (size_t i = 0; i < key.size(); ++i) {
    if (IsLeadByte(key[i])) {
      ++i;
    } else if (key[i] >= 'a' && key[i] <= 'z') {
      key[i] = static_cast<char>(key[i] - 'a' + 'A');
    }
  }
  return key;
}

bool IsSubEntity(std::string_view type) { return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND"; }

// The flags of a layer entry; 0 for a value that is no number.
int LayerFlags(std::string_view value) {
  int flags = 0;
  for (const char c : value) {
    if (c < '0' || c > '9' || flags > 100000) return flags;
    flags = flags * 10 + (c - '0');
  }
  return flags;
}

// The locked layers of the layer table, by key, with their names as written.
std::vector<std::pair<std::string, std::string>> LockedLayers(const TLineList& lines) {
  std::vector<std::pair<std::string, std::string>> locked;
  const size_t pairs = PairCount(lines);
  bool inLayerTable = false;
  bool inEntry = false;
  std::string name;
  int flags = 0;
  const auto endEntry = [&] {
    if (inEntry && (flags & kLayerLocked) != 0) locked.emplace_back(LayerKey(name), name);
    inEntry = false;
  };
  for (size_t p = 0; p < pairs; ++p) {
    const std::string_view code = PairCode(lines, p);
    const std::string_view value = PairValue(lines, p);
    if (code == "0") {
      endEntry();
      if (value == "TABLE") {
        inLayerTable = p + 1 < pairs && IsPair(lines, p + 1, "2", "LAYER");
      } else if (value == "ENDTAB" || value == "ENDSEC") {
        inLayerTable = false;
      } else if (inLayerTable && value == "LAYER") {
        inEntry = true;
        name.clear();
        flags = 0;
      }
    } else if (inEntry && code == "2") {
      name = value;
    } else if (inEntry && code == "70") {
      flags = LayerFlags(value);
    }
  }
  endEntry();
  return locked;
}

}  // namespace

std::optional<std::string> HeaderValue(const TLineList& lines, std::string_view name, std::string_view code) {
  const size_t pairs = PairCount(lines);
  for (size_t p = 0; p < pairs; ++p) {
    if (IsEntitiesMarker(lines, p)) break;
    if (!IsPair(lines, p, "9", name)) continue;
    for (size_t q = p + 1; q < pairs; ++q) {
      const std::string_view groupCode = PairCode(lines, q);
      if (groupCode == "9" || groupCode == "0") break;
      if (groupCode == code) return std::string(PairValue(lines, q));
    }
    break;
  }
  return std::nullopt;
}

TLockedObjects ObjectsOnLockedLayers(const TLineList& lines) {
  TLockedObjects result;
  const auto locked = LockedLayers(lines);
  if (locked.empty()) return result;
  std::unordered_map<std::string, size_t> counts;
  for (const auto& layer : locked) counts.emplace(layer.first, 0);
  TEntityWalk walk(lines);
  while (walk.Next()) {
    if (IsSubEntity(walk.Type())) continue;
    std::string layer = "0";
    while (walk.NextGroup()) {
      if (walk.Code() == "8") layer = LayerKey(PairValue(lines, walk.Pair()));
    }
    const auto found = counts.find(layer);
    if (found == counts.end()) continue;
    ++found->second;
    ++result.Count;
  }
  for (const auto& [key, name] : locked) {
    size_t& count = counts[key];
    if (count == 0) continue;
    count = 0;  // a layer listed twice is named once
    result.Layers.push_back(name);
  }
  return result;
}

std::map<std::string, size_t> ObjectsBeyondPlainTexts(const TLineList& lines) {
  std::map<std::string, size_t> kinds;
  TEntityWalk walk(lines);
  while (walk.Next()) {
    const std::string_view type = walk.Type();
    if (IsSubEntity(type)) continue;
    if (!walk.IsText()) {
      ++kinds[std::string(type)];
      continue;
    }
    while (walk.NextGroup()) {
      if (walk.Code() == "102" && PairValue(lines, walk.Pair()) == "{ACAD_REACTORS") {
        ++kinds["TEXT"];
        break;
      }
    }
  }
  return kinds;
}

}  // namespace vorbel
