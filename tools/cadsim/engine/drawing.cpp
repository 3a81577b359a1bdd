#include "engine/drawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <unordered_set>

#include "base/files.h"
#include "base/numbers.h"
#include "cp932/cp932.h"
#include "engine/geometry.h"

namespace vorbel::cadsim {

namespace {

constexpr std::string_view kDrawingVersion = "AC1015";
constexpr std::string_view kDefaultCodePage = "ANSI_932";

// The sections of a release-2000 file, in the order DXFOUT writes them.
constexpr std::string_view kSectionOrder[] = {"HEADER",   "CLASSES", "TABLES",        "BLOCKS",
                                              "ENTITIES", "OBJECTS", "THUMBNAILIMAGE"};

bool IsSubEntity(std::string_view type) { return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB"; }

bool IsPair(const TDxfPair& pair, int32_t code, std::string_view value) {
  return pair.Code == code && TrimBlanks(pair.Value) == value;
}

// A handle: up to 16 hexadecimal digits.
std::optional<uint64_t> ReadHandle(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > 16) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return value;
}

std::string HandleText(uint64_t value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

// The starts of the parts of an entity (indices of its "0" pairs).
std::vector<size_t> PartStarts(const TDxfPairs& pairs) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i].Code == 0) starts.push_back(i);
  }
  return starts;
}

// Drops the application groups ("102"/"{NAME" through "102"/"}"): the
// extension dictionaries and reactors they name belong to another drawing.
void DropApplicationGroups(TDxfPairs& pairs) {
  TDxfPairs kept;
  kept.reserve(pairs.size());
  bool inGroup = false;
  for (TDxfPair& pair : pairs) {
    const std::string_view value = TrimBlanks(pair.Value);
    if (pair.Code == 102 && value.starts_with("{")) {
      inGroup = true;
      continue;
    }
    if (inGroup) {
      if (pair.Code == 102 && value == "}") inGroup = false;
      if (pair.Code != 0) continue;
      inGroup = false;
    }
    kept.push_back(std::move(pair));
  }
  pairs = std::move(kept);
}

// Bit 4 of a layer's flags: the layer is locked.
constexpr int32_t kLayerLocked = 4;

// A 16-bit integer value as DXFOUT writes it: right-aligned to six columns.
std::string FormatShort(int32_t value) {
  std::string text = std::to_string(value);
  if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
  return text;
}

// An entry of the LAYER table: where its name (group 2) and its flags
// (group 70; npos without them) stand among the tables' pairs.
struct TLayerEntry {
  size_t name = std::string::npos;
  size_t flags = std::string::npos;
};

std::vector<TLayerEntry> LayerEntries(const TDxfPairs& pairs) {
  std::vector<TLayerEntry> entries;
  bool inEntry = false;
  for (size_t i = 0; i < pairs.size(); ++i) {
    const TDxfPair& pair = pairs[i];
    if (pair.Code == 0) {
      if (inEntry && entries.back().name == std::string::npos) entries.pop_back();
      inEntry = TrimBlanks(pair.Value) == "LAYER";
      if (inEntry) entries.emplace_back();
    } else if (inEntry && pair.Code == 2 && entries.back().name == std::string::npos) {
      entries.back().name = i;
    } else if (inEntry && pair.Code == 70 && entries.back().flags == std::string::npos) {
      entries.back().flags = i;
    }
  }
  if (inEntry && entries.back().name == std::string::npos) entries.pop_back();
  return entries;
}

int32_t FlagsOf(const TDxfPairs& pairs, const TLayerEntry& entry) {
  if (entry.flags == std::string::npos) return 0;
  return TryStrToInt(TrimBlanks(pairs[entry.flags].Value)).value_or(0);
}

// The pairs of a file, read two lines at a time; a last line without
// partner is dropped.
TDxfPairs ReadPairs(const TLineList& lines) {
  TDxfPairs pairs;
  pairs.reserve(lines.size() / 2);
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    pairs.push_back({ReadGroupCode(lines[i]), std::string(lines[i + 1])});
  }
  return pairs;
}

}  // namespace

