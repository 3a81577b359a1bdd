// What every file the tool has AutoCAD insert must say so that its entities
// land exactly where the file puts them.
#pragma once

#include "base/line_list.h"

namespace vorbel {

// AutoCAD places an inserted file by the file's own insertion base and takes
// only its model space: the header's $INSBASE becomes 0,0,0 (added after the
// header's first variable when missing), and the entities lose their "67"/"1"
// pairs (paper space), so that they come into the space the user works in.
// Nothing else changes.
void PrepareForInsertion(TLineList& lines);

}  // namespace vorbel
