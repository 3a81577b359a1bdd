// What an export tells of the drawing beyond its entities: header variables,
// the layers that are locked, and the kinds of object it holds. Update reads
// them from the export it makes just before it changes the drawing, so they
// are the drawing's state at that moment.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_list.h"

namespace vorbel {

// The value of the header variable `name` ("$ANGBASE") in group `code`
// ("50"), trimmed, as the file writes it; none when the header lacks either.
std::optional<std::string> HeaderValue(const TLineList& lines, std::string_view name, std::string_view code);

// The objects of the entities section that lie on locked layers (layer table
// flag 4; layer names compared without regard to ASCII letter case; an
// object without a layer lies on "0"): the locked layers that hold any, in
// the order of the layer table, and how many objects they hold.
struct TLockedObjects {
  std::vector<std::string> Layers;
  size_t Count = 0;
};
TLockedObjects ObjectsOnLockedLayers(const TLineList& lines);

// The objects of the entities section that Update would erase and draw again
// as something less than they were: every object other than TEXT by its
// type ("LINE" ...), and TEXT that belongs to a group or another object
// (reactors, "{ACAD_REACTORS"), counted under "TEXT". Vertices, attributes
// and sequence ends belong to their objects and are not counted.
std::map<std::string, size_t> ObjectsBeyondPlainTexts(const TLineList& lines);

}  // namespace vorbel
