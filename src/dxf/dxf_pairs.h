// Reading a DXF line list as group-code/value pairs.
//
// Pair p is line 2p (the group code) and line 2p+1 (its value); a last line
// without partner is never read as a pair. Both lines are compared after
// trimming blanks and control bytes, exactly and case-sensitively; the lines
// themselves are never changed by reading.
#pragma once

#include <string_view>

#include "base/line_list.h"
#include "cp932/cp932.h"

namespace vorbel {

inline size_t PairCount(const TLineList& lines) { return lines.size() / 2; }
inline std::string_view PairCode(const TLineList& lines, size_t p) { return TrimBlanks(lines[2 * p]); }
inline std::string_view PairValue(const TLineList& lines, size_t p) { return TrimBlanks(lines[2 * p + 1]); }
inline bool IsPair(const TLineList& lines, size_t p, std::string_view code, std::string_view value) {
  return PairCode(lines, p) == code && PairValue(lines, p) == value;
}

// The pairs the tool steers by.
inline bool IsEntitiesMarker(const TLineList& l, size_t p) { return IsPair(l, p, "2", "ENTITIES"); }
inline bool IsEndSection(const TLineList& l, size_t p) { return IsPair(l, p, "0", "ENDSEC"); }
inline bool IsTextStart(const TLineList& l, size_t p) { return IsPair(l, p, "0", "TEXT"); }

}  // namespace vorbel
