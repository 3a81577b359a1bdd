// The user coordinate system (UCS) the command line measures typed points
// in: an origin and two axes, all in world coordinates, kept in the
// drawing's header ($UCSORG, $UCSXDIR, $UCSYDIR) so that DXFOUT writes it
// and an undo brings it back.
#pragma once

#include "dxf/text_ents.h"
#include "engine/drawing.h"

namespace vorbel::cadsim {

struct TUcs {
  TDxfPoint Origin;
  TDxfPoint XDir{1, 0, 0};
  TDxfPoint YDir{0, 1, 0};
};

// True for the world coordinate system (within rounding).
bool IsWorld(const TUcs& ucs);
// A point given in the UCS, in world coordinates.
TDxfPoint UcsToWorld(const TUcs& ucs, const TDxfPoint& point);
// The angle of the UCS's X axis in plan, counter-clockwise from the world's
// X axis, in degrees (-180 to 180).
double UcsAngle(const TUcs& ucs);
// The UCS with its axes turned about its Z axis by `degrees`.
TUcs TurnedAboutZ(const TUcs& ucs, double degrees);

// The drawing's current UCS: the world when the header lacks it, or when
// its axes are no axes (zero or parallel).
TUcs DrawingUcs(const TDrawing& drawing);
// Writes the UCS into the header; true when the drawing changed.
bool SetDrawingUcs(TDrawing& drawing, const TUcs& ucs);

}  // namespace vorbel::cadsim
