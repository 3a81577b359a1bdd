// Running object snaps on typed points: the end points and insertion points
// of the drawing's entities that a point typed near them lands on.
#pragma once

#include <optional>
#include <vector>

#include "dxf/text_ents.h"
#include "engine/drawing.h"

namespace vorbel::cadsim {

// The points of an entity a snap lands on: the end points of a LINE (groups
// 10 and 11), the vertices of a LWPOLYLINE or POLYLINE, the insertion point
// (group 10) of a TEXT, MTEXT, INSERT or POINT. Other entities have none.
std::vector<TDxfPoint> SnapPoints(const TEntity& entity);

// The snap point nearest to `typed` (in plan: X and Y) no farther than
// `aperture`, among the entities of one space (paper or model); none when
// no snap point is that near.
std::optional<TDxfPoint> SnapTypedPoint(const std::vector<TEntity>& entities, bool paperSpace,
                                        const TDxfPoint& typed, double aperture);

}  // namespace vorbel::cadsim
