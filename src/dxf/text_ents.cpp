#include "dxf/text_ents.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <utility>

#include "base/numbers.h"
#include "cp932/cp932.h"
#include "dxf/dxf_pairs.h"
#include "dxf/entity_walk.h"

namespace vorbel {

const TDxfPoint& RefPoint(const TTextEnt& ent) {
  return ent.HJust + ent.VJust != 0 ? ent.AlignPoint : ent.InsPoint;
}

namespace {

// The groups of a TEXT entity that a record carries: the one map between
// group codes and fields, read by the parse and written by the update and
// the pattern of new texts.
enum class TGroupKind {
  Handle,      // read as the handle; written into the pattern only
  Text,        // the string, never trimmed; written back
  Coordinate,  // a real of a point; written back
  Real,        // a real that stays as exported
  Integer,     // an integer that stays as exported
};

struct TTextGroup {
  std::string_view code;
  TGroupKind kind;
  TDxfPoint TTextEnt::*point = nullptr;  // Coordinate: the point and its coordinate
  double TDxfPoint::*coord = nullptr;
  double TTextEnt::*real = nullptr;      // Real
  int32_t TTextEnt::*integer = nullptr;  // Integer
};

constexpr TTextGroup kTextGroups[] = {
    {.code = "5", .kind = TGroupKind::Handle},
    {.code = "1", .kind = TGroupKind::Text},
    {.code = "10", .kind = TGroupKind::Coordinate, .point = &TTextEnt::InsPoint, .coord = &TDxfPoint::X},
    {.code = "20", .kind = TGroupKind::Coordinate, .point = &TTextEnt::InsPoint, .coord = &TDxfPoint::Y},
    {.code = "30", .kind = TGroupKind::Coordinate, .point = &TTextEnt::InsPoint, .coord = &TDxfPoint::Z},
    {.code = "11", .kind = TGroupKind::Coordinate, .point = &TTextEnt::AlignPoint, .coord = &TDxfPoint::X},
    {.code = "21", .kind = TGroupKind::Coordinate, .point = &TTextEnt::AlignPoint, .coord = &TDxfPoint::Y},
    {.code = "31", .kind = TGroupKind::Coordinate, .point = &TTextEnt::AlignPoint, .coord = &TDxfPoint::Z},
    {.code = "40", .kind = TGroupKind::Real, .real = &TTextEnt::Height},
    {.code = "50", .kind = TGroupKind::Real, .real = &TTextEnt::Rotation},
    {.code = "72", .kind = TGroupKind::Integer, .integer = &TTextEnt::HJust},
    {.code = "73", .kind = TGroupKind::Integer, .integer = &TTextEnt::VJust},
};

// Codes of one or two bytes as numbers, so that looking a code up compares
// numbers; 0 for every other code, which no group of a record has.
constexpr uint32_t CodeKey(std::string_view code) {
  if (code.empty() || code.size() > 2) return 0;
  const auto byte = [&](size_t i) {
    return i < code.size() ? static_cast<uint32_t>(static_cast<unsigned char>(code[i])) : 0u;
  };
  return static_cast<uint32_t>(code.size()) << 16 | byte(0) << 8 | byte(1);
}

constexpr auto kTextGroupKeys = [] {
  std::array<uint32_t, std::size(kTextGroups)> keys{};
  for (size_t i = 0; i < keys.size(); ++i) keys[i] = CodeKey(kTextGroups[i].code);
  return keys;
}();

const TTextGroup* FindTextGroup(std::string_view code) {
  const uint32_t key = CodeKey(code);
  if (key == 0) return nullptr;
  for (size_t i = 0; i < kTextGroupKeys.size(); ++i) {
    if (kTextGroupKeys[i] == key) return &kTextGroups[i];
  }
  return nullptr;
}

// Sets the field of `ent` that group `code` carries from the value line
// `raw`; other codes are passed over.
void ReadTextGroup(TTextEnt& ent, std::string_view code, std::string_view raw) {
  const TTextGroup* group = FindTextGroup(code);
  if (group == nullptr) return;
  const std::string_view value = TrimBlanks(raw);
  switch (group->kind) {
    case TGroupKind::Handle:
      ent.Handle.assign(value.substr(0, kHandleWidth));
      break;
    case TGroupKind::Text:
      ent.Text.assign(raw);
      break;
    case TGroupKind::Coordinate:
      (ent.*group->point).*group->coord = StrToFloat(value);
      break;
    case TGroupKind::Real:
      ent.*group->real = StrToFloat(value);
      break;
    case TGroupKind::Integer:
      ent.*group->integer = StrToInt(value);
      break;
  }
}

// The number of records, so the array is allocated once.
size_t CountTextEnts(const TLineList& dxfLines) {
  size_t count = 0;
  TEntityWalk walk(dxfLines);
  while (walk.Next()) {
    if (walk.IsText()) ++count;
  }
  return count;
}
}  // namespace

int32_t ParseTextEnts(const TLineList& dxfLines, TTextEnts& textEnts) {
  textEnts.clear();
  textEnts.reserve(CountTextEnts(dxfLines));
  TEntityWalk walk(dxfLines);
  while (walk.Next()) {
    if (!walk.IsText()) continue;
    // A default-initialised record moved in: emplace_back() would zero
    // the whole record first.
    TTextEnt ent;
    ent.Index = static_cast<int32_t>(textEnts.size());
    textEnts.push_back(std::move(ent));
    while (walk.NextGroup()) ReadTextGroup(textEnts.back(), walk.Code(), dxfLines[2 * walk.Pair() + 1]);
  }
  return static_cast<int32_t>(textEnts.size());
}

bool WriteTextGroup(const TTextEnt& ent, std::string_view code, TTextWrite write, std::string& value) {
  const TTextGroup* group = FindTextGroup(code);
  if (group == nullptr) return false;
  switch (group->kind) {
    case TGroupKind::Handle:
      if (write != TTextWrite::Pattern) return false;
      value.assign(ent.Handle);
      return true;
    case TGroupKind::Text:
      value.assign(ent.Text);
      return true;
    case TGroupKind::Coordinate:
      value = FormatGeneral15((ent.*group->point).*group->coord);
      return true;
    case TGroupKind::Real:
    case TGroupKind::Integer:
      return false;
  }
  return false;
}

int32_t TakeMemoLines(const std::vector<std::string>& lines, TTextEnts& textEnts) {
  int32_t count = 0;
  for (size_t i = 0; i < textEnts.size(); ++i) {
    if (i < lines.size()) {
      textEnts[i].Text = lines[i];
      ++count;
    } else {
      textEnts[i].Text.clear();
    }
  }
  return count;
}

}  // namespace vorbel
