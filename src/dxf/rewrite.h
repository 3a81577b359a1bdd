// Writing the records back into the exported DXF, and filling the pattern
// entity for new texts.
#pragma once

#include <string_view>

#include "base/line_list.h"
#include "dxf/text_ents.h"

namespace vorbel {

// Writes every record's text and points into the TEXT entities of
// `dxfLines` that carry its handle; marks records with an empty text for
// deletion ("-" in front of the handle, cut to 10 characters).
void ApplyTextEnts(TTextEnts& textEnts, TLineList& dxfLines);

// Removes the TEXT entity of every marked record from `dxfLines`.
void DeleteMarkedEntities(const TTextEnts& textEnts, TLineList& dxfLines);

// Sets the handle, string and both points of the one entity in `tmpl`.
void FillTextTemplate(TLineList& tmpl, std::string_view handle, const TDxfPoint& insPt,
                      const TDxfPoint& alignPt, std::string_view text);

// The mark a record with an empty text gets.
void MarkForDeletion(TTextEnt& ent);

}  // namespace vorbel
