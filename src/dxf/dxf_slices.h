// Slicing an exported DXF line list: the largest handle, the head up to the
// entities section, the tail from its end, one entity by its handle.
//
// None of them changes its source; the copies append to their destination.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/line_list.h"

namespace vorbel {

// The largest group-5 value of the whole list read as a signed 32-bit
// hexadecimal number; 0 without handles. Values that are no such number
// ("*", an empty value, more than 8 significant digits) are no handles and
// are passed over.
int32_t GetMaxHandle(const TLineList& lines);

// Appends lines 0 through the value line of the first "2"/"ENTITIES" pair;
// without that pair, the first line only.
void CopyDxfHead(const TLineList& src, TLineList& dst);

// Appends from the "0" line of the "0"/"ENDSEC" that closes the entities
// section to the end; without it, the whole list.
void CopyDxfTail(const TLineList& src, TLineList& dst);

// Appends the lines of the first entity of type `entType` in the entities
// section whose group 5 equals `handle`, from its "0" pair to the line before
// the next "0" line; nothing when there is none. An entity ends at its next
// "0" pair: one that carries the handle only after that pair (in the next
// entity) does not match, and one without a "0" line after it is not copied.
void CopyEntityByHandle(std::string_view entType, std::string_view handle, const TLineList& src,
                        TLineList& dst);

// True when the list ends with the pair "0"/"EOF" (trailing blank lines
// aside), as every DXF that AutoCAD writes does. A file cut short by a full
// disk or a killed export fails this.
bool EndsWithEof(const TLineList& lines);

}  // namespace vorbel
