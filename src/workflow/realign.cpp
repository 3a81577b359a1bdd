#include "workflow/realign.h"

#include "workflow/ordering.h"

namespace vorbel {

namespace {

void MovePoint(TDxfPoint& point, const TDxfPoint& base, TRealignment realignment, double steps, double dX,
               double dY) {
  switch (realignment) {
    case TRealignment::Pitch:
      point.X = base.X + steps * dX;
      point.Y = base.Y + steps * dY;
      break;
    case TRealignment::Column:
      point.X = base.X;
      break;
    case TRealignment::Row:
      point.Y = base.Y;
      break;
    case TRealignment::None:
      break;
  }
}

}  // namespace

void Realign(TTextEnts& textEnts, TRealignment realignment, double dX, double dY, TDxfPoint& baseInsPoint,
             TDxfPoint& baseAlignPoint) {
  if (realignment == TRealignment::None) return;
  SortByCoords(textEnts);
  if (textEnts.empty()) return;
  baseInsPoint = textEnts.front().InsPoint;
  baseAlignPoint = textEnts.front().AlignPoint;
  for (size_t i = 1; i < textEnts.size(); ++i) {
    const double steps = static_cast<double>(i);
    MovePoint(textEnts[i].InsPoint, baseInsPoint, realignment, steps, dX, dY);
    MovePoint(textEnts[i].AlignPoint, baseAlignPoint, realignment, steps, dX, dY);
  }
  baseInsPoint = textEnts.back().InsPoint;
  baseAlignPoint = textEnts.back().AlignPoint;
}

}  // namespace vorbel
