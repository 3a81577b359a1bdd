#include "dxf/text_ents.h"

#include "base/numbers.h"
#include "dxf/dxf_pairs.h"

namespace vorbel {

const TDxfPoint& RefPoint(const TTextEnt& ent) {
  return ent.HJust + ent.VJust != 0 ? ent.AlignPoint : ent.InsPoint;
}

namespace {

// Sets the field of `ent` that group `code` carries; other codes are ignored.
void SetTextField(TTextEnt& ent, std::string_view code, std::string_view value, std::string_view raw) {
  if (code == "5") {
    ent.Handle.assign(value.substr(0, kHandleWidth));
  } else if (code == "1") {
    ent.Text.assign(raw);
  } else if (code == "72") {
    ent.HJust = StrToInt(value);
  } else if (code == "73") {
    ent.VJust = StrToInt(value);
  } else if (code == "10") {
    ent.InsPoint.X = StrToFloat(value);
  } else if (code == "20") {
    ent.InsPoint.Y = StrToFloat(value);
  } else if (code == "30") {
    ent.InsPoint.Z = StrToFloat(value);
  } else if (code == "11") {
    ent.AlignPoint.X = StrToFloat(value);
  } else if (code == "21") {
    ent.AlignPoint.Y = StrToFloat(value);
  } else if (code == "31") {
    ent.AlignPoint.Z = StrToFloat(value);
  } else if (code == "40") {
    ent.Height = StrToFloat(value);
  } else if (code == "50") {
    ent.Rotation = StrToFloat(value);
  }
}

}  // namespace

namespace {
// An upper bound of the records, so the array is allocated once.
size_t CountTextStarts(const TLineList& dxfLines) {
  size_t count = 0;
  for (size_t p = 0; p < PairCount(dxfLines); ++p) {
    if (IsTextStart(dxfLines, p)) ++count;
  }
  return count;
}
}  // namespace

int32_t ParseTextEnts(const TLineList& dxfLines, TTextEnts& textEnts) {
  textEnts.clear();
  textEnts.reserve(CountTextStarts(dxfLines));
  bool inEntities = false;
  bool inText = false;
  for (size_t p = 0; p < PairCount(dxfLines); ++p) {
    const std::string_view code = PairCode(dxfLines, p);
    const std::string_view raw = dxfLines[2 * p + 1];
    const std::string_view value = TrimBlanks(raw);
    if (inText) {
      if (code == "0") {
        inText = false;
      } else {
        SetTextField(textEnts.back(), code, value, raw);
      }
    }
    if (code == "0" && value == "ENDSEC") {
      inEntities = false;
      inText = false;
    }
    if (inEntities && code == "0" && value == "TEXT") {
      TTextEnt ent;
      ent.Index = static_cast<int32_t>(textEnts.size());
      textEnts.push_back(std::move(ent));
      inText = true;
    }
    if (code == "2" && value == "ENTITIES") inEntities = true;
  }
  return static_cast<int32_t>(textEnts.size());
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