std::string_view EntityType(const TEntity& entity) {
  return entity.Pairs.empty() ? std::string_view() : TrimBlanks(entity.Pairs.front().Value);
}

std::string EntityLayer(const TEntity& entity) {
  const TDxfPairs& pairs = entity.Pairs;
  for (size_t i = 1; i < pairs.size() && pairs[i].Code != 0; ++i) {
    if (pairs[i].Code == 8) return std::string(TrimBlanks(pairs[i].Value));
  }
  return "0";
}

bool InPaperSpace(const TEntity& entity) {
  const TDxfPairs& pairs = entity.Pairs;
  for (size_t i = 1; i < pairs.size() && pairs[i].Code != 0; ++i) {
    if (pairs[i].Code == 67) return TryStrToInt(TrimBlanks(pairs[i].Value)) == 1;
  }
  return false;
}

std::string LayerKey(std::string_view name) {
  std::string key(TrimBlanks(name));
  for (size_t i = 0; i < key.size(); ++i) {
    if (IsLeadByte(key[i])) {
      ++i;  // a trail byte may look like a letter
    } else if (key[i] >= 'a' && key[i] <= 'z') {
      key[i] = static_cast<char>(key[i] - 'a' + 'A');
    }
  }
  return key;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

TDrawing::TDrawing() {
  sections_.push_back({"HEADER", {}});
  sections_.push_back(
      {"OBJECTS", {{0, "DICTIONARY"}, {5, NewHandle()}, {330, "0"}, {100, "AcDbDictionary"}, {281, "1"}}});
}

TDrawing TDrawing::FromLines(const TLineList& lines) {
  const TDxfPairs pairs = ReadPairs(lines);
  TDrawing drawing;
  drawing.sections_.clear();
  drawing.seed_ = 1;
  size_t i = 0;
  while (i < pairs.size()) {
    if (IsPair(pairs[i], 0, "EOF")) break;
    if (!IsPair(pairs[i], 0, "SECTION")) {
      ++i;  // comments (999) and stray pairs between sections
      continue;
    }
    ++i;
    std::string name;
    if (i < pairs.size() && pairs[i].Code == 2) name = std::string(TrimBlanks(pairs[i++].Value));
    size_t end = i;
    while (end < pairs.size() && !IsPair(pairs[end], 0, "ENDSEC") && !IsPair(pairs[end], 0, "EOF")) ++end;
    if (name == "ENTITIES") {
      for (size_t p = i; p < end; ++p) {
        const bool opens = pairs[p].Code == 0;
        if (opens && (drawing.entities_.empty() || !IsSubEntity(TrimBlanks(pairs[p].Value)))) {
          drawing.entities_.push_back({});
        }
        if (drawing.entities_.empty()) continue;  // pairs before the first entity
        drawing.entities_.back().Pairs.push_back(pairs[p]);
      }
    } else {
      TSection* section = nullptr;
      for (TSection& existing : drawing.sections_) {
        if (existing.Name == name) section = &existing;
      }
      if (section == nullptr) {
        drawing.sections_.push_back({name, {}});
        section = &drawing.sections_.back();
      }
      section->Pairs.insert(section->Pairs.end(), pairs.begin() + static_cast<std::ptrdiff_t>(i),
                            pairs.begin() + static_cast<std::ptrdiff_t>(end));
    }
    i = end + 1;
  }
  drawing.ScanHandles();
  std::unordered_set<std::string> used;
  for (TEntity& entity : drawing.entities_) drawing.GiveHandles(entity, used);
  if (drawing.FindSection("OBJECTS") == nullptr) {
    drawing.sections_.push_back(
        {"OBJECTS",
         {{0, "DICTIONARY"}, {5, drawing.NewHandle()}, {330, "0"}, {100, "AcDbDictionary"}, {281, "1"}}});
  }
  drawing.Reindex();
  return drawing;
}

TDrawing TDrawing::Load(std::string_view path) { return FromLines(LoadLines(path)); }

void TDrawing::ScanHandles() {
  uint64_t largest = 0;
  auto consider = [&largest](const TDxfPairs& pairs) {
    for (const TDxfPair& pair : pairs) {
      if (pair.Code != 5 && pair.Code != 105) continue;
      if (const auto value = ReadHandle(pair.Value)) largest = std::max(largest, *value);
    }
  };
  std::string variable;
  uint64_t headerSeed = 0;
  for (const TSection& section : sections_) {
    // The header's group 5 is the seed itself, not a handle in use.
    if (section.Name != "HEADER") consider(section.Pairs);
    if (section.Name == "HEADER") {
      for (const TDxfPair& pair : section.Pairs) {
        if (pair.Code == 9) variable = TrimBlanks(pair.Value);
        if (variable == "$HANDSEED" && pair.Code == 5) headerSeed = ReadHandle(pair.Value).value_or(0);
      }
    }
    if (section.Name == "TABLES") {
      // The *Model_Space block record owns the entities of model space, the
      // *Paper_Space block record those of paper space.
      bool inRecord = false;
      std::string handle;
      for (const TDxfPair& pair : section.Pairs) {
        if (pair.Code == 0) {
          inRecord = TrimBlanks(pair.Value) == "BLOCK_RECORD";
          handle.clear();
        } else if (inRecord && pair.Code == 5) {
          handle = TrimBlanks(pair.Value);
        } else if (inRecord && pair.Code == 2 && UpperAscii(TrimBlanks(pair.Value)) == "*MODEL_SPACE") {
          modelSpace_ = handle;
        } else if (inRecord && pair.Code == 2 && UpperAscii(TrimBlanks(pair.Value)) == "*PAPER_SPACE") {
          paperSpace_ = handle;
        }
      }
    }
  }
  for (const TEntity& entity : entities_) consider(entity.Pairs);
  seed_ = std::max({seed_, headerSeed, largest + 1});
}

std::string TDrawing::NewHandle() { return HandleText(seed_++); }

void TDrawing::GiveHandles(TEntity& entity, std::unordered_set<std::string>& used) {
  TDxfPairs& pairs = entity.Pairs;
  const std::vector<size_t> starts = PartStarts(pairs);
  // Back to front, so that inserting a pair keeps the earlier starts valid.
  for (size_t k = starts.size(); k-- > 0;) {
    const size_t start = starts[k];
    const size_t end = k + 1 < starts.size() ? starts[k + 1] : pairs.size();
    size_t at = end;
    for (size_t i = start + 1; i < end; ++i) {
      if (pairs[i].Code == 5) {
        at = i;
        break;
      }
    }
    const auto first = pairs.begin() + static_cast<std::ptrdiff_t>(start + 1);
    if (at == end) {
      pairs.insert(first, TDxfPair{5, ""});
    } else if (at != start + 1) {
      std::rotate(first, pairs.begin() + static_cast<std::ptrdiff_t>(at),
                  pairs.begin() + static_cast<std::ptrdiff_t>(at + 1));
    }
  }
  // Handles given in file order, after the parts have their pairs in place;
  // a handle another entity already carries is replaced, as an audit of the
  // drawing does, so that every entity can be picked and written by its own.
  for (size_t start : PartStarts(pairs)) {
    TDxfPair& handle = pairs[start + 1];
    if (handle.Value.empty() || !used.insert(UpperAscii(TrimBlanks(handle.Value))).second) {
      handle.Value = NewHandle();
      used.insert(handle.Value);
    }
  }
  entity.Handle = pairs.size() > 1 ? UpperAscii(TrimBlanks(pairs[1].Value)) : std::string();
}

void TDrawing::Reindex() {
  index_.clear();
  for (size_t i = 0; i < entities_.size(); ++i) index_.emplace(entities_[i].Handle, i);
}

size_t TDrawing::Find(std::string_view handle) const {
  const auto found = index_.find(UpperAscii(TrimBlanks(handle)));
  return found == index_.end() ? std::string::npos : found->second;
}

size_t TDrawing::Erase(const std::vector<std::string>& handles) {
  std::vector<bool> drop(entities_.size(), false);
  size_t count = 0;
  for (const std::string& handle : handles) {
    const size_t i = Find(handle);
    if (i != std::string::npos && !drop[i]) {
      drop[i] = true;
      ++count;
    }
  }
  if (count == 0) return 0;
  size_t next = 0;
  for (size_t i = 0; i < entities_.size(); ++i) {
    if (drop[i]) continue;
    // An entity that stays where it is is left alone: moving it onto itself
    // would empty it.
    if (next != i) entities_[next] = std::move(entities_[i]);
    ++next;
  }
  entities_.resize(next);
  Reindex();
  return count;
}

std::vector<std::string> TDrawing::InsertExploded(const TDrawing& source, const TPlacement& placement) {
  std::vector<std::string> added;
  const TDxfPoint base = source.InsertionBase();
  for (const TEntity& original : source.entities_) {
    TEntity entity = original;
    DropApplicationGroups(entity.Pairs);
    TransformEntity(entity.Pairs, base, placement);
    const std::vector<size_t> starts = PartStarts(entity.Pairs);
    std::string mainHandle;
    for (size_t k = 0; k < starts.size(); ++k) {
      const size_t start = starts[k];
      const size_t end = k + 1 < starts.size() ? starts[k + 1] : entity.Pairs.size();
      const std::string handle = NewHandle();
      if (k == 0) mainHandle = handle;
      if (start + 1 < end && entity.Pairs[start + 1].Code == 5) entity.Pairs[start + 1].Value = handle;
      // The main part belongs to model space, its sub-entities to the main part.
      const std::string& owner = k == 0 ? modelSpace_ : mainHandle;
      for (size_t i = start + 1; i < end && !owner.empty(); ++i) {
        if (entity.Pairs[i].Code == 330) {
          entity.Pairs[i].Value = owner;
          break;
        }
      }
    }
    entity.Handle = mainHandle;
    added.push_back(mainHandle);
    entities_.push_back(std::move(entity));
  }
  Reindex();
  return added;
}

std::unordered_set<std::string> TDrawing::LockedLayers() const {
  std::unordered_set<std::string> locked;
  const TSection* tables = FindSection("TABLES");
  if (tables == nullptr) return locked;
  for (const TLayerEntry& entry : LayerEntries(tables->Pairs)) {
    if ((FlagsOf(tables->Pairs, entry) & kLayerLocked) != 0)
      locked.insert(LayerKey(tables->Pairs[entry.name].Value));
  }
  return locked;
}

size_t TDrawing::LockLayers(const std::vector<std::string>& names, bool lock,
                            std::vector<std::string>& missing) {
  TSection* tables = nullptr;
  for (TSection& section : sections_) {
    if (section.Name == "TABLES") tables = &section;
  }
  TDxfPairs noPairs;
  TDxfPairs& pairs = tables == nullptr ? noPairs : tables->Pairs;
  const std::vector<TLayerEntry> entries = LayerEntries(pairs);
  std::vector<bool> named(entries.size(), false);
  for (const std::string& name : names) {
    const std::string key = LayerKey(name);
    bool found = false;
    for (size_t k = 0; k < entries.size(); ++k) {
      if (key == "*" || LayerKey(pairs[entries[k].name].Value) == key) {
        named[k] = true;
        found = true;
      }
    }
    if (!found && key != "*") missing.push_back(name);
  }
  size_t changed = 0;
  // Back to front, so that a flags pair added keeps the earlier entries'
  // places.
  for (size_t k = entries.size(); k-- > 0;) {
    if (!named[k]) continue;
    const int32_t flags = FlagsOf(pairs, entries[k]);
    const int32_t wanted = lock ? flags | kLayerLocked : flags & ~kLayerLocked;
    if (wanted == flags) continue;
    if (entries[k].flags == std::string::npos) {
      pairs.insert(pairs.begin() + static_cast<std::ptrdiff_t>(entries[k].name + 1),
                   TDxfPair{70, FormatShort(wanted)});
    } else {
      pairs[entries[k].flags].Value = FormatShort(wanted);
    }
    ++changed;
  }
  return changed;
}

bool TDrawing::PaperSpaceIsCurrent() const {
  const TSection* header = FindSection("HEADER");
  if (header == nullptr) return false;
  std::string variable;
  for (const TDxfPair& pair : header->Pairs) {
    if (pair.Code == 9) variable = TrimBlanks(pair.Value);
    if (variable == "$TILEMODE" && pair.Code == 70) return TryStrToInt(TrimBlanks(pair.Value)) == 0;
  }
  return false;
}

void TDrawing::PutInSpace(const std::vector<std::string>& handles, bool paper) {
  const std::string& owner = paper ? paperSpace_ : modelSpace_;
  for (const std::string& handle : handles) {
    const size_t i = Find(handle);
    if (i == std::string::npos) continue;
    TDxfPairs& pairs = entities_[i].Pairs;
    std::erase_if(pairs, [](const TDxfPair& pair) { return pair.Code == 67; });
    for (size_t p = 1; p < pairs.size() && pairs[p].Code != 0 && !owner.empty(); ++p) {
      if (pairs[p].Code == 330) {
        pairs[p].Value = owner;
        break;
      }
    }
    if (!paper) continue;
    const std::vector<size_t> starts = PartStarts(pairs);
    for (size_t k = starts.size(); k-- > 0;) {
      const size_t end = k + 1 < starts.size() ? starts[k + 1] : pairs.size();
      // Behind the handle, the owner and application groups, and the entity
      // class marker when there is one.
      size_t at = starts[k] + 1;
      while (at < end) {
        const TDxfPair& pair = pairs[at];
        ++at;
        if (pair.Code == 100 && TrimBlanks(pair.Value) == "AcDbEntity") break;
        if (pair.Code != 5 && pair.Code != 102 && pair.Code != 330 && pair.Code != 360) {
          --at;
          break;
        }
      }
      pairs.insert(pairs.begin() + static_cast<std::ptrdiff_t>(at), TDxfPair{67, FormatShort(1)});
    }
  }
}

std::string TDrawing::HandleSeed() const { return HandleText(seed_); }

TDxfPoint TDrawing::InsertionBase() const {
  TDxfPoint base;
  const TSection* header = FindSection("HEADER");
  if (header == nullptr) return base;
  std::string variable;
  for (const TDxfPair& pair : header->Pairs) {
    if (pair.Code == 9) variable = TrimBlanks(pair.Value);
    if (variable != "$INSBASE") continue;
    const double value = TryStrToFloat(TrimBlanks(pair.Value)).value_or(0);
    if (pair.Code == 10) base.X = value;
    if (pair.Code == 20) base.Y = value;
    if (pair.Code == 30) base.Z = value;
  }
  return base;
}

const TDxfPair* TDrawing::FindHeaderPair(std::string_view variable, int32_t code) const {
  const TSection* header = FindSection("HEADER");
  if (header == nullptr) return nullptr;
  std::string_view current;
  for (const TDxfPair& pair : header->Pairs) {
    if (pair.Code == 9) current = TrimBlanks(pair.Value);
    if (current == variable && pair.Code == code) return &pair;
  }
  return nullptr;
}

std::optional<double> TDrawing::HeaderReal(std::string_view variable, int32_t code) const {
  const TDxfPair* pair = FindHeaderPair(variable, code);
  return pair == nullptr ? std::nullopt : TryStrToFloat(TrimBlanks(pair->Value));
}

std::optional<int32_t> TDrawing::HeaderInt(std::string_view variable, int32_t code) const {
  const TDxfPair* pair = FindHeaderPair(variable, code);
  return pair == nullptr ? std::nullopt : TryStrToInt(TrimBlanks(pair->Value));
}

bool TDrawing::SetHeaderReal(std::string_view variable, int32_t code, double value) {
  if (HeaderReal(variable, code) == value) return false;
  // The shortest text that reads back as the same number, so that the
  // drawing keeps every bit of it; DXFOUT writes it with its own digits.
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return SetHeaderPair(variable, code, std::move(text));
}

bool TDrawing::SetHeaderInt(std::string_view variable, int32_t code, int32_t value) {
  if (HeaderInt(variable, code) == value) return false;
  return SetHeaderPair(variable, code, std::to_string(value));
}

bool TDrawing::SetHeaderPair(std::string_view variable, int32_t code, std::string value) {
  auto header = std::find_if(sections_.begin(), sections_.end(),
                             [](const TSection& section) { return section.Name == "HEADER"; });
  if (header == sections_.end()) header = sections_.insert(sections_.begin(), TSection{"HEADER", {}});
  TDxfPairs& pairs = header->Pairs;
  size_t start = 0;
  while (start < pairs.size() && !(pairs[start].Code == 9 && TrimBlanks(pairs[start].Value) == variable))
    ++start;
  if (start == pairs.size()) {
    pairs.insert(pairs.end(), {{9, std::string(variable)}, {code, std::move(value)}});
    return true;
  }
  size_t end = start + 1;
  while (end < pairs.size() && pairs[end].Code != 9) ++end;
  for (size_t i = start + 1; i < end; ++i) {
    if (pairs[i].Code != code) continue;
    if (pairs[i].Value == value) return false;
    pairs[i].Value = std::move(value);
    return true;
  }
  pairs.insert(pairs.begin() + static_cast<std::ptrdiff_t>(end), TDxfPair{code, std::move(value)});
  return true;
}

const TSection* TDrawing::FindSection(std::string_view name) const {
  for (const TSection& section : sections_) {
    if (section.Name == name) return &section;
  }
  return nullptr;
}

TDxfPairs TDrawing::HeaderForOutput() const {
  TDxfPairs header;
  const TSection* source = FindSection("HEADER");
  bool hasVersion = false;
  bool hasCodePage = false;
  bool hasSeed = false;
  std::string variable;
  if (source != nullptr) {
    for (const TDxfPair& pair : source->Pairs) {
      if (pair.Code == 9) variable = TrimBlanks(pair.Value);
      TDxfPair out = pair;
      if (variable == "$ACADVER" && pair.Code == 1) {
        out.Value = kDrawingVersion;
        hasVersion = true;
      } else if (variable == "$HANDSEED" && pair.Code == 5) {
        out.Value = HandleSeed();
        hasSeed = true;
      } else if (variable == "$DWGCODEPAGE") {
        hasCodePage = true;
      }
      header.push_back(std::move(out));
    }
  }
  TDxfPairs front;
  if (!hasVersion) front.insert(front.end(), {{9, "$ACADVER"}, {1, std::string(kDrawingVersion)}});
  if (!hasCodePage) front.insert(front.end(), {{9, "$DWGCODEPAGE"}, {3, std::string(kDefaultCodePage)}});
  header.insert(header.begin(), front.begin(), front.end());
  if (!hasSeed) header.insert(header.end(), {{9, "$HANDSEED"}, {5, HandleSeed()}});
  return header;
}

TLineList TDrawing::ToDxf(const std::vector<bool>& keep, int decimals) const {
  TLineList lines;
  auto open = [&lines](std::string_view name) {
    AppendDxfLines({{0, "SECTION"}, {2, std::string(name)}}, kMaxDecimals, lines);
  };
  auto close = [&lines] { AppendDxfLines({{0, "ENDSEC"}}, kMaxDecimals, lines); };
  for (std::string_view name : kSectionOrder) {
    if (name == "HEADER") {
      open(name);
      AppendDxfLines(HeaderForOutput(), decimals, lines);
      close();
    } else if (name == "ENTITIES") {
      open(name);
      for (size_t i = 0; i < entities_.size(); ++i) {
        if (keep.empty() || (i < keep.size() && keep[i])) AppendDxfLines(entities_[i].Pairs, decimals, lines);
      }
      close();
    } else if (const TSection* section = FindSection(name)) {
      open(name);
      AppendDxfLines(section->Pairs, decimals, lines);
      close();
    } else if (name != "THUMBNAILIMAGE") {
      open(name);
      close();
    }
  }
  AppendDxfLines({{0, "EOF"}}, kMaxDecimals, lines);
  return lines;
}

}  // namespace vorbel::cadsim
