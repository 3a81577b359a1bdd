// The TEXT entities of an export as plain records, and the memo lines that
// go back into them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_list.h"

namespace vorbel {

struct TDxfPoint {
  double X = 0;
  double Y = 0;
  double Z = 0;
};

// One TEXT entity of the selection. Memo line i shows the Text of record i.
struct TTextEnt {
  int32_t Index = 0;     // position among the section's TEXT entities, file order
  std::string Handle;    // group 5, at most 10 characters; "-" in front marks a deletion
  TDxfPoint InsPoint;    // groups 10, 20, 30
  TDxfPoint AlignPoint;  // groups 11, 21, 31
  double Height = 0;     // group 40
  double Rotation = 0;   // group 50, degrees
  int32_t HJust = 0;     // group 72
  int32_t VJust = 0;     // group 73
  std::string Text;      // group 1, the value line as it stands
};

using TTextEnts = std::vector<TTextEnt>;

// The longest handle a record keeps.
constexpr size_t kHandleWidth = 10;

// The point a record is ordered and spaced by: the second alignment point of
// a justified text, else the insertion point.
const TDxfPoint& RefPoint(const TTextEnt& ent);

// Rebuilds `textEnts` from the TEXT entities of the entities section of
// `dxfLines`, in file order, and returns their number. A coordinate or
// justification that is no number raises the conversion error; the records
// read before it stay.
int32_t ParseTextEnts(const TLineList& dxfLines, TTextEnts& textEnts);

// What a write gives new values: the update writes the string and both
// points into the exported entities; the pattern of new texts gets the
// handle as well.
enum class TTextWrite { Update, Pattern };

// The value line group `code` gets from `ent` in a write of the kind given:
// the string as it stands, the handle, or a coordinate in the general number
// format. False for groups the write leaves as they stand (height, rotation,
// justifications and every group a record does not carry).
bool WriteTextGroup(const TTextEnt& ent, std::string_view code, TTextWrite write, std::string& value);

// Gives memo line i to record i (unchanged, not trimmed); records beyond the
// memo get an empty text. Returns the number of records that got a line.
int32_t TakeMemoLines(const std::vector<std::string>& lines, TTextEnts& textEnts);

}  // namespace vorbel
