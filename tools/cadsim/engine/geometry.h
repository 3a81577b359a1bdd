// What the stand-in CAD reads from an entity's pairs besides its handle:
// where it lies, how it looks in a plan view, which entity a click meant,
// and how an insertion moves, scales and turns it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dxf/text_ents.h"
#include "engine/drawing.h"

namespace vorbel::cadsim {

struct TPoint2 {
  double X = 0;
  double Y = 0;
};

// An entity in plan: polylines to draw, a text to write, and markers (points
// shown as small crosses, such as the insertion point of a block reference).
struct TOutline {
  std::vector<std::vector<TPoint2>> Paths;
  std::vector<TPoint2> Markers;
  bool HasText = false;
  TPoint2 TextAt;
  double TextHeight = 0;
  double TextAngle = 0;  // degrees
  std::string Text;      // code page 932 bytes as in the drawing
};

TOutline EntityOutline(const TEntity& entity);

// The entity's first point (groups 10, 20, 30), if it has one.
std::optional<TDxfPoint> EntityPosition(const TEntity& entity);
// The string of a TEXT, MTEXT, ATTRIB or ATTDEF (group 1), else empty.
std::string EntityString(const TEntity& entity);

// The index of the entity whose outline passes nearest to `at`, within
// `tolerance` drawing units; npos when none does.
size_t NearestEntity(const std::vector<TEntity>& entities, TPoint2 at, double tolerance);

// The smallest rectangle around every entity's outline; false for a drawing
// without anything to show.
bool DrawingExtents(const std::vector<TEntity>& entities, TPoint2& low, TPoint2& high);

// Moves an entity's points so that `base` lands on the placement's point,
// scales them by its scale and turns them by its rotation about that point;
// heights, radii, widths and block scales are scaled and the angles of texts,
// arcs and block references turned with them.
void TransformEntity(TDxfPairs& pairs, const TDxfPoint& base, const TPlacement& placement);

}  // namespace vorbel::cadsim
