// The drawing in plan, painted into a window: every entity's outline, texts
// with their strings, the objects of a running selection highlighted; and
// the way back from a click to the drawing's coordinates.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_set>

#include "engine/drawing.h"
#include "engine/geometry.h"

namespace vorbel::cadsim {

class TPlanView {
 public:
  // Fits the drawing's extents into the view again.
  void ZoomExtents(const TDrawing& drawing);
  void Paint(HDC dc, const RECT& client, const TDrawing& drawing,
             const std::unordered_set<std::string>& highlighted) const;
  TPoint2 ToDrawing(const RECT& client, POINT at) const;
  // Drawing units per pixel.
  double UnitsPerPixel(const RECT& client) const;

 private:
  POINT ToScreen(const RECT& client, TPoint2 at) const;
  double Scale(const RECT& client) const;

  TPoint2 low_{0, 0};
  TPoint2 high_{100, 100};
};

}  // namespace vorbel::cadsim
