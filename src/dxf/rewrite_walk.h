// The record-by-record walks of the update: every record's search walks the
// list from the entities section on. They are quadratic in the selection's
// size; the indexed operations in rewrite.h produce the same lines in linear
// time and fall back on these walks for files whose structure they do not
// cover (more than one "2"/"ENTITIES" marker).
#pragma once

#include "base/line_list.h"
#include "dxf/text_ents.h"

namespace vorbel {

void ApplyTextEntsByWalk(TTextEnts& textEnts, TLineList& dxfLines);
void DeleteMarkedEntitiesByWalk(const TTextEnts& textEnts, TLineList& dxfLines);

}  // namespace vorbel
